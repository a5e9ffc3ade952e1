// The report utilities that reach the window layer: the error box, the components of
// the program's forms and data modules, and image-list cutting and picture drawing.
// Kept apart from Utils.cpp so that no unit includes both the window layer's and the
// report datasets' event types (two of them share a signature).
#include "report/Utils.h"

#include <iostream>
#include <unordered_set>

#include "platform/classes/Streaming.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Forms.h"
#include "report/Resources.h"

namespace {

// Walks the containers a report reaches, each once, adding the components of one class.
class TComponentCollector {
public:
    TComponentCollector(TClass ComponentClass, TStrings* List, TComponent* Skip)
        : FClass(ComponentClass), FList(List), FSkip(Skip) {}

    // The components owned by Container, named Prefix + name ("" for the report's own
    // and its owner's, "Form." for forms and data modules); frames of a form are entered
    // with "Form.Frame." when Frames is set.
    void Collect(TComponent* Container, const std::string& Prefix, bool Frames) {
        if (!Container || !FVisited.insert(Container).second) return;
        for (int i = 0; i < Container->ComponentCount(); ++i) {
            TComponent* c = Container->Components(i);
            Add(c, Prefix);
            if (Frames && c->ComponentState().Contains(csInline))
                Collect(c, Prefix + c->Name() + ".", false);
        }
    }

private:
    void Add(TComponent* c, const std::string& Prefix) {
        if (c == FSkip || !c->InheritsFrom(FClass) || !FListed.insert(c).second) return;
        FList->AddObject(Prefix + c->Name(), c);
    }
    TClass FClass;
    TStrings* FList;
    TComponent* FSkip;
    std::unordered_set<TComponent*> FVisited, FListed;
};

}  // namespace

void frxGetComponentList(TComponent* Report, TClass ComponentClass, TStrings* List, TComponent* Skip) {
    List->Clear();
    if (!ComponentClass) return;
    TComponentCollector collector(ComponentClass, List, Skip);
    if (Report) {
        collector.Collect(Report, "", false);
        collector.Collect(Report->Owner(), "", true);
    }
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        collector.Collect(form, form->Name() + ".", true);
    }
    for (TComponent* root : GlobalComponents())
        if (root->Is<TDataModule>()) collector.Collect(root, root->Name() + ".", false);
}

void frxErrorMsg(const std::string& Text) {
    const std::string caption = frxResources().Get("mbError");
    if (!Application->Initialized()) {
        std::cerr << caption << ": " << Text << std::endl;
        return;
    }
    Application->MessageBox(Text, caption, MB_OK | MB_ICONERROR);
}


// The screen map: where the designer window shows its tools and the objects of the page,
// in screen pixels, for a program that drives the designer from outside with real mouse
// and key events (the desktop test of the clinic program). It is kept only when the
// environment variable ROVE_DESIGNER_SCREEN_MAP names a file: after every paint of the
// workspace and every tenth of a second (a window that moves is not painted again), the
// file is written anew when what it says has changed. Lines, one thing each:
//   window <x> <y> <width> <height>          the designer window's client area
//   control <name> <x> <y> <width> <height>  a named button of the object palette
//   object <name> <x> <y> <width> <height>   an object of the page as the workspace draws it
//   bar <name> <x> <y> <width> <height>      a tool bar shown, docked or floating
//   tool <name> <x> <y> <width> <height>     a named button or box shown on the text bar
// The file is written under a temporary name and renamed, so a reader never sees half of it.
#include "designer/workspace/PageWorkspace.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "designer/window/DesignerForm.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ComCtrls.h"
#include "preview/Dock.h"
#include "report/Component.h"

namespace {

int Px(double V) { return static_cast<int>(Round(V)); }

void WriteRect(std::ostream& Out, const char* Kind, const std::string& Name, TPoint Origin, int Width,
               int Height) {
    Out << Kind;
    if (!Name.empty()) Out << ' ' << Name;
    Out << ' ' << Origin.X << ' ' << Origin.Y << ' ' << Width << ' ' << Height << '\n';
}

}  // namespace

void TDesignerWorkspace::WriteScreenMap() {
    if (!FDesigner || !FDesigner->Showing()) return;
    std::ostringstream map;
    WriteRect(map, "window", "", FDesigner->ClientOrigin(), FDesigner->ClientWidth(), FDesigner->ClientHeight());
    if (TToolBar* palette = FDesigner->ObjectsTB1)
        for (int i = 0; i < palette->ButtonCount(); ++i) {
            TToolButton* b = palette->Buttons(i);
            if (b->Name().empty() || !b->Showing()) continue;
            WriteRect(map, "control", b->Name(), b->ClientOrigin(), b->Width(), b->Height());
        }
    for (TfrxToolBar* bar : {FDesigner->StandardTB, FDesigner->TextTB, FDesigner->FrameTB, FDesigner->AlignTB,
                             FDesigner->ExtraToolsTB})
        if (bar && bar->Showing()) WriteRect(map, "bar", bar->Name(), bar->ClientOrigin(), bar->Width(), bar->Height());
    if (TToolBar* text = FDesigner->TextTB1; text && text->Showing())
        for (int i = 0; i < text->ControlCount(); ++i) {
            TControl* c = text->Controls(i);
            if (!c->Showing()) continue;
            if (!c->Name().empty()) WriteRect(map, "tool", c->Name(), c->ClientOrigin(), c->Width(), c->Height());
            // The boxes stand on panels of the bar.
            if (auto* panel = dynamic_cast<TWinControl*>(c))
                for (int k = 0; k < panel->ControlCount(); ++k)
                    if (TControl* box = panel->Controls(k); box->Showing() && !box->Name().empty())
                        WriteRect(map, "tool", box->Name(), box->ClientOrigin(), box->Width(), box->Height());
        }
    if (Showing() && Objects) {
        const double s = Scale();
        for (const TfrxComponent* o : *Objects) {
            if (!dynamic_cast<const TfrxReportComponent*>(o) || o->Name().empty()) continue;
            const TPoint at = ClientToScreen(Point(Px(o->AbsLeft() * s), Px(o->AbsTop() * s)));
            WriteRect(map, "object", o->Name(), at, Px(o->Width() * s), Px(o->Height() * s));
        }
    }
    if (map.str() == FScreenMap) return;
    const std::string temporary = FScreenMapFile + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out || !(out << map.str()) || !out.flush()) return;
    }
    if (std::rename(temporary.c_str(), FScreenMapFile.c_str()) == 0) FScreenMap = map.str();
}

#include "langs_helpers.h"

#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"

int TLangsBox::Alive = 0;

TLangsBox::TLangsBox(TComponent* AOwner) : TComponent(AOwner) { ++Alive; }
TLangsBox::~TLangsBox() { --Alive; }

void TLangsBox::DeclareProperties(TPropertyDecl<TLangsBox>& d) {
    d.Property("Caption", &TLangsBox::Caption, &TLangsBox::Caption);
    d.Property("Count", &TLangsBox::Count, &TLangsBox::Count);
}

ROVE_IMPLEMENT_CLASS(TLangsBox)

LangRunner::LangRunner() : Box(std::make_unique<TLangsBox>(nullptr)) {
    Box->Caption = "box";
    T.Setup = [this](TfsScript& s) {
        TfsClassVariable* object = s.AddClass(TObject::StaticClass(), "");
        object->AddMethod("procedure Free", [](TObject* instance, TClass, const std::string&, TfsParams&) {
            delete instance;
            return Variant();
        });
        s.AddClass(TPersistent::StaticClass(), "TObject");
        s.AddClass(TComponent::StaticClass(), "TPersistent");
        TfsClassVariable* box = s.AddClass(TLangsBox::StaticClass(), "TComponent");
        box->AddConstructor("constructor Create(AOwner: TComponent)", nullptr);
        s.AddMethod("function Alive: Integer",
                    [](TObject*, TClass, const std::string&, TfsParams&) { return Variant(TLangsBox::Alive); });
        s.AddMethod("function Get(Name: String): Variant", [](TObject*, TClass, const std::string&, TfsParams& p) {
            return Variant("v:" + p[0].AsString());
        });
        s.AddConst("Box", "TLangsBox", Variant::FromObject(Box->Handle()));
        s.OnGetUnit = [this](TfsScript*, const std::string& name, std::string& text) {
            if (SameText(name, UnitName)) text = UnitText;
        };
    };
}

std::string LangRunner::Run(const std::string& language, const std::string& source) {
    T.Script.SetSyntaxType(language);
    return T.Run(source);
}

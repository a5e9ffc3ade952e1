// The contents tree of a script (the designer's function and data trees): functions by
// category, classes with their members, enumerations under Types, variables and constants.
#include "core_helpers.h"

#include "platform/classes/Component.h"
#include "script/ClassVariables.h"
#include "script/XMLDocument.h"

#include <gtest/gtest.h>

class TContentsTestGauge : public TComponent {
    ROVE_CLASS(TContentsTestGauge, TComponent)
public:
    explicit TContentsTestGauge(TComponent* AOwner) : TComponent(AOwner) {}
    double Level = 0;
    TNotifyEvent OnFull;
    static void DeclareProperties(TPropertyDecl<TContentsTestGauge>& d) {
        d.Property("Level", &TContentsTestGauge::Level, &TContentsTestGauge::Level);
        d.Event("OnFull", &TContentsTestGauge::OnFull);
    }
};
ROVE_IMPLEMENT_CLASS(TContentsTestGauge)

namespace {

Variant Nothing(TObject*, TClass, const std::string&, TfsParams&) { return Variant(); }

// "name: text [description]" of every child, one line each, children indented.
void Describe(const TfsXMLItem* item, const std::string& indent, std::string& out) {
    for (int i = 0; i < item->Count(); ++i) {
        const TfsXMLItem* c = item->Items(i);
        out += indent + c->Name() + ": " + c->Prop("text");
        if (!c->Prop("description").empty()) out += " [" + c->Prop("description") + "]";
        out += "\n";
        Describe(c, indent + "  ", out);
    }
}

struct TContents {
    TfsScript Script;
    TContents() {
        Script.SetParent(nullptr);
        Script.AddType("Integer", tcInteger);
        Script.AddType("String", tcString);
        Script.AddType("Extended", tcExtended);
        Script.AddMethod("function Twice(x: Integer): Integer", Nothing, "ctMath", "Doubles a number");
        Script.AddMethod("procedure Beep", Nothing, "ctOther");
        Script.AddMethod("function Half(x: Extended): Extended", Nothing, "ctMath");
        TfsClassVariable* c = Script.AddClass(TContentsTestGauge::StaticClass(), "TComponent");
        c->AddMethod("procedure Reset(To: Extended)", Nothing);
        c->AddIndexProperty("Marks", "Integer", "String", Nothing);
        c->AddProperty("Full", "Boolean", [](TObject*, TClass, const std::string&) { return Variant(false); });
        c->AddEvent("OnEmpty", TfsNotifyEvent::Class());
        Script.AddEnum("TAlign", "alNone, alTop");
        Script.AddEnumSet("TSides", "sdLeft, sdRight");
        Script.AddConst("Limit", "Integer", Variant(12));
        Script.AddVariable("Total", "Extended", Variant(0.0));
    }
};

TEST(ScriptContents, ListsFunctionsClassesTypesVariablesAndConstants) {
    TContents t;
    TfsXMLDocument doc;
    GenerateXMLContents(t.Script, doc.Root());
    std::string tree;
    Describe(doc.Root(), "", tree);
    EXPECT_EQ(tree,
              "Functions: \n"
              "  ctMath: ctMath\n"
              "    item: function Twice(x: Integer): Integer [Doubles a number]\n"
              "    item: function Half(x: Extended): Extended [Half]\n"
              "  ctOther: ctOther\n"
              "    item: procedure Beep [Beep]\n"
              "Classes: \n"
              "  item: TContentsTestGauge = class(TComponent)\n"
              "    item: property Name: String\n"
              "    item: property Tag: Integer\n"
              "    item: property Level: Extended\n"
              "    item: procedure Reset(To: Extended)\n"
              "    item: index property Marks(p0: Integer): String\n"
              "    item: property Full: Boolean\n"
              "    item: event OnEmpty\n"
              "Types: \n"
              "  item: TAlign: (alNone,alTop)\n"
              "  item: TSides: (sdLeft,sdRight)\n"
              "Variables: \n"
              "  item: Total: Extended\n"
              "Constants: \n"
              "  item: Limit: Integer = 12\n");
}

// The designer lists the global unit and then the report's script into one tree; with
// FunctionsOnly only the functions come.
TEST(ScriptContents, AddsToAnExistingTreeAndListsFunctionsOnly) {
    TContents t;
    TfsXMLDocument doc;
    GenerateXMLContents(t.Script, doc.Root());
    TfsScript more;
    more.SetParent(nullptr);
    more.AddMethod("function Third(x: Integer): Integer", Nothing, "ctMath", "A third");
    more.AddEnum("TMode", "mdA, mdB");
    GenerateXMLContents(more, doc.Root(), true);
    TfsXMLItem* math = doc.Root()->FindItem("Functions")->FindItem("ctMath");
    ASSERT_EQ(math->Count(), 3);
    EXPECT_EQ(math->Items(2)->Prop("description"), "A third");
    EXPECT_EQ(doc.Root()->FindItem("Types")->Find("TMode"), -1);
    GenerateXMLContents(more, doc.Root());
    TfsXMLItem* types = doc.Root()->FindItem("Types");
    EXPECT_EQ(types->Items(types->Count() - 1)->Prop("text"), "TMode: (mdA,mdB)");
    EXPECT_EQ(types->Items(0)->Prop("text"), "TAlign: (alNone,alTop)");
}

}  // namespace

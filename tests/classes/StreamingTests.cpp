// Form-resource text and binary property data: round trips, defaults, references,
// events bound by name, nested children, custom data, and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/classes/TestClasses.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TTestWidget* Widget(TComponent* root, const char* name) {
    auto* w = dynamic_cast<TTestWidget*>(root->FindComponent(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A report-like component: a collection streamed as custom data with its texts packed.
class TTestReport : public TComponent {
    ROVE_CLASS(TTestReport, TComponent)
public:
    explicit TTestReport(TComponent* AOwner)
        : TComponent(AOwner), Datasets(std::make_unique<TCollection>(TTestItem::StaticClass(), this)) {}
    std::unique_ptr<TCollection> Datasets;
    void DefineProperties(TFiler& Filer) override {
        TComponent::DefineProperties(Filer);
        Filer.DefineProperty(
            "Datasets",
            [this](TReader& r) {
                r.ReadCollection(Datasets.get());
                PackCollectionStrings(Datasets.get(), false);
            },
            [this](TWriter& w) {
                PackCollectionStrings(Datasets.get(), true);
                w.WriteCollection(Datasets.get());
                PackCollectionStrings(Datasets.get(), false);
            },
            true);
    }
};
ROVE_IMPLEMENT_CLASS(TTestReport)

// --- Round trip through the text form ------------------------------------------------------
class FormRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        Form2 = new TTestForm2(nullptr);
        Form2->SetName("Form2");
        Other = new TTestWidget(Form2);
        Other->SetName("Other");
        AddGlobalComponent(Form2);

        Form1 = new TTestForm(nullptr);
        Form1->SetName("Form1");
        auto* b1 = new TTestWidget(Form1);
        b1->SetName("Button1");
        auto* b2 = new TTestWidget(Form1);
        b2->SetName("Button2");
        b1->Caption = "It's 收费\r\nline2";
        b1->Visible = false;
        b1->Align = taClient;
        b1->Ratio = 0.1;
        b1->Big = int64_t(1) << 40;
        b1->Letter = U'Z';
        b1->Stamp = 45000.5;
        b1->Color = 255;
        b1->Value = Variant("v");
        b1->SetTag(-7);
        b1->Font()->Name = "Tahoma";
        b1->Font()->Style = {tsBold, tsUnderline};
        b1->Lines()->Add("first 'line'");
        b1->Lines()->Add("");
        auto* item = b1->Items()->AddItem<TTestItem>();
        item->Caption = "x";
        item->Width = 10;
        item->Value = Variant(2.5);
        item->Target = b2;
        b1->Items()->AddItem<TTestItem>();
        b1->SetLink(b2);
        b1->Blob = std::string("\x00\x01\xFF", 3);
        b1->Extra = {1, -2, 300};
        BindEventByName(b1, FindPropInfo(b1, "OnClick"), Form1, "Button1Click");
        b2->SetLink(Other);   // across forms
        auto* plain = new TComponent(Form1);
        plain->SetName("Timer1");
        plain->SetDesignInfo((16 << 16) | 48);
        auto* n1 = new TTestNode(Form1);
        n1->SetName("Node1");
        n1->Size = 1;
        auto* n2 = new TTestNode(Form1);
        n2->SetName("Node2");
        n2->SetParent(n1);
        auto* n3 = new TTestNode(Form1);
        n3->SetName("Node3");
        n3->SetParent(n2);
        n3->Size = 3;
    }
    void TearDown() override {
        delete Form1;
        delete Form2;
    }
    TTestForm* Form1 = nullptr;
    TTestForm2* Form2 = nullptr;
    TTestWidget* Other = nullptr;
};

TEST_F(FormRoundTrip, WritesOnlyNonDefaultsAndReadsBackTheSameTree) {
    std::string text = WriteComponentToText(Form1);
    // Defaults are left out; values without a declared default are always written.
    EXPECT_TRUE(Contains(text, "object Form1: TTestForm\n")) << text;
    EXPECT_FALSE(Contains(text, "Width = 75"));
    EXPECT_FALSE(Contains(text, "Scale ="));
    EXPECT_TRUE(Contains(text, "    Ratio = 0.1\n"));
    EXPECT_TRUE(Contains(text, "    Visible = False\n"));
    EXPECT_TRUE(Contains(text, "    Color = clRed\n"));
    EXPECT_TRUE(Contains(text, "    Font.Name = 'Tahoma'\n"));
    EXPECT_TRUE(Contains(text, "    Font.Style = [tsBold, tsUnderline]\n"));
    EXPECT_FALSE(Contains(text, "Font.Size"));
    EXPECT_TRUE(Contains(text, "    Link = Button2\n"));
    EXPECT_TRUE(Contains(text, "    Link = Form2.Other\n"));
    EXPECT_TRUE(Contains(text, "    OnClick = Button1Click\n"));
    EXPECT_TRUE(Contains(text, "    Caption = 'It''s 收费'#13#10'line2'\n"));
    EXPECT_TRUE(Contains(text, "    Lines.Strings = (\n      'first ''line'''\n      '')\n"));
    EXPECT_TRUE(Contains(text, "    Blob = {\n      0001FF}\n"));
    EXPECT_TRUE(Contains(text, "    Left = 48\n    Top = 16\n"));
    EXPECT_TRUE(Contains(text, "    object Node2: TTestNode\n      object Node3: TTestNode\n        Size = 3\n"));
    EXPECT_FALSE(Contains(text, "  Name = "));   // names stand in the object headers
    // The nested nodes appear once, inside their parent.
    EXPECT_EQ(text.find("object Node3"), text.rfind("object Node3"));

    delete Form1;
    Form1 = nullptr;
    auto* copy = new TTestForm(nullptr);
    ReadComponentFromText(text, copy);
    Form1 = copy;
    EXPECT_EQ(copy->Name(), "Form1");
    TTestWidget* b1 = Widget(copy, "Button1");
    TTestWidget* b2 = Widget(copy, "Button2");
    ASSERT_TRUE(b1 && b2);
    EXPECT_EQ(b1->Caption, "It's 收费\r\nline2");
    EXPECT_FALSE(b1->Visible);
    EXPECT_EQ(b1->Align, taClient);
    EXPECT_EQ(b1->Ratio, 0.1);
    EXPECT_EQ(b1->Big, int64_t(1) << 40);
    EXPECT_EQ(b1->Letter, U'Z');
    EXPECT_EQ(b1->Stamp, 45000.5);
    EXPECT_EQ(b1->Color, 255);
    EXPECT_EQ(b1->Value.AsString(), "v");
    EXPECT_EQ(b1->Tag(), -7);
    EXPECT_EQ(b1->Font()->Name, "Tahoma");
    EXPECT_EQ(b1->Font()->Style, (TTestStyles{tsBold, tsUnderline}));
    ASSERT_EQ(b1->Lines()->Count(), 2);
    EXPECT_EQ(b1->Lines()->Strings(0), "first 'line'");
    ASSERT_EQ(b1->Items()->Count(), 2);
    auto* item = b1->Items()->Item<TTestItem>(0);
    EXPECT_EQ(item->Caption, "x");
    EXPECT_EQ(item->Width, 10);
    EXPECT_EQ(item->Value.AsDouble(), 2.5);
    EXPECT_EQ(item->Target, b2);
    EXPECT_EQ(b1->Items()->Item<TTestItem>(1)->Width, 64);
    EXPECT_EQ(b1->Link(), b2);
    EXPECT_EQ(b2->Link(), Other);
    EXPECT_EQ(b1->Blob, std::string("\x00\x01\xFF", 3));
    EXPECT_EQ(b1->Extra, (std::vector<int>{1, -2, 300}));
    EXPECT_EQ(copy->FindComponent("Timer1")->DesignInfo(), (16 << 16) | 48);
    auto* n1 = dynamic_cast<TTestNode*>(copy->FindComponent("Node1"));
    auto* n3 = dynamic_cast<TTestNode*>(copy->FindComponent("Node3"));
    ASSERT_TRUE(n1 && n3);
    EXPECT_EQ(n3->Parent()->Parent(), n1);
    EXPECT_EQ(n3->Owner(), copy);
    b1->OnClick(b1);
    EXPECT_EQ(copy->Calls, (std::vector<std::string>{"Button1Click:Button1"}));
    // Writing the tree read gives the same text.
    EXPECT_EQ(WriteComponentToText(copy), text);
}

TEST_F(FormRoundTrip, LoadedRunsAfterTheWholeTreeWithReferencesResolved) {
    std::string text = WriteComponentToText(Form1);
    delete Form1;
    Form1 = new TTestForm(nullptr);
    ReadComponentFromText(text, Form1);
    for (const char* name : {"Button1", "Button2"}) {
        TTestWidget* w = Widget(Form1, name);
        EXPECT_TRUE(w->LoadedCalled);
        EXPECT_TRUE(w->LinkSetWhenLoaded);
        EXPECT_FALSE(w->ComponentState().Contains(csLoading));
        EXPECT_FALSE(w->ComponentState().Contains(csReading));
    }
    EXPECT_TRUE(Widget(Form1, "Button1")->WasLoadingWhenSet);
}

TEST_F(FormRoundTrip, FreeingTheTargetFormClearsTheReference) {
    TTestWidget* b2 = Widget(Form1, "Button2");
    ASSERT_EQ(b2->Link(), Other);
    delete Form2;
    Form2 = nullptr;
    EXPECT_EQ(b2->Link(), nullptr);
    EXPECT_FALSE(Contains(WriteComponentToText(Form1), "Form2.Other"));
}

TEST(FormReferences, ToAFormNotLoadedYetWaitUntilItIs) {
    auto* form1 = new TTestForm(nullptr);
    ReadComponentFromText(
        "object Form1: TTestForm\n"
        "  object W: TTestWidget\n"
        "    Link = Form3.Target\n"
        "  end\n"
        "end\n",
        form1);
    TTestWidget* w = Widget(form1, "W");
    EXPECT_EQ(w->Link(), nullptr);
    TComponent* form3 = CreateComponentFromText(
        "object Form3: TTestForm2\n"
        "  object Target: TTestWidget\n"
        "  end\n"
        "end\n",
        nullptr);
    ASSERT_NE(form3, nullptr);
    EXPECT_EQ(FindGlobalComponent("form3"), form3);
    EXPECT_EQ(w->Link(), form3->FindComponent("Target"));
    delete form3;
    EXPECT_EQ(w->Link(), nullptr);
    EXPECT_EQ(FindGlobalComponent("Form3"), nullptr);
    delete form1;
}

TEST(FormReferences, APendingReferenceOfAFreedFormIsDropped) {
    auto* form1 = new TTestForm(nullptr);
    ReadComponentFromText("object Form1: TTestForm\n  object W: TTestWidget\n    Link = Form4.T\n  end\nend\n", form1);
    delete form1;
    TComponent* form4 = CreateComponentFromText("object Form4: TTestForm2\n  object T: TTestWidget\n  end\nend\n", nullptr);
    EXPECT_NE(form4, nullptr);   // no write into the freed form
    delete form4;
}

// --- Events ----------------------------------------------------------------------------------
TEST(FormEvents, BindByHandlerNameAndWriteTheNameBack) {
    auto* form = new TTestForm(nullptr);
    const char* text =
        "object Form1: TTestForm\n"
        "  OnCreate = FormCreate\n"
        "  object W: TTestWidget\n"
        "    OnClick = Button1Click\n"
        "    OnKey = widgetkey\n"
        "  end\n"
        "end\n";
    RegisterFormResource("TTestForm", text, "Form1.dfm");
    form->InitModule();
    TTestWidget* w = Widget(form, "W");
    char32_t key = U'a';
    w->OnKey(w, key);
    w->OnClick(w);
    EXPECT_EQ(key, U'Z');
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate", "WidgetKey", "Button1Click:W"}));
    EXPECT_EQ(w->OnKey.HandlerName(), "WidgetKey");
    EXPECT_TRUE(Contains(WriteComponentToText(form), "    OnKey = WidgetKey\n"));
    // A handler bound in code has no name and is not written.
    w->OnClick = [](TObject*) {};
    EXPECT_FALSE(Contains(WriteComponentToText(form), "OnClick"));
    RegisterFormResource("TTestForm", "");
    delete form;
}

TEST(FormEvents, ABridgeLivesExactlyAsLongAsItsBinding) {
    TTestWidget w(nullptr);
    auto bridge = std::make_shared<int>(7);
    std::weak_ptr<int> watch = bridge;
    int calls = 0;
    w.OnClick.Bind([&calls](TObject*) { ++calls; }, "ScriptProc", std::move(bridge));
    w.OnClick(&w);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(GetPropValue(&w, "OnClick").AsString(), "ScriptProc");
    w.OnClick.Bind([](TObject*) {}, "Other");   // rebinding frees the old bridge
    EXPECT_TRUE(watch.expired());
    auto second = std::make_shared<int>(8);
    watch = second;
    GetEventProp(&w, FindPropInfo(&w, "OnClick"))->Clear();
    EXPECT_FALSE(w.OnClick.Assigned());
    w.OnClick.Bind([](TObject*) {}, "X", std::move(second));
}

TEST(FormEvents, AnInheritedFormReadsItsAncestorsResourceFirst) {
    RegisterFormResource("TTestForm",
                         "object Form1: TTestForm\n"
                         "  OnCreate = FormCreate\n"
                         "  object W: TTestWidget\n"
                         "    Caption = 'base'\n"
                         "    Width = 10\n"
                         "    OnClick = Button1Click\n"
                         "  end\n"
                         "end\n");
    RegisterFormResource("TTestChildForm",
                         "inherited Form1: TTestChildForm\n"
                         "  inherited W: TTestWidget\n"
                         "    Width = 20\n"
                         "  end\n"
                         "  object Extra1: TTestWidget\n"
                         "    Link = W\n"
                         "  end\n"
                         "end\n");
    auto* form = new TTestChildForm(nullptr);
    form->InitModule();
    TTestWidget* w = Widget(form, "W");
    TTestWidget* extra = Widget(form, "Extra1");
    ASSERT_TRUE(w && extra);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(w->Caption, "base");
    EXPECT_EQ(w->Width, 20);
    EXPECT_EQ(extra->Link(), w);
    w->OnClick(w);
    EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate", "Button1Click:W"}));
    RegisterFormResource("TTestForm", "");
    RegisterFormResource("TTestChildForm", "");
    EXPECT_EQ(FindFormResource("TTestForm"), nullptr);
    delete form;
}

TEST(FormEvents, EventCastChecksTheSignature) {
    TTestWidget w(nullptr);
    TEventBase* click = GetEventProp(&w, FindPropInfo(&w, "OnClick"));
    EXPECT_EQ(EventCast<void(TObject*)>(click), &w.OnClick);
    EXPECT_EQ(EventCast<void(TObject*, char32_t&)>(click), nullptr);
}

struct HandlerErrorRow {
    const char* Name;
    const char* Line;
    const char* Expected;
};

class FormEventErrors : public ::testing::TestWithParam<HandlerErrorRow> {};

TEST_P(FormEventErrors, NameTheFormTheHandlerAndThePlace) {
    auto* form = new TTestForm(nullptr);
    std::string text = std::string("object Form1: TTestForm\n  object W: TTestWidget\n    ") + GetParam().Line +
                       "\n  end\nend\n";
    try {
        ReadComponentFromText(text, form, "Form1.dfm");
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().Expected);
    }
    delete form;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormEventErrors,
    ::testing::Values(
        HandlerErrorRow{"Unknown", "OnClick = Button9Click",
                        "Form1.dfm, line 3: Error reading Form1.W.OnClick: Form1 has no handler named Button9Click"},
        HandlerErrorRow{"WrongSignature", "OnKey = Button1Click",
                        "Form1.dfm, line 3: Error reading Form1.W.OnKey: Handler Form1.Button1Click does not fit "
                        "event OnKey of type TKeyEvent"},
        HandlerErrorRow{"NotAName", "OnClick = 'Button1Click'",
                        "Form1.dfm, line 3: Error reading Form1.W.OnClick: Invalid property value (string for a "
                        "property of type TNotifyEvent)"}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Syntax of the text form --------------------------------------------------------------------
TEST(FormText, ReadsEveryValueSyntax) {
    auto* form = new TTestForm(nullptr);
    ReadComponentFromText(
        "object Form1: TTestForm\n"
        "  object W: TTestWidget\n"
        "    Caption = 'It''s'#13#10'ok' +\n"
        "      ' more'#$4E2D\n"
        "    Width = $FF\n"
        "    Tag = -5\n"
        "    Ratio = -1.5E-3\n"
        "    Scale = 2\n"
        "    Visible = false\n"
        "    Letter = '中'\n"
        "    Big = -9223372036854775807\n"
        "    Value = 12.5c\n"
        "    Font.Style = []\n"
        "    Font.Color = 255\n"
        "    Lines.Strings = ( 'a' 'b' ) \n"
        "    Items = < item Caption = 'x' end item [3] end >\n"
        "    Blob = { 00 ff\n 10 }\n"
        "    Extra = ( )\n"
        "    Link = nil\n"
        "  end\n"
        "  object TTestWidget\n"
        "  end\n"
        "end\n",
        form);
    TTestWidget* w = Widget(form, "W");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Caption, "It's\r\nok more中");
    EXPECT_EQ(w->Width, 255);
    EXPECT_EQ(w->Tag(), -5);
    EXPECT_EQ(w->Ratio, -1.5E-3);
    EXPECT_EQ(w->Scale, 2.0);
    EXPECT_FALSE(w->Visible);
    EXPECT_EQ(w->Letter, U'中');
    EXPECT_EQ(w->Big, -9223372036854775807LL);
    EXPECT_EQ(w->Value.Type(), varCurrency);
    EXPECT_EQ(w->Value.CurrencyValue(), 125000);
    EXPECT_EQ(w->Font()->Color, 255);
    EXPECT_EQ(w->Lines()->Count(), 2);
    EXPECT_EQ(w->Items()->Count(), 2);
    EXPECT_EQ(w->Blob, std::string("\x00\xFF\x10", 3));
    EXPECT_EQ(form->ComponentCount(), 2);   // the unnamed second object
    delete form;
}

TEST(FormText, FormatAndParseAreInverse) {
    const char* text =
        "object Form1: TTestForm\n"
        "  Tag = 3\n"
        "  object W: TTestWidget\n"
        "    Caption = 'a very long caption that goes on and on and on past the width of' +\n"
        "      ' one line of text and ends here'\n"
        "    Ratio = 1E-300\n"
        "    Value = 0.5s\n"
        "    Stamp = 45000.25d\n"
        "    Items = <\n"
        "      item\n"
        "        Caption = 'x'\n"
        "      end\n"
        "      item\n"
        "      end>\n"
        "    Extra = (\n"
        "      1\n"
        "      (\n"
        "        Null\n"
        "        nil)\n"
        "      [a, b])\n"
        "  end\n"
        "end\n";
    TFilerObject tree = ParseFormText(text);
    EXPECT_EQ(FormatFormText(tree), text);
}

// --- Bad input ---------------------------------------------------------------------------------
struct BadTextRow {
    const char* Name;
    std::string Text;
    std::vector<std::string> Expected;   // parts of the message
};

std::string WithWidget(const std::string& body) {
    return "object Form1: TTestForm\n  object W: TTestWidget\n" + body + "  end\nend\n";
}

class BadFormText : public ::testing::TestWithParam<BadTextRow> {};

TEST_P(BadFormText, RaisesAReadErrorNamingThePlace) {
    auto* form = new TTestForm(nullptr);
    try {
        ReadComponentFromText(GetParam().Text, form);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        for (const std::string& part : GetParam().Expected)
            EXPECT_TRUE(Contains(e.what(), part)) << e.what() << "\n  lacks: " << part;
    }
    delete form;   // whatever was read before the error goes with the form
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadFormText,
    ::testing::Values(
        BadTextRow{"MissingEnd", "object Form1: TTestForm\n  object W: TTestWidget\n  end\n",
                   {"Line 4: ", "'end' of Form1 expected"}},
        BadTextRow{"TextAfterEnd", "object Form1: TTestForm\nend\nend\n", {"Line 3: ", "Text after the final 'end'"}},
        BadTextRow{"NoObject", "Caption = 'x'\n", {"Line 1: ", "'object' expected"}},
        BadTextRow{"UnknownClass", "object Form1: TTestForm\n  object W: TNoSuchWidget\n  end\nend\n",
                   {"Line 2: Error reading Form1.W: Class TNoSuchWidget not found"}},
        BadTextRow{"AbstractClass", "object Form1: TTestForm\n  object W: TTestAbstract\n  end\nend\n",
                   {"Line 2: Error reading Form1.W: Class TTestAbstract cannot be created"}},
        BadTextRow{"NoComponentClass", "object Form1: TTestForm\n  object W: TTestFont\n  end\nend\n",
                   {"Error reading Form1.W: Class TTestFont cannot be created as a component"}},
        BadTextRow{"WrongRootClass", "object Form1: TTestWidget\nend\n",
                   {"Line 1: ", "describes a TTestWidget, not a TTestForm"}},
        BadTextRow{"UnknownProperty", WithWidget("    Height = 5\n"),
                   {"Line 3: Error reading Form1.W.Height: Property Height does not exist in TTestWidget"}},
        BadTextRow{"UnknownSubProperty", WithWidget("    Font.Weight = 5\n"),
                   {"Line 3: Error reading Form1.W.Font.Weight: Property Weight does not exist in TTestFont"}},
        BadTextRow{"DotOnAScalar", WithWidget("    Width.Value = 5\n"), {"Form1.W.Width", "is no object"}},
        BadTextRow{"StringForInteger", WithWidget("    Width = 'abc'\n"),
                   {"Line 3: Error reading Form1.W.Width: Invalid property value"}},
        BadTextRow{"IntegerOutOfRange", WithWidget("    Width = 99999999999\n"),
                   {"Line 3: Error reading Form1.W.Width: ", "out of range"}},
        BadTextRow{"Int64OutOfRange", WithWidget("    Big = 99999999999999999999\n"),
                   {"Line 3: ", "Integer out of range"}},
        BadTextRow{"UnknownEnum", WithWidget("    Align = taLeft\n"),
                   {"Form1.W.Align: 'taLeft' 不是 TTestAlign 的有效值"}},
        BadTextRow{"EnumOrdinalOutOfRange", WithWidget("    Align = 9\n"), {"Form1.W.Align", "out of range"}},
        BadTextRow{"UnknownSetElement", WithWidget("    Font.Style = [tsBold, tsWide]\n"),
                   {"Form1.W.Font.Style: 'tsWide' 不是 TTestStyles 的有效元素"}},
        BadTextRow{"UnknownColourIdent", WithWidget("    Color = clPurple\n"),
                   {"Form1.W.Color: Invalid property value"}},
        BadTextRow{"TwoCharacters", WithWidget("    Letter = 'ab'\n"), {"Form1.W.Letter"}},
        BadTextRow{"UnterminatedString", WithWidget("    Caption = 'abc\n"), {"Line 3: Unterminated string"}},
        BadTextRow{"CharCodeTooLarge", WithWidget("    Caption = #1114112\n"), {"Line 3: Invalid character code"}},
        BadTextRow{"SurrogateCode", WithWidget("    Caption = #55296\n"), {"Invalid character code"}},
        BadTextRow{"DanglingPlus", WithWidget("    Caption = 'a' +\n  end\n"), {"String expected after '+'"}},
        BadTextRow{"BinaryOddDigits", WithWidget("    Blob = {0A1}\n"), {"Line 3: ", "odd number"}},
        BadTextRow{"BinaryBadDigit", WithWidget("    Blob = {0G}\n"), {"Invalid character 'G' in binary data"}},
        BadTextRow{"BinaryUnclosed", "object Form1: TTestForm\n  object W: TTestWidget\n    Blob = {0A\n",
                   {"without closing '}'"}},
        BadTextRow{"NeitherUtf8NorGb18030", WithWidget("    Caption = '\xFF\xFF'\n"),
                   {"Line 1: The text is neither UTF-8 nor GB18030"}},
        BadTextRow{"ListForString", WithWidget("    Caption = ('a')\n"), {"Form1.W.Caption: Invalid property value"}},
        BadTextRow{"StringForList", WithWidget("    Lines.Strings = 'a'\n"), {"Form1.W.Lines.Strings: Invalid property value"}},
        BadTextRow{"NumberInList", WithWidget("    Lines.Strings = ('a' 1)\n"), {"Form1.W.Lines.Strings", "holds strings"}},
        BadTextRow{"StringInIntList", WithWidget("    Extra = (1 'x')\n"), {"Error reading Form1.W.Extra: An integer was expected"}},
        BadTextRow{"ItemWithUnknownProperty", WithWidget("    Items = <item Colour = 1 end>\n"),
                   {"Error reading Form1.W.Items[0].Colour: Property Colour does not exist in TTestItem"}},
        BadTextRow{"CollectionUnclosed", WithWidget("    Items = <item Width = 1 end\n"), {"'item' expected"}},
        BadTextRow{"UnknownReference", WithWidget("    Link = Nobody\n"),
                   {"Line 3: Error reading Form1.W.Link: Component Nobody not found"}},
        BadTextRow{"ReferenceIntoLoadedForm", WithWidget("    Link = Form1.Nobody\n"),
                   {"Form1.W.Link: Component Form1.Nobody not found"}},
        BadTextRow{"ReferenceOfWrongClass", "object Form1: TTestForm\n  object N: TTestNode\n  end\n  object W: TTestWidget\n    Link = N\n  end\nend\n",
                   {"Line 5: Error reading Form1.W.Link: Property Link needs a TTestWidget, not a TTestNode"}},
        BadTextRow{"DuplicateName", "object Form1: TTestForm\n  object W: TTestWidget\n  end\n  object w: TTestWidget\n  end\nend\n",
                   {"Line 4: Error reading Form1.w: A component named w already exists"}},
        BadTextRow{"InheritedWithoutAncestor", "object Form1: TTestForm\n  inherited W: TTestWidget\n  end\nend\n",
                   {"Line 2: Error reading Form1.W: Ancestor for 'W' not found"}},
        BadTextRow{"NonAsciiOutsideString", WithWidget("    Caption = 中\n"), {"Line 3: Non-ASCII character outside a string"}},
        BadTextRow{"BadNumber", WithWidget("    Width = 12abc\n"), {"Line 3: Invalid number"}},
        BadTextRow{"MissingEquals", WithWidget("    Width 12\n"), {"Line 3: '=' expected"}},
        BadTextRow{"NestedTooDeeply", WithWidget("    Extra = " + std::string(300, '(') + "\n"), {"nested too deeply"}},
        BadTextRow{"EmptyText", "", {"Line 1: 'object' expected but end of text found"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(BadFormText, NamesTheSourceAndLeavesNoPartialRootWhenCreating) {
    try {
        CreateComponentFromText("object Form9: TTestForm\n  Tag = x\nend\n", nullptr, "form9.dfm");
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "form9.dfm, line 2: Error reading Form9.Tag: Invalid property value (identifier for a property of type Integer)");
    }
    EXPECT_EQ(FindGlobalComponent("Form9"), nullptr);
    EXPECT_THROW(CreateComponentFromText("object Form9: TNothing\nend\n", nullptr), EReadError);
}

// --- Binary property data --------------------------------------------------------------------
bool SameValue(const TFilerValue& a, const TFilerValue& b);
bool SameProps(const std::vector<TFilerProperty>& a, const std::vector<TFilerProperty>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Name != b[i].Name || !SameValue(a[i].Value, b[i].Value)) return false;
    return true;
}
bool SameValue(const TFilerValue& a, const TFilerValue& b) {
    if (a.Type != b.Type || a.Int != b.Int || a.Str != b.Str || a.Names != b.Names) return false;
    if (std::memcmp(&a.Float, &b.Float, sizeof(double)) != 0) return false;
    if (a.List.size() != b.List.size() || a.Items.size() != b.Items.size()) return false;
    for (size_t i = 0; i < a.List.size(); ++i)
        if (!SameValue(a.List[i], b.List[i])) return false;
    for (size_t i = 0; i < a.Items.size(); ++i)
        if (!SameProps(a.Items[i].Properties, b.Items[i].Properties)) return false;
    return true;
}

TFilerValue V(TValueType t) {
    TFilerValue v;
    v.Type = t;
    return v;
}
TFilerValue I(int64_t n) {
    TFilerValue v = V(vaInt64);
    v.Int = n;
    return v;
}
TFilerValue F(double f, TValueType t = vaExtended) {
    TFilerValue v = V(t);
    v.Float = f;
    return v;
}
TFilerValue S(std::string s, TValueType t = vaString) {
    TFilerValue v = V(t);
    v.Str = std::move(s);
    return v;
}

std::vector<TFilerProperty> AllKinds() {
    std::vector<TFilerProperty> props;
    auto add = [&](const char* name, TFilerValue v) { props.push_back({name, std::move(v), 0}); };
    for (int64_t n : {int64_t(0), int64_t(-1), int64_t(127), int64_t(-129), int64_t(40000), int64_t(-2147483648LL),
                      int64_t(1) << 40, std::numeric_limits<int64_t>::min()})
        add("Int", I(n));
    for (double f : {0.1, -0.0, 1e300, 5e-324, 2.5, -123456.789})
        add("Float", F(f));
    add("Inf", F(std::numeric_limits<double>::infinity()));
    add("Single", F(0.5, vaSingle));
    add("Date", F(45000.25, vaDate));
    TFilerValue cur = V(vaCurrency);
    cur.Int = 125000;
    add("Currency", cur);
    add("Short", S("abc"));
    add("Empty", S(""));
    add("Long", S(std::string(300, 'x')));
    add("Chinese", S("收费项目"));
    add("Ident", S("frxDBDataset2", vaIdent));
    add("Dotted", S("Form2.DataSource1", vaIdent));
    add("True", V(vaTrue));
    add("False", V(vaFalse));
    add("Nil", V(vaNil));
    add("Null", V(vaNull));
    add("Binary", S(std::string("\x00\x01\x02\xFF", 4), vaBinary));
    TFilerValue set = V(vaSet);
    set.Names = {"fsBold", "fsItalic"};
    add("Set", set);
    add("EmptySet", V(vaSet));
    TFilerValue list = V(vaList);
    list.List = {I(1), S("two"), V(vaList)};
    add("List", list);
    TFilerValue coll = V(vaCollection);
    TFilerItem item;
    item.Properties = {{"DataSet", S("frxDBDataset2", vaIdent), 0}, {"DataSetName", S("票据"), 0}};
    coll.Items = {item, TFilerItem{}};
    add("Datasets", coll);
    add("Variables", V(vaCollection));
    return props;
}

TEST(BinaryProperties, EveryValueKindRoundTrips) {
    std::vector<TFilerProperty> props = AllKinds();
    std::string data = EncodeBinaryProperties(props);
    EXPECT_TRUE(SameProps(DecodeBinaryProperties(data), props));
    EXPECT_EQ(HexToBytes(BytesToHex(data)), data);
    EXPECT_EQ(BytesToHex("\x01\xAB"), "01AB");
}

TEST(BinaryProperties, UseTheTagLayoutOfTheFormat) {
    std::vector<TFilerProperty> props = {{"A", I(5), 0}, {"B", S("x"), 0}, {"C", F(1.0), 0}};
    EXPECT_EQ(BytesToHex(EncodeBinaryProperties(props)),
              "0141" "0205"             // "A" vaInt8 5
              "0142" "060178"           // "B" vaString "x"
              "0143" "05" "0000000000000080FF3F");   // "C" vaExtended 1.0
    TFilerValue coll = V(vaCollection);
    TFilerItem item;
    item.Properties = {{"N", I(1), 0}};
    coll.Items = {item};
    EXPECT_EQ(BytesToHex(EncodeBinaryProperties({{"D", coll, 0}})), "0144" "0E" "01" "014E0201" "00" "00");
}

TEST(BinaryProperties, TruncatedOrCorruptDataRaisesAndNeverReadsOutside) {
    std::string data = EncodeBinaryProperties(AllKinds());
    size_t failures = 0;
    for (size_t n = 0; n < data.size(); ++n) {
        try {
            DecodeBinaryProperties(std::string_view(data).substr(0, n));
        } catch (const EReadError& e) {
            ++failures;
            EXPECT_TRUE(Contains(e.what(), "Invalid binary property data at byte ")) << e.what();
        }
    }
    EXPECT_GT(failures, data.size() / 2);   // most cuts fall inside a value
    // Every single byte flipped: either some other valid data or a clean error.
    for (size_t i = 0; i < data.size(); ++i) {
        std::string bad = data;
        bad[i] = static_cast<char>(bad[i] ^ 0xFF);
        try {
            DecodeBinaryProperties(bad);
        } catch (const EReadError&) {
        }
    }
    try {
        DecodeBinaryProperties(std::string("\x01" "A" "\x7F", 3));
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Invalid binary property data at byte 2 (A): unknown value type 127");
    }
    EXPECT_THROW(DecodeBinaryProperties(std::string("\x01" "A" "\x0C\xFF\xFF\xFF\x7F" "ab", 9)), EReadError);
    EXPECT_THROW(HexToBytes("0A1"), EReadError);
    EXPECT_THROW(HexToBytes("0G"), EReadError);
}

TEST(PropData, ObjectDataRoundTripsWithPackedTextsAndReferences) {
    auto* root = new TTestForm(nullptr);
    root->SetName("Form1");
    auto* report = new TTestReport(root);
    report->SetName("frxReport1");
    auto* ds = new TTestWidget(root);
    ds->SetName("frxDBDataset2");
    auto* item = report->Datasets->AddItem<TTestItem>();
    item->Caption = "票据数据";
    item->Value = Variant("收费");
    item->Target = ds;
    report->Datasets->AddItem<TTestItem>()->Width = 1;
    report->SetDesignInfo(0);

    std::string hex = BytesToHex(WritePropData(report, root));
    EXPECT_EQ(report->Datasets->Item<TTestItem>(0)->Caption, "票据数据");   // unpacked again after writing
    std::string bytes = HexToBytes(hex);
    EXPECT_EQ(bytes.find("\xE7"), std::string::npos);   // no raw high byte: texts are packed

    auto* copy = new TTestReport(root);
    TFixupList fixups;
    ReadPropData(copy, bytes, root, fixups);
    EXPECT_EQ(copy->Datasets->Item<TTestItem>(0)->Target, nullptr);   // set after the whole tree
    fixups.Resolve(root, TFixupList::urIgnore);
    ASSERT_EQ(copy->Datasets->Count(), 2);
    auto* got = copy->Datasets->Item<TTestItem>(0);
    EXPECT_EQ(got->Caption, "票据数据");
    EXPECT_EQ(got->Value.AsString(), "收费");
    EXPECT_EQ(got->Target, ds);
    EXPECT_EQ(copy->Datasets->Item<TTestItem>(1)->Width, 1);

    // The same collection in the text form, packed there too.
    std::string text = WriteComponentToText(root);
    EXPECT_TRUE(Contains(text, "    Datasets = <\n      item\n        Caption = #1")) << text;
    EXPECT_TRUE(Contains(text, "        Target = frxDBDataset2\n"));
    auto* root2 = new TTestForm(nullptr);
    ReadComponentFromText(text, root2);
    auto* report2 = dynamic_cast<TTestReport*>(root2->FindComponent("frxReport1"));
    ASSERT_NE(report2, nullptr);
    EXPECT_EQ(report2->Datasets->Item<TTestItem>(0)->Caption, "票据数据");
    EXPECT_EQ(report2->Datasets->Item<TTestItem>(0)->Target, root2->FindComponent("frxDBDataset2"));
    delete root2;

    // Unknown names in the data and bad data are errors naming the place.
    std::string unknown = EncodeBinaryProperties({{"Variables", V(vaCollection), 0}});
    TFixupList none;
    try {
        ReadPropData(copy, unknown, root, none);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_TRUE(Contains(e.what(), "Byte 0: Error reading TTestReport.Variables: Property Variables does not exist in TTestReport")) << e.what();
    }
    try {
        ReadPropData(report, bytes.substr(0, bytes.size() - 3), root, none);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_TRUE(Contains(e.what(), "Error reading frxReport1: Invalid binary property data at byte ")) << e.what();
        EXPECT_TRUE(Contains(e.what(), " (Datasets.Width): integer truncated")) << e.what();
    }
    delete root;
}

TEST(PropData, AnObjectWithoutCustomDataWritesNothing) {
    TTestWidget w(nullptr);
    EXPECT_EQ(WritePropData(&w, nullptr), "");
    w.Extra = {7};
    EXPECT_EQ(BytesToHex(WritePropData(&w, nullptr)), "05457874726101020700");
}

}  // namespace

// Report XML storage of object trees, the report's collections and options, form
// resources, and bad input.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Streams.h"
#include "report/Report.h"
#include "report/Serializer.h"
#include "report/XMLDocument.h"

namespace {

struct FixedClock {
    FixedClock() { SetClock([] { return 45356.5; }); }
    ~FixedClock() { SetClock(nullptr); }
};

std::string Save(TfrxReport& r) {
    TStringStream s;
    r.SaveToStream(s);
    return s.DataString();
}

void Load(TfrxReport& r, const std::string& xml) {
    TStringStream s(xml);
    r.LoadFromStream(s);
}

// A receipt-like template: a page, a band, two memos, variables, a style.
void Build(TfrxReport& r) {
    auto* page = new TfrxTestPage(&r);
    page->SetName("Page1");
    auto* band = new TfrxTestBand(page);
    band->SetName("Band1");
    band->SetBounds(0, 18.89765, 396.85065, 60);
    auto* m1 = new TfrxTestMemoView(band);
    m1->SetName("MemoNo");
    m1->SetBounds(0, 0, 200, 18.89765);
    m1->Memo()->SetText("NO:[frxDBDataset2.\"票据号\"]\r\nsecond line");
    TFont f;
    f.SetName("宋体");
    f.SetSize(12);
    f.SetStyle({fsBold});
    m1->SetFont(&f);
    auto* m2 = new TfrxTestMemoView(band);
    m2->SetName("MemoDx");
    m2->SetBounds(0, 20, 1046.92981, 18.89765);
    m2->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    m2->Align = baWidth;
    m2->FlowTo = m1;
    r.Variables()->SetVariables(" 收据", Variant::Null());
    r.Variables()->SetVariables("dx", Variant("'壹拾元整'"));
    TfrxStyleItem* st = r.Styles()->Add();
    st->SetName("Title");
    st->Font()->SetStyle({fsBold});
    r.ReportOptions()->Password = "abc";
}

TEST(Serializer, TreeRoundTripsWithDefaultsLeftOut) {
    FixedClock clock;
    TfrxReport a(nullptr);
    Build(a);
    const std::string xml = Save(a);
    // Floats in 15 digits, defaults left out, names and escapes as written.
    EXPECT_NE(xml.find("<TfrxTestMemoView Name=\"MemoDx\" Left=\"0\" Top=\"20\" Width=\"1046.92981\" Height=\"18.89765\" GroupIndex=\"0\" Align=\"baWidth\" FlowTo=\"MemoNo\" Frame.Typ=\"15\" Memo.Text=\"\"/>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("Memo.Text=\"NO:[frxDBDataset2.&#34;票据号&#34;]&#13;&#10;second line\""), std::string::npos);
    EXPECT_NE(xml.find("Font.Name=\"宋体\""), std::string::npos);
    EXPECT_NE(xml.find("EngineOptions.MaxMemSize=\"10000000\""), std::string::npos);
    EXPECT_EQ(xml.find("EngineOptions.ConvertNulls"), std::string::npos);
    EXPECT_NE(xml.find("PreviewOptions.Buttons=\"2047\""), std::string::npos);
    EXPECT_NE(xml.find("PrintOptions.Printer=\"默认\""), std::string::npos);
    EXPECT_NE(xml.find("ReportOptions.Password=\"WXY\""), std::string::npos);
    EXPECT_NE(xml.find("<TfrxReport Name=\"\""), std::string::npos);
    EXPECT_EQ(xml.find("Visible="), std::string::npos);
    EXPECT_EQ(a.ReportOptions()->Password, "abc");

    TfrxReport b(nullptr);
    // The template is protected: loading asks for its password.
    SetfrxPasswordQuery([](std::string& typed) { typed = "abc"; return true; });
    Load(b, xml);
    SetfrxPasswordQuery(nullptr);
    EXPECT_EQ(b.Errors()->Count(), 0) << b.Errors()->Text();
    EXPECT_EQ(Save(b), xml);
    auto* dx = static_cast<TfrxTestMemoView*>(b.FindObject("MemoDx"));
    ASSERT_NE(dx, nullptr);
    EXPECT_EQ(dx->FlowTo, b.FindObject("MemoNo"));
    EXPECT_DOUBLE_EQ(dx->Width(), 1046.92981);
    EXPECT_EQ(static_cast<TfrxTestMemoView*>(b.FindObject("MemoNo"))->Memo()->Count(), 2);
    EXPECT_EQ(b.Variables()->Variables("DX").AsString(), "'壹拾元整'");
    EXPECT_EQ(b.Variables()->Items(0)->Name(), " 收据");
    ASSERT_NE(b.Styles()->Find("title"), nullptr);
    EXPECT_EQ(b.ReportOptions()->Password, "abc");
}

TEST(Serializer, FormResourceCarriesTheSameTree) {
    FixedClock clock;
    TfrxReport a(nullptr);
    Build(a);
    a.SetName("frxReport1");
    const std::string text = WriteComponentToText(&a);
    EXPECT_NE(text.find("object MemoDx: TfrxTestMemoView"), std::string::npos) << text;
    TfrxReport b(nullptr);
    ReadComponentFromText(text, &b);
    b.SetName("frxReport1");
    EXPECT_EQ(WriteComponentToText(&b), text);
    EXPECT_EQ(b.Variables()->Variables("dx").AsString(), "'壹拾元整'");
    EXPECT_EQ(static_cast<TfrxTestMemoView*>(b.FindObject("MemoDx"))->FlowTo, b.FindObject("MemoNo"));
}

TEST(Serializer, ObjectCopiesThroughAssign) {
    TfrxReport r(nullptr);
    Build(r);
    auto* src = static_cast<TfrxTestMemoView*>(r.FindObject("MemoNo"));
    auto* copy = new TfrxTestMemoView(r.FindObject("Band1"));
    copy->SetName("Copy");
    copy->Assign(src);
    EXPECT_EQ(copy->Name(), "Copy");
    EXPECT_EQ(copy->Memo()->Text(), src->Memo()->Text());
    EXPECT_EQ(copy->Font()->Name(), "宋体");
    EXPECT_EQ(copy->Diff(src), "");
}

struct BadCase {
    const char* name;
    std::string xml;
    const char* error;   // expected line in Errors
    const char* survivor;  // an object that must still load
};

class SerializerBadInput : public testing::TestWithParam<BadCase> {};

const std::string kHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\"><TfrxTestPage Name=\"Page1\"><TfrxTestBand Name=\"Band1\">";
const std::string kTail = "<TfrxTestMemoView Name=\"Ok\" Left=\"1\"/></TfrxTestBand></TfrxTestPage></TfrxReport>";

TEST_P(SerializerBadInput, IsReportedAndTheRestLoads) {
    const BadCase& c = GetParam();
    TfrxReport r(nullptr);
    Load(r, c.xml);
    EXPECT_GE(r.Errors()->IndexOf(c.error), 0) << r.Errors()->Text();
    EXPECT_NE(r.FindObject(c.survivor), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SerializerBadInput,
    testing::Values(
        BadCase{"unknown_class_skips_its_children",
                kHead + "<TfrxNoSuchView Name=\"X\"><TfrxTestMemoView Name=\"Inner\"/></TfrxNoSuchView>" + kTail,
                "未找到类 TfrxNoSuchView", "Ok"},
        BadCase{"bad_integer", kHead + "<TfrxTestMemoView Name=\"B\" Tag=\"12abc\"/>" + kTail,
                "'12abc' 不是有效的整数", "B"},
        BadCase{"bad_enumeration", kHead + "<TfrxTestMemoView Name=\"B\" Align=\"baSideways\"/>" + kTail,
                "'baSideways' 不是 Align 的有效值", "B"},
        BadCase{"odd_hex_propdata", kHead + "<TfrxTestMemoView Name=\"B\" Frame.PropData=\"ABC\"/>" + kTail,
                "Hexadecimal data of odd length", "Ok"},
        BadCase{"absurd_length", kHead + "<TfrxTestMemoView Name=\"B\" Height=\"1e300\"/>" + kTail,
                "'1e300' is out of range for Height", "B"},
        BadCase{"absurd_compact_length", kHead + "<TfrxTestMemoView Name=\"B\" w=\"-5000000\"/>" + kTail,
                "'-5000000' is out of range for Width", "B"},
        BadCase{"duplicate_name", kHead + "<TfrxTestMemoView Name=\"Ok2\"/><TfrxTestMemoView Name=\"ok2\"/>" + kTail,
                "重复命名", "Ok2"}),
    [](const testing::TestParamInfo<BadCase>& i) { return std::string(i.param.name); });

// A string of the collections' binary data that is no GB18030 is an error of its own item:
// its text keeps replacement characters, the later items load, and the report saves.
TEST(Serializer, UndecodableCollectionStringIsAnErrorOfItsItem) {
    const std::string bad =
        "<?xml version=\"1.0\"?><TfrxReport PropData=\"095661726961626C65730E01044E616D650602017F0001044E616D65"
        "060C0166011401360166010D012E0000\"/>";
    TfrxReport r(nullptr);
    Load(r, bad);
    EXPECT_EQ(r.Errors()->Text(), "TfrxVariable: item 0, Name: Invalid GB18030 byte sequence\r\n");
    ASSERT_EQ(r.Variables()->Count(), 2);
    EXPECT_EQ(r.Variables()->Items(0)->Name(), "\uFFFD");
    EXPECT_EQ(r.Variables()->Items(1)->Name(), "收据");
    const std::string saved = Save(r);
    TfrxReport again(nullptr);
    Load(again, saved);
    EXPECT_EQ(again.Errors()->Count(), 0) << again.Errors()->Text();
    ASSERT_EQ(again.Variables()->Count(), 2);
    EXPECT_EQ(again.Variables()->Items(0)->Name(), "\uFFFD");
    EXPECT_EQ(again.Variables()->Items(1)->Name(), "收据");
}

// A bad property later in the same collection: the items read before it are unpacked all
// the same (the bad string among them an error of its item), so the report still saves.
TEST(Serializer, CollectionCutShortKeepsItsItemsUnpacked) {
    const std::string bad =
        "<?xml version=\"1.0\"?><TfrxReport PropData=\"095661726961626C65730E01044E616D650602017F0001044E616C65"
        "060C0166011401360166010D012E0000\"/>";
    TfrxReport r(nullptr);
    Load(r, bad);
    const std::string errors = r.Errors()->Text();
    EXPECT_NE(errors.find("TfrxVariable: item 0, Name: Invalid GB18030 byte sequence"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Nale"), std::string::npos) << errors;
    ASSERT_GE(r.Variables()->Count(), 1);
    EXPECT_EQ(r.Variables()->Items(0)->Name(), "\uFFFD");
    const std::string saved = Save(r);
    TfrxReport again(nullptr);
    Load(again, saved);
    EXPECT_EQ(again.Errors()->Count(), 0) << again.Errors()->Text();
    ASSERT_EQ(again.Variables()->Count(), r.Variables()->Count());
    EXPECT_EQ(again.Variables()->Items(0)->Name(), "\uFFFD");
}

TEST(Serializer, AttributeForms) {
    TfrxReport r(nullptr);
    Load(r, kHead + "<TfrxTestMemoView Name=\"A\" Left=\"12,5\" Align=\"2\" l=\"3\" UnknownProp=\"1\"/>"
                    "<TfrxTestMemoView Name=\"B\" Left=\" 1 234.5 \" Align=\"baRight\" x=\"a&#13;&#10;b\"/>" + kTail);
    auto* a = static_cast<TfrxTestMemoView*>(r.FindObject("A"));
    auto* b = static_cast<TfrxTestMemoView*>(r.FindObject("B"));
    EXPECT_DOUBLE_EQ(a->Left(), 3);   // the compact key comes later and wins
    EXPECT_EQ(a->Align, baRight);
    EXPECT_EQ(b->Align, baRight);
    EXPECT_DOUBLE_EQ(b->Left(), 1234.5);
    EXPECT_EQ(b->Memo()->Count(), 2);
    EXPECT_EQ(r.Errors()->Count(), 0) << r.Errors()->Text();
}

TEST(Serializer, LoadKeepsOptionsOfTheReport) {
    TfrxReport r(nullptr);
    r.EngineOptions()->MaxMemSize = 77;
    r.PreviewOptions()->Modal = false;
    Load(r, "<?xml version=\"1.0\"?><TfrxReport Name=\"\" EngineOptions.MaxMemSize=\"5\" EngineOptions.DoublePass=\"True\""
            " PreviewOptions.Modal=\"True\" PreviewOptions.OutlineWidth=\"200\" IniFile=\"x.ini\"/>");
    EXPECT_EQ(r.EngineOptions()->MaxMemSize, 77);
    EXPECT_TRUE(r.EngineOptions()->DoublePass);
    EXPECT_FALSE(r.PreviewOptions()->Modal);
    EXPECT_EQ(r.PreviewOptions()->OutlineWidth, 200);
    EXPECT_EQ(r.IniFile, "\\Software\\Quirewell");
}

TEST(Serializer, MalformedFileRaisesTheFormatError) {
    TfrxReport r(nullptr);
    EXPECT_THROW(Load(r, "<TfrxReport/>"), EfrxXMLError);
    EXPECT_THROW(Load(r, kHead), EfrxXMLError);
}

TEST(Serializer, OneObjectForm) {
    TfrxReport r(nullptr);
    Build(r);
    TStringStream s;
    TfrxXMLSerializer w(&s);
    w.SetOwner(&r);
    w.WriteComponent(static_cast<TfrxComponent*>(r.FindObject("MemoDx")));
    EXPECT_EQ(s.DataString().rfind("<TfrxTestMemoView Left=\"0\"", 0), 0u) << s.DataString();
    s.SetPosition(0);
    TfrxXMLSerializer rd(&s);
    std::unique_ptr<TfrxComponent> obj(rd.ReadComponent(&r));
    ASSERT_NE(obj, nullptr);
    EXPECT_DOUBLE_EQ(obj->Width(), 1046.92981);
    EXPECT_EQ(static_cast<TfrxTestMemoView*>(obj.get())->FlowTo, r.FindObject("MemoNo"));
    TStringStream bad("<TfrxNothing/>");
    TfrxXMLSerializer rb(&bad);
    EXPECT_THROW(rb.ReadComponent(&r), EClassNotFound);
}

}  // namespace

// The string table, the utilities, options, variables, styles and the printer list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestObjects.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Serializer.h"
#include "report/Utils.h"
#include "report/XMLDocument.h"

namespace {

TEST(StringTable, TextsByKey) {
    TfrxResources& r = frxResources();
    EXPECT_EQ(r.Get("clErrors"), "发生一下错误:");
    EXPECT_EQ(r.Get("CLERRORS"), "发生一下错误:");
    EXPECT_EQ(r.Get("clDSNotExist"), "数据集 \"%s\" 不存在");
    EXPECT_EQ(r.Get("prDupl"), "重复命名");
    EXPECT_EQ(r.Get("prInvProp"), "非法属性值");
    EXPECT_EQ(r.Get("obReport"), "obReport");
    struct Block {
        const char* key;
        int lines;
    };
    for (const Block& b : {Block{"TfrxPreviewForm", 44}, Block{"TfrxPrintDialog", 18}, Block{"TfrxSearchDialog", 8},
                           Block{"TfrxPageSettingsForm", 23}, Block{"TfrxDMPExportDialog", 18}}) {
        TStringList lines;
        lines.SetText(r.Get(b.key));
        EXPECT_EQ(lines.Count(), b.lines) << b.key;
    }
    TfrxResources own;
    own.Add("k", "one");
    own.Add("K", "two");
    EXPECT_EQ(own.Get("k"), "two");
}

class TLocalizedForm : public TComponent {
    ROVE_CLASS(TLocalizedForm, TComponent)
public:
    using TComponent::TComponent;
    std::string Caption;
    static void DeclareProperties(TPropertyDecl<TLocalizedForm>& d) {
        d.Property("Caption", &TLocalizedForm::Caption, &TLocalizedForm::Caption);
    }
};
ROVE_IMPLEMENT_CLASS(TLocalizedForm)

TEST(StringTable, LocalizeFormSkipsWhatTheFormLacks) {
    TfrxResources r;
    r.Add("TLocalizedForm", "Caption=预览\nOkB.Caption=确定\nMissing.Caption=x\nNoSuchProp=y\nOkB.Nope=z");
    TLocalizedForm form(nullptr);
    auto* ok = new TLocalizedForm(&form);
    ok->SetName("OkB");
    r.LocalizeForm(&form);
    EXPECT_EQ(form.Caption, "预览");
    EXPECT_EQ(ok->Caption, "确定");
}

struct PageCase {
    const char* text;
    int max;
    const char* pages;   // nullptr: conversion error
};

TEST(Utils, PageNumbers) {
    const PageCase cases[] = {
        {"1,3,5-8", 20, "1 3 5 6 7 8"},
        {"10-", 12, "10 11 12"},
        {"7-5", 12, ""},
        {"1 , 2", 12, "1 2"},
        {"3,3", 5, "3 3"},
        {"", 5, ""},
        {"1-2000000000", 4, "1 2 3 4"},   // bounded by the page count
        {"0,9,2", 5, "2"},
        {"1,a", 5, nullptr},
        {"1-x", 5, nullptr},
    };
    for (const PageCase& c : cases) {
        TStringList list;
        if (!c.pages) {
            EXPECT_THROW(frxParsePageNumbers(c.text, &list, c.max), EConvertError) << c.text;
            continue;
        }
        frxParsePageNumbers(c.text, &list, c.max);
        std::string got;
        for (int i = 0; i < list.Count(); ++i) got += (i ? " " : "") + list[i];
        EXPECT_EQ(got, c.pages) << c.text;
    }
}

// Report numbers read back bit for bit as the runtime's conversion reads them, whichever
// way the text is written and whatever the decimal separator.
TEST(Utils, NumbersReadAsTheRuntimeReadsThem) {
    struct TRestore {
        char Saved = FormatSettings.DecimalSeparator;
        ~TRestore() { FormatSettings.DecimalSeparator = Saved; }
    } restore;
    std::vector<std::string> texts = {"0", "-0", "007", "5", "-5", "0.1", "-0.1", "12.5", "-12,5", "0.000001",
                                      "123456789012345", "-99999999999999.9", "1234567890123456", "9007199254740993",
                                      "1.2345678901234567", "0.30000000000000004", "1.", ".5", "1 234,5", " 12 ",
                                      "1e3", "+5", "1.2.3", "1,2.3", "-", "", "abc", "12a", "--1", "0x10"};
    uint64_t seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double v = static_cast<double>(static_cast<int64_t>(seed >> 20) % 2000000000000) / 997.0 - 1e9;
        texts.push_back(Format("%." + std::to_string(i % 10) + "f", {v}));
    }
    for (const char separator : {'.', ','}) {
        FormatSettings.DecimalSeparator = separator;
        for (const std::string& t : texts) {
            std::string normal;
            for (char c : t)
                if (c != ' ') normal += (c == '.' || c == ',') ? separator : c;
            double expected = 0;
            const bool valid = TryStrToFloat(normal, expected);
            SCOPED_TRACE(t + " with " + separator);
            if (!valid) {
                EXPECT_THROW(frxStrToFloat(t), EConvertError);
                continue;
            }
            const double got = frxStrToFloat(t);
            EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << got << " against " << expected;
        }
    }
}

TEST(Utils, NumbersSplitsHexAndBrackets) {
    EXPECT_DOUBLE_EQ(frxStrToFloat("1 234,5"), 1234.5);
    EXPECT_DOUBLE_EQ(frxStrToFloat("12.5"), 12.5);
    EXPECT_THROW(frxStrToFloat("abc"), EConvertError);
    EXPECT_EQ(frxFloatToStr(3), "3");
    EXPECT_EQ(frxFloatToStr(2.5), "2.50");
    TStringList parts;
    frxSplitString("a;;b", &parts, ';');
    EXPECT_EQ(parts.Text(), "a\r\n\r\nb\r\n");
    frxSplitString("a;", &parts, ';');
    EXPECT_EQ(parts.Count(), 1);
    TMemoryStream s;
    frxHexToStream("00FF7a", s);
    std::string hex;
    frxStreamToHex(s, hex);
    EXPECT_EQ(hex, "00FF7A");
    EXPECT_THROW(frxHexToStream("0G", s), EConvertError);
    std::string result;
    int index = 1, start = 0;
    frxGetBrackets("a [b [c] \"]\" d] e", '[', ']', result, index, start);
    EXPECT_EQ(result, "b [c] \"]\" d");
    EXPECT_EQ(start, 3);
    EXPECT_EQ(index, 15);
}

TEST(Options, WrittenOnlyWhereTheyDiffer) {
    TfrxXMLSerializer s(nullptr);
    TfrxEngineOptions e;
    EXPECT_EQ(s.ObjToXML(&e), " MaxMemSize=\"10000000\"");
    TfrxPrintOptions p;
    p.Printer = "x";
    p.Clear();
    EXPECT_EQ(p.Printer, "默认");
    TfrxPreviewOptions v;
    v.Modal = false;
    e.Assign(&v);   // another class: nothing happens
    EXPECT_EQ(e.MaxMemSize, 10000000);
    TfrxReportOptions r;
    EXPECT_TRUE(r.CheckPassword());
    r.Password = "abc";
    EXPECT_FALSE(r.CheckPassword());   // no way to ask
    SetfrxPasswordQuery([](std::string& typed) { typed = "abc"; return true; });
    EXPECT_TRUE(r.CheckPassword());
    SetfrxPasswordQuery([](std::string& typed) { typed = "ABC"; return true; });
    EXPECT_FALSE(r.CheckPassword());
    SetfrxPasswordQuery(nullptr);
    EXPECT_EQ(frxEncodePassword("abc"), "WXY");
    EXPECT_EQ(frxDecodePassword("WXY"), "abc");
}

TEST(Variables, CategoriesAndLookup) {
    TfrxVariables v;
    EXPECT_TRUE(v.Variables("x").IsNull());
    v.SetVariables("A0", Variant(0));
    v.SetVariables(" Cat1", Variant::Null());
    v.SetVariables("a1", Variant(1));
    v.SetVariables(" Cat2", Variant::Null());
    v.SetVariables(" Cat3", Variant::Null());
    v.SetVariables("c3", Variant(3));
    v.SetVariables("A1", Variant(11));
    EXPECT_EQ(v.Count(), 6);
    EXPECT_EQ(v.Variables("a1").AsInteger(), 11);
    v.AddVariable("cat2", "b2", Variant(2));
    v.AddVariable("Cat3", "d3", Variant(4));
    v.AddVariable("none", "zz", Variant(5));
    TStringList list;
    v.GetVariablesList("Cat2", &list);
    EXPECT_EQ(list.Text(), "b2\r\n");
    EXPECT_EQ(v.Items(5)->Name(), " Cat3");   // b2 went before the next category
    EXPECT_EQ(v.Items(v.Count() - 1)->Name(), "d3");
    v.GetVariablesList("", &list);
    EXPECT_EQ(list.Text(), "A0\r\n");
    v.GetCategoriesList(&list);
    EXPECT_EQ(list.Text(), "Cat1\r\nCat2\r\nCat3\r\n");
    v.DeleteCategory("Cat1");
    EXPECT_EQ(v.IndexOf("A0"), 0);
    EXPECT_EQ(v.IndexOf("a1"), -1);

    TStringStream out;
    v.SaveToStream(out);
    EXPECT_NE(out.DataString().find("<item Name=\" Cat2\"/>"), std::string::npos) << out.DataString();
    EXPECT_NE(out.DataString().find("<item Name=\"b2\" Value=\"2\"/>"), std::string::npos);
    TStringStream in(out.DataString());
    TfrxVariables back;
    back.LoadFromStream(in);
    EXPECT_EQ(back.Count(), v.Count());
    EXPECT_EQ(back.Variables("b2").AsString(), "2");
    TStringStream other("<?xml version=\"1.0\"?><dictionary><item Name=\"x\"/></dictionary>");
    back.LoadFromStream(other);
    EXPECT_EQ(back.Count(), 0);
}

TEST(Styles, NamesFilesAndApply) {
    TfrxReport report(nullptr);
    auto* page = new TfrxTestPage(&report);
    auto* band = new TfrxTestBand(page);
    auto* memo = new TfrxTestMemoView(band);
    memo->SetStyle("Title");
    TfrxStyles* set = report.Styles();
    TfrxStyleItem* a = set->Add();
    EXPECT_EQ(a->Color(), clNone);
    EXPECT_EQ(a->Font()->Name(), "Arial");
    a->SetName("Title");
    TfrxStyleItem* b = set->Add();
    EXPECT_THROW(b->SetName("title"), Exception);
    b->SetName("Style1");
    TfrxStyleItem* c = set->Add();
    c->SetName("Style3");
    TfrxStyleItem* d = set->Add();
    d->CreateUniqueName();
    EXPECT_EQ(d->Name(), "Style2");
    const int applied = memo->StyleApplied;
    set->Apply();
    EXPECT_EQ(memo->StyleApplied, applied + 1);
    EXPECT_EQ(memo->Style, "Title");

    set->SetName("Receipt");
    a->Frame()->Typ = TfrxFrameTypes{ftLeft, ftTop};
    TfrxStyleSheet sheet;
    sheet.Add()->Assign(set);
    sheet.Items(0)->SetName("Receipt");
    TStringStream out;
    sheet.SaveToStream(out);
    EXPECT_NE(out.DataString().find("<style Name=\"Receipt\">"), std::string::npos);
    EXPECT_NE(out.DataString().find("Frame.Typ=\"5\""), std::string::npos) << out.DataString();
    TStringStream in(out.DataString());
    TfrxStyleSheet back;
    back.LoadFromStream(in);
    ASSERT_NE(back.Find("receipt"), nullptr);
    EXPECT_EQ(back.Find("Receipt")->Count(), 4);
    EXPECT_EQ(back.Find("Receipt")->Find("Title")->Frame()->Typ.Mask(), 5u);
    // A sheet file read as one set gives an empty set.
    TStringStream again(out.DataString());
    TfrxStyles single;
    single.LoadFromStream(again);
    EXPECT_EQ(single.Count(), 0);
}

TEST(Printers, VirtualPrinterStandsInWithoutPrinters) {
    TfrxVirtualPrinter p("虚拟", "");
    p.Init();
    EXPECT_EQ(p.DPIX, 600);
    EXPECT_EQ(p.PaperSize, 9);
    EXPECT_EQ(p.Papers().Count(), 67);   // the custom size and the 66 table papers
    EXPECT_EQ(p.PaperIndex(256), 0);
    EXPECT_EQ(p.BinIndex(7), 0);
    EXPECT_EQ(p.Papers()[0], "自定义");
    EXPECT_EQ(p.Bins()[0], "默认");
    p.SetViewParams(9, 0, 0, poLandscape);
    EXPECT_DOUBLE_EQ(p.PaperWidth, 297);
    EXPECT_DOUBLE_EQ(p.PaperHeight, 210);
    EXPECT_DOUBLE_EQ(p.LeftMargin, 5);
    p.SetViewParams(48, 100, 150, poPortrait);
    EXPECT_EQ(p.PaperSize, 256);
    EXPECT_DOUBLE_EQ(p.PaperWidth, 100);
    struct Paper {
        int number, w, h;
    };
    for (const Paper& q : {Paper{1, 2159, 2794}, Paper{5, 2159, 3556}, Paper{8, 2970, 4200}, Paper{9, 2100, 2970},
                           Paper{11, 1480, 2100}, Paper{13, 1820, 2570}, Paper{20, 1048, 2413},
                           Paper{27, 1100, 2200}, Paper{66, 4200, 5940}, Paper{68, 3220, 4450}}) {
        int w = 0, h = 0;
        EXPECT_TRUE(frxGetPaperDimensions(q.number, w, h)) << q.number;
        EXPECT_EQ(w, q.w) << q.number;
        EXPECT_EQ(h, q.h) << q.number;
    }
    int w = 1, h = 2;
    EXPECT_FALSE(frxGetPaperDimensions(48, w, h));
    EXPECT_EQ(w, 1);
    EXPECT_EQ(frxPaperNumbers().size(), 66u);

    TfrxPrinters& list = frxPrinters();
    if (list.HasPhysicalPrinters()) GTEST_SKIP() << "printers are installed";
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Printer()->Name(), "虚拟");
    EXPECT_EQ(list.IndexOf("虚拟"), 0);
    EXPECT_EQ(list.IndexOf("none"), -1);
    list.SetPrinterIndex(-1);
    EXPECT_EQ(list.PrinterIndex(), 0);
}

}  // namespace

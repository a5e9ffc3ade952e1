// The report XML tree: reading edge cases, escaping, attribute access, the writer's exact
// output, partial loading with the temporary file, legacy GB18030 files.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "report/XMLDocument.h"
#include "script/XMLDocument.h"

namespace {

// name{text}[children] for a compact comparison of trees; "~" marks an unloaded element.
std::string Dump(const TfrxXMLItem* item) {
    std::string s = item->Name();
    if (!item->Text().empty()) s += "{" + item->Text() + "}";
    if (item->Unloadable() && !item->Loaded()) s += "~";
    if (item->Count() > 0) {
        s += "[";
        for (int i = 0; i < item->Count(); ++i) {
            if (i) s += ",";
            s += Dump(item->Items(i));
        }
        s += "]";
    }
    return s;
}

std::string Load(const std::string& xml, bool partial = false) {
    TStringStream stream(xml);
    TfrxXMLDocument doc;
    doc.LoadFromStream(stream, partial);
    return Dump(doc.Root());
}

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

struct ParseCase {
    const char* name;
    std::string xml;
    const char* tree;   // nullptr: "Invalid file format" expected
    bool partial = false;
};

class XMLParse : public testing::TestWithParam<ParseCase> {};

TEST_P(XMLParse, GivesTreeOrFormatError) {
    const ParseCase& c = GetParam();
    if (c.tree) {
        EXPECT_EQ(Load(c.xml, c.partial), c.tree);
    } else {
        try {
            Load(c.xml, c.partial);
            FAIL() << "no error";
        } catch (const EfrxXMLError& e) {
            EXPECT_STREQ(e.what(), "Invalid file format");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XMLParse,
    testing::Values(
        ParseCase{"empty_tag_equals_open_close", kHeader + "<r><a x=\"1\"/><a x=\"1\"></a></r>", "r[a{x=\"1\"},a{x=\"1\"}]"},
        ParseCase{"empty_tag_without_attributes", kHeader + "<r><a/><b></b></r>", "r[a,b]"},
        ParseCase{"comment_holding_tags_skipped", kHeader + "<r><!-- <x> </y> <z/> --><a/></r>", "r[a]"},
        ParseCase{"comment_with_extra_dashes", kHeader + "<r><!----x---><a/></r>", "r[a]"},
        ParseCase{"text_between_elements_dropped", kHeader + "\r\n  <r>hello <a/> world</r>", "r[a]"},
        ParseCase{"end_tag_ignores_case", kHeader + "<Root><Page></PAGE></root>", "Root[Page]"},
        ParseCase{"end_tag_other_name_fails", kHeader + "<r><a></b></r>", nullptr},
        ParseCase{"missing_header_fails", "<r><a/></r>", nullptr},
        ParseCase{"empty_stream_fails", "", nullptr},
        ParseCase{"header_only_fails", kHeader, nullptr},
        ParseCase{"less_than_inside_tag_fails", kHeader + "<r a=\"<\"/>", nullptr},
        ParseCase{"truncated_tag_fails", kHeader + "<r><a x=\"1\"", nullptr},
        ParseCase{"truncated_children_fail", kHeader + "<r><a>", nullptr},
        ParseCase{"unterminated_comment_fails", kHeader + "<r><!-- <a/>", nullptr},
        ParseCase{"marker_kept_out_without_partial", kHeader + "<r><p a=\"1\" ld=\"0\"><o/></p></r>", "r[p{a=\"1\"}[o]]"},
        ParseCase{"marker_unloads_with_partial", kHeader + "<r><p a=\"1\" ld=\"0\"><o/><o/></p></r>", "r[p{a=\"1\"}~]", true},
        ParseCase{"marker_name_ignores_case", kHeader + "<r><p LD=\"0\"><o/></p></r>", "r[p~]", true},
        ParseCase{"field_attribute_is_no_marker", kHeader + "<r><p field=\"0\"><o/></p></r>", "r[p{field=\"0\"}[o]]", true},
        ParseCase{"marker_value_must_be_zero", kHeader + "<r><p ld=\"1\"><o/></p></r>", "r[p{ld=\"1\"}[o]]", true},
        ParseCase{"nesting_beyond_limit_fails",
                  [] {
                      std::string s = kHeader;
                      for (int i = 0; i < 5000; ++i) s += "<a>";
                      for (int i = 0; i < 5000; ++i) s += "</a>";
                      return s;
                  }(),
                  nullptr}),
    [](const testing::TestParamInfo<ParseCase>& i) { return std::string(i.param.name); });

struct EscapeCase {
    const char* text;
    const char* xml;
};

TEST(XMLEscape, ToXMLEscapesTheSixCharacters) {
    const EscapeCase cases[] = {
        {"", ""},
        {"plain 文字", "plain 文字"},
        {"a\"b<c", "a&#34;b&#60;c"},
        {"1 & 2 > 0", "1 &#38; 2 &#62; 0"},
        {"l1\r\nl2", "l1&#13;&#10;l2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frxStrToXML(c.text), c.xml) << c.text;
        EXPECT_EQ(frxXMLToStr(c.xml), c.text) << c.xml;
    }
}

TEST(XMLEscape, FromXMLLeavesAnythingButNumericReferences) {
    const EscapeCase cases[] = {
        {"&amp;", "&amp;"},             // named entities are not decoded
        {"&#65", "&#65"},               // no closing semicolon
        {"&#x41;", "&#x41;"},           // not decimal: stays literal instead of raising
        {"&#;", "&#;"},
        {"&#0;", "&#0;"},               // no character of code 0
        {"&#55296;", "&#55296;"},       // a surrogate is no character
        {"&#99999999999;", "&#99999999999;"},
        {"&#20320;&#22909;", "你好"},  // code points, not bytes
        {"a&#38;#60;b", "a&#60;b"},     // decoded once
        {"x", "x"},
    };
    for (const auto& c : cases) EXPECT_EQ(frxXMLToStr(c.text), c.xml) << c.text;
}

TEST(XMLItem, AttributesByNameInPlace) {
    TfrxXMLItem item;
    item.SetText("Name=\"Memo1\" Left=\"10\" Top=\"20\"");
    EXPECT_EQ(item.Prop("left"), "10");
    EXPECT_EQ(item.Prop("TOP"), "20");
    EXPECT_EQ(item.Prop("Width"), "");
    item.SetProp("Left", "a\"<");
    EXPECT_EQ(item.Text(), "Name=\"Memo1\" Left=\"a&#34;&#60;\" Top=\"20\"");
    EXPECT_EQ(item.Prop("Left"), "a\"<");
    item.SetProp("Width", "5");
    EXPECT_EQ(item.Text(), "Name=\"Memo1\" Left=\"a&#34;&#60;\" Top=\"20\" Width=\"5\"");
    item.DeleteProp("name");
    EXPECT_EQ(item.Text(), "Left=\"a&#34;&#60;\" Top=\"20\" Width=\"5\"");
}

TEST(XMLItem, NameInsideAnEarlierValueIsNotAnAttribute) {
    // An outline text ending in " page=" must not be read as the page attribute.
    TfrxXMLItem item;
    item.SetProp("text", "see page=");
    item.SetProp("page", "3");
    EXPECT_EQ(item.Prop("page"), "3");
    EXPECT_EQ(item.Prop("text"), "see page=");
}

TEST(XMLItem, ChildrenMoveBetweenParents) {
    TfrxXMLItem a, b;
    TfrxXMLItem* x = a.Add();
    x->SetName("x");
    TfrxXMLItem* y = a.FindItem("Y");
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(a.FindItem("y"), y);
    b.AddItem(x);
    EXPECT_EQ(a.Count(), 1);
    EXPECT_EQ(x->Parent(), &b);
    b.InsertItem(0, y);
    EXPECT_EQ(Dump(&b), "[Y,x]");
    EXPECT_EQ(b.Find("X"), 1);
    EXPECT_EQ(b.Find("z"), -1);
    delete x;
    EXPECT_EQ(b.Count(), 1);
}

TEST(XMLWriter, IndentedOutputIsExact) {
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    doc.Root()->SetName("TfrxReport");
    doc.Root()->SetProp("Name", "");
    TfrxXMLItem* page = doc.Root()->Add();
    page->SetName("TfrxReportPage");
    page->SetProp("Name", "Page1");
    TfrxXMLItem* memo = page->Add();
    memo->SetName("TfrxMemoView");
    memo->SetProp("Memo.Text", "a\r\nb");
    TStringStream out;
    doc.SaveToStream(out);
    EXPECT_EQ(out.DataString(),
              kHeader + "\r\n"
                        "<TfrxReport Name=\"\">\r\n"
                        "  <TfrxReportPage Name=\"Page1\">\r\n"
                        "    <TfrxMemoView Memo.Text=\"a&#13;&#10;b\"/>\r\n"
                        "  </TfrxReportPage>\r\n"
                        "</TfrxReport>\r\n");
    doc.SetAutoIndent(false);
    TStringStream flat;
    doc.SaveToStream(flat);
    EXPECT_EQ(flat.DataString(), kHeader +
                                     "<TfrxReport Name=\"\"><TfrxReportPage Name=\"Page1\"><TfrxMemoView "
                                     "Memo.Text=\"a&#13;&#10;b\"/></TfrxReportPage></TfrxReport>");
    // Read back the same tree.
    TStringStream in(out.DataString());
    TfrxXMLDocument again;
    again.LoadFromStream(in);
    EXPECT_EQ(Dump(again.Root()), Dump(doc.Root()));
    EXPECT_EQ(again.Root()->Items(0)->Items(0)->Prop("Memo.Text"), "a\r\nb");
}

// A prepared-report-like document: pages whose objects load on demand.
std::string PagesXML(int pages, int objects) {
    std::string s = kHeader + "<preparedreport><previewpages>";
    for (int p = 0; p < pages; ++p) {
        s += "<page" + std::to_string(p) + " n=\"" + std::to_string(p) + "\" ld=\"0\">";
        for (int o = 0; o < objects; ++o) s += "<m t=\"" + std::to_string(o) + "\"/>";
        s += "</page" + std::to_string(p) + ">";
    }
    return s + "</previewpages></preparedreport>";
}

TEST(XMLPartialLoading, ChildrenComeBackFromSourceAndTempFile) {
    auto stream = std::make_unique<TStringStream>(PagesXML(3, 2));
    TfrxXMLDocument doc;
    doc.LoadFromStream(std::move(stream), true);
    TfrxXMLItem* pages = doc.Root()->Items(0);
    ASSERT_EQ(pages->Count(), 3);
    TfrxXMLItem* p1 = pages->Items(1);
    EXPECT_FALSE(p1->Loaded());
    EXPECT_EQ(p1->Count(), 0);
    EXPECT_EQ(p1->Prop("n"), "1");
    doc.LoadItem(p1);
    EXPECT_EQ(Dump(p1), "page1{n=\"1\"}[m{t=\"0\"},m{t=\"1\"}]");

    // Change the page and send it to the temporary file; it comes back changed.
    p1->Items(0)->SetProp("t", "changed");
    doc.UnloadItem(p1);
    EXPECT_FALSE(p1->Loaded());
    const std::string temp = doc.TempFileName();
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(FileExists(temp));
    doc.LoadItem(doc.Root()->Items(0)->Items(2));
    doc.UnloadItem(doc.Root()->Items(0)->Items(2));
    doc.LoadItem(p1);
    EXPECT_EQ(p1->Items(0)->Prop("t"), "changed");
    doc.UnloadItem(p1);

    // Saving writes unloaded pages in full and leaves them unloaded.
    TStringStream out;
    doc.SaveToStream(out);
    EXPECT_FALSE(p1->Loaded());
    TStringStream in(out.DataString());
    TfrxXMLDocument copy;
    copy.LoadFromStream(in);
    EXPECT_EQ(Dump(copy.Root()->Items(0)->Items(1)), "page1{n=\"1\"}[m{t=\"changed\"},m{t=\"1\"}]");
    EXPECT_EQ(Dump(copy.Root()->Items(0)->Items(2)), "page2{n=\"2\"}[m{t=\"0\"},m{t=\"1\"}]");
    EXPECT_NE(out.DataString().find("<page0 n=\"0\" ld=\"0\">"), std::string::npos);

    doc.Clear();
    EXPECT_FALSE(FileExists(temp));
}

TEST(XMLPartialLoading, TempFileGoesWithTheDocument) {
    std::string temp;
    {
        TfrxXMLDocument doc;
        TfrxXMLItem* page = doc.Root()->Add();
        page->SetName("page");
        page->SetUnloadable(true);
        page->Add()->SetName("m");
        doc.UnloadItem(page);
        temp = doc.TempFileName();
        EXPECT_TRUE(FileExists(temp));
    }
    EXPECT_FALSE(FileExists(temp));
}

TEST(XMLEncoding, LegacyGB18030FileIsDecoded) {
    // "默认" in GBK; the same bytes read as UTF-8 would be two Latin letters, so the
    // decision is taken for the whole file, which here holds an invalid UTF-8 byte.
    const std::string gbk = Utf8ToGbk("默认 打印");
    TStringStream in(kHeader + "<r p=\"" + gbk + "\"><item Name=\"" + Utf8ToGbk("收据") + "\"/></r>");
    TfrxXMLDocument doc;
    doc.LoadFromStream(in);
    EXPECT_EQ(doc.Root()->Prop("p"), "默认 打印");
    EXPECT_EQ(doc.Root()->Items(0)->Prop("Name"), "收据");
}

TEST(XMLEncoding, Utf8FileStaysAsItIs) {
    TStringStream in(kHeader + "<r p=\"默认\"/>");
    TfrxXMLDocument doc;
    doc.LoadFromStream(in);
    EXPECT_EQ(doc.Root()->Prop("p"), "默认");
}

TEST(XMLFile, SaveReplacesTheFileWhole) {
    const std::string dir = GetTempDir();
    const std::string name = CreateTempFile(dir, "xmltest");
    TfrxXMLDocument doc;
    doc.Root()->SetName("variables");
    doc.Root()->Add()->SetName("item");
    doc.SaveToFile(name);
    TfrxXMLDocument back;
    back.LoadFromFile(name);
    EXPECT_EQ(Dump(back.Root()), "variables[item]");
    DeleteFile(name);
}

// --- Packed children ---------------------------------------------------------------------

// Dump with every flag: "~" not loaded, "!" unloadable, "@N" the offset.
std::string DumpAll(const TfrxXMLItem* item) {
    std::string s = item->Name();
    if (!item->Text().empty()) s += "{" + item->Text() + "}";
    if (!item->Loaded()) s += "~";
    if (item->Unloadable()) s += "!";
    if (item->Offset() != 0) s += "@" + std::to_string(item->Offset());
    if (item->Count() > 0) {
        s += "[";
        for (int i = 0; i < item->Count(); ++i) {
            if (i) s += ",";
            s += DumpAll(item->Items(i));
        }
        s += "]";
    }
    return s;
}

std::string Save(TfrxXMLDocument& doc, bool indent) {
    doc.SetAutoIndent(indent);
    TStringStream out;
    doc.SaveToStream(out);
    return out.DataString();
}

// Names and texts that must come back byte for byte: escapes, multibyte text, blanks,
// empty texts, a name only a reader of ours would write, long texts (lengths over 127
// take two bytes and more).
TEST(XMLPacked, EveryNameAndTextComesBack) {
    struct TCase {
        const char* What;
        std::string Xml;   // children of the root
    };
    const std::string longText = "x=\"" + std::string(300, 'a') + "\" y=\"" + std::string(20000, 'b') + "\"";
    const TCase cases[] = {
        {"empty elements", "<a/><b></b>"},
        {"escaped characters", "<m x=\"&#10;&#13;&#34;&#38;&#60;&#62;\" y=\"&amp; &#65\"/>"},
        {"multibyte text", "<m x=\"项目12 合计 262.5 元\" 名=\"值\"/>"},
        {"text with blanks", "<m  x=\"1\"   y=\"2\" />"},
        {"nested children", "<b1 t=\"0\"><m1 x=\"1\"><s a=\"\"><t/></s></m1><m2/></b1><b2/>"},
        {"long texts", "<m " + longText + "/><n " + longText + "><o/></n>"},
        {"a thousand children", [] {
             std::string s;
             for (int i = 0; i < 1000; ++i) s += "<m" + std::to_string(i) + " x=\"" + std::to_string(i) + "\"/>";
             return s;
         }()},
    };
    for (const TCase& c : cases) {
        TStringStream in(kHeader + "<r>" + c.Xml + "</r>");
        TfrxXMLDocument doc;
        doc.LoadFromStream(in);
        const std::string tree = DumpAll(doc.Root());
        const std::string flat = Save(doc, false), indented = Save(doc, true);
        doc.Root()->Pack();
        EXPECT_TRUE(doc.Root()->Packed()) << c.What;
        // Written from the records, the file is the same, and the records stay packed.
        EXPECT_EQ(Save(doc, false), flat) << c.What;
        EXPECT_EQ(Save(doc, true), indented) << c.What;
        EXPECT_TRUE(doc.Root()->Packed()) << c.What;
        EXPECT_EQ(DumpAll(doc.Root()), tree) << c.What;
        // Unpacked by the walk above, packed again: still the same.
        doc.Root()->Pack();
        EXPECT_EQ(Save(doc, false), flat) << c.What;
        EXPECT_EQ(DumpAll(doc.Root()), tree) << c.What;
        // Compressed: written and walked the same, counted in memory at its full size.
        doc.Root()->Pack();
        const int64_t memory = doc.Root()->ChildrenMemory();
        doc.Root()->Compress(0);
        EXPECT_EQ(doc.Root()->ChildrenMemory(), memory) << c.What;
        EXPECT_EQ(Save(doc, true), indented) << c.What;
        doc.Root()->Compress(0);
        EXPECT_EQ(DumpAll(doc.Root()), tree) << c.What;
        EXPECT_FALSE(doc.Root()->Compressed()) << c.What;
    }
    // Records that shrink are held compressed, records below the size asked for are not.
    TStringStream in(kHeader + "<r>" + cases[6].Xml + "</r>");
    TfrxXMLDocument doc;
    doc.LoadFromStream(in);
    doc.Root()->Pack();
    doc.Root()->Compress(1 << 30);
    EXPECT_FALSE(doc.Root()->Compressed());
    doc.Root()->Compress();
    EXPECT_TRUE(doc.Root()->Compressed());
    EXPECT_EQ(doc.Root()->Count(), 1000);
    EXPECT_FALSE(doc.Root()->Compressed()) << "expanded to be read";
}

// Records kept before a reader unpacks an element and put back afterwards are the
// element's children again, compressed when they were; an element holding heap children
// keeps nothing.
TEST(XMLPacked, KeptRecordsComeBackAsTheyWere) {
    std::string xml;
    for (int i = 0; i < 200; ++i) xml += "<m" + std::to_string(i % 7) + " x=\"" + std::to_string(i) + "\"><c/></m" + std::to_string(i % 7) + ">";
    for (const bool compress : {false, true}) {
        TStringStream in(kHeader + "<r>" + xml + "</r>");
        TfrxXMLDocument doc;
        doc.LoadFromStream(in);
        TfrxXMLItem* root = doc.Root();
        EXPECT_TRUE(root->KeepRecords().Bytes.empty()) << "heap children";
        const std::string tree = DumpAll(root);
        root->Pack();
        if (compress) root->Compress(0);
        ASSERT_EQ(root->Compressed(), compress);
        const TfrxXMLItem::TKeptRecords before = root->KeepRecords();
        ASSERT_FALSE(before.Bytes.empty());
        TfrxXMLItem::TKeptRecords kept = root->KeepRecords();
        EXPECT_EQ(root->Items(5)->Prop("x"), "5") << "unpacked to be read";
        EXPECT_FALSE(root->Packed());
        root->RestoreRecords(std::move(kept));
        EXPECT_TRUE(root->Packed());
        EXPECT_EQ(root->Compressed(), compress);
        EXPECT_EQ(root->KeepRecords().Bytes, before.Bytes);
        EXPECT_EQ(root->KeepRecords().RawSize, before.RawSize);
        EXPECT_EQ(DumpAll(root), tree) << compress;
    }
}

// Loading state travels with the records: an element whose children wait in the source
// stream, one whose children went to the temporary file, one loaded from it again.
TEST(XMLPacked, PartialLoadingStateSurvivesPacking) {
    auto stream = std::make_unique<TStringStream>(PagesXML(4, 2));
    TfrxXMLDocument doc;
    doc.LoadFromStream(std::move(stream), true);
    TfrxXMLItem* pages = doc.Root()->Items(0);
    doc.LoadItem(pages->Items(1));
    pages->Items(1)->Items(0)->SetProp("t", "changed");
    doc.UnloadItem(pages->Items(1));          // in the temporary file
    doc.LoadItem(pages->Items(2));
    doc.UnloadItem(pages->Items(2));
    doc.LoadItem(pages->Items(2));            // loaded again, from the temporary file
    const std::string tree = DumpAll(pages);
    const std::string saved = Save(doc, false);
    pages->Pack();
    EXPECT_EQ(Save(doc, false), saved) << "unloaded pages are read back from the right stream";
    EXPECT_TRUE(pages->Packed());
    EXPECT_EQ(DumpAll(pages), tree);
    // After unpacking, unloaded pages still load, each from its own stream.
    for (int i = 0; i < pages->Count(); ++i) doc.LoadItem(pages->Items(i));
    EXPECT_EQ(DumpAll(pages->Items(1)), "page1{n=\"1\"}![m{t=\"changed\"},m{t=\"1\"}]") << "from the temporary file";
    EXPECT_EQ(pages->Items(0)->Items(1)->Prop("t"), "1");
    EXPECT_EQ(pages->Items(3)->Count(), 2);
    // A loaded page held compressed goes to the temporary file and back whole.
    for (int i = 0; i < 40; ++i) {
        TfrxXMLItem* m = pages->Items(3)->Add();
        m->SetName("m");
        m->SetText("t=\"" + std::to_string(i % 3) + "\"");
    }
    const std::string page3 = Dump(pages->Items(3));
    pages->Items(3)->Pack();
    pages->Items(3)->Compress(0);
    ASSERT_TRUE(pages->Items(3)->Compressed());
    doc.UnloadItem(pages->Items(3));
    doc.LoadItem(pages->Items(3));
    EXPECT_EQ(Dump(pages->Items(3)), page3);
}

TEST(XMLPacked, AccessorsSeeTheSameChildren) {
    const std::string xml = kHeader + "<r><a x=\"1\"><c/></a><B y=\"2\"/><a x=\"3\"/></r>";
    // Compressed records are tried on the same tree with a long text in the grandchild, so
    // that they shrink.
    const std::string pad = "p=\"" + std::string(600, 'q') + "\"";
    struct TCase {
        const char* What;
        std::function<std::string(TfrxXMLItem*)> Use;
        std::string Expected;
    };
    TfrxXMLItem outsider;
    const TCase cases[] = {
        {"Count", [](TfrxXMLItem* i) { return std::to_string(i->Count()); }, "3"},
        {"Items", [](TfrxXMLItem* i) { return i->Items(2)->Text(); }, "x=\"3\""},
        {"Items out of range", [](TfrxXMLItem* i) {
             try {
                 i->Items(3);
             } catch (const EListError&) {
                 return std::string("raised");
             }
             return std::string("no error");
         }, "raised"},
        {"Find ignores case", [](TfrxXMLItem* i) { return std::to_string(i->Find("b")); }, "1"},
        {"FindItem existing", [](TfrxXMLItem* i) { return i->FindItem("A")->Text(); }, "x=\"1\""},
        {"FindItem new", [](TfrxXMLItem* i) { i->FindItem("z"); return Dump(i); },
         "r[a{x=\"1\"}[c],B{y=\"2\"},a{x=\"3\"},z]"},
        {"Add", [](TfrxXMLItem* i) { i->Add()->SetName("n"); return Dump(i); },
         "r[a{x=\"1\"}[c],B{y=\"2\"},a{x=\"3\"},n]"},
        {"InsertItem", [](TfrxXMLItem* i) {
             auto* n = new TfrxXMLItem;
             n->SetName("n");
             i->InsertItem(1, n);
             return Dump(i);
         }, "r[a{x=\"1\"}[c],n,B{y=\"2\"},a{x=\"3\"}]"},
        {"AddItem moves a child in", [&outsider](TfrxXMLItem* i) {
             outsider.Add()->SetName("moved");
             i->AddItem(outsider.Items(0));
             return Dump(i) + " " + std::to_string(outsider.Count());
         }, "r[a{x=\"1\"}[c],B{y=\"2\"},a{x=\"3\"},moved] 0"},
        {"IndexOf a stranger", [](TfrxXMLItem* i) {
             TfrxXMLItem other;
             return std::to_string(i->IndexOf(&other));
         }, "-1"},
        {"parents and deletion", [](TfrxXMLItem* i) {
             TfrxXMLItem* b = i->Items(1);
             std::string s = b->Parent() == i ? "parent " : "stranger ";
             s += std::to_string(i->IndexOf(b)) + " ";
             delete b;
             return s + Dump(i);
         }, "parent 1 r[a{x=\"1\"}[c],a{x=\"3\"}]"},
        {"grandchildren", [](TfrxXMLItem* i) { return i->Items(0)->Items(0)->Name() + std::to_string(i->Items(0)->Count()); },
         "c1"},
        {"Clear", [](TfrxXMLItem* i) { i->Clear(); return Dump(i) + (i->Packed() ? " packed" : ""); }, "r"},
        {"AddPacked after heap children keeps the order", [](TfrxXMLItem* i) {
             i->Add()->SetName("heap");
             TfrxXMLPacker p;
             p.Add("rec", "v=\"1\"");
             i->AddPacked(p.Records());
             return Dump(i);
         }, "r[a{x=\"1\"}[c],B{y=\"2\"},a{x=\"3\"},heap,rec{v=\"1\"}]"},
        {"child reader", [](TfrxXMLItem* i) {
             std::string s;
             for (TfrxXMLChildReader c(i); c.Next();) s += std::string(c.Name()) + "=" + c.Prop("X") + c.Prop("y") + ";";
             return s;
         }, "a=1;B=2;a=3;"},
    };
    for (const TCase& c : cases) {
        for (const char* form : {"heap", "packed", "compressed"}) {
            const bool compressed = form[0] == 'c';
            std::string source = xml, expected = c.Expected;
            if (compressed) {
                source.replace(source.find("<c/>"), 4, "<c " + pad + "/>");
                if (const size_t at = expected.find("[c]"); at != std::string::npos)
                    expected.replace(at, 3, "[c{" + pad + "}]");
            }
            TStringStream copy(source);
            TfrxXMLDocument d;
            d.LoadFromStream(copy);
            if (form[0] != 'h') d.Root()->Pack();
            if (compressed) {
                d.Root()->Compress(0);
                ASSERT_TRUE(d.Root()->Compressed());
            }
            EXPECT_EQ(c.Use(d.Root()), expected) << c.What << " (" << form << ")";
        }
    }
}

TEST(XMLPacked, PackerBuildsNestedRecords) {
    TfrxXMLPacker p;
    p.Begin("b1", "t=\"0\"");
    p.Add("m1", "x=\"a&#38;b\"");
    p.Begin("s", "");
    p.End();                     // no children after all
    p.Begin("n", "k=\"v\"");
    p.Add("leaf", "");
    p.End();
    p.End();
    p.Add("b2", "");
    TfrxXMLItem item;
    item.SetName("page");
    item.AddPacked(p.Records());
    item.AddPacked({});
    EXPECT_EQ(Dump(&item), "page[b1{t=\"0\"}[m1{x=\"a&#38;b\"},s,n{k=\"v\"}[leaf]],b2]");
    p.Clear();
    EXPECT_TRUE(p.Empty());
}

// Records that are cut off, claim more bytes than there are or carry unknown flags raise
// the format error wherever they are read; nothing is read past the end.
TEST(XMLPacked, DamagedRecordsRaiseInsteadOfReadingPastTheEnd) {
    const std::string good = [] {
        TfrxXMLPacker p;
        p.Begin("b", "t=\"1\"");
        p.Add("m", "x=\"y\"");
        p.End();
        return std::string(p.Records());
    }();
    struct TCase {
        const char* What;
        std::string Records;
    };
    const TCase cases[] = {
        {"cut in the name", good.substr(0, 2)},
        {"cut in the children", good.substr(0, good.size() - 1)},
        {"name longer than the rest", std::string("\x00\x7f", 2) + "ab"},
        {"length past 64 bits", std::string("\x00", 1) + std::string(10, '\xff') + "\x01"},
        {"unknown flag", std::string("\x40\x01m\x00", 4)},
        {"children flag without children", std::string("\x10\x01m\x00\x00", 5)},
        {"a good record, then a cut one", good + std::string("\x00\x05", 2) + "ab"},
    };
    for (const TCase& c : cases) {
        TfrxXMLDocument doc;
        doc.Root()->SetName("r");
        doc.Root()->AddPacked(c.Records);
        auto formatError = [&](const std::function<void()>& f) {
            try {
                f();
            } catch (const EfrxXMLError& e) {
                return std::string(e.what()) == "Invalid file format";
            }
            return false;
        };
        // The children's children are read by the writer and by a second unpacking.
        EXPECT_TRUE(formatError([&] {
            TStringStream out;
            doc.SaveToStream(out);
            for (int i = 0; i < doc.Root()->Count(); ++i) doc.Root()->Items(i)->Count();
        })) << c.What;
        EXPECT_TRUE(formatError([&] {
            for (int i = 0; i < doc.Root()->Count(); ++i) Dump(doc.Root()->Items(i));
        })) << c.What;
    }
}

TEST(XMLPacked, MemoryOfPackedChildrenIsTheirRecords) {
    TfrxXMLItem item;
    for (int i = 0; i < 100; ++i) {
        TfrxXMLItem* m = item.Add();
        m->SetName("m" + std::to_string(i));
        m->SetProp("x", "项目" + std::to_string(i));
    }
    const int64_t heap = item.ChildrenMemory();
    item.Pack();
    const int64_t packed = item.ChildrenMemory();
    EXPECT_GT(heap, 100 * static_cast<int64_t>(sizeof(TfrxXMLItem)));
    EXPECT_LT(packed * 5, heap) << "a record costs a fraction of a heap element";
    EXPECT_GE(packed, 100 * 14) << "names and texts are all there";
}

}  // namespace

// Every byte value, alone and inside other text, becomes its reference when it is one of
// the six escaped characters and stays as it is otherwise: as the script library's XML
// escaping, written one character at a time, gives it.
TEST(XMLEscape, EveryByteIsEscapedOrKept) {
    for (int b = 0; b < 256; ++b) {
        const std::string c(1, static_cast<char>(b));
        for (const std::string& text : {c, "ab" + c + "cd", std::string(20, 'x') + c, c + "项目" + c}) {
            std::string out = "kept";
            frxAddStrToXML(out, text);
            EXPECT_EQ(out, "kept" + StrToXML(text)) << "byte " << b;
        }
    }
}

// A text written into the records in place, with the blanks in front dropped or not and
// with children or not, makes the same records as the element packed from the heap; so
// do Begin and Add. Texts and children run across the one-, two- and three-byte lengths.
TEST(XMLPacked, TextsWrittenInPlaceAreTheRecordsOfPackedElements) {
    const std::string texts[] = {"",
                                 " ",
                                 "  ",
                                 " x=\"1\"",
                                 "x=\"1\"",
                                 "\t x",
                                 " \x01y",
                                 " " + std::string(126, 'b'),
                                 " " + std::string(127, 'b'),
                                 " " + std::string(128, 'b'),
                                 "  " + std::string(127, 'b'),
                                 std::string(300, 'a'),
                                 " " + std::string(300, 'a')};
    struct TChildren {
        bool Open;
        int Count;   // records of 4 bytes each
    };
    const TChildren children[] = {{false, 0}, {true, 0}, {true, 1}, {true, 31}, {true, 32}, {true, 4095}, {true, 4096}};
    for (const std::string& text : texts) {
        for (const bool drop : {false, true}) {
            for (const TChildren& ch : children) {
                size_t blanks = 0;
                while (drop && blanks < text.size() && static_cast<unsigned char>(text[blanks]) <= ' ') ++blanks;
                TfrxXMLItem heap;
                TfrxXMLItem* first = heap.Add();
                first->SetName("before");
                first->SetText("k=\"v\"");
                TfrxXMLItem* element = heap.Add();
                element->SetName("el");
                element->SetText(text.substr(blanks));
                for (int i = 0; i < ch.Count; ++i) element->Add()->SetName("c");
                heap.Add()->SetName("after");
                heap.Pack();
                const std::string records = heap.PackedRecords();

                TfrxXMLPacker inPlace, whole;
                for (TfrxXMLPacker* p : {&inPlace, &whole}) p->Add("before", "k=\"v\"");
                inPlace.OpenHead(TfrxXMLPacker::RecordHead("el")) += text;
                inPlace.CloseText(drop, ch.Open);
                if (ch.Open) whole.Begin("el", text.substr(blanks));
                else whole.Add("el", text.substr(blanks));
                for (TfrxXMLPacker* p : {&inPlace, &whole}) {
                    for (int i = 0; i < ch.Count; ++i) p->Add("c", "");
                    if (ch.Open) p->End();
                    p->Add("after", "");
                }
                const std::string what = "text of " + std::to_string(text.size()) + (drop ? ", dropped" : "") +
                                         ", children " + std::to_string(ch.Count);
                EXPECT_EQ(std::string(inPlace.Records()), records) << what;
                EXPECT_EQ(std::string(whole.Records()), records) << what;
            }
        }
    }
}

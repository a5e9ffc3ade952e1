// The script XML tree: reading, writing, escaping and the item operations.
#include "script/XMLDocument.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"
#include "script/Messages.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// name(children...) with a leaf's attribute text after '|', for comparing whole trees.
std::string Dump(const TfsXMLItem* item) {
    std::string s = item->Name();
    if (!item->Text().empty()) s += "|" + item->Text();
    if (item->Count() > 0) {
        s += "(";
        for (int i = 0; i < item->Count(); ++i) {
            if (i) s += ' ';
            s += Dump(item->Items(i));
        }
        s += ")";
    }
    return s;
}

std::string LoadDump(const std::string& xml) {
    TfsXMLDocument doc;
    doc.LoadFromString(xml);
    return Dump(doc.Root());
}

struct LoadCase {
    const char* name;
    const char* xml;
    const char* tree;
};

class XMLLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(XMLLoad, GivesTree) { EXPECT_EQ(LoadDump(GetParam().xml), GetParam().tree); }

INSTANTIATE_TEST_SUITE_P(
    Script, XMLLoad,
    testing::Values(
        LoadCase{"reference", "<?xml version=\"1.0\"?><program><x text=\"a&#62;b\"/></program>",
                 "program(x|text=\"a&#62;b\")"},
        LoadCase{"empty_tags", "<?xml?><a><b/><c x=\"1\"/><d x=\"2\" /></a>", "a(b c|x=\"1\" d|x=\"2\" )"},
        LoadCase{"start_end_pair", "<?xml?><a><b></b></a>", "a(b)"},
        LoadCase{"eof_closes_open_elements", "<?xml?><a><b/>", "a(b)"},
        LoadCase{"closing_tag_case_ignored", "<?xml?><Abc><x/></aBC>", "Abc(x)"},
        LoadCase{"text_between_tags_dropped", "<?xml?><a>hello<b/>world</a>", "a(b)"},
        LoadCase{"comment_holding_tag", "<?xml?><a><!-- <b/> --><c/></a>", "a(c)"},
        LoadCase{"comment_ends_after_dashes", "<?xml?><a><!-- x > y -- z ><c/></a>", "a(c)"},
        LoadCase{"one_trailing_blank_dropped", "<?xml?><a x=\"1\"  ></a>", "a|x=\"1\" "},
        LoadCase{"lines_and_indent", "<?xml version=\"1.0\"?>\r\n<a>\r\n  <b/>\r\n</a>\r\n", "a(b)"},
        LoadCase{"utf8_untouched", "<?xml?><a t=\"中文\"/>", "a|t=\"中文\""}),
    [](const auto& info) { return std::string(info.param.name); });

class XMLInvalid : public testing::TestWithParam<const char*> {};

TEST_P(XMLInvalid, RaisesInvalidFileFormat) {
    TfsXMLDocument doc;
    try {
        doc.LoadFromString(GetParam());
        FAIL() << "loaded " << GetParam();
    } catch (const EScriptError& e) {
        EXPECT_EQ(e.Message(), "Invalid file format");
    }
}

INSTANTIATE_TEST_SUITE_P(Script, XMLInvalid,
                         testing::Values("", "<program></program>", "<?xml?><a><b></a>", "<?xml?><a <b/></a>",
                                         "<?xml?><a><b", "<?xml?><a><!-- never closed", "<?xml?><a></b>",
                                         "no tags at all"));

TEST(XMLDocument, RoundTripKeepsEveryCharacterOfAttributeValues) {
    const std::string values[] = {"plain", "a\"b<c>d&e", "&#60; stays text", "line1\r\nline2\n", "中文 & 符号",
                                  "trailing &#", "'quoted'"};
    TfsXMLDocument doc;
    doc.Root()->SetName("root");
    for (const std::string& v : values) {
        TfsXMLItem* item = doc.Root()->Add();
        item->SetName("item");
        item->SetText("text=\"" + StrToXML(v) + "\" n=\"1\"");
        item->Add()->SetName("child");
    }
    for (bool indent : {false, true}) {
        doc.SetAutoIndent(indent);
        TfsXMLDocument back;
        back.LoadFromString(doc.SaveToString());
        ASSERT_EQ(back.Root()->Count(), static_cast<int>(std::size(values)));
        EXPECT_EQ(Dump(back.Root()), Dump(doc.Root()));
        for (size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(back.Root()->Items(static_cast<int>(i))->Prop("text"), values[i]);
    }
}

TEST(XMLDocument, WriterFormat) {
    TfsXMLDocument doc;
    doc.LoadFromString("<?xml?><a x=\"1\"><b/><c> <d/></c></a>");
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?><a x=\"1\"><b/><c><d/></c></a>");
    doc.SetAutoIndent(true);
    EXPECT_EQ(doc.SaveToString(),
              "<?xml version=\"1.0\"?>\r\n<a x=\"1\">\r\n  <b/>\r\n  <c>\r\n    <d/>\r\n  </c>\r\n</a>\r\n");
    doc.LoadFromString("<?xml?><a>hello</a>");
    doc.SetAutoIndent(false);
    EXPECT_EQ(doc.SaveToString(), "<?xml version=\"1.0\"?><a/>");
}

struct EscapeCase {
    const char* text;
    const char* xml;
};

TEST(XMLDocument, Escaping) {
    const EscapeCase cases[] = {
        {"a<b>c", "a&#60;b&#62;c"}, {"\"&\"", "&#34;&#38;&#34;"}, {"\r\n", "&#13;&#10;"},
        {"&#60;", "&#38;#60;"},     {"中文'", "中文'"},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(StrToXML(c.text), c.xml) << c.text;
        EXPECT_EQ(XMLToStr(c.xml), c.text) << c.xml;
    }
    const EscapeCase decodeOnly[] = {
        {"&", "&#38;"},          {"中", "&#20013;"},         {"&#", "&#"},           {"a&#60", "a&#60"},
        {"&#;", "&#;"},          {"&#x41;", "&#x41;"},       {"&#9999999999;", "&#9999999999;"},
        {"&#55296;", "&#55296;"}, {"&amp;", "&amp;"},        {"A&#66", "&#65;&#66"},
    };
    for (const EscapeCase& c : decodeOnly) EXPECT_EQ(XMLToStr(c.xml), c.text) << c.xml;
}

TEST(XMLItem, PropFindsWholeAttributeNamesIgnoringCase) {
    TfsXMLItem item;
    item.SetText("addtext=\"no\" text=\"a&#62;b\" pos=\"1:2\" open=\"x");
    EXPECT_EQ(item.Prop("text"), "a>b");
    EXPECT_EQ(item.Prop("TEXT"), "a>b");
    EXPECT_EQ(item.Prop("AddText"), "no");
    EXPECT_EQ(item.Prop("pos"), "1:2");
    EXPECT_EQ(item.Prop("os"), "");
    EXPECT_EQ(item.Prop("missing"), "");
    EXPECT_EQ(item.Prop("open"), "x");
    EXPECT_EQ(item.Prop(""), "");
}

TEST(XMLItem, ChildOperations) {
    TfsXMLItem root;
    root.SetName("r");
    root.Add()->SetName("a");
    root.Add()->SetName("b");
    EXPECT_EQ(root.Find("B"), 1);
    EXPECT_EQ(root.Find("c"), -1);
    TfsXMLItem* c = root.FindItem("c");
    EXPECT_EQ(c->Name(), "c");
    EXPECT_EQ(root.Count(), 3);
    EXPECT_EQ(root.FindItem("A"), root.Items(0));

    auto* x = new TfsXMLItem;
    x->SetName("x");
    root.InsertItem(0, x);
    EXPECT_EQ(Dump(&root), "r(x a b c)");
    EXPECT_EQ(x->Parent(), &root);
    EXPECT_EQ(x->Root(), &root);

    // AddItem moves an item out of its former parent.
    TfsXMLItem other;
    other.SetName("o");
    other.AddItem(root.Items(1));
    EXPECT_EQ(Dump(&root), "r(x b c)");
    EXPECT_EQ(Dump(&other), "o(a)");

    // Freeing an item takes it out of its parent's list.
    delete root.Items(1);
    EXPECT_EQ(Dump(&root), "r(x c)");

    EXPECT_THROW(root.Items(2), EListError);
    EXPECT_THROW(root.Items(-1), EListError);
    // A refused insertion leaves the item with the caller.
    TfsXMLItem loose;
    EXPECT_THROW(root.InsertItem(5, &loose), EListError);
    EXPECT_EQ(loose.Parent(), nullptr);
    EXPECT_THROW(x->AddItem(&root), EInvalidOperation);
    EXPECT_THROW(x->AddItem(x), EInvalidOperation);

    root.Clear();
    EXPECT_EQ(root.Count(), 0);
}

TEST(XMLItem, AssignCopiesDeeplyAlsoFromADescendant) {
    TfsXMLDocument doc;
    doc.LoadFromString("<?xml?><a k=\"1\"><b><c/></b><d/></a>");
    int tag = 0;
    doc.Root()->Items(0)->SetData(&tag);
    TfsXMLItem copy;
    copy.Add()->SetName("old");
    copy.Assign(doc.Root());
    EXPECT_EQ(Dump(&copy), "a|k=\"1\"(b(c) d)");
    EXPECT_EQ(copy.Items(0)->Data(), &tag);
    EXPECT_EQ(copy.Items(0)->Parent(), &copy);

    doc.Root()->Assign(doc.Root()->Items(0));
    EXPECT_EQ(Dump(doc.Root()), "b(c)");
    copy.Assign(nullptr);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(XMLDocument, DeepNestingNeitherOverflowsNorLeaks) {
    const int depth = 200000;
    std::string xml = "<?xml?>";
    for (int i = 0; i < depth; ++i) xml += "<a>";
    for (int i = 0; i < depth; ++i) xml += "</a>";
    TfsXMLDocument doc;
    doc.LoadFromString(xml);
    const std::string written = doc.SaveToString();
    EXPECT_EQ(written.size(), std::string("<?xml version=\"1.0\"?>").size() + (depth - 1) * 7 + 4);
    TfsXMLItem copy;
    copy.Assign(doc.Root());
    int levels = 0;
    for (const TfsXMLItem* i = &copy; i->Count() > 0; i = i->Items(0)) ++levels;
    EXPECT_EQ(levels, depth - 1);
}

TEST(XMLDocument, StreamIsLeftBehindTheDocument) {
    TStringStream stream("junk<?xml?><a><b/></a>tail");
    stream.SetPosition(4);
    TfsXMLDocument doc;
    doc.LoadFromStream(stream);
    EXPECT_EQ(Dump(doc.Root()), "a(b)");
    EXPECT_EQ(stream.ReadRemaining(), "tail");

    TStringStream out;
    doc.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "<?xml version=\"1.0\"?><a><b/></a>");
}

TEST(XMLDocument, FileRoundTrip) {
    const std::string dir = GetTempDir() + "scriptfe-xml-" + std::to_string(::getpid()) + "/";
    ASSERT_TRUE(ForceDirectories(dir));
    const std::string file = dir + "tree.xml";
    TfsXMLDocument doc;
    doc.LoadFromString("<?xml?><a t=\"&#38;\"><b/></a>");
    doc.SaveToFile(file);
    TfsXMLDocument back;
    back.LoadFromFile(file);
    EXPECT_EQ(Dump(back.Root()), "a|t=\"&#38;\"(b)");
    EXPECT_EQ(back.Root()->Prop("t"), "&");
    EXPECT_THROW(back.LoadFromFile(dir + "missing.xml"), EFOpenError);
    DeleteFile(file);
    rmdir(dir.c_str());
}

}  // namespace

// The attribute texts of prepared objects compiled once and applied to every object built
// from the same source: what they do to an object is what reading the text does.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "report/MemoView.h"
#include "report/Report.h"
#include "report/Serializer.h"

// An attribute text compiled on one object does to the next fresh object of the class what
// reading the text does: the same properties, the same values, the same errors (a value
// that does not convert fails on every object).
TEST(Serializer, CompiledAttributesDoWhatTheTextDoes) {
    struct Case {
        const char* Name;
        std::string Text;
    };
    const std::vector<Case> cases = {
        {"compact keys", " l=\"10\" t=\"2.5\" w=\"100\" h=\"18.89765\" x=\"第 1 页&#13;&#10;b\""},
        {"nested objects", " Font.Name=\"宋体\" Font.Height=\"-13\" Font.Style=\"1\" Frame.Typ=\"15\""
                           " Highlight.Font.Color=\"255\" HAlign=\"haRight\" Memo.Text=\"a&#13;&#10;b\""},
        {"bad values", " HAlign=\"haSideways\" Height=\"1e300\" Tag=\"12abc\" w=\"-5000000\" Left=\"7\""},
        {"unknown names", " NoSuch=\"1\" Font.NoSuch=\"2\" Memo.Other=\"3\" Frame.Typ.Deeper=\"4\" Top=\"3\""},
        {"bad custom data", " Frame.PropData=\"ABC\" GapX=\"4\""},
        {"a later value wins", " Left=\"1\" l=\"2\" Font.Name=\"Arial\" Font.Name=\"黑体\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxReport report(nullptr);
        auto Make = [&] { return std::make_unique<TfrxMemoView>(&report); };
        auto read = Make(), first = Make(), second = Make();
        TfrxXMLSerializer byText(nullptr), compiling(nullptr), applying(nullptr);
        byText.XMLToObj(c.Text, read.get());
        std::shared_ptr<const TfrxCompiledAttributes> compiled = compiling.CompileToObj(c.Text, first.get());
        ASSERT_NE(compiled, nullptr);
        applying.ApplyCompiled(*compiled, second.get());
        TfrxXMLSerializer writer(nullptr);
        const std::string expected = writer.ObjToXML(read.get());
        EXPECT_EQ(writer.ObjToXML(first.get()), expected);
        EXPECT_EQ(writer.ObjToXML(second.get()), expected);
        EXPECT_EQ(compiling.Errors().Text(), byText.Errors().Text());
        EXPECT_EQ(applying.Errors().Text(), byText.Errors().Text());
    }
}

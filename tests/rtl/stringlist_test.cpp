// TStringList: text and comma text in both directions, sorting and duplicates, look-ups,
// name=value lines, index errors, change notification and files.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Strings(i));
    return out;
}

using V = std::vector<std::string>;

struct TextCase {
    const char* name;
    std::string text;
    V lines;
};

class StringListText : public testing::TestWithParam<TextCase> {};

TEST_P(StringListText, SplitsAtEveryLineBreakKind) {
    TStringList list;
    list.SetText(GetParam().text);
    EXPECT_EQ(Lines(list), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rtl, StringListText, testing::Values(
    TextCase{"empty", "", {}},
    TextCase{"one-line", "abc", {"abc"}},
    TextCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
    TextCase{"lf", "a\nb", {"a", "b"}},
    TextCase{"cr", "a\rb\r", {"a", "b"}},
    TextCase{"mixed", "中\r\n文\nx\ry", {"中", "文", "x", "y"}},
    TextCase{"blank-lines", "\r\n\r\na\r\n\r\n", {"", "", "a", ""}},
    TextCase{"lf-cr-is-two-breaks", "a\n\rb", {"a", "", "b"}},
    TextCase{"only-break", "\n", {""}}),
    [](const testing::TestParamInfo<TextCase>& info) {
        std::string n = info.param.name;
        for (char& c : n) if (c == '-') c = '_';
        return n;
    });

TEST(StringList, TextEndsEveryLineWithCrLf) {
    TStringList list;
    EXPECT_EQ(list.Text(), "");
    list.Add("中文");
    list.Add("");
    list.Add("b");
    EXPECT_EQ(list.Text(), "中文\r\n\r\nb\r\n");
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(Lines(back), Lines(list));
}

TEST(StringList, CommaTextQuotesWhatWouldNotReadBack) {
    struct Case { V lines; std::string comma; };
    const Case cases[] = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c"}, "\"a b\",c"},
        {{"x,y"}, "\"x,y\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{""}, "\"\""},
        {{}, ""},
        {{"/home/张三/报表.bl3", "tab\there"}, "/home/张三/报表.bl3,\"tab\there\""},
        {{std::string("nul\0inside", 10)}, std::string("\"nul\0inside\"", 12)},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const auto& s : c.lines) list.Add(s);
        EXPECT_EQ(list.CommaText(), c.comma);
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(Lines(back), c.lines) << c.comma;
    }
}

TEST(StringList, CommaTextReadingRules) {
    struct Case { const char* comma; V lines; };
    const Case cases[] = {
        {"a b,c", {"a", "b", "c"}},              // unquoted blanks separate too
        {"  a ,  b  ", {"a", "b"}},
        {"a,", {"a", ""}},                       // a final delimiter adds an empty line
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"unclosed", {"unclosed"}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"", {}},
        {"a\tb\x01,c", {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetCommaText(c.comma);
        EXPECT_EQ(Lines(list), c.lines) << c.comma;
    }
}

TEST(StringList, DelimitedTextUsesItsDelimiterAndQuote) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetDelimitedText("a;'b;c';'it''s'");
    TStringList nul;
    nul.SetCommaText(std::string("a\0b", 3));                // a NUL ends an item, as a blank does
    EXPECT_EQ(Lines(nul), (V{"a", "b"}));
    EXPECT_EQ(Lines(list), (V{"a", "b;c", "it's"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';'it''s'");
    EXPECT_EQ(list.CommaText(), "a,b;c,it's");
}

TEST(StringList, SortedListKeepsOrderAndHandlesDuplicates) {
    struct Case { TDuplicates dup; V lines; };
    const Case cases[] = {
        {dupIgnore, {"Apple", "b", "c"}},
        {dupAccept, {"apple", "Apple", "b", "c"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.dup);
        list.Add("c");
        list.Add("Apple");
        list.Add("b");
        const int index = list.Add("apple");   // equal ignoring case
        EXPECT_EQ(Lines(list), c.lines);
        EXPECT_EQ(index, 0);
    }
    TStringList strict;
    strict.SetSorted(true);
    strict.SetDuplicates(dupError);
    strict.Add("x");
    try {
        strict.Add("X");
        FAIL() << "duplicate accepted";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(strict.Count(), 1);
}

// Adding many lines at once leaves the list as adding them one by one does: order,
// objects, duplicates kept, dropped or refused, and what was in the list before.
TEST(StringList, AddingManyLinesAtOnceMatchesAddingThemOneByOne) {
    struct TSetup {
        const char* Name;
        bool Sorted, CaseSensitive;
        TDuplicates Duplicates;
        int Existing;   // lines in the list before
    };
    const TSetup setups[] = {
        {"unsorted", false, false, dupAccept, 5},
        {"sorted, duplicates ignored", true, false, dupIgnore, 0},
        {"sorted, duplicates ignored, lines there before", true, false, dupIgnore, 30},
        {"sorted, duplicates accepted", true, false, dupAccept, 0},
        {"sorted, duplicates accepted, lines there before", true, false, dupAccept, 30},
        {"sorted, case sensitive, duplicates accepted", true, true, dupAccept, 12},
        {"sorted, case sensitive, duplicates ignored", true, true, dupIgnore, 12},
        {"sorted, duplicates refused", true, false, dupError, 3},
    };
    // Names with repeats that differ in case, so that equal lines are not identical.
    const char* stems[] = {"Memo", "memo", "Band", "Page", "MEMO", "Line", "band"};
    uint32_t seed = 7;
    auto next = [&](uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 10) % n;
    };
    std::vector<int> objects(400);
    for (const TSetup& setup : setups) {
        SCOPED_TRACE(setup.Name);
        TStringList one, many;
        for (TStringList* l : {&one, &many}) {
            l->SetCaseSensitive(setup.CaseSensitive);
            l->SetDuplicates(setup.Duplicates);
            l->SetSorted(setup.Sorted);
        }
        for (int i = 0; i < setup.Existing; ++i) {
            const std::string line = std::string(stems[next(7)]) + std::to_string(next(20));
            for (TStringList* l : {&one, &many}) {
                try {
                    l->AddObject(line, reinterpret_cast<TObject*>(&objects[static_cast<size_t>(i)]));
                } catch (const EStringListError&) {
                }
            }
        }
        std::vector<std::pair<std::string, TObject*>> lines;
        for (size_t i = 0; i < 300; ++i)
            lines.emplace_back(std::string(stems[next(7)]) + std::to_string(next(25)),
                               reinterpret_cast<TObject*>(&objects[100 + i]));
        bool refusedOne = false, refusedMany = false;
        try {
            for (auto& [line, object] : lines) one.AddObject(line, object);
        } catch (const EStringListError&) {
            refusedOne = true;
        }
        int changes = 0;
        many.SetOnChange([&](TStringList&) { ++changes; });
        try {
            many.AddObjects(lines);
        } catch (const EStringListError&) {
            refusedMany = true;
        }
        EXPECT_EQ(refusedMany, refusedOne);
        ASSERT_EQ(Lines(many), Lines(one));
        for (int i = 0; i < one.Count(); ++i) ASSERT_EQ(many.Objects(i), one.Objects(i)) << i;
        if (setup.Duplicates != dupError) {
            EXPECT_EQ(changes, 1);
        }
    }
}

TEST(StringList, FindOnSortedList) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const char* s : {"d", "b", "b", "b", "f", "a"}) list.Add(s);
    ASSERT_EQ(Lines(list), (V{"a", "b", "b", "b", "d", "f"}));
    struct Case { const char* s; bool found; int index; };
    const Case cases[] = {
        {"B", true, 1},     // the first of equal lines when duplicates are accepted
        {"a", true, 0}, {"f", true, 5}, {"c", false, 4}, {"0", false, 0}, {"z", false, 6},
    };
    for (const Case& c : cases) {
        int index = -1;
        EXPECT_EQ(list.Find(c.s, index), c.found) << c.s;
        EXPECT_EQ(index, c.index) << c.s;
    }
    EXPECT_EQ(list.IndexOf("D"), 4);
    EXPECT_EQ(list.IndexOf("c"), -1);
}

TEST(StringList, CaseSensitiveChangesLookupsAndOrder) {
    TStringList list;
    list.Add("b");
    list.Add("B");
    list.Add("a");
    EXPECT_EQ(list.IndexOf("B"), 0);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("B"), 1);
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (V{"B", "a", "b"}));   // byte order
    list.SetCaseSensitive(false);
    EXPECT_EQ(Lines(list), (V{"a", "B", "b"}));   // re-sorted, equal lines keep their order
}

TEST(StringList, SortedListRefusesPositionalChanges) {
    TStringList list;
    list.SetSorted(true);
    list.Add("a");
    list.Add("b");
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "z"), EStringListError);
    EXPECT_THROW(list.Exchange(0, 1), EStringListError);
    EXPECT_THROW(list.Move(0, 1), EStringListError);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));       // nothing lost on the refused move
}

TEST(StringList, IndexErrorsNameTheIndex) {
    TStringList list;
    list.Add("a");
    auto message = [](auto fn) {
        try {
            fn();
        } catch (const EStringListError& e) {
            return e.Message();
        }
        return std::string("no exception");
    };
    EXPECT_EQ(message([&] { list.Strings(1); }), "List index out of bounds (1)");
    EXPECT_EQ(message([&] { list.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(message([&] { list.Insert(3, "x"); }), "List index out of bounds (3)");
    EXPECT_EQ(message([&] { list.Objects(2); }), "List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Exchange(0, 5); }), "List index out of bounds (5)");
    EXPECT_NO_THROW(list.Insert(1, "end"));      // Count itself is a valid insertion point
}

TEST(StringList, NamesAndValues) {
    TStringList list;
    list.SetText("Width=100\r\n姓名=张三\r\nnovalue\r\nEmpty=\r\nx=a=b\r\n");
    EXPECT_EQ(list.Values("width"), "100");
    EXPECT_EQ(list.Values("姓名"), "张三");
    EXPECT_EQ(list.Values("x"), "a=b");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");       // a line without '=' has no value
    EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
    EXPECT_EQ(list.IndexOfName("novalue"), -1);

    list.SetValues("Width", "200");
    list.SetValues("Height", "50");
    list.SetValues("姓名", "");                 // an empty value removes the line
    EXPECT_EQ(Lines(list), (V{"Width=200", "novalue", "Empty=", "x=a=b", "Height=50"}));

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetValues("b", "1");
    sorted.SetValues("a", "2");
    EXPECT_EQ(Lines(sorted), (V{"a=2", "b=1"}));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
    int tags[3];
    auto obj = [&](int i) { return reinterpret_cast<TObject*>(&tags[i]); };
    TStringList list;
    list.AddObject("zero", obj(0));
    list.AddObject("one", obj(1));
    list.InsertObject(0, "two", obj(2));
    EXPECT_EQ(list.IndexOfObject(obj(1)), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(Lines(list), (V{"one", "zero", "two"}));
    EXPECT_EQ(list.Objects(0), obj(1));
    list.Move(0, 2);
    EXPECT_EQ(Lines(list), (V{"zero", "two", "one"}));
    EXPECT_EQ(list.Objects(2), obj(1));
    list.Move(2, 0);
    EXPECT_EQ(Lines(list), (V{"one", "zero", "two"}));
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (V{"one", "two", "zero"}));
    EXPECT_EQ(list.Objects(1), obj(2));

    TStringList copy;
    copy.Add("old");
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    EXPECT_EQ(copy.Objects(2), obj(0));
    EXPECT_EQ(list.IndexOfObject(nullptr), -1);
}

TEST(StringList, CustomSortSeesTheListAsItWas) {
    TStringList list;
    for (const char* s : {"10", "9", "100", "9"}) list.Add(s);
    list.CustomSort([](TStringList& l, int a, int b) {
        return std::stoi(l[a]) - std::stoi(l[b]);
    });
    EXPECT_EQ(Lines(list), (V{"9", "9", "10", "100"}));
}

TEST(StringList, ChangeNotificationWaitsForEndUpdate) {
    TStringList list;
    int changing = 0, changed = 0;
    list.SetOnChanging([&](TStringList&) { ++changing; });
    list.SetOnChange([&](TStringList& sender) {
        ++changed;
        EXPECT_EQ(&sender, &list);
    });
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(changed, 2);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changed, 2);
    list.EndUpdate();
    EXPECT_EQ(changed, 3);
    EXPECT_EQ(changing, 3);
    list.SetText("x\ny\nz");                   // one batch
    EXPECT_EQ(changed, 4);
}

// The change stamp moves with every change of the lines and only then; taking the lines of
// another list moves them with their objects, empties the other, and notifies each list
// once as setting its text does; a sorted list puts the taken lines in their places.
TEST(StringList, ChangeStampAndTakingLines) {
    TStringList a, b;
    const uint64_t start = a.ChangeStamp();
    a.SetText("x\ny");
    const uint64_t afterSet = a.ChangeStamp();
    EXPECT_NE(afterSet, start);
    EXPECT_EQ(a.Text(), "x\r\ny\r\n");
    EXPECT_EQ(a.IndexOf("y"), 1);   // reading changes nothing
    EXPECT_EQ(a.ChangeStamp(), afterSet);
    a.Put(0, "z");
    EXPECT_NE(a.ChangeStamp(), afterSet);

    // Only the address is kept and compared (the list never reaches the object).
    alignas(16) static char storage[16];
    auto* marker = reinterpret_cast<TObject*>(storage);
    b.AddObject("first", marker);
    b.Add("second");
    int aChanged = 0, bChanged = 0, aChanging = 0;
    a.SetOnChanging([&](TStringList&) { ++aChanging; });
    a.SetOnChange([&](TStringList&) { ++aChanged; });
    b.SetOnChange([&](TStringList&) { ++bChanged; });
    const uint64_t aBefore = a.ChangeStamp(), bBefore = b.ChangeStamp();
    a.TakeLines(b);
    EXPECT_EQ(Lines(a), (V{"first", "second"}));
    EXPECT_EQ(a.Objects(0), marker);
    EXPECT_EQ(b.Count(), 0);
    EXPECT_EQ(aChanging, 1);
    EXPECT_EQ(aChanged, 1);
    EXPECT_EQ(bChanged, 1);
    EXPECT_NE(a.ChangeStamp(), aBefore);
    EXPECT_NE(b.ChangeStamp(), bBefore);
    // Taken back, and into a sorted list.
    b.TakeLines(a);
    EXPECT_EQ(Lines(b), (V{"first", "second"}));
    TStringList sorted;
    sorted.SetSorted(true);
    b.Insert(0, "zeta");
    sorted.TakeLines(b);
    EXPECT_EQ(Lines(sorted), (V{"first", "second", "zeta"}));
    EXPECT_EQ(b.Count(), 0);
}

// Only CR and LF break lines; the other control characters, those below CR among them,
// stay in their lines.
TEST(StringList, OtherControlCharactersStayInTheirLines) {
    TStringList list;
    list.SetText(std::string("a\tb\x0b\x0c\rc\x01\nd\0e", 12));
    EXPECT_EQ(Lines(list), (V{"a\tb\x0b\x0c", "c\x01", std::string("d\0e", 3)}));
}

// The list's own split (eight bytes at a time where it can) gives the lines of the plain
// one of TStrings, for breaks and other bytes at every place around the eight-byte steps.
TEST(StringList, SplitMatchesTheGeneralOne) {
    const std::string fillers[] = {"x", "中", "\t", std::string(1, '\0'), "\x0e", "\x0c"};
    const std::string breaks[] = {"\r", "\n", "\r\n", "\n\r"};
    TStringList fast, plain;
    for (const std::string& filler : fillers)
        for (const std::string& lineBreak : breaks)
            for (size_t before = 0; before <= 20; ++before)
                for (size_t after = 0; after <= 10; after += 5) {
                    std::string text;
                    for (size_t i = 0; i < before; ++i) text += i % 3 == 0 ? filler : std::string("ab");
                    text += lineBreak;
                    for (size_t i = 0; i < after; ++i) text += filler;
                    fast.SetText(text);
                    plain.TStrings::SetText(text);
                    EXPECT_EQ(Lines(fast), Lines(plain)) << before << " " << after;
                }
}

// A list without handlers takes a new text or another list's lines by a shorter way; the
// lines, objects and stamps come out as on a list whose handlers hear every change, and a
// handler set later hears the changes after it.
TEST(StringList, UnheardListsChangeAsHeardOnes) {
    const std::string texts[] = {"", "abc", "a\r\nb\r\n", "a\nb", "a\rb\r", "\r\n\r\na\r\n\r\n", "a\n\rb",
                                 std::string(40, 'x') + "\n中"};
    TStringList unheard, heard;
    int changing = 0, changed = 0;
    heard.SetOnChanging([&](TStringList&) { ++changing; });
    heard.SetOnChange([&](TStringList&) { ++changed; });
    for (const std::string& text : texts) {
        unheard.AddObject("old", nullptr);
        heard.AddObject("old", nullptr);
        const uint64_t before = unheard.ChangeStamp();
        unheard.SetText(text);
        changing = changed = 0;
        heard.SetText(text);
        EXPECT_EQ(Lines(unheard), Lines(heard)) << text;
        EXPECT_NE(unheard.ChangeStamp(), before) << text;
        for (int i = 0; i < unheard.Count(); ++i) EXPECT_EQ(unheard.Objects(i), nullptr);
        EXPECT_EQ(changing, 1);
        EXPECT_EQ(changed, 1);
    }

    alignas(16) static char storage[16];
    auto* marker = reinterpret_cast<TObject*>(storage);
    TStringList source, target;
    source.AddObject("first", marker);
    source.Add("second");
    target.SetText("gone");
    const uint64_t sourceBefore = source.ChangeStamp(), targetBefore = target.ChangeStamp();
    target.TakeLines(source);
    EXPECT_EQ(Lines(target), (V{"first", "second"}));
    EXPECT_EQ(target.Objects(0), marker);
    EXPECT_EQ(source.Count(), 0);
    EXPECT_NE(source.ChangeStamp(), sourceBefore);
    EXPECT_NE(target.ChangeStamp(), targetBefore);

    // One side heard: both go the long way, and the heard side hears one change.
    int sourceChanged = 0;
    source.SetOnChange([&](TStringList&) { ++sourceChanged; });
    source.TakeLines(target);
    EXPECT_EQ(Lines(source), (V{"first", "second"}));
    EXPECT_EQ(target.Count(), 0);
    EXPECT_EQ(sourceChanged, 1);
    target.TakeLines(source);
    EXPECT_EQ(sourceChanged, 2);
    source.SetText("x");
    EXPECT_EQ(sourceChanged, 3);
}

class StringListFiles : public testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("rtl-sl-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }
    std::filesystem::path dir;
};

TEST_F(StringListFiles, SaveAndLoadUtf8) {
    TStringList list;
    list.Add("第一行");
    list.Add("second");
    list.SaveToFile(Path("a.txt"));
    EXPECT_EQ(ReadFileBytes(Path("a.txt")), "第一行\r\nsecond\r\n");
    TStringList back;
    back.LoadFromFile(Path("a.txt"));
    EXPECT_EQ(Lines(back), (V{"第一行", "second"}));
}

TEST_F(StringListFiles, LoadsGb18030AndByteOrderMark) {
    struct Case { const char* file; std::string bytes; V lines; };
    const Case cases[] = {
        {"gbk.txt", "\xD6\xD0\xCE\xC4\r\nabc\r\n", {"中文", "abc"}},
        {"bom.txt", "\xEF\xBB\xBF中\nx", {"中", "x"}},
    };
    for (const Case& c : cases) {
        SaveFileAtomically(Path(c.file), c.bytes);
        TStringList list;
        list.LoadFromFile(Path(c.file));
        EXPECT_EQ(Lines(list), c.lines) << c.file;
    }
    TStringList list;
    EXPECT_THROW(list.LoadFromFile(Path("missing.txt")), EFOpenError);
}

TEST(StringList, StreamsReadFromThePosition) {
    TStringStream stream("skip|a\r\nb");
    stream.SetPosition(5);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), (V{"a", "b"}));
    TStringStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.DataString(), "a\r\nb\r\n");
}

}  // namespace

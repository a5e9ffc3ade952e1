// The designer's share of the string table: every window block with its number of lines,
// the id texts by family, the function descriptions in order, and the texts the designer
// window and its file handling show.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "designer/resources/DesignerTexts.h"
#include "report/Resources.h"

namespace {

std::map<std::string, std::string> EntryMap() {
    size_t n = 0;
    const TfrxTextEntry* e = frxDesignerTextEntries(n);
    std::map<std::string, std::string> m;
    for (size_t i = 0; i < n; ++i) m[e[i].Key] = e[i].Text;
    return m;
}

int LinesOf(const std::string& block) {
    int lines = 0;
    for (size_t p = block.find("\r\n"); p != std::string::npos; p = block.find("\r\n", p + 2)) ++lines;
    return lines;
}

TEST(DesignerTexts, EveryKeyIsDistinctAndAddedOnce) {
    size_t n = 0;
    const TfrxTextEntry* e = frxDesignerTextEntries(n);
    std::set<std::string> keys;
    for (size_t i = 0; i < n; ++i) EXPECT_TRUE(keys.insert(e[i].Key).second) << e[i].Key;
    EXPECT_EQ(n, 307u);
}

TEST(DesignerTexts, WindowBlocksHaveTheirLinesEachEndedByCrLf) {
    const struct {
        const char* Form;
        int Lines;
    } cases[] = {
        {"TfrxObjectInspector", 1},     {"TfrxDataTreeForm", 6},        {"TfrxReportTreeForm", 1},
        {"TfrxDesignerForm", 174},      {"TfrxAboutForm", 4},           {"TfrxPageEditorForm", 28},
        {"TfrxReportDataForm", 3},      {"TfrxVarEditorForm", 13},      {"TfrxOptionsEditor", 33},
        {"TfrxDataBandEditorForm", 3},  {"TfrxGroupEditorForm", 10},    {"TfrxSysMemoEditorForm", 13},
        {"TfrxOleEditorForm", 4},       {"TfrxBarcodeEditorForm", 14},  {"TfrxAliasesEditorForm", 7},
        {"TfrxParamsEditorForm", 3},    {"TfrxMDEditorForm", 8},        {"TfrxMemoEditorForm", 7},
        {"TfrxPictureEditorForm", 7},   {"TfrxChartEditorForm", 27},    {"TfrxRichEditorForm", 16},
        {"TfrxCrossEditorForm", 42},    {"TfrxExprEditorForm", 4},      {"TfrxFormatEditorForm", 7},
        {"TfrxHighlightEditorForm", 13}, {"TfrxReportEditorForm", 25},  {"TfrxStringsEditorForm", 3},
        {"TfrxSQLEditorForm", 3},       {"TfrxPasswordForm", 4},        {"TfrxStyleEditorForm", 11},
        {"TfrxFrameEditorForm", 18},    {"TfrxNewItemForm", 5},         {"TfrxTabOrderEditorForm", 6},
        {"TfrxEvaluateForm", 3},        {"TfrxStdWizardForm", 29},
    };
    const auto m = EntryMap();
    int blocks = 0;
    for (const auto& [key, text] : m)
        if (key.rfind("Tfrx", 0) == 0) ++blocks;
    EXPECT_EQ(blocks, int(std::size(cases)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Form);
        auto it = m.find(c.Form);
        ASSERT_NE(it, m.end());
        EXPECT_EQ(LinesOf(it->second), c.Lines);
        EXPECT_EQ(it->second.substr(it->second.size() - 2), "\r\n");
        // Every line is Component.Property=Value or Property=Value.
        size_t start = 0;
        for (size_t p = it->second.find("\r\n"); p != std::string::npos; p = it->second.find("\r\n", start)) {
            const std::string line = it->second.substr(start, p - start);
            EXPECT_NE(line.find('='), std::string::npos) << line;
            start = p + 2;
        }
    }
}

TEST(DesignerTexts, IdTextsByFamily) {
    // prefix -> number of keys; the families are told apart by the lower-case prefix before
    // the first capital or digit.
    const std::map<std::string, int> families = {
        {"oi", 2}, {"dt", 5}, {"ds", 18}, {"u", 4},   {"va", 3},  {"db", 2},  {"ag", 1},
        {"vt", 6}, {"ol", 1}, {"bc", 2},  {"al", 2},  {"qp", 3},  {"pi", 1},  {"ch", 2},
        {"chso", 3}, {"cr", 12}, {"fk", 19}, {"re", 1}, {"wz", 4}, {"ft", 5}, {"pr", 4},
        {"mv", 15}, {"lv", 1}, {"pv", 3}, {"bv", 13}, {"sr", 1}, {"ob", 64}, {"ct", 6},
    };
    std::map<std::string, int> seen;
    int functions = 0;
    for (const auto& [key, text] : EntryMap()) {
        if (key.rfind("Tfrx", 0) == 0) continue;
        size_t i = 0;
        while (i < key.size() && key[i] >= 'a' && key[i] <= 'z') ++i;
        if (i == 0) {
            ++functions;  // function descriptions are keyed by the capitalised function name
            continue;
        }
        const std::string prefix = key.substr(0, i);
        ++seen[prefix];
    }
    EXPECT_EQ(seen, families);
    EXPECT_EQ(functions, 69);
}

TEST(DesignerTexts, FunctionDescriptionsComeLastInTheirOrder) {
    const std::vector<std::string> names = {
        "IntToStr", "FloatToStr", "DateToStr", "TimeToStr", "DateTimeToStr", "VarToStr", "StrToInt",
        "StrToFloat", "StrToDate", "StrToTime", "StrToDateTime", "Format", "FormatFloat", "FormatDateTime",
        "FormatMaskText", "EncodeDate", "DecodeDate", "EncodeTime", "DecodeTime", "Date", "Time", "Now",
        "DayOfWeek", "IsLeapYear", "DaysInMonth", "Length", "Copy", "Pos", "Delete", "Insert", "Uppercase",
        "Lowercase", "Trim", "NameCase", "CompareText", "Chr", "Ord", "SetLength", "Round", "Trunc", "Int",
        "Frac", "Sqrt", "Abs", "Sin", "Cos", "ArcTan", "Tan", "Exp", "Ln", "Pi", "Inc", "Dec",
        "RaiseException", "ShowMessage", "Randomize", "Random", "ValidInt", "ValidFloat", "ValidDate", "IIF",
        "Get", "Set", "InputBox", "InputQuery", "MessageDlg", "CreateOleObject", "VarArrayCreate", "VarType"};
    size_t n = 0;
    const TfrxTextEntry* e = frxDesignerTextEntries(n);
    ASSERT_GE(n, names.size());
    const size_t first = n - names.size();
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(e[first + i].Key, names[i]);
    // The function categories stand right before them.
    EXPECT_STREQ(e[first - 6].Key, "ctString");
}

TEST(DesignerTexts, RegisteredTextsAreReadByKey) {
    frxRegisterDesignerTexts();
    const struct {
        const char* Key;
        const char* Text;
    } cases[] = {
        {"dsCm", "厘米"},       {"uCm", "厘米"},         {"dsInch", "英寸"},   {"uInch", "英寸"},
        {"dsPix", "像数"},      {"uPix", "象素"},        {"dsChars", "字符"},  {"uChar", "字符"},
        {"dsCode", "代码"},     {"dsPage", "页"},        {"dsRepFilter", "报表 (*.bl3)|*.bl3"},
        {"dsComprRepFilter", "压缩报表 (*.bl3)|*.bl3"}, {"dsSavePreviewChanges", "保存更改到上一页?"},
        {"dsSaveChangesTo", "保存更改到 "},             {"dsCantLoad", "不能载入文件"},
        {"dsStyleFile", "样式"}, {"dsCantFindProc", "不能定位主过程"},
        {"dsClearScript", "将清除所有代码，继续吗？"},   {"dsNoStyle", "无样式"},
        {"dsStyleSample", "样式示例"}, {"dsTextNotFound", "文本'%s' 未发现"}, {"dsReplace", "替换'%s'？"},
        {"vt5", "[PAGE#] of [TOTALPAGES#]"},            {"Trim", "整修去字符串的前后空白字符"},
        {"Trunc", "浮点数取整"}, {"Time", "返回当前时间"}, {"fkNumber2", "1234.50;%2.2f"},
        {"crDown", "Down Then Across"},                 {"obText", "文本对象"},
        // Keys are matched without regard to letter case, as the string table does.
        {"DSCODE", "代码"},
    };
    for (const auto& c : cases) EXPECT_EQ(frxResources().Get(c.Key), c.Text) << c.Key;
}

TEST(DesignerTexts, MissingKeyReadsAsItselfAndLaterAdditionWins) {
    frxRegisterDesignerTexts();
    EXPECT_EQ(frxResources().Get("dsNoSuchDesignerText"), "dsNoSuchDesignerText");
    const std::string before = frxResources().Get("dsCode");
    frxResources().Add("dsCode", "脚本");
    EXPECT_EQ(frxResources().Get("dsCode"), "脚本");
    // A second registration does not run again, so the later text stays.
    frxRegisterDesignerTexts();
    EXPECT_EQ(frxResources().Get("dsCode"), "脚本");
    frxResources().Add("dsCode", before);
}

}  // namespace

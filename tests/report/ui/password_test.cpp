// Report passwords of any text: a protected report saved by this program opens again with
// its password and prints its texts, and so does a file of the Windows program, whose
// password is stored as its GBK bytes shifted.
#include <gtest/gtest.h>

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PasswordForm.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

class ReportPassword : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(Harness.Errors().empty()) << Harness.Errors().front();
        EXPECT_EQ(Harness.PendingDrivers(), 0);
    }
    // Answers the next password window: its box clicked, Typed typed, OK.
    void AnswerPassword(const std::string& Typed) {
        Harness.OnModal("TfrxPasswordForm", [Typed](TCustomForm& form) {
            auto& f = static_cast<TfrxPasswordForm&>(form);
            TUiTestHarness::Click(f.PasswordE);
            TUiTestHarness::TypeText(f.PasswordE, Typed);
            TUiTestHarness::Click(f.OkB);
        });
    }
    static void Load(TfrxReport& r, const std::string& File) {
        TStringStream s(File);
        r.LoadFromStream(s);
    }
    // The texts the report's first page prints.
    static std::string PrintedText(TfrxReport& r) {
        r.EngineOptions()->SilentMode = true;
        if (!r.PrepareReport()) return "(not prepared: " + r.Errors()->Text() + ")";
        TfrxPage* page = r.PreviewPages()->GetPage(0);
        if (!page) return "(no page)";
        std::string out;
        for (TfrxComponent* c : page->AllObjects())
            if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c)) out += m->Memo()->Text();
        return out;
    }
    TUiTestHarness Harness;
};

class PasswordTexts : public ReportPassword, public testing::WithParamInterface<const char*> {};

// The file is valid UTF-8, opens with exactly the password and prints the Chinese memo.
TEST_P(PasswordTexts, SavedReportOpensAgainAndPrints) {
    const std::string password = GetParam();
    std::string file;
    {
        TfrxReport r(nullptr);
        auto* page = new TfrxReportPage(&r);
        page->SetName("Page1");
        auto* memo = new TfrxMemoView(page);
        memo->SetName("Memo1");
        memo->SetBounds(0, 0, 200, 20);
        memo->SetText("收费收据");
        r.ReportOptions()->Password = password;
        TStringStream out;
        r.SaveToStream(out);
        file = out.DataString();
        EXPECT_EQ(r.ReportOptions()->Password, password);
    }
    EXPECT_TRUE(IsValidUtf8(file));
    EXPECT_EQ(file.find(password), std::string::npos) << "the password is stored shifted";
    AnswerPassword(password);
    TfrxReport r(nullptr);
    Load(r, file);
    EXPECT_EQ(r.ReportOptions()->Password, password);
    EXPECT_EQ(PrintedText(r), "收费收据\r\n");
    // Another text does not open it.
    AnswerPassword(password + "x");
    TfrxReport other(nullptr);
    Load(other, file);
    EXPECT_EQ(other.PagesCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PasswordTexts,
                         testing::Values("abc", "医院", "口令1", "a b\"<&>", "café", "\xF0\x9F\x98\x80x"));

// A file of the Windows program: GBK texts, the password's GBK bytes each lowered by 10
// and written raw. Shifted, "医院" (D2 BD D4 BA) is C8 B3 CA B0, which is valid UTF-8 as
// well: in a file without other Chinese text it is read as UTF-8.
struct TLegacyCase {
    const char* Name;
    std::string Memo;   // GBK bytes
};

class LegacyPassword : public ReportPassword, public testing::WithParamInterface<TLegacyCase> {};

TEST_P(LegacyPassword, OpensWithTheChinesePassword) {
    const TLegacyCase& c = GetParam();
    std::string stored;
    for (char b : Utf8ToGbk("医院")) stored += static_cast<char>(static_cast<unsigned char>(b) - 10);
    const std::string file =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\" ReportOptions.Password=\"" + stored +
        "\"><TfrxReportPage Name=\"Page1\"><TfrxMemoView Name=\"Memo1\" Width=\"200\" Height=\"20\" Memo.Text=\"" +
        c.Memo + "\"/></TfrxReportPage></TfrxReport>";
    AnswerPassword("医院");
    TfrxReport r(nullptr);
    Load(r, file);
    EXPECT_EQ(r.ReportOptions()->Password, "医院");
    EXPECT_EQ(PrintedText(r), GbkToUtf8(c.Memo) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, LegacyPassword,
                         testing::Values(TLegacyCase{"gbk_texts", Utf8ToGbk("收费收据")},
                                         TLegacyCase{"ascii_texts", "NO:1"}),
                         [](const testing::TestParamInfo<TLegacyCase>& i) { return std::string(i.param.Name); });

}  // namespace

// A file of the Windows program with no other Chinese text, whose password's shifted GBK
// bytes form UTF-8 characters up to U+00FF ("通" CD A8 is C3 9E, "Þ"): the characters are
// the same as a stored form of this program's could hold, and the file opens with the
// password the Windows program was given.
class LegacyAsciiFile : public ReportPassword {
protected:
    static std::string File(const std::string& Password) {
        std::string stored;
        for (char b : Utf8ToGbk(Password)) stored += static_cast<char>(static_cast<unsigned char>(b) - 10);
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\" ReportOptions.Password=\"" + stored +
               "\"><TfrxReportPage Name=\"Page1\"><TfrxMemoView Name=\"Memo1\" Width=\"200\" Height=\"20\" "
               "Memo.Text=\"NO:1\"/></TfrxReportPage></TfrxReport>";
    }
    // Loads File(Password) answering Typed: whether it opened, and the password it holds.
    static std::pair<bool, std::string> Open(const std::string& Password, const std::string& Typed) {
        SetfrxPasswordQuery([Typed](std::string& typed) {
            typed = Typed;
            return true;
        });
        TfrxReport r(nullptr);
        Load(r, File(Password));
        SetfrxPasswordQuery(nullptr);
        return {r.PagesCount() == 1, r.ReportOptions()->Password};
    }
};

TEST_F(LegacyAsciiFile, EveryHanziOpensAsItsOwnPassword) {
    int opened = 0;
    std::vector<std::string> refused;
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail >= 0xFA) continue;   // the five codes row 55 leaves empty
            const std::string hanzi = GbkToUtf8(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            const auto [open, password] = Open(hanzi, hanzi);
            if (open && password == hanzi)
                ++opened;
            else
                refused.push_back(hanzi);
        }
    EXPECT_EQ(opened, 6763);
    EXPECT_TRUE(refused.empty()) << refused.size() << " refused, the first " << refused.front();
}

TEST_F(LegacyAsciiFile, LongerPasswordsOpenAndKeepTheTextTyped) {
    // "通通" reads as "ÞÞ", which as this program's stored form is another hanzi; the
    // password typed decides, and a report saved again stores it.
    for (const char* password : {"通通", "a通", "同图1", "头统"}) {
        const auto [open, held] = Open(password, password);
        EXPECT_TRUE(open) << password;
        EXPECT_EQ(held, password);
        EXPECT_FALSE(Open(password, std::string(password) + "x").first) << password;
    }
}

// The display format dialog on a memo's format record: the category and format lists it
// builds from the string table, the format string a click puts in, the record it writes
// on OK, the separator fallback, and Cancel.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/editors/FormatEditor.h"
#include "platform/graphics/Metafile.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Resources.h"

namespace {

TfrxFormatEditorForm& Dlg(TCustomForm& f) { return static_cast<TfrxFormatEditorForm&>(f); }

class FormatEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TfrxResources& r = frxResources();
        r.Add("fkText", "无格式文本");
        r.Add("fkNumber", "数字");
        r.Add("fkDateTime", "日期/时间");
        r.Add("fkBoolean", "布尔变量");
        const char* numbers[] = {"1234.5;%g", "1234.50;%2.2f", "1,234.50;%2.2n", "$1,234.50;%2.2m"};
        for (int i = 0; i < 4; ++i) r.Add("fkNumber" + std::to_string(i + 1), numbers[i]);
        r.Add("fkDateTime1", "11.28.2002;mm.dd.yyyy");
        r.Add("fkDateTime2", "28 nov 2002;dd mmm yyyy");
        r.Add("fkBoolean1", "0,1;0,1");
        r.Add("fkBoolean2", "No,Yes;No,Yes");
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
    }
    bool Run(std::function<void(TfrxFormatEditorForm&)> Act, bool Ok) {
        ui.OnModal("TfrxFormatEditorForm", [&](TCustomForm& f) {
            Act(Dlg(f));
            TUiTestHarness::Click(Ok ? Dlg(f).OkB : Dlg(f).CancelB);
        });
        return frxEditDisplayFormat(&format);
    }
    static void Pick(TListBox* List, int Index) {
        List->SetItemIndex(Index);
        List->OnClick(List);
    }
    TUiTestHarness ui;
    TfrxFormat format;
};

TEST_F(FormatEditorTest, ShowsTheRecord) {
    format.Kind = fkNumeric;
    format.FormatStr = "%2.2n";
    format.DecimalSeparator = ".";
    EXPECT_FALSE(Run(
        [](TfrxFormatEditorForm& d) {
            ASSERT_EQ(d.CategoryLB->Items()->Count(), 4);
            EXPECT_EQ(d.CategoryLB->Items()->Get(2), "日期/时间");
            EXPECT_EQ(d.CategoryLB->ItemIndex(), 1);
            // Only the keys the table holds are offered (fkNumber5.. are missing).
            ASSERT_EQ(d.FormatLB->Items()->Count(), 4);
            EXPECT_EQ(d.FormatLB->ItemIndex(), 2);
            EXPECT_EQ(d.FormatE->Text(), "%2.2n");
            EXPECT_EQ(d.SeparatorE->Text(), ".");
            EXPECT_TRUE(d.SeparatorE->Enabled());
        },
        false));
}

// Each row: the category picked, then the format entry picked (-1 none) or a typed
// format; the record after OK.
TEST_F(FormatEditorTest, OkWritesKindFormatAndSeparator) {
    struct Case {
        const char* name;
        int category;
        int entry;
        const char* typed;
        const char* separator;
        TfrxFormatKind kind;
        const char* formatStr;
        const char* decimal;
        bool separatorEnabled;
    };
    const Case cases[] = {
        {"number with thousands", 1, 2, nullptr, ",", fkNumeric, "%2.2n", ",", true},
        {"date picked", 2, 1, nullptr, ",", fkDateTime, "dd mmm yyyy", ",", false},
        {"boolean picked", 3, 1, nullptr, ",", fkBoolean, "No,Yes", ",", false},
        {"text keeps the typed string", 0, -1, "as typed", ",", fkText, "as typed", ",", false},
        {"empty separator takes the system's", 1, 0, nullptr, "", fkNumeric, "%g", ".", true},
        {"a longer separator keeps its first character", 1, 1, nullptr, "·x", fkNumeric, "%2.2f", "·", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        format.Kind = fkText;
        format.DecimalSeparator.clear();
        format.FormatStr = "old";
        ASSERT_TRUE(Run(
            [&](TfrxFormatEditorForm& d) {
                Pick(d.CategoryLB, c.category);
                EXPECT_EQ(d.SeparatorE->Enabled(), c.separatorEnabled);
                EXPECT_EQ(d.FormatLB->Items()->Count() == 0, c.category == 0);
                if (c.entry >= 0) Pick(d.FormatLB, c.entry);
                if (c.typed) d.FormatE->SetText(c.typed);
                d.SeparatorE->SetText(c.separator);
            },
            true));
        EXPECT_EQ(format.Kind, c.kind);
        EXPECT_EQ(format.FormatStr, c.formatStr);
        EXPECT_EQ(format.DecimalSeparator, c.decimal);
    }
}

TEST_F(FormatEditorTest, CancelAndUnknownKind) {
    format.Kind = fkDateTime;
    format.FormatStr = "hh:mm";
    EXPECT_FALSE(Run([](TfrxFormatEditorForm& d) { Pick(d.CategoryLB, 1);
        Pick(d.FormatLB, 3);
    }, false));
    EXPECT_EQ(format.Kind, fkDateTime);
    EXPECT_EQ(format.FormatStr, "hh:mm");

    // A kind outside the list (a damaged file) opens as plain text and OK stores text.
    format.Kind = static_cast<TfrxFormatKind>(9);
    EXPECT_TRUE(Run([](TfrxFormatEditorForm& d) { EXPECT_EQ(d.CategoryLB->ItemIndex(), 0); }, true));
    EXPECT_EQ(format.Kind, fkText);
    EXPECT_EQ(format.FormatStr, "hh:mm");
}

TEST(FormatEntryDrawing, DrawsTheSampleOnly) {
    struct Case {
        const char* entry;
        const char* drawn;
    };
    const Case cases[] = {{"1,234.50;%2.2n", "1,234.50"}, {"no separator", "no separator"}, {"a;b;c", "a"}};
    for (const Case& c : cases) {
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            frxDrawFormatEntry(canvas, TRect{10, 20, 110, 34}, c.entry);
        }
        ASSERT_EQ(mf.Records().size(), 2u);
        EXPECT_EQ(mf.Records()[0].Kind, mrFillRect);
        EXPECT_EQ(mf.Records()[0].Rect, (TRect{10, 20, 110, 34}));
        EXPECT_EQ(mf.Records()[1].Kind, mrText);
        EXPECT_EQ(mf.Records()[1].Text, c.drawn);
        EXPECT_EQ(mf.Records()[1].Points[0], (TPoint{12, 21}));
    }
}

}  // namespace

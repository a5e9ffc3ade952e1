// Typing into a date picker as a clerk does: the caret into a section, then digits. The
// digits replace the section the caret is in, also when it is full, and go on into the
// sections after it as the keys come; the arrow keys still step a section.
#include "UiFixture.h"

#include <algorithm>

#include "platform/rtl/DateTime.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/QtPeer.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QToolButton>

namespace {

class DatePickerTest : public UiTest {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(120);
        Before = new TEdit(Form.get());
        Before->SetParent(Form.get());
        Before->SetBounds(10, 10, 120, 21);
        Picker = new TDateTimePicker(Form.get());
        Picker->SetParent(Form.get());
        Picker->SetBounds(10, 40, 186, 21);
        Picker->SetDate(EncodeDate(2026, 12, 11));
        Picker->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    void TearDown() override {
        Form.reset();
        UiTest::TearDown();
    }
    std::unique_ptr<TForm> Form;
    TEdit* Before = nullptr;
    TDateTimePicker* Picker = nullptr;
    int Changes = 0;
};

struct TTypedDate {
    const char* Name;
    std::vector<uint16_t> Moves;   // keys that place the caret after the picker took the focus
    const char* Typed;
    int Year, Month, Day;
};

class DatePickerTypingTest : public DatePickerTest, public ::testing::WithParamInterface<TTypedDate> {};

// The clerk tabs into the picker, moves the caret into a section and types the value.
TEST_P(DatePickerTypingTest, DigitsReplaceTheSectionOfTheCaret) {
    const TTypedDate& c = GetParam();
    ASSERT_EQ(Picker->Text(), "2026-12-11");
    TUiTestHarness::Click(Before);
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_TAB);
    ASSERT_EQ(TUiTestHarness::FocusedControl(), Picker);
    for (uint16_t key : c.Moves) TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), key);
    TUiTestHarness::TypeText(TUiTestHarness::FocusedControl(), c.Typed);
    TUiTestHarness::ProcessMessages();
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(c.Year, c.Month, c.Day)) << Picker->Text();
    EXPECT_GE(Changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatePickerTypingTest,
    ::testing::Values(TTypedDate{"day-one-digit", {VK_END}, "5", 2026, 12, 5},
                      TTypedDate{"day-two-digits", {VK_END}, "25", 2026, 12, 25},
                      TTypedDate{"day-then-again", {VK_END}, "253", 2026, 12, 3},
                      TTypedDate{"month-full", {VK_END, VK_LEFT, VK_LEFT, VK_LEFT}, "3", 2026, 3, 11},
                      TTypedDate{"month-then-day", {VK_END, VK_LEFT, VK_LEFT, VK_LEFT}, "0315", 2026, 3, 15},
                      TTypedDate{"year-from-its-start", {VK_HOME}, "2027", 2027, 12, 11},
                      TTypedDate{"whole-date-after-tab", {}, "20270630", 2027, 6, 30}),
    [](const auto& info) {
        std::string n = info.param.Name;
        std::replace(n.begin(), n.end(), '-', '_');
        return n;
    });

// The arrow keys still step the section of the caret; a day that the month does not have
// leaves a day the month has.
TEST_F(DatePickerTest, ArrowsStepTheSectionAndImpossibleDaysAreRefused) {
    TUiTestHarness::Click(Before);
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_TAB);
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_END);
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_UP);
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2026, 12, 12));
    for (uint16_t key : {VK_LEFT, VK_LEFT, VK_LEFT}) TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), key);
    TUiTestHarness::TypeText(TUiTestHarness::FocusedControl(), "2");
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_END);
    TUiTestHarness::TypeText(TUiTestHarness::FocusedControl(), "31");
    TUiTestHarness::ProcessMessages();
    int y = 0, m = 0, d = 0;
    DecodeDate(Picker->Date(), y, m, d);
    EXPECT_EQ(m, 2);
    EXPECT_LE(d, 28);
}

// A click into a section starts it anew, also where the caret stood already: a year
// begun with "3" and clicked right after that digit takes "2025" whole. The click used to
// count only when it moved the caret, and "2025" went on after the "3" ("3202-5-...").
TEST_F(DatePickerTest, AClickStartsTheSectionAnewAlsoWhereTheCaretStood) {
    auto* box = dynamic_cast<QDateTimeEdit*>(WidgetOf(Picker));
    ASSERT_NE(box, nullptr);
    QLineEdit* field = box->findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    // The point of the picker where the caret of its field stands now.
    auto atCaret = [&] {
        const QPoint p = field->mapTo(box, field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        return Point(p.x(), p.y());
    };
    TUiTestHarness::Click(Picker, Point(6, Picker->Height() / 2));   // into the year
    ASSERT_EQ(TUiTestHarness::FocusedControl(), Picker);
    TUiTestHarness::TypeText(Picker, "3");
    const TPoint caret = atCaret();
    TUiTestHarness::Click(Picker, caret);
    ASSERT_EQ(atCaret().X, caret.X) << "the click moved the caret";
    TUiTestHarness::TypeText(Picker, "2025");
    TUiTestHarness::ProcessMessages();
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2025, 12, 11)) << Picker->Text();
}

// The calendar that a click on the picker's arrow drops down speaks Chinese, as the rest of
// the program: the month button says "十二月", the header names the days "周一" to "周日",
// and the week begins on Monday. It used to say "December" and "Mon Tue ...".
TEST_F(DatePickerTest, TheCalendarNamesTheMonthAndTheDaysInChinese) {
    TUiTestHarness::Click(Picker, Point(Picker->Width() - 6, Picker->Height() / 2));   // the arrow
    TUiTestHarness::ProcessMessages();
    QCalendarWidget* calendar = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (auto* c = w->findChild<QCalendarWidget*>()) calendar = c;
    ASSERT_NE(calendar, nullptr) << "the click on the arrow dropped no calendar down";
    auto* month = calendar->findChild<QToolButton*>("qt_calendar_monthbutton");
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text().toStdString(), "十二月");
    auto* days = calendar->findChild<QTableView*>("qt_calendar_calendarview");
    ASSERT_NE(days, nullptr);
    std::vector<std::string> header;
    QAbstractItemModel* model = days->model();
    // Column 0 is the week number when the calendar shows it; the header row is row 0.
    for (int c = 0; c < model->columnCount(); ++c) {
        const QString text = model->data(model->index(0, c), Qt::DisplayRole).toString();
        if (!text.isEmpty()) header.push_back(text.toStdString());
    }
    EXPECT_EQ(header, (std::vector<std::string>{"周一", "周二", "周三", "周四", "周五", "周六", "周日"}));
    // The month menu lists the months by their Chinese names too.
    ASSERT_NE(month->menu(), nullptr);
    ASSERT_EQ(month->menu()->actions().size(), 12);
    EXPECT_EQ(month->menu()->actions()[0]->text().toStdString(), "一月");
    TUiTestHarness::TypeKey(TUiTestHarness::FocusedControl(), VK_ESCAPE);
    TUiTestHarness::ProcessMessages();
    EXPECT_DOUBLE_EQ(Picker->Date(), EncodeDate(2026, 12, 11));
}

}  // namespace

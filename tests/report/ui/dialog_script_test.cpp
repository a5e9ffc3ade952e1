// Dialog controls in report scripts: every kind of control read and set by the report's
// script by its name and class while its dialog page is up, the user acting on the
// controls through the window, and what the script and the user left printed by the
// report page after OK.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "../ReportBuilders.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"

namespace {

// A dialog page with an OK button, its OnActivate running the script procedure Activate,
// and a report page whose one row prints Memo1 (its text set by each case).
struct TControlsReport {
    std::unique_ptr<TfrxReport> Report = NewSilentReport();
    TfrxDialogPage* Dialog = AddDialogPage(Report.get(), 420, 220);
    TfrxButtonControl* Ok = AddDialogButton(Dialog, "OkButton", "确定", mrOk, 16, 150);
    TfrxMemoView* Printed = AddOneRowMemoPage(Report.get(), 700);

    TControlsReport() { Dialog->OnActivate = "Activate"; }
    // A control of the dialog page (or of the container Parent on it).
    template <class T>
    T* Add(const std::string& Name, double Left, double Top, double Width, double Height,
           TfrxComponent* Parent = nullptr) {
        return AddNamed<T>(Parent ? Parent : Dialog, Name, Left, Top, Width, Height);
    }
    // The procedure Activate (its body given) and an empty main block.
    void Activate(const std::string& Body, const std::string& More = "") {
        Report->ScriptText()->SetText(More + "procedure Activate(Sender: TfrxComponent);\r\nbegin\r\n" + Body +
                                      "\r\nend;\r\n\r\nbegin\r\nend.");
    }
    std::string PrintedText() { return PrintedMemoText(Report.get()); }
};

struct TControlCase {
    const char* Name;
    // Adds the controls, the script and the printed text.
    std::function<void(TControlsReport&)> Build;
    // What the user does in the dialog before OK (nothing when empty).
    std::function<void(TControlsReport&)> User;
    std::string Expected;
};

void PrintTo(const TControlCase& c, std::ostream* os) { *os << c.Name; }

template <class T>
T* Find(TControlsReport& r, const std::string& Name) {
    return dynamic_cast<T*>(r.Report->FindObject(Name));
}

const TControlCase kControlCases[] = {
    {"Label",
     [](TControlsReport& r) {
         r.Add<TfrxLabelControl>("Label1", 16, 16, 120, 17)->SetCaption("科室");
         r.Activate("  Label1.Caption := Label1.Caption + '：内科';");
         r.Printed->SetText("[Label1.Caption]");
     },
     nullptr, "科室：内科"},
    // The script fills the edit; the user clicks into it and types at its end.
    {"EditTypedIntoAfterTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxEditControl>("Edit1", 16, 16, 200, 21);
         r.Activate("  Edit1.Text := '张';\r\n  Edit1.MaxLength := 4;");
         r.Printed->SetText("[Edit1.Text] [Edit1.MaxLength]");
     },
     [](TControlsReport& r) {
         auto* edit = Find<TfrxEditControl>(r, "Edit1");
         TUiTestHarness::Click(edit->Edit());
         TUiTestHarness::TypeKey(edit->Edit(), VK_END);
         TUiTestHarness::TypeText(edit->Edit(), "三丰");
     },
     "张三丰 4"},
    {"MemoLinesFromTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxMemoControl>("Memo2", 16, 16, 200, 60);
         r.Activate("  Memo2.Lines.Clear;\r\n  Memo2.Lines.Add('头痛');\r\n  Memo2.Lines.Add('发热');");
         r.Printed->SetText("[Memo2.Lines.Count]:[Memo2.Lines[1]]");
     },
     nullptr, "2:发热"},
    // The script ticks the box; the user's click takes the tick off again.
    {"CheckBoxTickedByTheScriptClearedByTheUser",
     [](TControlsReport& r) {
         r.Add<TfrxCheckBoxControl>("CheckBox1", 16, 16, 150, 17)->SetCaption("打印明细");
         r.Add<TfrxCheckBoxControl>("CheckBox2", 16, 40, 150, 17)->SetCaption("打印合计");
         r.Activate("  CheckBox1.Checked := True;\r\n  CheckBox2.Checked := True;");
         r.Printed->SetText("[IIF(CheckBox1.Checked, 'yes', 'no')] [IIF(CheckBox2.Checked, 'yes', 'no')]");
     },
     [](TControlsReport& r) { TUiTestHarness::Click(Find<TfrxCheckBoxControl>(r, "CheckBox1")->CheckBox()); },
     "no yes"},
    {"RadioButtonsOfOneGroup",
     [](TControlsReport& r) {
         r.Add<TfrxRadioButtonControl>("RadioButton1", 16, 16, 100, 17)->SetCaption("门诊");
         r.Add<TfrxRadioButtonControl>("RadioButton2", 16, 40, 100, 17)->SetCaption("住院");
         r.Activate("  RadioButton2.Checked := True;");
         r.Printed->SetText("[IIF(RadioButton1.Checked, RadioButton1.Caption, RadioButton2.Caption)]");
     },
     [](TControlsReport& r) { TUiTestHarness::Click(Find<TfrxRadioButtonControl>(r, "RadioButton1")->RadioButton()); },
     "门诊"},
    // The script fills the list and selects its second line; the user's click selects the
    // line under the pointer.
    {"ListBoxFilledByTheScriptPickedByTheUser",
     [](TControlsReport& r) {
         r.Add<TfrxListBoxControl>("ListBox1", 16, 16, 150, 100);
         r.Activate("  ListBox1.Items.Add('西药');\r\n  ListBox1.Items.Add('中药');\r\n"
                    "  ListBox1.Items.Add('检查');\r\n  ListBox1.ItemIndex := 1;");
         r.Printed->SetText("[ListBox1.ItemIndex] [ListBox1.Items[ListBox1.ItemIndex]]");
     },
     [](TControlsReport& r) {
         auto* list = Find<TfrxListBoxControl>(r, "ListBox1");
         EXPECT_EQ(list->ItemIndex(), 1);
         // The first line lies at the top of the list: a click a few pixels down takes it.
         TUiTestHarness::Click(list->ListBox(), TPoint{20, 5});
     },
     "0 西药"},
    {"ComboBoxItemChosenByTheScript",
     [](TControlsReport& r) {
         auto* combo = r.Add<TfrxComboBoxControl>("ComboBox1", 16, 16, 150, 21);
         combo->SetStyle(csDropDownList);
         r.Activate("  ComboBox1.Items.Text := '内科' + #13#10 + '外科' + #13#10 + '儿科';\r\n"
                    "  ComboBox1.ItemIndex := ComboBox1.Items.Count - 1;");
         r.Printed->SetText("[ComboBox1.Text]");
     },
     nullptr, "儿科"},
    // Controls inside a group box and a panel: captions set through their own classes,
    // the children reached by name and through Objects.
    {"GroupBoxAndPanelWithTheirChildren",
     [](TControlsReport& r) {
         auto* group = r.Add<TfrxGroupBoxControl>("GroupBox1", 16, 8, 180, 100);
         r.Add<TfrxEditControl>("Edit1", 8, 20, 150, 21, group);
         auto* panel = r.Add<TfrxPanelControl>("Panel1", 210, 8, 180, 100);
         r.Add<TfrxLabelControl>("Label1", 8, 20, 150, 17, panel);
         r.Activate("  GroupBox1.Caption := '病人';\r\n  Panel1.Caption := '';\r\n"
                    "  TfrxEditControl(GroupBox1.Objects[0]).Text := 'in ' + GroupBox1.Caption;\r\n"
                    "  Label1.Caption := Label1.Parent.Name;");
         r.Printed->SetText("[GroupBox1.Caption] [Edit1.Text] [Label1.Caption] [Panel1.Caption]|");
     },
     nullptr, "病人 in 病人 Panel1 |"},
    {"DateEditSetByTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxDateEditControl>("DateEdit1", 16, 16, 150, 21);
         r.Activate("  DateEdit1.Date := EncodeDate(2026, 12, 11) + 1;");
         r.Printed->SetText("[FormatDateTime('yyyy-mm-dd', DateEdit1.Date)]");
     },
     nullptr, "2026-12-12"},
    // Controls are told apart by their classes: the click handler names the class of its
    // sender, a button as a dialog control and a button.
    {"ClassesOfTheControlsInTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxEditControl>("Edit1", 16, 16, 200, 21);
         r.Ok->OnClick = "OkClick";
         r.Report->ScriptText()->SetText(
             "procedure Activate(Sender: TfrxComponent);\r\nbegin\r\nend;\r\n"
             "procedure OkClick(Sender: TfrxComponent);\r\nbegin\r\n"
             "  if (Sender is TfrxButtonControl) and (Sender is TfrxDialogControl) and not (Sender is TfrxEditControl)\r\n"
             "  then Edit1.Text := TfrxButtonControl(Sender).Caption + ' ' + IntToStr(TfrxButtonControl(Sender).ModalResult);\r\n"
             "end;\r\n\r\nbegin\r\nend.");
         r.Printed->SetText("[Edit1.Text]");
     },
     nullptr, "确定 1"},
    // SetFocus from the script puts the keyboard in the edit (the user types without a
    // click); SetFocus of a label, which takes no focus, changes nothing.
    {"SetFocusFromTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxEditControl>("Edit1", 16, 16, 200, 21);
         r.Add<TfrxEditControl>("Edit2", 16, 48, 200, 21);
         r.Add<TfrxLabelControl>("Label1", 230, 16, 100, 17)->SetCaption("姓名");
         r.Activate("  Edit2.SetFocus;\r\n  Label1.SetFocus;");
         r.Printed->SetText("[Edit1.Text]|[Edit2.Text]");
     },
     [](TControlsReport& r) { TUiTestHarness::TypeText(Find<TfrxEditControl>(r, "Edit2")->Edit(), "李四"); },
     "|李四"},
    // A control the script disables or hides: its window control follows, and the script
    // reads the state back.
    {"EnabledAndVisibleFromTheScript",
     [](TControlsReport& r) {
         r.Add<TfrxCheckBoxControl>("CheckBox1", 16, 16, 150, 17)->SetCaption("A");
         r.Add<TfrxCheckBoxControl>("CheckBox2", 16, 40, 150, 17)->SetCaption("B");
         r.Activate("  CheckBox1.Enabled := False;\r\n  CheckBox2.Visible := False;");
         r.Printed->SetText("[IIF(CheckBox1.Enabled, 'on', 'off')] [IIF(CheckBox2.Visible, 'shown', 'hidden')]");
     },
     [](TControlsReport& r) {
         auto* box = Find<TfrxCheckBoxControl>(r, "CheckBox1");
         EXPECT_FALSE(box->CheckBox()->Enabled());
         EXPECT_FALSE(box->Checked());
         EXPECT_FALSE(Find<TfrxCheckBoxControl>(r, "CheckBox2")->CheckBox()->Visible());
     },
     "off hidden"},
};

class DialogControlsInScripts : public testing::TestWithParam<TControlCase> {
protected:
    void TearDown() override {
        EXPECT_TRUE(Harness.Errors().empty()) << Harness.Errors().front();
        EXPECT_EQ(Harness.PendingDrivers(), 0);
    }
    TUiTestHarness Harness;
};

TEST_P(DialogControlsInScripts, ReadAndSetWhileTheDialogIsUp) {
    const TControlCase& c = GetParam();
    TControlsReport r;
    c.Build(r);
    Harness.OnModal("TfrxDialogForm", [&](TCustomForm&) {
        TUiTestHarness::ProcessMessages();
        if (c.User) c.User(r);
        TUiTestHarness::Click(r.Ok->Button());
    });
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(r.PrintedText(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogControlsInScripts, testing::ValuesIn(kControlCases),
                         [](const testing::TestParamInfo<TControlCase>& info) { return std::string(info.param.Name); });

}  // namespace

// Actions and their links: bound controls and menu items follow the action; clicking them
// executes it; a bound check box toggles before the action runs; shortcuts; focus events;
// an offscreen screenshot of Chinese text.
#include "UiFixture.h"

#include <QColor>
#include <QImage>
#include <filesystem>

namespace {

const char* kActionForm = R"(object Form1: TProbeForm
  ClientWidth = 320
  ClientHeight = 200
  Menu = MainMenu1
  object Button1: TButton
    Left = 8
    Top = 8
    Action = brzl
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 40
    Action = tj
  end
  object Edit1: TEdit
    Left = 8
    Top = 70
    OnEnter = EditEnter
    OnExit = EditExit
  end
  object Edit2: TEdit
    Left = 8
    Top = 100
    OnEnter = EditEnter
    OnExit = EditExit
  end
  object ActionList1: TActionList
    object brzl: TAction
      Tag = 11
      Caption = '病人资料'
      ShortCut = 16464
      OnExecute = ActionExecute
    end
    object tj: TAction
      Tag = 61
      Caption = '调价'
      OnExecute = ActionExecute
    end
  end
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = '初始设置'
      object N2: TMenuItem
        Action = brzl
      end
      object N3: TMenuItem
        Caption = '退出系统'
        OnClick = ButtonClick
      end
    end
  end
end
)";

class ActionsTest : public UiTest {
protected:
    void SetUp() override {
        Form = MakeForm(kActionForm);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    std::unique_ptr<TProbeForm> Form;
};

}  // namespace

TEST_F(ActionsTest, LinkedControlsTakeTheActionsCaptionAndState) {
    auto* brzl = Find<TAction>(Form.get(), "brzl");
    auto* button = Find<TButton>(Form.get(), "Button1");
    auto* item = Find<TMenuItem>(Form.get(), "N2");
    EXPECT_EQ(button->Caption(), "病人资料");
    EXPECT_EQ(item->Caption(), "病人资料");
    EXPECT_EQ(item->ShortCut(), ShortCut('P', ssCtrl));
    brzl->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(item->Enabled());
    // A disabled item and button do nothing; the shortcut goes on to the control.
    auto* edit = Find<TEdit>(Form.get(), "Edit1");
    TUiTestHarness::ClickMenuItem(item);
    TUiTestHarness::Click(button);
    TUiTestHarness::Click(edit);
    TUiTestHarness::TypeKey(edit, 'P', ssCtrl);
    EXPECT_TRUE(Form->Log.empty() || Form->Log.back().rfind("execute", 0) != 0);
    brzl->SetEnabled(true);
    brzl->SetCaption("病人资料录入");
    EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(button->Caption(), "病人资料录入");
    Form->Log.clear();
    TUiTestHarness::ClickMenuItem(item);
    TUiTestHarness::Click(button);
    TUiTestHarness::Click(edit);
    TUiTestHarness::TypeKey(edit, 'P', ssCtrl);
    std::vector<std::string> executes;
    for (const std::string& s : Form->Log)
        if (s.rfind("execute", 0) == 0) executes.push_back(s);
    EXPECT_EQ(executes, (std::vector<std::string>{"execute brzl", "execute brzl", "execute brzl"}));
}

TEST_F(ActionsTest, BoundCheckBoxTogglesBeforeTheActionRuns) {
    auto* box = Find<TCheckBox>(Form.get(), "CheckBox1");
    bool checkedDuringExecute = false;
    Find<TAction>(Form.get(), "tj")->OnExecute = [&](TObject*) { checkedDuringExecute = box->Checked(); };
    TUiTestHarness::Click(box);
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(checkedDuringExecute);
    // The action's Checked reaches the box without running the action.
    int executes = 0;
    Find<TAction>(Form.get(), "tj")->OnExecute = [&](TObject*) { ++executes; };
    Find<TAction>(Form.get(), "tj")->SetChecked(true);
    Find<TAction>(Form.get(), "tj")->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(executes, 0);
}

TEST_F(ActionsTest, MenuItemsClickThroughQtActions) {
    Form->Log.clear();
    TUiTestHarness::ClickMenuItem(Find<TMenuItem>(Form.get(), "N3"));
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"click N3"}));
}

TEST_F(ActionsTest, FocusMovesFireExitThenEnter) {
    auto* e1 = Find<TEdit>(Form.get(), "Edit1");
    auto* e2 = Find<TEdit>(Form.get(), "Edit2");
    e1->SetFocus();
    Form->Log.clear();
    e2->SetFocus();
    TUiTestHarness::Click(e1);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"exit-focus Edit1", "enter-focus Edit2", "exit-focus Edit2",
                                                   "enter-focus Edit1"}));
    // An OnExit that puts the focus back keeps it where it was.
    e1->OnExit = [&](TObject*) { e1->SetFocus(); };
    e2->SetFocus();
    EXPECT_EQ(Form->ActiveControl(), e1);
    e1->OnExit = nullptr;
}

TEST_F(ActionsTest, ChineseTextDrawsOffscreen) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  Caption = '岳梧门诊收费系统'
  ClientWidth = 360
  ClientHeight = 120
  Color = clWhite
  object Label1: TLabel
    Left = 12
    Top = 12
    Caption = '门诊划价收费 病人资料录入'
    Font.Height = -24
    Font.Name = '宋体'
    ParentFont = False
  end
  object Edit1: TEdit
    Left = 12
    Top = 60
    Width = 200
    Text = '拼音码 ABC 123'
  end
  object Button1: TButton
    Left = 230
    Top = 58
    Caption = '确定'
  end
end
)");
    form->Show();
    TUiTestHarness::ProcessMessages();
    const std::string path = (std::filesystem::temp_directory_path() / "rove-ui-chinese.png").string();
    ASSERT_TRUE(TUiTestHarness::SaveScreenshot(form.get(), path));
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 360);
    // The label's area holds dark glyph pixels on the white form.
    auto* label = Find<TLabel>(form.get(), "Label1");
    int dark = 0;
    for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
        for (int x = label->Left(); x < label->Left() + label->Width(); ++x)
            if (QColor(image.pixel(x, y)).lightness() < 100) ++dark;
    EXPECT_GT(dark, 200);
    EXPECT_GT(label->Width(), 200);   // auto-sized to twelve wide characters
}

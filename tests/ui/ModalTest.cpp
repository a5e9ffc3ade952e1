// Modality, closing, the exception boundary, Terminate before Run, message boxes and the
// dialogs seam.
#include "UiFixture.h"

#include "platform/ui/QtPeer.h"
#include "platform/ui/Shell.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

const char* kDialogForm = R"(object Form1: TProbeForm
  Caption = '提示'
  ClientWidth = 200
  ClientHeight = 100
  Position = poScreenCenter
  OnShow = FormShow
  OnCloseQuery = FormCloseQuery
  OnClose = FormClose
  object OkB: TButton
    Left = 8
    Top = 8
    Caption = '确定'
    ModalResult = 1
  end
  object CancelB: TButton
    Left = 100
    Top = 8
    Caption = '取消'
    ModalResult = 2
  end
  object FailB: TButton
    Left = 8
    Top = 50
    Caption = 'Fail'
    OnClick = FailClick
  end
end
)";

bool WidgetEnabled(TControl* c);

}  // namespace

class ModalTest : public UiTest {};

TEST_F(ModalTest, ShowModalReturnsTheButtonsModalResult) {
    struct {
        const char* Button;
        int Expected;
    } cases[] = {{"OkB", mrOk}, {"CancelB", mrCancel}};
    for (auto& c : cases) {
        auto form = MakeForm(kDialogForm);
        const char* name = c.Button;
        Harness.OnModal("TProbeForm", [name](TCustomForm& f) { TUiTestHarness::Click(Find<TControl>(&f, name)); });
        EXPECT_EQ(form->ShowModal(), c.Expected) << name;
        EXPECT_FALSE(form->Visible());
        EXPECT_EQ(form->Log, (std::vector<std::string>{"show", "closequery yes", "close"}));
    }
}

TEST_F(ModalTest, CloseQueryKeepsTheModalFormOpenUntilItAgrees) {
    auto form = MakeForm(kDialogForm);
    form->AllowClose = false;
    // The first driver's click is refused; the loop starts again and the second driver
    // finds the form still open with ModalResult back to none.
    Harness.OnModal([](TCustomForm& f) { TUiTestHarness::Click(Find<TControl>(&f, "OkB")); });
    Harness.OnModal([](TCustomForm& f) {
        auto* probe = static_cast<TProbeForm*>(&f);
        EXPECT_TRUE(f.Visible());
        EXPECT_EQ(f.ModalResult(), mrNone);
        probe->AllowClose = true;
        f.Close();   // a modal form's Close means mrCancel
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"show", "closequery no", "closequery yes", "close"}));
}

TEST_F(ModalTest, WindowsOpenedInsideAModalFormAreUsable) {
    auto main = MakeForm(kDialogForm);
    main->Show();
    auto modal = MakeForm(kDialogForm);
    std::unique_ptr<TProbeForm> inner;
    bool mainEnabledDuring = true, innerEnabled = false;
    Harness.OnModal([&](TCustomForm& f) {
        // The form that was there when ShowModal began is disabled...
        mainEnabledDuring = WidgetEnabled(main.get());
        // ...a window opened now is not, and its buttons work.
        inner = MakeForm(kDialogForm);
        inner->Show();
        innerEnabled = WidgetEnabled(inner.get());
        inner->Log.clear();
        auto* fail = Find<TButton>(inner.get(), "OkB");
        fail->OnClick = [&](TObject*) { inner->Log.push_back("inner click"); };
        TUiTestHarness::Click(fail);
        // A nested modal form inside works and returns to this one.
        auto nested = MakeForm(kDialogForm);
        Harness.OnModal([](TCustomForm& n) { TUiTestHarness::Click(Find<TControl>(&n, "OkB")); });
        EXPECT_EQ(nested->ShowModal(), mrOk);
        EXPECT_TRUE(WidgetEnabled(&f));
        TUiTestHarness::Click(Find<TControl>(&f, "CancelB"));
    });
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(innerEnabled);
    EXPECT_EQ(inner->Log, (std::vector<std::string>{"inner click"}));
    EXPECT_TRUE(WidgetEnabled(main.get()));
}

// A modal form belongs to the window it came from (its window is transient for that one),
// so the window manager keeps it above: a click on the disabled window underneath raised
// that window over the modal form, which then could not be seen. A modal form opened from
// a modal form belongs to that one.
TEST_F(ModalTest, AModalFormBelongsToTheWindowItCameFrom) {
    auto main = MakeForm(kDialogForm);
    auto other = MakeForm(kDialogForm);
    other->Show();
    main->Show();   // shown last, it is the active window
    ASSERT_EQ(Screen->ActiveForm(), main.get());
    auto modal = MakeForm(kDialogForm);
    auto nested = MakeForm(kDialogForm);
    auto windowOf = [](TCustomForm* f) { return WidgetOf(f)->windowHandle(); };
    QWindow* modalOwner = nullptr;
    QWindow* nestedOwner = nullptr;
    Harness.OnModal([&](TCustomForm& f) {
        modalOwner = windowOf(&f)->transientParent();
        Harness.OnModal([&](TCustomForm& n) {
            nestedOwner = windowOf(&n)->transientParent();
            TUiTestHarness::Click(Find<TControl>(&n, "OkB"));
        });
        nested->ShowModal();
        TUiTestHarness::Click(Find<TControl>(&f, "OkB"));
    });
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_EQ(modalOwner, windowOf(main.get()));
    EXPECT_EQ(nestedOwner, windowOf(modal.get()));
}

// A form placed inside another window is a part of that window, not a window of its own:
// inside the modal form it takes clicks; inside a window the modal form disables it goes
// with that window.
TEST_F(ModalTest, AFormInsideTheModalFormTakesInput) {
    auto main = MakeForm(kDialogForm);
    auto inMain = MakeForm(kDialogForm);
    inMain->SetBorderStyle(bsNone);
    inMain->SetParent(main.get());
    inMain->Show();
    main->Show();
    auto modal = MakeForm(kDialogForm);
    auto inModal = MakeForm(kDialogForm);
    inModal->SetBorderStyle(bsNone);
    inModal->SetParent(modal.get());
    inModal->SetBounds(0, 40, 200, 60);
    inModal->Show();
    EXPECT_EQ(inModal->Top(), 40) << "placed inside a window, a form is not centred on the screen";
    bool inModalEnabled = false;
    bool inMainReachable = true;
    Harness.OnModal([&](TCustomForm& f) {
        inModalEnabled = WidgetOf(inModal.get())->isEnabled();
        inMainReachable = WidgetOf(inMain.get())->isEnabled();
        auto* ok = Find<TButton>(inModal.get(), "OkB");
        ok->SetModalResult(mrNone);
        ok->OnClick = [&](TObject*) { inModal->Log.push_back("inner click"); };
        inModal->Log.clear();
        TUiTestHarness::Click(ok);
        TUiTestHarness::Click(Find<TControl>(&f, "CancelB"));
    });
    EXPECT_EQ(modal->ShowModal(), mrCancel);
    EXPECT_TRUE(inModalEnabled);
    EXPECT_FALSE(inMainReachable);
    EXPECT_EQ(inModal->Log, (std::vector<std::string>{"inner click"}));
    EXPECT_TRUE(WidgetOf(inMain.get())->isEnabled());
    inModal.reset();
    inMain.reset();
}

TEST_F(ModalTest, MessageBoxInsideAModalFormAnswersAndReturns) {
    auto form = MakeForm(kDialogForm);
    int answer = 0;
    auto* ok = Find<TButton>(form.get(), "OkB");
    ok->SetModalResult(mrNone);
    ok->OnClick = [&](TObject*) {
        answer = Application->MessageBox("收费成功，打印票据？", "提示", MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDOK) form->SetModalResult(mrOk);
    };
    Harness.AnswerMessage(IDOK);
    Harness.OnModal([&](TCustomForm& f) { TUiTestHarness::Click(Find<TControl>(&f, "OkB")); });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(answer, IDOK);
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_EQ(Harness.Dialogs()[0].Text, "收费成功，打印票据？");
    EXPECT_EQ(Harness.Dialogs()[0].Caption, "提示");
    EXPECT_EQ(Harness.Dialogs()[0].Flags, MB_OKCANCEL | MB_ICONQUESTION);
}

TEST_F(ModalTest, ModalFormWithoutDriverIsCancelledAndReported) {
    auto form = MakeForm(kDialogForm);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    ASSERT_EQ(Harness.Errors().size(), 1u);
    EXPECT_NE(Harness.Errors()[0].find("no driver"), std::string::npos);
    // This test wants the error; the fixture's check must not see it.
    const_cast<std::vector<std::string>&>(Harness.Errors()).clear();
}

TEST_F(ModalTest, ShowModalOfAVisibleFormRaises) {
    auto form = MakeForm(kDialogForm);
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(ModalTest, ExceptionInAHandlerShowsItsTextAndTheProgramGoesOn) {
    auto form = MakeForm(kDialogForm);
    form->Show();
    Application->SetTitle("岳梧门诊收费系统");
    auto* fail = Find<TButton>(form.get(), "FailB");
    TUiTestHarness::Click(fail);
    TUiTestHarness::Click(fail);
    ASSERT_EQ(Harness.Dialogs().size(), 2u);
    EXPECT_EQ(Harness.Dialogs()[0].Kind, TDialogKind::MessageBox);
    // The text with a full stop, the application's title as caption, the stop icon.
    EXPECT_EQ(Harness.Dialogs()[0].Text, "数据库错误.");
    EXPECT_EQ(Harness.Dialogs()[0].Caption, "岳梧门诊收费系统");
    EXPECT_EQ(Harness.Dialogs()[0].Flags, MB_OK | MB_ICONSTOP);
    // The form still works.
    form->Log.clear();
    Find<TButton>(form.get(), "OkB")->OnClick = [&](TObject*) { form->Log.push_back("after"); };
    TUiTestHarness::Click(Find<TControl>(form.get(), "OkB"));
    EXPECT_EQ(form->Log, (std::vector<std::string>{"after"}));
}

TEST_F(ModalTest, AbortIsSilentAndOnExceptionTakesOver) {
    auto form = MakeForm(kDialogForm);
    form->Show();
    auto* ok = Find<TButton>(form.get(), "OkB");
    ok->OnClick = [](TObject*) { throw EAbort("quiet"); };
    TUiTestHarness::Click(ok);
    EXPECT_TRUE(Harness.Dialogs().empty());
    std::string seen;
    Application->OnException = [&](TObject*, const Exception& e) { seen = e.Message(); };
    ok->OnClick = [](TObject*) { throw EConvertError("'abc' 不是有效的整数"); };
    TUiTestHarness::Click(ok);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "'abc' 不是有效的整数");
    EXPECT_TRUE(Harness.Dialogs().empty());
}

TEST_F(ModalTest, CloseOfTheMainFormTerminatesAndCaFreeReleases) {
    auto main = std::make_unique<TProbeForm>(nullptr);
    TCustomForm* oldMain = Application->MainForm();
    Application->SetMainForm(main.get());
    main->Show();
    main->Close();
    EXPECT_TRUE(Application->Terminated());
    Application->SetMainForm(oldMain);

    auto* freed = new TProbeForm(nullptr);
    freed->CloseAction = caFree;
    freed->OnClose = [freed](TObject*, TCloseAction& a) { a = freed->CloseAction; };
    freed->Show();
    freed->Close();
    EXPECT_TRUE(Screen->HasForm(freed));   // freed once the event is over
    TUiTestHarness::ProcessMessages();
    EXPECT_FALSE(Screen->HasForm(freed));
}

TEST_F(ModalTest, MessageDlgInputBoxAndFileDialogsGoThroughTheSeam) {
    Harness.AnswerMessage(mrYes);
    EXPECT_EQ(MessageDlg("退出系统前是否备份数据?", mtConfirmation, mbYesNo), mrYes);
    Harness.AnswerInput(std::string("0508"));
    EXPECT_EQ(InputBox("票据作废", "请输入要作废的票据号码：", ""), "0508");
    Harness.AnswerInput(std::nullopt);
    EXPECT_EQ(InputBox("c", "p", "default"), "default");
    std::string dir = "/old";
    Harness.AnswerDirectory(std::string("/backup"));
    EXPECT_TRUE(SelectDirectory("选择备份目录", "", dir));
    EXPECT_EQ(dir, "/backup");
    ShowMessage("完成");
    const std::vector<std::string> texts = Harness.DialogTexts();
    EXPECT_EQ(texts, (std::vector<std::string>{"退出系统前是否备份数据?", "请输入要作废的票据号码：", "p",
                                               "", "完成"}));
    EXPECT_EQ(Harness.Dialogs()[0].Caption, MsgDlgCaption(mtConfirmation));
    EXPECT_EQ(Harness.Dialogs()[3].Caption, "选择备份目录");
}

TEST(FilterTest, FormFiltersBecomeQtNameFilters) {
    EXPECT_EQ(FilterToNameFilters("数据库文件(＊.mdb)|*.mdb"), (std::vector<std::string>{"数据库文件(＊.mdb) (*.mdb)"}));
    EXPECT_EQ(FilterToNameFilters("Pascal|*.pas;*.pp|All|*.*"),
              (std::vector<std::string>{"Pascal (*.pas *.pp)", "All (*.*)"}));
    EXPECT_TRUE(FilterToNameFilters("").empty());
}

// Terminate before Run: Run returns at once, showing nothing.
TEST_F(ModalTest, TerminateBeforeRunEndsAtOnce) {
    auto main = std::make_unique<TProbeForm>(nullptr);
    TCustomForm* oldMain = Application->MainForm();
    Application->SetMainForm(main.get());
    Application->Terminate();
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { timedOut = true; });
    guard.start(2000);
    Application->Run();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(main->Visible());
    EXPECT_TRUE(main->Log.empty());
    Application->SetMainForm(oldMain);
}

// Terminate inside a modal form ends its loop (with mrCancel) and Run.
TEST_F(ModalTest, TerminateEndsNestedLoops) {
    auto form = MakeForm(kDialogForm);
    Harness.OnModal([](TCustomForm&) { Application->Terminate(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST(SingleInstanceTest, SecondLockOfTheSameUserAndDisplayIsRefused) {
    TSingleInstanceLock first("rove-test");
    TSingleInstanceLock second("rove-test");
    TSingleInstanceLock other("rove-other");
    ASSERT_TRUE(first.Acquire());
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(other.Acquire());
    EXPECT_NE(first.Path().find(std::to_string(getuid())), std::string::npos);
    first.Release();
    EXPECT_TRUE(second.Acquire());
}

TEST_F(ModalTest, ShellOpenAndBeepAreRecorded) {
    EXPECT_TRUE(ShellOpen("/tmp/help.chm"));
    Harness.SetShellOpenResult(false);
    EXPECT_FALSE(ShellOpen("http://example.org"));
    MessageBeep(1);
    EXPECT_EQ(Harness.ShellOpened(), (std::vector<std::string>{"/tmp/help.chm", "http://example.org"}));
    EXPECT_EQ(Harness.Beeps(), 1);
}

namespace {
bool WidgetEnabled(TControl* c) {
    TCustomForm* f = dynamic_cast<TCustomForm*>(c);
    return f && !f->ModalDisabled() && f->Enabled();
}
}  // namespace

// The main window: start-up scaling, the login on show, the actions and their windows,
// help, leaving with the backup question, and the change of operator.
#include "app/forms/MainForm.h"

#include "app/forms/BackupForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/HelpFile.h"
#include "app/forms/LoginForm.h"
#include "app/forms/ScreenScale.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Shell.h"
#include "platform/ui/StdCtrls.h"

#include <array>

ROVE_IMPLEMENT_CLASS(Twqtdglzjmform)
ROVE_CLINIC_FORM(Twqtdglzjmform, wqtdglzjmform)

Twqtdglzjmform* wqtdglzjmform = nullptr;

namespace {
// ORDER: the actions of ActionList1 that open a window.
constexpr std::array<TActionWindow, 22> kActionWindows = {{
    {"brzl", "Tbrzlform", true},     {"yszl", "Tyszlform", false},
    {"kszl", "Tkszlform", false},    {"xmzl", "Txmzlform", false},
    {"llzl", "Tllzlform", false},    {"dwzl", "Tdwzlform", false},
    {"sf", "Tsfform", false},        {"pjzf", "Tpjzfform", false},
    {"rb", "Trbform", false},        {"xmxhtj", "Txmxhtjform", false},
    {"ypxhtj", "Typxhtjform", false}, {"pjzfcx", "Tpjzfcxform", false},
    {"sfcx", "Tsfcxform", false},    {"jxcyl", "Tjxcylform", false},
    {"qhsxcx", "Tqhsxcxform", false}, {"sjbf", "Tsjbfform", false},
    {"sjhf", "Tsjhfform", false},    {"user", "Tuserform", true},
    {"yhcx", "Tyhcxform", false},    {"sjzl", "Tsjzlform", false},
    {"rk", "Trkform", false},        {"rkcx", "Trkcxform", false},
}};

// The window of a class, or a message that this program does not have it.
TCustomForm* RequireWindow(std::string_view ClassName) {
    if (TCustomForm* form = FindClinicWindow(ClassName)) return form;
    Application->MessageBox("本程序中没有这个窗口：" + std::string(ClassName), "提示", MB_OK);
    return nullptr;
}

template <class T>
T* Control(TCustomForm* Form, std::string_view Name) {
    auto* c = dynamic_cast<T*>(Form->FindComponent(Name));
    if (!c) throw EComponentError(Form->ClassName() + " has no " + std::string(Name));
    return c;
}

void SetEditable(TEdit* Edit, bool Editable) {
    Edit->SetReadOnly(!Editable);
    Edit->SetColor(Editable ? clWindow : cl3DLight);
}
}  // namespace

const TActionWindow* FindActionWindow(std::string_view ActionName) {
    for (const TActionWindow& w : kActionWindows)
        if (w.Action == ActionName) return &w;
    return nullptr;
}

Twqtdglzjmform::Twqtdglzjmform(TComponent* AOwner) : TForm(AOwner) {
    FLoginTimer = new TTimer(this);
    FLoginTimer->SetEnabled(false);
    FLoginTimer->SetInterval(1);
    FLoginTimer->OnTimer = [this](TObject*) {
        FLoginTimer->SetEnabled(false);
        LogoinForm->ShowModal();
    };
    InitForm();
}

Twqtdglzjmform::~Twqtdglzjmform() {
    if (wqtdglzjmform == this) wqtdglzjmform = nullptr;
}

void Twqtdglzjmform::BindFields() {
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(ToolBar1, "ToolBar1");
    Bind(MainMenu1, "MainMenu1");
    Bind(ActionList1, "ActionList1");
    Bind(ImageList1, "ImageList1");
}

// --- Rights ------------------------------------------------------------------------------------
bool Twqtdglzjmform::EnableActionByTag(int Tag) {
    for (int i = 0; i < ActionList1->ActionCount(); ++i) {
        auto* action = dynamic_cast<TCustomAction*>(ActionList1->Actions(i));
        if (action && action->Tag() == Tag) {
            action->SetEnabled(true);
            return true;
        }
    }
    return false;
}

void Twqtdglzjmform::DisableAllActions() {
    for (int i = 0; i < ActionList1->ActionCount(); ++i)
        if (auto* action = dynamic_cast<TCustomAction*>(ActionList1->Actions(i)))
            action->SetEnabled(false);
}

TAction* Twqtdglzjmform::ActionByName(std::string_view Name) const {
    return dynamic_cast<TAction*>(FindComponent(Name));
}

// --- Start-up ------------------------------------------------------------------------------------
void Twqtdglzjmform::FormCreate(TObject*) {
    DrawPictures();
    ScaleFormToScreen(this);
}

// The login is shown modally as soon as the window is on screen: the form shows itself only
// after OnShow, and a login run inside it would come up before the maximised main window
// stands behind it.
void Twqtdglzjmform::FormShow(TObject*) { FLoginTimer->SetEnabled(true); }

bool Twqtdglzjmform::LoginPending() const { return FLoginTimer->Enabled(); }

// The pictures are the program's own: a soft gradient behind the title, and one tile per
// tool button with the first character of its caption.
void Twqtdglzjmform::DrawPictures() {
    TBitmap background(8, 256);
    for (int y = 0; y < 256; ++y) {
        const int v = y / 2;
        background.Canvas()->Pen()->SetColor(RGB(200 + v / 5, 222 + v / 6, 245 + v / 16));
        background.Canvas()->MoveTo(0, y);
        background.Canvas()->LineTo(8, y);
    }
    Image1->Picture()->SetGraphic(&background);

    static constexpr std::array<TColor, 10> tileColors = {
        RGB(46, 125, 50),  RGB(0, 105, 92),   RGB(21, 101, 192), RGB(69, 90, 100),
        RGB(230, 81, 0),   RGB(191, 54, 12),  RGB(106, 27, 154), RGB(74, 20, 140),
        RGB(0, 131, 143),  RGB(183, 28, 28)};
    ImageList1->Clear();
    for (int i = 0; i < ToolBar1->ButtonCount() && i < static_cast<int>(tileColors.size()); ++i) {
        const std::string caption = ToolBar1->Buttons(i)->Caption();
        TBitmap tile(ImageList1->Width(), ImageList1->Height());
        TCanvas* c = tile.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(Rect(0, 0, tile.Width(), tile.Height()));
        c->Brush()->SetColor(tileColors[static_cast<size_t>(i)]);
        c->Pen()->SetColor(tileColors[static_cast<size_t>(i)]);
        c->RoundRect(2, 2, tile.Width() - 2, tile.Height() - 2, 8, 8);
        c->Font()->SetName("宋体");
        c->Font()->SetHeight(-18);
        c->Font()->SetStyle(TFontStyles{fsBold});
        c->Font()->SetColor(clWhite);
        c->SetBkMode(bkTransparent);
        TRect r = Rect(2, 2, tile.Width() - 2, tile.Height() - 2);
        c->DrawText(Copy(caption, 1, 1), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ImageList1->AddMasked(tile, clFuchsia);
    }
    // The tool bar takes its pictures when its image list is assigned.
    ToolBar1->SetImages(ImageList1);
}

// --- Actions ---------------------------------------------------------------------------------------
void Twqtdglzjmform::ShowWindowExecute(TObject* Sender) {
    auto* action = dynamic_cast<TComponent*>(Sender);
    const TActionWindow* target = action ? FindActionWindow(action->Name()) : nullptr;
    if (!target) return;
    TCustomForm* form = RequireWindow(target->WindowClass);
    if (!form) return;
    // A window left disabled by a change of operator is usable again for one who holds it.
    form->SetEnabled(true);
    if (!target->Modal) {
        form->Show();
        return;
    }
    // A window already showing modelessly cannot be made modal: hide it first.
    if (form->Visible()) form->Hide();
    form->ShowModal();
}

// Price adjustment on the item-edit window: its check box bound to this action was toggled
// before the action runs; checked unlocks the unit price, and for a drug (hidden CheckBox2)
// the purchase price too; unchecked locks both.
void Twqtdglzjmform::tjExecute(TObject*) {
    TCustomForm* form = RequireWindow("Tbqxmform");
    if (!form) return;
    auto* checkBox1 = Control<TCheckBox>(form, "CheckBox1");
    auto* checkBox2 = Control<TCheckBox>(form, "CheckBox2");
    auto* edit4 = Control<TEdit>(form, "Edit4");
    auto* edit5 = Control<TEdit>(form, "Edit5");
    if (checkBox1->Checked() && checkBox2->Checked()) {
        SetEditable(edit4, true);
        SetEditable(edit5, true);
    }
    if (checkBox1->Checked()) SetEditable(edit5, true);
    if (!checkBox1->Checked()) {
        SetEditable(edit4, false);
        SetEditable(edit5, false);
    }
}

// Discount: closes the start-charging prompt and opens the discount window modally.
void Twqtdglzjmform::yhsfExecute(TObject*) {
    TCustomForm* prompt = RequireWindow("Tsftsform");
    if (!prompt) return;
    TCustomForm* discount = RequireWindow("Tyhsfform");
    if (!discount) return;
    prompt->Close();
    discount->ShowModal();
}

// Internal accounting: the discount window's amount after and percentage become "0".
void Twqtdglzjmform::nbjzExecute(TObject*) {
    TCustomForm* discount = RequireWindow("Tyhsfform");
    if (!discount) return;
    Control<TEdit>(discount, "Edit2")->SetText("0");
    Control<TEdit>(discount, "Edit3")->SetText("0");
}

// --- Help, leaving, change of operator --------------------------------------------------------------
void Twqtdglzjmform::HelpClick(TObject*) { OpenHelpFile(ClinicHelpFile()); }

void Twqtdglzjmform::AboutClick(TObject*) {
    if (TCustomForm* about = RequireWindow("Taboutform")) about->Show();
}

bool Twqtdglzjmform::AskForBackup() {
    if (Application->MessageBox("退出系统前是否备份数据?", "提示", MB_OKCANCEL) != IDOK) return false;
    // The window may be open already (数据备份); it comes back modal.
    if (sjbfform->Visible()) sjbfform->Hide();
    sjbfform->ShowModal();
    return true;
}

void Twqtdglzjmform::ExitClick(TObject*) {
    AskForBackup();
    Application->Terminate();
}

// Closing by the frame asks the same; either answer lets the close go on and end the program.
void Twqtdglzjmform::FormCloseQuery(TObject*, bool&) {
    if (AskForBackup()) Application->Terminate();
}

// The new operator's rights govern the windows left open: a window whose function the new
// operator does not hold is closed (the charging window asks about an unfinished receipt
// as its close does); one that stays open is disabled until an operator who holds the
// function opens it again.
void Twqtdglzjmform::ChangeOperatorClick(TObject*) {
    DisableAllActions();
    LogoinForm->ShowModal();
    if (Application->Terminated()) return;
    ApplyRightsToOpenWindows();
}

void Twqtdglzjmform::ApplyRightsToOpenWindows() {
    for (const TActionWindow& w : kActionWindows) {
        TCustomForm* form = FindClinicWindow(w.WindowClass);
        TAction* action = ActionByName(w.Action);
        if (!form || !action || !form->Visible()) continue;
        if (action->Enabled()) {
            form->SetEnabled(true);
            continue;
        }
        form->Close();
        if (form->Visible()) form->SetEnabled(false);
    }
}

void Twqtdglzjmform::DeclareProperties(TPropertyDecl<Twqtdglzjmform>& d) {
    d.Method("FormCreate", &Twqtdglzjmform::FormCreate);
    d.Method("FormShow", &Twqtdglzjmform::FormShow);
    d.Method("FormCloseQuery", &Twqtdglzjmform::FormCloseQuery);
    d.Method("HelpClick", &Twqtdglzjmform::HelpClick);
    d.Method("AboutClick", &Twqtdglzjmform::AboutClick);
    d.Method("ExitClick", &Twqtdglzjmform::ExitClick);
    d.Method("ChangeOperatorClick", &Twqtdglzjmform::ChangeOperatorClick);
    d.Method("ShowWindowExecute", &Twqtdglzjmform::ShowWindowExecute);
    d.Method("tjExecute", &Twqtdglzjmform::tjExecute);
    d.Method("yhsfExecute", &Twqtdglzjmform::yhsfExecute);
    d.Method("nbjzExecute", &Twqtdglzjmform::nbjzExecute);
}

// The test harness: scripted dialog answers with a record, modal drivers, and input sent
// as Qt events to the controls' widgets.
#include "platform/ui/UiTest.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtKeys.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/Shell.h"
#include "platform/ui/UiInternal.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {

TUiTestHarness* gHarness = nullptr;

int DefaultMessageAnswer(const TDialogRequest& r) {
    if (r.Kind == TDialogKind::MessageBox) {
        switch (r.Flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_RETRYCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
        }
    }
    if (r.Flags & (1 << mbCancel)) return mrCancel;
    if (r.Flags & (1 << mbNo)) return mrNo;
    return mrOk;
}

bool SingleOkButton(const TDialogRequest& r) {
    if (r.Kind == TDialogKind::MessageBox) return (r.Flags & MB_TYPEMASK) == MB_OK;
    if (r.Kind == TDialogKind::MessageDlg) return r.Flags == 0 || r.Flags == (1 << mbOK);
    return false;
}

// Where typed keys of a control arrive: its edit field, or its own widget.
QWidget* KeyTarget(TWinControl* control) {
    QWidget* w = WidgetOf(control);
    if (!w) return nullptr;
    // An editor open inside the control (a tree node's label being edited) takes the keys.
    if (QWidget* f = QApplication::focusWidget(); f && f != w && w->isAncestorOf(f) && ControlOfWidget(f) == control)
        return f;
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) return combo->lineEdit();
    return w;
}

QWidget* MouseTarget(TControl* control) {
    QWidget* w = WidgetOf(control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area->viewport();
    if (auto* form = dynamic_cast<TCustomForm*>(control)) return ClientWidgetOf(form);
    return w;
}

void FocusFor(TWinControl* control) {
    if (!control->CanFocus()) return;
    if (!control->Focused()) SafeCall([&] { control->SetFocus(); });
}

QString KeyText(uint16_t vk, TShiftState shift) {
    if (shift & (ssCtrl | ssAlt)) {
        if ((shift & ssCtrl) && vk >= 'A' && vk <= 'Z') return QString(QChar(char16_t(vk - 'A' + 1)));
        return {};
    }
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(char16_t((shift & ssShift) ? vk : vk + 32)));
    if (vk >= '0' && vk <= '9' && !(shift & ssShift)) return QString(QChar(char16_t(vk)));
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return QString(QChar(char16_t('0' + vk - VK_NUMPAD0)));
    switch (vk) {
    case VK_SPACE: return QStringLiteral(" ");
    case VK_RETURN: return QStringLiteral("\r");
    case VK_BACK: return QStringLiteral("\b");
    case VK_TAB: return QStringLiteral("\t");
    case VK_ESCAPE: return QString(QChar(char16_t(27)));
    case VK_OEM_PERIOD: return QStringLiteral(".");
    case VK_DECIMAL: return QStringLiteral(".");
    case VK_OEM_MINUS: return (shift & ssShift) ? QStringLiteral("_") : QStringLiteral("-");
    case VK_SUBTRACT: return QStringLiteral("-");
    case VK_OEM_COMMA: return QStringLiteral(",");
    default: return {};
    }
}

void SendKey(QWidget* target, int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

int QtKeyOfCodePoint(char32_t c) {
    if (c >= 'a' && c <= 'z') return Qt::Key_A + int(c - 'a');
    if (c >= 'A' && c <= 'Z') return Qt::Key_A + int(c - 'A');
    if (c >= '0' && c <= '9') return Qt::Key_0 + int(c - '0');
    if (c == ' ') return Qt::Key_Space;
    if (c < 128) return int(c);   // Qt's keys of printable ASCII are their codes
    return Qt::Key_unknown;
}

}  // namespace

TUiTestHarness::TUiTestHarness() {
    Application->Initialize();
    ResetApplicationTerminated();
    SetManualTimers(true);
    gHarness = this;
    FScope = new TDialogServiceScope(*this);
    SetModalHook([this](TCustomForm& form) { RunModal(form); });
    SetPopupHook([this](TPopupMenu& menu, TPoint where) {
        if (FPopups.empty()) {
            FErrors.push_back("pop-up menu " + menu.Name() + " shown with no handler");
            return;
        }
        auto fn = std::move(FPopups.front());
        FPopups.pop_front();
        fn(menu, where);
    });
    SetBeepHook([](unsigned) {
        if (gHarness) ++gHarness->FBeeps;
    });
    SetShellOpenHook([this](const std::string& target) {
        FShellOpened.push_back(target);
        return FShellResult;
    });
    SetScreenSize(1024, 768);
}

TUiTestHarness::~TUiTestHarness() {
    ResetApplicationTerminated();
    SetModalHook(nullptr);
    SetPopupHook(nullptr);
    SetBeepHook(nullptr);
    SetShellOpenHook(nullptr);
    SetScreenSizeOverride(0, 0);
    ::SetClock(nullptr);
    SetManualTimers(false);
    delete FScope;
    gHarness = nullptr;
}

void TUiTestHarness::AnswerMessage(int Result) {
    FAnswers.push_back([Result](const TDialogRequest&) {
        TDialogAnswer a;
        a.Result = Result;
        return a;
    });
}

void TUiTestHarness::AnswerInput(std::optional<std::string> Text) {
    FAnswers.push_back([Text](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Text ? 1 : 0;
        a.Value = Text ? *Text : r.Value;
        return a;
    });
}

void TUiTestHarness::AnswerFile(std::optional<std::string> FileName, int FilterIndex) {
    FAnswers.push_back([FileName, FilterIndex](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = FileName ? 1 : 0;
        a.Value = FileName ? *FileName : r.Value;
        if (FileName) a.Files.push_back(*FileName);
        a.FilterIndex = FilterIndex;
        return a;
    });
}

void TUiTestHarness::AnswerDirectory(std::optional<std::string> Directory) { AnswerInput(std::move(Directory)); }

void TUiTestHarness::AnswerColor(std::optional<int32_t> Color) {
    FAnswers.push_back([Color](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Color ? 1 : 0;
        a.Color = Color ? *Color : r.Color;
        return a;
    });
}

void TUiTestHarness::AnswerFont(std::optional<TFontChoice> Font) {
    FAnswers.push_back([Font](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Font ? 1 : 0;
        a.Font = Font ? *Font : r.Font;
        return a;
    });
}

void TUiTestHarness::Answer(std::function<TDialogAnswer(const TDialogRequest&)> Fn) { FAnswers.push_back(std::move(Fn)); }

std::vector<std::string> TUiTestHarness::DialogTexts() const {
    std::vector<std::string> out;
    for (const TDialogRequest& r : FDialogs) out.push_back(r.Text);
    return out;
}

std::vector<std::string> TUiTestHarness::DialogCaptions() const {
    std::vector<std::string> out;
    for (const TDialogRequest& r : FDialogs) out.push_back(r.Caption);
    return out;
}

TDialogAnswer TUiTestHarness::Show(const TDialogRequest& Request) {
    FDialogs.push_back(Request);
    if (!FAnswers.empty()) {
        auto fn = std::move(FAnswers.front());
        FAnswers.pop_front();
        return fn(Request);
    }
    TDialogAnswer a;
    if (Request.Kind == TDialogKind::MessageBox || Request.Kind == TDialogKind::MessageDlg) {
        a.Result = DefaultMessageAnswer(Request);
        if (FAutoOk && SingleOkButton(Request)) return a;
    } else {
        a.Value = Request.Value;
    }
    FErrors.push_back(std::string("unanswered ") + DialogKindName(Request.Kind) + ": " + Request.Caption + " / " +
                      Request.Text);
    return a;
}

void TUiTestHarness::OnModal(std::function<void(TCustomForm&)> Driver) { FDrivers.push_back({std::string(), std::move(Driver)}); }

void TUiTestHarness::OnModal(std::string ClassName, std::function<void(TCustomForm&)> Driver) {
    FDrivers.push_back({std::move(ClassName), std::move(Driver)});
}

void TUiTestHarness::OnPopup(std::function<void(TPopupMenu&, TPoint)> Handler) { FPopups.push_back(std::move(Handler)); }

void TUiTestHarness::RunModal(TCustomForm& Form) {
    if (FDrivers.empty()) {
        FErrors.push_back("ShowModal of " + Form.ClassName() + " with no driver (or left open)");
        ForceEndModal(Form, mrCancel);
        return;
    }
    TDriver d = std::move(FDrivers.front());
    FDrivers.pop_front();
    if (!d.ClassName.empty() && d.ClassName != Form.ClassName()) {
        FErrors.push_back("ShowModal of " + Form.ClassName() + " where the driver expected " + d.ClassName);
        ForceEndModal(Form, mrCancel);
        return;
    }
    SafeCall([&] { d.Fn(Form); });
    if (Screen->HasForm(&Form) && Form.Modal() && Form.ModalResult() == mrNone && !Application->Terminated()) {
        FErrors.push_back("the driver left " + Form.ClassName() + " open");
        ForceEndModal(Form, mrCancel);
    }
}

void TUiTestHarness::SetScreenSize(int Width, int Height) { SetScreenSizeOverride(Width, Height); }

void TUiTestHarness::SetClock(std::function<double()> Clock) { ::SetClock(std::move(Clock)); }

void TUiTestHarness::TypeKey(TWinControl* Control, uint16_t Key, TShiftState Shift) {
    FocusFor(Control);
    QWidget* target = KeyTarget(Control);
    if (!target) return;
    SendKey(target, QtKeyOfVirtual(Key), ModifiersOf(Shift), KeyText(Key, Shift));
}

void TUiTestHarness::PostKey(TWinControl* Control, uint16_t Key, TShiftState Shift) {
    QWidget* target = KeyTarget(Control);
    if (!target) return;
    const int qtKey = QtKeyOfVirtual(Key);
    const QString text = KeyText(Key, Shift);
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, ModifiersOf(Shift), text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, ModifiersOf(Shift), text));
}

void TUiTestHarness::TypeText(TWinControl* Control, const std::string& Text) {
    FocusFor(Control);
    size_t pos = 0;
    while (pos < Text.size()) {
        const char32_t c = NextCodePoint(Text, pos);
        QWidget* target = KeyTarget(Control);
        if (!target) return;
        const Qt::KeyboardModifiers mods = (c >= 'A' && c <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        SendKey(target, QtKeyOfCodePoint(c), mods, QString::fromUcs4(&c, 1));
    }
}

void TUiTestHarness::Paste(TWinControl* Control, const std::string& Text) {
    Clipboard()->SetAsText(Text);
    TypeKey(Control, 'V', ssCtrl);
}

void TUiTestHarness::CommitText(TWinControl* Control, const std::string& Text) {
    FocusFor(Control);
    QWidget* target = KeyTarget(Control);
    if (!target) return;
    QInputMethodEvent e;
    e.setCommitString(QStr(Text));
    QApplication::sendEvent(target, &e);
}

namespace {

void SendMouse(TControl* control, QEvent::Type type, TPoint pos, TMouseButton button, TShiftState shift) {
    QWidget* target = MouseTarget(control);
    if (!target) return;
    QWidget* client = ClientWidgetOf(control);
    QPoint local(pos.X, pos.Y);
    if (client && client != target) local = target->mapFromGlobal(client->mapToGlobal(local));
    // A part of the control that is a widget of its own (the tabs of a tab control) takes
    // the mouse where it lies, as real input would reach it.
    for (QWidget* w = target->childAt(local); w && w != target; w = w->parentWidget()) {
        auto* sink = dynamic_cast<TEventSink*>(w);
        if (sink && sink->Control == control) {
            local = w->mapFrom(target, local);
            target = w;
            break;
        }
    }
    const Qt::MouseButton b = button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
    if (type == QEvent::MouseMove) {
        held = Qt::NoButton;
        if (shift & ssLeft) held |= Qt::LeftButton;
        if (shift & ssRight) held |= Qt::RightButton;
        if (shift & ssMiddle) held |= Qt::MiddleButton;
    }
    QMouseEvent e(type, QPointF(local), QPointF(target->mapToGlobal(local)), type == QEvent::MouseMove ? Qt::NoButton : b,
                  held, ModifiersOf(shift));
    QApplication::sendEvent(target, &e);
}

// Where a click lands by default: the centre, or the indicator of check boxes and radio
// buttons (their text may not reach the middle).
TPoint Centre(TControl* c) {
    QWidget* w = WidgetOf(c);
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) return {6, c->ClientHeight() / 2};
    return {c->ClientWidth() / 2, c->ClientHeight() / 2};
}

}  // namespace

void TUiTestHarness::Click(TControl* Control, std::optional<TPoint> Pos, TMouseButton Button, TShiftState Shift) {
    const TPoint p = Pos ? *Pos : Centre(Control);
    if (auto* wc = dynamic_cast<TWinControl*>(Control); wc && Button == mbLeft) FocusFor(wc);
    SendMouse(Control, QEvent::MouseButtonPress, p, Button, Shift);
    SendMouse(Control, QEvent::MouseButtonRelease, p, Button, Shift);
}

void TUiTestHarness::DblClick(TControl* Control, std::optional<TPoint> Pos) {
    const TPoint p = Pos ? *Pos : Centre(Control);
    SendMouse(Control, QEvent::MouseButtonPress, p, mbLeft, 0);
    SendMouse(Control, QEvent::MouseButtonRelease, p, mbLeft, 0);
    SendMouse(Control, QEvent::MouseButtonDblClick, p, mbLeft, 0);
    SendMouse(Control, QEvent::MouseButtonRelease, p, mbLeft, 0);
}

void TUiTestHarness::MouseMove(TControl* Control, TPoint Pos, TShiftState Shift) {
    SendMouse(Control, QEvent::MouseMove, Pos, mbLeft, Shift);
}

void TUiTestHarness::MouseDown(TControl* Control, TPoint Pos, TMouseButton Button) {
    SendMouse(Control, QEvent::MouseButtonPress, Pos, Button, 0);
}

void TUiTestHarness::MouseUp(TControl* Control, TPoint Pos, TMouseButton Button) {
    SendMouse(Control, QEvent::MouseButtonRelease, Pos, Button, 0);
}

void TUiTestHarness::Wheel(TControl* Control, int Delta, std::optional<TPoint> Pos, TShiftState Shift) {
    QWidget* target = MouseTarget(Control);
    if (!target) return;
    const TPoint p = Pos ? *Pos : Centre(Control);
    QPoint local(p.X, p.Y);
    QWidget* client = ClientWidgetOf(Control);
    if (client && client != target) local = target->mapFromGlobal(client->mapToGlobal(local));
    QWheelEvent e(QPointF(local), QPointF(target->mapToGlobal(local)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  ModifiersOf(Shift), Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

void TUiTestHarness::ClickMenuItem(TMenuItem* Item) {
    if (TMenu* menu = Item->GetParentMenu()) menu->Rebuild();
    if (Item->Peer() && Item->Peer()->Action) {
        if (Item->Peer()->SubMenu) emit Item->Peer()->SubMenu->aboutToShow();
        else Item->Peer()->Action->trigger();
    }
}

void TUiTestHarness::FireTimer(TTimer* Timer) { Timer->Tick(); }

int TUiTestHarness::ElapseTime(int Milliseconds) {
    const int fired = ElapseManualTimers(Milliseconds);
    ProcessMessages();
    return fired;
}

void TUiTestHarness::ProcessMessages() { Application->ProcessMessages(); }

TWinControl* TUiTestHarness::FocusedControl() {
    ProcessMessages();
    QWidget* w = QApplication::focusWidget();
    return w ? dynamic_cast<TWinControl*>(ControlOfWidget(w)) : nullptr;
}

bool TUiTestHarness::SaveScreenshot(TControl* Control, const std::string& FileName) {
    QWidget* w = WidgetOf(Control);
    if (!w) return false;
    ProcessMessages();
    return w->grab().save(QStr(FileName), "PNG");
}

bool TUiTestHarness::SaveScreen(const std::string& FileName) {
    ProcessMessages();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const QPixmap shot = screen->grabWindow(0);
    return !shot.isNull() && shot.save(QStr(FileName), "PNG");
}

std::string TUiTestHarness::ToolTipOf(TControl* Control) {
    QWidget* w = WidgetOf(Control);
    return w ? StdStr(w->toolTip()) : std::string();
}

bool TUiTestHarness::Grab(TControl* Control, TBitmap& Bitmap) {
    QWidget* w = ClientWidgetOf(Control);
    if (!w) return false;
    ProcessMessages();
    SetBitmapImage(Bitmap, w->grab().toImage());
    return true;
}

int32_t TUiTestHarness::PixelAt(TControl* Control, TPoint Pos) {
    QWidget* w = ClientWidgetOf(Control);
    if (!w) return clNone;
    ProcessMessages();
    QImage image = w->grab().toImage();
    if (!image.rect().contains(Pos.X, Pos.Y)) return clNone;
    return FromQColor(image.pixelColor(Pos.X, Pos.Y));
}

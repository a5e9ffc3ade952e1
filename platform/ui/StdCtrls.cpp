// The standard controls over QLabel, QLineEdit, QPlainTextEdit, QPushButton, QCheckBox,
// QRadioButton, QComboBox, QListWidget and QGroupBox. Text that arrives as a whole (paste,
// drop, input method) passes through OnKeyPress character by character, so a key the
// handler swallows never reaches the text by any road.
#include "platform/ui/StdCtrls.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtKeys.h"
#include "platform/ui/QtPeer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QKeySequence>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextCursor>
#include <QTextDocument>
#include <QPainter>
#include <QIcon>
#include <QStyleOptionComboBox>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

ROVE_IMPLEMENT_CLASS(TCustomLabel)
ROVE_IMPLEMENT_CLASS(TLabel)
ROVE_IMPLEMENT_CLASS(TCustomEdit)
ROVE_IMPLEMENT_CLASS(TEdit)
ROVE_IMPLEMENT_CLASS(TCustomMemo)
ROVE_IMPLEMENT_CLASS(TMemo)
ROVE_IMPLEMENT_CLASS(TButtonControl)
ROVE_IMPLEMENT_CLASS(TButton)
ROVE_IMPLEMENT_CLASS(TCustomCheckBox)
ROVE_IMPLEMENT_CLASS(TCheckBox)
ROVE_IMPLEMENT_CLASS(TRadioButton)
ROVE_IMPLEMENT_CLASS(TCustomComboBox)
ROVE_IMPLEMENT_CLASS(TComboBox)
ROVE_IMPLEMENT_CLASS(TCustomListBox)
ROVE_IMPLEMENT_CLASS(TListBox)
ROVE_IMPLEMENT_CLASS(TCustomGroupBox)
ROVE_IMPLEMENT_CLASS(TGroupBox)
ROVE_IMPLEMENT_CLASS(TScrollBar)

namespace {

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }
bool IsDestroying(const TComponent* c) { return c->ComponentState().Contains(csDestroying); }

// Line breaks as the class library's edit controls hold them.
std::string ToCrLf(const QString& s) {
    std::string in = StdStr(s), out;
    out.reserve(in.size());
    for (char c : in) {
        if (c == '\n') out += "\r\n";
        else out += c;
    }
    return out;
}

QString FromCrLf(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r') {
            out += '\n';
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else {
            out += s[i];
        }
    }
    return QStr(out);
}

std::string WithoutLineBreaks(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// Text that comes in as a whole passes the control's OnKeyPress character by character.
QMimeData* FilteredMime(TWinControl* control, const QMimeData* source, bool singleLine) {
    auto* mime = new QMimeData;
    if (!source->hasText()) return mime;
    std::string text = StdStr(source->text());
    if (singleLine) text = WithoutLineBreaks(text);
    mime->setText(QStr(control->FilterTypedText(text)));
    return mime;
}

class TLineEditHost : public THost<QLineEdit> {
public:
    using THost<QLineEdit>::THost;

protected:
    void focusInEvent(QFocusEvent* e) override {
        THost<QLineEdit>::focusInEvent(e);
        if (auto* edit = dynamic_cast<TCustomEdit*>(Control)) edit->FocusArrived();
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        if (Control && Control->PopupMenu()) {
            THost<QLineEdit>::contextMenuEvent(e);
            return;
        }
        std::unique_ptr<QMenu> menu(createStandardContextMenu());
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste")) {
                a->disconnect();
                TControl* c = Control;
                QObject::connect(a, &QAction::triggered, this, [c] {
                    if (auto* wc = dynamic_cast<TWinControl*>(c)) SafeCall([&] { wc->PasteText(); });
                });
            }
        menu->exec(e->globalPos());
    }
    void dropEvent(QDropEvent* e) override {
        auto* wc = dynamic_cast<TWinControl*>(Control);
        if (!wc || !e->mimeData()->hasText()) {
            QLineEdit::dropEvent(e);
            return;
        }
        std::unique_ptr<QMimeData> mime(FilteredMime(wc, e->mimeData(), true));
        QDropEvent filtered(e->position(), e->possibleActions(), mime.get(), e->buttons(), e->modifiers());
        QLineEdit::dropEvent(&filtered);
        e->setAccepted(filtered.isAccepted());
    }
};

// A memo counts a line break as two characters (CR LF), as its Text does; its widget
// counts one. Lengths, positions and the limit of a memo are in the memo's count.
int MemoUnits(const QString& s) { return int(s.size() + s.count(QLatin1Char('\n'))); }

QString WidgetText(QString s) { return s.replace(QChar::ParagraphSeparator, QLatin1Char('\n')); }

int MemoPos(const QPlainTextEdit* w, int widgetPos) { return MemoUnits(w->toPlainText().left(widgetPos)); }

// The widget position of a memo position; one inside a line break is the break's start.
int WidgetPos(const QPlainTextEdit* w, int memoPos) {
    const QString text = w->toPlainText();
    int units = 0;
    for (int i = 0; i < text.size(); ++i) {
        const int step = text[i] == QLatin1Char('\n') ? 2 : 1;
        if (units + step > memoPos) return i;
        units += step;
    }
    return int(text.size());
}

// The front of Text that fits a memo of MaxLength characters once its selection is replaced
// (all of it when the memo has no limit). A surrogate pair is kept or left out whole.
QString FitToLimit(const QPlainTextEdit* w, int maxLength, const QString& text) {
    if (maxLength <= 0) return text;
    const int selected = MemoUnits(WidgetText(w->textCursor().selectedText()));
    int room = maxLength - (MemoUnits(w->toPlainText()) - selected);
    int keep = 0;
    while (keep < text.size()) {
        int width = text[keep].isHighSurrogate() && keep + 1 < text.size() ? 2 : 1;
        const int units = text[keep] == QLatin1Char('\n') ? 2 : width;
        if (units > room) break;
        room -= units;
        keep += width;
    }
    return text.left(keep);
}

// Text a key event types into the widget (printable characters, Enter, Tab), else empty.
QString TypedTextOf(const QKeyEvent* e) {
    QString text = e->text();
    for (QChar& ch : text) {
        if (ch == QLatin1Char('\r')) ch = QLatin1Char('\n');
        else if (ch < QLatin1Char(' ') && ch != QLatin1Char('\t')) return {};
    }
    return text;
}

class TPlainTextHost : public TScrollHost<QPlainTextEdit> {
public:
    using TScrollHost<QPlainTextEdit>::TScrollHost;

protected:
    int Limit() const {
        auto* edit = dynamic_cast<TCustomEdit*>(Control);
        return edit ? edit->MaxLength() : 0;
    }
    // Paste, drop and the context menu's paste all come here.
    void insertFromMimeData(const QMimeData* source) override {
        auto* wc = dynamic_cast<TWinControl*>(Control);
        if (!wc) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        std::unique_ptr<QMimeData> mime(FilteredMime(wc, source, false));
        if (mime->hasText()) mime->setText(FitToLimit(this, Limit(), mime->text()));
        QPlainTextEdit::insertFromMimeData(mime.get());
    }
    // A key that would pass the limit is refused with a beep, as the system's edits do.
    void keyPressEvent(QKeyEvent* e) override {
        const QString typed = TypedTextOf(e);
        if (!isReadOnly() && !typed.isEmpty() && FitToLimit(this, Limit(), typed).size() < typed.size()) {
            e->accept();
            Beep();
            return;
        }
        QPlainTextEdit::keyPressEvent(e);
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        const QString fitted = FitToLimit(this, Limit(), e->commitString());
        if (fitted.size() == e->commitString().size()) {
            QPlainTextEdit::inputMethodEvent(e);
            return;
        }
        QInputMethodEvent cut(e->preeditString(), e->attributes());
        cut.setCommitString(fitted, e->replacementStart(), e->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cut);
    }
};

// The edit field of a combo box: the keys it does not use go to the combo box itself.
class TComboEditHost : public TLineEditHost {
public:
    using TLineEditHost::TLineEditHost;
    bool ForwardKey(QEvent* e) override {
        auto* combo = dynamic_cast<THost<QComboBox>*>(parentWidget());
        if (!combo || FForwarding) return false;
        FForwarding = true;
        struct TReset {
            bool& Flag;
            ~TReset() { Flag = false; }
        } reset{FForwarding};
        combo->BaseEvent(e);
        return true;
    }

protected:
    // The combo box hands keys it does not use (Enter) back to its edit field, and the keys
    // that reach the box itself (the window system gives them to the box, whose focus the
    // field is) on to the field; that second round is the field's own handling only, so
    // handlers run once per key and nothing loops.
    bool event(QEvent* e) override {
        if (FForwarding || LayerIsHandling(e)) return QLineEdit::event(e);
        return TLineEditHost::event(e);
    }

private:
    bool FForwarding = false;
};

void ApplyBaseColor(QWidget* w, TColor color) {
    if (!w) return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ToQColor(color));
    w->setPalette(pal);
}

}  // namespace

const TTypeInfo* LeftRightTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TLeftRight", {"taLeftJustify", "taRightJustify"});
    return &info;
}

// =========================================================================================
// TCustomLabel
// =========================================================================================

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    auto* w = new THost<QLabel>(this);
    w->setTextFormat(Qt::PlainText);
    w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 65;
    FHeight = 17;
    ApplyBounds();
}

namespace {
QString LabelText(const std::string& caption, bool accel) {
    if (!accel) return QStr(caption);
    return QStr(StripHotkey(caption));
}
}  // namespace

void TCustomLabel::SetText(const std::string& Value) {
    if (FText == Value) return;
    FText = Value;
    ApplyText();
    AdjustBounds();
}

void TCustomLabel::ApplyText() {
    if (auto* w = TypedWidget<QLabel>(this)) w->setText(LabelText(FText, FShowAccelChar));
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    if (auto* w = TypedWidget<QLabel>(this)) {
        Qt::Alignment h = Value == taCenter ? Qt::AlignHCenter : Value == taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
        Qt::Alignment v = FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
        w->setAlignment(h | v);
    }
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    FLayout = Value;
    SetAlignment(FAlignment);
}

void TCustomLabel::SetAutoSize(bool Value) {
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
    FWordWrap = Value;
    if (auto* w = TypedWidget<QLabel>(this)) w->setWordWrap(Value);
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
    FTransparent = Value;
    ApplyColor();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    FShowAccelChar = Value;
    ApplyText();
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

// An auto-sized label takes the size of its text; a word-wrapped one keeps its width.
void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || IsLoading(this)) return;
    QFontMetrics fm(ToQFont(*FFont));
    const QString text = LabelText(FText.empty() ? std::string(" ") : FText, FShowAccelChar);
    QRect r = FWordWrap ? fm.boundingRect(QRect(0, 0, std::max(FWidth, 1), 100000), Qt::TextWordWrap, text)
                        : fm.boundingRect(QRect(0, 0, 100000, 100000), 0, text);
    const int w = FWordWrap ? FWidth : r.width();
    int left = FLeft;
    if (FAlignment == taRightJustify) left = FLeft + FWidth - w;
    else if (FAlignment == taCenter) left = FLeft + (FWidth - w) / 2;
    SetBounds(left, FTop, w, r.height());
}

void TCustomLabel::ApplyFont() {
    TGraphicControl::ApplyFont();
    AdjustBounds();
}

void TCustomLabel::ApplyColor() {
    QWidget* w = WidgetOf(this);
    if (!w) return;
    TGraphicControl::ApplyColor();
    w->setAutoFillBackground(!FTransparent && !FParentColor);
}

bool TCustomLabel::DialogChar(char32_t CharCode) {
    if (!FShowAccelChar || !FFocusControl || !IsAccelChar(CharCode, FText) || !FFocusControl->CanFocus()) return false;
    FFocusControl->SetFocus();
    return true;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DeclareProperties(TPropertyDecl<TCustomLabel>& d) {
    d.Property("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment).Default(taLeftJustify);
    d.Property("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize).Default(true);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TCustomLabel::IsCaptionStored);
    d.Property("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
    d.Property("Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout).Default(tlTop);
    d.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    d.Property("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar).Default(true);
    d.Property("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent).Default(false);
    d.Property("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap).Default(false);
}

TLabel::TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}

// =========================================================================================
// TCustomEdit
// =========================================================================================

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner, true) {}

TCustomEdit::TCustomEdit(TComponent* AOwner, bool SingleLine) : TWinControl(AOwner) {
    FColor = clWindow;
    FTabStop = true;
    if (SingleLine) {
        auto* w = new TLineEditHost(this);
        w->setFocusPolicy(Qt::StrongFocus);
        QObject::connect(w, &QLineEdit::textChanged, w, [this] { Change(); });
        QObject::connect(w, &QLineEdit::textEdited, w, [this] { FModified = true; });
        SetPeer(std::make_unique<TControlPeer>(w));
        FWidth = 121;
        FHeight = 21;
        ApplyBounds();
        ApplyColor();
    }
}

std::string TCustomEdit::GetText() const {
    if (auto* w = WidgetAs<QLineEdit>(this)) return StdStr(w->text());
    return FText;
}

void TCustomEdit::SetText(const std::string& Value) {
    auto* w = WidgetAs<QLineEdit>(this);
    if (!w) return;
    std::string v = Value;
    if (FCharCase == ecUpperCase) v = UpperCase(v);
    else if (FCharCase == ecLowerCase) v = LowerCase(v);
    if (StdStr(w->text()) == v) return;
    w->setText(QStr(v));
    if (FSelectShowsStart) w->setCursorPosition(0);
    FModified = false;
}

void TCustomEdit::Change() {
    if (IsLoading(this) || IsDestroying(this)) return;
    SafeCall([&] { OnChange(this); });
}

void TCustomEdit::Loaded() { TWinControl::Loaded(); }

// An edit stands over a QLineEdit, a memo over a QPlainTextEdit: each member below serves
// both, by the widget's real class.
void TCustomEdit::SetMaxLength(int Value) {
    FMaxLength = Value;
    // A memo's limit is kept by its widget host on every road text comes in.
    if (auto* w = WidgetAs<QLineEdit>(this)) w->setMaxLength(Value > 0 ? Value : 32767);
}

void TCustomEdit::SetPasswordChar(char32_t Value) {
    FPasswordChar = Value;
    // A multi-line edit of the system shows its text whatever the password character.
    if (auto* w = WidgetAs<QLineEdit>(this)) {
        w->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
        w->setStyleSheet(Value ? QString("QLineEdit { lineedit-password-character: %1; }").arg(uint(Value)) : QString());
    }
}

void TCustomEdit::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (auto* line = WidgetAs<QLineEdit>(this)) line->setReadOnly(Value);
    else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) plain->setReadOnly(Value);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    FCharCase = Value;
    if (Value != ecNormal) SetText(GetText());
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    if (auto* line = WidgetAs<QLineEdit>(this)) line->setFrame(Value != bsNone);
    else if (auto* plain = WidgetAs<QPlainTextEdit>(this))
        plain->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

int TCustomEdit::SelStart() const {
    if (auto* line = WidgetAs<QLineEdit>(this))
        return line->hasSelectedText() ? line->selectionStart() : line->cursorPosition();
    if (auto* plain = WidgetAs<QPlainTextEdit>(this)) return MemoPos(plain, plain->textCursor().selectionStart());
    return 0;
}

void TCustomEdit::SetSelStart(int Value) {
    if (auto* line = WidgetAs<QLineEdit>(this)) {
        line->setCursorPosition(Value);
    } else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) {
        QTextCursor c = plain->textCursor();
        c.setPosition(WidgetPos(plain, Value));
        plain->setTextCursor(c);
    }
}

int TCustomEdit::SelLength() const {
    if (auto* line = WidgetAs<QLineEdit>(this)) return line->hasSelectedText() ? line->selectionLength() : 0;
    if (auto* plain = WidgetAs<QPlainTextEdit>(this)) return MemoUnits(WidgetText(plain->textCursor().selectedText()));
    return 0;
}

void TCustomEdit::SetSelLength(int Value) {
    if (auto* line = WidgetAs<QLineEdit>(this)) {
        line->setSelection(SelStart(), Value);
    } else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) {
        QTextCursor c = plain->textCursor();
        const int start = c.selectionStart();
        c.setPosition(start);
        c.setPosition(WidgetPos(plain, MemoPos(plain, start) + Value), QTextCursor::KeepAnchor);
        plain->setTextCursor(c);
    }
}

std::string TCustomEdit::SelText() const {
    if (auto* line = WidgetAs<QLineEdit>(this)) return StdStr(line->selectedText());
    if (auto* plain = WidgetAs<QPlainTextEdit>(this)) return ToCrLf(WidgetText(plain->textCursor().selectedText()));
    return {};
}

void TCustomEdit::SetSelText(const std::string& Value) {
    if (auto* line = WidgetAs<QLineEdit>(this)) line->insert(QStr(Value));
    else if (auto* plain = WidgetAs<QPlainTextEdit>(this))
        plain->insertPlainText(FitToLimit(plain, FMaxLength, FromCrLf(Value)));
}

// Selected from the end back to the start, the caret (and the view with it) stands at the
// start.
static void SelectWholeLine(QLineEdit* Line, bool ShowsStart) {
    if (!ShowsStart) {
        Line->selectAll();
        return;
    }
    const int length = static_cast<int>(Line->text().size());
    Line->setSelection(length, -length);
}

void TCustomEdit::SelectAll() {
    if (auto* line = WidgetAs<QLineEdit>(this)) SelectWholeLine(line, FSelectShowsStart);
    else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) plain->selectAll();
}

// A one-line edit entered from the keyboard or by the program (not by a click into it)
// selects its text, so what is typed next replaces it.
// The platform drops the selection of an edit that is not focused when its window is
// activated, so an edit entered while its window waits (disabled by a modal form) selects
// when the keyboard focus arrives.
void TCustomEdit::DoEnter() {
    FSelectOnFocus = false;
    if (auto* w = qobject_cast<QLineEdit*>(WidgetOf(this));
        w && FAutoSelect && !(QApplication::mouseButtons() & Qt::LeftButton)) {
        SelectWholeLine(w, FSelectShowsStart);
        FSelectOnFocus = !w->hasFocus();
    }
    TWinControl::DoEnter();
}

void TCustomEdit::DoExit() {
    FSelectOnFocus = false;
    TWinControl::DoExit();
}

void TCustomEdit::FocusArrived() {
    if (!FSelectOnFocus) return;
    FSelectOnFocus = false;
    SelectAll();
}

// Deletes the selection; without one nothing changes.
void TCustomEdit::ClearSelection() {
    if (auto* line = WidgetAs<QLineEdit>(this)) {
        if (line->hasSelectedText()) line->del();
    } else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) {
        QTextCursor c = plain->textCursor();
        if (c.hasSelection()) {
            c.removeSelectedText();
            plain->setTextCursor(c);
        }
    }
}

void TCustomEdit::CopyToClipboard() {
    if (!SelText().empty()) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (FReadOnly) return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard() { PasteText(); }

void TCustomEdit::Undo() {
    if (auto* line = WidgetAs<QLineEdit>(this)) line->undo();
    else if (auto* plain = WidgetAs<QPlainTextEdit>(this)) plain->undo();
}

bool TCustomEdit::CanUndo() const {
    if (auto* line = WidgetAs<QLineEdit>(this)) return line->isUndoAvailable();
    if (auto* plain = WidgetAs<QPlainTextEdit>(this)) return plain->document()->isUndoAvailable();
    return false;
}

bool TCustomEdit::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomEdit::KeyPress(char32_t& Key) {
    TWinControl::KeyPress(Key);
    if (Key >= 'a' && Key <= 'z' && FCharCase == ecUpperCase) Key -= 32;
    else if (Key >= 'A' && Key <= 'Z' && FCharCase == ecLowerCase) Key += 32;
}

void TCustomEdit::InsertTypedText(const std::string& Text) {
    if (FReadOnly) return;
    if (auto* w = WidgetAs<QLineEdit>(this)) {
        w->insert(QStr(WithoutLineBreaks(Text)));
        FModified = true;
    }
}

bool TCustomEdit::PasteText() {
    auto* w = WidgetAs<QLineEdit>(this);
    if (!w) return false;
    if (FReadOnly) return true;
    const std::string text = FilterTypedText(WithoutLineBreaks(Clipboard()->AsText()));
    if (!text.empty()) {
        w->insert(QStr(text));
        FModified = true;
    }
    return true;
}

void TCustomEdit::ApplyColor() {
    TWinControl::ApplyColor();
    ApplyBaseColor(WidgetOf(this), FColor);
}

void TCustomEdit::DeclareProperties(TPropertyDecl<TCustomEdit>& d) {
    d.Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
    d.Property("BorderStyle", BorderStyleTypeInfo(), &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle).Default(bsSingle);
    d.Property("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    d.Property("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
    d.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("Text", &TControl::Text, &TControl::SetText);
    d.Event("OnChange", &TCustomEdit::OnChange);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// =========================================================================================
// TCustomMemo
// =========================================================================================

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner, false), FLines(std::make_unique<TStringList>()) {
    auto* w = new TPlainTextHost(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // What the user types, pastes, drops or undoes marks the memo modified, as does text put
    // in at the selection; text the program gives whole (Text, Lines) does not.
    QObject::connect(w, &QPlainTextEdit::textChanged, w, [this] {
        if (!FSyncing && !FSettingText) FModified = true;
        Change();
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FLines->SetOnChange([this](TStringList&) { LinesChanged(); });
    FWidth = 185;
    FHeight = 89;
    ApplyBounds();
    ApplyColor();
}

TCustomMemo::~TCustomMemo() {
    DestroyPeer();
    FLines->SetOnChange(nullptr);
}

void TCustomMemo::SetLines(TStringList* Value) {
    if (Value) FLines->Assign(*Value);
}

void TCustomMemo::LinesChanged() {
    if (FSyncing) return;
    auto* w = TypedWidget<QPlainTextEdit>(this);
    if (!w) return;
    FSyncing = true;
    std::string text = FLines->Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    w->setPlainText(FromCrLf(text));
    FSyncing = false;
    Change();
}

std::string TCustomMemo::GetText() const {
    auto* w = TypedWidget<QPlainTextEdit>(this);
    return w ? ToCrLf(w->toPlainText()) : std::string();
}

void TCustomMemo::SetText(const std::string& Value) {
    auto* w = TypedWidget<QPlainTextEdit>(this);
    if (!w) return;
    FSettingText = true;
    w->setPlainText(FromCrLf(Value));
    FSettingText = false;
    FModified = false;
}

void TCustomMemo::Change() {
    if (!FSyncing) {
        FSyncing = true;
        if (auto* w = TypedWidget<QPlainTextEdit>(this)) {
            FLines->SetOnChange(nullptr);
            FLines->SetText(StdStr(w->toPlainText()));
            FLines->SetOnChange([this](TStringList&) { LinesChanged(); });
        }
        FSyncing = false;
    }
    TCustomEdit::Change();
}

void TCustomMemo::SetWordWrap(bool Value) {
    FWordWrap = Value;
    if (auto* w = TypedWidget<QPlainTextEdit>(this))
        w->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    FScrollBars = Value;
    if (auto* w = TypedWidget<QPlainTextEdit>(this)) {
        const bool h = Value == ssHorizontal || Value == ssBoth;
        const bool v = Value == ssVertical || Value == ssBoth;
        w->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        w->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TCustomMemo::SetAlignment(TAlignment Value) { FAlignment = Value; }

// The text laid out as the widget lays it out: its font, document margin and line width
// (the control's width less the frame and a vertical scroll bar that is always shown).
int TCustomMemo::ContentHeight() const {
    auto* w = TypedWidget<QPlainTextEdit>(this);
    if (!w) return 0;
    const int frame = w->frameWidth();
    int width = FWidth - 2 * frame;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        width -= w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
    QTextDocument doc;
    doc.setDefaultFont(w->font());
    doc.setDocumentMargin(w->document()->documentMargin());
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(FWordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    doc.setDefaultTextOption(option);
    doc.setPlainText(w->toPlainText());
    doc.setTextWidth(std::max(1, width));
    int height = int(std::ceil(doc.size().height())) + 2 * frame;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        height += w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
    return height;
}

bool TCustomMemo::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_RETURN) return FWantReturns;
    if (Key == VK_TAB) return FWantTabs;
    return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMemo::InsertTypedText(const std::string& Text) {
    if (FReadOnly) return;
    auto* w = TypedWidget<QPlainTextEdit>(this);
    if (!w) return;
    const QString text = FromCrLf(Text);
    const QString fitted = FitToLimit(w, FMaxLength, text);
    w->insertPlainText(fitted);
    if (fitted.size() < text.size()) Beep();
}

bool TCustomMemo::PasteText() {
    auto* w = TypedWidget<QPlainTextEdit>(this);
    if (!w) return false;
    if (!FReadOnly) w->paste();   // through insertFromMimeData, filtered there
    return true;
}

void TCustomMemo::DeclareProperties(TPropertyDecl<TCustomMemo>& d) {
    d.Property("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
    d.Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
    d.Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
    d.Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
    d.Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
    d.Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
    d.Property("Text", &TControl::Text, &TControl::SetText).Stored(false);
}

TMemo::TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}

// =========================================================================================
// Buttons
// =========================================================================================

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    FParentColor = true;
}

// A check box or radio button takes the focus with its accelerator and changes; a push
// button is clicked and leaves the focus where it is (the field being typed in keeps it,
// and its OnExit does not run).
bool TButtonControl::DialogChar(char32_t CharCode) {
    if (!IsAccelChar(CharCode, Caption()) || !CanFocus()) return false;
    if (auto* box = dynamic_cast<TCustomCheckBox*>(this)) {
        SetFocus();
        box->Toggle();
    } else if (auto* radio = dynamic_cast<TRadioButton*>(this)) {
        SetFocus();
        radio->SetChecked(true);
    } else {
        Click();
    }
    return true;
}

void TButtonControl::DeclareProperties(TPropertyDecl<TButtonControl>& d) {
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
    d.Property("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap).Default(false);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* w = new THost<QPushButton>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setAutoDefault(false);
    QObject::connect(w, &QPushButton::clicked, w, [this] { SafeCall([&] { Click(); }); });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 75;
    FHeight = 25;
    ApplyBounds();
}

void TButton::SetText(const std::string& Value) {
    FText = Value;
    if (auto* w = TypedWidget<QPushButton>(this)) {
        w->setText(QStr(Value));
        w->setShortcut(QKeySequence());   // accelerators go through the layer's key path
    }
}

void TButton::SetDefault(bool Value) {
    FDefault = Value;
    if (auto* w = TypedWidget<QPushButton>(this)) w->setDefault(Value);
}

void TButton::Click() {
    if (TCustomForm* form = ParentForm()) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::DeclareProperties(TPropertyDecl<TButton>& d) {
    d.Property("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TButton::IsCaptionStored);
    d.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    d.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* w = new THost<QCheckBox>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(w, &QCheckBox::clicked, w, [this] { SafeCall([&] { Toggle(); }); });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 97;
    FHeight = 17;
    ApplyBounds();
}

void TCustomCheckBox::SetText(const std::string& Value) {
    FText = Value;
    if (auto* w = TypedWidget<QCheckBox>(this)) {
        w->setText(QStr(Value));
        w->setShortcut(QKeySequence());   // accelerators go through the layer's key path
    }
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (auto* w = TypedWidget<QCheckBox>(this)) {
        const Qt::CheckState qs = Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
        if (w->checkState() != qs) w->setCheckState(qs);
    }
    if (FState == Value) return;
    FState = Value;
    if (!FClicksDisabled && !IsLoading(this)) Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value) {
    FAllowGrayed = Value;
    if (auto* w = TypedWidget<QCheckBox>(this)) w->setTristate(Value);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
    FAlignment = Value;
    if (auto* w = TypedWidget<QCheckBox>(this))
        w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

// Unchecked goes to grayed when allowed, grayed to checked, checked to unchecked.
void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::ActionChanged(TBasicAction* Sender) {
    TButtonControl::ActionChanged(Sender);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
        FClicksDisabled = true;
        SetChecked(a->Checked());
        FClicksDisabled = false;
    }
}

void TCustomCheckBox::DeclareProperties(TPropertyDecl<TCustomCheckBox>& d) {
    d.Property("Alignment", LeftRightTypeInfo(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment).Default(taRightJustify);
    d.Property("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(false);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TCustomCheckBox::IsCaptionStored);
    d.Property("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Default(false);
    d.Property("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
    auto* w = new THost<QRadioButton>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setAutoExclusive(false);
    QObject::connect(w, &QRadioButton::clicked, w, [this] {
        SafeCall([&] {
            if (FChecked) {
                if (auto* rw = TypedWidget<QRadioButton>(this)) rw->setChecked(true);
            } else {
                SetChecked(true);
            }
        });
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 113;
    FHeight = 17;
    ApplyBounds();
}

void TRadioButton::SetText(const std::string& Value) {
    FText = Value;
    if (auto* w = TypedWidget<QRadioButton>(this)) {
        w->setText(QStr(Value));
        w->setShortcut(QKeySequence());   // accelerators go through the layer's key path
    }
}

void TRadioButton::SetChecked(bool Value) {
    if (auto* w = TypedWidget<QRadioButton>(this)) w->setChecked(Value);
    if (FChecked == Value) return;
    FChecked = Value;
    SetTabStop(Value);
    if (!Value) return;
    if (FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(FParent->Controls(i)); r && r != this) r->SetChecked(false);
    if (!FClicksDisabled && !IsLoading(this)) Click();
}

void TRadioButton::ActionChanged(TBasicAction* Sender) {
    TButtonControl::ActionChanged(Sender);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
        FClicksDisabled = true;
        SetChecked(a->Checked());
        FClicksDisabled = false;
    }
}

void TRadioButton::DeclareProperties(TPropertyDecl<TRadioButton>& d) {
    d.Property("Alignment", LeftRightTypeInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment).Default(taRightJustify);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TRadioButton::IsCaptionStored);
    d.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
}

// =========================================================================================
// TCustomComboBox
// =========================================================================================

namespace {

// Owner-drawn items of combo and list boxes are painted by OnDrawItem on the control's
// canvas.
class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    TOwnerDrawDelegate(QObject* parent, std::function<bool(QPainter*, const QStyleOptionViewItem&, int)> draw,
                       std::function<int()> height)
        : QStyledItemDelegate(parent), FDraw(std::move(draw)), FHeight(std::move(height)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        if (!FDraw(p, o, i.row())) QStyledItemDelegate::paint(p, o, i);
    }
    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        QSize s = QStyledItemDelegate::sizeHint(o, i);
        s.setHeight(FHeight());
        return s;
    }

private:
    std::function<bool(QPainter*, const QStyleOptionViewItem&, int)> FDraw;
    std::function<int()> FHeight;
};

TOwnerDrawState StateOf(const QStyleOptionViewItem& o) {
    TOwnerDrawState s;
    if (o.state & QStyle::State_Selected) s.Include(odSelected);
    if (o.state & QStyle::State_HasFocus) s.Include(odFocused);
    if (!(o.state & QStyle::State_Enabled)) s.Include(odDisabled);
    return s;
}

// The colours an owner-drawn item starts with: the highlight for a selected one.
void PrepareItemCanvas(TCanvas& Canvas, const TFont& Font, TColor Color, TOwnerDrawState State) {
    Canvas.Font()->Assign(Font);
    Canvas.Brush()->SetStyle(bsSolid);
    if (State.Contains(odSelected)) {
        Canvas.Brush()->SetColor(clHighlight);
        Canvas.Font()->SetColor(clHighlightText);
    } else {
        Canvas.Brush()->SetColor(Color);
    }
}

// The combo box's widget. A control with a look of its own paints the closed box and
// places the edit field; the drop-down list is placed by the control before it is seen;
// an owner-drawn drop-down list draws its chosen item in the closed box through
// OnDrawItem; opening and closing the list reach the control.
class TComboHost : public THost<QComboBox> {
public:
    explicit TComboHost(TCustomComboBox* combo) : THost<QComboBox>(combo), FCombo(combo) {}

    void showPopup() override {
        if (FCombo->ReadOnly()) return;
        SafeCall([&] { FCombo->DropDown(); });
        if (view() && !FWatchingView) {
            view()->installEventFilter(this);
            // The second press of a double click on the box's face reaches the list's
            // window (it takes every press while it is open) or, where the list lies over
            // the face, its view.
            view()->viewport()->installEventFilter(this);
            view()->window()->installEventFilter(this);
            FWatchingView = true;
        }
        FKeyInList = false;
        QComboBox::showPopup();
        QWidget* popup = view() ? view()->window() : nullptr;
        if (popup && popup != window()) {
            const QRect g = popup->geometry();
            TRect r = Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
            const TRect before = r;
            SafeCall([&] { FCombo->PlaceDropDownList(r); });
            if (r != before) popup->setGeometry(r.Left, r.Top, r.Width(), r.Height());
        }
        update();
    }

    void hidePopup() override {
        const bool open = view() && view()->isVisible();
        // The list takes Enter and Esc before the key is delivered (the platform's list
        // picks the item, or closes, while the key is offered as a shortcut) and the key
        // press then goes to the control that has the focus after: the designer's page
        // opened the selected object's editor after a style was picked with Enter, and an
        // Esc that closed a dialog's list closed the dialog too. That key press is dropped.
        if (open && FKeyInList) DropNextKeyPress(FListKey);
        FKeyInList = false;
        FOpenedByPress = false;
        QComboBox::hidePopup();
        update();
        if (open) SafeCall([&] { FCombo->CloseUp(); });
    }

protected:
    // A press on the closed box that opens its list may be the first of a double click.
    void mousePressEvent(QMouseEvent* e) override {
        const bool wasOpen = ListOpen();
        QComboBox::mousePressEvent(e);
        FOpenedByPress = !wasOpen && ListOpen() && e->button() == Qt::LeftButton;
    }
    bool eventFilter(QObject* watched, QEvent* e) override {
        // The platform places its edit field again when the item changes (a pick from the
        // list); a field of the control's own place goes back there.
        if (watched == lineEdit() && (e->type() == QEvent::Move || e->type() == QEvent::Resize))
            PlaceEditField();
        // A double click on the box's face, as the class library's combo boxes take it: the
        // first press opened the list, the second closes it again and the box gets
        // OnDblClick (with the double click's press), instead of the list taking the press.
        if (e->type() == QEvent::MouseButtonDblClick && FOpenedByPress && ListOpen() && view() &&
            (watched == view()->window() || watched == view()->viewport())) {
            auto* me = static_cast<QMouseEvent*>(e);
            const QPoint at = mapFromGlobal(me->globalPosition().toPoint());
            if (me->button() == Qt::LeftButton && rect().contains(at)) {
                hidePopup();
                const TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
                // The handler may free the box (a window it closes).
                const QPointer<QWidget> alive(this);
                SafeCall([&] { FCombo->DblClick(); });
                if (alive && Control)
                    SafeCall([&] { FCombo->MouseDown(mbLeft, shift | ssLeft | ssDouble, at.x(), at.y()); });
                e->accept();
                return true;
            }
        }
        if (watched == view() && e->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                FKeyInList = true;
                FListKey = key;
            }
        }
        return THost<QComboBox>::eventFilter(watched, e);
    }
    // A read-only box keeps its text: no key, turn of the wheel or list picks an item.
    void keyPressEvent(QKeyEvent* e) override {
        if (FCombo->ReadOnly()) {
            switch (e->key()) {
                case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
                case Qt::Key_Home: case Qt::Key_End: case Qt::Key_F4: case Qt::Key_Space:
                    e->ignore();
                    return;
                default: break;
            }
        }
        QComboBox::keyPressEvent(e);
    }
    void wheelEvent(QWheelEvent* e) override {
        if (FCombo->ReadOnly()) {
            e->ignore();
            return;
        }
        QComboBox::wheelEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (FCombo->OwnsFace()) {
            PaintWith([&] { FCombo->PaintFace(); }, this);
            return;
        }
        if (PaintOwnerDrawnItem()) return;
        QComboBox::paintEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QComboBox::resizeEvent(e);
        PlaceEditField();
    }
    void showEvent(QShowEvent* e) override {
        QComboBox::showEvent(e);
        PlaceEditField();
    }
    void changeEvent(QEvent* e) override {
        QComboBox::changeEvent(e);
        PlaceEditField();
    }

private:
    template <class F> void PaintWith(F draw, QPaintDevice* device) {
        QPainter p(device);
        TCanvas* c = FCombo->Canvas();
        AttachPainter(*c, &p);
        c->Font()->Assign(*FCombo->Font());
        c->Brush()->SetColor(FCombo->Color());
        SafeCall(draw);
        DetachPainter(*c);
    }
    void PlaceEditField() {
        TRect r;
        QLineEdit* field = lineEdit();
        if (!field || !FCombo->EditFieldRect(r)) return;
        if (field != FWatchedField) {
            field->installEventFilter(this);
            FWatchedField = field;
        }
        const QRect want(r.Left, r.Top, r.Width(), r.Height());
        if (field->geometry() != want) field->setGeometry(want);
    }
    bool PaintOwnerDrawnItem() {
        const TComboBoxStyle st = FCombo->Style();
        if ((st != csOwnerDrawFixed && st != csOwnerDrawVariable) || isEditable()) return false;
        QStylePainter sp(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        opt.currentIcon = QIcon();
        sp.drawComplexControl(QStyle::CC_ComboBox, opt);
        const int index = currentIndex();
        if (index < 0) return true;
        const QRect er = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        TCanvas* c = FCombo->Canvas();
        AttachPainter(*c, &sp);
        TOwnerDrawState state;
        state.Include(odComboBoxEdit);
        if (hasFocus()) {
            state.Include(odSelected);
            state.Include(odFocused);
        }
        PrepareItemCanvas(*c, *FCombo->Font(), FCombo->Color(), state);
        const TRect r = Rect(er.left(), er.top(), er.left() + er.width(), er.top() + er.height());
        SafeCall([&] { FCombo->DrawItem(index, r, state); });
        DetachPainter(*c);
        return true;
    }
    bool ListOpen() const { return view() && view()->isVisible(); }
    TCustomComboBox* FCombo;
    QLineEdit* FWatchedField = nullptr;   // the edit field kept in the control's place
    bool FWatchingView = false;
    bool FOpenedByPress = false; // the list is open, opened by a press of the left button on the box
    bool FKeyInList = false;   // Enter or Esc reached the open list (it picks or closes there)
    int FListKey = 0;
};

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FCanvas(std::make_unique<TCanvas>()) {
    FColor = clWindow;
    FTabStop = true;
    CreateWidget();
    FItems->SetOnChange([this](TStringList&) { ItemsChanged(); });
    FWidth = 145;
    FHeight = 21;
    ApplyBounds();
    ApplyColor();
}

TCustomComboBox::~TCustomComboBox() {
    DestroyPeer();
    FItems->SetOnChange(nullptr);
}

void TCustomComboBox::CreateWidget() {
    auto* w = new TComboHost(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setInsertPolicy(QComboBox::NoInsert);
    w->setMaxVisibleItems(FDropDownCount);
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    w->setEditable(editable);
    if (editable) {
        auto* edit = new TComboEditHost(this, w);
        // The combo box gives a line edit without a completer one of its own, over its
        // item model, and the completer is taken away (and deleted) again just below. An
        // empty one, much cheaper to make, keeps it from doing so and goes the same way.
        edit->setCompleter(new QCompleter(edit));
        // A field left (or Enter pressed in it) holding an item's text counts as that item
        // picked for the platform's widget; the system's combo box picks nothing then, so
        // the activation that comes of it is not passed on. The first slot runs before
        // the widget's own, the second after it.
        QObject::connect(edit, &QLineEdit::editingFinished, w, [this] { FFinishingEdit = true; });
        w->setLineEdit(edit);
        edit->setReadOnly(FReadOnly);
        QObject::connect(edit, &QLineEdit::editingFinished, w, [this] { FFinishingEdit = false; });
        w->setCompleter(nullptr);
        QObject::connect(edit, &QLineEdit::textEdited, w, [this] {
            if (!FSyncing) Change();
        });
    }
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w, [this](int index) {
        if (!FSyncing && !FFinishingEdit) SafeCall([&] { ItemPicked(index); });
    });
    if (DrawsListItems()) {
        w->setItemDelegate(new TOwnerDrawDelegate(
            w,
            [this](QPainter* p, const QStyleOptionViewItem& o, int row) {
                AttachPainter(*FCanvas, p);
                const TOwnerDrawState state = StateOf(o);
                PrepareItemCanvas(*FCanvas, *FFont, FColor, state);
                const QRect r = o.rect;
                SafeCall([&] { DrawItem(row, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), state); });
                DetachPainter(*FCanvas);
                return true;
            },
            [this] { return FItemHeight; }));
    }
    SetPeer(std::make_unique<TControlPeer>(w));
    ItemsChanged();
}

void TCustomComboBox::ItemsChanged() {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w) return;
    const int count = FItems->Count();
    // The same lines (only the objects they carry changed, as when the designer's object
    // list takes the objects read back by an undo): the widget keeps its list, its pick
    // and its text.
    bool same = w->count() == count && FShownItems.size() == static_cast<size_t>(count);
    for (int i = 0; same && i < count; ++i) same = (*FItems)[i] == FShownItems[static_cast<size_t>(i)];
    if (same) return;
    FSyncing = true;
    const QString text = w->currentText();
    const int index = w->currentIndex();
    w->clear();
    FShownItems.clear();
    FShownItems.reserve(static_cast<size_t>(count));
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        FShownItems.push_back((*FItems)[i]);
        lines.push_back(QStr(FShownItems.back()));
    }
    // All lines at once: one insertion into the model instead of one for each.
    w->addItems(lines);
    if (w->isEditable()) {
        w->setCurrentIndex(-1);
        w->setEditText(text);
    } else {
        w->setCurrentIndex(index < w->count() ? index : -1);
    }
    FSyncing = false;
}

void TCustomComboBox::SetItems(TStringList* Value) {
    if (Value) FItems->Assign(*Value);
}

int TCustomComboBox::ItemIndex() const {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w) return -1;
    if (w->isEditable()) {
        // The index follows the text, as the platform's combo box finds it.
        const int i = w->findText(w->currentText(), Qt::MatchExactly);
        return w->currentIndex() >= 0 && w->currentText() == w->itemText(w->currentIndex()) ? w->currentIndex() : i;
    }
    return w->currentIndex();
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (IsLoading(this)) {
        FPendingIndex = Value;
        return;
    }
    auto* w = TypedWidget<QComboBox>(this);
    if (!w) return;
    FSyncing = true;
    w->setCurrentIndex(Value >= 0 && Value < w->count() ? Value : -1);
    if (Value < 0 && w->isEditable()) w->setEditText(QString());
    FSyncing = false;
}

std::string TCustomComboBox::GetText() const {
    auto* w = TypedWidget<QComboBox>(this);
    return w ? StdStr(w->currentText()) : std::string();
}

void TCustomComboBox::SetText(const std::string& Value) {
    if (IsLoading(this)) {
        FPendingText = Value;
        return;
    }
    auto* w = TypedWidget<QComboBox>(this);
    if (!w) return;
    if (StdStr(w->currentText()) == Value) return;
    FSyncing = true;
    if (w->isEditable()) {
        const int i = w->findText(QStr(Value), Qt::MatchExactly);
        w->setCurrentIndex(i);
        w->setEditText(QStr(Value));
        // A field the user is not in shows its text from the start (a long font name is
        // not shown by its end).
        if (w->lineEdit() && !w->lineEdit()->hasFocus()) w->lineEdit()->setCursorPosition(0);
    } else {
        w->setCurrentIndex(w->findText(QStr(Value), Qt::MatchExactly));
    }
    FSyncing = false;
    Change();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    if (FPendingIndex >= 0) SetItemIndex(FPendingIndex);
    if (!FPendingText.empty()) {
        FSyncing = true;
        if (auto* w = TypedWidget<QComboBox>(this); w && w->isEditable()) w->setEditText(QStr(FPendingText));
        FSyncing = false;
    }
    FPendingIndex = -1;
    FPendingText.clear();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    RecreateWidget();
}

void TCustomComboBox::SetOwnerDrawnList(bool Value) {
    if (FOwnerDrawnList == Value) return;
    FOwnerDrawnList = Value;
    RecreateWidget();
}

bool TCustomComboBox::DrawsListItems() const {
    return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable || FOwnerDrawnList;
}

// A new widget for the style: the text, font, colour and place stay.
void TCustomComboBox::RecreateWidget() {
    const std::string text = GetText();
    TWinControl* parent = FParent;
    if (parent) parent->RemoveControl(this);
    FPeer.reset();
    CreateWidget();
    ApplyFont();
    ApplyColor();
    ApplyBounds();
    if (parent) parent->InsertControl(this);
    if (FStyle == csDropDown || FStyle == csSimple) {
        FSyncing = true;
        if (auto* w = TypedWidget<QComboBox>(this)) w->setEditText(QStr(text));
        FSyncing = false;
    }
}

void TCustomComboBox::SetSorted(bool Value) {
    FSorted = Value;
    FItems->SetSorted(Value);
}

void TCustomComboBox::SetDropDownCount(int Value) {
    FDropDownCount = Value;
    if (auto* w = TypedWidget<QComboBox>(this)) w->setMaxVisibleItems(Value);
}

void TCustomComboBox::SetMaxLength(int Value) {
    FMaxLength = Value;
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) w->lineEdit()->setMaxLength(Value > 0 ? Value : 32767);
}

bool TCustomComboBox::DroppedDown() const {
    auto* w = TypedWidget<QComboBox>(this);
    return w && w->view() && w->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w) return;
    if (Value) w->showPopup();
    else w->hidePopup();
}

int TCustomComboBox::ListItemHeight() const {
    if (DrawsListItems()) return FItemHeight;
    auto* w = TypedWidget<QComboBox>(this);
    const int h = w && w->view() && w->count() > 0 ? w->view()->sizeHintForRow(0) : -1;
    return h > 0 ? h : FItemHeight;
}

int TCustomComboBox::ListContentWidth() const {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w || !w->view() || w->count() == 0) return 0;
    QAbstractItemView* view = w->view();
    // What the list's window takes beside the rows: the view's frame, and the frame of the
    // window around the view when it is open (a list as wide as the rows plus the view's
    // frame alone drew "Who...age" for "Whole page"), with the scroll bar when one shows.
    int chrome = 2 * view->frameWidth();
    QWidget* popup = view->window();
    if (popup && popup != w->window() && popup->isVisible())
        chrome = std::max(chrome, popup->width() - view->viewport()->width());
    if (w->count() > FDropDownCount && !view->verticalScrollBar()->isVisible())
        chrome += view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return view->sizeHintForColumn(0) + chrome;
}

int TCustomComboBox::ClosedContentWidth() const {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w || w->count() == 0) return 0;
    QStyleOptionComboBox opt;
    opt.initFrom(w);
    opt.editable = w->isEditable();
    opt.frame = w->hasFrame();
    const QRect field = w->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, w);
    const QFontMetrics metrics(w->font());
    int widest = 0;
    for (int i = 0; i < w->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(w->itemText(i)));
    // The label is drawn a pixel in from each side of the field; an edit field keeps a
    // margin of its own on both sides.
    const int margins = opt.editable ? 8 : 4;
    return w->width() - field.width() + widest + margins;
}

void TCustomComboBox::DrawItem(int Index, TRect R, TOwnerDrawState State) {
    if (OnDrawItem.Assigned()) {
        OnDrawItem(this, Index, R, State);
        return;
    }
    FCanvas->FillRect(R);
    if (Index >= 0 && Index < FItems->Count()) FCanvas->TextOut(R.Left + 2, R.Top, FItems->Get(Index));
}

void TCustomComboBox::DropDown() { OnDropDown(this); }
void TCustomComboBox::CloseUp() { OnCloseUp(this); }

int TCustomComboBox::SelStart() const {
    auto* w = TypedWidget<QComboBox>(this);
    if (!w || !w->lineEdit()) return 0;
    QLineEdit* e = w->lineEdit();
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomComboBox::SetSelStart(int Value) {
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) w->lineEdit()->setCursorPosition(Value);
}

int TCustomComboBox::SelLength() const {
    auto* w = TypedWidget<QComboBox>(this);
    return w && w->lineEdit() && w->lineEdit()->hasSelectedText() ? w->lineEdit()->selectionLength() : 0;
}

void TCustomComboBox::SetSelLength(int Value) {
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) w->lineEdit()->setSelection(SelStart(), Value);
}

void TCustomComboBox::SelectAll() {
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) w->lineEdit()->selectAll();
}

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetText("");
}

bool TCustomComboBox::WantsKey(uint16_t Key, TShiftState) const {
    if (DroppedDown()) return true;
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomComboBox::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) w->lineEdit()->setReadOnly(Value);
    if (Value) SetDroppedDown(false);
}

void TCustomComboBox::InsertTypedText(const std::string& Text) {
    if (FReadOnly) return;
    auto* w = TypedWidget<QComboBox>(this);
    if (w && w->lineEdit()) {
        w->lineEdit()->insert(QStr(WithoutLineBreaks(Text)));
        Change();
    }
}

bool TCustomComboBox::PasteText() {
    if (FReadOnly) return true;
    auto* w = TypedWidget<QComboBox>(this);
    if (!w || !w->lineEdit()) return false;
    const std::string text = FilterTypedText(WithoutLineBreaks(Clipboard()->AsText()));
    if (!text.empty()) {
        w->lineEdit()->insert(QStr(text));
        Change();
    }
    return true;
}

void TCustomComboBox::ItemPicked(int Index) {
    if (Index < 0 || Index >= FItems->Count()) return;
    auto* w = TypedWidget<QComboBox>(this);
    if (w && w->isEditable()) {
        FSyncing = true;
        w->setEditText(QStr(FItems->Get(Index)));
        // The picked text is selected from its end back to its start: it shows from the
        // start, and what is typed next replaces it.
        if (QLineEdit* e = w->lineEdit()) e->setSelection(e->text().size(), -e->text().size());
        FSyncing = false;
    }
    Click();
    if (OnSelect.Assigned()) OnSelect(this);
    else Change();
}

void TCustomComboBox::Change() {
    if (IsLoading(this) || IsDestroying(this)) return;
    SafeCall([&] { OnChange(this); });
}

void TCustomComboBox::ApplyColor() {
    TWinControl::ApplyColor();
    ApplyBaseColor(WidgetOf(this), FColor);
    if (auto* w = TypedWidget<QComboBox>(this); w && w->lineEdit()) ApplyBaseColor(w->lineEdit(), FColor);
}

void TCustomComboBox::DeclareProperties(TPropertyDecl<TCustomComboBox>& d) {
    d.Property("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown);
    d.Property("CharCase", &TCustomComboBox::CharCase, &TCustomComboBox::SetCharCase).Default(ecNormal);
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8);
    d.Property("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight).Default(16);
    d.Property("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength).Default(0);
    d.Property("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(false);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("Text", &TControl::Text, &TControl::SetText);
    d.Property("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
    d.Property("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1);
    d.Event("OnChange", &TCustomComboBox::OnChange);
    d.Event("OnCloseUp", &TCustomComboBox::OnCloseUp);
    d.Event("OnDrawItem", &TCustomComboBox::OnDrawItem);
    d.Event("OnDropDown", &TCustomComboBox::OnDropDown);
    d.Event("OnSelect", &TCustomComboBox::OnSelect);
}

TComboBox::TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}

// =========================================================================================
// TCustomListBox
// =========================================================================================

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()), FCanvas(std::make_unique<TCanvas>()) {
    FColor = clWindow;
    FTabStop = true;
    auto* w = new TScrollHost<QListWidget>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setUniformItemSizes(true);
    // A change by the keyboard clicks at once; one made by the mouse clicks once, when the
    // button goes up (also on the item that was selected already), as a list box tells its
    // owner on every click.
    QObject::connect(w, &QListWidget::itemSelectionChanged, w, [this] {
        if (!FSyncing && !FPressed) SafeCall([&] { Click(); });
    });
    w->setItemDelegate(new TOwnerDrawDelegate(
        w,
        [this](QPainter* p, const QStyleOptionViewItem& o, int row) {
            if (FStyle == lbStandard) return false;
            const QRect r = o.rect;
            AttachPainter(*FCanvas, p);
            const TOwnerDrawState state = StateOf(o);
            PrepareItemCanvas(*FCanvas, *FFont, FColor, state);
            DrawItem(row, Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), state);
            DetachPainter(*FCanvas);
            return true;
        },
        [this] { return FItemHeight; }));
    SetPeer(std::make_unique<TControlPeer>(w));
    FItems->SetOnChange([this](TStringList&) { ItemsChanged(); });
    FWidth = 121;
    FHeight = 97;
    ApplyBounds();
    ApplyColor();
}

TCustomListBox::~TCustomListBox() {
    DestroyPeer();
    FItems->SetOnChange(nullptr);
}

void TCustomListBox::DrawItem(int Index, TRect R, TOwnerDrawState State) {
    if (OnDrawItem.Assigned()) {
        SafeCall([&] { OnDrawItem(this, Index, R, State); });
        return;
    }
    FCanvas->FillRect(R);
    if (Index >= 0 && Index < FItems->Count()) FCanvas->TextOut(R.Left + 2, R.Top, FItems->Get(Index));
}

void TCustomListBox::ItemsChanged() {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w) return;
    FSyncing = true;
    const int row = w->currentRow();
    w->clear();
    for (int i = 0; i < FItems->Count(); ++i) w->addItem(QStr(FItems->Get(i)));
    if (row >= 0 && row < w->count()) w->setCurrentRow(row);
    SafeCall([&] { ItemsRebuilt(); });
    FSyncing = false;
}

void TCustomListBox::SetItems(TStringList* Value) {
    if (Value) FItems->Assign(*Value);
}

int TCustomListBox::ItemIndex() const {
    auto* w = TypedWidget<QListWidget>(this);
    return w ? w->currentRow() : -1;
}

void TCustomListBox::SetItemIndex(int Value) {
    if (IsLoading(this)) {
        FPendingIndex = Value;
        return;
    }
    auto* w = TypedWidget<QListWidget>(this);
    if (!w) return;
    FSyncing = true;
    if (Value < 0 || Value >= w->count()) {
        w->setCurrentRow(-1);
        w->clearSelection();
    } else {
        w->setCurrentRow(Value);
    }
    FSyncing = false;
}

void TCustomListBox::Loaded() {
    TWinControl::Loaded();
    if (FPendingIndex >= 0) SetItemIndex(FPendingIndex);
    FPendingIndex = -1;
}

void TCustomListBox::SetMultiSelect(bool Value) {
    FMultiSelect = Value;
    if (auto* w = TypedWidget<QListWidget>(this))
        w->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TCustomListBox::Selected(int Index) const {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w || Index < 0 || Index >= w->count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return w->item(Index)->isSelected();
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w || Index < 0 || Index >= w->count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    FSyncing = true;
    w->item(Index)->setSelected(Value);
    FSyncing = false;
}

int TCustomListBox::SelCount() const {
    auto* w = TypedWidget<QListWidget>(this);
    return w && FMultiSelect ? static_cast<int>(w->selectedItems().size()) : -1;
}

void TCustomListBox::SetSorted(bool Value) {
    FSorted = Value;
    FItems->SetSorted(Value);
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    FStyle = Value;
    if (auto* w = TypedWidget<QListWidget>(this)) w->viewport()->update();
}

void TCustomListBox::SetItemHeight(int Value) {
    FItemHeight = Value;
    if (auto* w = TypedWidget<QListWidget>(this)) w->doItemsLayout();
}

int TCustomListBox::TopIndex() const {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w) return 0;
    QListWidgetItem* item = w->itemAt(0, 0);
    return item ? w->row(item) : 0;
}

void TCustomListBox::SetTopIndex(int Value) {
    auto* w = TypedWidget<QListWidget>(this);
    if (w && Value >= 0 && Value < w->count()) w->scrollToItem(w->item(Value), QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w) return -1;
    QPoint vp = w->viewport()->mapFrom(w, QPoint(Pos.X, Pos.Y));
    QListWidgetItem* item = w->itemAt(vp);
    if (item) return w->row(item);
    return Existing ? -1 : w->count();
}

TRect TCustomListBox::ItemRect(int Index) const {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w || Index < 0 || Index >= w->count()) return {};
    QRect r = w->visualItemRect(w->item(Index));
    QPoint tl = w->viewport()->mapTo(w, r.topLeft());
    return Bounds(tl.x(), tl.y(), r.width(), r.height());
}

void TCustomListBox::Clear() { FItems->Clear(); }

bool TCustomListBox::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomListBox::ApplyColor() {
    TWinControl::ApplyColor();
    ApplyBaseColor(WidgetOf(this), FColor);
}

void TCustomListBox::DeclareProperties(TPropertyDecl<TCustomListBox>& d) {
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(16);
    d.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    d.Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
    d.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    d.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1).Stored(false);
    d.Event("OnDrawItem", &TCustomListBox::OnDrawItem);
}

TListBox::TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

// =========================================================================================
// TCustomGroupBox
// =========================================================================================

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    FParentColor = true;
    auto* w = new THost<QGroupBox>(this);
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 185;
    FHeight = 105;
    ApplyBounds();
}

void TCustomGroupBox::SetText(const std::string& Value) {
    FText = Value;
    if (auto* w = TypedWidget<QGroupBox>(this)) w->setTitle(QStr(Value));
}

// The class library's rule: below the caption's text height, then two pixels inside the
// frame on every side.
void TCustomGroupBox::AdjustClientRect(TRect& R) const {
    QFontMetrics fm(ToQFont(*FFont));
    R.Top += fm.height();
    InflateRect(R, -2, -2);
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}

void TGroupBox::DeclareProperties(TPropertyDecl<TGroupBox>& d) {
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
}

// =========================================================================================
// TScrollBar
// =========================================================================================

namespace {

// A scroll bar whose new range or steps leave its picture as it is (a thumb already at its
// least length and at the top while a long view grows beneath it) is not painted again:
// the style's paint of a bar splits each of its tall lines over the painting threads and
// waits for them, a cost far above its instructions when a view changes its range at
// every refresh of a long run.
class TScrollBarHost : public THost<QScrollBar> {
public:
    using THost<QScrollBar>::THost;

protected:
    void paintEvent(QPaintEvent* e) override {
        FShown = Look();
        THost<QScrollBar>::paintEvent(e);
    }
    void sliderChange(SliderChange change) override {
        if ((change == SliderRangeChange || change == SliderStepsChange) && FShown && *FShown == Look()) return;
        THost<QScrollBar>::sliderChange(change);
    }
    void changeEvent(QEvent* e) override {
        FShown.reset();   // enabled, style, palette, direction: painted afresh
        THost<QScrollBar>::changeEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        FShown.reset();
        THost<QScrollBar>::resizeEvent(e);
    }

private:
    // What the style draws the bar from: its parts' places, its state and whether it
    // stands at either end (the arrows there look disabled) or has nowhere to go.
    struct TLook {
        QRect Slider, AddPage, SubPage, Groove;
        int State = 0, Active = 0;
        bool AtMin = false, AtMax = false, Empty = false;
        bool operator==(const TLook&) const = default;
    };
    TLook Look() const {
        QStyleOptionSlider o;
        initStyleOption(&o);
        const QStyle* s = style();
        TLook l;
        l.Slider = s->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, this);
        l.AddPage = s->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarAddPage, this);
        l.SubPage = s->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSubPage, this);
        l.Groove = s->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarGroove, this);
        l.State = static_cast<int>(o.state);
        l.Active = static_cast<int>(o.activeSubControls);
        l.AtMin = o.sliderValue == o.minimum;
        l.AtMax = o.sliderValue == o.maximum;
        l.Empty = o.minimum == o.maximum;
        return l;
    }
    std::optional<TLook> FShown;
};

}  // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    auto* w = new TScrollBarHost(this, Qt::Horizontal);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setAutoFillBackground(true);
    QObject::connect(w, &QScrollBar::actionTriggered, w, [this](int action) {
        if (FSyncing) return;
        auto* sb = TypedWidget<QScrollBar>(this);
        TScrollCode code = scPosition;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
        case QAbstractSlider::SliderToMinimum: code = scTop; break;
        case QAbstractSlider::SliderToMaximum: code = scBottom; break;
        case QAbstractSlider::SliderMove: code = scTrack; break;
        default: break;
        }
        const int pos = sb->sliderPosition();
        SafeCall([&] { Scroll(code, pos); });
        // The slider shows the position the control settled on.
        FSyncing = true;
        sb->setSliderPosition(FPosition);
        FSyncing = false;
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 121;
    FHeight = 17;
    ApplyRange();
    ApplyBounds();
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    FKind = Value;
    if (auto* w = TypedWidget<QScrollBar>(this)) w->setOrientation(Value == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    if (!IsLoading(this) && ((Value == sbVertical) != (FHeight > FWidth))) SetBounds(FLeft, FTop, FHeight, FWidth);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
    if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
    const int top = std::max(AMin, AMax - std::max(FPageSize - 1, 0));
    APosition = std::clamp(APosition, AMin, top);
    const bool changed = APosition != FPosition;
    FMin = AMin;
    FMax = AMax;
    FPosition = APosition;
    ApplyRange();
    if (changed && !IsLoading(this)) SafeCall([&] { OnChange(this); });
}

void TScrollBar::SetPageSize(int Value) {
    FPageSize = std::max(0, Value);
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int Value) {
    FSmallChange = Value;
    ApplyRange();
}

void TScrollBar::SetLargeChange(int Value) {
    FLargeChange = Value;
    ApplyRange();
}

void TScrollBar::ApplyRange() {
    auto* w = TypedWidget<QScrollBar>(this);
    if (!w) return;
    // Only what differs goes to the widget: each setting repaints the bar, also when it
    // sets what the bar already shows, and a view growing during a long run sets its
    // bars far more often than their range changes.
    FSyncing = true;
    const int top = std::max(FMin, FMax - std::max(FPageSize - 1, 0));
    if (w->minimum() != FMin || w->maximum() != top) w->setRange(FMin, top);
    const int page = std::max(FPageSize, FLargeChange);
    if (w->pageStep() != page) w->setPageStep(page);
    if (w->singleStep() != FSmallChange) w->setSingleStep(FSmallChange);
    if (w->value() != FPosition) w->setValue(FPosition);
    FSyncing = false;
}

// The request's position: an arrow moves by SmallChange, a page by LargeChange.
void TScrollBar::Scroll(TScrollCode Code, int Pos) {
    int target = FPosition;
    switch (Code) {
    case scLineUp: target = FPosition - FSmallChange; break;
    case scLineDown: target = FPosition + FSmallChange; break;
    case scPageUp: target = FPosition - FLargeChange; break;
    case scPageDown: target = FPosition + FLargeChange; break;
    case scTop: target = FMin; break;
    case scBottom: target = FMax; break;
    default: target = Pos; break;
    }
    OnScroll(this, Code, target);
    SetPosition(target);
}

bool TScrollBar::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TScrollBar::DeclareProperties(TPropertyDecl<TScrollBar>& d) {
    d.Property("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    d.Property("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    d.Property("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    d.Property("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    d.Property("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    d.Property("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    d.Property("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnChange", &TScrollBar::OnChange);
    d.Event("OnScroll", &TScrollBar::OnScroll);
}

// Dialog controls: the input controls of a report's dialog pages (labels, edits, memos,
// buttons, check boxes, radio buttons, list and combo boxes, group boxes, panels and date
// edits). Each wraps a window control of the platform layer: the object's geometry,
// font, visibility and enabled state go to the control, the control sits in the dialog
// page's window (or in the dialog control that holds it), and its events run the report
// script's procedures named in the object's event properties. In the designer the object
// draws a picture of its control.
//
// Scripts reach every control by its name with its published properties (Text, Checked,
// ItemIndex, Items ...) and SetFocus; a dialog page shown before the report runs ends with
// the modal result of the button that closed it (ModalResult of TfrxButtonControl).
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "report/Component.h"

class TfrxDialogControl : public TfrxReportComponent {
    ROVE_CLASS(TfrxDialogControl, TfrxReportComponent)
public:
    explicit TfrxDialogControl(TComponent* AOwner);
    ~TfrxDialogControl() override;

    // The wrapped control (made by the descendant).
    TControl* Control() const { return FControl.get(); }

    // --- Published -----------------------------------------------------------------------
    // The control's own state.
    bool Enabled() const;
    void SetEnabled(bool Value);
    // Names of report-script procedures run by the control's events (each kind publishes
    // those its control has).
    std::string OnChange, OnClick, OnDblClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown,
        OnMouseMove, OnMouseUp;

    // Focuses a windowed control; nothing for others.
    void SetFocus();

    // The control takes rnd of each value.
    void SetLeft(double Value) override;
    void SetTop(double Value) override;
    void SetWidth(double Value) override;
    void SetHeight(double Value) override;
    void SetVisible(bool Value) override;
    void SetParentFont(bool Value) override;
    // The control's window parent follows: a dialog control's control, the dialog page's
    // window, or none.
    void SetParent(TfrxComponent* AParent) override;
    // The picture of the control at (rnd(AbsLeft), rnd(AbsTop)), at its size (scale and
    // offset are not applied).
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // The class name without "Tfrx" and "Control": "Button", "Edit".
    std::string BaseName() const override;

    // Declares Left ... Visible of every control and the named events of its kind.
    template <class T> static void PublishControl(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Events);

protected:
    void FontChanged() override;
    // Takes the control over: state, window parent and events as above.
    void SetControl(std::unique_ptr<TControl> Control);
    // Runs the script procedure Event with this object (while the report runs).
    void Notify(const std::string& Event);

private:
    void UpdateWindowParent();
    void ApplyFont();
    std::unique_ptr<TControl> FControl;
};

class TfrxLabelControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxLabelControl, TfrxDialogControl)
public:
    explicit TfrxLabelControl(TComponent* AOwner);
    TLabel* Label() const { return static_cast<TLabel*>(Control()); }
    std::string Caption() const { return Label()->GetText(); }
    void SetCaption(const std::string& Value) { Label()->SetText(Value); }
    TAlignment Alignment() const { return Label()->Alignment(); }
    void SetAlignment(TAlignment Value) { Label()->SetAlignment(Value); }
    bool AutoSize() const { return Label()->AutoSize(); }
    void SetAutoSize(bool Value) { Label()->SetAutoSize(Value); }
    bool WordWrap() const { return Label()->WordWrap(); }
    void SetWordWrap(bool Value) { Label()->SetWordWrap(Value); }
    TColor Color() const { return Label()->Color(); }
    void SetColor(TColor Value) { Label()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxLabelControl>& d);
};

class TfrxEditControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxEditControl, TfrxDialogControl)
public:
    explicit TfrxEditControl(TComponent* AOwner);
    TEdit* Edit() const { return static_cast<TEdit*>(Control()); }
    std::string Text() const { return Edit()->GetText(); }
    void SetText(const std::string& Value) { Edit()->SetText(Value); }
    int MaxLength() const { return Edit()->MaxLength(); }
    void SetMaxLength(int Value) { Edit()->SetMaxLength(Value); }
    char32_t PasswordChar() const { return Edit()->PasswordChar(); }
    void SetPasswordChar(char32_t Value) { Edit()->SetPasswordChar(Value); }
    bool ReadOnly() const { return Edit()->ReadOnly(); }
    void SetReadOnly(bool Value) { Edit()->SetReadOnly(Value); }
    TColor Color() const { return Edit()->Color(); }
    void SetColor(TColor Value) { Edit()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxEditControl>& d);
};

class TfrxMemoControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxMemoControl, TfrxDialogControl)
public:
    explicit TfrxMemoControl(TComponent* AOwner);
    TMemo* Memo() const { return static_cast<TMemo*>(Control()); }
    TStringList* Lines() const { return Memo()->Lines(); }
    void SetLines(TStringList* Value) { Memo()->SetLines(Value); }
    std::string Text() const { return Memo()->GetText(); }
    void SetText(const std::string& Value) { Memo()->SetText(Value); }
    bool ReadOnly() const { return Memo()->ReadOnly(); }
    void SetReadOnly(bool Value) { Memo()->SetReadOnly(Value); }
    bool WordWrap() const { return Memo()->WordWrap(); }
    void SetWordWrap(bool Value) { Memo()->SetWordWrap(Value); }
    TScrollStyle ScrollBars() const { return Memo()->ScrollBars(); }
    void SetScrollBars(TScrollStyle Value) { Memo()->SetScrollBars(Value); }
    TColor Color() const { return Memo()->Color(); }
    void SetColor(TColor Value) { Memo()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxMemoControl>& d);
};

class TfrxButtonControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxButtonControl, TfrxDialogControl)
public:
    explicit TfrxButtonControl(TComponent* AOwner);
    TButton* Button() const { return static_cast<TButton*>(Control()); }
    std::string Caption() const { return Button()->GetText(); }
    void SetCaption(const std::string& Value) { Button()->SetText(Value); }
    bool Cancel() const { return Button()->Cancel(); }
    void SetCancel(bool Value) { Button()->SetCancel(Value); }
    bool Default() const { return Button()->Default(); }
    void SetDefault(bool Value) { Button()->SetDefault(Value); }
    // The dialog's modal result when the button is clicked (1 OK, 2 cancel ...).
    int ModalResult() const { return Button()->ModalResult(); }
    void SetModalResult(int Value) { Button()->SetModalResult(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxButtonControl>& d);
};

class TfrxCheckBoxControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxCheckBoxControl, TfrxDialogControl)
public:
    explicit TfrxCheckBoxControl(TComponent* AOwner);
    TCheckBox* CheckBox() const { return static_cast<TCheckBox*>(Control()); }
    std::string Caption() const { return CheckBox()->GetText(); }
    void SetCaption(const std::string& Value) { CheckBox()->SetText(Value); }
    bool Checked() const { return CheckBox()->Checked(); }
    void SetChecked(bool Value) { CheckBox()->SetChecked(Value); }
    bool AllowGrayed() const { return CheckBox()->AllowGrayed(); }
    void SetAllowGrayed(bool Value) { CheckBox()->SetAllowGrayed(Value); }
    TCheckBoxState State() const { return CheckBox()->State(); }
    void SetState(TCheckBoxState Value) { CheckBox()->SetState(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxCheckBoxControl>& d);
};

class TfrxRadioButtonControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxRadioButtonControl, TfrxDialogControl)
public:
    explicit TfrxRadioButtonControl(TComponent* AOwner);
    TRadioButton* RadioButton() const { return static_cast<TRadioButton*>(Control()); }
    std::string Caption() const { return RadioButton()->GetText(); }
    void SetCaption(const std::string& Value) { RadioButton()->SetText(Value); }
    bool Checked() const { return RadioButton()->Checked(); }
    void SetChecked(bool Value) { RadioButton()->SetChecked(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxRadioButtonControl>& d);
};

class TfrxListBoxControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxListBoxControl, TfrxDialogControl)
public:
    explicit TfrxListBoxControl(TComponent* AOwner);
    TListBox* ListBox() const { return static_cast<TListBox*>(Control()); }
    TStringList* Items() const { return ListBox()->Items(); }
    void SetItems(TStringList* Value) { ListBox()->SetItems(Value); }
    int ItemIndex() const { return ListBox()->ItemIndex(); }
    void SetItemIndex(int Value) { ListBox()->SetItemIndex(Value); }
    TColor Color() const { return ListBox()->Color(); }
    void SetColor(TColor Value) { ListBox()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxListBoxControl>& d);
};

class TfrxComboBoxControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxComboBoxControl, TfrxDialogControl)
public:
    explicit TfrxComboBoxControl(TComponent* AOwner);
    TComboBox* ComboBox() const { return static_cast<TComboBox*>(Control()); }
    TStringList* Items() const { return ComboBox()->Items(); }
    void SetItems(TStringList* Value) { ComboBox()->SetItems(Value); }
    int ItemIndex() const { return ComboBox()->ItemIndex(); }
    void SetItemIndex(int Value) { ComboBox()->SetItemIndex(Value); }
    std::string Text() const { return ComboBox()->GetText(); }
    void SetText(const std::string& Value) { ComboBox()->SetText(Value); }
    TComboBoxStyle Style() const { return ComboBox()->Style(); }
    void SetStyle(TComboBoxStyle Value) { ComboBox()->SetStyle(Value); }
    TColor Color() const { return ComboBox()->Color(); }
    void SetColor(TColor Value) { ComboBox()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxComboBoxControl>& d);
};

class TfrxGroupBoxControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxGroupBoxControl, TfrxDialogControl)
public:
    explicit TfrxGroupBoxControl(TComponent* AOwner);
    TGroupBox* GroupBox() const { return static_cast<TGroupBox*>(Control()); }
    std::string Caption() const { return GroupBox()->GetText(); }
    void SetCaption(const std::string& Value) { GroupBox()->SetText(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxGroupBoxControl>& d);
};

class TfrxPanelControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxPanelControl, TfrxDialogControl)
public:
    explicit TfrxPanelControl(TComponent* AOwner);
    TPanel* Panel() const { return static_cast<TPanel*>(Control()); }
    std::string Caption() const { return Panel()->GetText(); }
    void SetCaption(const std::string& Value) { Panel()->SetText(Value); }
    TBevelCut BevelInner() const { return Panel()->BevelInner(); }
    void SetBevelInner(TBevelCut Value) { Panel()->SetBevelInner(Value); }
    TBevelCut BevelOuter() const { return Panel()->BevelOuter(); }
    void SetBevelOuter(TBevelCut Value) { Panel()->SetBevelOuter(Value); }
    TColor Color() const { return Panel()->Color(); }
    void SetColor(TColor Value) { Panel()->SetColor(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxPanelControl>& d);
};

class TfrxDateEditControl : public TfrxDialogControl {
    ROVE_CLASS(TfrxDateEditControl, TfrxDialogControl)
public:
    explicit TfrxDateEditControl(TComponent* AOwner);
    TDateTimePicker* Picker() const { return static_cast<TDateTimePicker*>(Control()); }
    TDateTime Date() const { return Picker()->Date(); }
    void SetDate(TDateTime Value) { Picker()->SetDate(Value); }
    static void DeclareProperties(TPropertyDecl<TfrxDateEditControl>& d);
};

// Runs a script event of a dialog page or control. A failure goes to the report's errors
// and ends the dialog with Cancel, so that the run stops and the report shows it (instead
// of a message box over a dialog that goes on).
void frxRunDialogEvent(TfrxComponent* Obj, const std::function<void()>& Event);

// Registers the control classes for creation by name and as insertable objects of the
// dialog pages (program start; idempotent).
void frxRegisterDialogControls();

// ==== Implementation of the templates ======================================================
template <class T>
void TfrxDialogControl::PublishControl(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Events) {
    using C = TfrxDialogControl;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds | TfrxComponent::pubFont | TfrxComponent::pubGroupIndex |
                                        TfrxComponent::pubParentFont);
    d.Property("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubVisible);
    for (std::string_view e : Events) {
        if (e == "OnChange") d.Property("OnChange", frxEventType("TfrxNotifyEvent"), &C::OnChange, &C::OnChange);
        else if (e == "OnClick") d.Property("OnClick", frxEventType("TfrxNotifyEvent"), &C::OnClick, &C::OnClick);
        else if (e == "OnDblClick")
            d.Property("OnDblClick", frxEventType("TfrxNotifyEvent"), &C::OnDblClick, &C::OnDblClick);
        else if (e == "OnEnter") d.Property("OnEnter", frxEventType("TfrxNotifyEvent"), &C::OnEnter, &C::OnEnter);
        else if (e == "OnExit") d.Property("OnExit", frxEventType("TfrxNotifyEvent"), &C::OnExit, &C::OnExit);
        else if (e == "OnKeyDown") d.Property("OnKeyDown", frxEventType("TfrxKeyEvent"), &C::OnKeyDown, &C::OnKeyDown);
        else if (e == "OnKeyPress")
            d.Property("OnKeyPress", frxEventType("TfrxKeyPressEvent"), &C::OnKeyPress, &C::OnKeyPress);
        else if (e == "OnKeyUp") d.Property("OnKeyUp", frxEventType("TfrxKeyEvent"), &C::OnKeyUp, &C::OnKeyUp);
        else if (e == "OnMouseDown")
            d.Property("OnMouseDown", frxEventType("TfrxMouseEvent"), &C::OnMouseDown, &C::OnMouseDown);
        else if (e == "OnMouseMove")
            d.Property("OnMouseMove", frxEventType("TfrxMouseMoveEvent"), &C::OnMouseMove, &C::OnMouseMove);
        else if (e == "OnMouseUp")
            d.Property("OnMouseUp", frxEventType("TfrxMouseEvent"), &C::OnMouseUp, &C::OnMouseUp);
        else throw EfrxError("No dialog control event " + std::string(e));
    }
}

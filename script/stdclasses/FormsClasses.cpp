// Controls, forms and the application as classes of scripts, with their events, and the
// constants scripts compare against: modal results, cursors, border styles and the
// Windows virtual-key codes the window layer delivers.
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "script/stdclasses/FormEvents.h"
#include "script/stdclasses/StdClasses.h"
#include "script/stdclasses/StdInternal.h"

using namespace fsstd;

namespace {

const char* const kFormsModule = "forms classes";
bool gFormsRegistered = false;

int Int(const Variant& v) { return v.AsInteger(); }

struct TNamedValue {
    const char* Name;
    int Value;
};

const TNamedValue kModalResults[] = {{"mrNone", mrNone},   {"mrOk", mrOk},         {"mrCancel", mrCancel},
                                     {"mrAbort", mrAbort}, {"mrRetry", mrRetry},   {"mrIgnore", mrIgnore},
                                     {"mrYes", mrYes},     {"mrNo", mrNo},         {"mrAll", mrAll},
                                     {"mrNoToAll", mrNoToAll}, {"mrYesToAll", mrYesToAll}};

const TNamedValue kCursors[] = {
    {"crDefault", crDefault},     {"crNone", crNone},         {"crArrow", crArrow},
    {"crCross", crCross},         {"crIBeam", crIBeam},       {"crSize", crSize},
    {"crSizeNESW", crSizeNESW},   {"crSizeNS", crSizeNS},     {"crSizeNWSE", crSizeNWSE},
    {"crSizeWE", crSizeWE},       {"crUpArrow", crUpArrow},   {"crHourGlass", crHourGlass},
    {"crDrag", crDrag},           {"crNoDrop", crNoDrop},     {"crHSplit", crHSplit},
    {"crVSplit", crVSplit},       {"crMultiDrag", crMultiDrag}, {"crSQLWait", crSQLWait},
    {"crNo", crNo},               {"crAppStart", crAppStart}, {"crHelp", crHelp},
    {"crHandPoint", crHandPoint}, {"crSizeAll", crSizeAll}};

const TNamedValue kBorderStyles[] = {{"bsNone", bsNone},         {"bsSingle", bsSingle},
                                     {"bsSizeable", bsSizeable}, {"bsDialog", bsDialog},
                                     {"bsToolWindow", bsToolWindow}, {"bsSizeToolWin", bsSizeToolWin}};

const TNamedValue kVirtualKeys[] = {
    {"VK_RBUTTON", VK_RBUTTON},   {"VK_CANCEL", VK_CANCEL},     {"VK_MBUTTON", VK_MBUTTON},
    {"VK_BACK", VK_BACK},         {"VK_TAB", VK_TAB},           {"VK_RETURN", VK_RETURN},
    {"VK_SHIFT", VK_SHIFT},       {"VK_CONTROL", VK_CONTROL},   {"VK_MENU", VK_MENU},
    {"VK_PAUSE", VK_PAUSE},       {"VK_CAPITAL", VK_CAPITAL},   {"VK_ESCAPE", VK_ESCAPE},
    {"VK_SPACE", VK_SPACE},       {"VK_PRIOR", VK_PRIOR},       {"VK_NEXT", VK_NEXT},
    {"VK_END", VK_END},           {"VK_HOME", VK_HOME},         {"VK_LEFT", VK_LEFT},
    {"VK_UP", VK_UP},             {"VK_RIGHT", VK_RIGHT},       {"VK_DOWN", VK_DOWN},
    {"VK_INSERT", VK_INSERT},     {"VK_DELETE", VK_DELETE},     {"VK_HELP", VK_HELP},
    {"VK_LWIN", VK_LWIN},         {"VK_RWIN", VK_RWIN},         {"VK_APPS", VK_APPS},
    {"VK_NUMPAD0", VK_NUMPAD0},   {"VK_NUMPAD1", VK_NUMPAD1},   {"VK_NUMPAD2", VK_NUMPAD2},
    {"VK_NUMPAD3", VK_NUMPAD3},   {"VK_NUMPAD4", VK_NUMPAD4},   {"VK_NUMPAD5", VK_NUMPAD5},
    {"VK_NUMPAD6", VK_NUMPAD6},   {"VK_NUMPAD7", VK_NUMPAD7},   {"VK_NUMPAD8", VK_NUMPAD8},
    {"VK_NUMPAD9", VK_NUMPAD9},   {"VK_MULTIPLY", VK_MULTIPLY}, {"VK_ADD", VK_ADD},
    {"VK_SEPARATOR", VK_SEPARATOR}, {"VK_SUBTRACT", VK_SUBTRACT}, {"VK_DECIMAL", VK_DECIMAL},
    {"VK_DIVIDE", VK_DIVIDE},     {"VK_F1", VK_F1},             {"VK_F2", VK_F2},
    {"VK_F3", VK_F3},             {"VK_F4", VK_F4},             {"VK_F5", VK_F5},
    {"VK_F6", VK_F6},             {"VK_F7", VK_F7},             {"VK_F8", VK_F8},
    {"VK_F9", VK_F9},             {"VK_F10", VK_F10},           {"VK_F11", VK_F11},
    {"VK_F12", VK_F12},           {"VK_NUMLOCK", VK_NUMLOCK},   {"VK_SCROLL", VK_SCROLL}};

void AddConstants(TfsScript& unit, std::span<const TNamedValue> values) {
    for (const TNamedValue& v : values) unit.AddConst(v.Name, "Integer", Variant(v.Value));
}

void RegisterControls(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TControl::StaticClass(), "TComponent")) {
        c->AddMethod("procedure Hide", Method<TControl>([](TControl& self, TfsParams&) { self.Hide(); }));
        c->AddMethod("procedure Show", Method<TControl>([](TControl& self, TfsParams&) { self.Show(); }));
        c->AddMethod("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Integer)",
                     Method<TControl>([](TControl& self, TfsParams& p) {
                         self.SetBounds(Int(p[0]), Int(p[1]), Int(p[2]), Int(p[3]));
                     }));
        c->AddProperty("Parent", "TWinControl",
                       Getter<TControl>([](TControl& self) { return ObjectValue(self.Parent()); }),
                       Setter<TControl>([](TControl& self, const Variant& v) { self.SetParent(Arg<TWinControl>(v)); }));
        c->AddEvent("OnCanResize", TfsCanResizeEvent::Class());
        c->AddEvent("OnClick", TfsNotifyEvent::Class());
        c->AddEvent("OnDblClick", TfsNotifyEvent::Class());
        c->AddEvent("OnResize", TfsNotifyEvent::Class());
        c->AddEvent("OnMouseDown", TfsMouseEvent::Class());
        c->AddEvent("OnMouseUp", TfsMouseEvent::Class());
        c->AddEvent("OnMouseMove", TfsMouseMoveEvent::Class());
    }
    if (TfsClassVariable* c = unit.AddClass(TWinControl::StaticClass(), "TControl")) {
        c->AddMethod("procedure SetFocus", Method<TWinControl>([](TWinControl& self, TfsParams&) { self.SetFocus(); }));
        c->AddEvent("OnEnter", TfsNotifyEvent::Class());
        c->AddEvent("OnExit", TfsNotifyEvent::Class());
        c->AddEvent("OnKeyDown", TfsKeyEvent::Class());
        c->AddEvent("OnKeyUp", TfsKeyEvent::Class());
        c->AddEvent("OnKeyPress", TfsKeyPressEvent::Class());
    }
    unit.AddClass(TCustomControl::StaticClass(), "TWinControl");
    unit.AddClass(TGraphicControl::StaticClass(), "TControl");
    for (TClass cls : {TGroupBox::StaticClass(), TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                       TCheckBox::StaticClass(), TRadioButton::StaticClass()})
        unit.AddClass(cls, "TWinControl");
    unit.AddClass(TLabel::StaticClass(), "TGraphicControl");

    if (TfsClassVariable* c = unit.AddClass(TCustomComboBox::StaticClass(), "TWinControl")) {
        using B = TCustomComboBox;
        c->AddProperty("DroppedDown", "Boolean", Getter<B>([](B& self) { return self.DroppedDown(); }),
                       Setter<B>([](B& self, const Variant& v) { self.SetDroppedDown(v.AsBoolean()); }));
        c->AddProperty("ItemIndex", "Integer", Getter<B>([](B& self) { return self.ItemIndex(); }),
                       Setter<B>([](B& self, const Variant& v) { self.SetItemIndex(v.AsInteger()); }));
        c->AddEvent("OnChange", TfsNotifyEvent::Class());
        c->AddEvent("OnDropDown", TfsNotifyEvent::Class());
        c->AddEvent("OnCloseUp", TfsNotifyEvent::Class());
    }
    unit.AddClass(TComboBox::StaticClass(), "TCustomComboBox");
    if (TfsClassVariable* c = unit.AddClass(TCustomListBox::StaticClass(), "TWinControl")) {
        using L = TCustomListBox;
        c->AddProperty("ItemIndex", "Integer", Getter<L>([](L& self) { return self.ItemIndex(); }),
                       Setter<L>([](L& self, const Variant& v) { self.SetItemIndex(v.AsInteger()); }));
        c->AddProperty("SelCount", "Integer", Getter<L>([](L& self) { return self.SelCount(); }));
        c->AddIndexProperty("Selected", "Integer", "Boolean",
                            Indexed<L>([](L& self, TfsParams& p) { return self.Selected(Int(p[0])); },
                                       [](L& self, TfsParams& p, const Variant& v) {
                                           self.SetSelected(Int(p[0]), v.AsBoolean());
                                       }));
    }
    unit.AddClass(TListBox::StaticClass(), "TCustomListBox");
    unit.AddClass(TControlScrollBar::StaticClass(), "TPersistent");
    unit.AddClass(TScrollingWinControl::StaticClass(), "TWinControl");
    unit.AddClass(TScrollBox::StaticClass(), "TScrollingWinControl");
}

void RegisterForms(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TCustomForm::StaticClass(), "TScrollingWinControl")) {
        using F = TCustomForm;
        c->AddMethod("procedure Close", Method<F>([](F& self, TfsParams&) { self.Close(); }));
        c->AddMethod("procedure Hide", Method<F>([](F& self, TfsParams&) { self.Hide(); }));
        c->AddMethod("procedure Show", Method<F>([](F& self, TfsParams&) { self.Show(); }));
        c->AddMethod("function ShowModal: Integer", Method<F>([](F& self, TfsParams&) { return self.ShowModal(); }));
        c->AddProperty("Canvas", "TCanvas", Getter<F>([](F& self) { return ObjectValue(self.Canvas()); }));
        c->AddProperty("ModalResult", "Integer", Getter<F>([](F& self) { return self.ModalResult(); }),
                       Setter<F>([](F& self, const Variant& v) { self.SetModalResult(v.AsInteger()); }));
        for (const char* name : {"OnActivate", "OnCreate", "OnDestroy", "OnDeactivate", "OnHide", "OnPaint", "OnShow"})
            c->AddEvent(name, TfsNotifyEvent::Class());
        c->AddEvent("OnClose", TfsCloseEvent::Class());
        c->AddEvent("OnCloseQuery", TfsCloseQueryEvent::Class());
    }
    unit.AddClass(TForm::StaticClass(), "TCustomForm");
    unit.AddClass(TDataModule::StaticClass(), "TComponent");
    if (TfsClassVariable* c = unit.AddClass(TApplication::StaticClass(), "TComponent")) {
        using A = TApplication;
        c->AddMethod("procedure Minimize", Method<A>([](A& self, TfsParams&) { self.Minimize(); }));
        c->AddMethod("procedure ProcessMessages", Method<A>([](A& self, TfsParams&) { self.ProcessMessages(); }));
        c->AddMethod("procedure Restore", Method<A>([](A& self, TfsParams&) { self.Restore(); }));
        c->AddProperty("ExeName", "String", Getter<A>([](A& self) { return self.ExeName(); }));
    }
    unit.AddObject("Application", static_cast<TApplication*>(Application));
}

}  // namespace

void fsRegisterFormsClasses() {
    if (gFormsRegistered) return;
    TModuleScope scope(kFormsModule);
    TfsScript* unit = scope.Unit();
    if (!unit) return;
    gFormsRegistered = true;
    AddConstants(*unit, kModalResults);
    AddConstants(*unit, kCursors);
    AddConstants(*unit, kBorderStyles);
    AddConstants(*unit, kVirtualKeys);
    unit->AddType("TFormBorderStyle", tcInteger);
    unit->AddType("TBorderStyle", tcInteger);
    unit->AddEnumSet("TShiftState", "ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble");
    unit->AddEnum("TAlignment", "taLeftJustify, taRightJustify, taCenter");
    unit->AddEnum("TAlign", "alNone, alTop, alBottom, alLeft, alRight, alClient");
    unit->AddEnum("TMouseButton", "mbLeft, mbRight, mbMiddle");
    unit->AddEnumSet("TAnchors", "akLeft, akTop, akRight, akBottom");
    unit->AddEnum("TBevelCut", "bvNone, bvLowered, bvRaised, bvSpace");
    unit->AddEnum("TTextLayout", "tlTop, tlCenter, tlBottom");
    unit->AddEnum("TEditCharCase", "ecNormal, ecUpperCase, ecLowerCase");
    unit->AddEnum("TScrollStyle", "ssNone, ssHorizontal, ssVertical, ssBoth");
    unit->AddEnum("TComboBoxStyle", "csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable");
    unit->AddEnum("TCheckBoxState", "cbUnchecked, cbChecked, cbGrayed");
    unit->AddEnum("TListBoxStyle", "lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable");
    unit->AddEnum("TWindowState", "wsNormal, wsMinimized, wsMaximized");
    unit->AddEnum("TFormStyle", "fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop");
    unit->AddEnumSet("TBorderIcons", "biSystemMenu, biMinimize, biMaximize, biHelp");
    unit->AddEnum("TPosition", "poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter");
    unit->AddEnum("TCloseAction", "caNone, caHide, caFree, caMinimize");
    RegisterControls(*unit);
    RegisterForms(*unit);
}

void fsUnregisterFormsClasses() {
    if (!gFormsRegistered) return;
    gFormsRegistered = false;
    if (TfsScript* unit = GlobalUnit()) unit->RemoveItems(kFormsModule);
}

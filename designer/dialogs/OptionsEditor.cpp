// The designer options window.
#include "designer/dialogs/OptionsEditor.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "designer/FormResources.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ScreenFonts.h"
#include "platform/ui/StdCtrls.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxOptionsEditor)

namespace {

void RegisterOptionsEditor() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// Grid steps are shown in the general float format.
std::string GridText(double Value) { return FloatToStr(Value); }

}  // namespace

TfrxOptionsEditor::TfrxOptionsEditor(TComponent* AOwner) : TForm(AOwner) {
    RegisterOptionsEditor();
    InitForm();
}

void TfrxOptionsEditor::DeclareProperties(TPropertyDecl<TfrxOptionsEditor>& d) {
    d.Method("FormCreate", &TfrxOptionsEditor::FormCreate);
    d.Method("FormShow", &TfrxOptionsEditor::FormShow);
    d.Method("FormHide", &TfrxOptionsEditor::FormHide);
    d.Method("FormCloseQuery", &TfrxOptionsEditor::FormCloseQuery);
    d.Method("WorkspaceBClick", &TfrxOptionsEditor::WorkspaceBClick);
    d.Method("ToolBClick", &TfrxOptionsEditor::ToolBClick);
    d.Method("WorkspacePBPaint", &TfrxOptionsEditor::WorkspacePBPaint);
    d.Method("ToolPBPaint", &TfrxOptionsEditor::ToolPBPaint);
    d.Method("RestoreDefaultsBClick", &TfrxOptionsEditor::RestoreDefaultsBClick);
}

void TfrxOptionsEditor::BindFields() {
    Bind(GridGB, "GridGB");
    Bind(FontsGB, "FontsGB");
    Bind(ColorsGB, "ColorsGB");
    Bind(OtherGB, "OtherGB");
    Bind(TypeL, "TypeL");
    Bind(SizeL, "SizeL");
    Bind(DialogFormL, "DialogFormL");
    Bind(CMUnitL, "CMUnitL");
    Bind(InchesUnitL, "InchesUnitL");
    Bind(PixelsUnitL, "PixelsUnitL");
    Bind(CodeWindowL, "CodeWindowL");
    Bind(CodeSizeL, "CodeSizeL");
    Bind(MemoEditorL, "MemoEditorL");
    Bind(MemoSizeL, "MemoSizeL");
    Bind(WorkspaceL, "WorkspaceL");
    Bind(ToolL, "ToolL");
    Bind(GapL, "GapL");
    Bind(CMRB, "CMRB");
    Bind(InchesRB, "InchesRB");
    Bind(PixelsRB, "PixelsRB");
    Bind(CME, "CME");
    Bind(InchesE, "InchesE");
    Bind(PixelsE, "PixelsE");
    Bind(DialogFormE, "DialogFormE");
    Bind(GapE, "GapE");
    Bind(ShowGridCB, "ShowGridCB");
    Bind(AlignGridCB, "AlignGridCB");
    Bind(ObjectFontCB, "ObjectFontCB");
    Bind(LCDCB, "LCDCB");
    Bind(EditAfterInsCB, "EditAfterInsCB");
    Bind(FreeBandsCB, "FreeBandsCB");
    Bind(BandsCaptionsCB, "BandsCaptionsCB");
    Bind(CodeWindowFontCB, "CodeWindowFontCB");
    Bind(CodeWindowSizeCB, "CodeWindowSizeCB");
    Bind(MemoEditorFontCB, "MemoEditorFontCB");
    Bind(MemoEditorSizeCB, "MemoEditorSizeCB");
    Bind(WorkspacePB, "WorkspacePB");
    Bind(ToolPB, "ToolPB");
    Bind(WorkspaceB, "WorkspaceB");
    Bind(ToolB, "ToolB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
    Bind(RestoreDefaultsB, "RestoreDefaultsB");
    Bind(ColorDialog, "ColorDialog");
}

void TfrxOptionsEditor::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    for (TComboBox* sizes : {CodeWindowSizeCB, MemoEditorSizeCB})
        for (const char* s : {"8", "9", "10", "11", "12", "14"}) sizes->Items()->Add(s);
}

void TfrxOptionsEditor::FormShow(TObject*) {
    ColorDialog->CustomColors()->Clear();
    ColorDialog->CustomColors()->Add("ColorA=" + IntToHex(ColorToRGB(clBtnFace), 6));
    for (TComboBox* fonts : {CodeWindowFontCB, MemoEditorFontCB}) {
        fonts->Items()->Clear();
        for (const TScreenFont& f : ScreenFontFamilies()) fonts->Items()->Add(f.Name);
    }
    const TfrxDesignerOptions o = Options ? *Options : TfrxDesignerOptions{};
    for (TControl* c : std::initializer_list<TControl*>{CMRB, InchesRB, PixelsRB, CME, InchesE, PixelsE})
        c->SetEnabled(o.UnitsEnabled);
    CMRB->SetChecked(o.Units == 0);
    InchesRB->SetChecked(o.Units == 1);
    PixelsRB->SetChecked(o.Units == 2);
    CME->SetText(GridText(o.Grid1));
    InchesE->SetText(GridText(o.Grid2));
    PixelsE->SetText(GridText(o.Grid3));
    DialogFormE->SetText(GridText(o.Grid4));
    ShowGridCB->SetChecked(o.ShowGrid);
    AlignGridCB->SetChecked(o.GridAlign);
    EditAfterInsCB->SetChecked(o.EditAfterInsert);
    BandsCaptionsCB->SetChecked(o.ShowBandCaptions);
    FreeBandsCB->SetChecked(o.FreeBands);
    GapE->SetText(IntToStr(o.BandsGap));
    LCDCB->SetChecked(o.GridLCD);
    CodeWindowFontCB->SetText(o.CodeFontName);
    CodeWindowSizeCB->SetText(IntToStr(o.CodeFontSize));
    MemoEditorFontCB->SetText(o.MemoFontName);
    MemoEditorSizeCB->SetText(IntToStr(o.MemoFontSize));
    ObjectFontCB->SetChecked(o.UseObjectFont);
    WorkspaceColor = o.WorkspaceColor;
    ToolsColor = o.ToolsColor;
    FDefaultsRestored = false;
}

// The values of the controls; a text that is no number raises the conversion error.
bool TfrxOptionsEditor::ReadValues(TfrxDesignerOptions& v) {
    v.Grid4 = frxStrToFloat(DialogFormE->Text());
    if (CME->Enabled()) {
        v.Grid1 = frxStrToFloat(CME->Text());
        v.Grid2 = frxStrToFloat(InchesE->Text());
        v.Grid3 = frxStrToFloat(PixelsE->Text());
        v.Units = CMRB->Checked() ? 0 : InchesRB->Checked() ? 1 : 2;
    }
    v.ShowGrid = ShowGridCB->Checked();
    v.GridAlign = AlignGridCB->Checked();
    v.EditAfterInsert = EditAfterInsCB->Checked();
    v.ShowBandCaptions = BandsCaptionsCB->Checked();
    v.FreeBands = FreeBandsCB->Checked();
    v.BandsGap = std::max(0, StrToInt(Trim(GapE->Text())));
    // A font has a size of at least one point (and not more than a font can have).
    v.CodeFontName = CodeWindowFontCB->Text();
    v.CodeFontSize = std::clamp(StrToInt(Trim(CodeWindowSizeCB->Text())), 1, 1638);
    v.MemoFontName = MemoEditorFontCB->Text();
    v.MemoFontSize = std::clamp(StrToInt(Trim(MemoEditorSizeCB->Text())), 1, 1638);
    v.UseObjectFont = ObjectFontCB->Checked();
    v.WorkspaceColor = WorkspaceColor;
    v.ToolsColor = ToolsColor;
    v.GridLCD = LCDCB->Checked();
    return true;
}

// OK with a text that is no number: the error is said and the window stays open, nothing
// applied.
void TfrxOptionsEditor::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk || FDefaultsRestored || !Options) return;
    TfrxDesignerOptions v = *Options;
    try {
        ReadValues(v);
    } catch (const Exception& e) {
        CanClose = false;
        SetModalResult(mrNone);
        Application->MessageBox(e.Message(), Application->Title(), MB_OK | MB_ICONERROR);
    }
}

void TfrxOptionsEditor::FormHide(TObject*) {
    if (ModalResult() != mrOk || FDefaultsRestored || !Options) return;
    ReadValues(*Options);
}

void TfrxOptionsEditor::PickColor(TColor& Color, TPaintBox* Swatch) {
    ColorDialog->SetColor(Color);
    if (ColorDialog->Execute()) {
        Color = ColorDialog->Color();
        Swatch->Invalidate();
    }
}

void TfrxOptionsEditor::WorkspaceBClick(TObject*) { PickColor(WorkspaceColor, WorkspacePB); }
void TfrxOptionsEditor::ToolBClick(TObject*) { PickColor(ToolsColor, ToolPB); }

static void PaintSwatch(TPaintBox* Box, TColor Color) {
    TCanvas* c = Box->Canvas();
    c->Pen()->SetColor(static_cast<TColor>(0x808080));
    c->Brush()->SetColor(Color);
    c->Rectangle(0, 0, Box->Width(), Box->Height());
}

void TfrxOptionsEditor::WorkspacePBPaint(TObject*) { PaintSwatch(WorkspacePB, WorkspaceColor); }
void TfrxOptionsEditor::ToolPBPaint(TObject*) { PaintSwatch(ToolPB, ToolsColor); }

// The defaults are in force at once; the window closes without applying what it shows.
void TfrxOptionsEditor::RestoreDefaultsBClick(TObject*) {
    if (RestoreDefaults) RestoreDefaults();
    FDefaultsRestored = true;
    SetModalResult(mrOk);
}

int frxShowOptionsEditor(TfrxDesignerOptions& Options, std::function<void()> RestoreDefaults, TComponent* Owner) {
    auto form = std::make_unique<TfrxOptionsEditor>(Owner);
    form->Options = &Options;
    form->RestoreDefaults = std::move(RestoreDefaults);
    if (form->ShowModal() != mrOk) return 0;
    return form->DefaultsRestored() ? 2 : 1;
}

// --- The designer window's Options command ---------------------------------------------------

TfrxDesignerOptions frxDesignerOptionsOf(TfrxDesignerForm& D) {
    TfrxDesignerOptions o;
    TDesignerWorkspace* w = D.Workspace;
    o.Units = D.CurUnits();
    o.UnitsEnabled = w->GridType() != gtDialog && w->GridType() != gtChar;
    o.Grid1 = D.Grid1;
    o.Grid2 = D.Grid2;
    o.Grid3 = D.Grid3;
    o.Grid4 = D.Grid4;
    o.ShowGrid = D.ShowGrid();
    o.GridAlign = D.GridAlign();
    o.EditAfterInsert = D.EditAfterInsert;
    o.ShowBandCaptions = w->ShowBandCaptions();
    o.FreeBands = w->FreeBands;
    o.BandsGap = w->BandsGap;
    o.GridLCD = w->GridLCD;
    o.CodeFontName = D.CodeWindow->Font()->Name();
    o.CodeFontSize = D.CodeWindow->Font()->Size();
    o.MemoFontName = D.MemoFontName;
    o.MemoFontSize = D.MemoFontSize;
    o.UseObjectFont = D.UseObjectFont;
    o.WorkspaceColor = D.WorkspaceColor;
    o.ToolsColor = D.ToolsColor;
    return o;
}

void frxApplyDesignerOptions(TfrxDesignerForm& D, const TfrxDesignerOptions& O) {
    TDesignerWorkspace* w = D.Workspace;
    D.Grid4 = O.Grid4;
    if (O.UnitsEnabled) {
        D.Grid1 = O.Grid1;
        D.Grid2 = O.Grid2;
        D.Grid3 = O.Grid3;
        D.SetUnits(std::clamp(O.Units, 0, 2));
    }
    D.SetShowGrid(O.ShowGrid);
    D.SetGridAlign(O.GridAlign);
    D.EditAfterInsert = O.EditAfterInsert;
    w->SetShowBandCaptions(O.ShowBandCaptions);
    w->FreeBands = O.FreeBands;
    w->BandsGap = O.BandsGap;
    D.CodeWindow->Font()->SetName(O.CodeFontName);
    D.CodeWindow->Font()->SetSize(O.CodeFontSize);
    D.MemoFontName = O.MemoFontName;
    D.MemoFontSize = O.MemoFontSize;
    D.UseObjectFont = O.UseObjectFont;
    D.SetWorkspaceColor(O.WorkspaceColor);
    D.SetToolsColor(O.ToolsColor);
    w->GridLCD = O.GridLCD;
    w->AdjustBands();
}

void frxRegisterOptionsEditor() {
    frxDesignerDialogs().DesignerOptions = [](TfrxDesignerForm* D) {
        TfrxDesignerOptions o = frxDesignerOptionsOf(*D);
        const int result = frxShowOptionsEditor(o, [D] { D->RestoreDesignerSettings(true); }, D);
        if (result == 1) frxApplyDesignerOptions(*D, o);
        return result != 0;
    };
}

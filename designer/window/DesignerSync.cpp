// The designer window's tool bars, palette and status bar follow the current page and the
// selection: which controls are enabled, which buttons are down, which palette buttons
// show, and what the status panels say.
#include <cmath>

#include "designer/clipboard/DesignerClipboard.h"
#include "designer/controls/Ruler.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ImgList.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DesignRegistries.h"
#include "report/Frame.h"
#include "report/Images.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Views.h"

namespace {

bool HasPublished(const TfrxComponent* O, const char* Name) {
    return O && O->ClassType()->FindProperty(Name) != nullptr;
}

// Whether a registry entry stands for dialog objects (for a category: its first class).
bool IsDialogEntry(int Index) {
    TfrxObjectCollection& reg = frxObjects();
    if (Index < 0 || Index >= reg.Count()) return false;
    const TfrxObjectItem& e = reg.Items(Index);
    if (e.ClassRef) return frxKind::ClassIs(e.ClassRef, "TfrxDialogControl");
    for (const TfrxObjectItem& o : reg.List())
        if (o.ClassRef && SameText(o.CategoryName, e.CategoryName))
            return frxKind::ClassIs(o.ClassRef, "TfrxDialogControl") ||
                   frxKind::ClassIs(o.ClassRef, "TfrxDialogComponent");
    return false;
}

bool EntryClassIs(int Index, std::initializer_list<const char*> Names) {
    TfrxObjectCollection& reg = frxObjects();
    if (Index < 0 || Index >= reg.Count() || !reg.Items(Index).ClassRef) return false;
    for (const char* n : Names)
        if (SameText(reg.Items(Index).ClassRef->ClassName(), n)) return true;
    return false;
}

}  // namespace

void TfrxDesignerForm::UpdateObjectsToolbar() {
    ObjectSelectB->SetDown(true);
    SelectToolBClick(ObjectSelectB);
    TfrxPage* page = Page();
    const bool dialog = frxKind::IsDialogPage(page);
    const bool dmp = frxKind::IsDMPPage(page);
    for (int i = 0; i < ObjectsTB1->ButtonCount(); ++i) {
        TToolButton* b = ObjectsTB1->Buttons(i);
        // The select arrow stands on every page, pressed; the separator is left as it is.
        if (b == ObjectSelectB || b == SepTB14) continue;
        const bool tool = b->Tag() == 1000;
        bool visible = tool ? !dialog : (IsDialogEntry(b->Tag()) == dialog);
        if (!tool && visible) {
            TfrxObjectCollection& reg = frxObjects();
            const int tag = b->Tag();
            const bool drawCategory = tag >= 0 && tag < reg.Count() && !reg.Items(tag).ClassRef &&
                                      SameText(reg.Items(tag).CategoryName, "Draw");
            if (dmp && (EntryClassIs(tag, {"TfrxMemoView", "TfrxSysMemoView", "TfrxLineView", "TfrxPictureView"}) ||
                        drawCategory))
                visible = false;
            // The dot-matrix objects (the printer command too) belong on dot-matrix pages.
            if (!dmp && !dialog && EntryClassIs(tag, {"TfrxDMPMemoView", "TfrxDMPLineView", "TfrxDMPCommand"}))
                visible = false;
        }
        b->SetVisible(visible);
        // A subreport is drawn with a page of its own, refused where no page may be made.
        if (!tool && EntryClassIs(b->Tag(), {"TfrxSubreport"})) b->SetEnabled(CheckRestriction(drDontCreatePage));
    }
    ObjectsTB1->ArrangeButtons();
}

void TfrxDesignerForm::UpdateControls() {
    FUpdatingControls = true;
    const std::vector<TfrxComponent*>& sel = SelectedObjects();
    const int n = static_cast<int>(sel.size());
    TfrxComponent* o = sel.empty() ? nullptr : sel.front();
    TfrxPage* page = Page();
    const bool shown = page != nullptr;
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(o);
    TfrxFrame* frame = nullptr;
    if (auto* v = dynamic_cast<TfrxView*>(o)) frame = v->Frame();
    else if (auto* rp = dynamic_cast<TfrxReportPage*>(o)) frame = rp->Frame();

    if (n == 1 && o) {
        FontNameCB->SetText(o->Font()->Name());
        FontSizeCB->SetText(IntToStr(o->Font()->Size()));
        const TFontStyles st = o->Font()->Style();
        BoldB->SetDown(st.Contains(fsBold));
        ItalicB->SetDown(st.Contains(fsItalic));
        UnderlineB->SetDown(st.Contains(fsUnderline));
        if (memo) {
            TextAlignLeftB->SetDown(memo->HAlign == haLeft);
            TextAlignRightB->SetDown(memo->HAlign == haRight);
            TextAlignCenterB->SetDown(memo->HAlign == haCenter);
            TextAlignBlockB->SetDown(memo->HAlign == haBlock);
            TextAlignTopB->SetDown(memo->VAlign == vaTop);
            TextAlignBottomB->SetDown(memo->VAlign == vaBottom);
            TextAlignMiddleB->SetDown(memo->VAlign == vaCenter);
            if (!frxKind::IsDMPMemo(memo)) {
                if (memo->Style().empty()) StyleCB->SetItemIndex(0);
                else StyleCB->SetText(memo->Style());
            }
        }
        if (frame) {
            FrameTopB->SetDown(frame->Typ.Contains(ftTop));
            FrameBottomB->SetDown(frame->Typ.Contains(ftBottom));
            FrameLeftB->SetDown(frame->Typ.Contains(ftLeft));
            FrameRightB->SetDown(frame->Typ.Contains(ftRight));
            ShadowB->SetDown(frame->DropShadow);
            FrameWidthCB->SetText(FloatToStr(frame->Width));
        }
    } else {
        FontNameCB->SetText("");
        FontSizeCB->SetText("");
        FrameWidthCB->SetText("");
        for (TToolButton* b : {BoldB, ItalicB, UnderlineB, TextAlignLeftB, TextAlignCenterB, TextAlignRightB,
                               TextAlignBlockB, TextAlignTopB, TextAlignMiddleB, TextAlignBottomB, FrameTopB,
                               FrameBottomB, FrameLeftB, FrameRightB, ShadowB})
            b->SetDown(false);
    }

    const bool dmpPage = frxKind::IsDMPPage(page);
    const bool fontOK = shown && HasPublished(o, "Font") && !frxKind::IsDMPPage(o);
    const bool memoOK = shown && memo != nullptr;
    const bool frameOK = shown && HasPublished(o, "Frame") && !frxKind::IsLine(o) &&
                         !dynamic_cast<TfrxShapeView*>(o) && !frxKind::IsDMPPage(o);
    const bool frame2OK = shown && HasPublished(o, "Frame") && !frxKind::IsDMPPage(o);
    const bool colorOK = shown && HasPublished(o, "Color") && !frxKind::IsDMPPage(o);
    const bool reportPage = frxKind::IsReportPage(page);
    const bool selOK = shown && n > 0 && o != page;
    const bool dmp = shown && (frxKind::IsDMPMemo(o) || frxKind::IsDMPLine(o) || frxKind::IsDMPPage(o));
    const bool many = shown && n > 1;
    const bool code = !shown;

    for (TControl* c : std::initializer_list<TControl*>{FontNameCB, FontSizeCB, BoldB, ItalicB, UnderlineB, FontColorB})
        c->SetEnabled((fontOK || many) && !dmpPage);
    FontB->SetEnabled(fontOK || dmp || many);
    for (TToolButton* b : {TextAlignLeftB, TextAlignCenterB, TextAlignRightB, TextAlignBlockB, TextAlignTopB,
                           TextAlignMiddleB, TextAlignBottomB})
        b->SetEnabled(memoOK || many);
    for (TControl* c : std::initializer_list<TControl*>{StyleCB, HighlightB, RotateB})
        c->SetEnabled((memoOK || many) && !dmpPage);
    for (TToolButton* b : {FrameTopB, FrameBottomB, FrameLeftB, FrameRightB, FrameAllB, FrameNoB, ShadowB})
        b->SetEnabled(frameOK || many);
    for (TControl* c : std::initializer_list<TControl*>{FrameColorB, FrameStyleB, FrameWidthCB})
        c->SetEnabled((frame2OK || many) && !dmpPage);
    FillColorB->SetEnabled(colorOK && !dmpPage);
    GroupCmd->SetEnabled(selOK && o != Report());
    UngroupCmd->SetEnabled(selOK && o != Report());
    SampleFormatB->SetEnabled((memoOK && n == 1) || (reportPage && !selOK));
    // A preview designer has no undo (its commands do nothing there).
    UndoCmd->SetEnabled(!IsPreviewDesigner() && (UndoBuffer()->UndoCount() > 1 || code));
    RedoCmd->SetEnabled(!IsPreviewDesigner() && UndoBuffer()->RedoCount() > 0 && shown);
    CutCmd->SetEnabled((n > 0 && o != page && shown) || code);
    CopyCmd->SetEnabled(CutCmd->Enabled());
    TimerTimer(this);
    for (TControl* c : std::initializer_list<TControl*>{ScaleCB, HandToolB, ZoomToolB, TextToolB})
        c->SetEnabled(reportPage);
    PageSettingsCmd->SetEnabled(reportPage);
    DeletePageCmd->SetEnabled(Report()->PagesCount() > 1 && shown);
    SaveCmd->SetEnabled(Modified());
    DeleteCmd->SetEnabled(selOK);
    SetToGridB->SetEnabled(selOK);
    BringToFrontCmd->SetEnabled(selOK);
    SendToBackCmd->SetEnabled(selOK);
    SelectAllCmd->SetEnabled(Objects().size() > 2 && shown);
    EditCmd->SetEnabled(n == 1 && shown);
    FormatToolB->SetEnabled(memoOK && n == 1);
    TabOrderMI->SetVisible(!reportPage);
    // The wizards make a new report: refused with New Report.
    for (int i = 0; i < ExtraToolsTB1->ButtonCount(); ++i)
        ExtraToolsTB1->Buttons(i)->SetEnabled(CheckRestriction(drDontCreateReport));
    EnablePendingDialogs();
    DisableRefusedCommands();
    UpdateDMPMenu();

    // Status panel 2: what the single selected object is.
    std::string what;
    if (n == 1 && o) {
        what = o->Name();
        auto* view = dynamic_cast<TfrxView*>(o);
        if (view && view->IsDataField()) {
            what += ": " + Report()->GetAlias(view->DataSet()) + ".\"" + view->DataField + "\"";
        } else if (memo) {
            what += ": " + Copy(memo->Text(), 1, 128);
        } else if (auto* db = dynamic_cast<TfrxDataBand*>(o); db && db->DataSet()) {
            what += ": " + Report()->GetAlias(db->DataSet());
        } else if (auto* gh = dynamic_cast<TfrxGroupHeader*>(o)) {
            what += ": " + gh->Condition;
        }
    }
    StatusBar->Panels()->Items(2)->SetText(what);
    FUpdatingControls = false;
}

void TfrxDesignerForm::EnablePendingDialogs() {
    const TfrxDesignerDialogs& d = frxDesignerDialogs();
    if (!d.PageSettings) PageSettingsCmd->SetEnabled(false);
    VariablesCmd->SetEnabled(bool(d.Variables));
    ReportDataMI->SetEnabled(bool(d.ReportData));
    ReportStylesMI->SetEnabled(bool(d.ReportStyles));
    ReportSettingsMI->SetEnabled(bool(d.ReportOptions));
    OptionsMI->SetEnabled(bool(d.DesignerOptions));
    TabOrderMI->SetEnabled(bool(d.TabOrder));
    NewItemCmd->SetEnabled(bool(d.NewItem));
}

// The commands the options component in force refuses (the preview's designer refuses the
// page, report, preview, variables and report option commands) are disabled, so that their
// tool buttons and menu items show that they do nothing. The commands nothing else disables
// follow the restrictions alone; the others keep what the page and selection allow unless
// they are refused.
void TfrxDesignerForm::DisableRefusedCommands() {
    const struct {
        TfrxDesignerRestriction Restriction;
        std::initializer_list<TAction*> Commands;
    } plain[] = {
        {drDontCreateReport, {NewReportCmd}},
        {drDontCreatePage, {NewPageCmd, NewDialogCmd}},
        {drDontLoadReport, {OpenCmd}},
        {drDontSaveReport, {SaveAsCmd}},
        {drDontPreviewReport, {PreviewCmd}},
    };
    for (const auto& p : plain)
        for (TAction* a : p.Commands) a->SetEnabled(CheckRestriction(p.Restriction));
    if (!CheckRestriction(drDontCreateReport)) NewItemCmd->SetEnabled(false);
    if (!CheckRestriction(drDontDeletePage)) DeletePageCmd->SetEnabled(false);
    if (!CheckRestriction(drDontChangePageOptions)) PageSettingsCmd->SetEnabled(false);
    if (!CheckRestriction(drDontSaveReport)) SaveCmd->SetEnabled(false);
    if (!CheckRestriction(drDontEditVariables)) VariablesCmd->SetEnabled(false);
    if (!CheckRestriction(drDontChangeReportOptions)) {
        ReportStylesMI->SetEnabled(false);
        ReportSettingsMI->SetEnabled(false);
    }
    for (TMenuItem* m : FRecentItems) m->SetEnabled(CheckRestriction(drDontLoadReport));
}

void TfrxDesignerForm::OnNotifyPosition(const TfrxRect& ARect) {
    double l = ARect.Left, t = ARect.Top, w = ARect.Right, h = ARect.Bottom;
    const TfrxDesignMode mode = Workspace->Mode();
    const bool scaling = mode == TfrxDesignMode::dmScale;
    auto conv = [&](double& V, bool Horizontal, bool Size) {
        if (Size && scaling) return;
        switch (FCurUnits) {
            case 0: V *= 2.54 / 96; break;
            case 1: V /= 96; break;
            case 3: V = static_cast<double>(Round(V / (Horizontal ? 9.6 : 17))); break;
            default: break;
        }
    };
    conv(l, true, false);
    conv(t, false, false);
    conv(w, true, true);
    conv(h, false, true);
    FPositionText.clear();
    FSizeText.clear();
    FScaleText.clear();
    const std::string pos = Format("%f; %f", {l, t});
    const std::string size = Format("%f; %f", {w, h});
    const bool idle = !Workspace->IsMouseDown() && mode != TfrxDesignMode::dmInsertObject;
    if (idle) {
        FPositionText = pos;
        const bool onlyPage = SelectedObjects().size() == 1 && SelectedObjects().front() == Page();
        if (!onlyPage) FSizeText = size;
    } else {
        switch (mode) {
            case TfrxDesignMode::dmMove:
            case TfrxDesignMode::dmSize:
            case TfrxDesignMode::dmSizeBand:
            case TfrxDesignMode::dmInsertObject:
            case TfrxDesignMode::dmInsertLine:
                FPositionText = pos;
                FSizeText = size;
                break;
            case TfrxDesignMode::dmScale:
                FPositionText = pos;
                FScaleText = Format("%s%f; %s%f", {"%", w * 100, "%", h * 100});
                break;
            default: break;
        }
    }
    TopRuler->SetPosition(l);
    LeftRuler->SetPosition(t);
    // Asked to paint, not painted at once: a synchronous paint of one control would paint
    // every part of the window waiting for it, the page among them, and this runs several
    // times while a report is read back.
    StatusBar->Invalidate();
}

void TfrxDesignerForm::StatusBarDrawPanel(TStatusBar* Bar, TStatusPanel* Panel, TRect R) {
    if (Panel->Index() != 1) return;
    TCanvas* c = Bar->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(R);
    c->Font()->Assign(Bar->Font());
    TImageListComponent* images = frxResources().MainButtonImages();
    if (!FPositionText.empty()) {
        images->Draw(c, R.Left + 2, R.Top - 1, frxButton::Position);
        c->TextOut(R.Left + 20, R.Top + 1, FPositionText);
    }
    if (!FSizeText.empty()) {
        images->Draw(c, R.Left + 110, R.Top - 1, frxButton::Size);
        c->TextOut(R.Left + 130, R.Top + 1, FSizeText);
    }
    if (!FScaleText.empty()) c->TextOut(R.Left + 110, R.Top + 1, FScaleText);
}

void TfrxDesignerForm::TimerTimer(TObject*) {
    if (PasteCmd) PasteCmd->SetEnabled((FClipboard && FClipboard->PasteAvailable()) || !Page());
}

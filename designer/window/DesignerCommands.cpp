// The designer window's commands: undo and redo, the clipboard, deleting, selecting,
// grouping and stacking, pages, a new report, the report dialogs, preview, find, the page
// pop-up, the tools and the object palette with the bands menu, the formatting controls
// that need no dialog of their own, the view switches, the zoom box, the tabs and the keys.
#include <algorithm>
#include <cmath>

#include "designer/code/SyntaxMemo.h"
#include "designer/clipboard/DesignerClipboard.h"
#include "designer/commands/FormatCommands.h"
#include "designer/commands/InsertCommands.h"
#include "designer/controls/Ruler.h"
#include "designer/dialogs/AboutForm.h"
#include "designer/trees/ReportTree.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Shell.h"
#include "platform/ui/TabControl.h"
#include "preview/FlatCombo.h"
#include "preview/SearchDialog.h"
#include "report/Bands.h"
#include "report/DesignRegistries.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Views.h"
#include "script/Script.h"
#include "script/ScriptTools.h"

namespace {
template <class T> bool Has(const std::vector<T*>& List, const T* Item) {
    return std::find(List.begin(), List.end(), Item) != List.end();
}
}  // namespace

// --- Undo and redo --------------------------------------------------------------------------------

void TfrxDesignerForm::UndoCmdExecute(TObject*) {
    if (IsPreviewDesigner()) return;
    if (!Page()) {
        CodeWindow->Undo();
        return;
    }
    if (ScriptRunning) return;
    const int index = GetPageIndex();
    Lock();
    StoreScriptText();
    FUndoBuffer->Undo(Report());
    CodeWindow->SetLines(*Report()->ScriptText());
    ReloadPages(index);
}

void TfrxDesignerForm::RedoCmdExecute(TObject*) {
    if (IsPreviewDesigner() || ScriptRunning) return;
    const int index = GetPageIndex();
    Lock();
    FUndoBuffer->Redo(Report());
    CodeWindow->SetLines(*Report()->ScriptText());
    ReloadPages(index);
}

// --- Clipboard ----------------------------------------------------------------------------------------

void TfrxDesignerForm::CutCmdExecute(TObject*) {
    if (!Page()) {
        CodeWindow->CutToClipboard();
        return;
    }
    FClipboard->Copy();
    // The workspace reports the deletion as a change (one undo step).
    Workspace->DeleteObjects();
}

void TfrxDesignerForm::CopyCmdExecute(TObject*) {
    if (!Page()) {
        CodeWindow->CopyToClipboard();
        return;
    }
    FClipboard->Copy();
    TimerTimer(this);
}

void TfrxDesignerForm::PasteCmdExecute(TObject*) {
    if (!Page()) {
        CodeWindow->PasteFromClipboard();
        return;
    }
    const TfrxClipboard::TPasteResult r = FClipboard->Paste();
    if (!r.Error.empty()) {
        frxErrorMsg(r.Error);
        return;
    }
    if (r.Pasted == 0) return;
    KeepSurfaceOnTop();
    Workspace->AdjustBands();
    Workspace->SetModified(true);
    if (!SelectedObjects().empty() && SelectedObjects().front() != Page()) {
        // The pasted objects follow the mouse until it is released; the release reports
        // the change.
        Workspace->StartMoveAfterPaste();
    } else {
        Workspace->DoModify();
    }
    OnSelectionChanged(this);
}

void TfrxDesignerForm::DeleteCmdExecute(TObject*) { Workspace->DeleteObjects(); }

void TfrxDesignerForm::SelectAllCmdExecute(TObject*) {
    if (!Page()) {
        CodeWindow->SelectAll();
        return;
    }
    TfrxComponent* container = Page();
    if (SelectedObjects().size() == 1) {
        TfrxComponent* o = SelectedObjects().front();
        if (dynamic_cast<TfrxBand*>(o)) container = o;
        else if (dynamic_cast<TfrxBand*>(o->Parent())) container = o->Parent();
    }
    SelectedObjects().assign(container->ObjectList().begin(), container->ObjectList().end());
    if (SelectedObjects().empty()) SelectedObjects().push_back(Page());
    OnSelectionChanged(this);
}

void TfrxDesignerForm::EditCmdExecute(TObject*) { Workspace->EditObject(); }

void TfrxDesignerForm::GroupCmdExecute(TObject*) {
    Workspace->GroupObjects();
    SetModified(true);
}

void TfrxDesignerForm::UngroupCmdExecute(TObject*) {
    Workspace->UngroupObjects();
    SetModified(true);
}

void TfrxDesignerForm::BringToFrontCmdExecute(TObject*) {
    for (TfrxComponent* c : SelectedObjects()) {
        if (!dynamic_cast<TfrxReportComponent*>(c) || c->Restrictions().Contains(rfDontMove) || !c->Parent()) continue;
        TfrxComponent* p = c->Parent();
        const auto& list = p->ObjectList();
        const int at = static_cast<int>(std::find(list.begin(), list.end(), c) - list.begin());
        p->MoveObject(at, p->ObjectCount() - 1);
    }
    ReloadObjectsKeepSelection();
    SetModified(true);
}

void TfrxDesignerForm::SendToBackCmdExecute(TObject*) {
    for (TfrxComponent* c : SelectedObjects()) {
        if (!dynamic_cast<TfrxReportComponent*>(c) || c->Restrictions().Contains(rfDontMove) || !c->Parent()) continue;
        TfrxComponent* p = c->Parent();
        const auto& list = p->ObjectList();
        const int at = static_cast<int>(std::find(list.begin(), list.end(), c) - list.begin());
        p->MoveObject(at, 0);
    }
    ReloadObjectsKeepSelection();
    SetModified(true);
}

void TfrxDesignerForm::ReloadObjectsKeepSelection() {
    const std::vector<TfrxComponent*> selected = SelectedObjects();
    ReloadObjects();
    SelectedObjects() = selected;
    OnSelectionChanged(this);
}

// --- Pages and reports --------------------------------------------------------------------------------

void TfrxDesignerForm::NewPageCmdExecute(TObject*) {
    if (!CheckRestriction(drDontCreatePage)) return;
    Lock();
    TfrxPage* page;
    if (Report()->DotMatrixReport) {
        TObject* made = FindClass("TfrxDMPPage")->CreateInstance(Report());
        page = dynamic_cast<TfrxPage*>(made);
        if (!page) {
            delete made;
            ReloadPages(std::max(GetPageIndex(), 0));
            return;
        }
    } else {
        page = new TfrxReportPage(Report());
    }
    page->SetParent(Report());
    page->CreateUniqueName();
    page->SetDefaults();
    TfrxCustomDesigner::SetPage(page);
    ReloadPages(Report()->PagesCount() - 1);
    SetModified(true);
}

void TfrxDesignerForm::NewDialogCmdExecute(TObject*) {
    if (!CheckRestriction(drDontCreatePage)) return;
    Lock();
    auto* page = new TfrxDialogPage(Report());
    page->SetParent(Report());
    page->CreateUniqueName();
    page->SetBounds(265, 150, 300, 200);
    TfrxCustomDesigner::SetPage(page);
    ReloadPages(Report()->PagesCount() - 1);
    SetModified(true);
}

void TfrxDesignerForm::DeletePageCmdExecute(TObject*) {
    if (!CheckRestriction(drDontDeletePage)) return;
    TfrxPage* page = Page();
    // The last page stays: a report keeps at least one page to design.
    if (!page || Report()->PagesCount() < 2) return;
    Lock();
    if (auto* rp = dynamic_cast<TfrxReportPage*>(page); rp && rp->SubReport()) delete rp->SubReport();
    TfrxCustomDesigner::SetPage(nullptr);
    delete page;
    ReloadPages(0);
    SetModified(true);
}

void TfrxDesignerForm::NewReportCmdExecute(TObject*) {
    if (!CheckRestriction(drDontCreateReport)) return;
    if (Modified()) {
        const int answer = AskSaveChanges();
        if (answer == IDCANCEL) return;
        if (answer == IDYES && !SaveReport(false, true)) return;
    }
    const double g = Workspace->BandHeader();
    const double h = DefaultBandHeight();
    ObjectSelectB->SetDown(true);
    SelectToolBClick(ObjectSelectB);
    Lock();
    Report()->Clear();
    Report()->SetFileName("");
    CodeWindow->SetLines(*Report()->ScriptText());
    auto* page = new TfrxReportPage(Report());
    page->SetParent(Report());
    page->SetName("Page1");
    page->SetDefaults();
    auto band = [&](TfrxBand* b, const char* Name, double Top) {
        b->SetName(Name);
        b->SetTop(Top);
        b->SetHeight(h);
        return b;
    };
    band(new TfrxReportTitle(page), "ReportTitle1", g);
    band(new TfrxMasterData(page), "MasterData1", 2 * g + 2 * h);
    TfrxBand* footer = band(new TfrxPageFooter(page), "PageFooter1", 3 * g + 4 * h);
    auto* memo = new TfrxMemoView(footer);
    memo->SetName("Memo1");
    memo->SetBounds((page->PaperWidth() - page->LeftMargin - page->RightMargin - 20) * 3.77953, 0, 75.5906, 18.89765);
    memo->HAlign = haRight;
    memo->SetText("[Page#]");
    ReloadPages(0);
    UpdateCaption();
    // The discarded report is no step back from the new one.
    FUndoBuffer->ClearUndo();
    FUndoBuffer->ClearRedo();
    SetModified(false);
}

void TfrxDesignerForm::NewItemCmdExecute(TObject*) {
    if (!CheckRestriction(drDontCreateReport)) return;
    if (auto& d = frxDesignerDialogs().NewItem) d(this);
}

void TfrxDesignerForm::OpenCmdExecute(TObject* Sender) {
    if (!CheckRestriction(drDontLoadReport)) return;
    OpenReport({}, Sender == OpenCmd);
}

void TfrxDesignerForm::SaveCmdExecute(TObject* Sender) {
    if (!CheckRestriction(drDontSaveReport)) return;
    SaveReport(false, Sender == SaveCmd);
}

void TfrxDesignerForm::SaveAsCmdExecute(TObject* Sender) {
    if (!CheckRestriction(drDontSaveReport)) return;
    SaveReport(true, Sender == SaveAsCmd);
}

void TfrxDesignerForm::ExitCmdExecute(TObject*) { Close(); }

// --- Report dialogs -------------------------------------------------------------------------------------

void TfrxDesignerForm::PageSettingsCmdExecute(TObject*) {
    if (!CheckRestriction(drDontChangePageOptions)) return;
    auto* rp = dynamic_cast<TfrxReportPage*>(Page());
    auto& d = frxDesignerDialogs().PageSettings;
    if (!rp || rp->SubReport() || !d) return;
    if (!d(this)) return;
    SetModified(true);
    UpdatePageDimensions();
}

void TfrxDesignerForm::VariablesCmdExecute(TObject*) {
    if (!CheckRestriction(drDontEditVariables)) return;
    auto& d = frxDesignerDialogs().Variables;
    if (!d || !d(this)) return;
    SetModified(true);
    UpdateDataTree();
}

void TfrxDesignerForm::ReportDataMIClick(TObject*) {
    auto& d = frxDesignerDialogs().ReportData;
    if (!d || !d(this)) return;
    SetModified(true);
    UpdateDataTree();
}

void TfrxDesignerForm::ReportStylesMIClick(TObject*) {
    if (!CheckRestriction(drDontChangeReportOptions)) return;
    auto& d = frxDesignerDialogs().ReportStyles;
    if (!d || !d(this)) return;
    SetModified(true);
    UpdateStyles();
    Report()->Styles()->Apply();
}

void TfrxDesignerForm::ReportSettingsMIClick(TObject*) {
    if (!CheckRestriction(drDontChangeReportOptions)) return;
    auto& d = frxDesignerDialogs().ReportOptions;
    if (d && d(this)) SetModified(true);
}

void TfrxDesignerForm::OptionsMIClick(TObject*) {
    auto& d = frxDesignerDialogs().DesignerOptions;
    if (!d) return;
    const int before = FCurUnits;
    d(this);
    if (FCurUnits != before) FUnits = FCurUnits;
    if (Workspace->GridType() == gtDialog) Workspace->GridX = Workspace->GridY = Grid4;
    Workspace->UpdateView();
    CodeWindow->Invalidate();
}

void TfrxDesignerForm::TabOrderMIClick(TObject*) {
    // The code page has no page of objects to order.
    auto& d = frxDesignerDialogs().TabOrder;
    if (!d || !Page()) return;
    if (d(this)) SetModified(true);
    ReloadObjects();
}

// The designer's own help page, beside the program's (help/designer.html), in the desktop's
// browser as the clinic's help is opened.
std::string frxDesignerHelpFile() { return HelpPagePath("designer.html"); }

void TfrxDesignerForm::HelpContentsMIClick(TObject*) { OpenHelpFile(frxDesignerHelpFile()); }

void TfrxDesignerForm::AboutMIClick(TObject*) {
    TfrxAboutForm about(this);
    about.ShowModal();
}

void TfrxDesignerForm::WizardButtonClick(TObject* Sender) {
    // Every wizard makes a report in place of the one shown (the empty ones too), so the
    // buttons are refused where New Report and New Items are.
    if (ScriptRunning || !CheckRestriction(drDontCreateReport)) return;
    auto* b = dynamic_cast<TComponent*>(Sender);
    TfrxWizardCollection& reg = frxWizards();
    if (!b || b->Tag() < 0 || b->Tag() >= reg.Count() || !reg.Items(b->Tag()).ClassRef) return;
    std::unique_ptr<TObject> made(reg.Items(b->Tag()).ClassRef->CreateInstance(this));
    auto* wizard = dynamic_cast<TfrxCustomWizard*>(made.get());
    if (wizard && wizard->Execute()) SetModified(true);
}

// --- Preview ---------------------------------------------------------------------------------------------

void TfrxDesignerForm::PreviewCmdExecute(TObject*) {
    // A preview already preparing the report (its script perhaps held by the debugger)
    // is not started a second time.
    if (!CheckRestriction(drDontPreviewReport) || FPreviewing) return;
    StoreScriptText();
    if (!Report()->CheckScriptBeforeRun()) {
        TfsScript* script = Report()->Script();
        const TfsPoint at = PosToPoint(script->ErrorPos());
        SwitchToCodeWindow();
        CodeWindow->MoveCaret(std::max(at.X, 1), std::max(at.Y, 1));
        CodeWindow->SetMessageText(script->ErrorMsg());
        return;
    }
    const int index = GetPageIndex();
    FPreviewing = true;
    struct TPreviewEnd {
        bool& Flag;
        ~TPreviewEnd() { Flag = false; }
    } previewEnd{FPreviewing};
    Lock();
    TfrxCustomPreview* preview = Report()->Preview();
    Report()->SetPreview(nullptr);
    const int errorsBefore = Report()->Errors()->Count();
    try {
        Report()->ShowReport(true);
    } catch (const std::exception& e) {
        // The engine shows the errors it collected itself; anything else is said here.
        if (Report()->Errors()->Count() == errorsBefore || Report()->EngineOptions()->SilentMode) frxErrorMsg(e.what());
    }
    Report()->SetPreview(preview);
    ScrollBox->HorzScrollBar()->SetPosition(0);
    ScrollBox->VertScrollBar()->SetPosition(0);
    if (index == -1) {
        ReloadPages(0);
        SetPage(nullptr);
    } else {
        ReloadPages(index);
    }
}

// --- Find -------------------------------------------------------------------------------------------------

void TfrxDesignerForm::FindMIClick(TObject* Sender) {
    TfrxSearchOptions o;
    o.ShowReplace = Sender == ReplaceMI;
    o.FromTopEnabled = !Page();
    if (!frxShowSearchDialog(o, this)) return;
    ReplaceText = o.ShowReplace ? o.ReplaceText : std::string();
    FindText = o.Text;
    FindCaseSensitive = o.MatchCase;
    FindIndex = 0;
    if (!Page() && !o.FromTop) FindIndex = CodeWindow->GetCaretTextPos();
    FindNextMI->SetEnabled(true);
    FindOrReplace();
}

void TfrxDesignerForm::FindNextMIClick(TObject*) { FindOrReplace(); }

// --- The page pop-up -----------------------------------------------------------------------------------

void TfrxDesignerForm::PagePopupPopup(TObject*) {
    for (TMenuItem* m : FEditorItems) {
        PagePopup->Items()->Remove(m);
        delete m;
    }
    FEditorItems.clear();
    if (SelectedObjects().empty()) return;
    TfrxComponent* c = SelectedObjects().front();
    TPopupMenu temp(nullptr);
    std::unique_ptr<TfrxComponentEditor> editor = frxComponentEditors().GetComponentEditor(c, this, &temp);
    if (!editor) {
        EditMI1->SetEnabled(false);
        SepMI12->SetVisible(false);
        return;
    }
    EditMI1->SetEnabled(editor->HasEditor());
    EditMI1->SetDefault(EditMI1->Enabled());
    editor->GetMenuItems();
    SepMI12->SetVisible(temp.Items()->Count() > 0);
    int at = 2;
    for (int i = 0; i < temp.Items()->Count(); ++i) {
        TMenuItem* src = temp.Items()->Items(i);
        auto* m = new TMenuItem(this);
        m->SetCaption(src->Caption());
        m->SetTag(src->Tag());
        m->SetChecked(src->Checked());
        m->SetImageIndex(src->ImageIndex());
        m->OnClick = [this](TObject* Sender) {
            auto* item = dynamic_cast<TMenuItem*>(Sender);
            if (!item || SelectedObjects().empty()) return;
            std::unique_ptr<TfrxComponentEditor> ed =
                frxComponentEditors().GetComponentEditor(SelectedObjects().front(), this, nullptr);
            if (ed && ed->Execute(item->Tag(), !item->Checked())) SetModified(true);
        };
        PagePopup->Items()->Insert(at++, m);
        FEditorItems.push_back(m);
    }
}

// --- Tools, palette and bands ----------------------------------------------------------------------------

void TfrxDesignerForm::SelectToolBClick(TObject*) {
    uint8_t tool = TDesignerWorkspace::toolSelect;
    if (HandToolB->Down()) tool = TDesignerWorkspace::toolHand;
    else if (ZoomToolB->Down()) tool = TDesignerWorkspace::toolZoom;
    else if (TextToolB->Down()) tool = TDesignerWorkspace::toolText;
    else if (FormatToolB->Down()) tool = TDesignerWorkspace::toolFormat;
    Workspace->SetTool(tool);
    Workspace->SetInsertion(nullptr, 0, 0, 0);
}

void TfrxDesignerForm::ObjectsButtonClick(TObject* Sender) {
    if (!Page()) return;
    auto* sender = dynamic_cast<TComponent*>(Sender);
    TfrxObjectCollection& reg = frxObjects();
    if (!sender || sender->Tag() < 0 || sender->Tag() >= reg.Count()) return;
    // A palette button is down now; the tools are not.
    SelectToolBClick(Sender);
    const TfrxObjectItem& e = reg.Items(sender->Tag());
    if (!e.ClassRef) {
        ObjectsPopup->Items()->Clear();
        for (int i : frxCategoryEntries(sender->Tag(), frxKind::IsDMPPage(Page()))) {
            const TfrxObjectItem& o = reg.Items(i);
            auto* m = new TMenuItem(ObjectsPopup);
            m->SetImageIndex(o.ButtonImageIndex);
            if (!o.ButtonHint.empty()) {
                m->SetCaption(frxResources().Get(o.ButtonHint));
            } else {
                std::unique_ptr<TObject> probe(o.ClassRef->CreateInstance(nullptr));
                if (auto* c = dynamic_cast<TfrxComponent*>(probe.get())) m->SetCaption(c->GetDescription());
            }
            m->SetTag(i);
            m->OnClick = [this](TObject* s) { ObjectsButtonClick(s); };
            ObjectsPopup->Items()->Add(m);
        }
        if (auto* control = dynamic_cast<TControl*>(Sender)) {
            const TPoint p = control->ClientToScreen(Point(control->Width(), 0));
            ObjectsPopup->Popup(p.X, p.Y);
        }
        return;
    }
    double w = 28, h = 28;
    if (!frxKind::ClassIs(e.ClassRef, "TfrxDialogComponent")) {
        std::unique_ptr<TfrxComponent> probe(frxCreateDesignObject(e.ClassRef, nullptr, e.Flags));
        w = probe->Width();
        h = probe->Height();
        if (w == 0 && h == 0) {
            const TfrxPoint d = DefaultObjectSize();
            w = d.X;
            h = d.Y;
        }
    }
    Workspace->SetInsertion(e.ClassRef, w, h, e.Flags);
}

void TfrxDesignerForm::ObjectBandBClick(TObject*) {
    const TPoint p = ObjectBandB->ClientToScreen(Point(ObjectBandB->Width(), 0));
    BandsPopup->Popup(p.X, p.Y);
}

void TfrxDesignerForm::InsertBandClick(TObject* Sender) {
    auto* item = dynamic_cast<TComponent*>(Sender);
    if (!item || !frxInsertBand(*this, item->Tag(), Workspace->FreeBands, Workspace->BandHeader(), Workspace->GridY))
        return;
    OnSelectionChanged(this);
    ObjectSelectB->SetDown(true);
    SelectToolBClick(ObjectSelectB);
    if (EditAfterInsert) OnEditObject(this);
}

void TfrxDesignerForm::BandsPopupPopup(TObject*) {
    // The bands a page holds once are offered while it has none (the vertical bands'
    // sub-menu stays).
    TMenuItem* items = BandsPopup->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Count() == 0) items->Items(i)->SetEnabled(frxBandTagEnabled(Page(), items->Items(i)->Tag()));
}

// --- Formatting ------------------------------------------------------------------------------------------

void TfrxDesignerForm::ToolButtonClick(TObject* Sender) {
    if (FUpdatingControls) return;
    auto* sender = dynamic_cast<TComponent*>(Sender);
    if (!sender) return;
    const int t = sender->Tag();
    // What the command needs of the control that raised it.
    TfrxFormatInput in;
    std::unique_ptr<TFont> chosen;
    if (t == 43) {
        TFontDialog dlg(nullptr);
        if (!SelectedObjects().empty()) dlg.SetFont(SelectedObjects().front()->Font());
        dlg.SetOptions(dlg.Options() + TFontDialogOptions{fdForceFontExist});
        if (dlg.Execute()) {
            chosen = std::make_unique<TFont>();
            chosen->Assign(dlg.Font());
        }
        in.Font = chosen.get();
    }
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    switch (t) {
        case 0: in.Text = FontNameCB->Text(); break;
        case 1: in.Text = FontSizeCB->Text(); break;
        case 2: in.Down = BoldB->Down(); break;
        case 3: in.Down = ItalicB->Down(); break;
        case 4: in.Down = UnderlineB->Down(); break;
        case 7: case 8: case 9: case 10:
            in.HAlign = TextAlignLeftB->Down()     ? haLeft
                        : TextAlignCenterB->Down() ? haCenter
                        : TextAlignRightB->Down()  ? haRight
                                                   : haBlock;
            break;
        case 11: case 12: case 13:
            in.VAlign = TextAlignTopB->Down() ? vaTop : TextAlignMiddleB->Down() ? vaCenter : vaBottom;
            break;
        case 20: in.Down = FrameTopB->Down(); break;
        case 21: in.Down = FrameBottomB->Down(); break;
        case 22: in.Down = FrameLeftB->Down(); break;
        case 23: in.Down = FrameRightB->Down(); break;
        case 29: in.Text = FrameWidthCB->Text(); break;
        case 30:
            if (!item) return;
            in.Rotation = item->HelpContext();
            break;
        case 32: in.Down = ShadowB->Down(); break;
        case 33: in.Text = StyleCB->ItemIndex() == 0 ? std::string() : StyleCB->Text(); break;
        default:
            if (t >= 34 && t <= 42) {
                if (!item) return;
                in.Down = item->Checked();
            }
            break;
    }
    in.Color = CurrentColor;
    in.LineStyle = CurrentLineStyle;
    in.GridX = Workspace->GridX;
    in.GridY = Workspace->GridY;
    bool visited = false;
    try {
        visited = frxFormatObjects(SelectedObjects(), t, in);
    } catch (const Exception& e) {
        // A typed size or width that is no number: the message, and nothing changed.
        frxErrorMsg(e.Message());
    }
    if (ScrollBox->CanFocus()) ScrollBox->SetFocus();
    if (!visited) return;
    ModifiedBy = this;
    SetModified(true);
    if (frxFormatNeedsUpdateControls(t)) UpdateControls();
}

void TfrxDesignerForm::ShowGridBClick(TObject*) { SetShowGrid(ShowGridB->Down()); }
void TfrxDesignerForm::AlignToGridBClick(TObject*) { SetGridAlign(AlignToGridB->Down()); }

void TfrxDesignerForm::SampleFormatBClick(TObject*) {
    if (SelectedObjects().empty() || SelectedObjects().front() == Page()) return;
    FSampleFormat->SetMemo(SelectedObjects().front());
}

// --- View ---------------------------------------------------------------------------------------------------

void TfrxDesignerForm::ShowRulersMIClick(TObject*) { SetShowRulers(!ShowRulersMI->Checked()); }
void TfrxDesignerForm::ShowGuidesMIClick(TObject*) { SetShowGuides(!ShowGuidesMI->Checked()); }

void TfrxDesignerForm::DeleteGuidesMIClick(TObject*) {
    auto* rp = dynamic_cast<TfrxReportPage*>(Page());
    if (!rp) return;
    rp->ClearGuides();
    Workspace->InvalidatePage();
    Workspace->Repaint();
    SetModified(true);
}

void TfrxDesignerForm::ScaleCBClick(TObject*) {
    auto* rp = dynamic_cast<TfrxReportPage*>(Page());
    std::string text = ScaleCB->Text();
    const int item = ScaleCB->ItemIndex();
    if (rp && item == 6) {
        text = IntToStr(Round((ScrollBox->Width() - 40) / (rp->PaperWidth() * 96 / 25.4) * 100));
    } else if (rp && item == 7) {
        const double pw = static_cast<double>(Round(rp->PaperWidth() * 96 / 25.4));
        const double ph = static_cast<double>(Round(rp->PaperHeight() * 96 / 25.4));
        const double rx = (ScrollBox->Width() - 20) / pw, ry = (ScrollBox->Height() - 20) / ph;
        text = IntToStr(Round(std::min(rx, ry) * 100));
    }
    const size_t pct = text.find('%');
    if (pct != std::string::npos) text[pct] = ' ';
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    if (text.empty()) return;
    SetScale(frxStrToFloat(text) / 100);
    if (ScrollBox->CanFocus()) ScrollBox->SetFocus();
}

// --- Tabs, rulers and the code page's language ---------------------------------------------------------------

void TfrxDesignerForm::TabChanging(TObject*, bool& AllowChange) {
    // While a script runs its report is being prepared: its pages are not edited meanwhile.
    if (IsPreviewDesigner() || ScriptRunning) {
        AllowChange = false;
        return;
    }
    // Leaving the code page: the script's edits become one undo step.
    if (!Page() && CodeWindow->Modified()) {
        SetModified(true);
        CodeWindow->SetModified(false);
    }
}

void TfrxDesignerForm::TabChange(TObject*) {
    const int i = Tab->TabIndex();
    if (i <= 0) SetPage(nullptr);
    else if (i - 1 < Report()->PagesCount()) SetPage(Report()->Pages(i - 1));
}

void TfrxDesignerForm::ScrollBoxResize(TObject*) {
    if (!Workspace || !TopRuler || !ScrollBox) return;
    // Where the workspace shows in the scroll box's visible area (negative when scrolled
    // past its edge).
    const int l = Workspace->Left() - ScrollBox->HorzScrollBar()->Position();
    const int t = Workspace->Top() - ScrollBox->VertScrollBar()->Position();
    TopRuler->SetOffset(ScrollBox->Left() + 2 + std::max(l, 0));
    TopRuler->SetStart(l < 0 ? -l : 0);
    LeftRuler->SetOffset(2 + std::max(t, 0));
    LeftRuler->SetStart(t < 0 ? -t : 0);
}

// --- Keys and closing --------------------------------------------------------------------------------------

void TfrxDesignerForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (!Page() && CodeKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    // Enter in the font name or size box applies what it holds (typed or picked) to the
    // selection; it opens no object's editor.
    for (TfrxCustomComboBox* box : {static_cast<TfrxCustomComboBox*>(FontNameCB), static_cast<TfrxCustomComboBox*>(FontSizeCB)})
        if (Key == VK_RETURN && box->Focused()) {
            ToolButtonClick(box);
            Key = 0;
            return;
        }
    if (Key == VK_RETURN && ScaleCB->Focused()) {
        ScaleCBClick(ScaleCB);
        Key = 0;
        return;
    }
    const bool codeFocused = CodeWindow->Focused();
    if (Page() && !codeFocused && Key == VK_INSERT && Shift == ssShift) {
        PasteCmd->Execute();
        Key = 0;
    } else if (Page() && Key == VK_INSERT && Shift == ssCtrl) {
        CopyCmd->Execute();
        Key = 0;
    } else if (Key == VK_DELETE && Shift == ssShift) {
        CutCmd->Execute();
        Key = 0;
    }
}

void TfrxDesignerForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ScriptRunning) {
        CanClose = false;
        return;
    }
    TfrxDesigner* d = frxGlobalDesigner();
    if ((d && !d->CloseQuery) || !Modified()) return;
    const int answer = AskSaveChanges();
    if (answer == IDCANCEL) {
        CanClose = false;
        return;
    }
    if (IsPreviewDesigner()) {
        if (answer == IDNO) TfrxCustomDesigner::SetModified(false);
        return;
    }
    // A save that did not happen (a cancelled dialog, a full disk) keeps the window open.
    if (answer == IDYES) CanClose = SaveReport(false, true);
}

void TfrxDesignerForm::FormClose(TObject*, TCloseAction&) { ModalFinished = true; }

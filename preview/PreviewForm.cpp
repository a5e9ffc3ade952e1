// The preview window.
#include "preview/PreviewForm.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Format.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "preview/Dock.h"
#include "preview/FlatCombo.h"
#include "preview/Preview.h"
#include "report/DesignRegistries.h"
#include "report/Images.h"
#include "report/Printer.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxPreviewForm)

namespace {
constexpr int kButtonHeight = 23;
constexpr int kZoomBoxWidth = 60;
constexpr int kPageBoxWidth = 41;

std::string Res(const char* Key) { return frxResources().Get(Key); }
}  // namespace

TfrxPreviewForm::TfrxPreviewForm(TComponent* AOwner) : TfrxCustomPreviewForm(AOwner) {
    SetName("frxPreviewForm");
    SetText("Preview");
    SetKeyPreview(true);
    SetShowHint(true);
    SetScaled(false);
    SetClientWidth(741);
    SetClientHeight(584);

    DockTop = new TfrxDock(this);
    DockTop->SetName("DockTop");
    DockTop->SetParent(this);
    DockTop->SetAlign(alTop);
    PreviewTB = new TfrxToolBar(this);
    PreviewTB->SetName("PreviewTB");
    PreviewTB->SetParent(DockTop);
    PreviewTB->SetBounds(0, 0, 600, DockTop->RowSize());
    ToolBar = new TToolBar(this);
    ToolBar->SetName("ToolBar");
    ToolBar->SetParent(PreviewTB);
    ToolBar->SetAlign(alLeft);
    ToolBar->SetFlat(true);
    ToolBar->SetButtonHeight(kButtonHeight);
    ToolBar->SetWrapable(false);
    ToolBar->SetImages(frxResources().MainButtonImages());
    ToolBar->SetDisabledImages(frxResources().DisabledButtonImages());

    using namespace frxButton;
    PrintB = AddButton("PrintB", "Print", "Print", Print);
    OpenB = AddButton("OpenB", "Open", "Open", Open);
    SaveB = AddButton("SaveB", "Save", "Save", Save);
    ExportB = AddButton("ExportB", "Export", "Export", Export, tbsDropDown);
    FindB = AddButton("FindB", "Find", "Find", Find);
    Sep1 = AddButton("Sep1", "", "", -1, tbsSeparator);
    ZoomWholePageB = AddButton("ZoomWholePageB", "Whole Page", "Whole Page", WholePage);
    ZoomPageWidthB = AddButton("ZoomPageWidthB", "Page Width", "Page Width", PageWidth);
    Zoom100B = AddButton("Zoom100B", "100%", "100%", Zoom100);
    Zoom50B = AddButton("Zoom50B", "Two Pages", "Two Pages", TwoPages);
    Sep3 = AddButton("Sep3", "", "", -1, tbsSeparator);
    Sep3->SetWidth(kZoomBoxWidth + 4);
    Sep2 = AddButton("Sep2", "", "", -1, tbsSeparator);
    PageSettingsB = AddButton("PageSettingsB", "Margins", "Margins", PageSettings);
    OutlineB = AddButton("OutlineB", "Outline", "Outline", Outline, tbsCheck);
    Sep5 = AddButton("Sep5", "", "", -1, tbsSeparator);
    HandToolB = AddButton("HandToolB", "Drag", "Drag Tool", HandTool, tbsCheck);
    ZoomToolB = AddButton("ZoomToolB", "Zoom", "Zoom Tool", ZoomTool, tbsCheck);
    HandToolB->SetGrouped(true);
    ZoomToolB->SetGrouped(true);
    HandToolB->SetDown(true);
    Sep7 = AddButton("Sep7", "", "", -1, tbsSeparator);
    NewPageB = AddButton("NewPageB", "Add Page", "Add Page", NewPage);
    DelPageB = AddButton("DelPageB", "Delete", "Delete Page", DeletePage);
    DesignerB = AddButton("DesignerB", "Edit", "Edit Page", EditPage);
    Sep6 = AddButton("Sep6", "", "", -1, tbsSeparator);
    FirstB = AddButton("FirstB", "First", "First Page", FirstPage);
    PriorB = AddButton("PriorB", "Prior", "Prior Page", PriorPage);
    Sep4 = AddButton("Sep4", "", "", -1, tbsSeparator);
    Sep4->SetWidth(kPageBoxWidth + 4);
    NextB = AddButton("NextB", "Next", "Next Page", NextPage);
    LastB = AddButton("LastB", "Last", "Last Page", LastPage);
    frTBPanel1 = AddButton("frTBPanel1", "", "", -1, tbsSeparator);
    frTBPanel1->SetWidth(50);

    ZoomPanel = new TfrxTBPanel(this);
    ZoomPanel->SetName("ZoomPanel");
    ZoomPanel->SetParent(ToolBar);
    ZoomPanel->SetAlign(alNone);   // laid over its separator (ArrangeToolBar)
    ZoomCB = new TfrxComboBox(this);
    ZoomCB->SetName("ZoomCB");
    ZoomCB->SetParent(ZoomPanel);
    ZoomCB->SetBounds(0, 1, kZoomBoxWidth, 21);
    ZoomCB->SetListWidth(100);
    ZoomCB->SetHint("Zoom");
    ZoomCB->OnClick = [this](TObject* Sender) { ZoomCBClick(Sender); };

    PagePanel = new TfrxTBPanel(this);
    PagePanel->SetName("PagePanel");
    PagePanel->SetParent(ToolBar);
    PagePanel->SetAlign(alNone);   // laid over its separator (ArrangeToolBar)
    PageE = new TEdit(this);
    PageE->SetName("PageE");
    PageE->SetParent(PagePanel);
    PageE->SetBorderStyle(bsNone);
    PageE->SetBounds(2, 4, 37, 15);
    PageE->SetHint("Page Number");

    CancelB = new TSpeedButton(this);
    CancelB->SetName("CancelB");
    CancelB->SetParent(ToolBar);
    CancelB->SetFlat(true);
    CancelB->SetBounds(0, 0, 68, kButtonHeight);
    CancelB->SetText("Close");
    CancelB->OnClick = [this](TObject* Sender) { CancelBClick(Sender); };

    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->Panels()->Add()->SetWidth(150);
    StatusBar->Panels()->Add()->SetWidth(50);
    DockBottom = new TfrxDock(this);
    DockBottom->SetName("DockBottom");
    DockBottom->SetParent(this);
    DockBottom->SetTop(StatusBar->Top() - 1);
    DockBottom->SetAlign(alBottom);

    ExportPopup = new TPopupMenu(this);
    ExportPopup->SetName("ExportPopup");
    ExportB->SetDropdownMenu(ExportPopup);
    HiddenMenu = new TPopupMenu(this);
    HiddenMenu->SetName("HiddenMenu");
    Showtemplate1 = new TMenuItem(this);
    Showtemplate1->SetName("Showtemplate1");
    Showtemplate1->SetCaption(Res("clShowTemplate"));
    Showtemplate1->OnClick = [this](TObject* Sender) { Showtemplate1Click(Sender); };
    HiddenMenu->Items()->Add(Showtemplate1);

    FZoomTimer = new TTimer(this);
    FZoomTimer->SetEnabled(false);
    FZoomTimer->SetInterval(1);
    FZoomTimer->OnTimer = [this](TObject*) {
        FZoomTimer->SetEnabled(false);
        UpdateZoom();
    };

    PrintB->OnClick = [this](TObject* s) { PrintBClick(s); };
    OpenB->OnClick = [this](TObject* s) { OpenBClick(s); };
    SaveB->OnClick = [this](TObject* s) { SaveBClick(s); };
    FindB->OnClick = [this](TObject* s) { FindBClick(s); };
    ZoomWholePageB->OnClick = [this](TObject* s) { ZoomWholePageBClick(s); };
    ZoomPageWidthB->OnClick = [this](TObject* s) { ZoomPageWidthBClick(s); };
    Zoom100B->OnClick = [this](TObject* s) { Zoom100BClick(s); };
    Zoom50B->OnClick = [this](TObject* s) { Zoom50BClick(s); };
    PageSettingsB->OnClick = [this](TObject* s) { PageSettingsBClick(s); };
    OutlineB->OnClick = [this](TObject* s) { OutlineBClick(s); };
    HandToolB->OnClick = [this](TObject* s) { SelectToolBClick(s); };
    ZoomToolB->OnClick = [this](TObject* s) { SelectToolBClick(s); };
    NewPageB->OnClick = [this](TObject* s) { NewPageBClick(s); };
    DelPageB->OnClick = [this](TObject* s) { DelPageBClick(s); };
    DesignerB->OnClick = [this](TObject* s) { DesignerBClick(s); };
    DesignerB->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        DesignerBMouseUp(s, b, sh, x, y);
    };
    FirstB->OnClick = [this](TObject* s) { FirstBClick(s); };
    PriorB->OnClick = [this](TObject* s) { PriorBClick(s); };
    NextB->OnClick = [this](TObject* s) { NextBClick(s); };
    LastB->OnClick = [this](TObject* s) { LastBClick(s); };
    OnKeyDown = [this](TObject* s, uint16_t& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    // What the form's create handler does: texts, the zoom box's items, the preview.
    frxResources().LocalizeForm(this);
    PreviewTB->SetText(Text());
    TStringList* items = ZoomCB->Items();
    for (const char* z : {"25%", "50%", "75%", "100%", "150%", "200%"}) items->Add(z);
    items->Add(Res("zmPageWidth"));
    items->Add(Res("zmWholePage"));
    ZoomCB->SetText("100%");
    PageE->SetText("1");

    Preview = new TfrxPreview(this);
    Preview->SetName("Preview");
    Preview->SetParent(this);
    Preview->SetAlign(alClient);
    Preview->OnPageChanged = [this](TObject* Sender, int PageNo) { UpdatePageNumbers(Sender, PageNo); };
    Preview->OnZoomChanged = [this] { UpdateZoom(); };
    Preview->OnRunningChanged = [this] {
        CancelB->SetText(Res(Preview->Running() ? "clCancel" : "clClose"));
        UpdateControls();
        UpdatePageNumbers(Preview, Preview->PageNo());
    };
    Preview->OnStatusText = [this](const std::string& S) { StatusBar->Panels()->Items(1)->SetText(S); };
    SetActiveControl(Preview);
    ArrangeToolBar();
}

TfrxPreviewForm::~TfrxPreviewForm() {
    // The preview's hooks point back here.
    if (Preview) {
        Preview->OnPageChanged = nullptr;
        Preview->OnZoomChanged = nullptr;
        Preview->OnRunningChanged = nullptr;
        Preview->OnStatusText = nullptr;
    }
}

TToolButton* TfrxPreviewForm::AddButton(const char* Name, const char* Caption, const char* Hint, int Image,
                                        TToolButtonStyle Style) {
    auto* b = new TToolButton(this);
    b->SetName(Name);
    b->SetStyle(Style);
    if (Style == tbsSeparator) b->SetWidth(8);
    b->SetLeft(FButtonLeft);
    FButtonLeft += 100;
    b->SetParent(ToolBar);
    b->SetText(Caption);
    b->SetHint(Hint);
    b->SetImageIndex(Image);
    return b;
}

TfrxCustomPreview* TfrxPreviewForm::PreviewControl() const { return Preview; }

bool TfrxPreviewForm::ZoomUpdatePending() const { return FZoomTimer->Enabled(); }

void TfrxPreviewForm::FreeSeparator(TToolButton*& Sep) {
    delete Sep;
    Sep = nullptr;
}

void TfrxPreviewForm::ArrangeToolBar() {
    ToolBar->ArrangeButtons();
    auto place = [](TfrxTBPanel* Panel, TToolButton* Sep, int W, int H) {
        Panel->SetVisible(Sep && Sep->Visible());
        if (Sep && Sep->Visible()) Panel->SetBounds(Sep->Left() + 2, Sep->Top(), W, H);
    };
    place(ZoomPanel, Sep3, kZoomBoxWidth, kButtonHeight);
    place(PagePanel, Sep4, kPageBoxWidth, kButtonHeight);
    int right = 0;
    for (int i = 0; i < ToolBar->ButtonCount(); ++i) {
        TToolButton* b = ToolBar->Buttons(i);
        if (b->Visible()) right = std::max(right, b->Left() + b->Width());
    }
    CancelB->SetBounds(right, frTBPanel1->Top(), 68, kButtonHeight);
    // The dockable toolbar takes the tool bar's length; its dock its rows.
    ToolBar->SetWidth(right + 68);
    PreviewTB->AdjustBounds();
    if (TfrxDock* dock = PreviewTB->Dock()) dock->AdjustBounds();
}

void TfrxPreviewForm::BoundsChanged(bool Resized) {
    TfrxCustomPreviewForm::BoundsChanged(Resized);
    if (Resized && CancelB) ArrangeToolBar();
}

void TfrxPreviewForm::Init() {
    TfrxReport* report = Preview->Report;
    if (report) {
        TfrxPreviewOptions* o = report->PreviewOptions();
        if (o->Maximized) SetWindowState(wsMaximized);
        // Without a host window for children the window stays a plain top-level one.
        if (o->MDIChild) SetFormStyle(fsMDIChild);
        Preview->SetOutlineVisible(o->OutlineVisible);
        Preview->Outline()->SetWidth(o->OutlineWidth);
        Preview->SetZoom(o->Zoom);
        Preview->SetZoomMode(o->ZoomMode);
        for (TToolButton* b : {NewPageB, DelPageB, DesignerB}) b->SetEnabled(o->AllowEdit);

        const TfrxPreviewButtons& bt = o->Buttons;
        PrintB->SetVisible(bt.Contains(pbPrint));
        OpenB->SetVisible(bt.Contains(pbLoad));
        SaveB->SetVisible(bt.Contains(pbSave));
        ExportB->SetVisible(bt.Contains(pbExport));
        FindB->SetVisible(bt.Contains(pbFind));
        const bool zoom = bt.Contains(pbZoom);
        for (TToolButton* b : {ZoomWholePageB, ZoomPageWidthB, Zoom100B, Zoom50B, Sep3}) b->SetVisible(zoom);
        if (!zoom && Sep1) FreeSeparator(Sep1);
        OutlineB->SetVisible(bt.Contains(pbOutline));
        OutlineB->SetDown(o->OutlineVisible);
        PageSettingsB->SetVisible(bt.Contains(pbPageSetup));
        if (!OutlineB->Visible() && !PageSettingsB->Visible() && Sep2) FreeSeparator(Sep2);
        const bool tools = bt.Contains(pbTools);
        HandToolB->SetVisible(tools);
        ZoomToolB->SetVisible(tools);
        if (!tools && Sep5) FreeSeparator(Sep5);
        const bool edit = bt.Contains(pbEdit);
        for (TToolButton* b : {NewPageB, DelPageB, DesignerB}) b->SetVisible(edit);
        if (!edit && Sep7) FreeSeparator(Sep7);
        const bool nav = bt.Contains(pbNavigator);
        for (TToolButton* b : {FirstB, PriorB, NextB, LastB, Sep4}) b->SetVisible(nav);
        if (!nav && Sep6) FreeSeparator(Sep6);

        ToolBar->SetShowCaptions(o->ShowCaptions);

        TfrxExportFilterCollection& filters = frxExportFilters();
        for (int i = 0; i < filters.Count(); ++i) {
            auto* item = new TMenuItem(ExportPopup);
            item->SetCaption(filters.Items(i).Filter->GetDescription() + "...");
            item->SetTag(i);
            item->OnClick = [this](TObject* Sender) { ExportMIClick(Sender); };
            ExportPopup->Items()->Add(item);
        }
        if (!report->ReportOptions()->Name.empty()) SetText(report->ReportOptions()->Name);
    }
    ArrangeToolBar();
    Preview->Init();
    UpdateZoom();
    UpdateControls();
    UpdatePageNumbers(Preview, Preview->PageNo());
}

void TfrxPreviewForm::UpdateZoom() {
    ZoomCB->SetText(std::to_string(static_cast<long>(std::nearbyint(Preview->Zoom() * 100))) + "%");
}

void TfrxPreviewForm::UpdateControls() {
    const bool idle = !Preview->Running();
    for (TToolButton* b : {PrintB, OpenB, SaveB, ExportB, FindB, PageSettingsB}) b->SetEnabled(idle);
    const bool edit = idle && (!Preview->Report || Preview->Report->PreviewOptions()->AllowEdit);
    for (TToolButton* b : {NewPageB, DelPageB, DesignerB}) b->SetEnabled(edit);
}

void TfrxPreviewForm::UpdatePageNumbers(TObject*, int PageNo) {
    std::string status;
    TfrxCustomPreviewPages* pages = Preview->PreviewPages;
    const int count = pages ? pages->Count() : 0;
    // The first-pass count only while a double-pass run is still in its first pass:
    // pages loaded from a file or built without a run have no pass to wait for.
    TfrxCustomEngine* engine = pages ? pages->Engine() : nullptr;
    if (pages && Preview->Running() && engine && !engine->FinalPass)
        status = Res("clFirstPass") + std::to_string(count);
    else
        status = Format(Res("clPageOf"), {PageNo, count});
    StatusBar->Panels()->Items(0)->SetText(status);
    PageE->SetText(std::to_string(PageNo));
    // The page buttons go only where there is a page to go to: none before the first page,
    // none after the last (a report of one page has neither).
    const bool before = PageNo > 1;
    const bool after = PageNo < count;
    FirstB->SetEnabled(before);
    PriorB->SetEnabled(before);
    NextB->SetEnabled(after);
    LastB->SetEnabled(after);
}

void TfrxPreviewForm::PostUpdateZoom() { FZoomTimer->SetEnabled(true); }

void TfrxPreviewForm::PrintBClick(TObject*) {
    if (!frxPrinters().HasPhysicalPrinters()) {
        frxErrorMsg(Res("clNoPrinters"));
        return;
    }
    Preview->Print();
}

void TfrxPreviewForm::OpenBClick(TObject*) { Preview->LoadFromFile(); }
void TfrxPreviewForm::SaveBClick(TObject*) { Preview->SaveToFile(); }
void TfrxPreviewForm::FindBClick(TObject*) { Preview->Find(); }

void TfrxPreviewForm::ZoomWholePageBClick(TObject*) {
    Preview->SetZoomMode(zmWholePage);
    UpdateZoom();
}
void TfrxPreviewForm::ZoomPageWidthBClick(TObject*) {
    Preview->SetZoomMode(zmPageWidth);
    UpdateZoom();
}
void TfrxPreviewForm::Zoom100BClick(TObject*) {
    Preview->SetZoom(1.0);
    UpdateZoom();
}
void TfrxPreviewForm::Zoom50BClick(TObject*) {
    Preview->SetZoomMode(zmManyPages);
    UpdateZoom();
}

void TfrxPreviewForm::ZoomCBClick(TObject*) {
    if (Preview->CanFocus()) Preview->SetFocus();
    const int index = ZoomCB->ItemIndex();
    if (index == 6) {
        ZoomPageWidthBClick(nullptr);
    } else if (index == 7) {
        ZoomWholePageBClick(nullptr);
    } else {
        std::string s = ZoomCB->Text();
        if (auto p = s.find('%'); p != std::string::npos) s[p] = ' ';
        s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
        // The rewrite is posted first, so that the box is put right also when the text
        // is no number and the conversion error goes to the application's handler.
        PostUpdateZoom();
        if (s.empty()) return;
        double percent = 0;
        try {
            percent = frxStrToFloat(s);
        } catch (const EConvertError&) {
            // Still the conversion error, in words the user of the preview reads.
            throw EConvertError(Format(Res("clInvalidZoom"), {ZoomCB->Text()}));
        }
        Preview->SetZoom(percent / 100);
        return;
    }
    PostUpdateZoom();
}

void TfrxPreviewForm::PageSettingsBClick(TObject*) {
    Preview->PageSetupDlg();
}

void TfrxPreviewForm::OutlineBClick(TObject*) {
    Preview->SetOutlineVisible(OutlineB->Down());
    Preview->UpdateZoom();
}

void TfrxPreviewForm::SelectToolBClick(TObject*) {
    if (HandToolB->Down()) Preview->SetTool(ptHand);
    else if (ZoomToolB->Down()) Preview->SetTool(ptZoom);
}

void TfrxPreviewForm::NewPageBClick(TObject*) { Preview->AddPage(); }
void TfrxPreviewForm::DelPageBClick(TObject*) { Preview->DeletePage(); }
void TfrxPreviewForm::DesignerBClick(TObject*) {
    Preview->EditPage();
}
void TfrxPreviewForm::DesignerBMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button != mbRight) return;
    const TPoint p = DesignerB->ClientToScreen(TPoint{0, 0});
    HiddenMenu->Popup(p.X, p.Y);
}
void TfrxPreviewForm::Showtemplate1Click(TObject*) {
    Preview->EditTemplate();
}

void TfrxPreviewForm::FirstBClick(TObject*) { Preview->First(); }
void TfrxPreviewForm::PriorBClick(TObject*) { Preview->Prior(); }
void TfrxPreviewForm::NextBClick(TObject*) { Preview->Next(); }
void TfrxPreviewForm::LastBClick(TObject*) { Preview->Last(); }

void TfrxPreviewForm::PageEClick(TObject*) {
    Preview->SetPageNo(StrToInt(PageE->Text()));
    if (Preview->CanFocus()) Preview->SetFocus();
}

// Cancels the run or a long search, else closes the window.
void TfrxPreviewForm::CancelBClick(TObject*) {
    if (Preview->Running()) Preview->Cancel();
    else if (Preview->Searching()) Preview->StopSearch();
    else Close();
}

void TfrxPreviewForm::ExportMIClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    TfrxExportFilterCollection& filters = frxExportFilters();
    const int i = static_cast<int>(item->Tag());
    if (i < 0 || i >= filters.Count()) return;
    Preview->Export(filters.Items(i).Filter);
}

void TfrxPreviewForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        CancelBClick(this);
    } else if (Key == VK_RETURN) {
        if (ActiveControl() == ZoomCB) {
            Key = 0;
            ZoomCBClick(this);
        } else if (ActiveControl() == PageE) {
            Key = 0;
            PageEClick(this);
        }
    }
}

void TfrxPreviewForm::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = !Preview->Running() && !Preview->Searching();
}

void TfrxPreviewForm::FormClose(TObject*, TCloseAction& Action) {
    if (FreeOnClose) Action = caFree;
}

void frxRegisterPreviewForm() {
    frxRegisterFlatCombos();
    frxRegisterDockClasses();
    frxRegisterPreviewControl();
    frxPreviewFormClass() = [](TComponent* Owner) -> TfrxCustomPreviewForm* { return new TfrxPreviewForm(Owner); };
}

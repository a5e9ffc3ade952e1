// The designer window: construction, the designer operations, page tabs and page switching,
// scale and units, selection changes and modifications.
#include "designer/window/DesignerForm.h"

#include <algorithm>
#include <cmath>

#include "designer/clipboard/DesignerClipboard.h"
#include "designer/code/ScriptDebugger.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/dialogs/OptionsEditor.h"
#include "designer/dialogs/TabOrderEditor.h"
#include "designer/controls/Ruler.h"
#include "designer/dialogs/ReportDialogs.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerImages.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/TabControl.h"
#include "preview/Dock.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DesignRegistries.h"
#include "report/Images.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "script/Grammar.h"

ROVE_IMPLEMENT_CLASS(TfrxDesignerForm)

namespace {
std::string Res(const char* Key) { return frxResources().Get(Key); }

// The preview mode's restrictions: no page deleted or created, no report created or
// loaded, no preview, no variables and no report options.
constexpr uint16_t kPreviewRestrictions = 950;

}  // namespace

TfrxDesignerDialogs& frxDesignerDialogs() {
    static TfrxDesignerDialogs dialogs;
    return dialogs;
}

// --- Construction ----------------------------------------------------------------------------

TfrxDesignerForm::TfrxDesignerForm(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner)
    : TfrxCustomDesigner(AOwner, AReport, APreviewDesigner) {
    SetName("frxDesignerForm");
    SetKeyPreview(true);
    SetShowHint(true);
    SetScaled(false);
    SetPosition(poScreenCenter);
    SetClientWidth(1000);
    SetClientHeight(700);
    Font()->SetName("Tahoma");
    Font()->SetSize(8);

    FUndoBuffer = std::make_unique<TfrxUndoBuffer>();
    FClipboard = std::make_unique<TfrxClipboard>(this);
    FSampleFormat = std::make_unique<TSampleFormat>();

    OpenDialog = new TOpenDialog(this);
    OpenDialog->SetName("OpenDialog");
    SaveDialog = new TSaveDialog(this);
    SaveDialog->SetName("SaveDialog");
    SaveDialog->SetOptions(SaveDialog->Options() + TOpenOptions{ofOverwritePrompt});

    CreateMenus();
    CreateToolbars();
    StatusBar = new TStatusBar(this);
    StatusBar->SetName("StatusBar");
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->Panels()->Add()->SetWidth(75);
    TStatusPanel* pos = StatusBar->Panels()->Add();
    pos->SetWidth(230);
    pos->SetStyle(psOwnerDraw);
    StatusBar->Panels()->Add()->SetWidth(50);
    StatusBar->OnDrawPanel = [this](TStatusBar* s, TStatusPanel* p, TRect r) { StatusBarDrawPanel(s, p, r); };
    // The bottom tool-bar dock stands above the status bar.
    DockBottom->SetTop(StatusBar->Top() - 1);
    CreatePalette();
    CreateToolWindows();
    CreatePageArea();
    CreateInspector();
    CreateAlignPalette();
    CreateFormattingMenus();
    BindViewControls();
    ArrangeDock();

    // 1. Texts of the window.
    frxResources().LocalizeForm(this);
    TStringList languages;
    GetLanguageList(languages);
    for (int i = 0; i < languages.Count(); ++i) LangCB->Items()->Add(languages[i]);
    LangCB->SetItemIndex(LangCB->Items()->IndexOf(Report()->ScriptLanguage));
    PlaceLangBox();
    UpdateSyntaxType();
    UpdateStyles();
    FUndoBuffer->PushUndo(Report());
    // Paste follows the clipboard's change notification (no polling).
    FClipboardListener = ::Clipboard()->AddChangeListener([this] { TimerTimer(this); });
    FRecentIndex = FileMenu->IndexOf(SepMI4);
    if (IsPreviewDesigner()) {
        FSavedDesigner = frxGlobalDesigner();
        FPreviewDesigner = std::make_unique<TfrxDesigner>(nullptr);
        FPreviewDesigner->SetRestrictionsWord(kPreviewRestrictions);
        ObjectBandB->SetEnabled(false);
    }
    Report()->SelectPrinter();
    // 8. Wizards on their tool bar.
    CreateWizardButtons();
    // The settings of the last run (a first run: the built-in ones).
    RestoreDesignerSettings(false);
    // 9. The first page, the caption and the recent-file menu.
    ReloadPages(0);
    UpdateCaption();
    AddRecentFile("");
    OnCloseQuery = [this](TObject* s, bool& c) { FormCloseQuery(s, c); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    OnKeyDown = [this](TObject* s, uint16_t& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    // 10. The options component's hook.
    if (TfrxDesigner* d = frxGlobalDesigner()) SafeCall([&] { d->OnShow(this); });
}

TfrxDesignerForm::~TfrxDesignerForm() {
    try {
        SaveDesignerSettings();
    } catch (const std::exception&) {
        // A store that cannot be written (a read-only folder, a full disk) loses the
        // settings of this run, never the window's own clean-up.
    }
    ::Clipboard()->RemoveChangeListener(FClipboardListener);
    // The inspector holds the selection list: it goes while the list is still there.
    delete Inspector;
    Inspector = nullptr;
    DetachDialogForm();
    if (FPreviewDesigner) {
        FPreviewDesigner.reset();
        // The saved component comes back only while it still exists.
        if (FSavedDesigner) frxSetGlobalDesigner(FSavedDesigner);
    }
    // The views hold the shared lists: they go before the lists do.
    if (Workspace) {
        Workspace->Objects = nullptr;
        Workspace->SelectedObjects = nullptr;
    }
}

TAction* TfrxDesignerForm::AddAction(const char* Name, const char* Caption, int Image, TShortCut Key,
                                     void (TfrxDesignerForm::*Handler)(TObject*)) {
    auto* a = new TAction(this);
    a->SetName(Name);
    a->SetActionList(ActionList);
    a->SetCaption(Caption);
    a->SetImageIndex(Image);
    a->SetShortCut(Key);
    a->OnExecute = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
    return a;
}

TMenuItem* TfrxDesignerForm::AddItem(TMenuItem* Parent, const char* Name, const char* Caption, TBasicAction* Action,
                                     void (TfrxDesignerForm::*Handler)(TObject*)) {
    auto* m = new TMenuItem(this);
    if (Name && *Name) m->SetName(Name);
    if (Action) m->SetAction(Action);
    else m->SetCaption(Caption);
    if (Handler) m->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
    Parent->Add(m);
    return m;
}

TToolButton* TfrxDesignerForm::AddButton(TToolBar* Bar, const char* Name, int Image, TToolButtonStyle Style,
                                         TBasicAction* Action) {
    auto* b = new TToolButton(this);
    if (Name && *Name) b->SetName(Name);
    b->SetStyle(Style);
    // Each new button goes after the ones already there: the bar orders its buttons by
    // row, then from left to right (the palette is one column of rows).
    b->SetLeft(10000);
    b->SetTop(10000);
    b->SetParent(Bar);
    if (Action) b->SetAction(Action);
    b->SetImageIndex(Image);
    return b;
}

void TfrxDesignerForm::CreateMenus() {
    using namespace frxButton;
    ActionList = new TActionList(this);
    ActionList->SetName("ActionList");
    ActionList->SetImages(frxResources().MainButtonImages());
    using F = TfrxDesignerForm;
    ExitCmd = AddAction("ExitCmd", "Exit", Exit, ShortCut('X', ssAlt), &F::ExitCmdExecute);
    CutCmd = AddAction("CutCmd", "Cut", Cut, ShortCut('X', ssCtrl), &F::CutCmdExecute);
    CopyCmd = AddAction("CopyCmd", "Copy", frxButton::Copy, ShortCut('C', ssCtrl), &F::CopyCmdExecute);
    PasteCmd = AddAction("PasteCmd", "Paste", Paste, ShortCut('V', ssCtrl), &F::PasteCmdExecute);
    UndoCmd = AddAction("UndoCmd", "Undo", Undo, ShortCut('Z', ssCtrl), &F::UndoCmdExecute);
    RedoCmd = AddAction("RedoCmd", "Redo", Redo, ShortCut('Y', ssCtrl), &F::RedoCmdExecute);
    DeleteCmd = AddAction("DeleteCmd", "Delete", frxButton::Delete, 0, &F::DeleteCmdExecute);
    SelectAllCmd = AddAction("SelectAllCmd", "Select All", -1, ShortCut('A', ssCtrl), &F::SelectAllCmdExecute);
    EditCmd = AddAction("EditCmd", "Edit...", frxButton::Edit, 0, &F::EditCmdExecute);
    BringToFrontCmd = AddAction("BringToFrontCmd", "Bring to Front", frxButton::BringToFront, 0, &F::BringToFrontCmdExecute);
    SendToBackCmd = AddAction("SendToBackCmd", "Send to Back", frxButton::SendToBack, 0, &F::SendToBackCmdExecute);
    DeletePageCmd = AddAction("DeletePageCmd", "Delete Page", DeletePage, 0, &F::DeletePageCmdExecute);
    NewItemCmd = AddAction("NewItemCmd", "New...", -1, 0, &F::NewItemCmdExecute);
    NewPageCmd = AddAction("NewPageCmd", "New Page", NewPage, 0, &F::NewPageCmdExecute);
    NewDialogCmd = AddAction("NewDialogCmd", "New Dialog", NewDialog, 0, &F::NewDialogCmdExecute);
    NewReportCmd = AddAction("NewReportCmd", "New Report", New, 0, &F::NewReportCmdExecute);
    OpenCmd = AddAction("OpenCmd", "Open...", Open, ShortCut('O', ssCtrl), &F::OpenCmdExecute);
    SaveCmd = AddAction("SaveCmd", "Save", Save, ShortCut('S', ssCtrl), &F::SaveCmdExecute);
    SaveAsCmd = AddAction("SaveAsCmd", "Save As...", -1, 0, &F::SaveAsCmdExecute);
    VariablesCmd = AddAction("VariablesCmd", "Variables...", Variable, 0, &F::VariablesCmdExecute);
    PageSettingsCmd = AddAction("PageSettingsCmd", "Page Settings...", PageSettings, 0, &F::PageSettingsCmdExecute);
    PreviewCmd = AddAction("PreviewCmd", "Preview", Preview, ShortCut('P', ssCtrl), &F::PreviewCmdExecute);
    GroupCmd = AddAction("GroupCmd", "Group", -1, 0, &F::GroupCmdExecute);
    UngroupCmd = AddAction("UngroupCmd", "Ungroup", -1, 0, &F::UngroupCmdExecute);

    MainMenu = new TMainMenu(this);
    MainMenu->SetName("MainMenu");
    MainMenu->SetImages(frxResources().MainButtonImages());
    TMenuItem* root = MainMenu->Items();
    FileMenu = AddItem(root, "FileMenu", "&File");
    AddItem(FileMenu, "NewItemMI", "", NewItemCmd);
    AddItem(FileMenu, "NewReportMI", "", NewReportCmd);
    AddItem(FileMenu, "NewPageMI", "", NewPageCmd);
    AddItem(FileMenu, "NewDialogMI", "", NewDialogCmd);
    AddItem(FileMenu, "SepMI1", "-");
    AddItem(FileMenu, "OpenMI", "", OpenCmd);
    AddItem(FileMenu, "SaveMI", "", SaveCmd);
    AddItem(FileMenu, "SaveAsMI", "", SaveAsCmd);
    SepMI11 = AddItem(FileMenu, "SepMI11", "-");
    SepMI4 = AddItem(FileMenu, "SepMI4", "-");
    AddItem(FileMenu, "PageSettingsMI", "", PageSettingsCmd);
    AddItem(FileMenu, "PreviewMI", "", PreviewCmd);
    AddItem(FileMenu, "SepMI5", "-");
    AddItem(FileMenu, "ExitMI", "", ExitCmd);

    EditMenu = AddItem(root, "EditMenu", "&Edit");
    AddItem(EditMenu, "UndoMI", "", UndoCmd);
    AddItem(EditMenu, "RedoMI", "", RedoCmd);
    AddItem(EditMenu, "SepMI6", "-");
    AddItem(EditMenu, "CutMI", "", CutCmd);
    AddItem(EditMenu, "CopyMI", "", CopyCmd);
    AddItem(EditMenu, "PasteMI", "", PasteCmd);
    AddItem(EditMenu, "DeleteMI", "", DeleteCmd);
    AddItem(EditMenu, "SelectAllMI", "", SelectAllCmd);
    AddItem(EditMenu, "SepMI7", "-");
    AddItem(EditMenu, "GroupMI", "", GroupCmd);
    AddItem(EditMenu, "UngroupMI", "", UngroupCmd);
    AddItem(EditMenu, "BringToFrontMI", "", BringToFrontCmd);
    AddItem(EditMenu, "SendToBackMI", "", SendToBackCmd);
    AddItem(EditMenu, "SepMI9", "-");
    AddItem(EditMenu, "EditMI", "", EditCmd);
    AddItem(EditMenu, "DeletePageMI", "", DeletePageCmd);
    AddItem(EditMenu, "SepMI10", "-");
    FindMI = AddItem(EditMenu, "FindMI", "Find...", nullptr, &F::FindMIClick);
    FindMI->SetShortCut(ShortCut('F', ssCtrl));
    FindMI->SetImageIndex(Find);
    ReplaceMI = AddItem(EditMenu, "ReplaceMI", "Replace...", nullptr, &F::FindMIClick);
    ReplaceMI->SetShortCut(ShortCut('R', ssCtrl));
    FindNextMI = AddItem(EditMenu, "FindNextMI", "Find Next", nullptr, &F::FindNextMIClick);
    FindNextMI->SetShortCut(ShortCut(VK_F3, 0));
    FindNextMI->SetEnabled(false);

    ReportMenu = AddItem(root, "ReportMenu", "&Report");
    ReportDataMI = AddItem(ReportMenu, "ReportDataMI", "Data...", nullptr, &F::ReportDataMIClick);
    AddItem(ReportMenu, "VariablesMI", "", VariablesCmd);
    ReportStylesMI = AddItem(ReportMenu, "ReportStylesMI", "Styles...", nullptr, &F::ReportStylesMIClick);
    ReportSettingsMI = AddItem(ReportMenu, "ReportSettingsMI", "Options...", nullptr, &F::ReportSettingsMIClick);

    ViewMenu = AddItem(root, "ViewMenu", "&View");
    ShowRulersMI = AddItem(ViewMenu, "ShowRulersMI", "Rulers", nullptr, &F::ShowRulersMIClick);
    ShowRulersMI->SetChecked(true);
    ShowGuidesMI = AddItem(ViewMenu, "ShowGuidesMI", "Guides", nullptr, &F::ShowGuidesMIClick);
    ShowGuidesMI->SetChecked(true);
    DeleteGuidesMI = AddItem(ViewMenu, "DeleteGuidesMI", "Delete Guides", nullptr, &F::DeleteGuidesMIClick);
    AddItem(ViewMenu, "SepMI3", "-");
    OptionsMI = AddItem(ViewMenu, "OptionsMI", "Options...", nullptr, &F::OptionsMIClick);
    OptionsMI->SetImageIndex(Options);

    HelpMenu = AddItem(root, "HelpMenu", "&Help");
    HelpContentsMI = AddItem(HelpMenu, "HelpContentsMI", "Help Contents...", nullptr, &F::HelpContentsMIClick);
    HelpContentsMI->SetShortCut(ShortCut(VK_F1, 0));
    HelpContentsMI->SetImageIndex(Help);
    AboutMI = AddItem(HelpMenu, "AboutMI", "About...", nullptr, &F::AboutMIClick);
    SetMenu(MainMenu);

    // The page's pop-up: the component editor's entries go between SepMI12 and SepMI8.
    PagePopup = new TPopupMenu(this);
    PagePopup->SetName("PagePopup");
    PagePopup->SetImages(frxResources().MainButtonImages());
    PagePopup->OnPopup = [this](TObject* s) { PagePopupPopup(s); };
    EditMI1 = AddItem(PagePopup->Items(), "EditMI1", "", EditCmd);
    SepMI12 = AddItem(PagePopup->Items(), "SepMI12", "-");
    SepMI8 = AddItem(PagePopup->Items(), "SepMI8", "-");
    AddItem(PagePopup->Items(), "CutMI1", "", CutCmd);
    AddItem(PagePopup->Items(), "CopyMI1", "", CopyCmd);
    AddItem(PagePopup->Items(), "PasteMI1", "", PasteCmd);
    AddItem(PagePopup->Items(), "DeleteMI1", "", DeleteCmd);
    AddItem(PagePopup->Items(), "SelectAllMI1", "", SelectAllCmd);
    // The tab order of a dialog page's controls (shown on pages that are no report pages).
    TabOrderMI = AddItem(PagePopup->Items(), "TabOrderMI", "Tab Order...", nullptr, &F::TabOrderMIClick);
    AddItem(PagePopup->Items(), "SepMI13", "-");
    AddItem(PagePopup->Items(), "BringToFrontMI1", "", BringToFrontCmd);
    AddItem(PagePopup->Items(), "SendToBackMI1", "", SendToBackCmd);

    TabPopup = new TPopupMenu(this);
    TabPopup->SetName("TabPopup");
    TabPopup->SetImages(frxResources().MainButtonImages());
    AddItem(TabPopup->Items(), "NewPageMI1", "", NewPageCmd);
    AddItem(TabPopup->Items(), "NewDialogMI1", "", NewDialogCmd);
    AddItem(TabPopup->Items(), "DeletePageMI1", "", DeletePageCmd);
    AddItem(TabPopup->Items(), "PageSettingsMI1", "", PageSettingsCmd);

    // The bands menu: the Tag is the band's entry in the band class table (100 more for a
    // vertical band). Every item shows the band picture of the button images.
    BandsPopup = new TPopupMenu(this);
    BandsPopup->SetName("BandsPopup");
    BandsPopup->SetImages(frxResources().MainButtonImages());
    BandsPopup->OnPopup = [this](TObject* s) { BandsPopupPopup(s); };
    static const char* const kBands[] = {"ReportTitleMI", "ReportSummaryMI", "PageHeaderMI",  "PageFooterMI",
                                         "HeaderMI",      "FooterMI",        "MasterDataMI",  "DetailDataMI",
                                         "SubdetailDataMI", "Data4levelMI",  "Data5levelMI",  "Data6levelMI",
                                         "GroupHeaderMI", "GroupFooterMI",   "ChildMI",       "ColumnHeaderMI",
                                         "ColumnFooterMI", "OverlayMI"};
    for (int i = 0; i < 18; ++i) {
        TMenuItem* m = AddItem(BandsPopup->Items(), kBands[i], kBands[i], nullptr, &F::InsertBandClick);
        m->SetTag(i);
        m->SetImageIndex(frxButton::Band);
    }
    TMenuItem* vertical = AddItem(BandsPopup->Items(), "VerticalbandsMI", "Vertical bands");
    vertical->SetImageIndex(frxButton::Band);
    static const std::pair<const char*, int> kVertical[] = {
        {"VHeaderMI", 104}, {"VFooterMI", 105}, {"VMasterDataMI", 106}, {"VDetailDataMI", 107},
        {"VSubdetailDataMI", 108}, {"VGroupHeaderMI", 112}, {"VGroupFooterMI", 113}, {"VChildMI", 114}};
    for (const auto& [name, tag] : kVertical) {
        TMenuItem* m = AddItem(vertical, name, name, nullptr, &F::InsertBandClick);
        m->SetTag(tag);
        m->SetImageIndex(frxButton::Band);
    }
    ObjectsPopup = new TPopupMenu(this);
    ObjectsPopup->SetName("ObjectsPopup");
    ObjectsPopup->SetImages(frxResources().ObjectImages());
}

void TfrxDesignerForm::CreateToolbars() {
    using namespace frxButton;
    using F = TfrxDesignerForm;
    // The three docks the tool bars stand in (the bottom one goes above the status bar,
    // the right one outside the right dock site).
    auto dock = [&](const char* Name, TAlign Align) {
        auto* d = new TfrxDock(this);
        d->SetName(Name);
        d->SetParent(this);
        if (Align == alRight) d->SetLeft(5000);
        d->SetAlign(Align);
        d->AdjustBounds();
        return d;
    };
    DockTop = dock("DockTop", alTop);
    DockBottom = dock("DockBottom", alBottom);
    DockRight = dock("DockRight", alRight);

    // A dockable tool bar holding a tool bar of buttons.
    auto bar = [&](const char* Name, const char* BarName, TfrxToolBar*& Dockable) {
        Dockable = new TfrxToolBar(this);
        Dockable->SetName(Name);
        Dockable->SetParent(DockTop);
        Dockable->SetBounds(0, 0, 100, DockTop->RowSize());
        auto* tb = new TToolBar(this);
        tb->SetName(BarName);
        tb->SetParent(Dockable);
        tb->SetAlign(alLeft);
        tb->SetFlat(true);
        tb->SetWrapable(false);
        tb->SetButtonHeight(22);
        tb->SetImages(frxResources().MainButtonImages());
        tb->SetDisabledImages(frxResources().DisabledButtonImages());
        return tb;
    };
    StandardTB1 = bar("StandardTB", "StandardTB1", StandardTB);
    NewB = AddButton(StandardTB1, "NewB", New, tbsButton, NewReportCmd);
    OpenB = AddButton(StandardTB1, "OpenB", Open, tbsButton, OpenCmd);
    SaveB = AddButton(StandardTB1, "SaveB", Save, tbsButton, SaveCmd);
    PreviewB = AddButton(StandardTB1, "PreviewB", Preview, tbsButton, PreviewCmd);
    AddButton(StandardTB1, "SepTB1", -1, tbsSeparator);
    NewPageB = AddButton(StandardTB1, "NewPageB", NewPage, tbsButton, NewPageCmd);
    NewDialogB = AddButton(StandardTB1, "NewDialogB", NewDialog, tbsButton, NewDialogCmd);
    DeletePageB = AddButton(StandardTB1, "DeletePageB", DeletePage, tbsButton, DeletePageCmd);
    PageSettingsB = AddButton(StandardTB1, "PageSettingsB", PageSettings, tbsButton, PageSettingsCmd);
    VariablesB = AddButton(StandardTB1, "VariablesB", Variable, tbsButton, VariablesCmd);
    AddButton(StandardTB1, "SepTB2", -1, tbsSeparator);
    CutB = AddButton(StandardTB1, "CutB", Cut, tbsButton, CutCmd);
    CopyB = AddButton(StandardTB1, "CopyB", frxButton::Copy, tbsButton, CopyCmd);
    PasteB = AddButton(StandardTB1, "PasteB", Paste, tbsButton, PasteCmd);
    SampleFormatB = AddButton(StandardTB1, "SampleFormatB", FormatTool, tbsCheck);
    SampleFormatB->OnClick = [this](TObject* s) { SampleFormatBClick(s); };
    UndoB = AddButton(StandardTB1, "UndoB", Undo, tbsButton, UndoCmd);
    RedoB = AddButton(StandardTB1, "RedoB", Redo, tbsButton, RedoCmd);
    AddButton(StandardTB1, "SepTB3", -1, tbsSeparator);
    using DI = TfrxDesignerImage;
    GroupCmd->SetImageIndex(frxDesignerImageIndex(DI::Group));
    UngroupCmd->SetImageIndex(frxDesignerImageIndex(DI::Ungroup));
    GroupB = AddButton(StandardTB1, "GroupB", GroupCmd->ImageIndex(), tbsButton, GroupCmd);
    UngroupB = AddButton(StandardTB1, "UngroupB", UngroupCmd->ImageIndex(), tbsButton, UngroupCmd);
    AddButton(StandardTB1, "SepTB4", -1, tbsSeparator);
    ShowGridB = AddButton(StandardTB1, "ShowGridB", frxDesignerImageIndex(DI::ShowGrid), tbsCheck);
    ShowGridB->SetDown(true);
    ShowGridB->OnClick = [this](TObject* s) { ShowGridBClick(s); };
    AlignToGridB = AddButton(StandardTB1, "AlignToGridB", frxDesignerImageIndex(DI::AlignToGrid), tbsCheck);
    AlignToGridB->SetDown(true);
    AlignToGridB->OnClick = [this](TObject* s) { AlignToGridBClick(s); };
    SetToGridB = AddButton(StandardTB1, "SetToGridB", frxDesignerImageIndex(DI::SetToGrid));
    SetToGridB->SetTag(31);
    SetToGridB->OnClick = [this](TObject* s) { ToolButtonClick(s); };
    TToolButton* scaleSep = AddButton(StandardTB1, "SepTB5", -1, tbsSeparator);
    scaleSep->SetWidth(76);
    ScaleCB = new TfrxComboBox(this);
    ScaleCB->SetName("ScaleCB");
    ScaleCB->SetParent(BoxPanel(StandardTB1, scaleSep));
    ScaleCB->SetBounds(0, 1, 70, 21);
    for (const char* s : {"25%", "50%", "75%", "100%", "150%", "200%", "Page width", "Whole page"})
        ScaleCB->Items()->Add(s);
    ScaleCB->OnClick = [this](TObject* s) { ScaleCBClick(s); };

    TextTB1 = bar("TextTB", "TextTB1", TextTB);
    auto combo = [&](const char* Name, int Width, int Tag) {
        TToolButton* sep = AddButton(TextTB1, "", -1, tbsSeparator);
        sep->SetWidth(Width + 6);
        auto* c = new TfrxComboBox(this);
        c->SetName(Name);
        c->SetParent(BoxPanel(TextTB1, sep));
        c->SetBounds(0, 1, Width, 21);
        c->SetTag(Tag);
        c->OnClick = [this](TObject* s) { ToolButtonClick(s); };
        return c;
    };
    StyleCB = combo("StyleCB", 90, 33);
    StyleCB->SetStyle(csDropDownList);
    // A double click on the box opens the style editor, as Styles... of the Report menu does.
    StyleCB->OnDblClick = [this](TObject* s) { ReportStylesMIClick(s); };
    {
        // The installed fonts under a block of the five used last (kept for the process's
        // user under the box's settings key), each marked when it is an outline font, with a
        // sample of the font under the pointer while the list is open. A name can be typed
        // too (Enter applies it).
        TToolButton* sep = AddButton(TextTB1, "", -1, tbsSeparator);
        sep->SetWidth(120 + 6);
        FontNameCB = new TfrxFontComboBox(this);
        FontNameCB->SetName("FontNameCB");
        FontNameCB->SetParent(BoxPanel(TextTB1, sep));
        FontNameCB->SetBounds(0, 1, 120, 21);
        FontNameCB->SetReadOnly(false);
        FontNameCB->SetTag(0);
        FontNameCB->OnClick = [this](TObject* s) { ToolButtonClick(s); };
    }
    FontSizeCB = combo("FontSizeCB", 40, 1);
    for (const char* s : {"5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                          "36", "48", "72"})
        FontSizeCB->Items()->Add(s);
    auto tool = [&](TToolBar* Bar, const char* Name, int Image, int Tag, TToolButtonStyle Style = tbsCheck) {
        TToolButton* b = AddButton(Bar, Name, Image, Style);
        b->SetTag(Tag);
        b->OnClick = [this](TObject* s) { ToolButtonClick(s); };
        return b;
    };
    AddButton(TextTB1, "SepTB6", -1, tbsSeparator);
    BoldB = tool(TextTB1, "BoldB", Bold, 2);
    ItalicB = tool(TextTB1, "ItalicB", Italic, 3);
    UnderlineB = tool(TextTB1, "UnderlineB", Underline, 4);
    FontB = tool(TextTB1, "FontB", frxButton::Font, 43, tbsButton);
    FontColorB = AddButton(TextTB1, "FontColorB", FontColor);
    HighlightB = AddButton(TextTB1, "HighlightB", Highlight);
    HighlightB->SetTag(6);
    HighlightB->OnClick = [this](TObject* s) { HighlightBClick(s); };
    RotateB = AddButton(TextTB1, "RotateB", Rotate, tbsDropDown);
    RotationPopup = new TPopupMenu(this);
    RotationPopup->SetName("RotationPopup");
    for (int deg : {0, 45, 90, 180, 270}) {
        const std::string name = "R" + IntToStr(deg) + "MI";
        TMenuItem* m = AddItem(RotationPopup->Items(), name.c_str(), (IntToStr(deg) + "°").c_str(), nullptr,
                               &F::ToolButtonClick);
        m->SetTag(30);
        m->SetHelpContext(deg);
    }
    // A click drops the menu down (the button's own drop-down).
    RotateB->SetDropdownMenu(RotationPopup);
    AddButton(TextTB1, "SepTB7", -1, tbsSeparator);
    TextAlignLeftB = tool(TextTB1, "TextAlignLeftB", AlignLeft, 7);
    TextAlignCenterB = tool(TextTB1, "TextAlignCenterB", AlignCenter, 8);
    TextAlignRightB = tool(TextTB1, "TextAlignRightB", AlignRight, 9);
    TextAlignBlockB = tool(TextTB1, "TextAlignBlockB", AlignBlock, 10);
    for (TToolButton* b : {TextAlignLeftB, TextAlignCenterB, TextAlignRightB, TextAlignBlockB}) b->SetGrouped(true);
    AddButton(TextTB1, "SepTB8", -1, tbsSeparator);
    TextAlignTopB = tool(TextTB1, "TextAlignTopB", AlignTop, 11);
    TextAlignMiddleB = tool(TextTB1, "TextAlignMiddleB", AlignMiddle, 12);
    TextAlignBottomB = tool(TextTB1, "TextAlignBottomB", AlignBottom, 13);
    for (TToolButton* b : {TextAlignTopB, TextAlignMiddleB, TextAlignBottomB}) b->SetGrouped(true);

    FrameTB1 = bar("FrameTB", "FrameTB1", FrameTB);
    FrameTopB = tool(FrameTB1, "FrameTopB", FrameTop, 20);
    FrameBottomB = tool(FrameTB1, "FrameBottomB", FrameBottom, 21);
    FrameLeftB = tool(FrameTB1, "FrameLeftB", FrameLeft, 22);
    FrameRightB = tool(FrameTB1, "FrameRightB", FrameRight, 23);
    AddButton(FrameTB1, "SepTB9", -1, tbsSeparator);
    FrameAllB = tool(FrameTB1, "FrameAllB", FrameAll, 24, tbsButton);
    FrameNoB = tool(FrameTB1, "FrameNoB", FrameNone, 25, tbsButton);
    ShadowB = tool(FrameTB1, "ShadowB", Shadow, 32);
    AddButton(FrameTB1, "SepTB10", -1, tbsSeparator);
    FillColorB = AddButton(FrameTB1, "FillColorB", frxButton::Color);
    FrameColorB = AddButton(FrameTB1, "FrameColorB", frxButton::Color);
    FrameStyleB = AddButton(FrameTB1, "FrameStyleB", FrameStyle);
    TToolButton* widthSep = AddButton(FrameTB1, "SepTB11", -1, tbsSeparator);
    widthSep->SetWidth(54);
    FrameWidthCB = new TfrxComboBox(this);
    FrameWidthCB->SetName("FrameWidthCB");
    FrameWidthCB->SetParent(BoxPanel(FrameTB1, widthSep));
    FrameWidthCB->SetBounds(0, 1, 48, 21);
    FrameWidthCB->SetTag(29);
    for (const char* s : {"0,1", "0,5", "1", "1,5", "2", "3", "4", "5", "6", "7", "8", "9", "10"})
        FrameWidthCB->Items()->Add(s);
    FrameWidthCB->OnClick = [this](TObject* s) { ToolButtonClick(s); };

    ExtraToolsTB1 = bar("ExtraToolsTB", "ExtraToolsTB1", ExtraToolsTB);
    (void)&F::WizardButtonClick;
}

void TfrxDesignerForm::CreatePalette() {
    using namespace frxObject;
    ObjectsTB1 = new TToolBar(this);
    ObjectsTB1->SetName("ObjectsTB1");
    ObjectsTB1->SetParent(this);
    ObjectsTB1->SetLeft(0);
    ObjectsTB1->SetAlign(alLeft);
    ObjectsTB1->SetWidth(27);
    ObjectsTB1->SetFlat(true);
    ObjectsTB1->SetButtonWidth(25);
    ObjectsTB1->SetButtonHeight(25);
    ObjectsTB1->SetWrapable(true);
    ObjectsTB1->SetImages(frxResources().ObjectImages());
    auto toolButton = [&](const char* Name, int Image) {
        TToolButton* b = AddButton(ObjectsTB1, Name, Image, tbsCheck);
        b->SetGrouped(true);
        b->SetWrap(true);
        b->SetTag(1000);
        b->OnClick = [this](TObject* s) { SelectToolBClick(s); };
        return b;
    };
    ObjectSelectB = toolButton("ObjectSelectB", frxObject::Select);
    ObjectSelectB->SetDown(true);
    HandToolB = toolButton("HandToolB", Hand);
    ZoomToolB = toolButton("ZoomToolB", Zoom);
    TextToolB = toolButton("TextToolB", frxObject::TextTool);
    FormatToolB = toolButton("FormatToolB", frxObject::FormatTool);
    // The tools and the objects are one group (an armed object goes up when a tool is
    // taken, and the reverse): the separator and the band button keep the group going.
    SepTB14 = AddButton(ObjectsTB1, "SepTB14", -1, tbsSeparator);
    SepTB14->SetGrouped(true);
    SepTB14->SetWrap(true);
    ObjectBandB = AddButton(ObjectsTB1, "ObjectBandB", frxObject::Band, tbsButton);
    ObjectBandB->SetGrouped(true);
    ObjectBandB->SetWrap(true);
    ObjectBandB->SetTag(1000);
    ObjectBandB->OnClick = [this](TObject* s) { ObjectBandBClick(s); };

    // The registry's objects: first those outside any category, then one button per
    // category that some object names.
    TfrxObjectCollection& reg = frxObjects();
    auto button = [&](int Index) {
        TfrxObjectItem& item = reg.Items(Index);
        if (item.ButtonBitmap && item.ButtonImageIndex == -1) {
            frxResources().SetObjectImages(item.ButtonBitmap.get());
            item.ButtonImageIndex = frxResources().ObjectImages()->Count() - 1;
        }
        TToolButton* b = AddButton(ObjectsTB1, "", item.ButtonImageIndex, tbsCheck);
        b->SetGrouped(true);
        b->SetWrap(true);
        b->SetTag(Index);
        if (!item.ButtonHint.empty()) {
            b->SetHint(frxResources().Get(item.ButtonHint));
        } else if (item.ClassRef) {
            std::unique_ptr<TObject> probe(item.ClassRef->CreateInstance(nullptr));
            if (auto* c = dynamic_cast<TfrxComponent*>(probe.get())) b->SetHint(c->GetDescription());
        }
        b->OnClick = [this](TObject* s) { ObjectsButtonClick(s); };
    };
    for (int i = 0; i < reg.Count(); ++i)
        if (reg.Items(i).ClassRef && reg.Items(i).CategoryName.empty()) button(i);
    for (int i = 0; i < reg.Count(); ++i) {
        if (reg.Items(i).ClassRef) continue;
        const std::string& cat = reg.Items(i).CategoryName;
        const bool used = std::any_of(reg.List().begin(), reg.List().end(), [&](const TfrxObjectItem& o) {
            return o.ClassRef && SameText(o.CategoryName, cat);
        });
        if (used) button(i);
    }
}

void TfrxDesignerForm::CreateToolWindows() {
    // The dock sites: tool windows stand in them one below the other under caption bars,
    // are dragged out into floating windows and back; each site has its splitter.
    auto site = [this](const char* Name, TAlign Align, int Left) {
        auto* s = new TfrxDockSite(this);
        s->SetName(Name);
        s->SetParent(this);
        s->SetLeft(Left);
        s->SetAlign(Align);
        return s;
    };
    LeftDockSite1 = site("LeftDockSite1", alLeft, 100);
    LeftDockSite2 = site("LeftDockSite2", alLeft, 200);
    RightDockSite = site("RightDockSite", alRight, 4000);

    // 5. The tool windows (the object inspector docks into LeftDockSite2 below the tree);
    // the site's caption bar shows their captions.
    ReportTree = new TfrxReportTreeForm(this);
    ReportTree->TitlePanel()->SetVisible(false);
    ReportTree->SetClientWidth(190);
    ReportTree->OnSelectionChanged = [this](TObject* s) { OnSelectionChanged(s); };
    LeftDockSite2->DockForm(ReportTree, 170);
    DataTree = new TfrxDataTreeForm(this);
    DataTree->TitlePanel()->SetVisible(false);
    DataTree->SetClientWidth(200);
    DataTree->CBPanel->SetVisible(true);
    RightDockSite->DockForm(DataTree);
    // The right tool-bar dock stands outside the right site (the outermost of the controls
    // aligned right is the one whose right edge lies furthest right).
    DockRight->SetLeft(RightDockSite->Left() + RightDockSite->Width() + 10000);
}

void TfrxDesignerForm::CreatePageArea() {
    Tab = new TTabControl(this);
    Tab->SetName("Tab");
    Tab->SetParent(this);
    Tab->SetAlign(alClient);
    Tab->SetPopupMenu(TabPopup);
    Tab->OnChange = [this](TObject* s) { TabChange(s); };
    Tab->OnChanging = [this](TObject* s, bool& a) { TabChanging(s, a); };

    ScrollBoxPanel = new TPanel(this);
    ScrollBoxPanel->SetName("ScrollBoxPanel");
    ScrollBoxPanel->SetParent(Tab);
    ScrollBoxPanel->SetAlign(alClient);
    ScrollBoxPanel->SetBevelOuter(bvNone);
    TopRuler = new TfrxRuler(this);
    TopRuler->SetName("TopRuler");
    TopRuler->SetParent(ScrollBoxPanel);
    TopRuler->SetAlign(alTop);
    TopRuler->SetHeight(24);
    TopRuler->SetDragMode(dmAutomatic);
    LeftRuler = new TfrxRuler(this);
    LeftRuler->SetName("LeftRuler");
    LeftRuler->SetParent(ScrollBoxPanel);
    LeftRuler->SetAlign(alLeft);
    LeftRuler->SetWidth(24);
    LeftRuler->SetDragMode(dmAutomatic);
    ScrollBox = new TfrxScrollBox(this);
    ScrollBox->SetName("ScrollBox");
    ScrollBox->SetParent(ScrollBoxPanel);
    ScrollBox->SetAlign(alClient);
    ScrollBox->SetColor(clGray);
    ScrollBox->OnResize = [this](TObject* s) { ScrollBoxResize(s); };
    ScrollBox->OnScroll = [this](TObject* s) { ScrollBoxResize(s); };

    CreateCodePage();

    // 4. The page workspace, sharing the window's lists.
    Workspace = new TDesignerWorkspace(this);
    Workspace->SetParent(ScrollBox);
    Workspace->PopupMenu = PagePopup;
    Workspace->Objects = &Objects();
    Workspace->SelectedObjects = &SelectedObjects();
    Workspace->OnNotifyPosition = [this](const TfrxRect& r) { OnNotifyPosition(r); };
    Workspace->OnInsertObject = [this](TObject* s) { OnInsertObject(s); };
    Workspace->OnEditObject = [this](TObject* s) { OnEditObject(s); };
    Workspace->OnModify = [this](TObject* s) { OnModify(s); };
    Workspace->OnSelectionChanged = [this](TObject* s) { OnSelectionChanged(s); };
    Workspace->OnTopLeftChanged = [this](TObject* s) { ScrollBoxResize(s); };
    TopRuler->OnDragOver = [](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
        Accept = dynamic_cast<TfrxDesignerWorkspace*>(Source) != nullptr;
    };
    LeftRuler->OnDragOver = TopRuler->OnDragOver;
}

void TfrxDesignerForm::ArrangeDock() {
    // The tool windows' sites: a window's caption bar shows while the window does, a site
    // without a window shown closes with its splitter, and a site is as wide as its widest
    // window (a width from the settings store, or the one the splitter gave it).
    for (TfrxDockSite* site : {LeftDockSite1, LeftDockSite2, RightDockSite}) {
        if (!site || site->DockClientCount() == 0) continue;
        bool any = false;
        int width = 0;
        for (int i = 0; i < site->DockClientCount(); ++i) {
            TCustomForm* f = site->DockClients(i);
            if (auto* host = dynamic_cast<TControl*>(f->Parent())) host->SetVisible(f->Visible());
            if (!f->Visible()) continue;
            any = true;
            width = std::max(width, f->Width());
        }
        site->SetVisible(any);
        site->Splitter()->SetVisible(any);
        if (any && width > 0 && width != site->Width()) {
            site->SetAutoSize(false);
            site->SetWidth(width);
            site->SetAutoSize(true);
        }
        site->ArrangeHosts();
    }
}

TfrxTBPanel* TfrxDesignerForm::BoxPanel(TToolBar* Bar, TToolButton* Separator) {
    // The panel lies over the separator that keeps its place free in the row; the bar's
    // buttons in a row always come to the same places, so it is placed once. A bar standing
    // in a column hides it and shows it again in a row.
    auto* panel = new TfrxTBPanel(this);
    panel->SetParent(Bar);
    panel->SetAlign(alNone);
    Bar->ArrangeButtons();
    panel->SetBounds(Separator->Left() + 3, 0, Separator->Width() - 6, 22);
    panel->BringToFront();
    FBoxPanels.emplace_back(Separator, panel);
    return panel;
}

void TfrxDesignerForm::PlaceToolBars() {
    // Each bar as long as its buttons: the standard bar and the wizards' bar in the first
    // row, the text and frame bars in the second; the alignment palette (hidden at first)
    // after the wizards' bar.
    const struct {
        TfrxToolBar* Bar;
        int Row;
    } places[] = {{StandardTB, 0}, {ExtraToolsTB, 0}, {AlignTB, 0}, {TextTB, 1}, {FrameTB, 1}};
    int left[2] = {0, 0};
    for (const auto& p : places) {
        if (!p.Bar || p.Bar->Dock() != DockTop) continue;
        p.Bar->AdjustBounds();
        p.Bar->SetBounds(left[p.Row], p.Row * DockTop->RowSize(), p.Bar->Width(), p.Bar->Height());
        if (p.Bar->Visible()) left[p.Row] += p.Bar->Width();
    }
    DockTop->AdjustBounds();
}

void TfrxDesignerForm::CreateWizardButtons() {
    TfrxWizardCollection& reg = frxWizards();
    for (int i = 0; i < reg.Count(); ++i) {
        TfrxWizardItem& w = reg.Items(i);
        // Only a wizard registered for the tool bar gets a button (the others are started
        // from the New Items window).
        if (!w.ClassRef || !w.IsToolbarWizard) continue;
        if (w.ButtonBitmap && w.ButtonImageIndex == -1) {
            frxResources().SetButtonImages(w.ButtonBitmap.get());
            w.ButtonImageIndex = frxResources().MainButtonImages()->Count() - 1;
        }
        TToolButton* b = AddButton(ExtraToolsTB1, "", w.ButtonImageIndex);
        b->SetTag(i);
        std::unique_ptr<TObject> probe(w.ClassRef->CreateInstance(nullptr));
        if (auto* wiz = dynamic_cast<TfrxCustomWizard*>(probe.get())) b->SetHint(wiz->GetDescription());
        b->OnClick = [this](TObject* s) { WizardButtonClick(s); };
    }
    // The bar re-measures itself to its buttons; it keeps the height of a dock row, so that
    // it does not reach into the next row.
    ExtraToolsTB->SetWidth(27);
    PlaceToolBars();
}

// --- The designer operations ---------------------------------------------------------------------

void TfrxDesignerForm::SetModified(bool Value) {
    TfrxCustomDesigner::SetModified(Value);
    StoreScriptText();
    // The script's edits are in the snapshot now: leaving the code page adds none.
    CodeWindow->SetModified(false);
    FUndoBuffer->PushUndo(Report());
    FUndoBuffer->ClearRedo();
    SaveCmd->SetEnabled(Modified() && CheckRestriction(drDontSaveReport));
    TObject* by = ModifiedBy;
    if (by != this) UpdateControls();
    // A page or subreport renamed in the inspector shows its new name on its tab.
    if (Inspector && by == Inspector && !SelectedObjects().empty() &&
        (SelectedObjects().front() == Page() || dynamic_cast<TfrxSubreport*>(SelectedObjects().front())))
        UpdateTabCaptions();
    if (Page() && by != Workspace) {
        Workspace->InvalidatePage();
        Workspace->AdjustBands();
        // The status bar shows where the selection is now (a value typed in the inspector
        // moved it), not where it was until the mouse next moves.
        Workspace->UpdateView();
        Workspace->Repaint();
    }
    if (Inspector && by != Inspector && !Inspector->Disabled()) Inspector->UpdateProperties();
    ReportTree->UpdateItems();
    ModifiedBy = nullptr;
}

void TfrxDesignerForm::SetPage(TfrxPage* Value) {
    // The lists still hold the page left: the steps below (the grid, the page's size) stack
    // the workspace's bands, which must not take the old page's objects onto the new one.
    Objects().clear();
    SelectedObjects().clear();
    TfrxCustomDesigner::SetPage(Value);
    Tab->SetTabIndex(GetPageIndex() + 1);
    DetachDialogForm();
    ScrollBoxPanel->SetVisible(Value != nullptr);
    CodePanel->SetVisible(Value == nullptr);
    UpdateObjectsToolbar();
    UpdateControls();
    Workspace->Page = Value;
    if (auto* rp = dynamic_cast<TfrxReportPage*>(Value)) {
        if (Workspace->Parent() != ScrollBox) Workspace->SetParent(ScrollBox);
        Workspace->SetAlign(alNone);
        Workspace->SetGridType(gtCm);
        Workspace->SetColor(WorkspaceColor);
        Workspace->SetScale(FScale);
        SetUnits(frxKind::IsDMPPage(rp) ? 3 : FUnits);
        UpdatePageDimensions();
        if (Showing() && ScrollBox->CanFocus()) ScrollBox->SetFocus();
    } else if (auto* dp = dynamic_cast<TfrxDialogPage*>(Value)) {
        SetUnits(2);
        AttachDialogForm(dp);
    }
    if (Value) ReloadObjects();
    else if (Showing() && CodeWindow->CanFocus()) CodeWindow->SetFocus();
}

std::vector<std::string> TfrxDesignerForm::GetCode() { return CodeWindow->GetTrimmedLines(); }

std::string TfrxDesignerForm::InsertExpression(const std::string& Expr) {
    std::string text = Expr;
    auto& editor = frxDesignerDialogs().ExpressionEditor;
    if (editor && editor(this, text)) return text;
    return {};
}

void TfrxDesignerForm::Lock() {
    Objects().clear();
    SelectedObjects().clear();
    DetachDialogForm();
    // The page may go with the report's objects.
    Workspace->Page = nullptr;
    Workspace->Lock();
    if (Inspector) Inspector->Lock();
}

void TfrxDesignerForm::ReloadPages(int Index) {
    FDialogForm = nullptr;
    FDialogPage = nullptr;
    TStringList* tabs = Tab->Tabs();
    tabs->BeginUpdate();
    tabs->Clear();
    tabs->Add(Res("dsCode"));
    for (int i = 0; i < Report()->PagesCount(); ++i) {
        Report()->Pages(i)->SetIsDesigning(true);
        tabs->Add(PageTabCaption(i));
    }
    tabs->EndUpdate();
    if (Index == -1) SetPage(nullptr);
    else if (Index >= 0 && Index < Report()->PagesCount()) SetPage(Report()->Pages(Index));
    else SetPage(Report()->PagesCount() > 0 ? Report()->Pages(0) : nullptr);
    // The page read back is painted once, now (what painting does to the page, its bands
    // aligned to it, is done when the reload returns).
    if (Page()) Workspace->Repaint();
}

void TfrxDesignerForm::ReloadReport() {
    if (Report()->PagesCount() == 0) {
        Report()->Clear();
        auto* page = new TfrxReportPage(Report());
        page->SetParent(Report());
        page->SetName("Page1");
    }
    LangCB->SetItemIndex(LangCB->Items()->IndexOf(Report()->ScriptLanguage));
    CodeWindow->SetLines(*Report()->ScriptText());
    UpdateSyntaxType();
    ReloadPages(0);
    AddRecentFile(Report()->FileName());
    UpdateCaption();
    UpdateStyles();
    FUndoBuffer->ClearUndo();
    SetModified(false);
}

void TfrxDesignerForm::UpdateDataTree() { DataTree->UpdateItems(); }

void TfrxDesignerForm::UpdatePage() {
    Workspace->InvalidatePage();
    Workspace->Repaint();
}

int TfrxDesignerForm::GetPageIndex() const {
    if (!Page()) return -1;
    for (int i = 0; i < Report()->PagesCount(); ++i)
        if (Report()->Pages(i) == Page()) return i;
    return -1;
}

bool TfrxDesignerForm::CheckRestriction(TfrxDesignerRestriction R) const {
    TfrxDesigner* d = frxGlobalDesigner();
    return !d || !d->Restrictions.Contains(R);
}

TfrxPoint TfrxDesignerForm::DefaultObjectSize() const {
    switch (FCurUnits) {
        case 0: return {94.48825, 18.89765};
        case 1: return {96, 19.2};
        case 3: return {96, 17};
        default: return {80, 16};
    }
}

double TfrxDesignerForm::DefaultBandHeight() const {
    switch (FCurUnits) {
        case 0: return 22.67718;
        case 1: return 28.8;
        case 3: return 17;
        default: return 20;
    }
}

// --- Dialog pages ---------------------------------------------------------------------------------

void TfrxDesignerForm::AttachDialogForm(TfrxDialogPage* Page) {
    TForm* form = Page->Form();
    FDialogForm = form;
    FDialogPage = Page;
    Workspace->SetParent(form);
    Workspace->SetAlign(alClient);
    Workspace->SetGridType(gtDialog);
    Workspace->GridX = Grid4;
    Workspace->GridY = Grid4;
    Workspace->SetColor(Page->Color());
    Workspace->SetScale(1);
    Workspace->SetPageDimensions(0, 0, TRect{});
    form->SetBorderStyle(bsSizeable);
    // The page's window stays above the designer's window and below the designer's dialogs
    // (new item, save as, ...), which come up over the designer's window: a window of the
    // designer's, not one above every window (it used to hide the dialogs' contents).
    form->SetFormStyle(fsNormal);
    form->SetPopupParent(this);
    // The page's window is a window of its own: the designer's shortcuts (its menus' and
    // actions': Alt+X, F11, Ctrl+S, Ctrl+F, ...) work from it as from the designer's.
    form->OnShortCut = [this](TShortCut Key, bool& Handled) { Handled = IsShortCut(Key); };
    form->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        if (Shift == ssCtrl) {
            TAction* a = nullptr;
            switch (Key) {
                case 'C': a = CopyCmd; break;
                case 'V': a = PasteCmd; break;
                case 'X': a = CutCmd; break;
                case 'Z': a = UndoCmd; break;
                case 'Y': a = RedoCmd; break;
                case 'A': a = SelectAllCmd; break;
                case 'S': a = SaveCmd; break;
                default: break;
            }
            if (a) {
                // The command may replace the report's pages (undo, redo, paste), and this
                // form with them: the key is done once the command has run.
                Key = 0;
                a->Execute();
                return;
            }
        }
        // A key typed on the surface reaches the surface itself after this preview; only
        // keys that the form or another of its controls holds are handed on here.
        if (Key && !SurfaceHoldsKeys(FDialogForm)) Workspace->KeyDown(Key, Shift);
    };
    form->OnKeyUp = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        if (Key && !SurfaceHoldsKeys(FDialogForm)) Workspace->KeyUp(Key, Shift);
    };
    form->OnKeyPress = [this](TObject*, char32_t& Key) {
        if (Key && !SurfaceHoldsKeys(FDialogForm)) Workspace->KeyPress(Key);
    };
    // The window moved or sized by the user is one change of the page (one undo step),
    // taken when the drag has ended.
    form->OnMovedOrSized = [this, Page](TObject*) {
        TForm* f = Page->Form();
        if (f != FDialogForm) return;
        if (Page->Left() == f->Left() && Page->Top() == f->Top() && Page->Width() == f->Width() &&
            Page->Height() == f->Height())
            return;
        Page->SetBounds(f->Left(), f->Top(), f->Width(), f->Height());
        SetModified(true);
    };
    form->Show();
    if (Workspace->CanFocus()) Workspace->SetFocus();
}

bool TfrxDesignerForm::SurfaceHoldsKeys(TForm* Form) const {
    return Form && Form->ActiveControl() == Workspace;
}

void TfrxDesignerForm::DetachDialogForm() {
    if (!FDialogForm) return;
    TForm* form = FDialogForm;
    FDialogForm = nullptr;
    FDialogPage = nullptr;
    form->OnShortCut = nullptr;
    form->OnKeyDown = nullptr;
    form->OnKeyUp = nullptr;
    form->OnKeyPress = nullptr;
    form->OnMovedOrSized = nullptr;
    Workspace->SetAlign(alNone);
    Workspace->SetParent(ScrollBox);
    form->Hide();
    // The form as the page made it: a window of its own, above the others.
    form->SetPopupParent(nullptr);
    form->SetFormStyle(fsStayOnTop);
}

// --- Objects, selection and changes -------------------------------------------------------------

void TfrxDesignerForm::ReloadObjects() {
    std::vector<TfrxComponent*>& objects = Objects();
    objects = Page()->AllObjects();
    objects.push_back(Report());
    objects.push_back(Page());
    SelectedObjects().assign(1, Page());
    Workspace->Page = Page();
    Workspace->Unlock();
    Workspace->AdjustBands();
    Workspace->InvalidatePage();
    if (Inspector) Inspector->Unlock();
    UpdateDataTree();
    ReportTree->UpdateItems();
    OnSelectionChanged(this);
}

void TfrxDesignerForm::UpdatePageDimensions() {
    auto* rp = dynamic_cast<TfrxReportPage*>(Page());
    if (!rp) return;
    ScrollBox->HorzScrollBar()->SetPosition(0);
    ScrollBox->VertScrollBar()->SetPosition(0);
    Workspace->SetOrigin(10, 10);
    double h = rp->PaperHeight();
    if (rp->LargeDesignHeight) h *= 3;
    auto px = [](double mm) { return static_cast<int>(Round(mm * 96 / 25.4)); };
    Workspace->SetPageDimensions(px(rp->PaperWidth()), px(h),
                                 Rect(px(rp->LeftMargin), px(rp->TopMargin), px(rp->RightMargin), px(rp->BottomMargin)));
    ScrollBox->UpdateScrollRange();
    ScrollBoxResize(this);
}

void TfrxDesignerForm::OnSelectionChanged(TObject* Sender) {
    std::vector<TfrxComponent*>& sel = SelectedObjects();
    if (Sender == ReportTree && Page() && !sel.empty() && sel.front() != Report()) {
        TfrxComponent* first = sel.front();
        TfrxPage* page = first->Page();
        if (page && page != Page()) {
            SetPage(page);
            SelectedObjects().assign(1, first);
            ReportTree->UpdateSelection();
        }
    } else if (Sender != ReportTree) {
        ReportTree->UpdateSelection();
    }
    if (Sender != Workspace) {
        Workspace->InvalidatePage();
        Workspace->UpdateView();
    }
    if (Inspector && Sender != Inspector) {
        Inspector->SetObjectList(Objects());
        Inspector->SetObjects(&SelectedObjects());
    }
    UpdateControls();
}

void TfrxDesignerForm::OnModify(TObject* Sender) {
    ModifiedBy = Sender;
    SetModified(true);
}

// --- Switches ------------------------------------------------------------------------------------

void TfrxDesignerForm::SetGridAlign(bool Value) {
    FGridAlign = Value;
    AlignToGridB->SetDown(Value);
    Workspace->GridAlign = Value;
}

void TfrxDesignerForm::SetShowGrid(bool Value) {
    FShowGrid = Value;
    ShowGridB->SetDown(Value);
    Workspace->SetShowGrid(Value);
}

void TfrxDesignerForm::SetShowRulers(bool Value) {
    FShowRulers = Value;
    TopRuler->SetVisible(Value);
    LeftRuler->SetVisible(Value);
    ShowRulersMI->SetChecked(Value);
}

void TfrxDesignerForm::SetShowGuides(bool Value) {
    FShowGuides = Value;
    Workspace->SetShowGuides(Value);
    ShowGuidesMI->SetChecked(Value);
}

void TfrxDesignerForm::SetToolsColor(TColor Value) {
    ToolsColor = Value;
    DataTree->SetColor(Value);
    ReportTree->SetColor(Value);
    if (Inspector) Inspector->SetColor(Value);
}

void TfrxDesignerForm::SetWorkspaceColor(TColor Value) {
    WorkspaceColor = Value;
    if (!dynamic_cast<TfrxDialogPage*>(Page())) Workspace->SetColor(Value);
}

void TfrxDesignerForm::SetScale(double Value) {
    // A typed "-50%" is no zoom either: below 0 counts as 100 % too.
    if (!(Value > 0)) Value = 1;
    if (Value > 20) Value = 20;
    FScale = Value;
    ScrollBox->SetAutoScroll(false);
    TopRuler->SetScale(Value);
    LeftRuler->SetScale(Value);
    Workspace->SetScale(Value);
    ScaleCB->SetText(IntToStr(Round(Value * 100)) + "%");
    UpdatePageDimensions();
    ScrollBox->SetAutoScroll(true);
}

void TfrxDesignerForm::SetUnits(int Value) {
    FCurUnits = Value;
    static const char* const kKeys[] = {"dsCm", "dsInch", "dsPix", "dsChars"};
    static const TfrxRulerUnits kRuler[] = {ruCM, ruInches, ruPixels, ruChars};
    static const TfrxGridType kGrid[] = {gtCm, gtInch, gtPixels, gtChar};
    if (Value < 0 || Value > 3) Value = 0;
    StatusBar->Panels()->Items(0)->SetText(Res(kKeys[Value]));
    TopRuler->SetUnits(kRuler[Value]);
    LeftRuler->SetUnits(kRuler[Value]);
    if (!dynamic_cast<TfrxDialogPage*>(Page())) {
        switch (Value) {
            case 0: Workspace->GridX = Workspace->GridY = Grid1 * 37.7953; break;
            case 1: Workspace->GridX = Workspace->GridY = Grid2 * 96; break;
            case 2: Workspace->GridX = Workspace->GridY = Grid3; break;
            default:
                Workspace->GridX = 9.6;
                Workspace->GridY = 17;
                break;
        }
        Workspace->SetGridType(kGrid[Value]);
    }
    Workspace->AdjustBands();
    if (!SelectedObjects().empty()) OnSelectionChanged(this);
}

void TfrxDesignerForm::UpdateStyles() {
    // The box goes on showing the style it showed (the selected memo's) when it is still
    // there.
    const std::string shown = StyleCB->Text();
    StyleCB->Items()->Clear();
    Report()->Styles()->GetList(StyleCB->Items());
    StyleCB->Items()->Insert(0, Res("dsNoStyle"));
    if (!shown.empty()) StyleCB->SetItemIndex(StyleCB->Items()->IndexOf(shown));
}

void TfrxDesignerForm::ShowError(const std::string& Text) { frxErrorMsg(Text); }

void frxRegisterDesigner() {
    static bool done = false;
    if (done) return;
    done = true;
    frxDesignerClass() = [](TComponent* Owner, TfrxReport* Report, bool PreviewDesigner) -> TfrxCustomDesigner* {
        return new TfrxDesignerForm(Owner, Report, PreviewDesigner);
    };
    frxRegisterReportDialogs();
    frxRegisterOptionsEditor();
    frxRegisterTabOrderEditor();
}

void TfrxDesignerForm::DeclareProperties(TPropertyDecl<TfrxDesignerForm>& d) {
    using F = TfrxDesignerForm;
    d.Method("ExitCmdExecute", &F::ExitCmdExecute);
    d.Method("UndoCmdExecute", &F::UndoCmdExecute);
    d.Method("RedoCmdExecute", &F::RedoCmdExecute);
    d.Method("CutCmdExecute", &F::CutCmdExecute);
    d.Method("CopyCmdExecute", &F::CopyCmdExecute);
    d.Method("PasteCmdExecute", &F::PasteCmdExecute);
    d.Method("DeleteCmdExecute", &F::DeleteCmdExecute);
    d.Method("SelectAllCmdExecute", &F::SelectAllCmdExecute);
    d.Method("EditCmdExecute", &F::EditCmdExecute);
    d.Method("GroupCmdExecute", &F::GroupCmdExecute);
    d.Method("UngroupCmdExecute", &F::UngroupCmdExecute);
    d.Method("BringToFrontCmdExecute", &F::BringToFrontCmdExecute);
    d.Method("SendToBackCmdExecute", &F::SendToBackCmdExecute);
    d.Method("NewReportCmdExecute", &F::NewReportCmdExecute);
    d.Method("NewPageCmdExecute", &F::NewPageCmdExecute);
    d.Method("NewDialogCmdExecute", &F::NewDialogCmdExecute);
    d.Method("DeletePageCmdExecute", &F::DeletePageCmdExecute);
    d.Method("NewItemCmdExecute", &F::NewItemCmdExecute);
    d.Method("OpenCmdExecute", &F::OpenCmdExecute);
    d.Method("SaveCmdExecute", &F::SaveCmdExecute);
    d.Method("SaveAsCmdExecute", &F::SaveAsCmdExecute);
    d.Method("PageSettingsCmdExecute", &F::PageSettingsCmdExecute);
    d.Method("VariablesCmdExecute", &F::VariablesCmdExecute);
    d.Method("ReportDataMIClick", &F::ReportDataMIClick);
    d.Method("ReportStylesMIClick", &F::ReportStylesMIClick);
    d.Method("ReportSettingsMIClick", &F::ReportSettingsMIClick);
    d.Method("OptionsMIClick", &F::OptionsMIClick);
    d.Method("TabOrderMIClick", &F::TabOrderMIClick);
    d.Method("HelpContentsMIClick", &F::HelpContentsMIClick);
    d.Method("AboutMIClick", &F::AboutMIClick);
    d.Method("PreviewCmdExecute", &F::PreviewCmdExecute);
    d.Method("FindMIClick", &F::FindMIClick);
    d.Method("FindNextMIClick", &F::FindNextMIClick);
    d.Method("TimerTimer", &F::TimerTimer);
    d.Method("PagePopupPopup", &F::PagePopupPopup);
    d.Method("SelectToolBClick", &F::SelectToolBClick);
    d.Method("ObjectsButtonClick", &F::ObjectsButtonClick);
    d.Method("ObjectBandBClick", &F::ObjectBandBClick);
    d.Method("InsertBandClick", &F::InsertBandClick);
    d.Method("BandsPopupPopup", &F::BandsPopupPopup);
    d.Method("ToolButtonClick", &F::ToolButtonClick);
    d.Method("HighlightBClick", &F::HighlightBClick);
    d.Method("TabChange", &F::TabChange);
    d.Method("FormCloseQuery", &F::FormCloseQuery);
    d.Method("FormClose", &F::FormClose);
}

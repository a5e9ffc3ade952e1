// The designer window: one top-level window per design run that edits one report. It
// implements the report's abstract designer, so the report, the tool windows and every
// editor dialog reach it only through that interface, and it owns the page workspace with
// its rulers, the code page, the data and report trees, the undo buffer, the designer
// clipboard, the page tabs, the menus, tool bars, object palette and status bar.
//
// The window keeps two lists that its views share: Objects (every object of the current
// page, then the report, then the page) and SelectedObjects. Every change of the report
// goes through SetModified, which takes a whole-report undo snapshot and refreshes every
// view except the one named in ModifiedBy.
//
// The module is split by role: DesignerForm.cpp (construction, the designer operations,
// pages, scale and units, selection and modification), DesignerSync.cpp (tool bar and
// status state), DesignerInsert.cpp (insertion, editing, copy format, find and replace),
// DesignerFiles.cpp (report files and recent files), DesignerCommands.cpp (the commands
// of the menus, tool bars and pop-ups).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designer/window/DesignerComponent.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "report/ReportServices.h"
#include "report/Frame.h"
#include "report/Utils.h"

class TCustomIniFile;
class TDesignerWorkspace;
class TfrxClipboard;
class TfrxComboBox;
class TfrxFontComboBox;
class TfrxDataTreeForm;
class TfrxDialogPage;
class TfrxMemoView;
class TfrxReportTreeForm;
class TfrxRuler;
class TfrxScriptDebugger;
class TfrxScrollBox;
class TfrxSyntaxMemo;
class TfrxUndoBuffer;
class TTabControl;
class TfrxDockSite;
class TfrxDock;
class TfrxToolBar;
class TfrxTBPanel;
class TfrxColorSelector;
class TfrxLineSelector;
class TfrxObjectInspector;
class TfrxToolWindow;

// The copy-format sample: a private memo that takes the look of a memo and gives it to
// others (the memos drawn next, the format painter).
class TSampleFormat {
public:
    TSampleFormat();
    ~TSampleFormat();
    TSampleFormat(const TSampleFormat&) = delete;
    TSampleFormat& operator=(const TSampleFormat&) = delete;
    // The sample takes every property of Memo, its FlowTo cleared.
    void SetMemo(TfrxComponent* Memo);
    // Colour, font, frame, brush style, alignments, line spacing and the parent-font switch.
    void ApplySample(TfrxComponent* Memo) const;
    TfrxMemoView* Memo() const { return FMemo.get(); }

private:
    std::unique_ptr<TfrxMemoView> FMemo;
};

// The dialogs that the designer's commands open and that later units of the designer
// provide: each unit sets its entry when it registers. A command whose dialog is not set
// stays disabled. Each returns true when the user confirmed (the report changed).
struct TfrxDesignerDialogs {
    std::function<bool(class TfrxDesignerForm*)> PageSettings;   // the current report page
    std::function<bool(TfrxDesignerForm*)> Variables;
    std::function<bool(TfrxDesignerForm*)> ReportData;
    std::function<bool(TfrxDesignerForm*)> ReportStyles;
    std::function<bool(TfrxDesignerForm*)> ReportOptions;
    std::function<bool(TfrxDesignerForm*)> DesignerOptions;
    std::function<bool(TfrxDesignerForm*)> TabOrder;
    std::function<bool(TfrxDesignerForm*)> NewItem;
    // The expression editor on Expr; on OK the edited text is in Expr.
    std::function<bool(TfrxDesignerForm*, std::string& Expr)> ExpressionEditor;
};
TfrxDesignerDialogs& frxDesignerDialogs();

class TfrxDesignerForm : public TfrxCustomDesigner {
    ROVE_CLASS(TfrxDesignerForm, TfrxCustomDesigner)
public:
    TfrxDesignerForm(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner);
    ~TfrxDesignerForm() override;

    // --- The report's designer operations ------------------------------------------------
    void SetModified(bool Value) override;
    void SetPage(TfrxPage* Value) override;
    std::vector<std::string> GetCode() override;
    std::string InsertExpression(const std::string& Expr) override;
    void Lock() override;
    void ReloadPages(int Index) override;
    void ReloadReport() override;
    void UpdateDataTree() override;
    void UpdatePage() override;

    // --- The code page (DesignerCode.cpp) ------------------------------------------------------
    void SwitchToCodeWindow() override { SetPage(nullptr); }
    std::vector<std::string> ListMatchingHandlers(const std::string& EventType) override;
    int FindHandlerLine(const std::string& Name) override;
    int InsertEventHandler(const std::string& EventType, const std::string& Name) override;
    void ShowCodeLine(int Line, int Column) override;
    // Run (RunScriptB) or Step (StepScriptB) the report's script.
    void RunScriptBClick(TObject* Sender);
    void StopScriptBClick(TObject* Sender);
    void EvaluateBClick(TObject* Sender);
    void OpenScriptBClick(TObject* Sender);
    void SaveScriptBClick(TObject* Sender);
    void CodeWindowDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void CodeWindowDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void DataTreeDblClick(TObject* Sender);
    TfrxScriptDebugger* Debugger() const { return FDebugger.get(); }

    // --- Further operations ----------------------------------------------------------------
    // The current page's index among the report's pages; -1 on the code page.
    int GetPageIndex() const;
    // False when the options component in force forbids R.
    bool CheckRestriction(TfrxDesignerRestriction R) const;
    // The size of a text object dropped or drawn without a size, in the unit in force.
    TfrxPoint DefaultObjectSize() const;
    // The default height of a new band in the unit in force.
    double DefaultBandHeight() const;
    int CurUnits() const override { return FCurUnits; }
    int Units() const { return FUnits; }

    // Setters that keep the switches and their controls in step.
    void SetGridAlign(bool Value);
    void SetShowGrid(bool Value);
    void SetShowRulers(bool Value);
    void SetShowGuides(bool Value);
    void SetToolsColor(TColor Value);
    void SetWorkspaceColor(TColor Value);
    // 0 (and below) counts as 100 %, above 20 as 2000 %.
    void SetScale(double Value);
    // The unit in force: 0 cm, 1 inch, 2 pixels, 3 characters.
    void SetUnits(int Value);
    bool GridAlign() const { return FGridAlign; }
    bool ShowGrid() const { return FShowGrid; }
    bool ShowRulers() const { return FShowRulers; }
    bool ShowGuides() const { return FShowGuides; }
    double Scale() const { return FScale; }

    // --- Report files --------------------------------------------------------------------
    // The file name part of the report's file name, "Untitled.bl3" for a new report.
    std::string ReportFileName() const;
    void UpdateCaption();
    // IDYES, IDNO or IDCANCEL.
    int AskSaveChanges();
    // A named file (a recent-file item), the load hook, or the open dialog.
    void OpenReport(const std::string& FileName = {}, bool CallHook = true);
    // True when the report was saved.
    bool SaveReport(bool SaveAs, bool CallHook = true);
    void AddRecentFile(const std::string& FileName);
    const std::vector<std::string>& RecentFiles() const { return FRecentFiles; }

    // --- Settings in the report's settings store -------------------------------------------------
    // Written when the window goes (not by a preview designer).
    void SaveDesignerSettings();
    // Read when the window is made; with RestoreDefaults (the options window's button) the
    // built-in layout and options are put in force instead. A first run, and a store whose
    // settings cannot be used, take the built-in ones too.
    void RestoreDesignerSettings(bool RestoreDefaults);

    // --- Views of the selection -------------------------------------------------------------
    void UpdateControls();
    void UpdateObjectsToolbar();
    void OnNotifyPosition(const TfrxRect& ARect);
    void OnSelectionChanged(TObject* Sender);
    void OnModify(TObject* Sender);
    void OnInsertObject(TObject* Sender);
    void OnEditObject(TObject* Sender);
    void ReloadObjects();
    void UpdatePageDimensions();
    void UpdateSyntaxType();
    void UpdateStyles();
    // Find (or replace) FindText from FindIndex on, on the page or in the code.
    void FindOrReplace();
    const std::string& PositionText() const { return FPositionText; }
    const std::string& SizeText() const { return FSizeText; }
    const std::string& ScaleText() const { return FScaleText; }

    // --- Commands (menus, tool bars, pop-ups) ---------------------------------------------------
    void ExitCmdExecute(TObject* Sender);
    void UndoCmdExecute(TObject* Sender);
    void RedoCmdExecute(TObject* Sender);
    void CutCmdExecute(TObject* Sender);
    void CopyCmdExecute(TObject* Sender);
    void PasteCmdExecute(TObject* Sender);
    void DeleteCmdExecute(TObject* Sender);
    void SelectAllCmdExecute(TObject* Sender);
    void EditCmdExecute(TObject* Sender);
    void GroupCmdExecute(TObject* Sender);
    void UngroupCmdExecute(TObject* Sender);
    void BringToFrontCmdExecute(TObject* Sender);
    void SendToBackCmdExecute(TObject* Sender);
    void NewReportCmdExecute(TObject* Sender);
    void NewPageCmdExecute(TObject* Sender);
    void NewDialogCmdExecute(TObject* Sender);
    void DeletePageCmdExecute(TObject* Sender);
    void NewItemCmdExecute(TObject* Sender);
    void OpenCmdExecute(TObject* Sender);
    void SaveCmdExecute(TObject* Sender);
    void SaveAsCmdExecute(TObject* Sender);
    void PageSettingsCmdExecute(TObject* Sender);
    void VariablesCmdExecute(TObject* Sender);
    void ReportDataMIClick(TObject* Sender);
    void ReportStylesMIClick(TObject* Sender);
    void ReportSettingsMIClick(TObject* Sender);
    void OptionsMIClick(TObject* Sender);
    void TabOrderMIClick(TObject* Sender);
    void HelpContentsMIClick(TObject* Sender);
    void AboutMIClick(TObject* Sender);
    void PreviewCmdExecute(TObject* Sender);
    void FindMIClick(TObject* Sender);
    void FindNextMIClick(TObject* Sender);
    void RecentFileClick(TObject* Sender);
    void WizardButtonClick(TObject* Sender);
    void TimerTimer(TObject* Sender);
    void PagePopupPopup(TObject* Sender);
    // The tool buttons and the palette; the bands menu.
    void SelectToolBClick(TObject* Sender);
    void ObjectsButtonClick(TObject* Sender);
    void ObjectBandBClick(TObject* Sender);
    void InsertBandClick(TObject* Sender);
    void BandsPopupPopup(TObject* Sender);
    // The formatting controls that need no dialog of their own (font name, size and style,
    // text alignment, frame lines, shadow and width, snap to grid, style).
    void ToolButtonClick(TObject* Sender);
    // The highlight dialog on the first selected memo, its highlight copied to the others.
    void HighlightBClick(TObject* Sender);
    // The colour buttons (FontColorB, FillColorB, FrameColorB) and the frame style button
    // drop their selectors down; a pick sets CurrentColor (CurrentLineStyle) and runs the
    // button's command over the selection.
    void FontColorBClick(TObject* Sender);
    void FrameStyleBClick(TObject* Sender);
    // A colour selector under Sender starting with the colour of the first selected view
    // (its font colour for FontColorB), its pick going to ToolButtonClick.
    TfrxColorSelector* CreateColorSelector(TObject* Sender);
    // The alignment palette's buttons (AlignLeftsB ... SameHeightB): the Tag is the command.
    void AlignButtonClick(TObject* Sender);
    // View > Toolbars: the items' Tags 0-7 name StandardTB, TextTB, FrameTB, AlignTB,
    // ExtraToolsTB, the inspector, the data tree and the report tree; a click shows or
    // hides its element, opening the sub-menu sets the check marks.
    void ToolbarsMIClick(TObject* Sender);
    void ToolbarsMIOpen(TObject* Sender);
    void ShowGridBClick(TObject* Sender);
    void AlignToGridBClick(TObject* Sender);
    void SampleFormatBClick(TObject* Sender);
    void ShowRulersMIClick(TObject* Sender);
    void ShowGuidesMIClick(TObject* Sender);
    void DeleteGuidesMIClick(TObject* Sender);
    void ScaleCBClick(TObject* Sender);
    void TabChange(TObject* Sender);
    void TabChanging(TObject* Sender, bool& AllowChange);
    void StatusBarDrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, TRect ARect);
    // Page tabs, status bar and wheel (DesignerView.cpp): the current page's tab dragged
    // onto another page's tab moves the page there; a double click on the unit panel steps
    // the unit; the wheel scrolls the page, with Ctrl it zooms.
    void TabMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TabMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void TabMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void TabDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void TabDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    // Moves the current page's tab to tab D (and the page with it); false when nothing moved.
    bool MoveCurrentPageTo(int D);
    void StatusBarMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void StatusBarDblClick(TObject* Sender);
    void ScrollBoxMouseWheel(TObject* Sender, TShiftState Shift, int Delta, bool& Handled);
    void ScrollBoxResize(TObject* Sender);
    void LangCBClick(TObject* Sender);
    // The language box as wide as its widest language, after its label; the tool bar's
    // buttons stand after it.
    void PlaceLangBox();
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // --- State ---------------------------------------------------------------------------
    TObject* ModifiedBy = nullptr;
    bool EditAfterInsert = false;
    double Grid1 = 0.1, Grid2 = 0.1, Grid3 = 4, Grid4 = 4;
    TColor WorkspaceColor = clWhite;
    TColor ToolsColor = clWindow;
    // The colour and the line style last picked in a selector.
    TColor CurrentColor = clNone;
    TfrxFrameStyle CurrentLineStyle = fsSolid;
    std::string FindText, ReplaceText;
    bool FindCaseSensitive = false;
    int FindIndex = 0;
    bool ScriptRunning = false;
    bool UpdatingControls() const { return FUpdatingControls; }
    TSampleFormat* SampleFormat() const { return FSampleFormat.get(); }
    TfrxUndoBuffer* UndoBuffer() const { return FUndoBuffer.get(); }
    TfrxClipboard* Clipboard() const { return FClipboard.get(); }
    TfrxDesigner* SavedDesigner() const { return FSavedDesigner; }
    // The live window of the current dialog page, or nullptr.
    TForm* DialogForm() const { return FDialogForm; }

    // --- Components (names as the string table's window block has them) ------------------------
    TMainMenu* MainMenu = nullptr;
    TMenuItem *FileMenu = nullptr, *EditMenu = nullptr, *ReportMenu = nullptr, *ViewMenu = nullptr,
              *HelpMenu = nullptr;
    TMenuItem *SepMI11 = nullptr, *SepMI4 = nullptr;
    TMenuItem *FindMI = nullptr, *ReplaceMI = nullptr, *FindNextMI = nullptr;
    TMenuItem *ReportDataMI = nullptr, *ReportStylesMI = nullptr, *ReportSettingsMI = nullptr, *OptionsMI = nullptr,
              *TabOrderMI = nullptr, *HelpContentsMI = nullptr, *AboutMI = nullptr, *ShowRulersMI = nullptr, *ShowGuidesMI = nullptr,
              *DeleteGuidesMI = nullptr;
    TPopupMenu *PagePopup = nullptr, *TabPopup = nullptr, *BandsPopup = nullptr, *ObjectsPopup = nullptr,
               *RotationPopup = nullptr;
    TMenuItem *EditMI1 = nullptr, *SepMI12 = nullptr, *SepMI8 = nullptr;
    TActionList* ActionList = nullptr;
    TAction *ExitCmd = nullptr, *CutCmd = nullptr, *CopyCmd = nullptr, *PasteCmd = nullptr, *UndoCmd = nullptr,
            *RedoCmd = nullptr, *DeleteCmd = nullptr, *SelectAllCmd = nullptr, *EditCmd = nullptr,
            *BringToFrontCmd = nullptr, *SendToBackCmd = nullptr, *DeletePageCmd = nullptr, *NewItemCmd = nullptr,
            *NewPageCmd = nullptr, *NewDialogCmd = nullptr, *NewReportCmd = nullptr, *OpenCmd = nullptr,
            *SaveCmd = nullptr, *SaveAsCmd = nullptr, *VariablesCmd = nullptr, *PageSettingsCmd = nullptr,
            *PreviewCmd = nullptr, *GroupCmd = nullptr, *UngroupCmd = nullptr;

    // The docks of the tool bars and the dock sites of the tool windows.
    TfrxDock *DockTop = nullptr, *DockBottom = nullptr, *DockRight = nullptr;
    TfrxDockSite *LeftDockSite1 = nullptr, *LeftDockSite2 = nullptr, *RightDockSite = nullptr;
    // Tool bars: the dockable bar and the tool bar of buttons it holds.
    TfrxToolBar *StandardTB = nullptr, *TextTB = nullptr, *FrameTB = nullptr, *ExtraToolsTB = nullptr;
    TToolBar *StandardTB1 = nullptr, *TextTB1 = nullptr, *FrameTB1 = nullptr, *ExtraToolsTB1 = nullptr;
    TToolButton *NewB = nullptr, *OpenB = nullptr, *SaveB = nullptr, *PreviewB = nullptr, *NewPageB = nullptr,
                *NewDialogB = nullptr, *DeletePageB = nullptr, *PageSettingsB = nullptr, *VariablesB = nullptr,
                *CutB = nullptr, *CopyB = nullptr, *PasteB = nullptr, *SampleFormatB = nullptr, *UndoB = nullptr,
                *RedoB = nullptr, *GroupB = nullptr, *UngroupB = nullptr, *ShowGridB = nullptr,
                *AlignToGridB = nullptr, *SetToGridB = nullptr;
    TfrxComboBox* ScaleCB = nullptr;
    TfrxComboBox *StyleCB = nullptr, *FontSizeCB = nullptr;
    TfrxFontComboBox* FontNameCB = nullptr;
    TToolButton *BoldB = nullptr, *ItalicB = nullptr, *UnderlineB = nullptr, *FontB = nullptr, *FontColorB = nullptr,
                *HighlightB = nullptr, *RotateB = nullptr, *TextAlignLeftB = nullptr, *TextAlignCenterB = nullptr,
                *TextAlignRightB = nullptr, *TextAlignBlockB = nullptr, *TextAlignTopB = nullptr,
                *TextAlignMiddleB = nullptr, *TextAlignBottomB = nullptr;
    TToolButton *FrameTopB = nullptr, *FrameBottomB = nullptr, *FrameLeftB = nullptr, *FrameRightB = nullptr,
                *FrameAllB = nullptr, *FrameNoB = nullptr, *ShadowB = nullptr, *FillColorB = nullptr,
                *FrameColorB = nullptr, *FrameStyleB = nullptr;
    TfrxComboBox* FrameWidthCB = nullptr;
    // The alignment palette (hidden until View > Toolbars shows it).
    TfrxToolBar* AlignTB = nullptr;
    TToolBar* AlignTB1 = nullptr;
    TToolButton *AlignLeftsB = nullptr, *AlignHorzCentersB = nullptr, *AlignRightsB = nullptr, *AlignTopsB = nullptr,
                *AlignVertCentersB = nullptr, *AlignBottomsB = nullptr, *SpaceHorzB = nullptr, *SpaceVertB = nullptr,
                *CenterHorzB = nullptr, *CenterVertB = nullptr, *SameWidthB = nullptr, *SameHeightB = nullptr;
    // The dot-matrix style menu that FontB drops down in a dot-matrix report (Tags 34-42).
    TPopupMenu* DMPPopup = nullptr;
    // View > Toolbars and its items (InspectorMI: F11).
    TMenuItem *ToolbarsMI = nullptr, *InspectorMI = nullptr;
    // The object palette down the left edge.
    TToolBar* ObjectsTB1 = nullptr;
    TToolButton *ObjectSelectB = nullptr, *HandToolB = nullptr, *ZoomToolB = nullptr, *TextToolB = nullptr,
                *FormatToolB = nullptr, *SepTB14 = nullptr, *ObjectBandB = nullptr;
    // The page area.
    TTabControl* Tab = nullptr;
    TPanel* ScrollBoxPanel = nullptr;
    TfrxRuler *TopRuler = nullptr, *LeftRuler = nullptr;
    TfrxScrollBox* ScrollBox = nullptr;
    TPanel* CodePanel = nullptr;
    TToolBar* CodeTB = nullptr;
    TLabel* LangL = nullptr;
    TComboBox* LangCB = nullptr;
    TToolButton *OpenScriptB = nullptr, *SaveScriptB = nullptr, *RunScriptB = nullptr, *StepScriptB = nullptr,
                *StopScriptB = nullptr, *EvaluateB = nullptr;
    TOpenDialog* OpenScriptDialog = nullptr;
    TSaveDialog* SaveScriptDialog = nullptr;
    // The script editor of the code page.
    TfrxSyntaxMemo* CodeWindow = nullptr;
    TStatusBar* StatusBar = nullptr;
    TOpenDialog* OpenDialog = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TTimer* Timer = nullptr;
    TDesignerWorkspace* Workspace = nullptr;
    TfrxDataTreeForm* DataTree = nullptr;
    TfrxReportTreeForm* ReportTree = nullptr;
    // The object inspector, docked below the report tree.
    TfrxObjectInspector* Inspector = nullptr;

    static void DeclareProperties(TPropertyDecl<TfrxDesignerForm>& d);

private:
    void CreateMenus();
    void CreateToolbars();
    void CreatePalette();
    void CreatePageArea();
    void CreateCodePage();
    // The code page's keys (run, step, stop, evaluate, run to the caret line); true when taken.
    bool CodeKeyDown(uint16_t Key, TShiftState Shift);
    // Report.ScriptText := the code editor's lines, their trailing blanks stripped.
    void StoreScriptText();
    // The script buttons and the commands that would reload the report follow the debugger.
    void ScriptStateChanged();
    void CreateToolWindows();
    void CreateWizardButtons();
    // Puts the dialog page's surface over the controls on its form again.
    void KeepSurfaceOnTop();
    // The object inspector below the report tree, the alignment palette, the dot-matrix
    // style menu and View > Toolbars (DesignerFormatting.cpp).
    void CreateInspector();
    void CreateAlignPalette();
    void CreateFormattingMenus();
    // The tab captions again (a page or subreport renamed in the inspector).
    void UpdateTabCaptions();
    std::string PageTabCaption(int Index) const;
    // The check marks of the dot-matrix style menu follow the first selected object.
    void UpdateDMPMenu();
    TAction* AddAction(const char* Name, const char* Caption, int Image, TShortCut Key,
                       void (TfrxDesignerForm::*Handler)(TObject*));
    TMenuItem* AddItem(TMenuItem* Parent, const char* Name, const char* Caption, TBasicAction* Action = nullptr,
                       void (TfrxDesignerForm::*Handler)(TObject*) = nullptr);
    TToolButton* AddButton(TToolBar* Bar, const char* Name, int Image, TToolButtonStyle Style = tbsButton,
                           TBasicAction* Action = nullptr);
    // The tool windows' dock sites: caption bars, widths, an empty site closed.
    void ArrangeDock();
    // A panel over the separator of Bar that keeps a box's place free in the row.
    TfrxTBPanel* BoxPanel(TToolBar* Bar, TToolButton* Separator);
    // The tool bars' designed places in the top dock (before the settings move them).
    void PlaceToolBars();
    // The tool bar of a View > Toolbars item's Tag 0-4, nullptr for another Tag.
    TfrxToolBar* ToolBarOf(int Tag) const;
    // Shows or hides a tool window (in its dock site: with its caption bar; an empty site
    // closes).
    void ShowToolWindow(TCustomForm* Window, bool Show);
    void BindViewControls();
    bool FTabDragging = false;
    bool FUnitsPanelClicked = false;
    void LoadDesignerSettings(TCustomIniFile& Ini, bool RestoreDefaults);
    std::unique_ptr<TCustomIniFile> DefaultLayoutText() const;
    // The five tool bars and the three dock sites the settings name (nullptr for one the
    // window does not have).
    std::vector<TControl*> ToolbarElements() const;
    std::vector<TControl*> DockSites() const;
    // The tool windows that are panels of the window (not the dock manager's).
    TControl* PanelWindow(int Tag) const;
    void SavePanelLayout(TCustomIniFile& S);
    void RestorePanelLayout(TCustomIniFile& Ini, bool RestoreDefaults);
    // ReloadObjects, with the selection kept.
    void ReloadObjectsKeepSelection();
    void AttachDialogForm(TfrxDialogPage* Page);
    void DetachDialogForm();
    // Whether the keys typed on the dialog form go to the surface on it (it holds the focus).
    bool SurfaceHoldsKeys(TForm* Form) const;
    // The dialog commands whose dialogs are not installed stay disabled.
    void EnablePendingDialogs();
    void DisableRefusedCommands();
    void RebuildRecentMenu();
    void ShowError(const std::string& Text);

    int FUnits = 0;
    int FCurUnits = 0;
    double FScale = 1;
    bool FGridAlign = true;
    bool FShowGrid = true;
    bool FShowRulers = true;
    bool FShowGuides = true;
    bool FUpdatingControls = false;
    bool FClosing = false;
    std::string FPositionText, FSizeText, FScaleText;
    std::vector<std::string> FRecentFiles;
    int FRecentIndex = 0;
    std::vector<TMenuItem*> FRecentItems;
    std::vector<TMenuItem*> FEditorItems;
    // The boxes' panels of the tool bars and the separators that keep their places free.
    std::vector<std::pair<TToolButton*, TfrxTBPanel*>> FBoxPanels;
    std::unique_ptr<TfrxUndoBuffer> FUndoBuffer;
    std::unique_ptr<TfrxClipboard> FClipboard;
    std::unique_ptr<TSampleFormat> FSampleFormat;
    TfrxDesigner* FSavedDesigner = nullptr;
    std::unique_ptr<TfrxDesigner> FPreviewDesigner;
    TForm* FDialogForm = nullptr;
    TfrxDialogPage* FDialogPage = nullptr;
    int FClipboardListener = 0;
    std::unique_ptr<TfrxScriptDebugger> FDebugger;
    // The preview command is preparing the report (a second one waits for it to end).
    bool FPreviewing = false;
};

// Fills the report engine's designer class with TfrxDesignerForm (once).
void frxRegisterDesigner();

// A report object of Class made for the designer (drawn objects keep their design-time
// look) with Owner as owner and parent; the object registry's Flags pick the variant (a
// diagonal line, a shape kind).
TfrxComponent* frxCreateDesignObject(TClass Class, TComponent* Owner, uint16_t Flags);

// The designer's help page that Help > Help Contents (F1) opens in the desktop's browser:
// "designer.html" in the folder "help" beside the program, with the clinic's pages.
std::string frxDesignerHelpFile();

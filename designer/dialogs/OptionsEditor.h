// The designer options window: the measuring unit and the grid steps, grid display and
// snapping, the fonts of the code editor and of the memo editor, the colours of the
// workspace and of the tool windows, the LCD grid colour, and the band and insertion
// behaviour. It shows a set of values and writes them back only when closed with OK; the
// designer window reads the set from itself before and applies it afterwards.
#pragma once

#include <functional>
#include <string>

#include "platform/graphics/Colors.h"
#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TPaintBox;
class TRadioButton;

// What the window edits.
struct TfrxDesignerOptions {
    int Units = 0;               // the unit in force: 0 cm, 1 inch, 2 pixels
    bool UnitsEnabled = true;    // false on dialog and dot-matrix pages
    double Grid1 = 0.1, Grid2 = 0.1, Grid3 = 4, Grid4 = 4;
    bool ShowGrid = true;
    bool GridAlign = true;
    bool EditAfterInsert = false;
    bool ShowBandCaptions = true;
    bool FreeBands = false;
    int BandsGap = 4;
    bool GridLCD = false;
    std::string CodeFontName = "Courier New";
    int CodeFontSize = 10;
    std::string MemoFontName = "Arial";
    int MemoFontSize = 10;
    bool UseObjectFont = true;
    TColor WorkspaceColor = clWindow;
    TColor ToolsColor = clWindow;
};

class TfrxOptionsEditor : public TForm {
    ROVE_CLASS(TfrxOptionsEditor, TForm)
public:
    explicit TfrxOptionsEditor(TComponent* AOwner);

    // The values shown; OK writes the edited ones back.
    TfrxDesignerOptions* Options = nullptr;
    // The designer's restore of its default settings (the button does it, then closes the
    // window without applying what it shows).
    std::function<void()> RestoreDefaults;
    bool DefaultsRestored() const { return FDefaultsRestored; }

    TGroupBox *GridGB = nullptr, *FontsGB = nullptr, *ColorsGB = nullptr, *OtherGB = nullptr;
    TLabel *TypeL = nullptr, *SizeL = nullptr, *DialogFormL = nullptr, *CMUnitL = nullptr, *InchesUnitL = nullptr,
           *PixelsUnitL = nullptr, *CodeWindowL = nullptr, *CodeSizeL = nullptr, *MemoEditorL = nullptr,
           *MemoSizeL = nullptr, *WorkspaceL = nullptr, *ToolL = nullptr, *GapL = nullptr;
    TRadioButton *CMRB = nullptr, *InchesRB = nullptr, *PixelsRB = nullptr;
    TEdit *CME = nullptr, *InchesE = nullptr, *PixelsE = nullptr, *DialogFormE = nullptr, *GapE = nullptr;
    TCheckBox *ShowGridCB = nullptr, *AlignGridCB = nullptr, *ObjectFontCB = nullptr, *LCDCB = nullptr,
              *EditAfterInsCB = nullptr, *FreeBandsCB = nullptr, *BandsCaptionsCB = nullptr;
    TComboBox *CodeWindowFontCB = nullptr, *CodeWindowSizeCB = nullptr, *MemoEditorFontCB = nullptr,
              *MemoEditorSizeCB = nullptr;
    TPaintBox *WorkspacePB = nullptr, *ToolPB = nullptr;
    TButton *WorkspaceB = nullptr, *ToolB = nullptr, *OkB = nullptr, *CancelB = nullptr, *RestoreDefaultsB = nullptr;
    TColorDialog* ColorDialog = nullptr;
    // The two colours while the window is open.
    TColor WorkspaceColor = clWindow;
    TColor ToolsColor = clWindow;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormHide(TObject* Sender);
    void WorkspaceBClick(TObject* Sender);
    void ToolBClick(TObject* Sender);
    void WorkspacePBPaint(TObject* Sender);
    void ToolPBPaint(TObject* Sender);
    void RestoreDefaultsBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxOptionsEditor>& d);

protected:
    void BindFields() override;

private:
    bool ReadValues(TfrxDesignerOptions& Values);
    void PickColor(TColor& Color, TPaintBox* Swatch);
    bool FDefaultsRestored = false;
};

// Shows the window on Options. The result: 0 Cancel (nothing changed), 1 OK (Options hold
// the edited values), 2 the defaults were restored (RestoreDefaults ran, Options unchanged).
int frxShowOptionsEditor(TfrxDesignerOptions& Options, std::function<void()> RestoreDefaults, TComponent* Owner);

class TfrxDesignerForm;
// What the designer window's options are now, and those values put into force in it.
TfrxDesignerOptions frxDesignerOptionsOf(TfrxDesignerForm& Designer);
void frxApplyDesignerOptions(TfrxDesignerForm& Designer, const TfrxDesignerOptions& Options);
// Sets the designer window's Options command to this window (its Restore defaults button
// restores the window's default settings).
void frxRegisterOptionsEditor();

// The preview window: a preview control filling the client area, a flat tool bar with the
// preview's commands, a zoom box and a page-number box, a close/cancel button, and a status
// bar with the page position and the prepared pages' status. The report creates it through
// frxPreviewFormClass (filled by frxRegisterPreviewForm) when no preview control of the
// program's own is attached.
#pragma once

#include <string>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"
#include "report/ReportServices.h"

class TEdit;
class TfrxDock;
class TfrxToolBar;
class TfrxTBPanel;
class TfrxComboBox;
class TfrxPreview;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TSpeedButton;
class TTimer;

class TfrxPreviewForm : public TfrxCustomPreviewForm {
    ROVE_CLASS(TfrxPreviewForm, TfrxCustomPreviewForm)
public:
    explicit TfrxPreviewForm(TComponent* AOwner);
    ~TfrxPreviewForm() override;

    TfrxCustomPreview* PreviewControl() const override;
    // Applies the report's preview options, fills the export menu, then starts the
    // preview control.
    void Init() override;

    // The zoom box follows the preview's zoom.
    void UpdateZoom();
    // The commands that change or use the pages are enabled while the report is not
    // being prepared.
    void UpdateControls();
    // The preview's page-changed handler: status panel 0 and the page box.
    void UpdatePageNumbers(TObject* Sender, int PageNo);

    // --- Handlers ---------------------------------------------------------------------
    void PrintBClick(TObject* Sender);
    void OpenBClick(TObject* Sender);
    void SaveBClick(TObject* Sender);
    void FindBClick(TObject* Sender);
    void ZoomWholePageBClick(TObject* Sender);
    void ZoomPageWidthBClick(TObject* Sender);
    void Zoom100BClick(TObject* Sender);
    void Zoom50BClick(TObject* Sender);
    void ZoomCBClick(TObject* Sender);
    void PageSettingsBClick(TObject* Sender);
    void OutlineBClick(TObject* Sender);
    void SelectToolBClick(TObject* Sender);
    void NewPageBClick(TObject* Sender);
    void DelPageBClick(TObject* Sender);
    void DesignerBClick(TObject* Sender);
    void DesignerBMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Showtemplate1Click(TObject* Sender);
    void FirstBClick(TObject* Sender);
    void PriorBClick(TObject* Sender);
    void PageEClick(TObject* Sender);
    void NextBClick(TObject* Sender);
    void LastBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    void ExportMIClick(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);

    // --- Components (the separators are null once Init has removed them) ----------------
    // The tool bar sits in a dockable toolbar (PreviewTB) in the dock along the top; it can
    // be dragged by its grip into the bottom dock or out into a window of its own.
    TfrxDock* DockTop = nullptr;
    TfrxDock* DockBottom = nullptr;
    TfrxToolBar* PreviewTB = nullptr;
    TToolBar* ToolBar = nullptr;
    TToolButton *PrintB = nullptr, *OpenB = nullptr, *SaveB = nullptr, *ExportB = nullptr, *FindB = nullptr;
    TToolButton* Sep1 = nullptr;
    TToolButton *ZoomWholePageB = nullptr, *ZoomPageWidthB = nullptr, *Zoom100B = nullptr, *Zoom50B = nullptr;
    TToolButton* Sep3 = nullptr;
    TfrxTBPanel* ZoomPanel = nullptr;
    TfrxComboBox* ZoomCB = nullptr;
    TToolButton* Sep2 = nullptr;
    TToolButton *PageSettingsB = nullptr, *OutlineB = nullptr;
    TToolButton* Sep5 = nullptr;
    TToolButton *HandToolB = nullptr, *ZoomToolB = nullptr;
    TToolButton* Sep7 = nullptr;
    TToolButton *NewPageB = nullptr, *DelPageB = nullptr, *DesignerB = nullptr;
    TToolButton* Sep6 = nullptr;
    TToolButton *FirstB = nullptr, *PriorB = nullptr;
    TToolButton* Sep4 = nullptr;
    TfrxTBPanel* PagePanel = nullptr;
    TEdit* PageE = nullptr;
    TToolButton *NextB = nullptr, *LastB = nullptr;
    TToolButton* frTBPanel1 = nullptr;
    TSpeedButton* CancelB = nullptr;
    TStatusBar* StatusBar = nullptr;
    TPopupMenu* ExportPopup = nullptr;
    TPopupMenu* HiddenMenu = nullptr;
    TMenuItem* Showtemplate1 = nullptr;
    TfrxPreview* Preview = nullptr;

    // Whether a zoom-box rewrite is waiting (posted after a choice in the box).
    bool ZoomUpdatePending() const;

protected:
    void BoundsChanged(bool Resized) override;

private:
    TToolButton* AddButton(const char* Name, const char* Caption, const char* Hint, int Image,
                           TToolButtonStyle Style = tbsButton);
    // Frees a separator the options leave with nothing to separate.
    void FreeSeparator(TToolButton*& Sep);
    // Places the tool bar's buttons and the panels over their separators.
    void ArrangeToolBar();
    // Rewrites the zoom box once the box has finished its own handling of the choice.
    void PostUpdateZoom();
    int FButtonLeft = 0;
    TTimer* FZoomTimer = nullptr;
};

// Fills frxPreviewFormClass with TfrxPreviewForm.
void frxRegisterPreviewForm();

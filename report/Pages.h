// Pages: the direct children of a report. A report page describes one paper layout
// (paper number and size, orientation, margins, columns, paper sources, duplex, the
// background picture, colour and frame) and holds the bands that the layout engine runs;
// it may repeat for every record of a dataset. A dialog page is a window that the engine
// shows before the report pages are built, to ask for parameters; its children are
// dialog controls, and its window's events run the page's script procedures.
//
// Units: paper sizes and margins are millimetres, object coordinates 96-dpi pixels;
// 1 mm = 3.77953 pixels. Paper numbers are the platform's (9 = A4); 256 is a custom size.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Printers.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Forms.h"
#include "report/Component.h"
#include "report/DataSet.h"
#include "report/Frame.h"

class TfrxBand;
class TfrxDataBand;
class TfrxPictureView;
class TfrxSubreport;
class TPicture;

ROVE_ENUM_INFO(TPrinterOrientation, poPortrait, poLandscape)
ROVE_ENUM(TfrxDuplexMode, dmNone, dmVertical, dmHorizontal)

// Pixels per millimetre.
constexpr double frxMmToPixels = 3.77953;
// The paper number of a custom size.
constexpr int frxCustomPaperSize = 256;

class TfrxReportPage : public TfrxPage {
    ROVE_CLASS(TfrxReportPage, TfrxPage)
public:
    // Portrait A4 (paper 9, 210 x 297 mm), margins 0, both bins 7.
    explicit TfrxReportPage(TComponent* AOwner);
    ~TfrxReportPage() override;

    // --- Paper -----------------------------------------------------------------------------
    TPrinterOrientation Orientation() const { return FOrientation; }
    // A change swaps width and height and turns the margins with the paper.
    void SetOrientation(TPrinterOrientation Value);
    double PaperWidth() const { return FPaperWidth; }
    double PaperHeight() const { return FPaperHeight; }
    // Either makes the paper a custom size (256).
    virtual void SetPaperWidth(double Value);
    virtual void SetPaperHeight(double Value);
    int PaperSize() const { return FPaperSize; }
    // Below 256 the paper table gives the size (swapped in landscape; a number the table
    // lacks keeps the size); 256 and above keep the size.
    virtual void SetPaperSize(int Value);
    double LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    bool MirrorMargins = false;
    int Bin = 7;
    int BinOtherPages = 7;
    TfrxDuplexMode Duplex = dmNone;

    // --- Columns ---------------------------------------------------------------------------
    int Columns() const { return FColumns; }
    // Stores the count (at most frxMaxPageColumns) and lays the columns out evenly over
    // the printable width: ColumnWidth and one position text per column.
    void SetColumns(int Value);
    double ColumnWidth = 0;   // mm
    // The left position of each column in mm, as number texts.
    TStringList* ColumnPositions() const { return FColumnPositions.get(); }
    void SetColumnPositions(TStringList* Value) { FColumnPositions->Assign(*Value); }

    // --- Background (held by the background view) ------------------------------------------
    TPicture* BackPicture() const;
    void SetBackPicture(TPicture* Value);
    TColor Color() const;
    void SetColor(TColor Value);
    TfrxFrame* Frame() const;
    void SetFrame(TfrxFrame* Value);
    // The picture view that draws the background; not a child of the page.
    TfrxPictureView* BackgroundView() const { return FBackground.get(); }
    // The view sized to the printable area ((paper - margins) * 3.77953 - 1 pixels) at the
    // left and top margins, drawn at the given scale and offset.
    void DrawBackground(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY);

    // --- Data and the run ------------------------------------------------------------------
    // The page repeats for each record of DataSet; same pairing as the report's.
    TfrxDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TfrxDataSet* Value);
    std::string DataSetName() const;
    void SetDataSetName(const std::string& Value);
    bool LargeDesignHeight = false;
    std::string OutlineText;
    bool PrintIfEmpty = true;
    bool PrintOnPreviousPage = false;
    bool TitleBeforeHeader = true;
    // Names of report-script procedures.
    std::string OnAfterPrint, OnBeforePrint, OnManualBuild;

    // --- Designer guide lines --------------------------------------------------------------
    TStringList* HGuides() const { return FHGuides.get(); }
    void SetHGuides(TStringList* Value) { FHGuides->Assign(*Value); }
    TStringList* VGuides() const { return FVGuides.get(); }
    void SetVGuides(TStringList* Value) { FVGuides->Assign(*Value); }
    void ClearGuides();

    // --- Subreports --------------------------------------------------------------------------
    // The subreport that shows this page (set by the subreport), nullptr when none.
    TfrxSubreport* SubReport() const { return FSubReport; }
    void SetSubReport(TfrxSubreport* Value) { FSubReport = Value; }
    bool IsSubReport() const { return FSubReport != nullptr; }
    // True while the page frees its bands in its destructor (they go together: none
    // needs to be told of another).
    bool Going() const { return FGoing; }

    // --- The layout engine's state (not stored) --------------------------------------------
    // The master data bands with a dataset, horizontal and vertical (band tree).
    std::vector<TfrxDataBand*> HorizontalMasters;
    std::vector<TfrxDataBand*> VerticalMasters;

    // The first child that is an instance of BandClass, nullptr when none.
    TfrxBand* FindBand(TClass BandClass) const;
    template <class B> B* FindBand() const { return static_cast<B*>(FindBand(B::StaticClass())); }

    // Margins 10 mm; paper number, size and orientation of the current printer.
    void SetDefaults() override;
    // Width := the printable width in pixels; the views on the page are aligned; then each
    // horizontal band spans the width from its Left, each vertical band the printable
    // height from its Top, and the bands align their own views.
    void AlignChildren() override;
    std::string GetDescription() const override;
    std::string BaseName() const override { return "Page"; }
    // A dataset named but not found while the report was read is looked up again.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    static void DeclareProperties(TPropertyDecl<TfrxReportPage>& d);

protected:
    // Width and Height := the paper in pixels (to the nearest integer).
    void UpdateDimensions();
    // The paper size without the setters' side effects (the dot-matrix page snaps it).
    void StorePaper(double Width, double Height) {
        FPaperWidth = Width;
        FPaperHeight = Height;
    }

private:
    void Init();
    TPrinterOrientation FOrientation = poPortrait;
    double FPaperWidth = 210, FPaperHeight = 297;
    int FPaperSize = 9;
    int FColumns = 0;
    std::unique_ptr<TStringList> FColumnPositions, FHGuides, FVGuides;
    std::unique_ptr<TfrxPictureView> FBackground;
    TfrxDataSet* FDataSet = nullptr;
    TComponent* FDataSetComponent = nullptr;   // compared when the dataset goes away
    std::string FDataSetName;
    TfrxSubreport* FSubReport = nullptr;
    bool FGoing = false;
};

// The most columns a page lays out (a column a fraction of a millimetre wide prints
// nothing useful, and the count comes from files).
constexpr int frxMaxPageColumns = 1000;

// The runtime window of a dialog page: stays on top, previews keys, and refuses to close
// until the page connects its close-query event; it wants arrow and tab keys for its
// controls.
class TfrxDialogForm : public TForm {
    ROVE_CLASS(TfrxDialogForm, TForm)
public:
    explicit TfrxDialogForm(TComponent* AOwner);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
};

class TfrxDialogPage : public TfrxPage {
    ROVE_CLASS(TfrxDialogPage, TfrxPage)
public:
    explicit TfrxDialogPage(TComponent* AOwner);
    ~TfrxDialogPage() override;

    // --- Stored properties (passed on to the window) ------------------------------------
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPosition Position = poScreenCenter;
    TWindowState WindowState = wsNormal;
    // The window's bounds follow (rounded to whole pixels).
    void SetLeft(double Value) override;
    void SetTop(double Value) override;
    void SetWidth(double Value) override;
    void SetHeight(double Value) override;
    // Names of report-script procedures run by the window's events.
    std::string OnActivate, OnClick, OnCloseQuery, OnDeactivate, OnHide, OnKeyDown, OnKeyPress, OnKeyUp, OnResize,
        OnShow;

    // --- The window --------------------------------------------------------------------------
    TfrxDialogForm* Form() const { return FForm.get(); }
    int ModalResult() const;
    void SetModalResult(int Value);
    // Before the window is shown: hides it, applies Position and WindowState and connects
    // its events to the page's script procedures.
    void Initialize();
    // Shows the window modally as a normal window, then makes it stay on top again;
    // returns the modal result.
    int ShowModal();

    std::string GetDescription() const override;
    static void DeclareProperties(TPropertyDecl<TfrxDialogPage>& d);

protected:
    void FontChanged() override;

private:
    void Init();
    void UpdateFormBounds();
    void Notify(const std::string& EventName);
    std::unique_ptr<TfrxDialogForm> FForm;
    TFormBorderStyle FBorderStyle = bsSizeable;
    std::string FCaption;
    TColor FColor = clBtnFace;
};

// Makes sure the band and page classes are linked in and registered for creation by
// name (report files, form resources, prepared pages); every report calls it when it is
// created. Idempotent.
void frxRegisterBandAndPageClasses();

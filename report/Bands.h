// Bands: the horizontal (or, with Vertical, vertical) strips of a report page that the
// layout engine prints by kind: titles, page and column headers and footers, data rows
// with their headers and footers, group headers and footers, child bands and the
// overlay. A band holds views as its children and draws nothing itself; when and how
// often each kind prints is the engine's business. The subreport view, which prints
// another report page in its place, is here too.
//
// Each kind stores the common band properties (Left, Top, Width, Height, Font,
// ParentFont, Restrictions, Visible, OutlineText, Vertical and the script events
// OnAfterCalcHeight, OnAfterPrint, OnBeforePrint) and its own list of the shared band
// flags; data bands add the data-band properties. The engine's working state (links of
// the band tree, line counters, the split work list) sits in public fields that are not
// stored: the band tree builds them at the start of every run.
//
// On a dot-matrix page a band's Left snaps to the 9.6-pixel character column and its Top
// and Height to the 17-pixel character row.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Variant.h"
#include "report/Component.h"
#include "report/DataSet.h"
#include "report/Views.h"

class TfrxChild;
class TfrxDataBand;
class TfrxGroupFooter;
class TfrxGroupHeader;
class TfrxReportPage;

class TfrxBand : public TfrxReportComponent {
    ROVE_CLASS(TfrxBand, TfrxReportComponent)
public:
    explicit TfrxBand(TComponent* AOwner);
    TfrxBand(TComponent* AOwner, uint16_t Flags);
    ~TfrxBand() override;

    // --- Stored properties (each kind publishes its own selection) ----------------------
    bool AllowSplit = false;
    // The band printed right after this one; forgotten when that band goes.
    TfrxChild* Child() const { return FChild; }
    // Raises EfrxError when the chain of children from Value leads back to this band
    // (the engine follows the chain until it ends).
    void SetChild(TfrxChild* Value);
    bool KeepChild = false;
    std::string OutlineText;
    bool PrintChildIfInvisible = false;
    bool StartNewPage = false;
    bool Stretched = false;
    bool Vertical = false;
    // Name of a report-script procedure run after the band's height was computed.
    std::string OnAfterCalcHeight;

    // --- The layout engine's state (not stored) --------------------------------------------
    // True while the band prints from the header list at the top of a continued page or
    // column (scripts read it).
    bool Overflow = false;
    // The band collects the cells of vertical bands.
    bool HoldsVerticalCells = false;
    // Object count before the engine added vertical cells or subreport output; -1: none.
    int AddedObjectsMark = -1;
    // The engine's answer whether the band is quiet, and the run it was found for.
    uint64_t QuietRun = 0;
    bool QuietAnswer = false;
    // The objects of a band being split over pages.
    std::vector<TfrxComponent*> WorkList;

    // --- Kind ----------------------------------------------------------------------------------
    // Index in the band kind table (0 report title ... 17 overlay) of the last entry whose
    // class the band is an instance of; 0 when none matches.
    int BandNumber() const;
    // The class name less the first "Tfrx" and the first "Band": "MasterData", "Data4".
    static std::string BandName(TClass BandClass);
    std::string BandName() const { return BandName(ClassType()); }
    // The band lies on a dot-matrix page (TfrxDMPPage or a descendant).
    bool IsOnDotMatrixPage() const;

    // Dot-matrix snapping, then the component's rules.
    void SetLeft(double Value) override;
    void SetTop(double Value) override;
    void SetHeight(double Value) override;

    // A band draws nothing itself (the designer draws bands).
    void Draw(TCanvas*, double, double, double, double) override {}
    std::string GetDescription() const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The common band properties (Left ... Visible, OutlineText, Vertical): every kind's
    // table starts with them. The kinds add the shared flags they store (AllowSplit, Child,
    // KeepChild, PrintChildIfInvisible, StartNewPage, Stretched) and their own properties
    // in name order, then the three script events.
    static void DeclareProperties(TPropertyDecl<TfrxBand>& d);
    template <class T> static void PublishFlags(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Flags);
    template <class T> static void PublishEvents(TPropertyDecl<T>& d);

protected:
    // Prepared pages write a band's top always.
    bool DiffAlwaysWritesTop() const override { return true; }

private:
    TfrxChild* FChild = nullptr;
    TComponent* FChildComponent = nullptr;   // compared when the child goes away
    // IsOnDotMatrixPage's answer for the parent page of this address and class (asked on
    // every move of the band; the parent's class, compared too, decides the answer).
    mutable const TfrxComponent* FDmpParent = nullptr;
    mutable TClass FDmpParentClass = nullptr;
    mutable bool FDmp = false;
};

class TfrxReportTitle : public TfrxBand {
    ROVE_CLASS(TfrxReportTitle, TfrxBand)
public:
    explicit TfrxReportTitle(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxReportTitle(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxReportTitle>& d);
};

class TfrxReportSummary : public TfrxBand {
    ROVE_CLASS(TfrxReportSummary, TfrxBand)
public:
    explicit TfrxReportSummary(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxReportSummary(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxReportSummary>& d);
};

class TfrxPageHeader : public TfrxBand {
    ROVE_CLASS(TfrxPageHeader, TfrxBand)
public:
    explicit TfrxPageHeader(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxPageHeader(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    bool PrintOnFirstPage = true;
    static void DeclareProperties(TPropertyDecl<TfrxPageHeader>& d);
};

class TfrxPageFooter : public TfrxBand {
    ROVE_CLASS(TfrxPageFooter, TfrxBand)
public:
    explicit TfrxPageFooter(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxPageFooter(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    bool PrintOnFirstPage = true;
    bool PrintOnLastPage = true;
    static void DeclareProperties(TPropertyDecl<TfrxPageFooter>& d);
};

class TfrxHeader : public TfrxBand {
    ROVE_CLASS(TfrxHeader, TfrxBand)
public:
    explicit TfrxHeader(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxHeader(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    // Printed again at the top of every page its rows continue onto.
    bool ReprintOnNewPage = false;
    static void DeclareProperties(TPropertyDecl<TfrxHeader>& d);
};

class TfrxFooter : public TfrxBand {
    ROVE_CLASS(TfrxFooter, TfrxBand)
public:
    explicit TfrxFooter(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxFooter(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxFooter>& d);
};

class TfrxColumnHeader : public TfrxBand {
    ROVE_CLASS(TfrxColumnHeader, TfrxBand)
public:
    explicit TfrxColumnHeader(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxColumnHeader(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxColumnHeader>& d);
};

class TfrxColumnFooter : public TfrxBand {
    ROVE_CLASS(TfrxColumnFooter, TfrxBand)
public:
    explicit TfrxColumnFooter(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxColumnFooter(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxColumnFooter>& d);
};

class TfrxOverlay : public TfrxBand {
    ROVE_CLASS(TfrxOverlay, TfrxBand)
public:
    explicit TfrxOverlay(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxOverlay(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxOverlay>& d);
};

// The engine's temporary band for the objects placed on the page itself: its objects
// keep their page positions.
class TfrxNullBand : public TfrxBand {
    ROVE_CLASS(TfrxNullBand, TfrxBand)
public:
    explicit TfrxNullBand(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxNullBand(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxNullBand>& d);
};

class TfrxGroupHeader : public TfrxBand {
    ROVE_CLASS(TfrxGroupHeader, TfrxBand)
public:
    explicit TfrxGroupHeader(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxGroupHeader(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    ~TfrxGroupHeader() override;

    // The expression whose change starts a new group.
    std::string Condition;
    bool KeepTogether = false;
    bool ReprintOnNewPage = false;

    // --- The layout engine's state (not stored) --------------------------------------------
    // The paired group footer (band tree).
    TfrxGroupFooter* Footer = nullptr;
    // This header followed by the group headers nested directly below it (band tree).
    std::vector<TfrxGroupHeader*> GroupList;
    // The condition's value at the last group start.
    Variant LastValue;
    // Where the report's name table holds the condition, for the text it was found for.
    TfrxKeptCalcHandle ConditionHandle;
    int Line = 1;
    int LineThrough = 1;

    void Notification(TComponent* AComponent, TOperation Operation) override;
    static void DeclareProperties(TPropertyDecl<TfrxGroupHeader>& d);
};

class TfrxGroupFooter : public TfrxBand {
    ROVE_CLASS(TfrxGroupFooter, TfrxBand)
public:
    explicit TfrxGroupFooter(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxGroupFooter(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxGroupFooter>& d);
};

class TfrxChild : public TfrxBand {
    ROVE_CLASS(TfrxChild, TfrxBand)
public:
    explicit TfrxChild(TComponent* AOwner) : TfrxBand(AOwner) {}
    TfrxChild(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}
    static void DeclareProperties(TPropertyDecl<TfrxChild>& d);
};

// A band repeated for every record of its dataset (or RowCount times without one),
// optionally in columns.
class TfrxDataBand : public TfrxBand {
    ROVE_CLASS(TfrxDataBand, TfrxBand)
public:
    explicit TfrxDataBand(TComponent* AOwner);
    TfrxDataBand(TComponent* AOwner, uint16_t Flags);
    ~TfrxDataBand() override;

    // --- Stored properties ---------------------------------------------------------------
    int Columns = 0;
    double ColumnWidth = 0;   // pixels
    double ColumnGap = 0;     // pixels
    TfrxDataSet* DataSet() const { return FDataSet; }
    // Stores the dataset; DataSetName becomes its user name (empty for none).
    void SetDataSet(TfrxDataSet* Value);
    // The dataset's user name when one is set, else the stored name.
    std::string DataSetName() const;
    // Stores the name and looks the dataset up among the report's datasets.
    void SetDataSetName(const std::string& Value);
    bool FooterAfterEach = false;
    bool KeepFooter = false;
    bool KeepHeader = false;
    bool KeepTogether = false;
    bool PrintIfDetailEmpty = false;
    int RowCount() const { return FRowCount; }
    // Also the number of records of the band's own row-count dataset.
    void SetRowCount(int Value);
    // Name of a report-script procedure that positions a detail dataset for the master.
    std::string OnMasterDetail;

    // --- Columns -----------------------------------------------------------------------------
    int CurColumn() const { return FCurColumn; }
    // A value above Columns becomes 1; at column 1 the lowest bottom of the row is reset;
    // Left becomes (column - 1) * (ColumnWidth + ColumnGap).
    void SetCurColumn(int Value);

    // The band's own dataset: RowCount records (range end "count"), no fields.
    TfrxUserDataSet* VirtualDataSet() const;

    // --- The layout engine's state (not stored) --------------------------------------------
    TfrxBand* Header = nullptr;            // the TfrxHeader directly above
    TfrxBand* Footer = nullptr;            // the TfrxFooter directly below
    TfrxGroupHeader* Group = nullptr;      // the outermost group header above
    std::vector<TfrxDataBand*> DetailList;   // data bands of the next level
    int Line = 1;            // row within the current master row or group
    int LineThrough = 1;     // row over the whole loop
    double LowestBottom = 0;   // lowest bottom reached by the columns of the current row

    std::string GetDescription() const override;
    // A dataset named but not found while the report was read is looked up again.
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    static void DeclareProperties(TPropertyDecl<TfrxDataBand>& d);

private:
    TfrxDataSet* FDataSet = nullptr;
    TComponent* FDataSetComponent = nullptr;   // compared when the dataset goes away
    std::string FDataSetName;
    int FRowCount = 0;
    int FCurColumn = 1;
    mutable std::unique_ptr<TfrxUserDataSet> FVirtualDataSet;
};

// The data-band levels: master, detail, subdetail and levels 4 to 6.
class TfrxMasterData : public TfrxDataBand {
    ROVE_CLASS(TfrxMasterData, TfrxDataBand)
public:
    explicit TfrxMasterData(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxMasterData(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

class TfrxDetailData : public TfrxDataBand {
    ROVE_CLASS(TfrxDetailData, TfrxDataBand)
public:
    explicit TfrxDetailData(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxDetailData(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

class TfrxSubdetailData : public TfrxDataBand {
    ROVE_CLASS(TfrxSubdetailData, TfrxDataBand)
public:
    explicit TfrxSubdetailData(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxSubdetailData(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

class TfrxDataBand4 : public TfrxDataBand {
    ROVE_CLASS(TfrxDataBand4, TfrxDataBand)
public:
    explicit TfrxDataBand4(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxDataBand4(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

class TfrxDataBand5 : public TfrxDataBand {
    ROVE_CLASS(TfrxDataBand5, TfrxDataBand)
public:
    explicit TfrxDataBand5(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxDataBand5(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

class TfrxDataBand6 : public TfrxDataBand {
    ROVE_CLASS(TfrxDataBand6, TfrxDataBand)
public:
    explicit TfrxDataBand6(TComponent* AOwner) : TfrxDataBand(AOwner) {}
    TfrxDataBand6(TComponent* AOwner, uint16_t Flags) : TfrxDataBand(AOwner, Flags) {}
};

// The band kind table, in kind-number order (ORDER BANDKIND).
const std::vector<TClass>& frxBandKinds();

// A view that prints another report page in its place: either into its own band
// (PrintOnParent) or as a separate flow starting at its position.
class TfrxSubreport : public TfrxView {
    ROVE_CLASS(TfrxSubreport, TfrxView)
public:
    explicit TfrxSubreport(TComponent* AOwner);
    TfrxSubreport(TComponent* AOwner, uint16_t Flags);
    ~TfrxSubreport() override;

    TfrxReportPage* Page() const { return FPage; }
    // Also points the page's back reference at this subreport (and clears the old page's).
    void SetPage(TfrxReportPage* Value);
    bool PrintOnParent = false;

    // As a view, then the name in the view's font 2 pixels right of and below the corner.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    std::string GetDescription() const override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    static void DeclareProperties(TPropertyDecl<TfrxSubreport>& d);

private:
    friend class TfrxReportPage;
    void Init();
    TfrxReportPage* FPage = nullptr;
    TComponent* FPageComponent = nullptr;   // compared when the page goes away
};

// ==== Implementation of the templates ======================================================
template <class T>
void TfrxBand::PublishFlags(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Flags) {
    using B = TfrxBand;
    for (std::string_view n : Flags) {
        if (n == "AllowSplit") d.Property("AllowSplit", &B::AllowSplit, &B::AllowSplit).Default(false);
        else if (n == "Child") d.Property("Child", &B::Child, &B::SetChild);
        else if (n == "KeepChild") d.Property("KeepChild", &B::KeepChild, &B::KeepChild).Default(false);
        else if (n == "PrintChildIfInvisible")
            d.Property("PrintChildIfInvisible", &B::PrintChildIfInvisible, &B::PrintChildIfInvisible).Default(false);
        else if (n == "StartNewPage") d.Property("StartNewPage", &B::StartNewPage, &B::StartNewPage).Default(false);
        else if (n == "Stretched") d.Property("Stretched", &B::Stretched, &B::Stretched).Default(false);
        else throw EfrxError("No band property " + std::string(n));
    }
}

template <class T>
void TfrxBand::PublishEvents(TPropertyDecl<T>& d) {
    using B = TfrxBand;
    d.Property("OnAfterCalcHeight", frxEventType("TfrxNotifyEvent"), &B::OnAfterCalcHeight, &B::OnAfterCalcHeight);
    d.Property("OnAfterPrint", frxEventType("TfrxNotifyEvent"), &B::OnAfterPrint, &B::OnAfterPrint);
    d.Property("OnBeforePrint", frxEventType("TfrxNotifyEvent"), &B::OnBeforePrint, &B::OnBeforePrint);
}

// The cross-tab views.
#include "report/CrossView.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "report/DesignRegistries.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Serializer.h"
#include "report/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxCustomCrossView)
ROVE_IMPLEMENT_CLASS(TfrxCrossView)
ROVE_IMPLEMENT_CLASS(TfrxDBCrossView)
ROVE_IMPLEMENT_CLASS(TfrxCrossObject)

namespace {

Variant ObjectArg(TObject* Object) { return Variant::FromObject(Object ? Object->Handle() : NilHandle); }

void FillNames(TStringList* List, int Count, const char* Name) {
    List->Clear();
    for (int i = 0; i < Count; ++i) List->Add(Name);
}

}  // namespace

TfrxCustomCrossView::TfrxCustomCrossView(TComponent* AOwner) : TfrxView(AOwner) { Init(); }

TfrxCustomCrossView::TfrxCustomCrossView(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) { Init(); }

TfrxCustomCrossView::~TfrxCustomCrossView() = default;

void TfrxCustomCrossView::Init() {
    FMatrix = std::make_unique<TfrxCrossMatrix>();
    FCellFields = std::make_unique<TStringList>();
    FColumnFields = std::make_unique<TStringList>();
    FRowFields = std::make_unique<TStringList>();
    Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    Font()->SetName("Tahoma");
    Font()->SetSize(8);
    SetColor(static_cast<TColor>(0xC0C0C0));
    FMatrix->OnCalcWidth = [this](int Column, double& Width) { DoCalcWidth(Column, Width); };
    FMatrix->OnCalcHeight = [this](int Row, double& Height) { DoCalcHeight(Row, Height); };
    // Made with a parent, the view was placed before its own SetParent could see it.
    if (frxIsOnDotMatrixPage(this)) SetDotMatrix(true);
}

void TfrxCustomCrossView::SetCellLevels(int Value) { FCellLevels = Value; }
void TfrxCustomCrossView::SetColumnLevels(int Value) { FColumnLevels = Value; }
void TfrxCustomCrossView::SetRowLevels(int Value) { FRowLevels = Value; }

void TfrxCustomCrossView::SetPlainCells(bool Value) {
    FPlainCells = Value;
    FMatrix->PlainCells = Value;
}

bool TfrxCustomCrossView::ShowColumnTotal() const { return FMatrix->ColumnTotalMemos(0)->Visible(); }
void TfrxCustomCrossView::SetShowColumnTotal(bool Value) { FMatrix->ColumnTotalMemos(0)->SetVisible(Value); }
bool TfrxCustomCrossView::ShowRowTotal() const { return FMatrix->RowTotalMemos(0)->Visible(); }
void TfrxCustomCrossView::SetShowRowTotal(bool Value) { FMatrix->RowTotalMemos(0)->SetVisible(Value); }

void TfrxCustomCrossView::SetDotMatrix(bool Value) {
    FDotMatrix = Value;
    if (!Value) return;
    // New templates lose what the old ones held: keep the visibility of the totals.
    const bool ct = ShowColumnTotal(), rt = ShowRowTotal();
    FMatrix->InitMemos(true);
    SetShowColumnTotal(ct);
    SetShowRowTotal(rt);
    GapX = 0;
    GapY = 0;
}

void TfrxCustomCrossView::SetParent(TfrxComponent* AParent) {
    TfrxView::SetParent(AParent);
    if (!FDotMatrix && frxIsOnDotMatrixPage(this)) SetDotMatrix(true);
}

void TfrxCustomCrossView::BeginMatrix() {
    FMatrix->MaxWidth = MaxWidth;
    FMatrix->MinWidth = MinWidth;
    FMatrix->DefHeight = DefHeight;
    FMatrix->GapX = GapX;
    FMatrix->GapY = GapY;
    FMatrix->PlainCells = FPlainCells;
    // Templates that follow the parent font are measured in the font their output gets
    // (the view's).
    for (int L = 0; L < frxCrossMaxLevels; ++L)
        for (TfrxCustomMemoView* t : {CellMemos(L), ColumnMemos(L), ColumnTotalMemos(L), RowMemos(L), RowTotalMemos(L)})
            if (t && t->ParentFont()) {
                t->Font()->Assign(*Font());
                t->SetParentFont(true);
            }
    FMatrix->Init(FRowLevels, FColumnLevels, FCellLevels);
    FMatrix->ColumnHeader()->Visible = ShowColumnHeader;
    FMatrix->RowHeader()->Visible = ShowRowHeader;
}

void TfrxCustomCrossView::EndMatrix() {
    FMatrix->AddTotals();
    FMatrix->CalcTotals();
    FMatrix->CalcBounds();
}

double TfrxCustomCrossView::GetColumnHeaderHeight() const {
    if (FMatrix->NoColumns || !FMatrix->ColumnHeader()) return 0;
    return FMatrix->ColumnHeader()->AreaSize();
}

double TfrxCustomCrossView::GetRowHeaderWidth() const {
    if (FMatrix->NoRows || !FMatrix->RowHeader()) return 0;
    return FMatrix->RowHeader()->AreaSize();
}

void TfrxCustomCrossView::BeforePrint() {
    TfrxView::BeforePrint();
    BeginMatrix();
}

void TfrxCustomCrossView::GetData() {
    TfrxView::GetData();
    TfrxCustomPreviewPages* pages = Report() ? Report()->PreviewPages() : nullptr;
    if (pages) pages->SetStatus(frxResources().Get("crFillMx"));
    if (IsCrossValid()) FillMatrix();
    if (pages) pages->SetStatus(frxResources().Get("crBuildMx"));
    EndMatrix();
    OutputResult();
}

// --- Events ----------------------------------------------------------------------------

void TfrxCustomCrossView::DoCalcWidth(int Column, double& Width) {
    const Variant values = FMatrix->GetColumnValues(Column);
    if (TfrxReport* r = Report(); r && !OnCalcWidth.empty()) {
        Variant params = VarArrayOf({Variant(Column), values, Variant(Width)});
        r->DoParamEvent(OnCalcWidth, params);
        Width = params.GetElement({2}).AsDouble();
    }
    if (CalcWidthHandler) CalcWidthHandler(Column, values, Width);
}

void TfrxCustomCrossView::DoCalcHeight(int Row, double& Height) {
    const Variant values = FMatrix->GetRowValues(Row);
    if (TfrxReport* r = Report(); r && !OnCalcHeight.empty()) {
        Variant params = VarArrayOf({Variant(Row), values, Variant(Height)});
        r->DoParamEvent(OnCalcHeight, params);
        Height = params.GetElement({2}).AsDouble();
    }
    if (CalcHeightHandler) CalcHeightHandler(Row, values, Height);
}

void TfrxCustomCrossView::DoPrintCell(TfrxCustomMemoView* Memo, int RowIndex, int ColumnIndex, int CellIndex,
                                      const Variant& RowValues, const Variant& ColumnValues, const Variant& Value) {
    if (TfrxReport* r = Report(); r && !OnPrintCell.empty()) {
        Variant params = VarArrayOf({ObjectArg(Memo), Variant(RowIndex), Variant(ColumnIndex), Variant(CellIndex),
                                     RowValues, ColumnValues, Value});
        r->DoParamEvent(OnPrintCell, params);
    }
    if (PrintCellHandler) PrintCellHandler(Memo, RowIndex, ColumnIndex, CellIndex, RowValues, ColumnValues, Value);
}

void TfrxCustomCrossView::DoHeaderEvent(const std::string& EventName, TfrxCustomMemoView* Memo,
                                        const Variant& HeaderIndexes, const Variant& HeaderValues,
                                        const Variant& Value) {
    if (TfrxReport* r = Report(); r && !EventName.empty()) {
        Variant params = VarArrayOf({ObjectArg(Memo), HeaderIndexes, HeaderValues, Value});
        r->DoParamEvent(EventName, params);
    }
}

void TfrxCustomCrossView::DoPrintColumnHeader(TfrxCustomMemoView* Memo, const Variant& HeaderIndexes,
                                              const Variant& HeaderValues, const Variant& Value) {
    DoHeaderEvent(OnPrintColumnHeader, Memo, HeaderIndexes, HeaderValues, Value);
    if (PrintColumnHeaderHandler) PrintColumnHeaderHandler(Memo, HeaderIndexes, HeaderValues, Value);
}

void TfrxCustomCrossView::DoPrintRowHeader(TfrxCustomMemoView* Memo, const Variant& HeaderIndexes,
                                           const Variant& HeaderValues, const Variant& Value) {
    DoHeaderEvent(OnPrintRowHeader, Memo, HeaderIndexes, HeaderValues, Value);
    if (PrintRowHeaderHandler) PrintRowHeaderHandler(Memo, HeaderIndexes, HeaderValues, Value);
}

// --- Drawing ---------------------------------------------------------------------------

void TfrxCustomCrossView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    TfrxView::Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    TFont f;
    f.Assign(*Font());
    f.SetHeight(static_cast<int>(Round(f.Height() * ScaleY)));
    Canvas->SetFont(f);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(FX + static_cast<int>(Round(2 * ScaleX)), FY + static_cast<int>(Round(2 * ScaleY)), Name());
}

// --- Storage ---------------------------------------------------------------------------

void TfrxCustomCrossView::DefineProperties(TFiler& Filer) {
    TfrxView::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Memos", [this](const std::string& Data) { LoadMemos(Data); },
        [this](std::string& Data) { Data = SaveMemos(); }, true);
}

std::string TfrxCustomCrossView::SaveMemos() const {
    TfrxXMLDocument doc;
    TfrxXMLItem* root = doc.Root();
    root->SetName("cross");
    const int cells = std::clamp(FCellLevels, 0, frxCrossMaxLevels);
    const int cols = std::clamp(FColumnLevels, 0, frxCrossMaxLevels);
    const int rows = std::clamp(FRowLevels, 0, frxCrossMaxLevels);
    TStringStream dummy;
    TfrxXMLSerializer ser(&dummy);
    auto writeMemos = [&](const char* Name, int Count, TfrxCustomMemoView* (TfrxCrossMatrix::*Get)(int) const) {
        TfrxXMLItem* list = root->Add();
        list->SetName(Name);
        for (int L = 0; L < Count; ++L) ser.WriteRootComponent((FMatrix.get()->*Get)(L), false, list->Add());
    };
    writeMemos("cellmemos", cells, &TfrxCrossMatrix::CellMemos);
    writeMemos("columnmemos", cols, &TfrxCrossMatrix::ColumnMemos);
    writeMemos("columntotalmemos", cols, &TfrxCrossMatrix::ColumnTotalMemos);
    writeMemos("rowmemos", rows, &TfrxCrossMatrix::RowMemos);
    writeMemos("rowtotalmemos", rows, &TfrxCrossMatrix::RowTotalMemos);
    auto writeCodes = [&](const char* Name, int Count, uint8_t (TfrxCrossMatrix::*Get)(int) const) {
        TfrxXMLItem* list = root->Add();
        list->SetName(Name);
        for (int L = 0; L < Count; ++L) {
            TfrxXMLItem* item = list->Add();
            item->SetName("item");
            item->SetText(std::to_string((FMatrix.get()->*Get)(L)));
        }
    };
    writeCodes("cellfunctions", cells, &TfrxCrossMatrix::CellFunctions);
    writeCodes("columnsort", cols, &TfrxCrossMatrix::ColumnSort);
    writeCodes("rowsort", rows, &TfrxCrossMatrix::RowSort);
    TStringStream out;
    doc.SaveToStream(out);
    return out.DataString();
}

void TfrxCustomCrossView::LoadMemos(const std::string& Data) {
    TfrxXMLDocument doc;
    TStringStream in(Data);
    doc.LoadFromStream(in);
    TfrxXMLItem* root = doc.Root();
    TStringStream dummy;
    TfrxXMLSerializer ser(&dummy);
    auto child = [&](const char* Name) -> TfrxXMLItem* {
        const int i = root->Find(Name);
        return i < 0 ? nullptr : root->Items(i);
    };
    auto readMemos = [&](const char* Name, TfrxCustomMemoView* (TfrxCrossMatrix::*Get)(int) const) {
        TfrxXMLItem* list = child(Name);
        if (!list) return;
        for (int L = 0; L < frxCrossMaxLevels && L < list->Count(); ++L) {
            TfrxCustomMemoView* m = (FMatrix.get()->*Get)(L);
            // A stored entry holds only what differs from the defaults of a plain memo.
            m->Frame()->Typ = TfrxFrameTypes{};
            m->Font()->SetStyle(TFontStyles{});
            m->HAlign = haLeft;
            m->VAlign = vaTop;
            ser.ReadRootComponent(m, list->Items(L));
        }
    };
    readMemos("cellmemos", &TfrxCrossMatrix::CellMemos);
    readMemos("columnmemos", &TfrxCrossMatrix::ColumnMemos);
    readMemos("columntotalmemos", &TfrxCrossMatrix::ColumnTotalMemos);
    readMemos("rowmemos", &TfrxCrossMatrix::RowMemos);
    readMemos("rowtotalmemos", &TfrxCrossMatrix::RowTotalMemos);
    auto readCodes = [&](const char* Name, void (TfrxCrossMatrix::*Set)(int, uint8_t)) {
        TfrxXMLItem* list = child(Name);
        for (int L = 0; L < frxCrossMaxLevels; ++L) {
            int code = 0;
            if (list && L < list->Count()) {
                try {
                    code = std::stoi(Trim(list->Items(L)->Text()));
                } catch (const std::exception&) {
                    code = 0;
                }
            }
            (FMatrix.get()->*Set)(L, static_cast<uint8_t>(std::clamp(code, 0, 255)));
        }
    };
    readCodes("cellfunctions", &TfrxCrossMatrix::SetCellFunctions);
    readCodes("columnsort", &TfrxCrossMatrix::SetColumnSort);
    readCodes("rowsort", &TfrxCrossMatrix::SetRowSort);
}

// ==== TfrxCrossView ========================================================================

TfrxCrossView::TfrxCrossView(TComponent* AOwner) : TfrxCustomCrossView(AOwner) {
    SetCellLevels(1);
    SetColumnLevels(1);
    SetRowLevels(1);
}

TfrxCrossView::TfrxCrossView(TComponent* AOwner, uint16_t Flags) : TfrxCustomCrossView(AOwner, Flags) {
    SetCellLevels(1);
    SetColumnLevels(1);
    SetRowLevels(1);
}

void TfrxCrossView::SetCellLevels(int Value) {
    TfrxCustomCrossView::SetCellLevels(Value);
    FillNames(CellFields(), Value, "Cell");
}

void TfrxCrossView::SetColumnLevels(int Value) {
    TfrxCustomCrossView::SetColumnLevels(Value);
    FillNames(ColumnFields(), Value, "Column");
}

void TfrxCrossView::SetRowLevels(int Value) {
    TfrxCustomCrossView::SetRowLevels(Value);
    FillNames(RowFields(), Value, "Row");
}

bool TfrxCrossView::IsCrossValid() const { return CellLevels() >= 1 && RowLevels() >= 0 && ColumnLevels() >= 0; }

std::string TfrxCrossView::GetDescription() const { return frxResources().Get("obCross"); }

void TfrxCrossView::DeclareProperties(TPropertyDecl<TfrxCrossView>& d) { PublishCross(d); }

// ==== TfrxDBCrossView ======================================================================

bool TfrxDBCrossView::IsCrossValid() const {
    return DataSet() && CellLevels() >= 1 && RowFields()->Count() == RowLevels() &&
           ColumnFields()->Count() == ColumnLevels() && CellFields()->Count() == CellLevels();
}

void TfrxDBCrossView::FillMatrix() {
    TfrxDataSet* ds = DataSet();
    ds->Initialize();
    ds->First();
    std::vector<Variant> rows, cols, cells;
    auto read = [ds](TStringList* Names, std::vector<Variant>& Out) {
        Out.clear();
        for (int i = 0; i < Names->Count(); ++i) Out.push_back(ds->GetValue(Names->Strings(i)));
    };
    while (!ds->Eof()) {
        read(RowFields(), rows);
        read(ColumnFields(), cols);
        read(CellFields(), cells);
        AddValue(rows, cols, cells);
        ds->Next();
    }
}

std::string TfrxDBCrossView::GetDescription() const { return frxResources().Get("obDBCross"); }

void TfrxDBCrossView::DeclareProperties(TPropertyDecl<TfrxDBCrossView>& d) {
    PublishCross(d);
    Publish(d, {"DataSet", "DataSetName"});
    using V = TfrxCustomCrossView;
    d.Property("CellFields", &V::CellFields, &V::SetCellFields);
    d.Property("ColumnFields", &V::ColumnFields, &V::SetColumnFields);
    d.Property("RowFields", &V::RowFields, &V::SetRowFields);
}

template <class T>
void TfrxCustomCrossView::PublishCross(TPropertyDecl<T>& d) {
    using V = TfrxCustomCrossView;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align", "BrushStyle", "Color", "Cursor", "Frame", "Printable", "ShiftMode", "TagStr", "URL",
                "OnAfterData", "OnAfterPrint", "OnBeforePrint", "OnPreviewClick"});
    d.Property("Border", &V::Border, &V::Border).Default(true);
    d.Property("CellLevels", &V::CellLevels, &V::SetCellLevels).Default(1);
    d.Property("ColumnLevels", &V::ColumnLevels, &V::SetColumnLevels).Default(1);
    d.Property("DefHeight", &V::DefHeight, &V::DefHeight).Default(0);
    d.Property("DownThenAcross", &V::DownThenAcross, &V::DownThenAcross).NoDefault();
    d.Property("GapX", &V::GapX, &V::GapX).Default(3);
    d.Property("GapY", &V::GapY, &V::GapY).Default(3);
    d.Property("MaxWidth", &V::MaxWidth, &V::MaxWidth).NoDefault();
    d.Property("MinWidth", &V::MinWidth, &V::MinWidth).Default(0);
    d.Property("PlainCells", &V::PlainCells, &V::SetPlainCells).Default(false);
    d.Property("RepeatHeaders", &V::RepeatHeaders, &V::RepeatHeaders).Default(true);
    d.Property("RowLevels", &V::RowLevels, &V::SetRowLevels).Default(1);
    d.Property("ShowColumnHeader", &V::ShowColumnHeader, &V::ShowColumnHeader).Default(true);
    d.Property("ShowColumnTotal", &V::ShowColumnTotal, &V::SetShowColumnTotal).Default(true);
    d.Property("ShowRowHeader", &V::ShowRowHeader, &V::ShowRowHeader).Default(true);
    d.Property("ShowRowTotal", &V::ShowRowTotal, &V::SetShowRowTotal).Default(true);
    d.Property("OnCalcHeight", frxEventType("TfrxCalcHeightEvent"), &V::OnCalcHeight, &V::OnCalcHeight);
    d.Property("OnCalcWidth", frxEventType("TfrxCalcWidthEvent"), &V::OnCalcWidth, &V::OnCalcWidth);
    d.Property("OnPrintCell", frxEventType("TfrxPrintCellEvent"), &V::OnPrintCell, &V::OnPrintCell);
    d.Property("OnPrintColumnHeader", frxEventType("TfrxPrintHeaderEvent"), &V::OnPrintColumnHeader, &V::OnPrintColumnHeader);
    d.Property("OnPrintRowHeader", frxEventType("TfrxPrintHeaderEvent"), &V::OnPrintRowHeader, &V::OnPrintRowHeader);
}

// --- Start-up ---------------------------------------------------------------------------------

namespace {

// "PascalScript=(...)", "C++Script=(...)", "BasicScript=(...)", "JScript=(...)" joined by CR LF.
std::string EventParams(const char* Pascal, const char* Cpp, const char* Basic, const char* JS) {
    return std::string("PascalScript=(") + Pascal + ")\r\nC++Script=(" + Cpp + ")\r\nBasicScript=(" + Basic +
           ")\r\nJScript=(" + JS + ")";
}

}  // namespace

void frxRegisterCrossObjects() {
    static bool done = false;
    if (done) return;
    done = true;
    frxObjects().RegisterObject(TfrxCrossView::StaticClass(), nullptr, {}, "Other", 0, 42);
    frxObjects().RegisterObject(TfrxDBCrossView::StaticClass(), nullptr, {}, "Other", 0, 49);
    TfrxResources& res = frxResources();
    res.Add("TfrxPrintCellEvent",
            EventParams("Memo: TfrxMemoView; RowIndex, ColumnIndex, CellIndex: Integer; RowValues, ColumnValues, "
                        "Value: Variant",
                        "TfrxMemoView Memo, int RowIndex, int ColumnIndex, int CellIndex, variant RowValues, "
                        "variant ColumnValues, variant Value",
                        "Memo, RowIndex, ColumnIndex, CellIndex, RowValues, ColumnValues, Value",
                        "Memo, RowIndex, ColumnIndex, CellIndex, RowValues, ColumnValues, Value"));
    res.Add("TfrxPrintHeaderEvent",
            EventParams("Memo: TfrxMemoView; HeaderIndexes, HeaderValues, Value: Variant",
                        "TfrxMemoView Memo, variant HeaderIndexes, variant HeaderValues, variant Value",
                        "Memo, HeaderIndexes, HeaderValues, Value", "Memo, HeaderIndexes, HeaderValues, Value"));
    res.Add("TfrxCalcWidthEvent",
            EventParams("ColumnIndex: Integer; ColumnValues: Variant; var Width: Extended",
                        "int ColumnIndex, variant ColumnValues, float &Width", "ColumnIndex, ColumnValues, byref Width",
                        "ColumnIndex, ColumnValues, &Width"));
    res.Add("TfrxCalcHeightEvent",
            EventParams("RowIndex: Integer; RowValues: Variant; var Height: Extended",
                        "int RowIndex, variant RowValues, float &Height", "RowIndex, RowValues, byref Height",
                        "RowIndex, RowValues, &Height"));
}

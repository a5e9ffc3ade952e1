// Pages: the report page's paper rules, columns, background and band alignment, and the
// dialog page with its runtime window.
#include "report/Pages.h"

#include <utility>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/PictureView.h"
#include "report/Printer.h"
#include "report/DialogControls.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxReportPage)
ROVE_IMPLEMENT_CLASS(TfrxDialogForm)
ROVE_IMPLEMENT_CLASS(TfrxDialogPage)

namespace {

int rnd(double x) { return frxRoundInt(x); }

}  // namespace

// --- TfrxReportPage ------------------------------------------------------------------------

TfrxReportPage::TfrxReportPage(TComponent* AOwner) : TfrxPage(AOwner) { Init(); }

void TfrxReportPage::Init() {
    FColumnPositions = std::make_unique<TStringList>();
    FHGuides = std::make_unique<TStringList>();
    FVGuides = std::make_unique<TStringList>();
    // Outside the object tree: it is neither saved as a child nor found by name.
    FBackground = std::make_unique<TfrxPictureView>(nullptr);
    FBackground->SetColor(clNone);
    SetPaperSize(9);
}

TfrxReportPage::~TfrxReportPage() {
    // The subreport showing this page must not reach back into it while it goes.
    if (FSubReport) {
        FSubReport->FPage = nullptr;
        FSubReport->FPageComponent = nullptr;
        FSubReport = nullptr;
    }
    // The bands go while the page's lists still exist.
    FGoing = true;
    Clear();
}

void TfrxReportPage::DeclareProperties(TPropertyDecl<TfrxReportPage>& d) {
    using P = TfrxReportPage;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubFont | TfrxComponent::pubVisible);
    // The paper comes first: reading a landscape page turns the default margins (zero),
    // then the stored size, number and margins follow.
    d.Property("Orientation", &P::Orientation, &P::SetOrientation).Default(poPortrait);
    d.Property("PaperWidth", &P::PaperWidth, &P::SetPaperWidth);
    d.Property("PaperHeight", &P::PaperHeight, &P::SetPaperHeight);
    d.Property("PaperSize", &P::PaperSize, &P::SetPaperSize).NoDefault();
    d.Property("LeftMargin", &P::LeftMargin, &P::LeftMargin);
    d.Property("RightMargin", &P::RightMargin, &P::RightMargin);
    d.Property("TopMargin", &P::TopMargin, &P::TopMargin);
    d.Property("BottomMargin", &P::BottomMargin, &P::BottomMargin);
    d.Property("MirrorMargins", &P::MirrorMargins, &P::MirrorMargins).Default(false);
    d.Property("Columns", &P::Columns, &P::SetColumns).Default(0);
    d.Property("ColumnWidth", &P::ColumnWidth, &P::ColumnWidth);
    d.Property("ColumnPositions", &P::ColumnPositions, &P::SetColumnPositions);
    d.Property("Bin", &P::Bin, &P::Bin).Default(7);
    d.Property("BinOtherPages", &P::BinOtherPages, &P::BinOtherPages).Default(7);
    d.Property("BackPicture", &P::BackPicture, &P::SetBackPicture);
    d.Property("Color", ColorTypeInfo(), &P::Color, &P::SetColor).Default(clNone);
    d.Property("Frame", &P::Frame, &P::SetFrame);
    d.Property("DataSet", &P::DataSet, &P::SetDataSet);
    d.Property("DataSetName", &P::DataSetName, &P::SetDataSetName);
    d.Property("Duplex", &P::Duplex, &P::Duplex).Default(dmNone);
    d.Property("LargeDesignHeight", &P::LargeDesignHeight, &P::LargeDesignHeight).Default(false);
    d.Property("OutlineText", &P::OutlineText, &P::OutlineText);
    d.Property("PrintIfEmpty", &P::PrintIfEmpty, &P::PrintIfEmpty).Default(true);
    d.Property("PrintOnPreviousPage", &P::PrintOnPreviousPage, &P::PrintOnPreviousPage).Default(false);
    d.Property("TitleBeforeHeader", &P::TitleBeforeHeader, &P::TitleBeforeHeader).Default(true);
    d.Property("HGuides", &P::HGuides, &P::SetHGuides);
    d.Property("VGuides", &P::VGuides, &P::SetVGuides);
    d.Property("OnAfterPrint", frxEventType("TfrxNotifyEvent"), &P::OnAfterPrint, &P::OnAfterPrint);
    d.Property("OnBeforePrint", frxEventType("TfrxNotifyEvent"), &P::OnBeforePrint, &P::OnBeforePrint);
    d.Property("OnManualBuild", frxEventType("TfrxNotifyEvent"), &P::OnManualBuild, &P::OnManualBuild);
}

std::string TfrxReportPage::GetDescription() const { return frxResources().Get("obRepPage"); }

void TfrxReportPage::UpdateDimensions() {
    SetWidth(rnd(FPaperWidth * frxMmToPixels));
    SetHeight(rnd(FPaperHeight * frxMmToPixels));
}

void TfrxReportPage::SetOrientation(TPrinterOrientation Value) {
    if (Value == FOrientation) return;
    std::swap(FPaperWidth, FPaperHeight);
    const double l = LeftMargin, r = RightMargin, t = TopMargin, b = BottomMargin;
    if (Value == poLandscape) {
        LeftMargin = t;
        RightMargin = b;
        TopMargin = r;
        BottomMargin = l;
    } else {
        LeftMargin = b;
        RightMargin = t;
        TopMargin = l;
        BottomMargin = r;
    }
    FOrientation = Value;
    UpdateDimensions();
}

void TfrxReportPage::SetPaperWidth(double Value) {
    FPaperWidth = Value;
    FPaperSize = frxCustomPaperSize;
    UpdateDimensions();
}

void TfrxReportPage::SetPaperHeight(double Value) {
    FPaperHeight = Value;
    FPaperSize = frxCustomPaperSize;
    UpdateDimensions();
}

void TfrxReportPage::SetPaperSize(int Value) {
    FPaperSize = Value;
    int w = 0, h = 0;
    if (Value < frxCustomPaperSize && frxGetPaperDimensions(Value, w, h)) {
        FPaperWidth = w / 10.0;
        FPaperHeight = h / 10.0;
        if (FOrientation == poLandscape) std::swap(FPaperWidth, FPaperHeight);
    }
    UpdateDimensions();
}

void TfrxReportPage::SetColumns(int Value) {
    FColumns = std::min(Value, frxMaxPageColumns);
    FColumnPositions->Clear();
    if (FColumns <= 0) return;
    ColumnWidth = (FPaperWidth - LeftMargin - RightMargin) / FColumns;
    for (int i = 0; i < FColumns; ++i) FColumnPositions->Add(FloatToStr(i * ColumnWidth));
}

TPicture* TfrxReportPage::BackPicture() const { return FBackground->Picture(); }
void TfrxReportPage::SetBackPicture(TPicture* Value) { FBackground->SetPicture(Value); }
TColor TfrxReportPage::Color() const { return FBackground->Color(); }
void TfrxReportPage::SetColor(TColor Value) { FBackground->SetColor(Value); }
TfrxFrame* TfrxReportPage::Frame() const { return FBackground->Frame(); }
void TfrxReportPage::SetFrame(TfrxFrame* Value) { FBackground->SetFrame(Value); }

void TfrxReportPage::DrawBackground(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    FBackground->SetBounds(LeftMargin * frxMmToPixels, TopMargin * frxMmToPixels,
                           (FPaperWidth - LeftMargin - RightMargin) * frxMmToPixels - 1,
                           (FPaperHeight - TopMargin - BottomMargin) * frxMmToPixels - 1);
    FBackground->Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
}

void TfrxReportPage::SetDataSet(TfrxDataSet* Value) {
    FDataSet = Value;
    FDataSetComponent = Value;
    if (Value) Value->FreeNotification(this);
    FDataSetName = Value ? Value->UserName() : std::string();
}

std::string TfrxReportPage::DataSetName() const { return FDataSet ? FDataSet->UserName() : FDataSetName; }

void TfrxReportPage::SetDataSetName(const std::string& Value) {
    FDataSetName = Value;
    TfrxReport* r = Report();
    FDataSet = r ? r->GetDataset(Value) : nullptr;
    FDataSetComponent = FDataSet;
    if (FDataSet) FDataSet->FreeNotification(this);
}

void TfrxReportPage::Loaded() {
    TfrxPage::Loaded();
    if (!FDataSet && !FDataSetName.empty()) SetDataSetName(FDataSetName);
}

void TfrxReportPage::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxPage::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (AComponent == FDataSetComponent) {
        FDataSet = nullptr;
        FDataSetComponent = nullptr;
    }
    if (FSubReport && static_cast<TComponent*>(FSubReport) == AComponent) FSubReport = nullptr;
    // The band tree's links compare as components: the band part may be gone already.
    auto gone = [&](TfrxDataBand* b) { return static_cast<TComponent*>(b) == AComponent; };
    std::erase_if(HorizontalMasters, gone);
    std::erase_if(VerticalMasters, gone);
}

void TfrxReportPage::ClearGuides() {
    FHGuides->Clear();
    FVGuides->Clear();
}

TfrxBand* TfrxReportPage::FindBand(TClass BandClass) const {
    for (TfrxComponent* c : ObjectList())
        if (c->InheritsFrom(BandClass)) return dynamic_cast<TfrxBand*>(c);
    return nullptr;
}

void TfrxReportPage::SetDefaults() {
    LeftMargin = RightMargin = TopMargin = BottomMargin = 10;
    if (TfrxCustomPrinter* printer = frxPrinters().Printer()) {
        FPaperSize = printer->PaperSize;
        FPaperWidth = printer->PaperWidth;
        FPaperHeight = printer->PaperHeight;
        FOrientation = printer->Orientation;
    }
    UpdateDimensions();
}

void TfrxReportPage::AlignChildren() {
    SetWidth((FPaperWidth - LeftMargin - RightMargin) * frxMmToPixels);
    TfrxPage::AlignChildren();
    const double printableHeight = (FPaperHeight - TopMargin - BottomMargin) * frxMmToPixels;
    for (TfrxComponent* c : ObjectList()) {
        auto* band = dynamic_cast<TfrxBand*>(c);
        if (!band) continue;
        if (band->Vertical) band->SetHeight(printableHeight - band->Top());
        else band->SetWidth(Width() - band->Left());
        // The band's size changed: its views follow their alignment.
        band->AlignChildren();
    }
}

// --- TfrxDialogForm ------------------------------------------------------------------------

TfrxDialogForm::TfrxDialogForm(TComponent* AOwner) : TForm(AOwner) {
    SetFormStyle(fsStayOnTop);
    SetKeyPreview(true);
    SetCaption(" ");
    // Closing is refused until the page connects its close-query event.
    OnCloseQuery = [](TObject*, bool& CanClose) { CanClose = false; };
}

bool TfrxDialogForm::WantsKey(uint16_t Key, TShiftState Shift) const {
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) return true;
    return TForm::WantsKey(Key, Shift);
}

// --- TfrxDialogPage ------------------------------------------------------------------------

TfrxDialogPage::TfrxDialogPage(TComponent* AOwner) : TfrxPage(AOwner) { Init(); }

void TfrxDialogPage::Init() {
    FForm = std::make_unique<TfrxDialogForm>(nullptr);
    FForm->SetBorderStyle(FBorderStyle);
    FForm->SetColor(FColor);
    TFont font;
    font.Assign(Font());
    font.SetName("Tahoma");
    font.SetSize(8);
    SetFont(&font);
    UpdateFormBounds();
}

TfrxDialogPage::~TfrxDialogPage() {
    // The controls leave the window before it goes.
    Clear();
    FForm.reset();
}

void TfrxDialogPage::DeclareProperties(TPropertyDecl<TfrxDialogPage>& d) {
    using P = TfrxDialogPage;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds | TfrxComponent::pubFont | TfrxComponent::pubVisible);
    d.Property("BorderStyle", &P::BorderStyle, &P::SetBorderStyle).Default(bsSizeable);
    d.Property("Caption", &P::Caption, &P::SetCaption);
    d.Property("Color", ColorTypeInfo(), &P::Color, &P::SetColor).Default(clBtnFace);
    d.Property("Position", &P::Position, &P::Position).Default(poScreenCenter);
    d.Property("WindowState", &P::WindowState, &P::WindowState).Default(wsNormal);
    d.Property("OnActivate", frxEventType("TfrxNotifyEvent"), &P::OnActivate, &P::OnActivate);
    d.Property("OnClick", frxEventType("TfrxNotifyEvent"), &P::OnClick, &P::OnClick);
    d.Property("OnCloseQuery", frxEventType("TfrxCloseQueryEvent"), &P::OnCloseQuery, &P::OnCloseQuery);
    d.Property("OnDeactivate", frxEventType("TfrxNotifyEvent"), &P::OnDeactivate, &P::OnDeactivate);
    d.Property("OnHide", frxEventType("TfrxNotifyEvent"), &P::OnHide, &P::OnHide);
    d.Property("OnKeyDown", frxEventType("TfrxKeyEvent"), &P::OnKeyDown, &P::OnKeyDown);
    d.Property("OnKeyPress", frxEventType("TfrxKeyPressEvent"), &P::OnKeyPress, &P::OnKeyPress);
    d.Property("OnKeyUp", frxEventType("TfrxKeyEvent"), &P::OnKeyUp, &P::OnKeyUp);
    d.Property("OnResize", frxEventType("TfrxNotifyEvent"), &P::OnResize, &P::OnResize);
    d.Property("OnShow", frxEventType("TfrxNotifyEvent"), &P::OnShow, &P::OnShow);
}

std::string TfrxDialogPage::GetDescription() const { return frxResources().Get("obDlgPage"); }

void TfrxDialogPage::UpdateFormBounds() {
    if (FForm) FForm->SetBounds(rnd(Left()), rnd(Top()), rnd(Width()), rnd(Height()));
}

void TfrxDialogPage::SetLeft(double Value) {
    TfrxPage::SetLeft(Value);
    UpdateFormBounds();
}

void TfrxDialogPage::SetTop(double Value) {
    TfrxPage::SetTop(Value);
    UpdateFormBounds();
}

void TfrxDialogPage::SetWidth(double Value) {
    TfrxPage::SetWidth(Value);
    UpdateFormBounds();
}

void TfrxDialogPage::SetHeight(double Value) {
    TfrxPage::SetHeight(Value);
    UpdateFormBounds();
}

void TfrxDialogPage::SetBorderStyle(TFormBorderStyle Value) {
    FBorderStyle = Value;
    FForm->SetBorderStyle(Value);
    // The window keeps the page's outer bounds whatever its frame.
    UpdateFormBounds();
}

void TfrxDialogPage::SetCaption(const std::string& Value) {
    FCaption = Value;
    FForm->SetCaption(Value);
}

void TfrxDialogPage::SetColor(TColor Value) {
    FColor = Value;
    FForm->SetColor(Value);
}

void TfrxDialogPage::FontChanged() {
    TfrxPage::FontChanged();
    if (FForm) FForm->SetFont(Font());
}

int TfrxDialogPage::ModalResult() const { return FForm->ModalResult(); }
void TfrxDialogPage::SetModalResult(int Value) { FForm->SetModalResult(Value); }

void TfrxDialogPage::Notify(const std::string& EventName) {
    if (TfrxReport* r = Report()) frxRunDialogEvent(this, [&] { r->DoNotifyEvent(this, EventName); });
}

void TfrxDialogPage::Initialize() {
    TfrxDialogForm* f = FForm.get();
    if (f->Visible()) f->Hide();
    f->SetPosition(Position);
    f->SetWindowState(WindowState);
    const Variant self = Variant::FromObject(Handle());
    f->OnActivate = [this](TObject*) { Notify(OnActivate); };
    f->OnClick = [this](TObject*) { Notify(OnClick); };
    f->OnDeactivate = [this](TObject*) { Notify(OnDeactivate); };
    f->OnHide = [this](TObject*) { Notify(OnHide); };
    f->OnResize = [this](TObject*) { Notify(OnResize); };
    f->OnShow = [this](TObject*) { Notify(OnShow); };
    f->OnCloseQuery = [this, self](TObject*, bool& CanClose) {
        TfrxReport* r = Report();
        if (!r) return;
        Variant params = VarArrayOf({self, Variant(CanClose)});
        frxRunDialogEvent(this, [&] {
            r->DoParamEvent(OnCloseQuery, params);
            CanClose = params.GetElement({1}).AsBoolean();
        });
    };
    auto keyEvent = [this, self](const std::string& Name, uint16_t& Key, TShiftState Shift) {
        TfrxReport* r = Report();
        if (!r) return;
        Variant params = VarArrayOf({self, Variant(static_cast<int>(Key)), Variant(static_cast<int>(Shift))});
        frxRunDialogEvent(this, [&] {
            r->DoParamEvent(Name, params);
            Key = static_cast<uint16_t>(params.GetElement({1}).AsInteger());
        });
    };
    f->OnKeyDown = [this, keyEvent](TObject*, uint16_t& Key, TShiftState Shift) { keyEvent(OnKeyDown, Key, Shift); };
    f->OnKeyUp = [this, keyEvent](TObject*, uint16_t& Key, TShiftState Shift) { keyEvent(OnKeyUp, Key, Shift); };
    f->OnKeyPress = [this, self](TObject*, char32_t& Key) {
        TfrxReport* r = Report();
        if (!r) return;
        Variant params = VarArrayOf({self, Variant(CodePointToUtf8(Key))});
        frxRunDialogEvent(this, [&] {
            r->DoParamEvent(OnKeyPress, params);
            // An emptied text swallows the key.
            const std::string text = VarToStr(params.GetElement({1}));
            size_t i = 0;
            Key = text.empty() ? 0 : NextCodePoint(text, i);
        });
    };
}

int TfrxDialogPage::ShowModal() {
    FForm->SetFormStyle(fsNormal);
    struct TRestore {
        TfrxDialogForm* Form;
        ~TRestore() { Form->SetFormStyle(fsStayOnTop); }
    } restore{FForm.get()};
    return FForm->ShowModal();
}

// --- Registration --------------------------------------------------------------------------

void frxRegisterBandAndPageClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterClasses({TfrxReportPage::StaticClass(), TfrxDialogPage::StaticClass(), TfrxBand::StaticClass(),
                     TfrxNullBand::StaticClass(), TfrxDataBand::StaticClass(), TfrxSubreport::StaticClass()});
    for (TClass kind : frxBandKinds()) RegisterClass(kind);
}

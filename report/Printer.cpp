// The printer list, the virtual printer and device printers over the platform layer.
#include "report/Printer.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "report/Resources.h"

namespace {

std::vector<int> BuildPaperNumbers() {
    std::vector<int> numbers;
    for (int n = 1; n <= 68; ++n) {
        if (n == 48 || n == 49) continue;
        int w, h;
        if (PaperSizeOfNumber(n, w, h)) numbers.push_back(n);
    }
    return numbers;
}

double PixelsToMM(int pixels, int dpi) { return dpi > 0 ? pixels / static_cast<double>(dpi) * 25.4 : 0; }

}  // namespace

const std::vector<int>& frxPaperNumbers() {
    static const std::vector<int> numbers = BuildPaperNumbers();
    return numbers;
}

bool frxGetPaperDimensions(int Number, int& Width, int& Height) {
    if (Number == 48 || Number == 49 || Number < 1 || Number > 68) return false;
    int w, h;
    if (!PaperSizeOfNumber(Number, w, h)) return false;
    Width = w;
    Height = h;
    return true;
}

// --- TfrxCustomPrinter ---------------------------------------------------------------------

TfrxCustomPrinter::TfrxCustomPrinter(const std::string& AName, const std::string& APort)
    : FName(AName), FPort(APort) {
    FBins.AddObject(frxResources().Get("prDefault"), Num(DMBIN_AUTO));
    FPapers.AddObject(frxResources().Get("prCustom"), Num(DMPAPER_USER));
}

TfrxCustomPrinter::~TfrxCustomPrinter() = default;

TfrxPrinterPropertiesProc& frxPrinterPropertiesProc() {
    static TfrxPrinterPropertiesProc proc;
    return proc;
}

bool TfrxCustomPrinter::HasProperties() const {
    TPrinter* device = Device();
    return device && !device->Options().empty();
}

void TfrxCustomPrinter::PropertiesDlg() {
    if (HasProperties() && frxPrinterPropertiesProc()) frxPrinterPropertiesProc()(*this);
}

int TfrxCustomPrinter::PaperIndex(int Number) const {
    for (int i = 0; i < FPapers.Count(); ++i)
        if (NumOf(FPapers.Objects(i)) == Number) return i;
    return -1;
}

int TfrxCustomPrinter::BinIndex(int Number) const {
    for (int i = 0; i < FBins.Count(); ++i)
        if (NumOf(FBins.Objects(i)) == Number) return i;
    return -1;
}

int TfrxCustomPrinter::PaperNameToNumber(std::string_view Name) const {
    int i = FPapers.IndexOf(Name);
    if (i < 0) i = 0;
    return FPapers.Count() > 0 ? NumOf(FPapers.Objects(i)) : DMPAPER_USER;
}

int TfrxCustomPrinter::BinNameToNumber(std::string_view Name) const {
    int i = FBins.IndexOf(Name);
    if (i < 0) i = 0;
    return FBins.Count() > 0 ? NumOf(FBins.Objects(i)) : DMBIN_AUTO;
}

// --- TfrxVirtualPrinter --------------------------------------------------------------------

TfrxVirtualPrinter::TfrxVirtualPrinter(const std::string& AName, const std::string& APort)
    : TfrxCustomPrinter(AName, APort) {}

void TfrxVirtualPrinter::Init() {
    if (FInitialized) return;
    DPIX = DPIY = 600;
    PaperSize = DMPAPER_A4;
    Orientation = poPortrait;
    PaperWidth = 210;
    PaperHeight = 297;
    for (int n : frxPaperNumbers()) FPapers.AddObject(std::string(), Num(n));
    DefaultBin = DMBIN_AUTO;
    FInitialized = true;
}

void TfrxVirtualPrinter::SetViewParams(int APaperSize, double APaperWidth, double APaperHeight,
                                       TPrinterOrientation AOrientation) {
    int w, h;
    if (APaperSize != DMPAPER_USER && frxGetPaperDimensions(APaperSize, w, h)) {
        PaperSize = APaperSize;
        PaperWidth = w / 10.0;
        PaperHeight = h / 10.0;
        if (AOrientation == poLandscape) std::swap(PaperWidth, PaperHeight);
    } else {
        PaperSize = DMPAPER_USER;
        PaperWidth = APaperWidth;
        PaperHeight = APaperHeight;
    }
    Orientation = AOrientation;
    LeftMargin = TopMargin = RightMargin = BottomMargin = 5;
}

void TfrxVirtualPrinter::SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight,
                                        TPrinterOrientation AOrientation, int ABin, int, int) {
    SetViewParams(APaperSize, APaperWidth, APaperHeight, AOrientation);
    Bin = ABin;
}

void TfrxVirtualPrinter::BeginRAWDoc(const std::string& Title) {
    FRawFile = FileName;
    if (FRawFile.empty()) {
        std::string name = ExtractFileName(Title);
        if (name.empty()) name = "report";
        FRawFile = ChangeFileExt(name, ".prn");
    }
    FRawBytes.clear();
    FRawOpen = true;
}

void TfrxVirtualPrinter::WriteRAWDoc(const std::string& Text) {
    if (FRawOpen) FRawBytes += Text;
}

void TfrxVirtualPrinter::EndRAWDoc() {
    if (!FRawOpen) return;
    FRawOpen = false;
    SaveFileAtomically(FRawFile, FRawBytes, TFileAccess::OwnerOnly);
    FRawBytes.clear();
}

// --- TfrxPrinter ---------------------------------------------------------------------------

TfrxPrinter::TfrxPrinter(const std::string& AName, const std::string& APort) : TfrxCustomPrinter(AName, APort) {}

TfrxPrinter::~TfrxPrinter() = default;

TPrinter& TfrxPrinter::RequireDevice() {
    Init();
    if (!FDevice) throw EPrinter("Printer \"" + FName + "\" cannot be opened");
    return *FDevice;
}

void TfrxPrinter::ReadGeometry() {
    TPrinter& d = *FDevice;
    DPIX = d.DPIX();
    DPIY = d.DPIY();
    PaperSize = d.PaperSize();
    Orientation = d.Orientation();
    PaperWidth = PixelsToMM(d.PhysicalWidth(), DPIX);
    PaperHeight = PixelsToMM(d.PhysicalHeight(), DPIY);
    LeftMargin = PixelsToMM(d.PhysicalOffsetX(), DPIX);
    TopMargin = PixelsToMM(d.PhysicalOffsetY(), DPIY);
    RightMargin = PaperWidth - PixelsToMM(d.PageWidth(), DPIX) - LeftMargin;
    BottomMargin = PaperHeight - PixelsToMM(d.PageHeight(), DPIY) - TopMargin;
}

void TfrxPrinter::Init() {
    if (FInitialized) return;
    FInitialized = true;
    try {
        FDevice = std::make_unique<TPrinter>(FName);
    } catch (const Exception&) {
        FDevice.reset();
        FInitialized = false;
        return;
    }
    ReadGeometry();
    for (const TPaperInfo& p : FDevice->Papers())
        if (p.Number != DMPAPER_USER) FPapers.AddObject(p.Name, Num(p.Number));
    for (const TBinInfo& b : FDevice->Bins())
        if (b.Number != DMBIN_AUTO) FBins.AddObject(b.Name, Num(b.Number));
}

void TfrxPrinter::SetViewParams(int APaperSize, double APaperWidth, double APaperHeight,
                                TPrinterOrientation AOrientation) {
    Init();
    if (!FDevice) return;
    int w, h;
    const bool custom = APaperSize == DMPAPER_USER || !frxGetPaperDimensions(APaperSize, w, h);
    FDevice->SetPaperSize(custom ? DMPAPER_A4 : APaperSize);
    FDevice->SetOrientation(AOrientation);
    ReadGeometry();
    if (custom) {
        PaperSize = DMPAPER_USER;
        PaperWidth = APaperWidth;
        PaperHeight = APaperHeight;
    }
}

void TfrxPrinter::SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight,
                                 TPrinterOrientation AOrientation, int ABin, int ADuplex, int ACopies) {
    TPrinter& d = RequireDevice();
    d.SetOrientation(AOrientation);
    if (APaperSize == DMPAPER_USER) {
        const bool landscape = AOrientation == poLandscape;
        d.SetCustomPaperSize(landscape ? APaperHeight : APaperWidth, landscape ? APaperWidth : APaperHeight);
    } else if (!d.SetPaperSize(APaperSize)) {
        d.SetCustomPaperSize(APaperWidth, APaperHeight);
    }
    d.SetCopies(ACopies);
    d.SetBin(ABin == -1 ? DMBIN_AUTO : ABin);
    d.SetDuplex(ADuplex);
    ReadGeometry();
    if (APaperSize == DMPAPER_USER) {
        PaperWidth = APaperWidth;
        PaperHeight = APaperHeight;
    }
}

void TfrxPrinter::Abort() {
    if (FDevice) FDevice->Abort();
}

void TfrxPrinter::BeginDoc(const std::string& Title) {
    TPrinter& d = RequireDevice();
    d.SetFileName(FileName);
    d.BeginDoc(Title);
}

void TfrxPrinter::BeginPage() { RequireDevice().BeginPage(); }
void TfrxPrinter::EndPage() { RequireDevice().EndPage(); }
void TfrxPrinter::EndDoc() { RequireDevice().EndDoc(); }
void TfrxPrinter::BeginRAWDoc(const std::string& Title) {
    TPrinter& d = RequireDevice();
    d.SetFileName(FileName);
    d.BeginRawDoc(Title);
}
void TfrxPrinter::WriteRAWDoc(const std::string& Text) { RequireDevice().WriteRawDoc(Text); }
void TfrxPrinter::EndRAWDoc() { RequireDevice().EndRawDoc(); }

TCanvas* TfrxPrinter::Canvas() { return FDevice && FDevice->Printing() ? FDevice->Canvas() : nullptr; }

// --- TfrxPrinters --------------------------------------------------------------------------

TfrxPrinters::TfrxPrinters() { FillPrinters(); }
TfrxPrinters::~TfrxPrinters() = default;

void TfrxPrinters::FillPrinters() {
    FItems.clear();
    FPrinters.Clear();
    FPrinterIndex = -1;
    std::vector<TPrinterInfo> infos;
    try {
        infos = EnumPrinters();
    } catch (const Exception&) {
        infos.clear();
    }
    for (const TPrinterInfo& info : infos) {
        FItems.push_back(std::make_unique<TfrxPrinter>(info.Name, info.Port));
        FPrinters.Add(info.Name);
    }
    FHasPhysicalPrinters = !FItems.empty();
    if (FHasPhysicalPrinters) {
        std::string def;
        try {
            def = DefaultPrinterName();
        } catch (const Exception&) {
        }
        SetPrinterIndex(IndexOf(def));
        return;
    }
    FItems.push_back(std::make_unique<TfrxVirtualPrinter>(frxResources().Get("prVirtual"), std::string()));
    FPrinters.Add(FItems.back()->Name());
    SetPrinterIndex(0);
}

TfrxCustomPrinter* TfrxPrinters::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

TfrxCustomPrinter* TfrxPrinters::Printer() const {
    if (FPrinterIndex >= 0 && FPrinterIndex < Count()) return FItems[static_cast<size_t>(FPrinterIndex)].get();
    return FItems.empty() ? nullptr : FItems.front().get();
}

void TfrxPrinters::SetPrinterIndex(int Value) {
    if (Value < 0 || Value >= Count()) return;
    FPrinterIndex = Value;
    FItems[static_cast<size_t>(Value)]->Init();
}

int TfrxPrinters::IndexOf(std::string_view Name) const {
    for (int i = 0; i < FPrinters.Count(); ++i)
        if (SameText(FPrinters[i], Name)) return i;
    return -1;
}

TfrxPrinters& frxPrinters() {
    static TfrxPrinters printers;
    return printers;
}

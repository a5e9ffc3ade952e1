// The printers: one process-wide list (frxPrinters) of the installed printers with their
// papers, bins, resolution and margins, over the platform's printer layer; graphic pages
// print on the printer's canvas, dot-matrix pages go as raw text. Without any printer a
// virtual printer (A4, 600 dpi, 5 mm margins) stands in so that reports still lay out.
//
// Failures of a print job raise EPrinter from the job operations, so a failed print never
// looks like a successful one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Printers.h"
#include "platform/rtl/StringList.h"

class TCanvas;

// The paper table: platform paper number -> width and height in tenths of a millimetre.
// Numbers 1 to 47 and 50 to 68; false (nothing changed) for any other number.
bool frxGetPaperDimensions(int Number, int& Width, int& Height);
// The table's numbers in order (66 of them).
const std::vector<int>& frxPaperNumbers();

class TfrxCustomPrinter {
public:
    TfrxCustomPrinter(const std::string& AName, const std::string& APort);
    virtual ~TfrxCustomPrinter();
    TfrxCustomPrinter(const TfrxCustomPrinter&) = delete;
    TfrxCustomPrinter& operator=(const TfrxCustomPrinter&) = delete;

    const std::string& Name() const { return FName; }
    const std::string& Port() const { return FPort; }
    // Bin names with their numbers as objects: "prDefault" (7) first.
    TStringList& Bins() { return FBins; }
    // Paper names with their numbers as objects: "prCustom" (256) first.
    TStringList& Papers() { return FPapers; }
    // Output file (PDF); empty prints to the device.
    std::string FileName;

    int DefaultBin = 7;
    TPrinterOrientation Orientation = poPortrait;
    int PaperSize = 9;
    double PaperWidth = 210, PaperHeight = 297;   // mm
    int DPIX = 600, DPIY = 600;
    bool Initialized() const { return FInitialized; }
    // Unprintable margins in mm, for the current view or print parameters.
    double LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;

    virtual void Init() = 0;
    virtual void Abort() = 0;
    virtual void BeginDoc(const std::string& Title) = 0;
    virtual void BeginPage() = 0;
    virtual void BeginRAWDoc(const std::string& Title) = 0;
    virtual void EndDoc() = 0;
    virtual void EndPage() = 0;
    virtual void EndRAWDoc() = 0;
    virtual void WriteRAWDoc(const std::string& Text) = 0;
    virtual void SetViewParams(int APaperSize, double APaperWidth, double APaperHeight,
                               TPrinterOrientation AOrientation) = 0;
    virtual void SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight,
                                TPrinterOrientation AOrientation, int ABin, int ADuplex, int ACopies) = 0;
    // The printer's settings window: the queue's own options (print quality, colour mode,
    // media type ...) in the window frxPrinterPropertiesProc shows; the choices stay with the
    // printer for the session and go with its jobs. Nothing for a printer without options
    // (the virtual one, a queue whose driver offers none). Paper, tray and duplex are set by
    // each page as it prints.
    virtual void PropertiesDlg();
    // Whether there is anything to set there (the print dialog's button follows it).
    bool HasProperties() const;
    // The platform's printer behind this one (nullptr for the virtual printer, and for a
    // printer that cannot be opened).
    virtual TPrinter* Device() const { return nullptr; }
    // The page canvas while a job runs (nullptr otherwise and for the virtual printer).
    virtual TCanvas* Canvas() { return nullptr; }

    int PaperIndex(int Number) const;
    int BinIndex(int Number) const;
    // The first entry's number when the name is unknown.
    int PaperNameToNumber(std::string_view Name) const;
    int BinNameToNumber(std::string_view Name) const;

protected:
    static TObject* Num(int n) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(n)); }
    static int NumOf(TObject* o) { return static_cast<int>(reinterpret_cast<intptr_t>(o)); }
    std::string FName, FPort;
    TStringList FBins, FPapers;
    bool FInitialized = false;
};

class TfrxVirtualPrinter : public TfrxCustomPrinter {
public:
    TfrxVirtualPrinter(const std::string& AName, const std::string& APort);
    void Init() override;
    // Drops a raw document begun (no file is written).
    void Abort() override {
        FRawOpen = false;
        FRawBytes.clear();
    }
    void BeginDoc(const std::string&) override {}
    void BeginPage() override {}
    // Without a printer, raw output (dot-matrix pages) goes to a file: FileName, or the
    // document's title (its file name part) with the extension ".prn" in the working
    // folder ("report.prn" without a title).
    void BeginRAWDoc(const std::string& Title) override;
    void EndDoc() override {}
    void EndPage() override {}
    void EndRAWDoc() override;
    void WriteRAWDoc(const std::string& Text) override;
    // The file the last raw document went to.
    const std::string& RawFileName() const { return FRawFile; }
    void SetViewParams(int APaperSize, double APaperWidth, double APaperHeight,
                       TPrinterOrientation AOrientation) override;
    void SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight,
                        TPrinterOrientation AOrientation, int ABin, int ADuplex, int ACopies) override;
    int Bin = 7;

private:
    std::string FRawFile, FRawBytes;
    bool FRawOpen = false;
};

class TfrxPrinter : public TfrxCustomPrinter {
public:
    TfrxPrinter(const std::string& AName, const std::string& APort);
    ~TfrxPrinter() override;
    // Opens the device and reads its resolution, paper and the lists of papers and bins;
    // a printer that cannot be opened stays uninitialised.
    void Init() override;
    void Abort() override;
    void BeginDoc(const std::string& Title) override;
    void BeginPage() override;
    void BeginRAWDoc(const std::string& Title) override;
    void EndDoc() override;
    void EndPage() override;
    void EndRAWDoc() override;
    void WriteRAWDoc(const std::string& Text) override;
    void SetViewParams(int APaperSize, double APaperWidth, double APaperHeight,
                       TPrinterOrientation AOrientation) override;
    void SetPrintParams(int APaperSize, double APaperWidth, double APaperHeight,
                        TPrinterOrientation AOrientation, int ABin, int ADuplex, int ACopies) override;
    TCanvas* Canvas() override;
    TPrinter* Device() const override { return FDevice.get(); }

private:
    void ReadGeometry();
    TPrinter& RequireDevice();
    std::unique_ptr<TPrinter> FDevice;
};

class TfrxPrinters {
public:
    TfrxPrinters();
    ~TfrxPrinters();
    TfrxPrinters(const TfrxPrinters&) = delete;
    TfrxPrinters& operator=(const TfrxPrinters&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxCustomPrinter* Items(int Index) const;
    TStringList& Printers() { return FPrinters; }
    // The current printer.
    TfrxCustomPrinter* Printer() const;
    int PrinterIndex() const { return FPrinterIndex; }
    // -1 is ignored; otherwise that printer becomes current and is initialised.
    void SetPrinterIndex(int Value);
    // Position of the name, case ignored, -1 when absent.
    int IndexOf(std::string_view Name) const;
    bool HasPhysicalPrinters() const { return FHasPhysicalPrinters; }
    // Fills the list again: the installed printers, or the virtual one.
    void FillPrinters();

private:
    std::vector<std::unique_ptr<TfrxCustomPrinter>> FItems;
    TStringList FPrinters;
    int FPrinterIndex = -1;
    bool FHasPhysicalPrinters = false;
};

// The window PropertiesDlg shows (the preview installs its own); unset, nothing is shown.
// It returns whether the user took the choices.
using TfrxPrinterPropertiesProc = std::function<bool(TfrxCustomPrinter& Printer)>;
TfrxPrinterPropertiesProc& frxPrinterPropertiesProc();

// The shared list, created on first use.
TfrxPrinters& frxPrinters();

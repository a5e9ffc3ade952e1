// Printers over Qt and CUPS: the installed queues, the default one, papers and bins by
// the platform's numbers (the numbers stored in report files), the device settings
// (paper, orientation, copies, duplex, bin), print jobs drawn on a canvas, raw jobs for
// dot-matrix printers, and printing to a PDF file.
//
// A machine without print queues is normal: EnumPrinters gives an empty list and the
// report engine lays out with its virtual printer. Every failure of a job raises
// EPrinter with a text that names the printer; nothing fails silently.
#pragma once

#include "platform/graphics/Graphics.h"

#include <memory>
#include <string>
#include <vector>

// Paper numbers (selection; every number 1..68 of the platform is known to
// PaperSizeOfNumber) and bins.
enum : int {
    DMPAPER_LETTER = 1, DMPAPER_LEGAL = 5, DMPAPER_EXECUTIVE = 7, DMPAPER_A3 = 8,
    DMPAPER_A4 = 9, DMPAPER_A5 = 11, DMPAPER_B4 = 12, DMPAPER_B5 = 13, DMPAPER_ENV_10 = 20,
    DMPAPER_ENV_DL = 27, DMPAPER_ENV_C5 = 28, DMPAPER_A2 = 66, DMPAPER_USER = 256
};
enum : int {
    DMBIN_UPPER = 1, DMBIN_LOWER = 2, DMBIN_MIDDLE = 3, DMBIN_MANUAL = 4, DMBIN_ENVELOPE = 5,
    DMBIN_ENVMANUAL = 6, DMBIN_AUTO = 7, DMBIN_TRACTOR = 8, DMBIN_SMALLFMT = 9,
    DMBIN_LARGEFMT = 10, DMBIN_LARGECAPACITY = 11, DMBIN_CASSETTE = 14, DMBIN_FORMSOURCE = 15,
    DMBIN_USER = 256
};
enum TPrinterOrientation { poPortrait, poLandscape };
enum : int { DMDUP_SIMPLEX = 1, DMDUP_VERTICAL = 2, DMDUP_HORIZONTAL = 3 };

struct TPaperInfo {
    int Number = 0;
    std::string Name;
    int Width = 0;    // tenths of a millimetre, portrait
    int Height = 0;
};

struct TBinInfo {
    int Number = 0;
    std::string Name;
};

struct TPrinterInfo {
    std::string Name;
    std::string Port;      // the queue's device URI
    bool IsDefault = false;
};

// The standard size of a paper number in tenths of a millimetre (portrait); false for
// numbers the platform does not define (256 included).
bool PaperSizeOfNumber(int number, int& width, int& height);
// The paper number whose standard size is width x height (either orientation) within
// one millimetre; 0 when none.
int PaperNumberOfSize(int width, int height);

// The installed queues in the spooler's order; empty when there are none or no CUPS.
std::vector<TPrinterInfo> EnumPrinters();
// The default queue ("" when none): $PRINTER, then the CUPS default.
std::string DefaultPrinterName();

// One option of a print queue as its driver description (PPD) names it: the keyword and
// the text the queue shows, its choices (keyword and text) and the queue's default.
struct TPrinterOptionChoice {
    std::string Keyword;
    std::string Text;
};
struct TPrinterOption {
    std::string Keyword;
    std::string Text;
    std::string Default;
    std::vector<TPrinterOptionChoice> Choices;
};

// The options of a PPD file in its own order, with their defaults marked, except those each
// page of a report sets as it prints (paper, paper region, tray, two-sided printing) and
// options with fewer than two choices. EPrinter when the file cannot be read as a PPD.
std::vector<TPrinterOption> ReadPpdOptions(const std::string& ppdFile);

class TPrinterImpl;

// One printer (a queue or a PDF file) with its device settings and its current job.
// Settings may change between the pages of a job: they apply from the next BeginPage.
class TPrinter {
public:
    // A printer queue by name (ASCII case ignored); EPrinter when there is no such queue.
    explicit TPrinter(const std::string& name);
    // A printer that writes fileName as PDF, at the given resolution.
    static std::unique_ptr<TPrinter> CreatePdf(const std::string& fileName, int dpi = 600);
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    const std::string& Name() const;
    const std::string& Port() const;
    bool IsPdf() const;

    std::vector<TPaperInfo> Papers() const;   // never holds 256
    std::vector<TBinInfo> Bins() const;       // never holds DMBIN_AUTO

    int PaperSize() const;                    // the paper number, 256 for a custom size
    // A number from Papers() or PaperSizeOfNumber; false (nothing changed) otherwise.
    bool SetPaperSize(int number);
    void SetCustomPaperSize(double widthMM, double heightMM);   // portrait measures
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value);
    int Copies() const;
    void SetCopies(int value);                // below 1 is taken as 1
    int Duplex() const;
    void SetDuplex(int mode);                 // DMDUP_ values
    int Bin() const;
    void SetBin(int number);                  // -1 or DMBIN_AUTO: the printer's choice

    // The queue's own options (print quality, colour mode, media type and the like), read
    // on first use from its PPD, or from its IPP attributes when it has none; none for a
    // PDF printer.
    const std::vector<TPrinterOption>& Options() const;
    // Takes the options of a PPD file as the printer's (the choices made so far are kept
    // where the new options still offer them).
    void LoadOptions(const std::string& ppdFile);
    // The choice in effect for an option: the one made, else the queue's default; "" for an
    // option the printer does not have.
    std::string Option(const std::string& keyword) const;
    // Chooses for an option; false (nothing changed) when the printer has no such option or
    // choice. The choice goes with every job from the next BeginDoc.
    bool SetOption(const std::string& keyword, const std::string& choice);
    // What a job of this printer tells CUPS besides the page settings: name, value pairs
    // (the tray, then the options chosen other than the queue's defaults).
    std::vector<std::pair<std::string, std::string>> JobOptions() const;

    // The device's geometry for the current settings, in device pixels, as the platform
    // reports it: resolution, physical page, the printable area and its offset.
    int DPIX() const;
    int DPIY() const;
    int PhysicalWidth() const;
    int PhysicalHeight() const;
    int PhysicalOffsetX() const;
    int PhysicalOffsetY() const;
    int PageWidth() const;     // printable width
    int PageHeight() const;

    // Output to a PDF file instead of the queue ("" prints to the queue again).
    const std::string& FileName() const;
    void SetFileName(const std::string& fileName);

    // The job. The canvas has its origin at the printable area's top left and the
    // printer's resolution; it exists from BeginPage to EndDoc or Abort.
    void BeginDoc(const std::string& title);
    void BeginPage();
    void EndPage();
    void NewPage() { EndPage(); BeginPage(); }
    void EndDoc();
    void Abort();
    bool Printing() const;
    bool Aborted() const;
    int PageNumber() const;   // pages begun in this job
    TCanvas* Canvas();

    // Raw output: the bytes go to the queue as they are (CUPS raw format).
    void BeginRawDoc(const std::string& title);
    void WriteRawDoc(const std::string& bytes);
    void EndRawDoc();

    TPrinterImpl& Impl() const { return *FImpl; }   // for QtBridge

private:
    TPrinter();
    std::unique_ptr<TPrinterImpl> FImpl;
};

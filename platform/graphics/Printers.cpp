// Printers over Qt (graphic jobs, PDF files) and CUPS (the queue list, raw jobs).
#include "platform/graphics/Printers.h"

#include "platform/graphics/QtInternal.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <cmath>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <cups/cups.h>
// The PPD interface is marked deprecated in favour of IPP attributes, but it is what
// gives a queue's driver options with their own names and texts, and libcups still has it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop
#include <unistd.h>

namespace {

struct TPaperRow {
    int Number;
    const char* Name;
    int Width;    // tenths of a millimetre, portrait
    int Height;
};

// The platform's paper numbers 1..68 (48 and 49 are not used).
constexpr TPaperRow PaperTable[] = {
    {1, "Letter", 2159, 2794},        {2, "Letter Small", 2159, 2794},   {3, "Tabloid", 2794, 4318},
    {4, "Ledger", 4318, 2794},        {5, "Legal", 2159, 3556},          {6, "Statement", 1397, 2159},
    {7, "Executive", 1842, 2667},     {8, "A3", 2970, 4200},             {9, "A4", 2100, 2970},
    {10, "A4 Small", 2100, 2970},     {11, "A5", 1480, 2100},            {12, "B4 (JIS)", 2570, 3640},
    {13, "B5 (JIS)", 1820, 2570},     {14, "Folio", 2159, 3302},         {15, "Quarto", 2150, 2750},
    {16, "10x14", 2540, 3556},        {17, "11x17", 2794, 4318},         {18, "Note", 2159, 2794},
    {19, "Envelope #9", 984, 2254},   {20, "Envelope #10", 1048, 2413},  {21, "Envelope #11", 1143, 2635},
    {22, "Envelope #12", 1207, 2794}, {23, "Envelope #14", 1270, 2921},  {24, "C size sheet", 4318, 5588},
    {25, "D size sheet", 5588, 8636}, {26, "E size sheet", 8636, 11176}, {27, "Envelope DL", 1100, 2200},
    {28, "Envelope C5", 1620, 2290},  {29, "Envelope C3", 3240, 4580},   {30, "Envelope C4", 2290, 3240},
    {31, "Envelope C6", 1140, 1620},  {32, "Envelope C65", 1140, 2290},  {33, "Envelope B4", 2500, 3530},
    {34, "Envelope B5", 1760, 2500},  {35, "Envelope B6", 1760, 1250},   {36, "Envelope Italy", 1100, 2300},
    {37, "Envelope Monarch", 984, 1905}, {38, "Envelope Personal", 921, 1651},
    {39, "US Std Fanfold", 3778, 2794}, {40, "German Std Fanfold", 2159, 3048},
    {41, "German Legal Fanfold", 2159, 3302}, {42, "B4 (ISO)", 2500, 3530},
    {43, "Japanese Postcard", 1000, 1480}, {44, "9x11", 2286, 2794},     {45, "10x11", 2540, 2794},
    {46, "15x11", 3810, 2794},        {47, "Envelope Invite", 2200, 2200}, {50, "Letter Extra", 2356, 3048},
    {51, "Legal Extra", 2356, 3810},  {52, "Tabloid Extra", 2969, 4572}, {53, "A4 Extra", 2355, 3223},
    {54, "Letter Transverse", 2102, 2794}, {55, "A4 Transverse", 2100, 2970},
    {56, "Letter Extra Transverse", 2356, 3048}, {57, "Super A", 2270, 3560}, {58, "Super B", 3050, 4870},
    {59, "Letter Plus", 2159, 3223},  {60, "A4 Plus", 2100, 3300},       {61, "A5 Transverse", 1480, 2100},
    {62, "B5 (JIS) Transverse", 1820, 2570}, {63, "A3 Extra", 3220, 4450}, {64, "A5 Extra", 1740, 2350},
    {65, "B5 (ISO) Extra", 2010, 2760}, {66, "A2", 4200, 5940},          {67, "A3 Transverse", 2970, 4200},
    {68, "A3 Extra Transverse", 3220, 4450},
};

const TPaperRow* FindPaper(int number) {
    for (const TPaperRow& row : PaperTable)
        if (row.Number == number) return &row;
    return nullptr;
}

// The IPP media sources and the platform's bin numbers.
struct TBinRow {
    const char* Source;
    int Number;
};

constexpr TBinRow BinTable[] = {
    {"auto", DMBIN_AUTO},          {"main", DMBIN_UPPER},       {"top", DMBIN_UPPER},
    {"tray-1", DMBIN_UPPER},       {"upper", DMBIN_UPPER},      {"bottom", DMBIN_LOWER},
    {"tray-2", DMBIN_LOWER},       {"lower", DMBIN_LOWER},      {"middle", DMBIN_MIDDLE},
    {"tray-3", DMBIN_MIDDLE},      {"manual", DMBIN_MANUAL},    {"by-pass-tray", DMBIN_MANUAL},
    {"envelope", DMBIN_ENVELOPE},  {"tractor", DMBIN_TRACTOR},  {"large-capacity", DMBIN_LARGECAPACITY},
    {"cassette", DMBIN_CASSETTE},
};

// The CUPS print engine takes extra job options as name, value pairs under this key.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The media sources a queue offers, numbered as the platform numbers bins; sources
// without a number get numbers above 256.
std::vector<std::pair<TBinInfo, std::string>> QueueBins(const std::string& name) {
    std::vector<std::pair<TBinInfo, std::string>> bins;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return bins;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        ipp_attribute_t* attr = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source");
        int next = DMBIN_USER + 1;
        for (int i = 0; attr && i < ippGetCount(attr); ++i) {
            const char* keyword = ippGetString(attr, i, nullptr);
            if (!keyword) continue;
            int number = 0;
            for (const TBinRow& row : BinTable)
                if (SameText(row.Source, keyword)) number = row.Number;
            if (number == 0) number = next++;
            bool known = false;
            for (const auto& b : bins) known = known || b.first.Number == number;
            if (!known) bins.push_back({{number, keyword}, keyword});
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return bins;
}

// A queue without a PPD (a driverless one) names its options in IPP attributes: the
// colour mode, the print quality and the media type it supports, with their defaults, in
// the texts CUPS localises them with.
std::vector<TPrinterOption> QueueIppOptions(const std::string& name) {
    std::vector<TPrinterOption> options;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
    if (!dest) return options;
    if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        for (const char* keyword : {"print-color-mode", "print-quality", "media-type"}) {
            ipp_attribute_t* supported = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, keyword);
            if (!supported || ippGetCount(supported) < 2) continue;
            const bool enums = ippGetValueTag(supported) == IPP_TAG_ENUM;
            auto valueOf = [enums](ipp_attribute_t* a, int i) {
                if (enums) return std::to_string(ippGetInteger(a, i));
                const char* v = ippGetString(a, i, nullptr);
                return std::string(v ? v : "");
            };
            TPrinterOption o;
            o.Keyword = keyword;
            const char* text = cupsLocalizeDestOption(CUPS_HTTP_DEFAULT, dest, info, keyword);
            o.Text = text ? text : keyword;
            for (int i = 0; i < ippGetCount(supported); ++i) {
                const std::string value = valueOf(supported, i);
                if (value.empty()) continue;
                const char* shown = cupsLocalizeDestValue(CUPS_HTTP_DEFAULT, dest, info, keyword, value.c_str());
                o.Choices.push_back({value, shown ? shown : value});
            }
            if (ipp_attribute_t* def = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, keyword))
                o.Default = valueOf(def, 0);
            if (o.Choices.size() < 2) continue;
            if (o.Default.empty()) o.Default = o.Choices.front().Keyword;
            options.push_back(std::move(o));
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return options;
}

[[noreturn]] void Fail(const std::string& printer, const std::string& what) {
    throw EPrinter("Printer \"" + printer + "\": " + what);
}

QString QS(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

bool PaperSizeOfNumber(int number, int& width, int& height) {
    const TPaperRow* row = FindPaper(number);
    if (!row) return false;
    width = row->Width;
    height = row->Height;
    return true;
}

int PaperNumberOfSize(int width, int height) {
    for (const TPaperRow& row : PaperTable) {
        bool portrait = std::abs(row.Width - width) <= 10 && std::abs(row.Height - height) <= 10;
        bool landscape = std::abs(row.Width - height) <= 10 && std::abs(row.Height - width) <= 10;
        if (portrait || landscape) return row.Number;
    }
    return 0;
}

std::vector<TPrinterInfo> EnumPrinters() {
    std::vector<TPrinterInfo> result;
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& d = dests[i];
        if (d.instance) continue;   // instances are option sets of the same queue
        TPrinterInfo info;
        info.Name = d.name;
        if (const char* uri = cupsGetOption("device-uri", d.num_options, d.options)) info.Port = uri;
        info.IsDefault = d.is_default != 0;
        result.push_back(std::move(info));
    }
    cupsFreeDests(count, dests);
    return result;
}

std::string DefaultPrinterName() {
    std::vector<TPrinterInfo> printers = EnumPrinters();
    if (const char* env = std::getenv("PRINTER")) {
        for (const TPrinterInfo& p : printers)
            if (SameText(p.Name, env)) return p.Name;
    }
    for (const TPrinterInfo& p : printers)
        if (p.IsDefault) return p.Name;
    return "";
}

// --- The printer ------------------------------------------------------------------------

class TPrinterImpl {
public:
    std::string Name;
    std::string Port;
    bool Pdf = false;
    std::string FileName;
    std::unique_ptr<QPrinter> Printer;
    int Dpi = 600;

    // Device settings; applied to the QPrinter by Apply.
    int PaperNumber = DMPAPER_A4;
    double CustomWidth = 210, CustomHeight = 297;   // mm, for 256 and sizes without a number
    TPrinterOrientation Orientation = poPortrait;
    int Copies = 1;
    int Duplex = DMDUP_SIMPLEX;
    int Bin = DMBIN_AUTO;
    std::vector<TPaperInfo> Papers;
    std::vector<std::pair<TBinInfo, std::string>> Bins;
    // The queue's own options (read on first use) and the choices made for them.
    bool OptionsRead = false;
    std::vector<TPrinterOption> Options;
    std::vector<std::pair<std::string, std::string>> Chosen;

    void ReadQueueOptions() {
        if (OptionsRead) return;
        OptionsRead = true;
        if (Pdf) return;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const char* file = cupsGetPPD(Name.c_str());
#pragma GCC diagnostic pop
        if (!file) {
            Options = QueueIppOptions(Name);
            return;
        }
        const std::string ppd = file;
        try {
            Options = ReadPpdOptions(ppd);
        } catch (const EPrinter&) {
            Options.clear();   // a queue whose description cannot be read offers no options
        }
        ::unlink(ppd.c_str());
    }
    const TPrinterOption* FindOption(const std::string& keyword) const {
        for (const TPrinterOption& o : Options)
            if (o.Keyword == keyword) return &o;
        return nullptr;
    }
    std::vector<std::pair<std::string, std::string>> JobOptions() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& b : Bins)
            if (b.first.Number == Bin && Bin != DMBIN_AUTO) out.emplace_back("media-source", b.second);
        for (const auto& [keyword, choice] : Chosen)
            if (const TPrinterOption* o = FindOption(keyword); o && o->Default != choice) out.emplace_back(keyword, choice);
        return out;
    }

    // The job.
    bool Printing = false;
    bool Aborted = false;
    int Page = 0;
    std::unique_ptr<QPainter> Painter;
    std::unique_ptr<TCanvas> Canvas;
    bool RawPrinting = false;
    int RawJob = 0;
    std::string RawBytes;

    QPageSize PageSize() const {
        int w = 0, h = 0;
        if (PaperNumber != DMPAPER_USER && PaperSizeOfNumber(PaperNumber, w, h))
            return QPageSize(QSizeF(w / 10.0, h / 10.0), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
        for (const TPaperInfo& p : Papers)
            if (p.Number == PaperNumber && PaperNumber != DMPAPER_USER)
                return QPageSize(QSizeF(p.Width / 10.0, p.Height / 10.0), QPageSize::Millimeter, QS(p.Name),
                                 QPageSize::ExactMatch);
        return QPageSize(QSizeF(CustomWidth, CustomHeight), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }

    // Puts the settings into the QPrinter (for the next page when a job runs).
    void Apply() {
        // The device fits the margins to what it can print on the new paper.
        Printer->setPageSize(PageSize());
        Printer->setPageOrientation(Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (Pdf) Printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        if (Printing) return;   // copies, duplex and source are settings of the whole job
        Printer->setCopyCount(Copies);
        Printer->setDuplex(Duplex == DMDUP_VERTICAL     ? QPrinter::DuplexLongSide
                           : Duplex == DMDUP_HORIZONTAL ? QPrinter::DuplexShortSide
                                                        : QPrinter::DuplexNone);
        QStringList options;
        for (const auto& [name, value] : JobOptions()) options << QS(name) << QS(value);
        if (!Pdf) Printer->printEngine()->setProperty(CupsOptionsKey, options);
    }

    QRect FullRect() const { return Printer->pageLayout().fullRectPixels(Dpi); }
    QRect PaintRect() const {
        if (Pdf) return FullRect();
        return Printer->pageLayout().paintRectPixels(Dpi);
    }

    void EndJob() {
        Canvas.reset();
        if (Painter && Painter->isActive()) Painter->end();
        Painter.reset();
        Printing = false;
    }
};

TPrinter::TPrinter() : FImpl(std::make_unique<TPrinterImpl>()) {}

TPrinter::TPrinter(const std::string& name) : TPrinter() {
    std::string found;
    for (const TPrinterInfo& p : EnumPrinters()) {
        if (SameText(p.Name, name)) {
            found = p.Name;
            FImpl->Port = p.Port;
            break;
        }
    }
    if (found.empty()) throw EPrinter("Printer \"" + name + "\" is not installed");
    QPrinterInfo info = QPrinterInfo::printerInfo(QS(found));
    if (info.isNull()) throw EPrinter("Printer \"" + name + "\" is not installed");
    FImpl->Name = found;
    FImpl->Printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    FImpl->Printer->setFullPage(false);
    FImpl->Dpi = FImpl->Printer->resolution();
    // The papers the queue offers, numbered as the platform numbers them; sizes
    // without a number get numbers above 256, in the queue's order.
    int next = DMPAPER_USER + 1;
    for (const QPageSize& size : info.supportedPageSizes()) {
        QSizeF mm = size.size(QPageSize::Millimeter);
        int w = static_cast<int>(std::lround(mm.width() * 10)), h = static_cast<int>(std::lround(mm.height() * 10));
        int number = PaperNumberOfSize(w, h);
        bool known = false;
        for (const TPaperInfo& p : FImpl->Papers) known = known || (number != 0 && p.Number == number);
        if (known) continue;
        FImpl->Papers.push_back({number != 0 ? number : next++, size.name().toStdString(), w, h});
    }
    QSizeF mm = FImpl->Printer->pageLayout().pageSize().size(QPageSize::Millimeter);
    int number = PaperNumberOfSize(static_cast<int>(std::lround(mm.width() * 10)),
                                   static_cast<int>(std::lround(mm.height() * 10)));
    FImpl->PaperNumber = number != 0 ? number : DMPAPER_USER;
    FImpl->CustomWidth = mm.width();
    FImpl->CustomHeight = mm.height();
    FImpl->Orientation =
        FImpl->Printer->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    FImpl->Bins = QueueBins(found);
}

std::vector<TPrinterOption> ReadPpdOptions(const std::string& ppdFile) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ppd_file_t* ppd = ppdOpenFile(ppdFile.c_str());
    if (!ppd) {
        int line = 0;
        const ppd_status_t status = ppdLastError(&line);
        throw EPrinter("\"" + ppdFile + "\" is no printer description: " + ppdErrorString(status) + " (line " +
                       std::to_string(line) + ")");
    }
    ppdMarkDefaults(ppd);
    std::vector<TPrinterOption> options;
    // Set from each page of a report as it prints, or by the job itself.
    static const char* const kPageOptions[] = {"PageSize", "PageRegion", "InputSlot", "Duplex", "ManualFeed"};
    // In the file's order: group by group, each group's own options before its subgroups'.
    std::vector<ppd_option_t*> all;
    std::function<void(ppd_group_t*)> collect = [&](ppd_group_t* g) {
        for (int i = 0; i < g->num_options; ++i) all.push_back(g->options + i);
        for (int i = 0; i < g->num_subgroups; ++i) collect(g->subgroups + i);
    };
    for (int i = 0; i < ppd->num_groups; ++i) collect(ppd->groups + i);
    for (ppd_option_t* o : all) {
        bool page = false;
        for (const char* k : kPageOptions) page = page || std::strcmp(o->keyword, k) == 0;
        if (page || o->num_choices < 2) continue;
        TPrinterOption option;
        option.Keyword = o->keyword;
        option.Text = o->text[0] ? o->text : o->keyword;
        for (int i = 0; i < o->num_choices; ++i) {
            const ppd_choice_t& c = o->choices[i];
            option.Choices.push_back({c.choice, c.text[0] ? c.text : c.choice});
            if (c.marked) option.Default = c.choice;
        }
        if (option.Default.empty()) option.Default = o->defchoice[0] ? o->defchoice : option.Choices.front().Keyword;
        options.push_back(std::move(option));
    }
    ppdClose(ppd);
#pragma GCC diagnostic pop
    return options;
}

const std::vector<TPrinterOption>& TPrinter::Options() const {
    FImpl->ReadQueueOptions();
    return FImpl->Options;
}

void TPrinter::LoadOptions(const std::string& ppdFile) {
    std::vector<TPrinterOption> options = ReadPpdOptions(ppdFile);
    TPrinterImpl& p = *FImpl;
    p.OptionsRead = true;
    p.Options = std::move(options);
    std::vector<std::pair<std::string, std::string>> kept;
    for (const auto& [keyword, choice] : p.Chosen)
        if (const TPrinterOption* o = p.FindOption(keyword))
            for (const TPrinterOptionChoice& c : o->Choices)
                if (c.Keyword == choice) kept.emplace_back(keyword, choice);
    p.Chosen = std::move(kept);
}

std::string TPrinter::Option(const std::string& keyword) const {
    FImpl->ReadQueueOptions();
    const TPrinterOption* o = FImpl->FindOption(keyword);
    if (!o) return {};
    for (const auto& [k, choice] : FImpl->Chosen)
        if (k == keyword) return choice;
    return o->Default;
}

bool TPrinter::SetOption(const std::string& keyword, const std::string& choice) {
    FImpl->ReadQueueOptions();
    const TPrinterOption* o = FImpl->FindOption(keyword);
    if (!o) return false;
    bool offered = false;
    for (const TPrinterOptionChoice& c : o->Choices) offered = offered || c.Keyword == choice;
    if (!offered) return false;
    for (auto& [k, chosen] : FImpl->Chosen)
        if (k == keyword) {
            chosen = choice;
            return true;
        }
    FImpl->Chosen.emplace_back(keyword, choice);
    return true;
}

std::vector<std::pair<std::string, std::string>> TPrinter::JobOptions() const {
    FImpl->ReadQueueOptions();
    return FImpl->JobOptions();
}

std::unique_ptr<TPrinter> TPrinter::CreatePdf(const std::string& fileName, int dpi) {
    std::unique_ptr<TPrinter> printer(new TPrinter());
    TPrinterImpl& p = *printer->FImpl;
    p.Name = "PDF";
    p.Pdf = true;
    p.FileName = fileName;
    p.Dpi = dpi > 0 ? dpi : 600;
    p.Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p.Printer->setOutputFormat(QPrinter::PdfFormat);
    p.Printer->setResolution(p.Dpi);
    p.Printer->setFullPage(true);
    for (const TPaperRow& row : PaperTable) {
        bool duplicate = false;
        for (const TPaperInfo& q : p.Papers) duplicate = duplicate || (q.Width == row.Width && q.Height == row.Height);
        if (!duplicate) p.Papers.push_back({row.Number, row.Name, row.Width, row.Height});
    }
    p.Apply();
    return printer;
}

TPrinter::~TPrinter() {
    if (FImpl->Printing) {
        try {
            Abort();
        } catch (...) {
        }
    }
}

const std::string& TPrinter::Name() const { return FImpl->Name; }
const std::string& TPrinter::Port() const { return FImpl->Port; }
bool TPrinter::IsPdf() const { return FImpl->Pdf; }
std::vector<TPaperInfo> TPrinter::Papers() const { return FImpl->Papers; }

std::vector<TBinInfo> TPrinter::Bins() const {
    std::vector<TBinInfo> bins;
    for (const auto& b : FImpl->Bins)
        if (b.first.Number != DMBIN_AUTO) bins.push_back(b.first);
    return bins;
}

int TPrinter::PaperSize() const { return FImpl->PaperNumber; }

bool TPrinter::SetPaperSize(int number) {
    int w = 0, h = 0;
    bool known = number != DMPAPER_USER && PaperSizeOfNumber(number, w, h);
    for (const TPaperInfo& p : FImpl->Papers) known = known || (p.Number == number && number != DMPAPER_USER);
    if (!known) return false;
    FImpl->PaperNumber = number;
    FImpl->Apply();
    return true;
}

void TPrinter::SetCustomPaperSize(double widthMM, double heightMM) {
    if (widthMM <= 0 || heightMM <= 0) Fail(FImpl->Name, "the paper size must be positive");
    FImpl->PaperNumber = DMPAPER_USER;
    FImpl->CustomWidth = widthMM;
    FImpl->CustomHeight = heightMM;
    FImpl->Apply();
}

TPrinterOrientation TPrinter::Orientation() const { return FImpl->Orientation; }

void TPrinter::SetOrientation(TPrinterOrientation value) {
    FImpl->Orientation = value;
    FImpl->Apply();
}

int TPrinter::Copies() const { return FImpl->Copies; }

void TPrinter::SetCopies(int value) {
    FImpl->Copies = std::max(value, 1);
    FImpl->Apply();
}

int TPrinter::Duplex() const { return FImpl->Duplex; }

void TPrinter::SetDuplex(int mode) {
    FImpl->Duplex = (mode == DMDUP_VERTICAL || mode == DMDUP_HORIZONTAL) ? mode : DMDUP_SIMPLEX;
    FImpl->Apply();
}

int TPrinter::Bin() const { return FImpl->Bin; }

void TPrinter::SetBin(int number) {
    FImpl->Bin = number < 0 ? DMBIN_AUTO : number;
    FImpl->Apply();
}

int TPrinter::DPIX() const { return FImpl->Dpi; }
int TPrinter::DPIY() const { return FImpl->Dpi; }
int TPrinter::PhysicalWidth() const { return FImpl->FullRect().width(); }
int TPrinter::PhysicalHeight() const { return FImpl->FullRect().height(); }
int TPrinter::PhysicalOffsetX() const { return FImpl->PaintRect().left(); }
int TPrinter::PhysicalOffsetY() const { return FImpl->PaintRect().top(); }
int TPrinter::PageWidth() const { return FImpl->PaintRect().width(); }
int TPrinter::PageHeight() const { return FImpl->PaintRect().height(); }

const std::string& TPrinter::FileName() const { return FImpl->FileName; }

void TPrinter::SetFileName(const std::string& fileName) {
    if (FImpl->Printing) Fail(FImpl->Name, "the output file cannot change while printing");
    if (FImpl->Pdf && fileName.empty()) Fail(FImpl->Name, "a PDF printer needs a file name");
    FImpl->FileName = fileName;
}

void TPrinter::BeginDoc(const std::string& title) {
    TPrinterImpl& p = *FImpl;
    if (p.Printing || p.RawPrinting) Fail(p.Name, "a print job is already running");
    p.Printer->setDocName(QS(title));
    if (!p.FileName.empty()) {
        p.Printer->setOutputFormat(QPrinter::PdfFormat);
        p.Printer->setOutputFileName(QS(p.FileName));
    } else {
        p.Printer->setOutputFileName(QString());
        p.Printer->setOutputFormat(QPrinter::NativeFormat);
        p.Printer->setPrinterName(QS(p.Name));
    }
    p.Printer->setResolution(p.Dpi);
    p.Aborted = false;
    p.Page = 0;
    p.Apply();
    p.Printing = true;
}

void TPrinter::BeginPage() {
    TPrinterImpl& p = *FImpl;
    if (!p.Printing) Fail(p.Name, "no print job is running");
    p.Apply();
    if (p.Page == 0) {
        // A file of printed pages is its owner's only; the PDF writer keeps the mode it finds.
        if (!p.FileName.empty()) {
            try {
                CreateOwnerOnlyFile(p.FileName);
            } catch (const Exception&) {
                p.EndJob();
                Fail(p.Name, "cannot write the file \"" + p.FileName + "\"");
            }
        }
        p.Painter = std::make_unique<QPainter>();
        if (!p.Painter->begin(p.Printer.get())) {
            p.EndJob();
            Fail(p.Name, p.FileName.empty() ? "the print job cannot be started"
                                            : "cannot write the file \"" + p.FileName + "\"");
        }
        p.Canvas = std::make_unique<TCanvas>();
        p.Canvas->Font()->SetPixelsPerInch(p.Dpi);
        p.Canvas->SetDevice(std::make_unique<TQtDevice>(p.Painter.get(), p.Dpi, true));
    } else if (!p.Printer->newPage()) {
        p.EndJob();
        Fail(p.Name, "cannot start page " + std::to_string(p.Page + 1));
    }
    ++p.Page;
}

void TPrinter::EndPage() {
    if (!FImpl->Printing) Fail(FImpl->Name, "no print job is running");
}

void TPrinter::EndDoc() {
    TPrinterImpl& p = *FImpl;
    if (!p.Printing) Fail(p.Name, "no print job is running");
    bool painted = p.Painter && p.Painter->isActive();
    p.EndJob();
    if (painted && p.Printer->printerState() == QPrinter::Error)
        Fail(p.Name, p.FileName.empty() ? "the print job failed" : "writing \"" + p.FileName + "\" failed");
}

void TPrinter::Abort() {
    TPrinterImpl& p = *FImpl;
    // A raw job is cancelled at the spooler; nothing of it reaches a file.
    if (p.RawPrinting) {
        if (p.RawJob != 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, p.Name.c_str(), p.RawJob, 0);
        p.RawJob = 0;
        p.RawBytes.clear();
        p.RawPrinting = false;
        p.Aborted = true;
        return;
    }
    if (!p.Printing) return;
    if (p.Painter && p.Painter->isActive()) p.Printer->abort();
    p.EndJob();
    p.Aborted = true;
    // An aborted job leaves no half-written file behind.
    if (!p.FileName.empty()) DeleteFile(p.FileName);
}

bool TPrinter::Printing() const { return FImpl->Printing; }
bool TPrinter::Aborted() const { return FImpl->Aborted; }
int TPrinter::PageNumber() const { return FImpl->Page; }

TCanvas* TPrinter::Canvas() {
    if (!FImpl->Canvas) Fail(FImpl->Name, "the canvas exists only while a page is printed");
    return FImpl->Canvas.get();
}

// Raw jobs: to the queue as CUPS raw data, or, with a file name, into that file.
void TPrinter::BeginRawDoc(const std::string& title) {
    TPrinterImpl& p = *FImpl;
    if (p.Printing || p.RawPrinting) Fail(p.Name, "a print job is already running");
    p.RawBytes.clear();
    if (p.FileName.empty()) {
        cups_option_t* options = nullptr;
        int count = 0;
        for (const auto& [name, value] : p.JobOptions())
            count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
        int job = cupsCreateJob(CUPS_HTTP_DEFAULT, p.Name.c_str(), title.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (job == 0) Fail(p.Name, std::string("the raw job cannot be created: ") + cupsLastErrorString());
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, p.Name.c_str(), job, title.c_str(), CUPS_FORMAT_RAW, 1) !=
            HTTP_STATUS_CONTINUE) {
            std::string reason = cupsLastErrorString();
            cupsCancelJob2(CUPS_HTTP_DEFAULT, p.Name.c_str(), job, 0);
            Fail(p.Name, "the raw job cannot be started: " + reason);
        }
        p.RawJob = job;
    }
    p.RawPrinting = true;
}

void TPrinter::WriteRawDoc(const std::string& bytes) {
    TPrinterImpl& p = *FImpl;
    if (!p.RawPrinting) Fail(p.Name, "no raw job is running");
    if (p.RawJob == 0) {
        p.RawBytes += bytes;
        return;
    }
    if (!bytes.empty() &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE) {
        std::string reason = cupsLastErrorString();
        cupsFinishDocument(CUPS_HTTP_DEFAULT, p.Name.c_str());
        cupsCancelJob2(CUPS_HTTP_DEFAULT, p.Name.c_str(), p.RawJob, 0);
        p.RawJob = 0;
        p.RawPrinting = false;
        Fail(p.Name, "sending the raw data failed: " + reason);
    }
}

void TPrinter::EndRawDoc() {
    TPrinterImpl& p = *FImpl;
    if (!p.RawPrinting) Fail(p.Name, "no raw job is running");
    p.RawPrinting = false;
    if (p.RawJob == 0) {
        // Printed pages hold patients' names and amounts: the file is its owner's only.
        SaveFileAtomically(p.FileName, p.RawBytes, TFileAccess::OwnerOnly);
        p.RawBytes.clear();
        return;
    }
    int job = p.RawJob;
    p.RawJob = 0;
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, p.Name.c_str()) != IPP_STATUS_OK) {
        std::string reason = cupsLastErrorString();
        cupsCancelJob2(CUPS_HTTP_DEFAULT, p.Name.c_str(), job, 0);
        Fail(p.Name, "the raw job failed: " + reason);
    }
}

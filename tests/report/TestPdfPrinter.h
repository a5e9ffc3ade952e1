// The platform's PDF printer behind the report's printer interface, and a shell helper to
// read the result back (pdfinfo, pdftotext, pdftoppm), for the report tests and benchmarks.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/graphics/Printers.h"
#include "report/Printer.h"

class TPdfPrinter : public TfrxCustomPrinter {
public:
    explicit TPdfPrinter(const std::string& File, int Dpi = 300)
        : TfrxCustomPrinter("PDF", ""), FDevice(TPrinter::CreatePdf(File, Dpi)) {
        Init();
    }
    void Init() override {
        DPIX = FDevice->DPIX();
        DPIY = FDevice->DPIY();
        LeftMargin = TopMargin = RightMargin = BottomMargin = 0;
    }
    void Abort() override { FDevice->Abort(); }
    void BeginDoc(const std::string& Title) override { FDevice->BeginDoc(Title); }
    void BeginPage() override { FDevice->BeginPage(); }
    void EndDoc() override { FDevice->EndDoc(); }
    void EndPage() override { FDevice->EndPage(); }
    void BeginRAWDoc(const std::string&) override {}
    void EndRAWDoc() override {}
    void WriteRAWDoc(const std::string&) override {}
    void SetViewParams(int, double, double, TPrinterOrientation) override {}
    void SetPrintParams(int, double APaperWidth, double APaperHeight, TPrinterOrientation AOrientation, int, int,
                        int ACopies) override {
        FDevice->SetOrientation(AOrientation);
        FDevice->SetCustomPaperSize(APaperWidth, APaperHeight);
        FDevice->SetCopies(ACopies);
    }
    TCanvas* Canvas() override { return FDevice->Canvas(); }
    TPrinter* Device() const override { return FDevice.get(); }

private:
    std::unique_ptr<TPrinter> FDevice;
};

inline std::string Shell(const std::string& Command) {
    std::string out;
    if (FILE* p = popen(Command.c_str(), "r")) {
        std::array<char, 512> buf{};
        while (fgets(buf.data(), buf.size(), p)) out += buf.data();
        pclose(p);
    }
    return out;
}

// A designer without a window, for the tests of what works through the abstract designer
// (inspector, commands): its operations do nothing, its unit and script are fields.
#pragma once

#include <string>
#include <vector>

#include "report/ReportServices.h"

class TStubDesigner : public TfrxCustomDesigner {
public:
    explicit TStubDesigner(TfrxReport* AReport) : TfrxCustomDesigner(nullptr, AReport, false) {}
    std::vector<std::string> GetCode() override { return Code; }
    std::string InsertExpression(const std::string&) override { return {}; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    int CurUnits() const override { return Units; }

    int Units = 0;
    std::vector<std::string> Code;
};

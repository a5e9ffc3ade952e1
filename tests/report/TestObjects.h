// Small report classes for the tests: a page, a band and a text object that publish the
// common properties and a few of their own, as the real pages, bands and memos do.
#pragma once

#include "platform/rtl/StringList.h"
#include "report/Component.h"
#include "report/Frame.h"

ROVE_ENUM(TTestAlign, baNone, baLeft, baRight, baCenter, baWidth, baBottom)

class TfrxTestPage : public TfrxPage {
    ROVE_CLASS(TfrxTestPage, TfrxPage)
public:
    explicit TfrxTestPage(TComponent* AOwner) : TfrxPage(AOwner) {}
    double PaperWidth = 210;
    static void DeclareProperties(TPropertyDecl<TfrxTestPage>& d);
};

class TfrxTestBand : public TfrxReportComponent {
    ROVE_CLASS(TfrxTestBand, TfrxReportComponent)
public:
    explicit TfrxTestBand(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    static void DeclareProperties(TPropertyDecl<TfrxTestBand>& d);
};

class TfrxTestMemoView : public TfrxReportComponent {
    ROVE_CLASS(TfrxTestMemoView, TfrxReportComponent)
public:
    explicit TfrxTestMemoView(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    TStringList* Memo() const { return const_cast<TStringList*>(&FMemo); }
    TTestAlign Align = baNone;
    TColor Color = clNone;
    bool WordWrap = true;
    std::string Style;
    TfrxFrame* Frame() const { return const_cast<TfrxFrame*>(&FFrame); }
    void SetFrame(TfrxFrame* Value) { FFrame.Assign(Value); }
    TfrxComponent* FlowTo = nullptr;
    // Styles applied through the property table.
    int StyleApplied = 0;
    void SetStyle(const std::string& Value) { Style = Value; ++StyleApplied; }
    static void DeclareProperties(TPropertyDecl<TfrxTestMemoView>& d);

private:
    TStringList FMemo;
    TfrxFrame FFrame;
};

// A report page on a workspace without a window: handlers are called with numbers and
// the model is read back.
#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include "designer/workspace/Workspace.h"
#include "report/Bands.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

struct TWorkspaceFixture {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    std::vector<TfrxComponent*> Objects, Selected;
    std::unique_ptr<TfrxDesignerWorkspace> Ws;
    int Modifies = 0, SelectionChanges = 0, Edits = 0, Inserts = 0;

    TWorkspaceFixture() {
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Ws = std::make_unique<TfrxDesignerWorkspace>(nullptr);
        Ws->Page = Page;
        Ws->Objects = &Objects;
        Ws->SelectedObjects = &Selected;
        Ws->CursorPosition = [] { return TPoint{0, 0}; };
        Ws->OnModify = [this](TObject*) { ++Modifies; };
        Ws->OnSelectionChanged = [this](TObject*) { ++SelectionChanges; };
        Ws->OnEditObject = [this](TObject*) { ++Edits; };
        Ws->OnInsertObject = [this](TObject*) { ++Inserts; };
        Ws->SetBounds(0, 0, 800, 1100);
        Ws->FreeBands = true;   // the stacking tests turn it off
        Selected.push_back(Page);
    }
    // The page's objects, then the report and the page, as the designer lists them.
    void Reload() {
        Objects = Page->AllObjects();
        Objects.push_back(Report.get());
        Objects.push_back(Page);
    }
    template <class B> B* AddBand(const char* Name, double Top, double Height) {
        auto* b = new B(Page);
        b->SetName(Name);
        b->SetBounds(0, Top, 700, Height);
        Reload();
        return b;
    }
    TfrxMemoView* AddMemo(TfrxComponent* Parent, const char* Name, double L, double T, double W, double H) {
        auto* m = new TfrxMemoView(Parent);
        m->SetName(Name);
        m->SetBounds(L, T, W, H);
        Reload();
        return m;
    }
    TfrxLineView* AddLine(TfrxComponent* Parent, const char* Name, double L, double T, double W, double H) {
        auto* l = new TfrxLineView(Parent);
        l->SetName(Name);
        l->SetBounds(L, T, W, H);
        Reload();
        return l;
    }
    void Select(std::initializer_list<TfrxComponent*> Items) { Selected.assign(Items); }
    // A press, moves and a release of the left button in window pixels.
    void Drag(int X0, int Y0, int X1, int Y1, TShiftState Shift = 0) {
        Ws->MouseMove(Shift, X0, Y0);
        Ws->MouseDown(mbLeft, Shift, X0, Y0);
        Ws->MouseMove(Shift | ssLeft, X1, Y1);
        Ws->MouseUp(mbLeft, Shift, X1, Y1);
    }
    void Click(int X, int Y, TShiftState Shift = 0) { Drag(X, Y, X, Y, Shift); }
};

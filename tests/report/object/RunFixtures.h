// Stand-ins for what the report object drives: a layout engine that walks the report's
// text objects (before-print, the text as an expression, after-print), a store of
// prepared pages that counts pages, a preview window with its preview control, and a
// designer that closes itself. They record what the report did with them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/StringList.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "report/Report.h"

// A text object whose text is one expression; publishes its script events.
class TfrxRunTestMemo : public TfrxReportComponent {
    ROVE_CLASS(TfrxRunTestMemo, TfrxReportComponent)
public:
    explicit TfrxRunTestMemo(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    void BeforeStartReport() override { ++Prepared; }
    TStringList* Memo() const { return const_cast<TStringList*>(&FMemo); }
    std::string Expression() const;
    int Prepared = 0;
    static void DeclareProperties(TPropertyDecl<TfrxRunTestMemo>& d);

private:
    TStringList FMemo;
};

class TfrxRunTestPage : public TfrxPage {
    ROVE_CLASS(TfrxRunTestPage, TfrxPage)
public:
    explicit TfrxRunTestPage(TComponent* AOwner) : TfrxPage(AOwner) {}
    static void DeclareProperties(TPropertyDecl<TfrxRunTestPage>& d);
};

class TFakePreviewPages : public TfrxCustomPreviewPages {
public:
    explicit TFakePreviewPages(TfrxReport* AReport) : TfrxCustomPreviewPages(AReport) {}
    int Pages = 0;
    int Clears = 0;
    int Prints = 0;
    std::function<bool()> PrintAction = [] { return true; };

    int Count() override { return Pages; }
    TfrxPage* GetPage(int) override { return nullptr; }
    void GetPageSize(int, double& Width, double& Height) override { Width = Height = 0; }
    void Clear() override {
        ++Clears;
        Pages = 0;
        CurPage = -1;
    }
    void Initialize() override {}
    void AddObject(TfrxComponent*) override {}
    void AddPage(TfrxPage*) override { CurPage = Pages++; }
    void AddSourcePage(TfrxPage*) override {}
    void AddToSourcePage(TfrxComponent*) override {}
    void BeginPass() override {}
    void ClearFirstPassPages() override {}
    void CutObjects(int) override {}
    void Finish() override {}
    void PasteObjects(double, double) override {}
    bool BandExists(TfrxBand*) override { return false; }
    int GetCurPosition() override { return 0; }
    double GetLastY() override { return 0; }
    void AddEmptyPage(int) override {}
    void DeletePage(int) override {}
    void ModifyPage(int, TfrxPage*) override {}
    void DrawPage(int, TCanvas*, double, double, double, double) override {}
    void ObjectOver(int, int, int, int, unsigned, double, int, int, bool, int&) override {}
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
    bool LoadFromFile(const std::string&, bool) override { return false; }
    void SaveToFile(const std::string&) override {}
    bool Print() override {
        ++Prints;
        return PrintAction();
    }
    bool Export(TObject*) override { return false; }
};

// Each run: one page, then every text object: current object, before-print, its
// expression through Calc (when visible), after-print. Output holds "Name=value".
class TFakeEngine : public TfrxCustomEngine {
public:
    explicit TFakeEngine(TfrxReport* AReport) : TfrxCustomEngine(AReport) {}
    int Runs = 0;
    bool RunResult = true;
    std::vector<std::string> Output;
    // Objects the run saw, by name, with the number of BeforeStartReport calls.
    std::vector<std::string> Prepared;

    void EndPage() override {}
    void NewColumn() override {}
    void NewPage() override {}
    void ShowBand(TfrxBand*) override {}
    void ShowBand(TClass) override {}
    double FreeSpace() override { return 0; }
    Variant GetAggregateValue(const std::string& Name, TfrxComponent*) override { return Variant("agg:" + Name); }
    bool Run() override;
};

// The preview control and window the report opens.
class TFakePreview : public TfrxCustomPreview {
    ROVE_CLASS(TFakePreview, TfrxCustomPreview)
public:
    explicit TFakePreview(TComponent* AOwner) : TfrxCustomPreview(AOwner) {}
    int Inits = 0;
    void Init() override { ++Inits; }
    void Lock() override {}
    void Unlock() override {}
};

class TFakePreviewForm : public TfrxCustomPreviewForm {
    ROVE_CLASS(TFakePreviewForm, TfrxCustomPreviewForm)
public:
    explicit TFakePreviewForm(TComponent* AOwner);
    ~TFakePreviewForm() override;
    TfrxCustomPreview* PreviewControl() const override { return FPreview; }
    void Init() override { ++Inits; }
    int Inits = 0;
    // Counts the windows alive, so tests see them freed.
    static int Alive;

private:
    TFakePreview* FPreview;
};

// Closes itself a moment after it is shown (ModalFinished), as the real window does when
// the user closes it; Modify sets its modified flag first.
class TFakeDesigner : public TfrxCustomDesigner {
    ROVE_CLASS(TFakeDesigner, TfrxCustomDesigner)
public:
    TFakeDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner);
    ~TFakeDesigner() override;
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string& Expr) override { return Expr; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}

    // What the designer saw while it was open.
    struct TSeen {
        int Pages = -1;
        std::string FirstPage;
        bool Preview = false;
        bool ActiveFormEnabled = true;
    };
    static TSeen Seen;
    static bool Modify;
    // Frees itself when it closes (a window closed with free-on-close) instead of
    // reporting ModalFinished.
    static bool FreeItself;
    static int Alive;

private:
    void Shown();
    std::unique_ptr<TTimer> FCloser;
};

// Registers the stand-ins' classes (the memo in scripts too) and fills the class
// variables with them; the destructor empties the class variables again.
class TRunServices {
public:
    TRunServices(bool Engine = true, bool PreviewForm = true, bool Designer = true);
    ~TRunServices();
};

TFakeEngine* EngineOf(TfrxReport& Report);
TFakePreviewPages* PagesOf(TfrxReport& Report);
// Processes window events until Done or about two seconds have passed.
bool ProcessUntil(const std::function<bool()>& Done);

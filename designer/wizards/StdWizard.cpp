// The report wizards and the wizard window.
#include "designer/wizards/StdWizard.h"

#include <algorithm>
#include <numeric>

#include "designer/FormResources.h"
#include "designer/dialogs/ReportDialogs.h"
#include "designer/dialogs/StyleEditor.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/DesignRegistries.h"
#include "report/DotMatrix.h"
#include "report/IconPainter.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Styles.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxStdWizard)
ROVE_IMPLEMENT_CLASS(TfrxDotMatrixWizard)
ROVE_IMPLEMENT_CLASS(TfrxStdEmptyWizard)
ROVE_IMPLEMENT_CLASS(TfrxDMPEmptyWizard)
ROVE_IMPLEMENT_CLASS(TfrxStdWizardForm)

namespace {

// Lengths of the generated report, in report pixels (96 per inch).
constexpr double k5mm = 18.89765, k6mm = 22.67718, k7mm = 26.45671, k20mm = 75.5906;


// The sample the style step shows: twelve text objects as a grouped list looks (numbers
// written with a comma, as the stored sample has them).
const char* const kSampleReport = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport Name="">
<TfrxReportPage Name="Page1">
<TfrxMemoView Name="Memo1" Left="0" Top="0" Width="439,65337" Height="26" HAlign="haCenter" VAlign="vaCenter" Memo.Text="Customers" Style="Title"/>
<TfrxMemoView Name="Memo2" Left="0" Top="36" Width="253" Height="20" Style="Header line"/>
<TfrxMemoView Name="Memo3" Left="0" Top="36" Width="126,96846" Height="20" Memo.Text="Company" Style="Header"/>
<TfrxMemoView Name="Memo4" Left="137,74799" Top="36" Width="126,2047" Height="20" Memo.Text="Address" Style="Header"/>
<TfrxMemoView Name="Memo5" Left="0" Top="60,47248" Width="264,5671" Height="26,45671" VAlign="vaCenter" Memo.Text="Action Club" Style="Group header"/>
<TfrxMemoView Name="Memo6" Left="0" Top="92" Width="126,96846" Height="20" Memo.Text="Action Club" Style="Data"/>
<TfrxMemoView Name="Memo7" Left="137,74799" Top="92" Width="126,2047" Height="20" Memo.Text="PO Box 5451-F" Style="Data"/>
<TfrxMemoView Name="Memo8" Left="0" Top="112" Width="126,96846" Height="20" Memo.Text="Action Diver Supply" Style="Data"/>
<TfrxMemoView Name="Memo9" Left="137,74799" Top="112" Width="126,2047" Height="20" Memo.Text="Blue Spar Box #3" Style="Data"/>
<TfrxMemoView Name="Memo10" Left="0" Top="132" Width="126,96846" Height="20" Memo.Text="Adventure Undersea" Style="Data"/>
<TfrxMemoView Name="Memo11" Left="137,74799" Top="132" Width="126,2047" Height="20" Memo.Text="PO Box 744" Style="Data"/>
<TfrxMemoView Name="Memo12" Left="0" Top="157,98423" Width="264,47248" Height="18" Memo.Text="Count: 3" Style="Group footer"/>
</TfrxReportPage>
</TfrxReport>
)";

// The four looks, each with the six styles the generated text objects name (ORDER
// WIZARD STYLES: Title, Header, Group header, Data, Group footer, Header line).
struct TWizardStyle {
    const char* Name;
    const char* Items[6];
};
const char* const kStyleNames[6] = {"Title", "Header", "Group header", "Data", "Group footer", "Header line"};
const TWizardStyle kWizardStyles[] = {
    {"Brightline",
     {R"(Color="8388608" Font.Color="16777215" Font.Height="-16" Font.Style="1")",
      R"(Color="536870911" Font.Color="128" Font.Style="1")", R"(Color="15790320" Font.Style="1")",
      R"(Color="536870911")", R"(Color="536870911" Font.Style="1")",
      R"(Color="536870911" Frame.Typ="8" Frame.Width="2")"}},
    {"Standard",
     {R"(Color="536870911" Font.Height="-16" Font.Style="1")", R"(Color="536870911" Font.Style="1")",
      R"(Color="536870911" Frame.Typ="8")", R"(Color="536870911")", R"(Color="536870911" Frame.Typ="4")",
      R"(Color="536870911" Frame.Typ="8" Frame.Width="2")"}},
    {"Soft gray",
     {R"(Color="14211288" Font.Height="-16" Font.Style="1")", R"(Color="15790320" Font.Style="1")",
      R"(Color="15790320" Font.Style="1")", R"(Color="536870911" Font.Style="0")",
      R"(Color="536870911" Frame.Typ="4")", R"(Color="536870911" Frame.Width="2")"}},
    {"Corporate",
     {R"(Color="0" Font.Color="16777215" Font.Height="-16" Font.Style="1")",
      R"(Color="0" Font.Color="16777215" Font.Style="1")", R"(Color="52479" Font.Style="1")",
      R"(Color="536870911")", R"(Color="536870911" Font.Style="1")", R"(Color="536870911" Frame.Width="2")"}},
};

std::string WizardStyleSheetXml() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<stylesheet>\r\n";
    for (const TWizardStyle& s : kWizardStyles) {
        xml += std::string("<style Name=\"") + s.Name + "\">\r\n";
        for (int i = 0; i < 6; ++i)
            xml += std::string("<item Name=\"") + kStyleNames[i] + "\" " + s.Items[i] + "/>\r\n";
        xml += "</style>\r\n";
    }
    return xml + "</stylesheet>\r\n";
}

void RegisterStdWizardForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// The pictures of the orientation step and of the arrow buttons.
void DrawPage(TBitmap& B, int W, int H) {
    B.SetSize(W, H);
    frx_icons::TIconPainter p(B, 0, 0, std::max(W, H));
    p.Fill(0, 0, W - 1, H - 1, frx_icons::kFace);
    p.Box(2, 2, W - 3, H - 3, frx_icons::kInk, frx_icons::kPaper);
    for (int y = 10; y < H - 8; y += 5) p.HLine(8, W - 9, y, frx_icons::kShade);
    p.Glyph(W / 2 - 3, 5, {"..#..", ".#.#.", "#####", "#...#"}, frx_icons::kBlue);
}

void DrawArrow(TBitmap& B, bool Up) {
    B.SetSize(16, 16);
    frx_icons::TIconPainter p(B, 0, 0, 16);
    p.Fill(0, 0, 15, 15, frx_icons::kClear);
    for (int i = 0; i < 5; ++i) {
        const int y = Up ? 5 + i : 10 - i;
        p.HLine(7 - i, 8 + i, y, frx_icons::kInk);
    }
    B.SetTransparentColor(frx_icons::kClear);
}

// Exchanges item Index of List with its neighbour At (each list item keeps its selection).
void Exchange(TListBox* List, int Index, int At) {
    List->Items()->Exchange(Index, At);
    List->SetItemIndex(At);
    if (List->MultiSelect())
        for (int i = 0; i < List->Items()->Count(); ++i) List->SetSelected(i, i == At);
}

// The selected items of From (in list order; the current one when none is marked) move to
// the end of To; the first moved position stays current in From.
void MoveSelected(TListBox* From, TListBox* To) {
    TStrings* items = From->Items();
    if (From->ItemIndex() < 0) return;
    std::vector<int> moved;
    for (int i = 0; i < items->Count(); ++i)
        if (From->Selected(i)) moved.push_back(i);
    if (moved.empty()) moved.push_back(From->ItemIndex());
    for (int i : moved) To->Items()->Add(items->Get(i));
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) items->Delete(*it);
    int current = moved.front();
    if (current == items->Count()) --current;
    From->SetItemIndex(current);
    if (current >= 0) From->SetSelected(current, true);
}

bool OwnedBy(const TComponent* C, const TComponent* Owner) {
    for (const TComponent* o = C->Owner(); o; o = o->Owner())
        if (o == Owner) return true;
    return false;
}

std::vector<std::string> ItemsOf(TListBox* List) {
    std::vector<std::string> out;
    for (int i = 0; i < List->Items()->Count(); ++i) out.push_back(List->Items()->Get(i));
    return out;
}

// A new report: the designer is locked while it changes and reloads it at the end,
// whatever happens in between.
class TReportRebuild {
public:
    explicit TReportRebuild(TfrxCustomDesigner* Designer) : FDesigner(Designer) {
        if (FDesigner) FDesigner->Lock();
    }
    ~TReportRebuild() {
        if (FDesigner) FDesigner->ReloadReport();
    }
    TReportRebuild(const TReportRebuild&) = delete;
    TReportRebuild& operator=(const TReportRebuild&) = delete;

private:
    TfrxCustomDesigner* FDesigner;
};

// A modified report is replaced only after its changes were asked about.
bool MayReplace(TfrxCustomDesigner* Designer) {
    return !Designer || !Designer->Modified() || Designer->CheckSaveChanges();
}

TfrxReportPage* CreatePage(TfrxReport* Report, bool DotMatrix) {
    TfrxReportPage* page = DotMatrix ? new TfrxDMPPage(Report) : new TfrxReportPage(Report);
    page->SetName("Page1");
    page->SetDefaults();
    return page;
}

bool EmptyReport(TfrxCustomWizard& Wizard, bool DotMatrix) {
    TfrxReport* report = Wizard.Report();
    if (!report || !MayReplace(Wizard.Designer())) return false;
    TReportRebuild rebuild(Wizard.Designer());
    report->Clear();
    report->SetFileName("");
    report->DotMatrixReport = DotMatrix;
    CreatePage(report, DotMatrix);
    return true;
}

bool RunWizardForm(TfrxCustomWizard& Wizard, bool DotMatrix) {
    if (!Wizard.Report()) return false;
    auto form = std::make_unique<TfrxStdWizardForm>(Wizard.Owner());
    form->Designer = Wizard.Designer();
    form->Report = Wizard.Report();
    form->DotMatrix = DotMatrix;
    return form->ShowModal() == mrOk;
}

}  // namespace

// ==== The wizards ===========================================================================

std::string TfrxStdWizard::GetDescription() const { return frxResources().Get("wzStd"); }
bool TfrxStdWizard::Execute() { return RunWizardForm(*this, false); }

std::string TfrxDotMatrixWizard::GetDescription() const { return frxResources().Get("wzDMP"); }
bool TfrxDotMatrixWizard::Execute() { return RunWizardForm(*this, true); }

std::string TfrxStdEmptyWizard::GetDescription() const { return frxResources().Get("wzStdEmpty"); }
bool TfrxStdEmptyWizard::Execute() { return EmptyReport(*this, false); }

std::string TfrxDMPEmptyWizard::GetDescription() const { return frxResources().Get("wzDMPEmpty"); }
bool TfrxDMPEmptyWizard::Execute() { return EmptyReport(*this, true); }

bool frxLoadWizardBitmap(const std::string& Name, TBitmap& Bitmap) {
    using namespace frx_icons;
    const bool asks = Name == "frxSTDWIZARD";
    if (!asks && Name != "frxSTDWIZARD1") return false;
    Bitmap.SetSize(22, 22);
    TIconPainter p(Bitmap, 0, 0, 22);
    p.Fill(0, 0, 21, 21, kClear);
    // A page with lines of text.
    p.Box(3, 1, 16, 20, kInk, kPaper);
    if (asks) {
        for (int y = 5; y <= 16; y += 3) p.HLine(6, 13, y, kShade);
        // The wand with its star.
        p.Line(10, 20, 19, 11, kWood);
        p.Line(11, 20, 20, 11, kWood);
        p.Glyph(16, 3, {"..#..", ".###.", "#####", ".###.", "..#.."}, kYellow);
        p.Dot(18, 5, kRed);
    } else {
        p.Line(13, 1, 16, 4, kInk);
        p.HLine(13, 16, 4, kInk);
        p.VLine(13, 1, 4, kInk);
    }
    Bitmap.SetTransparentColor(kClear);
    return true;
}

void frxRegisterWizards() {
    static const bool done = [] {
        auto asks = std::make_shared<TBitmap>();
        auto empty = std::make_shared<TBitmap>();
        frxLoadWizardBitmap("frxSTDWIZARD", *asks);
        frxLoadWizardBitmap("frxSTDWIZARD1", *empty);
        TfrxWizardCollection& wizards = frxWizards();
        wizards.Register(TfrxStdWizard::StaticClass(), asks, false);
        wizards.Register(TfrxDotMatrixWizard::StaticClass(), asks, false);
        wizards.Register(TfrxStdEmptyWizard::StaticClass(), empty, false);
        wizards.Register(TfrxDMPEmptyWizard::StaticClass(), empty, false);
        return true;
    }();
    (void)done;
}

// ==== The wizard window =====================================================================

TfrxStdWizardForm::TfrxStdWizardForm(TComponent* AOwner)
    : TForm(AOwner), FSampleReport(std::make_unique<TfrxReport>(nullptr)),
      FStyleSheet(std::make_unique<TfrxStyleSheet>()) {
    TStringStream sample(kSampleReport);
    FSampleReport->LoadFromStream(sample);
    TStringStream styles(WizardStyleSheetXml());
    FStyleSheet->LoadFromStream(styles);
    RegisterStdWizardForm();
    InitForm();
}

TfrxStdWizardForm::~TfrxStdWizardForm() = default;

void TfrxStdWizardForm::DeclareProperties(TPropertyDecl<TfrxStdWizardForm>& d) {
    d.Method("FormCreate", &TfrxStdWizardForm::FormCreate);
    d.Method("FormShow", &TfrxStdWizardForm::FormShow);
    d.Method("DatasetsCBClick", &TfrxStdWizardForm::DatasetsCBClick);
    d.Method("AddFieldBClick", &TfrxStdWizardForm::AddFieldBClick);
    d.Method("AddAllFieldsBClick", &TfrxStdWizardForm::AddAllFieldsBClick);
    d.Method("RemoveFieldBClick", &TfrxStdWizardForm::RemoveFieldBClick);
    d.Method("RemoveAllFieldsBClick", &TfrxStdWizardForm::RemoveAllFieldsBClick);
    d.Method("FieldUpBClick", &TfrxStdWizardForm::FieldUpBClick);
    d.Method("FieldDownBClick", &TfrxStdWizardForm::FieldDownBClick);
    d.Method("AddGroupBClick", &TfrxStdWizardForm::AddGroupBClick);
    d.Method("RemoveGroupBClick", &TfrxStdWizardForm::RemoveGroupBClick);
    d.Method("GroupUpBClick", &TfrxStdWizardForm::GroupUpBClick);
    d.Method("GroupDownBClick", &TfrxStdWizardForm::GroupDownBClick);
    d.Method("PortraitRBClick", &TfrxStdWizardForm::PortraitRBClick);
    d.Method("StyleLBClick", &TfrxStdWizardForm::StyleLBClick);
    d.Method("PaintBoxPaint", &TfrxStdWizardForm::PaintBoxPaint);
    d.Method("BackBClick", &TfrxStdWizardForm::BackBClick);
    d.Method("NextBClick", &TfrxStdWizardForm::NextBClick);
    d.Method("PagesChange", &TfrxStdWizardForm::PagesChange);
    d.Method("FinishBClick", &TfrxStdWizardForm::FinishBClick);
}

void TfrxStdWizardForm::BindFields() {
    Bind(Pages, "Pages");
    Bind(DataTab, "DataTab");
    Bind(GroupsTab, "GroupsTab");
    Bind(LayoutTab, "LayoutTab");
    Bind(StyleTab, "StyleTab");
    Bind(Step1L, "Step1L");
    Bind(Step2L, "Step2L");
    Bind(Step3L, "Step3L");
    Bind(Step4L, "Step4L");
    Bind(DatasetsCB, "DatasetsCB");
    Bind(FieldsLB, "FieldsLB");
    Bind(SelectedFieldsLB, "SelectedFieldsLB");
    Bind(SelectedFieldsL, "SelectedFieldsL");
    Bind(AddFieldB, "AddFieldB");
    Bind(AddAllFieldsB, "AddAllFieldsB");
    Bind(RemoveFieldB, "RemoveFieldB");
    Bind(RemoveAllFieldsB, "RemoveAllFieldsB");
    Bind(FieldUpB, "FieldUpB");
    Bind(FieldDownB, "FieldDownB");
    Bind(AvailableFieldsL, "AvailableFieldsL");
    Bind(GroupsL, "GroupsL");
    Bind(AvailableFieldsLB, "AvailableFieldsLB");
    Bind(GroupsLB, "GroupsLB");
    Bind(AddGroupB, "AddGroupB");
    Bind(RemoveGroupB, "RemoveGroupB");
    Bind(GroupUpB, "GroupUpB");
    Bind(GroupDownB, "GroupDownB");
    Bind(OrientationL, "OrientationL");
    Bind(LayoutL, "LayoutL");
    Bind(PortraitRB, "PortraitRB");
    Bind(LandscapeRB, "LandscapeRB");
    Bind(TabularRB, "TabularRB");
    Bind(ColumnarRB, "ColumnarRB");
    Bind(PortraitImg, "PortraitImg");
    Bind(LandscapeImg, "LandscapeImg");
    Bind(FitWidthCB, "FitWidthCB");
    Bind(StyleLB, "StyleLB");
    Bind(StyleBox, "StyleBox");
    Bind(PaintBox, "PaintBox");
    Bind(CancelB, "CancelB");
    Bind(BackB, "BackB");
    Bind(NextB, "NextB");
    Bind(FinishB, "FinishB");
}

void TfrxStdWizardForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    TBitmap b;
    DrawPage(b, 44, 60);
    PortraitImg->Picture()->Assign(&b);
    DrawPage(b, 60, 44);
    LandscapeImg->Picture()->Assign(&b);
    DrawArrow(b, true);
    FieldUpB->SetGlyph(&b);
    GroupUpB->SetGlyph(&b);
    DrawArrow(b, false);
    FieldDownB->SetGlyph(&b);
    GroupDownB->SetGlyph(&b);
}

void TfrxStdWizardForm::FormShow(TObject*) {
    FillDatasets();
    if (DatasetsCB->Items()->Count() > 0) DatasetsCB->SetItemIndex(0);
    FillFields();
    if (DotMatrix) {
        // No look to choose: the dot-matrix wizard has three steps.
        delete StyleTab;
        StyleTab = nullptr;
        Step4L = nullptr;
        StyleLB = nullptr;
        StyleBox = nullptr;
        PaintBox = nullptr;
    } else {
        FStyleSheet->GetList(StyleLB->Items());
        StyleLB->SetItemIndex(0);
        StyleLBClick(StyleLB);
    }
    Pages->SetActivePage(DataTab);
    PagesChange(Pages);
}

// Every database dataset the report can reach, under its user name; those of the report
// itself are not offered, since the new report replaces them.
void TfrxStdWizardForm::FillDatasets() {
    DatasetsCB->Items()->Clear();
    if (!Report) return;
    TStringList all;
    frxGetComponentList(Report, TfrxDataSet::StaticClass(), &all, nullptr);
    for (int i = 0; i < all.Count(); ++i) {
        auto* ds = dynamic_cast<TfrxCustomDBDataSet*>(all.Objects(i));
        if (ds && !OwnedBy(ds, Report)) DatasetsCB->Items()->AddObject(ds->UserName(), ds);
    }
    frxQualifyDataSetNames(DatasetsCB->Items());
}

TfrxDataSet* TfrxStdWizardForm::DataSet() const {
    const int i = DatasetsCB->ItemIndex();
    return i < 0 ? nullptr : dynamic_cast<TfrxDataSet*>(DatasetsCB->Items()->Objects(i));
}

TfrxStyles* TfrxStdWizardForm::ChosenStyle() const {
    if (DotMatrix || !StyleLB || StyleLB->ItemIndex() < 0) return nullptr;
    return FStyleSheet->Find(StyleLB->Items()->Get(StyleLB->ItemIndex()));
}

void TfrxStdWizardForm::FillFields() {
    FieldsLB->Items()->Clear();
    SelectedFieldsLB->Items()->Clear();
    SyncGroupFields();
    TfrxDataSet* ds = DataSet();
    if (!ds) return;
    ds->GetFieldList(FieldsLB->Items());
    if (FieldsLB->Items()->Count() == 0) return;
    FieldsLB->SetItemIndex(0);
    FieldsLB->SetSelected(0, true);
    if (Showing() && FieldsLB->Showing()) SetActiveControl(FieldsLB);
}

void TfrxStdWizardForm::SyncGroupFields() {
    AvailableFieldsLB->Items()->Assign(*SelectedFieldsLB->Items());
    GroupsLB->Items()->Clear();
}

void TfrxStdWizardForm::DatasetsCBClick(TObject*) { FillFields(); }

void TfrxStdWizardForm::AddFieldBClick(TObject*) {
    if (FieldsLB->ItemIndex() < 0) return;
    MoveSelected(FieldsLB, SelectedFieldsLB);
    SyncGroupFields();
}

void TfrxStdWizardForm::RemoveFieldBClick(TObject*) {
    if (SelectedFieldsLB->ItemIndex() < 0) return;
    MoveSelected(SelectedFieldsLB, FieldsLB);
    SyncGroupFields();
}

void TfrxStdWizardForm::AddAllFieldsBClick(TObject*) {
    if (FieldsLB->Items()->Count() == 0) return;
    FillFields();
    SelectedFieldsLB->Items()->Assign(*FieldsLB->Items());
    FieldsLB->Items()->Clear();
    SyncGroupFields();
}

void TfrxStdWizardForm::RemoveAllFieldsBClick(TObject*) { FillFields(); }

// The field moved up (or down) stays the current one, so that pressing again moves it on.
void TfrxStdWizardForm::FieldUpBClick(TObject*) {
    const int i = SelectedFieldsLB->ItemIndex();
    if (i < 1) return;
    Exchange(SelectedFieldsLB, i, i - 1);
    SyncGroupFields();
}

void TfrxStdWizardForm::FieldDownBClick(TObject*) {
    const int i = SelectedFieldsLB->ItemIndex();
    if (i < 0 || i >= SelectedFieldsLB->Items()->Count() - 1) return;
    Exchange(SelectedFieldsLB, i, i + 1);
    SyncGroupFields();
}

void TfrxStdWizardForm::AddGroupBClick(TObject*) {
    const int i = AvailableFieldsLB->ItemIndex();
    if (i < 0) return;
    GroupsLB->Items()->Add(AvailableFieldsLB->Items()->Get(i));
    AvailableFieldsLB->Items()->Delete(i);
    AvailableFieldsLB->SetItemIndex(std::min(i, AvailableFieldsLB->Items()->Count() - 1));
}

void TfrxStdWizardForm::RemoveGroupBClick(TObject*) {
    const int i = GroupsLB->ItemIndex();
    if (i < 0) return;
    AvailableFieldsLB->Items()->Add(GroupsLB->Items()->Get(i));
    GroupsLB->Items()->Delete(i);
    GroupsLB->SetItemIndex(std::min(i, GroupsLB->Items()->Count() - 1));
}

void TfrxStdWizardForm::GroupUpBClick(TObject*) {
    const int i = GroupsLB->ItemIndex();
    if (i >= 1) Exchange(GroupsLB, i, i - 1);
}

void TfrxStdWizardForm::GroupDownBClick(TObject*) {
    const int i = GroupsLB->ItemIndex();
    if (i >= 0 && i < GroupsLB->Items()->Count() - 1) Exchange(GroupsLB, i, i + 1);
}

void TfrxStdWizardForm::PortraitRBClick(TObject*) {
    PortraitImg->SetVisible(PortraitRB->Checked());
    LandscapeImg->SetVisible(LandscapeRB->Checked());
}

void TfrxStdWizardForm::StyleLBClick(TObject*) {
    TfrxStyles* set = ChosenStyle();
    if (!set) return;
    FSampleReport->SetStyles(set);
    if (PaintBox) PaintBox->Invalidate();
}

void TfrxStdWizardForm::PaintBoxPaint(TObject*) {
    TCanvas* c = PaintBox->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWindow);
    c->Brush()->SetStyle(bsSolid);
    c->Rectangle(0, 0, PaintBox->Width(), PaintBox->Height());
    for (TfrxComponent* o : FSampleReport->AllObjects())
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(o)) m->Draw(c, 1, 1, 10, 10);
}

void TfrxStdWizardForm::BackBClick(TObject*) {
    Pages->SelectNextPage(false);
    PagesChange(Pages);
}

void TfrxStdWizardForm::NextBClick(TObject*) {
    Pages->SelectNextPage(true);
    PagesChange(Pages);
}

void TfrxStdWizardForm::PagesChange(TObject*) {
    TTabSheet* page = Pages->ActivePage();
    TTabSheet* last = DotMatrix ? LayoutTab : StyleTab;
    BackB->SetEnabled(page != DataTab);
    NextB->SetEnabled(page != last);
    if (page == GroupsTab && AvailableFieldsLB->Items()->Count() > 0 && AvailableFieldsLB->ItemIndex() < 0)
        AvailableFieldsLB->SetItemIndex(0);
}

void TfrxStdWizardForm::FinishBClick(TObject*) {
    if (!MayReplace(Designer)) return;
    GenerateReport();
    SetModalResult(mrOk);
}

TfrxWizardColumns TfrxStdWizardForm::CalcColumnWidths(const std::vector<std::string>& Fields, double W) const {
    TfrxWizardColumns cw;
    auto makeMemo = [&]() -> std::unique_ptr<TfrxCustomMemoView> {
        if (DotMatrix) return std::make_unique<TfrxDMPMemoView>(nullptr);
        return std::make_unique<TfrxMemoView>(nullptr);
    };
    std::unique_ptr<TfrxCustomMemoView> header = makeMemo(), data = makeMemo();
    if (TfrxStyles* set = ChosenStyle()) {
        frxApplyStyle(header.get(), set->Find("Header"));
        frxApplyStyle(data.get(), set->Find("Data"));
    }
    TfrxDataSet* ds = DataSet();
    double total = 0, headers = 0, excess = 0;
    for (const std::string& f : Fields) {
        header->SetText(f);
        const double h = header->CalcWidth();
        data->SetText(std::string(static_cast<size_t>(std::max(ds ? ds->GetDisplayWidth(f) : 0, 0)), '0'));
        const double dw = data->CalcWidth();
        cw.Header.push_back(h);
        cw.Data.push_back(dw);
        cw.Column.push_back(dw >= h ? dw : h);
        total += cw.Column.back();
        headers += h;
        if (dw >= h) excess += dw - h;
    }
    if (!FitWidthCB->Checked() || total <= W) return cw;
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (W >= headers) {
            if (cw.Data[i] > cw.Header[i]) cw.Column[i] -= (cw.Data[i] - cw.Header[i]) / excess * (total - W);
        } else {
            cw.Column[i] = cw.Header[i] / (headers / W);
        }
    }
    return cw;
}

// The report: a title, the column header (tabular layouts), a group header per group
// field, the data band over the dataset, group footers and the page footer.
void TfrxStdWizardForm::GenerateReport() {
    if (!Report) return;
    TfrxDataSet* ds = DataSet();
    TReportRebuild rebuild(Designer);
    Report->Clear();
    Report->SetFileName("");
    Report->DotMatrixReport = DotMatrix;
    if (ds) Report->DataSets()->Add(ds);

    TfrxReportPage* page = CreatePage(Report, DotMatrix);
    page->SetOrientation(PortraitRB->Checked() ? poPortrait : poLandscape);
    const double W = (page->PaperWidth() - page->LeftMargin - page->RightMargin) * 96 / 25.4;

    const std::vector<std::string> fields = ItemsOf(AvailableFieldsLB);
    const std::vector<std::string> groups = ItemsOf(GroupsLB);
    const TfrxWizardColumns cw = CalcColumnWidths(fields, W);
    const double widest = cw.Header.empty() ? 0 : *std::max_element(cw.Header.begin(), cw.Header.end());

    auto memo = [&](TfrxComponent* Parent, double L, double T, double Wd, double H) {
        TfrxCustomMemoView* m = DotMatrix ? static_cast<TfrxCustomMemoView*>(new TfrxDMPMemoView(Parent))
                                          : static_cast<TfrxCustomMemoView*>(new TfrxMemoView(Parent));
        m->CreateUniqueName();
        m->SetBounds(L, T, Wd, H);
        return m;
    };
    auto band = [&](TfrxBand* B, double Top, double Height) {
        B->CreateUniqueName();
        B->SetTop(Top);
        B->SetHeight(Height);
        return B;
    };
    // A bound text object prints its field; its text is the field's expression as the
    // inspector writes it for a bound text object, so that the page shows what it prints.
    auto bind = [&](TfrxCustomMemoView* M, const std::string& Field) {
        M->SetDataSet(ds);
        M->DataField = Field;
        if (ds) M->SetText("[" + ds->UserName() + ".\"" + Field + "\"]");
    };

    auto* title = band(new TfrxReportTitle(page), 0, k7mm);
    double Y = 30;
    TfrxCustomMemoView* m = memo(title, 0, 0, 0, k6mm);
    m->SetAlign(baWidth);
    m->HAlign = haCenter;
    m->VAlign = vaCenter;
    m->SetText("Report");
    m->SetStyle("Title");

    if (!ColumnarRB->Checked()) {
        auto* header = band(new TfrxPageHeader(page), Y, k7mm);
        TfrxCustomMemoView* line = memo(header, 0, 0, W, 0);
        line->SetStyle("Header line");
        double x = 0, y = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            // A column that does not fit starts a new row; the first of a row never does.
            if (x > 0 && W + 1 < x + cw.Column[i]) {
                x = 0;
                y += k6mm;
            }
            m = memo(header, x, y, cw.Column[i], k6mm);
            m->SetText(fields[i]);
            m->SetStyle("Header");
            x += cw.Column[i];
        }
        header->SetHeight(y + k6mm);
        if (DotMatrix) delete line;
        else line->SetHeight(header->Height());
        Y += header->Height();
    }

    for (const std::string& g : groups) {
        auto* gh = static_cast<TfrxGroupHeader*>(band(new TfrxGroupHeader(page), Y, k7mm));
        gh->Condition = (ds ? ds->UserName() : std::string()) + ".\"" + g + "\"";
        Y += 30;
        m = memo(gh, 0, 0, 0, k6mm);
        m->SetAlign(baWidth);
        m->VAlign = vaCenter;
        bind(m, g);
        m->SetStyle("Group header");
    }

    auto* data = static_cast<TfrxMasterData*>(band(new TfrxMasterData(page), Y, 0));
    data->SetDataSet(ds);
    Y += 30;
    double x = 0, y = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (ColumnarRB->Checked()) {
            m = memo(data, 0, y, widest, k5mm);
            m->SetText(fields[i]);
            m->SetStyle("Header");
            m = memo(data, widest + k5mm, y, cw.Data[i], k5mm);
            bind(m, fields[i]);
            m->SetStyle("Data");
            y += k5mm;
            continue;
        }
        if (x > 0 && W + 1 < x + cw.Column[i]) {
            x = 0;
            y += k5mm;
        }
        m = memo(data, x, y, cw.Column[i], k5mm);
        bind(m, fields[i]);
        m->SetStyle("Data");
        x += cw.Column[i];
    }
    data->SetHeight(y + k5mm);
    Y += data->Height();

    Y = 1000;
    for (size_t i = 0; i < groups.size(); ++i) {
        band(new TfrxGroupFooter(page), Y, 0);
        Y -= 30;
    }

    auto* footer = band(new TfrxPageFooter(page), 1000, k7mm);
    m = memo(footer, 0, 0, 0, 0);
    m->SetHeight(TfrxMemoView(nullptr).Height());
    m->SetAlign(baWidth);
    m->Frame()->Typ = TfrxFrameTypes{ftTop};
    m->Frame()->Width = 2;
    m = memo(footer, 0, 1, 0, k6mm);
    m->AutoWidth = true;
    m->SetText("[Date] [Time]");
    m = memo(footer, 100, 1, k20mm, k6mm);
    m->SetAlign(baRight);
    m->HAlign = haRight;
    m->SetText("Page [Page#]");

    if (TfrxStyles* set = ChosenStyle()) Report->SetStyles(set);
}

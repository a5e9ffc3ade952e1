// Report files with pages and bands: a report holding a page with a band of every kind,
// views, links between bands, a subreport and a dialog page is written as report XML and
// as a form resource and read back equal; what is left at its default is not written; the
// receipt sketch of a small report file loads; a damaged child chain is reported.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/classes/Streaming.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

std::string SaveText(TfrxReport& Report) {
    TMemoryStream stream;
    Report.SaveToStream(stream);
    return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void LoadText(TfrxReport& Report, const std::string& Text) {
    TMemoryStream stream;
    stream.WriteBuffer(Text);
    stream.SetPosition(0);
    Report.LoadFromStream(stream);
}

template <class T> T* Find(TfrxReport& Report, const char* Name) {
    TfrxComponent* c = Report.FindObject(Name);
    EXPECT_NE(c, nullptr) << Name;
    auto* t = dynamic_cast<T*>(c);
    EXPECT_NE(t, nullptr) << Name << " is a " << (c ? c->ClassName() : std::string("nothing"));
    return t;
}

// Each band kind on one page, in the order the engine's kind table lists them, each with a
// memo and with settings away from their defaults.
void BuildReport(TfrxReport& Report) {
    auto* dialog = new TfrxDialogPage(&Report);
    dialog->SetName("DialogPage1");
    dialog->SetCaption("条件");
    dialog->SetBounds(100, 80, 320, 200);
    dialog->SetBorderStyle(bsDialog);
    dialog->OnShow = "DialogShow";
    auto* users = new TfrxUserDataSet(dialog);
    users->SetName("Users");
    Report.DataSets()->Add(users);

    auto* page = new TfrxReportPage(&Report);
    page->SetName("Page1");
    page->LeftMargin = 5;
    page->RightMargin = 6;
    page->TopMargin = 7;
    page->BottomMargin = 8;
    page->SetPaperWidth(150);
    page->SetPaperHeight(100);
    page->SetOrientation(poLandscape);
    page->SetColumns(2);
    // Positions of the columns the designer moved by hand.
    page->ColumnPositions()->SetText("0\r\n70.5\r\n");
    page->ColumnWidth = 60;
    page->Bin = 4;
    page->BinOtherPages = 5;
    page->Duplex = dmVertical;
    page->MirrorMargins = true;
    page->PrintIfEmpty = false;
    page->TitleBeforeHeader = false;
    page->PrintOnPreviousPage = true;
    page->LargeDesignHeight = true;
    page->OutlineText = "'Page'";
    page->SetColor(clYellow);
    page->Frame()->Typ = TfrxFrameTypes{ftTop};
    page->HGuides()->Add("12.5");
    page->OnManualBuild = "Build";
    page->SetDataSet(users);

    int top = 0;
    auto add = [&](TfrxBand* band, const char* name) {
        band->SetName(name);
        band->SetBounds(0, top, 500, 20);
        top += 30;
        auto* memo = new TfrxMemoView(band);
        memo->SetName(std::string("Memo") + name);
        memo->SetBounds(5, 2, 100, 16);
        memo->Memo()->SetText(std::string("[") + name + "]");
        return band;
    };
    auto* title = static_cast<TfrxReportTitle*>(add(new TfrxReportTitle(page), "Title"));
    title->StartNewPage = true;
    auto* summary = static_cast<TfrxReportSummary*>(add(new TfrxReportSummary(page), "Summary"));
    summary->AllowSplit = true;
    auto* pageHeader = static_cast<TfrxPageHeader*>(add(new TfrxPageHeader(page), "PageHeader"));
    pageHeader->PrintOnFirstPage = false;
    auto* pageFooter = static_cast<TfrxPageFooter*>(add(new TfrxPageFooter(page), "PageFooter"));
    pageFooter->PrintOnLastPage = false;
    auto* header = static_cast<TfrxHeader*>(add(new TfrxHeader(page), "Header"));
    header->ReprintOnNewPage = true;
    auto* footer = static_cast<TfrxFooter*>(add(new TfrxFooter(page), "Footer"));
    footer->Stretched = true;
    auto* master = static_cast<TfrxMasterData*>(add(new TfrxMasterData(page), "Master"));
    master->SetDataSet(users);
    master->Columns = 2;
    master->ColumnWidth = 120.5;
    master->ColumnGap = 4;
    master->KeepTogether = true;
    master->FooterAfterEach = true;
    master->OnMasterDetail = "MasterDetail";
    master->OutlineText = "<Users.\"Name\">";
    auto* detail = static_cast<TfrxDetailData*>(add(new TfrxDetailData(page), "Detail"));
    detail->SetRowCount(3);
    detail->PrintIfDetailEmpty = true;
    add(new TfrxSubdetailData(page), "Subdetail");
    add(new TfrxDataBand4(page), "Data4");
    add(new TfrxDataBand5(page), "Data5");
    auto* data6 = static_cast<TfrxDataBand6*>(add(new TfrxDataBand6(page), "Data6"));
    data6->Vertical = true;
    auto* group = static_cast<TfrxGroupHeader*>(add(new TfrxGroupHeader(page), "Group"));
    group->Condition = "Users.\"Dept\"";
    group->KeepTogether = true;
    group->OnBeforePrint = "GroupBefore";
    add(new TfrxGroupFooter(page), "GroupFooter");
    auto* child = static_cast<TfrxChild*>(add(new TfrxChild(page), "Child"));
    child->PrintChildIfInvisible = true;
    master->SetChild(child);
    master->KeepChild = true;
    auto* columnHeader = static_cast<TfrxColumnHeader*>(add(new TfrxColumnHeader(page), "ColumnHeader"));
    columnHeader->OnAfterCalcHeight = "AfterCalc";
    add(new TfrxColumnFooter(page), "ColumnFooter");
    auto* overlay = static_cast<TfrxOverlay*>(add(new TfrxOverlay(page), "Overlay"));
    overlay->SetVisible(false);

    auto* page2 = new TfrxReportPage(&Report);
    page2->SetName("Page2");
    add(new TfrxMasterData(page2), "SubMaster");
    auto* sub = new TfrxSubreport(master);
    sub->SetName("Subreport1");
    sub->SetBounds(200, 0, 100, 20);
    sub->SetPage(page2);
    sub->PrintOnParent = true;
}

class ReportFiles : public testing::Test {
protected:
    void SetUp() override { Report.EngineOptions()->SilentMode = true; }
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
};

TEST_F(ReportFiles, ReportXmlReadsBackEqual) {
    BuildReport(Report);
    const std::string saved = SaveText(Report);
    TfrxReport copy(nullptr);
    copy.EngineOptions()->SilentMode = true;
    LoadText(copy, saved);
    EXPECT_EQ(copy.Errors()->Text(), "");
    EXPECT_EQ(SaveText(copy), saved);

    // The paper as it was: reading a landscape page keeps its size and margins.
    auto* page = Find<TfrxReportPage>(copy, "Page1");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Orientation(), poLandscape);
    EXPECT_EQ(page->PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 100);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 150);
    EXPECT_DOUBLE_EQ(page->LeftMargin, 7);
    EXPECT_DOUBLE_EQ(page->RightMargin, 8);
    EXPECT_DOUBLE_EQ(page->TopMargin, 6);
    EXPECT_DOUBLE_EQ(page->BottomMargin, 5);
    EXPECT_EQ(page->Columns(), 2);
    EXPECT_DOUBLE_EQ(page->ColumnWidth, 60);
    EXPECT_EQ(page->ColumnPositions()->Text(), "0\r\n70.5\r\n");
    EXPECT_EQ(page->Color(), clYellow);
    EXPECT_EQ(page->Duplex, dmVertical);
    EXPECT_FALSE(page->TitleBeforeHeader);

    // Links come back as links.
    auto* users = Find<TfrxUserDataSet>(copy, "Users");
    auto* master = Find<TfrxMasterData>(copy, "Master");
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->DataSet(), users);
    EXPECT_EQ(page->DataSet(), users);
    EXPECT_EQ(master->Child(), Find<TfrxChild>(copy, "Child"));
    auto* sub = Find<TfrxSubreport>(copy, "Subreport1");
    auto* page2 = Find<TfrxReportPage>(copy, "Page2");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Page(), page2);
    EXPECT_EQ(page2->SubReport(), sub);
    EXPECT_EQ(Find<TfrxDetailData>(copy, "Detail")->RowCount(), 3);
    EXPECT_EQ(Find<TfrxGroupHeader>(copy, "Group")->Condition, "Users.\"Dept\"");
    auto* dialog = Find<TfrxDialogPage>(copy, "DialogPage1");
    EXPECT_EQ(dialog->Form()->Caption(), "条件");
    EXPECT_EQ(dialog->Form()->Width(), 320);
}

TEST_F(ReportFiles, DefaultsAreNotWritten) {
    auto* page = new TfrxReportPage(&Report);
    page->SetName("Page1");
    for (TClass kind : frxBandKinds()) {
        auto* band = static_cast<TfrxBand*>(kind->CreateInstance(page));
        band->CreateUniqueName();
    }
    auto* dialog = new TfrxDialogPage(&Report);
    dialog->SetName("DialogPage1");
    const std::string saved = SaveText(Report);
    for (const char* name :
         {"Orientation=", "MirrorMargins=", "Columns=", "Bin=", "BinOtherPages=", "Color=", "Duplex=", "Frame.",
          "LargeDesignHeight=", "PrintIfEmpty=", "PrintOnPreviousPage=", "TitleBeforeHeader=", "AllowSplit=",
          "KeepChild=", "PrintChildIfInvisible=", "StartNewPage=", "Stretched=", "Vertical=", "PrintOnFirstPage=",
          "PrintOnLastPage=", "ReprintOnNewPage=", "KeepTogether=", "KeepHeader=", "KeepFooter=", "FooterAfterEach=",
          "PrintIfDetailEmpty=", "Child=", "DataSet=", "Condition=", "OutlineText=", "OnBeforePrint=", "BorderStyle=",
          "Position=", "WindowState=", "Visible=", "ParentFont=", "Restrictions="})
        EXPECT_EQ(saved.find(std::string(" ") + name), std::string::npos) << name;
    // Floats, the paper number and the row count are always written.
    EXPECT_NE(saved.find("<TfrxMasterData Name=\"MasterData1\" Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" "
                         "ColumnWidth=\"0\" ColumnGap=\"0\" RowCount=\"0\"/>"),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("PaperSize=\"9\""), std::string::npos);
}

TEST_F(ReportFiles, FormResourceReadsBackEqual) {
    BuildReport(Report);
    const std::string text = WriteComponentToText(&Report);
    TfrxReport copy(nullptr);
    copy.EngineOptions()->SilentMode = true;
    ReadComponentFromText(text, &copy);
    EXPECT_EQ(WriteComponentToText(&copy), text);
    auto* master = Find<TfrxMasterData>(copy, "Master");
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->Child(), Find<TfrxChild>(copy, "Child"));
    EXPECT_EQ(master->Parent(), Find<TfrxReportPage>(copy, "Page1"));
    EXPECT_EQ(Find<TfrxSubreport>(copy, "Subreport1")->Page(), Find<TfrxReportPage>(copy, "Page2"));
}

// The receipt sketch of the notes on the report file format.
const char* const kReceipt =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<TfrxReport Name=\"\" DotMatrixReport=\"False\" EngineOptions.MaxMemSize=\"10000000\" "
    "IniFile=\"\\Software\\Quirewell\" PreviewOptions.Buttons=\"2047\" PreviewOptions.Zoom=\"1\" "
    "PrintOptions.Printer=\"默认\" ReportOptions.CreateDate=\"45356.5\" ReportOptions.Description.Text=\"\" "
    "ReportOptions.LastChange=\"45356.5\" ScriptLanguage=\"PascalScript\" "
    "ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\" "
    "PropData=\"0844617461736574730E010744617461536574070D667278444244617461736574320B446174615365744E616D65060D6672"
    "78444244617461736574320000095661726961626C65730E01044E616D65060264780556616C75650612270152013C014A0130015401"
    "2A0155017B270000055374796C650E00\">\r\n"
    "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"125\" PaperHeight=\"120\" PaperSize=\"256\" LeftMargin=\"10\" "
    "RightMargin=\"10\" TopMargin=\"10\" BottomMargin=\"10\" ColumnWidth=\"0\" ColumnPositions.Text=\"\" "
    "HGuides.Text=\"\" VGuides.Text=\"\">\r\n"
    "    <TfrxPageHeader Name=\"PageHeader1\" Left=\"0\" Top=\"18.89765\" Width=\"396.85065\" Height=\"60\">\r\n"
    "      <TfrxMemoView Name=\"MemoNo\" Left=\"0\" Top=\"0\" Width=\"200\" Height=\"18.89765\" GroupIndex=\"0\" "
    "Font.Charset=\"1\" Font.Color=\"0\" Font.Height=\"-16\" Font.Name=\"宋体\" Font.Style=\"1\" "
    "ParentFont=\"False\" Memo.Text=\"NO:[frxDBDataset2.&#34;票据号&#34;]\"/>\r\n"
    "      <TfrxMemoView Name=\"MemoDx\" Left=\"0\" Top=\"20\" Width=\"300\" Height=\"18.89765\" GroupIndex=\"0\" "
    "Frame.Typ=\"15\" Memo.Text=\"大写：[dx]\"/>\r\n"
    "      <TfrxMemoView Name=\"MemoSum\" Left=\"300\" Top=\"20\" Width=\"96.85065\" Height=\"18.89765\" "
    "GroupIndex=\"0\" HAlign=\"haRight\" Memo.Text=\"[frxDBDataset2.&#34;应收金额&#34; #N%2.2f]\"/>\r\n"
    "    </TfrxPageHeader>\r\n"
    "  </TfrxReportPage>\r\n"
    "</TfrxReport>\r\n";

TEST_F(ReportFiles, ReceiptSketchLoads) {
    LoadText(Report, kReceipt);
    EXPECT_EQ(Report.Errors()->Text(), "");
    EXPECT_TRUE(Harness.Dialogs().empty());
    ASSERT_EQ(Report.PagesCount(), 1);
    auto* page = dynamic_cast<TfrxReportPage*>(Report.Pages(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Name(), "Page1");
    EXPECT_EQ(page->PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 125);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 120);
    EXPECT_EQ(page->Orientation(), poPortrait);
    EXPECT_DOUBLE_EQ(page->LeftMargin, 10);
    EXPECT_DOUBLE_EQ(page->BottomMargin, 10);
    EXPECT_EQ(page->Width(), Round(125 * 3.77953));

    auto* header = page->FindBand<TfrxPageHeader>();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Name(), "PageHeader1");
    EXPECT_TRUE(header->PrintOnFirstPage);
    EXPECT_DOUBLE_EQ(header->Top(), 18.89765);
    ASSERT_EQ(header->ObjectCount(), 3);
    auto* no = dynamic_cast<TfrxMemoView*>(header->Objects(0));
    auto* dx = dynamic_cast<TfrxMemoView*>(header->Objects(1));
    auto* sum = dynamic_cast<TfrxMemoView*>(header->Objects(2));
    ASSERT_TRUE(no && dx && sum);
    EXPECT_EQ(no->Font()->Name(), "宋体");
    EXPECT_FALSE(no->ParentFont());
    EXPECT_EQ(dx->Memo()->Text(), "大写：[dx]\r\n");
    EXPECT_EQ(dx->Frame()->Typ.Mask(), 15u);
    EXPECT_EQ(sum->HAlign, haRight);
    EXPECT_EQ(sum->Memo()->Text(), "[frxDBDataset2.\"应收金额\" #N%2.2f]\r\n");
    // Inheriting memos take the band's font.
    EXPECT_TRUE(dx->ParentFont());

    // The page's width is the printable width once the children are aligned; the band
    // follows it.
    page->AlignChildren();
    EXPECT_NEAR(page->Width(), 396.85065, 1e-9);
    EXPECT_NEAR(header->Width(), 396.85065, 1e-9);
}

TEST_F(ReportFiles, ChildChainLeadingBackIsReportedAndTheRestLoads) {
    const char* text =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
        "<TfrxReport Name=\"\">\r\n"
        "  <TfrxReportPage Name=\"Page1\">\r\n"
        "    <TfrxChild Name=\"Child1\" Left=\"0\" Top=\"0\" Width=\"10\" Height=\"10\" Child=\"Child2\"/>\r\n"
        "    <TfrxChild Name=\"Child2\" Left=\"0\" Top=\"20\" Width=\"10\" Height=\"10\" Child=\"Child1\"/>\r\n"
        "    <TfrxMasterData Name=\"Master\" Left=\"0\" Top=\"40\" Width=\"10\" Height=\"10\" RowCount=\"4\"/>\r\n"
        "  </TfrxReportPage>\r\n"
        "</TfrxReport>\r\n";
    LoadText(Report, text);
    ASSERT_EQ(Report.Errors()->Count(), 1);
    EXPECT_NE(Report.Errors()->Strings(0).find("leads back"), std::string::npos);
    auto* one = Find<TfrxChild>(Report, "Child1");
    auto* two = Find<TfrxChild>(Report, "Child2");
    ASSERT_TRUE(one && two);
    // One link of the loop is kept, the other refused.
    EXPECT_TRUE((one->Child() == two) != (two->Child() == one));
    EXPECT_EQ(Find<TfrxMasterData>(Report, "Master")->RowCount(), 4);
}

}  // namespace

// Views in report XML and in the prepared pages' diff texts: a band of views written,
// read into another report and written again gives the same XML and the same objects;
// the diff items of views and memos in their order and forms.
#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Streams.h"
#include "report/DataSet.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/PictureView.h"
#include "report/Report.h"

// A band stand-in: views are the children of bands.
class TfrxViewsTestBand : public TfrxReportComponent {
    ROVE_CLASS(TfrxViewsTestBand, TfrxReportComponent)
public:
    explicit TfrxViewsTestBand(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    static void DeclareProperties(TPropertyDecl<TfrxViewsTestBand>& d) {
        TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds);
    }
};
ROVE_IMPLEMENT_CLASS(TfrxViewsTestBand)

namespace {

std::string Save(TfrxComponent* c) {
    TStringStream s;
    c->SaveToStream(s, true, false);
    return s.DataString();
}

template <class T> T* Find(TfrxReport& r, const char* name) {
    auto* c = dynamic_cast<T*>(r.FindObject(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

class Storage : public ::testing::Test {
protected:
    Storage() {
        dataset.SetUserName("Fees");
        band = new TfrxViewsTestBand(&report);
        band->SetName("Band1");
        band->SetBounds(0, 20, 700, 100);

        auto* m1 = new TfrxMemoView(band);
        m1->SetName("Memo1");
        m1->SetBounds(10, 5, 200.5, 18.89765);
        m1->Memo()->SetText("应收：[Fees.\"金额\" #N%2.2f]\r\nsay \"hi\" & <bye>");
        m1->Frame()->Typ = {ftLeft, ftRight, ftTop, ftBottom};
        m1->Frame()->Style = fsDouble;
        m1->Frame()->Width = 2;
        m1->Frame()->DropShadow = true;
        m1->SetColor(clYellow);
        m1->HAlign = haRight;
        m1->VAlign = vaCenter;
        m1->GapX = 3;
        m1->LineSpacing = 0;
        m1->WordWrap = false;
        m1->SetRotation(90);
        m1->ExpressionDelimiters = "<,>";
        m1->DisplayFormat()->Kind = fkNumeric;
        m1->DisplayFormat()->FormatStr = "#,##0.00";
        m1->DisplayFormat()->DecimalSeparator = ",";
        m1->Highlight()->Condition = "Value < 0";
        m1->Highlight()->Font()->SetStyle({fsBold});
        m1->SetDataSet(&dataset);
        m1->DataField = "金额";
        m1->SetAlign(baWidth);
        m1->SetShiftMode(smWhenOverlapped);
        m1->SetStretchMode(smMaxHeight);
        m1->SetTagStr("tag [A]");
        m1->SetURL("#anchor");
        m1->SetCursor(-21);
        m1->OnBeforePrint = "Memo1OnBeforePrint";
        m1->Font()->SetName("宋体");

        auto* m2 = new TfrxMemoView(band);
        m2->SetName("Memo2");
        m2->SetBounds(220, 5, 100, 40);
        m1->SetFlowTo(m2);

        auto* sys = new TfrxSysMemoView(band);
        sys->SetName("SysMemo1");
        sys->SetBounds(330, 5, 100, 20);
        sys->Memo()->SetText("[Page#]");

        auto* line = new TfrxLineView(band);
        line->SetName("Line1");
        line->SetBounds(0, 50, 300, 0);
        line->Diagonal = true;
        line->Frame()->Style = fsDashDot;
        line->Frame()->Color = clBlue;

        auto* shape = new TfrxShapeView(band);
        shape->SetName("Shape1");
        shape->SetBounds(450, 5, 40, 40);
        shape->Shape = skEllipse;
        shape->SetBrushStyle(bsDiagCross);

        auto* pic = new TfrxPictureView(band);
        pic->SetName("Picture1");
        pic->SetBounds(500, 5, 64, 48);
        pic->Center = true;
        pic->KeepAspectRatio = false;
        TBitmap bmp(3, 2);
        bmp.SetPixel(0, 0, clRed);
        bmp.SetPixel(2, 1, clBlue);
        TPngImage png;
        png.Assign(bmp);
        pic->Picture()->SetGraphic(&png);
    }

    TfrxUserDataSet dataset{nullptr};
    TfrxReport report{nullptr};
    TfrxViewsTestBand* band;
};

TEST_F(Storage, BandOfViewsRoundTrips) {
    const std::string xml = Save(band);

    // The names the files use.
    for (const char* attr :
         {"Frame.Typ=\"15\"", "Frame.Style=\"fsDouble\"", "Frame.Width=\"2\"", "Frame.DropShadow=\"True\"",
          "HAlign=\"haRight\"", "Rotation=\"90\"", "ExpressionDelimiters=\"&#60;,&#62;\"",
          "DisplayFormat.Kind=\"fkNumeric\"", "DisplayFormat.DecimalSeparator=\",\"", "Highlight.Condition=",
          "DataSetName=\"Fees\"", "DataField=\"金额\"", "FlowTo=\"Memo2\"", "Align=\"baWidth\"",
          "ShiftMode=\"smWhenOverlapped\"", "StretchMode=\"smMaxHeight\"", "OnBeforePrint=\"Memo1OnBeforePrint\"",
          "Memo.Text=\"应收：[Fees.&#34;金额&#34; #N%2.2f]&#13;&#10;say &#34;hi&#34; &#38; &#60;bye&#62;\"",
          "Diagonal=\"True\"", "Shape=\"skEllipse\"", "BrushStyle=\"bsDiagCross\"", "Color=\"16777215\"",
          "Picture.PropData=\"", "KeepAspectRatio=\"False\"", "Cursor=\"-21\""})
        EXPECT_NE(xml.find(attr), std::string::npos) << attr;
    // Values at their defaults stay out.
    for (const char* attr : {"GapY=", "CharSpacing=", "ParagraphGap=", "AllowExpressions=", "Stretched="})
        EXPECT_EQ(xml.find(attr), std::string::npos) << attr;

    TfrxReport copy(nullptr);
    auto* band2 = new TfrxViewsTestBand(&copy);
    band2->SetName("Band1");
    TStringStream in(xml);
    band2->LoadFromStream(in);
    EXPECT_EQ(copy.Errors()->Count(), 0) << copy.Errors()->Text();
    EXPECT_EQ(Save(band2), xml);

    auto* m1 = Find<TfrxMemoView>(copy, "Memo1");
    auto* m2 = Find<TfrxMemoView>(copy, "Memo2");
    ASSERT_TRUE(m1 && m2);
    EXPECT_EQ(m1->Parent(), band2);
    EXPECT_EQ(m1->FlowTo(), m2);
    EXPECT_EQ(m1->DataSet(), &dataset);
    EXPECT_EQ(m1->Memo()->Count(), 2);
    EXPECT_EQ((*m1->Memo())[1], "say \"hi\" & <bye>");
    EXPECT_EQ(m1->Frame()->Style, fsDouble);
    EXPECT_EQ(m1->DisplayFormat()->FormatStr, "#,##0.00");
    EXPECT_EQ(m1->Highlight()->Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(m1->Highlight()->Font()->Color(), clRed);
    EXPECT_EQ(m1->Font()->Name(), "宋体");
    EXPECT_FALSE(m1->ParentFont());
    EXPECT_EQ(m1->Width(), 200.5);

    auto* line = Find<TfrxLineView>(copy, "Line1");
    auto* shape = Find<TfrxShapeView>(copy, "Shape1");
    auto* pic = Find<TfrxPictureView>(copy, "Picture1");
    ASSERT_TRUE(line && shape && pic);
    EXPECT_TRUE(line->Diagonal);
    EXPECT_EQ(shape->Shape, skEllipse);
    ASSERT_NE(dynamic_cast<TPngImage*>(pic->Picture()->Graphic()), nullptr);
    const auto& pixels = static_cast<TPngImage*>(pic->Picture()->Graphic())->Bitmap();
    EXPECT_EQ(pixels.Width(), 3);
    EXPECT_EQ(pixels.Pixel(0, 0), clRed);
    EXPECT_EQ(pixels.Pixel(2, 1), clBlue);
    EXPECT_EQ(pixels.Pixel(1, 0), clWhite);
    EXPECT_EQ(pic->Color(), clWhite);
}

TEST_F(Storage, AssignCopiesTheViewWithoutChildren) {
    auto* m1 = Find<TfrxMemoView>(report, "Memo1");
    TfrxMemoView copy(nullptr);
    copy.Assign(m1);
    EXPECT_EQ(copy.Text(), m1->Text());
    EXPECT_EQ(copy.Frame()->Typ, m1->Frame()->Typ);
    EXPECT_EQ(copy.Highlight()->Condition, "Value < 0");
    EXPECT_EQ(copy.Rotation(), 90);
    EXPECT_EQ(copy.Diff(m1), " x=\"应收：[Fees.&#34;金额&#34; #N%2.2f]&#13;&#10;say &#34;hi&#34; &#38; &#60;bye&#62;\"");
}

TEST_F(Storage, RemovingTheFlowTargetFromTheReportClearsTheReference) {
    auto* m1 = Find<TfrxMemoView>(report, "Memo1");
    delete Find<TfrxMemoView>(report, "Memo2");
    EXPECT_EQ(m1->FlowTo(), nullptr);
    EXPECT_EQ(Save(band).find("FlowTo="), std::string::npos);
}

// --- Diff texts -----------------------------------------------------------------------

struct TDiffCase {
    const char* Name;
    std::function<void(TfrxMemoView&)> Change;
    std::string Expected;
    std::function<void(TfrxMemoView&)> Template = nullptr;
};

class MemoDiff : public ::testing::TestWithParam<TDiffCase> {};

TEST_P(MemoDiff, Items) {
    const TDiffCase& c = GetParam();
    TfrxMemoView base(nullptr);
    base.SetBounds(10, 20, 100, 30);
    base.Memo()->SetText("abc");
    if (c.Template) c.Template(base);
    TfrxMemoView m(nullptr);
    m.Assign(&base);
    c.Change(m);
    EXPECT_EQ(m.Diff(&base), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Views, MemoDiff,
    ::testing::Values(
        TDiffCase{"unchanged_writes_only_the_text", [](TfrxMemoView&) {}, " x=\"abc\""},
        TDiffCase{"no_lines", [](TfrxMemoView& m) { m.Memo()->Clear(); }, " x=\"\""},
        TDiffCase{"tiny_moves_are_no_change", [](TfrxMemoView& m) { m.SetLeft(10.00005); }, " x=\"abc\""},
        TDiffCase{"geometry", [](TfrxMemoView& m) { m.SetBounds(12.5, 20, 100, 45); },
                  " l=\"12.5\" h=\"45\" x=\"abc\""},
        TDiffCase{"aligned_leaves_out_left",
                  [](TfrxMemoView& m) {
                      m.SetLeft(50);
                      m.SetAlign(baRight);
                  },
                  " Align=\"2\" x=\"abc\""},
        TDiffCase{"auto_width_leaves_out_width", [](TfrxMemoView& m) { m.SetWidth(70); }, " x=\"abc\"",
                  [](TfrxMemoView& m) { m.AutoWidth = true; }},
        TDiffCase{"view_items_in_order",
                  [](TfrxMemoView& m) {
                      m.SetURL("u");
                      m.SetTagStr("a\"b");
                      m.SetPrintable(false);
                      m.SetCursor(-21);
                      m.Frame()->Typ = {ftLeft, ftTop};
                      m.SetColor(clRed);
                      m.SetBrushStyle(bsCross);
                  },
                  " BrushStyle=\"6\" Color=\"255\" Frame.Typ=\"5\" Cursor=\"-21\" Printable=\"False\""
                  " TagStr=\"a&#34;b\" URL=\"u\" x=\"abc\""},
        TDiffCase{"memo_items_around_the_text",
                  [](TfrxMemoView& m) {
                      m.WordWrap = false;
                      m.VAlign = vaBottom;
                      m.Underlines = true;
                      m.RTLReading = true;
                      m.SetRotation(270);
                      m.ParagraphGap = 4;
                      m.LineSpacing = 1.5;
                      m.Highlight()->Active = true;
                      m.HAlign = haBlock;
                      m.GapY = 0;
                      m.GapX = 1;
                      m.CharSpacing = 0.5;
                      m.AutoWidth = true;
                      m.Memo()->SetText("a\r\nb");
                  },
                  " AutoWidth=\"True\" CharSpacing=\"0.5\" GapX=\"1\" GapY=\"0\" HAlign=\"3\" Highlight.Active=\"True\""
                  " LineSpacing=\"1.5\" x=\"a&#13;&#10;b\" ParagraphGap=\"4\" Rotation=\"270\" RTLReading=\"True\""
                  " Underlines=\"True\" VAlign=\"1\" WordWrap=\"False\""},
        TDiffCase{"own_font",
                  [](TfrxMemoView& m) {
                      m.Font()->SetName("宋体");
                      m.Font()->SetStyle({fsBold});
                  },
                  " Font.Name=\"宋体\" Font.Style=\"1\" ParentFont=\"False\" x=\"abc\""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ViewDiff, ShapeAddsItsKind) {
    TfrxShapeView base(nullptr), s(nullptr);
    s.Shape = skTriangle;
    s.Frame()->Width = 2;
    EXPECT_EQ(s.Diff(&base), " Frame.Width=\"2\" Shape=\"3\"");
}

}  // namespace

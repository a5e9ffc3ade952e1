// The designer's property editors on report objects: positions, sizes and paper in each
// unit, the dataset and data-field rows that rewrite a bound memo, the event row that
// finds or creates handlers, the owner-drawn samples, and what the inspector hides.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/editors/PropertyEditors.h"
#include "designer/editors/Registration.h"
#include "platform/graphics/Metafile.h"
#include "report/Resources.h"

namespace {

// The row of Name among Object's inspector rows, nullptr when hidden.
TfrxPropertyEditor* Row(TfrxPropertyList& List, const char* Name) {
    TfrxPropertyItem* item = List.Find(Name);
    return item ? item->Editor.get() : nullptr;
}

class PropertyEditorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { frxRegisterDesignerEditors(); }
    std::unique_ptr<TfrxPropertyList> Rows(TPersistent* Object) {
        return frxBuildPropertyList(Object, r.Designer.get());
    }
    TEditorReport r;
};

// Each row: the unit, the pixels stored, the text shown; then the text typed and the
// pixels stored.
TEST_F(PropertyEditorsTest, PositionsAndSizesInEachUnit) {
    struct Case {
        int unit;
        const char* prop;
        double pixels;
        const char* shown;
        const char* typed;
        double stored;
    };
    const Case cases[] = {
        {1, "Left", 96, "1", "2", 192},
        {1, "Left", 48, "0.50", "0,25", 24},
        {0, "Left", 50, "1.32", "2.54", 96},
        {0, "Width", 96, "2.54", "1", 96 / 2.54},
        {2, "Top", 33.5, "33.50", "40", 40},
        {3, "Left", 96, "10", "2", 19.2},
        {3, "Top", 34, "2", "3", 51},
        {3, "Height", 17, "1", "1.5", 25.5},
        {3, "Width", 48, "5", "0.5", 4.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prop) + " in unit " + std::to_string(c.unit));
        r.Designer->Units = c.unit;
        auto rows = Rows(r.Memo1);
        TfrxPropertyEditor* e = Row(*rows, c.prop);
        ASSERT_NE(e, nullptr);
        EXPECT_NE(dynamic_cast<TfrxLocSizeXProperty*>(e), nullptr);
        e->SetFloatValue(c.pixels);
        EXPECT_EQ(e->GetValue(), c.shown);
        e->SetValue(c.typed);
        EXPECT_NEAR(e->GetFloatValue(), c.stored, 1e-9);
    }
    r.Designer->Units = 0;
    auto rows = Rows(r.Memo1);
    EXPECT_THROW(Row(*rows, "Left")->SetValue("abc"), EfrxError);
}

TEST_F(PropertyEditorsTest, PaperInEachUnit) {
    struct Case {
        int unit;
        const char* prop;
        double mm;
        const char* shown;
        const char* typed;
        double stored;
    };
    const Case cases[] = {
        {0, "PaperWidth", 210, "21", "10", 100},
        {1, "PaperHeight", 254, "10", "1", 25.4},
        {2, "LeftMargin", 25.4, "96", "48", 12.7},
        {3, "LeftMargin", 25.4, "10", "1", 25.4 / 96 * 9.6},
        {3, "TopMargin", 25.4, "5.65", "2", 2 * 25.4 / 96 * 17},
        {0, "BottomMargin", 12.5, "1.25", "0,5", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prop) + " in unit " + std::to_string(c.unit));
        r.Designer->Units = c.unit;
        auto rows = Rows(r.Page);
        TfrxPropertyEditor* e = Row(*rows, c.prop);
        ASSERT_NE(e, nullptr);
        ASSERT_NE(dynamic_cast<TfrxPaperXProperty*>(e), nullptr);
        e->SetFloatValue(c.mm);
        EXPECT_EQ(e->GetValue(), c.shown);
        e->SetValue(c.typed);
        EXPECT_NEAR(e->GetFloatValue(), c.stored, 1e-9);
    }
}

TEST_F(PropertyEditorsTest, DataSetAndFieldRewriteABoundMemo) {
    auto rows = Rows(r.Memo2);
    TfrxPropertyEditor* ds = Row(*rows, "DataSet");
    TfrxPropertyEditor* field = Row(*rows, "DataField");
    ASSERT_NE(dynamic_cast<TfrxDataSetProperty*>(ds), nullptr);
    ASSERT_NE(dynamic_cast<TfrxDataFieldProperty*>(field), nullptr);
    EXPECT_EQ(ds->GetValue(), frxResources().Get("prNotAssigned"));
    ds->GetValues();
    EXPECT_EQ(ds->Values, (std::vector<std::string>{"Items", "Doctors"}));
    field->GetValues();
    EXPECT_TRUE(field->Values.empty());

    // No field yet: choosing a dataset leaves the text.
    ds->SetValue("items");
    EXPECT_EQ(r.Memo2->DataSet(), r.Items);
    EXPECT_EQ(r.Memo2->Text(), "Total\r\n");
    field->GetValues();
    EXPECT_EQ(field->Values, (std::vector<std::string>{"Name", "Price", "Qty"}));
    field->SetValue("Price");
    EXPECT_EQ(r.Memo2->Text(), "[Items.\"Price\"]\r\n");
    // A memo bound to a field takes the other dataset's expression.
    ds->SetValue("Doctors");
    EXPECT_EQ(r.Memo2->Text(), "[Doctors.\"Price\"]\r\n");
    EXPECT_EQ(ds->GetValue(), "Doctors");

    // An unknown name is refused and the reference stays.
    try {
        ds->SetValue("Nobody");
        ADD_FAILURE() << "no error";
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), frxResources().Get("prInvProp"));
    }
    EXPECT_EQ(r.Memo2->DataSet(), r.Doctors);
    ds->SetValue("");
    EXPECT_EQ(r.Memo2->DataSet(), nullptr);
    EXPECT_EQ(r.Memo2->Text(), "[Doctors.\"Price\"]\r\n");
}

// A report object with a typed event, as the script registration publishes events.
class TTestEventView : public TfrxMemoView {
    ROVE_CLASS(TTestEventView, TfrxMemoView)
public:
    explicit TTestEventView(TComponent* AOwner) : TfrxMemoView(AOwner) {}
    std::string Handler;
    static void DeclareProperties(TPropertyDecl<TTestEventView>& d) {
        static const TTypeInfo type = [] {
            TTypeInfo t;
            t.Kind = tkString;
            t.Name = "TfrxNotifyEvent";
            return t;
        }();
        d.Property("OnTestPrint", &type, &TTestEventView::Handler, &TTestEventView::Handler);
    }
};
ROVE_IMPLEMENT_CLASS(TTestEventView)

TEST_F(PropertyEditorsTest, EventRowFindsOrCreatesTheHandler) {
    auto* view = new TTestEventView(r.Report.get());
    view->SetName("Memo9");
    view->SetParent(r.Data);
    auto rows = Rows(view);
    TfrxPropertyEditor* e = Row(*rows, "OnTestPrint");
    ASSERT_NE(dynamic_cast<TfrxEventProperty*>(e), nullptr);
    EXPECT_EQ(e->GetAttributes(), paValueList | paMultiSelect);

    struct Case {
        const char* name;
        std::vector<std::string> code;
        std::string value;
        bool created;
        std::string after;
        int line, column;
        size_t codeLines;
    };
    const std::vector<Case> cases = {
        {"empty value: a new handler named after object and event",
         {"begin", "", "end."}, "", true, "Memo9OnTestPrint", 3, 3, 8},
        {"an existing handler is shown", {"procedure Old(Sender: TfrxComponent);", "begin", "", "end;", "", "begin", "", "end."},
         "Old", false, "Old", 3, 1, 8},
        {"a handler the script lost comes back under its name",
         {"begin", "", "end."}, "Lost", true, "Lost", 3, 3, 8},
        {"empty value, the handler's name already in the script",
         {"begin", "", "end.", "procedure Memo9OnTestPrint(Sender: TfrxComponent);"}, "", true, "Memo9OnTestPrint", 6, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Designer->Code = c.code;
        r.Designer->CodeShown.clear();
        view->Handler = c.value;
        EXPECT_EQ(e->Edit(), c.created);
        EXPECT_EQ(view->Handler, c.after);
        ASSERT_EQ(r.Designer->CodeShown.size(), 1u);
        EXPECT_EQ(r.Designer->CodeShown[0].Line, c.line);
        EXPECT_EQ(r.Designer->CodeShown[0].Column, c.column);
        EXPECT_EQ(r.Designer->Code.size(), c.codeLines);
        EXPECT_EQ(r.Designer->Page(), nullptr);   // the code page shows
    }
    // A script without a main block: the error comes and the event stays empty.
    r.Designer->Code = {"procedure X(Sender: TfrxComponent);"};
    view->Handler.clear();
    EXPECT_THROW(e->Edit(), EfrxError);
    EXPECT_EQ(view->Handler, "");

    r.Designer->Code = {"procedure A(Sender: TfrxComponent);", "procedure B(X: Integer);",
                        "procedure C(Sender: TfrxComponent);"};
    e->GetValues();
    EXPECT_EQ(e->Values, (std::vector<std::string>{"A", "C"}));
}

// The report's own objects publish their events under the event types: their rows are
// event rows.
TEST_F(PropertyEditorsTest, ReportObjectsHaveEventRows) {
    r.Designer->Code = {"begin", "", "end."};
    auto rows = Rows(r.Memo1);
    TfrxPropertyEditor* e = Row(*rows, "OnBeforePrint");
    ASSERT_NE(dynamic_cast<TfrxEventProperty*>(e), nullptr);
    EXPECT_TRUE(e->Edit());
    EXPECT_EQ(r.Memo1->OnBeforePrint, "Memo1OnBeforePrint");
    EXPECT_EQ(r.Designer->Code[0], "procedure Memo1OnBeforePrint(Sender: TfrxComponent);");
    ASSERT_EQ(r.Designer->CodeShown.size(), 1u);
    EXPECT_EQ(r.Designer->CodeShown[0].Line, 3);
    EXPECT_EQ(r.Designer->CodeShown[0].Column, 3);
    auto bandRows = Rows(r.Data);
    EXPECT_NE(dynamic_cast<TfrxEventProperty*>(Row(*bandRows, "OnAfterCalcHeight")), nullptr);
}

TEST_F(PropertyEditorsTest, BooleanCheckBoxSamples) {
    auto rows = Rows(r.Memo1);
    TfrxPropertyEditor* e = Row(*rows, "WordWrap");
    ASSERT_NE(dynamic_cast<TfrxBooleanProperty*>(e), nullptr);
    e->ItemHeight = 16;
    auto polylines = [](const TMetafile& mf) {
        std::vector<std::vector<TPoint>> out;
        for (const TMetafileRecord& rec : mf.Records())
            if (rec.Kind == mrPolyline) out.push_back(rec.Points);
        return out;
    };
    auto rectangles = [](const TMetafile& mf) {
        std::vector<TRect> out;
        for (const TMetafileRecord& rec : mf.Records())
            if (rec.Kind == mrRectangle) out.push_back(rec.Rect);
        return out;
    };
    {
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            e->DrawValue(canvas, TRect{100, 20, 200, 36});
        }
        EXPECT_EQ(rectangles(mf), (std::vector<TRect>{{100, 21, 111, 32}}));
        const auto ticks = polylines(mf);
        ASSERT_EQ(ticks.size(), 3u);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(ticks[k], (std::vector<TPoint>{{102, 25 + k}, {104, 27 + k}, {109, 22 + k}}));
    }
    r.Memo1->WordWrap = false;
    {
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            e->DrawValue(canvas, TRect{100, 20, 200, 36});
        }
        EXPECT_TRUE(polylines(mf).empty());
    }
    e->GetValues();
    for (int item = 0; item < 2; ++item) {
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            e->DrawListItem(canvas, item, TRect{0, 0, 80, 16});
        }
        EXPECT_EQ(rectangles(mf), (std::vector<TRect>{{2, 2, 13, 13}}));
        const auto ticks = polylines(mf);
        ASSERT_EQ(ticks.size(), item == 1 ? 3u : 0u);
        if (item == 1) {
            EXPECT_EQ(ticks[0], (std::vector<TPoint>{{5, 6}, {7, 8}, {12, 3}}));
        }
    }
}

TEST_F(PropertyEditorsTest, FrameStyleSamples) {
    auto rows = Rows(r.Memo1);
    TfrxPropertyList* frame = rows->Find("Frame")->SubProperty.get();
    ASSERT_NE(frame, nullptr);
    TfrxPropertyEditor* e = Row(*frame, "Style");
    ASSERT_NE(dynamic_cast<TfrxFrameStyleProperty*>(e), nullptr);
    EXPECT_EQ(e->GetExtraLBSize(), 36);
    e->GetValues();
    struct Case {
        int item;
        TPenStyle pen;
        std::vector<int> rows;
    };
    const Case cases[] = {{0, psSolid, {10, 11}}, {2, psDot, {10, 11}}, {5, psSolid, {9, 11}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        TMetafile mf;
        {
            TMetafileCanvas canvas(&mf);
            e->DrawListItem(canvas, c.item, TRect{0, 0, 120, 20});
        }
        std::vector<int> lineRows;
        bool box = false, text = false;
        for (const TMetafileRecord& rec : mf.Records()) {
            const TMetafileState& st = mf.States()[static_cast<size_t>(rec.State)];
            if (rec.Kind == mrLine) {
                lineRows.push_back(rec.Points[0].Y);
                EXPECT_EQ(rec.Points[0].X, 3);
                EXPECT_EQ(rec.Points[1].X, 35);
                EXPECT_EQ(st.Pen.Style(), c.pen);
                EXPECT_EQ(st.Pen.Color(), clBlack);
            } else if (rec.Kind == mrRectangle) {
                box = rec.Rect == TRect{2, 2, 36, 18} && st.Pen.Color() == static_cast<TColor>(0x808080);
            } else if (rec.Kind == mrText) {
                text = rec.Points[0] == TPoint{40, 1} && rec.Text == e->Values[static_cast<size_t>(c.item)];
            }
        }
        EXPECT_EQ(lineRows, c.rows);
        EXPECT_TRUE(box);
        EXPECT_TRUE(text);
    }
}

TEST_F(PropertyEditorsTest, InspectorRowsAndHiddenProperties) {
    auto memoRows = Rows(r.Memo1);
    EXPECT_EQ(Row(*memoRows, "DataSetName"), nullptr);
    EXPECT_EQ(Row(*memoRows, "GroupIndex"), nullptr);
    EXPECT_NE(dynamic_cast<TfrxMemoProperty*>(Row(*memoRows, "Memo")), nullptr);
    EXPECT_NE(dynamic_cast<TfrxDisplayFormatProperty*>(Row(*memoRows, "DisplayFormat")), nullptr);
    EXPECT_NE(dynamic_cast<TfrxBrushProperty*>(Row(*memoRows, "BrushStyle")), nullptr);
    TfrxPropertyItem* font = memoRows->Find("Font");
    ASSERT_NE(font, nullptr);
    ASSERT_NE(font->SubProperty, nullptr);
    EXPECT_EQ(Row(*font->SubProperty, "Height"), nullptr);
    EXPECT_NE(Row(*font->SubProperty, "Size"), nullptr);

    auto pageRows = Rows(r.Page);
    for (const char* hidden : {"Bin", "BinOtherPages", "PaperSize", "ColumnWidth", "HGuides"})
        EXPECT_EQ(Row(*pageRows, hidden), nullptr) << hidden;
    EXPECT_NE(Row(*pageRows, "Orientation"), nullptr);

    auto bandRows = Rows(r.Data);
    EXPECT_EQ(Row(*bandRows, "Vertical"), nullptr);
    EXPECT_EQ(Row(*bandRows, "DataSetName"), nullptr);
    EXPECT_NE(dynamic_cast<TfrxLocSizeXProperty*>(Row(*bandRows, "ColumnWidth")), nullptr);

    auto reportRows = Rows(r.Report.get());
    for (const char* hidden : {"IniFile", "Name", "ScriptLanguage", "ScriptText", "DotMatrixReport"})
        EXPECT_EQ(Row(*reportRows, hidden), nullptr) << hidden;

    // The DisplayFormat row shows the format string.
    r.Memo1->DisplayFormat()->FormatStr = "%2.2f";
    EXPECT_EQ(Row(*memoRows, "DisplayFormat")->GetValue(), "%2.2f");
}

}  // namespace

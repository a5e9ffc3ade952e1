// The editors on the clinic's receipt template: the highlight and frame dialogs of a
// receipt memo, a round trip with OK and Cancel on the template as the program stores
// it. With ROVE_SCREENSHOTS set to a folder, each open dialog is saved there as a PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "EditorFixtures.h"
#include "designer/editors/ExprEditor.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/HighlightEditor.h"
#include "designer/editors/PropertyEditors.h"
#include "designer/editors/Registration.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/trees/DataTree.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/FlatCombo.h"
#include "report/Frame.h"

namespace {

// The template the clinic installs.
const std::filesystem::path kTemplate = std::filesystem::path(ROVE_SOURCE_DIR) / "app/reports/rove.bl3";

void Screenshot(TControl* Form, const char* Name) {
    if (const char* dir = std::getenv("ROVE_SCREENSHOTS"))
        TUiTestHarness::SaveScreenshot(Form, (std::filesystem::path(dir) / Name).string());
}

class ReceiptEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The program's texts, as the clinic start-up adds them.
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
        owner = std::make_unique<TComponent>(nullptr);
        // The receipt's two datasets, as the print prompt holds them.
        for (const char* name : {"frxDBDataset2", "frxDBDataset3"}) {
            auto* ds = new TfrxDBDataset(owner.get());
            ds->SetName(name);
            ds->SetUserName(name);
            for (const char* f : {"票据号", "病人姓名", "收费日期", "项目名称", "金额"})
                ds->FieldAliases()->Add(std::string(f) + "=" + f);
        }
        report = new TfrxReport(owner.get());
        report->EngineOptions()->SilentMode = true;
        ini = (std::filesystem::temp_directory_path() / ("receipt_editors_" + std::to_string(::getpid()) + ".ini")).string();
        report->IniFile = ini;
        ASSERT_TRUE(report->LoadFromFile(kTemplate.string()));
        memo = dynamic_cast<TfrxMemoView*>(report->FindObject("Memo6"));
        ASSERT_NE(memo, nullptr);
        designer = std::make_unique<TTestDesigner>(report);
        designer->SetPage(report->Pages(0));
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        designer.reset();
        owner.reset();
        std::error_code ec;
        std::filesystem::remove(ini, ec);
    }
    std::string Xml() const {
        TStringStream s;
        report->SaveToStream(s);
        return s.DataString();
    }
    TUiTestHarness ui;
    std::unique_ptr<TComponent> owner;
    TfrxReport* report = nullptr;
    TfrxMemoView* memo = nullptr;
    std::unique_ptr<TTestDesigner> designer;
    std::string ini;
};

TEST_F(ReceiptEditorsTest, HighlightOnAReceiptMemo) {
    const std::string before = Xml();
    designer->Expressions = {"<frxDBDataset2.\"金额\"> > 100"};
    ui.OnModal("TfrxHighlightEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxHighlightEditorForm&>(f);
        d.ConditionEButtonClick(d.ConditionE);
        d.BoldCB->SetChecked(true);
        Screenshot(&d, "highlight.png");
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowHighlightEditor(memo, designer.get()));
    EXPECT_EQ(Xml(), before);

    designer->Expressions = {"<frxDBDataset2.\"金额\"> > 100"};
    ui.OnModal("TfrxHighlightEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxHighlightEditorForm&>(f);
        d.ConditionEButtonClick(d.ConditionE);
        d.BoldCB->SetChecked(true);
        TUiTestHarness::Click(d.OKB);
    });
    EXPECT_TRUE(frxShowHighlightEditor(memo, designer.get()));
    EXPECT_EQ(memo->Highlight()->Condition, "<frxDBDataset2.\"金额\"> > 100");
    EXPECT_EQ(memo->Highlight()->Font()->Name(), "宋体");
    EXPECT_TRUE(memo->Highlight()->Font()->Style().Contains(fsBold));
}

TEST_F(ReceiptEditorsTest, FrameOfAReceiptMemo) {
    EXPECT_EQ(memo->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
    auto rows = frxBuildPropertyList(memo, designer.get());
    TfrxPropertyEditor* row = rows->Find("Frame")->Editor.get();
    const std::string before = Xml();
    ui.OnModal("TfrxFrameEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxFrameEditorForm&>(f);
        TUiTestHarness::Click(d.FrameTopB);
        TUiTestHarness::Click(d.ShadowB);
        Screenshot(&d, "frame.png");
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(row->Edit());
    EXPECT_EQ(Xml(), before);
    ui.OnModal("TfrxFrameEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxFrameEditorForm&>(f);
        TUiTestHarness::Click(d.FrameTopB);
        d.FrameWidthCB->SetText("1,5");
        d.FrameBClick(d.FrameWidthCB);
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(row->Edit());
    EXPECT_EQ(memo->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftBottom}));
    EXPECT_DOUBLE_EQ(memo->Frame()->Width, 1.5);
}

TEST_F(ReceiptEditorsTest, ExpressionOverTheReceiptsData) {
    std::string expr;
    ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxExprEditorForm&>(f);
        TfrxDataTreeForm* t = d.DataTree();
        // The receipt's datasets with their fields.
        TTreeNode* field = nullptr;
        for (int i = 0; i < t->DataTree->Items()->Count() && !field; ++i)
            if (t->DataTree->Items()->Item(i)->Text() == "金额") field = t->DataTree->Items()->Item(i);
        ASSERT_NE(field, nullptr);
        field->SetSelected(true);
        t->OnDblClick(t);
        d.ExprMemo->SetSelText(" * 2");
        Screenshot(&d, "expression.png");
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowExprEditor(designer.get(), expr));
    EXPECT_EQ(expr, "<frxDBDataset2.\"金额\"> * 2");
}

}  // namespace

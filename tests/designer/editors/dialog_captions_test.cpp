// The Chinese captions of the page options, data band, group and lines windows: each
// window, opened the way the designer opens it, shows the designer's own texts on its
// controls (the page options window is not captioned like the preview's page settings).
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/editors/DataBandEditor.h"
#include "designer/editors/GroupEditor.h"
#include "designer/editors/PageEditor.h"
#include "designer/editors/Registration.h"
#include "designer/editors/StringsEditor.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/classes/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

namespace {

struct TCaption {
    const char* Component;   // empty: the window's own caption
    const char* Text;
};

// The caption of the named component of Form.
std::string CaptionOf(TCustomForm& Form, const char* Name) {
    if (!*Name) return Form.Caption();
    TComponent* c = Form.FindComponent(Name);
    if (auto* control = dynamic_cast<TControl*>(c)) return control->GetText();
    return "(no " + std::string(Name) + ")";
}

TEST(DesignerDialogCaptions, TheWindowsShowTheDesignersTexts) {
    frxRegisterDesignerTexts();
    frxRegisterDesignerEditors();
    struct TWindow {
        const char* Class;
        std::function<void(TEditorReport&)> Open;
        std::vector<TCaption> Captions;
    };
    const TWindow windows[] = {
        {"TfrxPageEditorForm",
         [](TEditorReport& r) { frxShowPageEditor(r.Page, r.Designer.get()); },
         {{"", "页面选项"},
          {"PaperTS", "纸张"},
          {"OtherTS", "其他选项"},
          {"PaperGB", "尺寸"},
          {"WidthL", "宽度"},
          {"HeightL", "高度"},
          {"OrientationGB", "方向"},
          {"PortraitRB", "垂直"},
          {"LandscapeRB", "水平"},
          {"MarginsGB", "页边"},
          {"MarginLeftL", "左"},
          {"MarginTopL", "上"},
          {"MarginRightL", "右"},
          {"MarginBottomL", "下"},
          {"SourceGB", "纸张源"},
          {"Tray1L", "首页"},
          {"Tray2L", "其他页"},
          {"ColumnsGB", "分栏"},
          {"ColumnsNumberL", "栏数"},
          {"ColumnWidthL", "宽度"},
          {"ColumnPositionsL", "位置"},
          {"PrintOnPrevCB", "打印到上一页"},
          {"MirrorMarginsCB", "镜像页边"},
          {"LargeHeightCB", "设计模式用加长长度"},
          {"DuplexL", "双向"}}},
        {"TfrxDataBandEditorForm",
         [](TEditorReport& r) { frxShowDataBandEditor(r.Data, r.Designer.get()); },
         {{"", "选择数据集"}, {"OkB", "确定"}, {"CancelB", "取消"}}},
        {"TfrxGroupEditorForm",
         [](TEditorReport& r) { frxShowGroupEditor(r.Group, r.Designer.get()); },
         {{"", "组"},
          {"BreakOnL", "使用划分"},
          {"DataFieldRB", "数据字段"},
          {"ExpressionRB", "公式"},
          {"OptionsL", "选项"},
          {"KeepGroupTogetherCB", "保持共同分组"},
          {"StartNewPageCB", "开始新页面"},
          {"OutlineCB", "显示边线"}}},
        {"TfrxStringsEditorForm",
         [](TEditorReport&) {
             TStringList lines;
             frxShowStringsEditor(&lines);
         },
         {{"", "线"}}},
    };
    for (const TWindow& w : windows) {
        SCOPED_TRACE(w.Class);
        TUiTestHarness ui;
        TEditorReport r;
        std::vector<std::string> seen;
        ui.OnModal(w.Class, [&](TCustomForm& f) {
            for (const TCaption& c : w.Captions) seen.push_back(CaptionOf(f, c.Component));
            f.SetModalResult(mrCancel);
        });
        w.Open(r);
        ASSERT_EQ(seen.size(), w.Captions.size());
        for (size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], w.Captions[i].Text) << w.Captions[i].Component;
        EXPECT_TRUE(ui.Errors().empty());
    }
}

}  // namespace

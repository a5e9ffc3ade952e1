// The designer's entries in the report engine's registries.
#include "designer/editors/Registration.h"

#include "designer/editors/ComponentEditors.h"
#include "designer/editors/PropertyEditors.h"
#include "platform/graphics/Graphics.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Frame.h"
#include "report/Images.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Options.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/Report.h"

namespace {

void RegisterObjects() {
    TfrxObjectCollection& o = frxObjects();
    o.RegisterObject(TfrxMemoView::StaticClass(), nullptr, "", "", 0, frxObject::Memo);
    o.RegisterObject(TfrxPictureView::StaticClass(), nullptr, "", "", 0, frxObject::Picture);
    o.RegisterObject(TfrxSubreport::StaticClass(), nullptr, "", "", 0, frxObject::Subreport);
    o.RegisterObject(TfrxLineView::StaticClass(), nullptr, "", "", 0, frxObject::Line);
    o.RegisterObject(TfrxSysMemoView::StaticClass(), nullptr, "", "", 0, frxObject::SysMemo);
    o.RegisterCategory("Draw", nullptr, "obCatDraw", frxObject::CatDraw);
    o.RegisterCategory("Other", nullptr, "obCatOther", frxObject::CatOther);
    o.RegisterObject(TfrxLineView::StaticClass(), nullptr, "obDiagLine", "Draw", 1, frxObject::DiagLine);
    TClass shape = TfrxShapeView::StaticClass();
    o.RegisterObject(shape, nullptr, "obRect", "Draw", skRectangle, frxObject::Rect);
    o.RegisterObject(shape, nullptr, "obRoundRect", "Draw", skRoundRectangle, frxObject::RoundRect);
    o.RegisterObject(shape, nullptr, "obEllipse", "Draw", skEllipse, frxObject::Ellipse);
    o.RegisterObject(shape, nullptr, "obTrian", "Draw", skTriangle, frxObject::Triangle);
    o.RegisterObject(shape, nullptr, "obDiamond", "Draw", skDiamond, frxObject::Diamond);
}

void RegisterComponentEditors() {
    TfrxComponentEditorCollection& c = frxComponentEditors();
    c.Register(TfrxReportPage::StaticClass(), ComponentEditorClass<TfrxPageEditor>);
    c.Register(TfrxView::StaticClass(), ComponentEditorClass<TfrxViewEditor>);
    c.Register(TfrxMemoView::StaticClass(), ComponentEditorClass<TfrxMemoEditor>);
    c.Register(TfrxSysMemoView::StaticClass(), ComponentEditorClass<TfrxSysMemoEditor>);
    c.Register(TfrxDMPMemoView::StaticClass(), ComponentEditorClass<TfrxMemoEditor>);
    c.Register(TfrxLineView::StaticClass(), ComponentEditorClass<TfrxLineEditor>);
    c.Register(TfrxDMPLineView::StaticClass(), ComponentEditorClass<TfrxLineEditor>);
    c.Register(TfrxPictureView::StaticClass(), ComponentEditorClass<TfrxPictureEditor>);
    c.Register(TfrxBand::StaticClass(), ComponentEditorClass<TfrxBandEditor>);
    c.Register(TfrxDataBand::StaticClass(), ComponentEditorClass<TfrxDataBandEditor>);
    c.Register(TfrxHeader::StaticClass(), ComponentEditorClass<TfrxHeaderEditor>);
    c.Register(TfrxPageHeader::StaticClass(), ComponentEditorClass<TfrxPageHeaderEditor>);
    c.Register(TfrxPageFooter::StaticClass(), ComponentEditorClass<TfrxPageFooterEditor>);
    c.Register(TfrxGroupHeader::StaticClass(), ComponentEditorClass<TfrxGroupHeaderEditor>);
    c.Register(TfrxDialogControl::StaticClass(), ComponentEditorClass<TfrxDialogControlEditor>);
    c.Register(TfrxSubreport::StaticClass(), ComponentEditorClass<TfrxSubreportEditor>);
}

void RegisterPropertyEditors() {
    TfrxPropertyEditorCollection& p = frxPropertyEditors();
    const TTypeInfo* extended = ExtendedTypeInfo();
    TClass component = TfrxComponent::StaticClass();
    TClass page = TfrxReportPage::StaticClass();
    p.Register(extended, component, "Left", PropertyEditorClass<TfrxLocSizeXProperty>);
    p.Register(extended, component, "Top", PropertyEditorClass<TfrxLocSizeYProperty>);
    p.Register(extended, component, "Width", PropertyEditorClass<TfrxLocSizeXProperty>);
    p.Register(extended, component, "Height", PropertyEditorClass<TfrxLocSizeYProperty>);
    p.Register(extended, page, "PaperWidth", PropertyEditorClass<TfrxPaperXProperty>);
    p.Register(extended, page, "PaperHeight", PropertyEditorClass<TfrxPaperYProperty>);
    p.Register(extended, page, "LeftMargin", PropertyEditorClass<TfrxPaperXProperty>);
    p.Register(extended, page, "RightMargin", PropertyEditorClass<TfrxPaperXProperty>);
    p.Register(extended, page, "TopMargin", PropertyEditorClass<TfrxPaperYProperty>);
    p.Register(extended, page, "BottomMargin", PropertyEditorClass<TfrxPaperYProperty>);
    p.RegisterEventEditor(PropertyEditorClass<TfrxEventProperty>);
    p.Register(BooleanTypeInfo(), nullptr, "", PropertyEditorClass<TfrxBooleanProperty>);
    p.Register(TypeInfoFor<TfrxFrame*>(), nullptr, "", PropertyEditorClass<TfrxFrameProperty>);
    p.Register(TypeInfoFor<TPicture*>(), nullptr, "", PropertyEditorClass<TfrxPictureProperty>);
    p.Register(TypeInfoFor<TBitmap*>(), nullptr, "", PropertyEditorClass<TfrxBitmapProperty>);
    p.Register(TypeInfoFor<TfrxDataSet*>(), nullptr, "", PropertyEditorClass<TfrxDataSetProperty>);
    p.Register(StringTypeInfo(), TfrxView::StaticClass(), "DataField", PropertyEditorClass<TfrxDataFieldProperty>);
    p.Register(StringListTypeInfo(), nullptr, "", PropertyEditorClass<TfrxStringsProperty>);
    p.Register(StringListTypeInfo(), TfrxMemoView::StaticClass(), "Memo", PropertyEditorClass<TfrxMemoProperty>);
    p.Register(TypeInfoFor<TBrushStyle>(), nullptr, "", PropertyEditorClass<TfrxBrushProperty>);
    p.Register(TypeInfoFor<TfrxFrameStyle>(), nullptr, "", PropertyEditorClass<TfrxFrameStyleProperty>);
    // The display format is an object here (kind, format string, separator), not a text.
    p.Register(TypeInfoFor<TfrxFormat*>(), TfrxMemoView::StaticClass(), "DisplayFormat",
               PropertyEditorClass<TfrxDisplayFormatProperty>);
    p.Register(extended, TfrxDataBand::StaticClass(), "ColumnWidth", PropertyEditorClass<TfrxLocSizeXProperty>);
    p.Register(extended, TfrxDataBand::StaticClass(), "ColumnGap", PropertyEditorClass<TfrxLocSizeXProperty>);
    // Font sizes and frame line widths the designer accepts.
    p.Register(IntegerTypeInfo(), TFont::StaticClass(), "Size", PropertyEditorClass<TfrxFontSizeProperty>);
    p.Register(extended, TfrxFrame::StaticClass(), "Width", PropertyEditorClass<TfrxFrameWidthProperty>);
}

void RegisterHiddenProperties() {
    TfrxPropertyEditorCollection& p = frxPropertyEditors();
    p.HidePropertiesFor(TfrxReport::StaticClass(),
                        "IniFile;Name;Preview;ScriptLanguage;ScriptText;Tag;Variables;DataSetName;DotMatrixReport");
    p.HidePropertiesFor(TfrxEngineOptions::StaticClass(), "MaxMemSize;PrintIfEmpty;SilentMode;TempDir;UseFileCache");
    p.HidePropertiesFor(TfrxPreviewOptions::StaticClass(),
                        "AllowEdit;Buttons;DoubleBuffered;Maximized;MDIChild;Modal;ShowCaptions;Zoom;ZoomMode");
    p.HidePropertiesFor(TfrxReportOptions::StaticClass(), "CreateDate;LastChange;Compressed");
    p.HidePropertiesFor(TfrxReportPage::StaticClass(),
                        "Bin;BinOtherPages;ColumnWidth;ColumnPositions;PaperSize;DataSetName;HGuides;VGuides");
    p.HidePropertiesFor(TfrxDMPPage::StaticClass(), "BackPicture;Color;Font;Frame");
    p.HidePropertiesFor(TfrxReportComponent::StaticClass(), "GroupIndex");
    p.HidePropertiesFor(TfrxView::StaticClass(), "DataSetName");
    p.HidePropertiesFor(TfrxBand::StaticClass(), "Vertical");
    p.HidePropertiesFor(TfrxDataBand::StaticClass(), "DataSetName");
    p.HidePropertiesFor(TFont::StaticClass(), "Height;Pitch");
}

}  // namespace

void frxRegisterDesignerEditors() {
    static bool done = false;
    if (done) return;
    done = true;
    // The classes the editors are registered for, entered in the class registry first.
    frxRegisterBandAndPageClasses();
    frxRegisterDotMatrixClasses();
    frxRegisterDialogControls();
    RegisterObjects();
    RegisterComponentEditors();
    RegisterPropertyEditors();
    RegisterHiddenProperties();
    frxRegisterEditorDialogs();
}

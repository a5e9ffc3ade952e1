#include "TestObjects.h"

ROVE_IMPLEMENT_CLASS(TfrxTestPage)
ROVE_IMPLEMENT_CLASS(TfrxTestBand)
ROVE_IMPLEMENT_CLASS(TfrxTestMemoView)

void TfrxTestPage::DeclareProperties(TPropertyDecl<TfrxTestPage>& d) {
    d.Property("PaperWidth", &TfrxTestPage::PaperWidth, &TfrxTestPage::PaperWidth);
}

void TfrxTestBand::DeclareProperties(TPropertyDecl<TfrxTestBand>& d) {
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds);
}

void TfrxTestMemoView::DeclareProperties(TPropertyDecl<TfrxTestMemoView>& d) {
    using T = TfrxTestMemoView;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    d.Property("Align", &T::Align, &T::Align).Default(baNone);
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::Color).Default(clNone);
    d.Property("FlowTo", &T::FlowTo, &T::FlowTo);
    d.Property("Frame", &T::Frame, &T::SetFrame);
    d.Property("Memo", &T::Memo);
    d.Property("Style", &T::Style, &T::SetStyle);
    d.Property("WordWrap", &T::WordWrap, &T::WordWrap).Default(true);
}

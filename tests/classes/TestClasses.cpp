#include "tests/classes/TestClasses.h"

#include <algorithm>

const TTypeInfo* TestColorTypeInfo() {
    static const TIdentMap idents = {{0, "clBlack"}, {255, "clRed"}};
    static const TTypeInfo info = TTypeInfo::Integer("TColor", &idents);
    return &info;
}

ROVE_IMPLEMENT_CLASS(TTestFont)

void TTestFont::Assign(TPersistent* Source) {
    if (auto* f = dynamic_cast<TTestFont*>(Source)) {
        Name = f->Name;
        Size = f->Size;
        Style = f->Style;
        Color = f->Color;
        return;
    }
    TPersistent::Assign(Source);
}

void TTestFont::DeclareProperties(TPropertyDecl<TTestFont>& d) {
    d.Property("Name", &TTestFont::GetName, &TTestFont::SetName);
    d.Property("Size", &TTestFont::Size, &TTestFont::Size).Default(10);
    d.Property("Style", &TTestFont::Style, &TTestFont::Style).Default(TTestStyles{});
    d.Property("Color", TestColorTypeInfo(), &TTestFont::Color, &TTestFont::Color).Default(0);
}

ROVE_IMPLEMENT_CLASS(TTestItem)

void TTestItem::DeclareProperties(TPropertyDecl<TTestItem>& d) {
    d.Property("Caption", &TTestItem::Caption, &TTestItem::Caption);
    d.Property("Width", &TTestItem::Width, &TTestItem::Width).Default(64);
    d.Property("Value", &TTestItem::Value, &TTestItem::Value);
    d.Property("Target", &TTestItem::Target, &TTestItem::Target);
}

ROVE_IMPLEMENT_CLASS(TTestWidget)

TTestWidget::TTestWidget(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TTestFont>()), FLines(std::make_unique<TStringList>()),
      FItems(std::make_unique<TCollection>(TTestItem::StaticClass(), this)) {}

TTestWidget::~TTestWidget() = default;

void TTestWidget::SetLink(TTestWidget* v) {
    if (FLink == v) return;
    if (FLink) FLink->RemoveFreeNotification(this);
    FLink = v;
    if (FLink) FLink->FreeNotification(this);
}

void TTestWidget::Loaded() {
    TComponent::Loaded();
    LoadedCalled = true;
    LinkSetWhenLoaded = FLink != nullptr;
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLink) FLink = nullptr;
}

void TTestWidget::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Blob", [this](const std::string& data) { Blob = data; },
        [this](std::string& data) { data = Blob; }, !Blob.empty());
    Filer.DefineProperty(
        "Extra",
        [this](TReader& r) {
            Extra.clear();
            r.ReadListBegin();
            while (!r.EndOfList()) Extra.push_back(r.ReadInteger());
            r.ReadListEnd();
        },
        [this](TWriter& w) {
            w.WriteListBegin();
            for (int v : Extra) w.WriteInteger(v);
            w.WriteListEnd();
        },
        !Extra.empty());
}

void TTestWidget::DeclareProperties(TPropertyDecl<TTestWidget>& d) {
    using T = TTestWidget;
    d.Property("Caption", &T::GetCaption, &T::SetCaption);
    d.Property("Width", &T::Width, &T::Width).Default(75);
    d.Property("Visible", &T::Visible, &T::Visible).Default(true);
    d.Property("Align", &T::Align, &T::Align).Default(taNone);
    d.Property("Ratio", &T::Ratio, &T::Ratio);
    d.Property("Scale", &T::Scale, &T::Scale).Default(1.0);
    d.Property("Big", &T::Big, &T::Big).Default(0);
    d.Property("Letter", &T::Letter, &T::Letter).Default(U'A');
    d.Property("Stamp", DateTimeTypeInfo(), &T::Stamp, &T::Stamp).Default(0.0);
    d.Property("Color", TestColorTypeInfo(), &T::Color, &T::Color).Default(0);
    d.Property("Value", &T::Value, &T::Value);
    d.Property("Font", &T::Font, &T::SetFont).Stored(&T::IsFontStored);
    d.Property("Lines", &T::Lines);
    d.Property("Items", &T::Items);
    d.Property("Link", &T::Link, &T::SetLink);
    d.Event("OnClick", &T::OnClick);
    d.Event("OnKey", &T::OnKey);
}

ROVE_IMPLEMENT_CLASS(TTestWideWidget)

void TTestWideWidget::DeclareProperties(TPropertyDecl<TTestWideWidget>& d) {
    d.Property("Width", &TTestWideWidget::Width, &TTestWideWidget::Width).Default(200);
    d.Property("Depth", &TTestWideWidget::Depth, &TTestWideWidget::Depth).Default(0);
}

ROVE_IMPLEMENT_CLASS(TTestNode)

TTestNode::~TTestNode() {
    while (!FChildren.empty()) FChildren.front()->SetParent(nullptr);
    SetParent(nullptr);
}

void TTestNode::SetParent(TTestNode* p) {
    if (p == FParent) return;
    if (FParent) std::erase(FParent->FChildren, this);
    FParent = p;
    if (FParent) FParent->FChildren.push_back(this);
}

void TTestNode::GetChildren(const TGetChildProc& Proc, TComponent*) {
    for (TTestNode* c : FChildren) Proc(c);
}

void TTestNode::DeclareProperties(TPropertyDecl<TTestNode>& d) {
    d.Property("Size", &TTestNode::Size, &TTestNode::Size).Default(0);
}

ROVE_IMPLEMENT_CLASS(TTestForm)

void TTestForm::Button1Click(TObject* Sender) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    Calls.push_back("Button1Click:" + (c ? c->Name() : std::string("?")));
}

void TTestForm::WidgetKey(TObject*, char32_t& Key) {
    Calls.push_back("WidgetKey");
    Key = U'Z';
}

void TTestForm::FormCreate(TObject*) { Calls.push_back("FormCreate"); }

void TTestForm::DeclareProperties(TPropertyDecl<TTestForm>& d) {
    d.Method("Button1Click", &TTestForm::Button1Click);
    d.Method("WidgetKey", &TTestForm::WidgetKey);
    d.Method("FormCreate", &TTestForm::FormCreate);
}

ROVE_IMPLEMENT_CLASS(TTestChildForm)
ROVE_IMPLEMENT_CLASS(TTestForm2)
ROVE_IMPLEMENT_CLASS(TTestAbstract)

// Small component classes that exercise every kind of published property, custom data,
// collections, nested children and handler methods.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Classes.h"

ROVE_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)
ROVE_ENUM(TTestStyle, tsBold, tsItalic, tsUnderline)
ROVE_SET(TTestStyles, TTestStyle)

using TKeyEvent = TEvent<void(TObject* Sender, char32_t& Key)>;
ROVE_EVENT_TYPE(TKeyEvent)

const TTypeInfo* TestColorTypeInfo();   // an Integer with identifiers clBlack, clRed

// A persistent sub-object (owned by its component), as fonts are.
class TTestFont : public TPersistent {
    ROVE_CLASS(TTestFont, TPersistent)
public:
    std::string Name = "Arial";
    int Size = 10;
    TTestStyles Style;
    int Color = 0;
    int Changes = 0;
    const std::string& GetName() const { return Name; }
    void SetName(const std::string& v) { Name = v; ++Changes; }
    void Assign(TPersistent* Source) override;
    static void DeclareProperties(TPropertyDecl<TTestFont>& d);
};

class TTestItem : public TCollectionItem {
    ROVE_CLASS(TTestItem, TCollectionItem)
public:
    explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection) {}
    std::string Caption;
    int Width = 64;
    Variant Value;
    TComponent* Target = nullptr;   // a reference, set through the item's owner
    static void DeclareProperties(TPropertyDecl<TTestItem>& d);
};

// A component with one property of every kind.
class TTestWidget : public TComponent {
    ROVE_CLASS(TTestWidget, TComponent)
public:
    explicit TTestWidget(TComponent* AOwner);
    ~TTestWidget() override;

    std::string Caption;
    int Width = 75;
    bool Visible = true;
    TTestAlign Align = taNone;
    double Ratio = 0;
    double Scale = 1.0;
    int64_t Big = 0;
    char32_t Letter = U'A';
    TDateTime Stamp = 0;
    int Color = 0;
    Variant Value;
    std::string Blob;                 // custom binary data ("Blob")
    std::vector<int> Extra;           // custom list data ("Extra")
    bool LoadedCalled = false;
    bool LinkSetWhenLoaded = false;
    bool WasLoadingWhenSet = false;

    TTestFont* Font() const { return FFont.get(); }
    void SetFont(TTestFont* v) { FFont->Assign(v); }
    TStringList* Lines() const { return FLines.get(); }
    TCollection* Items() const { return FItems.get(); }
    TTestWidget* Link() const { return FLink; }
    void SetLink(TTestWidget* v);
    const std::string& GetCaption() const { return Caption; }
    void SetCaption(const std::string& v) {
        Caption = v;
        WasLoadingWhenSet = ComponentState().Contains(csLoading);
    }
    bool IsFontStored() const { return Font()->Name != "Arial" || Font()->Size != 10 || !Font()->Style.Empty() || Font()->Color != 0; }

    TNotifyEvent OnClick;
    TKeyEvent OnKey;

    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler& Filer) override;
    static void DeclareProperties(TPropertyDecl<TTestWidget>& d);

private:
    std::unique_ptr<TTestFont> FFont;
    std::unique_ptr<TStringList> FLines;
    std::unique_ptr<TCollection> FItems;
    TTestWidget* FLink = nullptr;
};

// A descendant that declares Width again with another default.
class TTestWideWidget : public TTestWidget {
    ROVE_CLASS(TTestWideWidget, TTestWidget)
public:
    explicit TTestWideWidget(TComponent* AOwner) : TTestWidget(AOwner) { Width = 200; }
    int Depth = 0;
    static void DeclareProperties(TPropertyDecl<TTestWideWidget>& d);
};

// Nested children streamed inside their parent (as report pages, bands and views are).
class TTestNode : public TComponent {
    ROVE_CLASS(TTestNode, TComponent)
public:
    explicit TTestNode(TComponent* AOwner) : TComponent(AOwner) {}
    ~TTestNode() override;
    TTestNode* Parent() const { return FParent; }
    void SetParent(TTestNode* p);
    const std::vector<TTestNode*>& Children() const { return FChildren; }
    int Size = 0;

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return FParent != nullptr; }
    void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TTestNode*>(Value)); }
    static void DeclareProperties(TPropertyDecl<TTestNode>& d);

private:
    TTestNode* FParent = nullptr;
    std::vector<TTestNode*> FChildren;
};

// A form-like root with handler methods.
class TTestForm : public TDataModule {
    ROVE_CLASS(TTestForm, TDataModule)
public:
    explicit TTestForm(TComponent* AOwner) : TDataModule(AOwner) {}
    std::vector<std::string> Calls;
    void Button1Click(TObject* Sender);
    void WidgetKey(TObject* Sender, char32_t& Key);
    void FormCreate(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TTestForm>& d);
};

// A form derived from another, with a resource of its own ("inherited" blocks).
class TTestChildForm : public TTestForm {
    ROVE_CLASS(TTestChildForm, TTestForm)
public:
    explicit TTestChildForm(TComponent* AOwner) : TTestForm(AOwner) {}
};

// A second root class for references across forms.
class TTestForm2 : public TDataModule {
    ROVE_CLASS(TTestForm2, TDataModule)
public:
    explicit TTestForm2(TComponent* AOwner) : TDataModule(AOwner) {}
};

// A class without a factory, and one that is no component.
class TTestAbstract : public TComponent {
    ROVE_CLASS(TTestAbstract, TComponent)
public:
    explicit TTestAbstract(TComponent* AOwner) : TComponent(AOwner) {}
    virtual void Run() = 0;
};

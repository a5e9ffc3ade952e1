// The report component tree: every object of a report template (the report, pages,
// bands, views, dialog controls, datasets) is a TfrxComponent. It has two trees:
// ownership (an object created on a report object is owned by that object's report, which
// frees it) and the parent tree (Objects: the drawing and saving order). Geometry is in
// screen pixels at 96 dpi relative to the parent; fonts are inherited down the parent tree
// while ParentFont is set.
//
// Descendants publish the common properties they show with DeclareCommon, in the fixed
// order Left, Top, Width, Height, Font, GroupIndex, ParentFont, Restrictions, Visible
// (after Name and Tag). The same property table drives report XML and form resources.
//
// C++ runs no override while a base constructor runs: the constructor's calls of
// SetParentFont and SetParent are the base's; a descendant that overrides them and needs
// them at creation calls them again in its own constructor.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/graphics/Graphics.h"
#include "report/DiffText.h"
#include "report/XMLDocument.h"

class TfrxReport;
class TfrxPage;
class TCanvas;

ROVE_ENUM(TfrxRestriction, rfDontModify, rfDontSize, rfDontMove, rfDontDelete)
ROVE_SET(TfrxRestrictions, TfrxRestriction)

// Raised with the string table's texts ("prDupl", "prInvProp").
ROVE_DECLARE_EXCEPTION(EfrxError, Exception);

// Counts, across the process, every change of a parent link and every component with
// children that goes away: while it stays the same, every component has the same report.
uint64_t frxComponentTreeStamp();

class TfrxComponent : public TComponent {
    ROVE_CLASS(TfrxComponent, TComponent)
public:
    explicit TfrxComponent(TComponent* AOwner);
    // Design-time creation: sets IsDesigning first; Flags are the object registry's word.
    TfrxComponent(TComponent* AOwner, uint16_t Flags);
    ~TfrxComponent() override;

    // --- The parent tree ---------------------------------------------------------------
    TfrxComponent* Parent() const { return FParent; }
    virtual void SetParent(TfrxComponent* AParent);
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TfrxComponent* Objects(int Index) const;
    const std::vector<TfrxComponent*>& ObjectList() const { return FObjects; }
    // Moves a child to another place in the order (drawing and saving order).
    void MoveObject(int CurIndex, int NewIndex);
    // Every descendant, depth first, each before its children: a snapshot, so that the
    // tree may change while the caller walks it.
    std::vector<TfrxComponent*> AllObjects() const;
    // The first object of AllObjects named AName (case ignored), or nullptr.
    TfrxComponent* FindObject(std::string_view AName) const;
    // Frees every child.
    virtual void Clear();
    // The object itself when it is a page or report, else the nearest such ancestor.
    TfrxPage* Page() const;
    TfrxReport* Report() const;

    // --- Geometry ----------------------------------------------------------------------
    double Left() const { return FLeft; }
    double Top() const { return FTop; }
    double Width() const { return FWidth; }
    double Height() const { return FHeight; }
    virtual void SetLeft(double Value);
    virtual void SetTop(double Value);
    virtual void SetWidth(double Value);
    virtual void SetHeight(double Value);
    void SetBounds(double ALeft, double ATop, double AWidth, double AHeight);
    // Left plus the parents' AbsLeft; the chain stops at a dialog page.
    double AbsLeft() const;
    double AbsTop() const;
    // Places the children by their alignment (bands and pages after a size change).
    virtual void AlignChildren();

    // --- Font ----------------------------------------------------------------------------
    TFont* Font() const { return FFont.get(); }
    // Copies Value; ParentFont becomes False.
    virtual void SetFont(TFont* Value);
    bool ParentFont() const { return FParentFont; }
    virtual void SetParentFont(bool Value);
    bool IsFontStored() const { return !FParentFont; }

    // --- Other state -------------------------------------------------------------------
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool IsDesigning() const { return FIsDesigning; }
    // The designer marks every object it draws (design-time drawing, restrictions kept).
    void SetIsDesigning(bool Value) { FIsDesigning = Value; }
    TfrxRestrictions Restrictions() const { return FRestrictions; }
    void SetRestrictions(TfrxRestrictions Value) { FRestrictions = Value; }
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    // The class name less the first "Tfrx", then less the first "View": the stem of
    // generated names ("Memo" for TfrxMemoView). Report pages answer "Page".
    virtual std::string BaseName() const;

    // --- Names -------------------------------------------------------------------------
    // Inside a report a name another object already has raises EfrxError with the text
    // of "prDupl" and the name stays; names must be identifiers.
    void SetName(const std::string& NewName) override;
    // BaseName followed by the smallest N from 1 that no object of the report uses.
    void CreateUniqueName();

    // --- Copies and storage ------------------------------------------------------------
    // The published properties of Source (no children; this object's children go).
    void Assign(TPersistent* Source) override;
    // The same with Source's subtree.
    void AssignAll(TfrxComponent* Source);
    // Reads this object and its subtree from report XML; the name is kept. Errors of
    // the read go to the report's error list.
    virtual void LoadFromStream(TStream& Stream);
    // Writes this object (and its subtree) as report XML; the root element has an
    // empty Name.
    virtual void SaveToStream(TStream& Stream, bool SaveChildren = true, bool SaveDefaultValues = false);

    // --- Differences (prepared pages) --------------------------------------------------
    // Attribute items in which this object differs from AComponent: " l=\"12\"" and so
    // on; empty when nothing differs (floats differ by more than 0.0001).
    std::string Diff(TfrxComponent* AComponent);
    // The same items appended to Out: descendants add theirs after their ancestor's.
    virtual void DiffTo(TfrxComponent* AComponent, std::string& Out);
    // The object's non-default published properties as attribute text, then, when Base
    // is given, its geometry, visibility, font, ParentFont and Tag items against Base.
    std::string AllDiff(TfrxComponent* Base);
    // Of those items only the place: Left, Top and Height as the difference writes them
    // (what a pass before the last keeps of a band: the engine reads its bands' places
    // back, nothing else of them).
    void PlaceDiffTo(TfrxComponent* AComponent, std::string& Out) const;

    // The class's display name; descendants return a string-table text.
    virtual std::string GetDescription() const;
    // Called for every object of a report while a run is prepared, before the script is
    // compiled: objects reset what they keep from one run to the next.
    virtual void BeforeStartReport() {}

    // Children in order; Proc(Child).
    template <class F> void ForEachChild(F Proc) const {
        for (TfrxComponent* c : AllChildrenCopy()) Proc(c);
    }

    // Nested streaming in form resources: the children are the parent-tree children.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;

    // The publishable common properties, in their fixed order.
    enum TPublish : unsigned {
        pubBounds = 1,        // Left, Top, Width, Height
        pubFont = 2,
        pubGroupIndex = 4,
        pubParentFont = 8,
        pubRestrictions = 16,
        pubVisible = 32,
        pubAll = 63,
    };
    template <class T> static void DeclareCommon(TPropertyDecl<T>& d, unsigned What);

protected:
    // The font's change notification: ParentFont becomes False and children that
    // inherit the font get it again.
    virtual void FontChanged();
    // Diff hooks: views with an alignment leave Left out, bands always write Top,
    // auto-width memos leave Width out.
    virtual bool DiffWritesLeft() const { return true; }
    virtual bool DiffAlwaysWritesTop() const { return false; }
    virtual bool DiffWritesWidth() const { return true; }
    // The base of a descendant's Diff (items 1 to 8), appended to Out.
    void ComponentDiff(TfrxComponent* AComponent, std::string& Out) const;
    void ValidateRename(TComponent* AComponent, const std::string& CurName,
                        const std::string& NewName) override;
    // The report keeps a name index of its tree (FindObject and renames in constant time).
    void EnableNameIndex();

private:
    void Init();
    std::vector<TfrxComponent*> AllChildrenCopy() const { return FObjects; }
    void IndexSubtree(TfrxReport* Report, bool Add);
    void IndexName(const std::string& Name, bool Add);

    std::vector<TfrxComponent*> FObjects;
    TfrxComponent* FParent = nullptr;
    double FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    int FGroupIndex = 0;
    bool FIsDesigning = false;
    TfrxRestrictions FRestrictions;
    bool FVisible = true;
    bool FInFontChange = false;
    std::unique_ptr<std::unordered_multimap<std::string, TfrxComponent*>> FNameIndex;

protected:
    double FSavedLeft = 0, FSavedTop = 0, FSavedWidth = 0, FSavedHeight = 0;
    // Sets the flag alone (objects whose own font rule differs: dot-matrix objects).
    void SetParentFontFlag(bool Value) { FParentFont = Value; }
};

class TfrxBand;

// Printable objects: script event names and the print bracket that saves the bounds.
class TfrxReportComponent : public TfrxComponent {
    ROVE_CLASS(TfrxReportComponent, TfrxComponent)
public:
    explicit TfrxReportComponent(TComponent* AOwner);
    TfrxReportComponent(TComponent* AOwner, uint16_t Flags);

    virtual void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) = 0;
    // Stores the bounds; AfterPrint puts them back.
    virtual void BeforePrint();
    virtual void GetData() {}
    virtual void AfterPrint();
    virtual std::string GetComponentText() { return {}; }
    // An entry of the engine's notification list hears of every data row printed, with
    // its band; nothing in the base.
    virtual void OnNotify(TfrxBand* Band) { (void)Band; }

    // Names of handler procedures of the report script (published by the views).
    std::string OnAfterData, OnAfterPrint, OnBeforePrint, OnPreviewClick;
};

// Base of report pages and dialog pages.
class TfrxPage : public TfrxComponent {
    ROVE_CLASS(TfrxPage, TfrxComponent)
public:
    explicit TfrxPage(TComponent* AOwner);
    // The settings of a new page (paper, margins); the designer's new pages get them.
    virtual void SetDefaults() {}
};

// Obj as a T when its class is T or a descendant, else nullptr: the same answer as
// dynamic_cast, through the class chain of the object's own class information. The
// engine asks this for every object of every band printed; a dynamic_cast there walks the
// compiler's type information and compares type names, a large part of a run's time. T
// must declare its class (ROVE_CLASS), so that its class information is its own.
template <class T, class From>
T* frxAs(From* Obj) noexcept {
    static_assert(std::is_base_of_v<From, T>, "frxAs casts down only");
    static_assert(std::is_same_v<decltype(&T::ClassType), TClass (T::*)() const noexcept>,
                  "frxAs needs a class that declares its class information");
    return Obj && Obj->template Is<T>() ? static_cast<T*>(Obj) : nullptr;
}

// The type of a script event property (OnBeforePrint ...): a text naming a procedure of
// the report script, published under the event type's name ("TfrxNotifyEvent",
// "TfrxPreviewClickEvent", "TfrxCloseQueryEvent", "TfrxKeyEvent", "TfrxKeyPressEvent",
// "TfrxMouseEvent", "TfrxMouseMoveEvent", "TfrxPrintCellEvent", "TfrxPrintHeaderEvent",
// "TfrxCalcWidthEvent", "TfrxCalcHeightEvent"), by which the inspector's event editor and
// the code templates know the handler's parameters. Another name raises EfrxError.
const TTypeInfo* frxEventType(std::string_view Name);
// Whether a property type is one of those script event types.
bool frxIsEventType(const TTypeInfo* Type);

// ==== Implementation of the templates ======================================================
template <class T>
void TfrxComponent::DeclareCommon(TPropertyDecl<T>& d, unsigned What) {
    if (What & pubBounds) {
        d.Property("Left", &TfrxComponent::Left, &TfrxComponent::SetLeft);
        d.Property("Top", &TfrxComponent::Top, &TfrxComponent::SetTop);
        d.Property("Width", &TfrxComponent::Width, &TfrxComponent::SetWidth);
        d.Property("Height", &TfrxComponent::Height, &TfrxComponent::SetHeight);
    }
    if (What & pubFont)
        d.Property("Font", &TfrxComponent::Font, &TfrxComponent::SetFont).Stored(&TfrxComponent::IsFontStored);
    if (What & pubGroupIndex)
        d.Property("GroupIndex", &TfrxComponent::GroupIndex, &TfrxComponent::SetGroupIndex).NoDefault();
    if (What & pubParentFont)
        d.Property("ParentFont", &TfrxComponent::ParentFont, &TfrxComponent::SetParentFont).Default(true);
    if (What & pubRestrictions)
        d.Property("Restrictions", &TfrxComponent::Restrictions, &TfrxComponent::SetRestrictions)
            .Default(TfrxRestrictions{});
    if (What & pubVisible)
        d.Property("Visible", &TfrxComponent::Visible, &TfrxComponent::SetVisible).Default(true);
}

// Inline: every printed object's difference text starts with these items, and the views
// take them into their own DiffTo.
[[gnu::always_inline]] inline void TfrxComponent::ComponentDiff(TfrxComponent* o, std::string& s) const {
    // The places are compared first: the hooks are asked only when they decide.
    if (frxFloatsDiffer(FLeft, o->FLeft) && DiffWritesLeft()) frxDiffFloatItem(s, "l", FLeft);
    if (frxFloatsDiffer(FTop, o->FTop) || DiffAlwaysWritesTop()) frxDiffFloatItem(s, "t", FTop);
    if (frxFloatsDiffer(FWidth, o->FWidth) && DiffWritesWidth()) frxDiffFloatItem(s, "w", FWidth);
    if (frxFloatsDiffer(FHeight, o->FHeight)) frxDiffFloatItem(s, "h", FHeight);
    if (FVisible != o->FVisible) frxDiffItem(s, "Visible", FVisible ? "True" : "False");
    if (!FParentFont) {
        const TFont& f = *FFont;
        const TFont& g = *o->FFont;
        if (f.Name() != g.Name()) frxDiffItem(s, "Font.Name", frxStrToXML(f.Name()));
        if (f.Size() != g.Size()) frxDiffIntItem(s, "Font.Size", f.Size());
        if (f.Color() != g.Color()) frxDiffIntItem(s, "Font.Color", f.Color());
        if (f.Style() != g.Style()) frxDiffIntItem(s, "Font.Style", f.Style().Mask());
        if (f.Charset() != g.Charset()) frxDiffIntItem(s, "Font.Charset", f.Charset());
    }
    if (FParentFont != o->FParentFont) frxDiffItem(s, "ParentFont", FParentFont ? "True" : "False");
    if (Tag() != o->Tag()) frxDiffIntItem(s, "Tag", Tag());
}

// What the designer and the preview plug into: the process-wide registries of insertable
// report objects, component editors, property editors, export filters and wizards, and
// the editor bases with the standard property editors and the inspector's property lists.
//
// Every registry keeps its entries in registration order. The registries are created on
// first use (the property-editor registry with the standard editors already entered) and
// live until the program ends. Look-ups that choose among several entries scan from the
// last entry backwards, so a unit that registers later overrides an earlier general
// entry (the designer's "Memo" editor for memo views beats the general string-list one).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/classes/Persistent.h"

class TBitmap;
class TCanvas;
class TMenu;
class TMenuItem;
struct TRect;
class TfrxComponent;
class TfrxCustomDesigner;
class TfrxCustomExportFilter;

// --- Insertable objects -------------------------------------------------------------------
struct TfrxObjectItem {
    TClass ClassRef = nullptr;                 // nullptr: a category entry
    std::shared_ptr<TBitmap> ButtonBitmap;     // may be empty (the image index says it all)
    int ButtonImageIndex = -1;                 // index into the object images, -1 unknown
    std::string ButtonHint;                    // string table key
    std::string CategoryName;
    uint16_t Flags = 0;                        // handed to the workspace with the insertion
};

class TfrxObjectCollection {
public:
    // Appends an entry unless one with this class and these flags exists; the class is
    // also entered in the class registry so that report files can create it by name.
    void RegisterObject(TClass ClassRef, std::shared_ptr<TBitmap> ButtonBitmap, std::string_view ButtonHint = {},
                        std::string_view CategoryName = {}, uint16_t Flags = 0, int ImageIndex = -1);
    // A category entry (no class, flags 0).
    void RegisterCategory(std::string_view CategoryName, std::shared_ptr<TBitmap> ButtonBitmap,
                          std::string_view ButtonHint = {}, int ImageIndex = -1);
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxObjectItem& Items(int Index);
    const std::vector<TfrxObjectItem>& List() const { return FItems; }
    // Index of the entry of ClassRef with Flags, or -1.
    int IndexOf(TClass ClassRef, uint16_t Flags = 0) const;

private:
    std::vector<TfrxObjectItem> FItems;
};
TfrxObjectCollection& frxObjects();

// --- Component editors --------------------------------------------------------------------
class TfrxComponentEditor {
public:
    TfrxComponentEditor(TfrxComponent* Component, TfrxCustomDesigner* Designer, TMenu* Menu);
    virtual ~TfrxComponentEditor() = default;
    TfrxComponentEditor(const TfrxComponentEditor&) = delete;
    TfrxComponentEditor& operator=(const TfrxComponentEditor&) = delete;

    // Opens the object's editor; true when the object changed.
    virtual bool Edit() { return false; }
    virtual bool HasEditor() { return false; }
    // Adds the editor's entries to Menu (AddMenuItem).
    virtual void GetMenuItems() {}
    // Runs the menu entry Tag with its new tick state; true when the report changed.
    virtual bool Execute(int Tag, bool Checked);

    TfrxComponent* Component() const { return FComponent; }
    TfrxCustomDesigner* Designer() const { return FDesigner; }
    TMenu* Menu() const { return FMenu; }
    // Appends an entry to Menu (owned by the menu); nullptr when there is no menu.
    TMenuItem* AddMenuItem(const std::string& Caption, int Tag, bool Checked);

private:
    TfrxComponent* FComponent;
    TfrxCustomDesigner* FDesigner;
    TMenu* FMenu;
};

// An editor class: the creator of an editor of that class.
using TfrxComponentEditorClass = std::unique_ptr<TfrxComponentEditor> (*)(TfrxComponent*, TfrxCustomDesigner*, TMenu*);
template <class E>
std::unique_ptr<TfrxComponentEditor> frxCreateComponentEditor(TfrxComponent* c, TfrxCustomDesigner* d, TMenu* m) {
    return std::make_unique<E>(c, d, m);
}
template <class E>
inline constexpr TfrxComponentEditorClass ComponentEditorClass = &frxCreateComponentEditor<E>;

struct TfrxComponentEditorItem {
    TClass ComponentClass = nullptr;
    TfrxComponentEditorClass EditorClass = nullptr;
};

class TfrxComponentEditorCollection {
public:
    void Register(TClass ComponentClass, TfrxComponentEditorClass EditorClass);
    void Unregister(TfrxComponentEditorClass EditorClass);
    // The entry for exactly the component's class, else the last entry of a class the
    // component inherits from; -1 when none.
    int Find(const TfrxComponent* Component) const;
    // A new editor for Component, nullptr when none is registered.
    std::unique_ptr<TfrxComponentEditor> GetComponentEditor(TfrxComponent* Component, TfrxCustomDesigner* Designer,
                                                            TMenu* Menu) const;
    int Count() const { return static_cast<int>(FItems.size()); }
    const TfrxComponentEditorItem& Items(int Index) const;

private:
    std::vector<TfrxComponentEditorItem> FItems;
};
TfrxComponentEditorCollection& frxComponentEditors();

// --- Property editors ---------------------------------------------------------------------
enum TfrxPropertyAttribute : uint32_t {
    paValueList = 0x01,
    paSortList = 0x02,
    paDialog = 0x04,
    paMultiSelect = 0x08,
    paSubProperties = 0x10,
    paReadOnly = 0x20,
    paOwnerDraw = 0x40,
};
using TfrxPropertyAttributes = uint32_t;

class TfrxPropertyEditor {
public:
    explicit TfrxPropertyEditor(TfrxCustomDesigner* Designer);
    virtual ~TfrxPropertyEditor() = default;
    TfrxPropertyEditor(const TfrxPropertyEditor&) = delete;
    TfrxPropertyEditor& operator=(const TfrxPropertyEditor&) = delete;

    // A dialog or a toggle; true when the value changed.
    virtual bool Edit() { return false; }
    virtual TfrxPropertyAttributes GetAttributes() { return paMultiSelect; }
    virtual std::string GetName();
    virtual int GetExtraLBSize() { return ItemHeight + 2; }
    virtual std::string GetValue() { return "(Unknown)"; }
    // Fills Values with the offered values.
    virtual void GetValues() { Values.clear(); }
    // Invalid text raises EfrxError with the text of "prInvProp".
    virtual void SetValue(const std::string& Text) { (void)Text; }
    // Fills ARect and draws Values[Index] after the first ItemHeight pixels (left for a
    // sample drawn by descendants).
    virtual void DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect);
    virtual void DrawValue(TCanvas& Canvas, const TRect& ARect);

    // The edited objects and properties (one property per object, the same name).
    void AddInstance(TPersistent* Instance, const TPropInfo* Prop);
    int InstanceCount() const { return static_cast<int>(FInstances.size()); }
    TPersistent* Instance(int Index = 0) const { return FInstances.at(Index); }
    const TPropInfo* PropInfo(int Index = 0) const { return FProps.at(Index); }
    // The first edited object as a report component, or nullptr.
    TfrxComponent* Component() const;
    TfrxCustomDesigner* Designer() const { return FDesigner; }

    // Read the first object's property; write every object's.
    int64_t GetOrdValue() const;
    double GetFloatValue() const;
    std::string GetStrValue() const;
    TObject* GetObjValue() const;
    void SetOrdValue(int64_t Value);
    void SetFloatValue(double Value);
    void SetStrValue(const std::string& Value);
    void SetObjValue(TObject* Value);

    int ItemHeight = 16;
    std::vector<std::string> Values;

protected:
    [[noreturn]] static void InvalidValue();

private:
    TfrxCustomDesigner* FDesigner;
    std::vector<TPersistent*> FInstances;
    std::vector<const TPropInfo*> FProps;
};

using TfrxPropertyEditorClass = std::unique_ptr<TfrxPropertyEditor> (*)(TfrxCustomDesigner*);
template <class E>
std::unique_ptr<TfrxPropertyEditor> frxCreatePropertyEditor(TfrxCustomDesigner* d) {
    return std::make_unique<E>(d);
}
template <class E>
inline constexpr TfrxPropertyEditorClass PropertyEditorClass = &frxCreatePropertyEditor<E>;

// Standard editors.
class TfrxIntegerProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
};
class TfrxFloatProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
};
class TfrxCharProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
};
class TfrxStringProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    std::string GetValue() override;
    void SetValue(const std::string& Text) override;
};
class TfrxEnumProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};
class TfrxSetProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paMultiSelect | paSubProperties | paReadOnly; }
    std::string GetValue() override;
};
// One element of a set property: True when the set holds it.
class TfrxSetElementProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    std::string GetName() override;
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
    int Element = 0;   // ordinal in the set's element type
};
class TfrxClassProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paMultiSelect | paSubProperties | paReadOnly; }
    std::string GetValue() override;
};
class TfrxComponentProperty : public TfrxPropertyEditor {
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;

private:
    std::vector<TComponent*> Candidates() const;
};
// An object's name: an identifier that no other object of the report has; an empty name
// is refused too (scripts and report files reach objects by name).
class TfrxNameProperty : public TfrxStringProperty {
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() override { return 0; }
    void SetValue(const std::string& Text) override;
};
// A colour: a colour name or a number that is a colour: $000000 to $FFFFFF, a system
// colour, clNone or clDefault; other numbers are refused.
class TfrxColorProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect | paOwnerDraw; }
    bool Edit() override;
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
    void DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) override;
    void DrawValue(TCanvas& Canvas, const TRect& ARect) override;
};
class TfrxFontProperty : public TfrxClassProperty {
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() override { return paDialog | paMultiSelect | paSubProperties | paReadOnly; }
    bool Edit() override;
};
class TfrxFontNameProperty : public TfrxStringProperty {
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    void GetValues() override;
};
class TfrxFontCharsetProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};
class TfrxModalResultProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};
class TfrxShortCutProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};
class TfrxCursorProperty : public TfrxIntegerProperty {
public:
    using TfrxIntegerProperty::TfrxIntegerProperty;
    TfrxPropertyAttributes GetAttributes() override { return paValueList | paSortList | paMultiSelect; }
    std::string GetValue() override;
    void GetValues() override;
    void SetValue(const std::string& Text) override;
};

struct TfrxPropertyEditorItem {
    const TTypeInfo* PropertyType = nullptr;   // nullptr: any type (hidden names, the event editor)
    TClass ComponentClass = nullptr;           // nullptr: any class
    std::string PropertyName;                  // empty: any property
    TfrxPropertyEditorClass EditorClass = nullptr;   // nullptr hides the property
};

// The result of a look-up: Found false means nothing is registered (the standard editor
// of the property's kind applies); Found with a nil EditorClass hides the property.
struct TfrxPropertyEditorMatch {
    bool Found = false;
    TfrxPropertyEditorClass EditorClass = nullptr;
};

class TfrxPropertyEditorCollection {
public:
    // Starts with the standard registrations (Name, colours, fonts, font name and
    // charset, modal results, shortcuts, cursors).
    TfrxPropertyEditorCollection();
    // Types are matched by identity or by name (ignoring case).
    void Register(const TTypeInfo* PropertyType, TClass ComponentClass, std::string_view PropertyName,
                  TfrxPropertyEditorClass EditorClass);
    // The editor of every script event type (a type named Tfrx...Event).
    void RegisterEventEditor(TfrxPropertyEditorClass EditorClass);
    // Hides each property of the ";"-separated Names on ComponentClass and its descendants.
    void HidePropertiesFor(TClass ComponentClass, std::string_view Names);
    // Removes every entry of EditorClass (the event editor too).
    void Unregister(TfrxPropertyEditorClass EditorClass);
    TfrxPropertyEditorMatch Find(const TTypeInfo* PropertyType, const TObject* Component,
                                 std::string_view PropertyName) const;
    int EventEditorIndex() const { return FEventEditorIndex; }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TfrxPropertyEditorItem& Items(int Index) const;

private:
    TfrxPropertyEditorMatch Search(const TTypeInfo* PropertyType, const TObject* Component,
                                   std::string_view PropertyName) const;
    std::vector<TfrxPropertyEditorItem> FItems;
    int FEventEditorIndex = -1;
    // Results by type, object class and lower-case name; emptied by every registration.
    struct TCacheKey {
        const TTypeInfo* Type;
        TClass Class;
        std::string Name;
        bool operator==(const TCacheKey&) const = default;
    };
    struct TCacheHash {
        size_t operator()(const TCacheKey& k) const noexcept;
    };
    mutable std::unordered_map<TCacheKey, TfrxPropertyEditorMatch, TCacheHash> FCache;
};
TfrxPropertyEditorCollection& frxPropertyEditors();

// True for a script event type name: "Tfrx" ... "Event", ignoring case.
bool frxIsEventTypeName(std::string_view TypeName);

// --- Property lists (the object inspector's rows) ---------------------------------------------
class TfrxPropertyList;

struct TfrxPropertyItem {
    std::unique_ptr<TfrxPropertyEditor> Editor;
    bool Expanded = false;
    std::unique_ptr<TfrxPropertyList> SubProperty;   // nullptr: no sub-rows
};

class TfrxPropertyList {
public:
    explicit TfrxPropertyList(TfrxCustomDesigner* Designer);
    TfrxCustomDesigner* Designer() const { return FDesigner; }
    // The object whose properties are listed (for a sub-list the sub-object).
    TPersistent* Component() const { return FComponent; }
    void SetComponent(TPersistent* Value) { FComponent = Value; }
    TfrxPropertyList* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxPropertyItem& Items(int Index) const;
    TfrxPropertyItem& Add(std::unique_ptr<TfrxPropertyEditor> Editor);
    // Moves the item to the end of Dest (its sub-list comes along).
    void MoveItemTo(int Index, TfrxPropertyList& Dest);
    void Delete(int Index);
    // The item whose editor's property is named Name (ignoring case), or nullptr.
    TfrxPropertyItem* Find(std::string_view Name) const;

private:
    TfrxCustomDesigner* FDesigner;
    TPersistent* FComponent = nullptr;
    TfrxPropertyList* FParent = nullptr;
    std::vector<std::unique_ptr<TfrxPropertyItem>> FItems;
};

// The rows of one object: one per published property with an editor (methods left out).
std::unique_ptr<TfrxPropertyList> frxBuildPropertyList(TPersistent* Object, TfrxCustomDesigner* Designer);
// The rows common to every object of Objects whose editors allow multi-selection; each
// editor (sub-rows included) edits all the objects. nullptr for an empty list.
std::unique_ptr<TfrxPropertyList> BuildSelectionPropertyList(const std::vector<TPersistent*>& Objects,
                                                             TfrxCustomDesigner* Designer);

// --- Export filters -------------------------------------------------------------------------
struct TfrxExportFilterItem {
    TfrxCustomExportFilter* Filter = nullptr;   // not owned
    uint32_t Flags = 0;
};

class TfrxExportFilterCollection {
public:
    void Register(TfrxCustomExportFilter* Filter, uint32_t Flags = 0);
    // Removes every entry of Filter (a filter unregisters itself when it is destroyed).
    void Unregister(TfrxCustomExportFilter* Filter);
    int Count() const { return static_cast<int>(FItems.size()); }
    const TfrxExportFilterItem& Items(int Index) const;

private:
    friend class TfrxExportFilterWatcher;
    // Drops the entries of a component being destroyed (no longer a filter by its type).
    void Forget(const TComponent* Filter);
    std::vector<TfrxExportFilterItem> FItems;
};
TfrxExportFilterCollection& frxExportFilters();

// --- Wizards ----------------------------------------------------------------------------------
struct TfrxWizardItem {
    TClass ClassRef = nullptr;                 // a TfrxCustomWizard descendant
    std::shared_ptr<TBitmap> ButtonBitmap;
    int ButtonImageIndex = -1;
    bool IsToolbarWizard = false;              // the wizard has a button on the designer's tool bar
};

class TfrxWizardCollection {
public:
    // Nothing when the class is already registered.
    void Register(TClass WizardClass, std::shared_ptr<TBitmap> ButtonBitmap, bool IsToolbarWizard = false);
    void Unregister(TClass WizardClass);
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxWizardItem& Items(int Index);

private:
    std::vector<TfrxWizardItem> FItems;
};
TfrxWizardCollection& frxWizards();

#include "report/DesignRegistries.h"

#include <algorithm>
#include <cstdlib>

#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "report/Component.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"

// === Insertable objects ===================================================================

void TfrxObjectCollection::RegisterObject(TClass ClassRef, std::shared_ptr<TBitmap> ButtonBitmap,
                                          std::string_view ButtonHint, std::string_view CategoryName,
                                          uint16_t Flags, int ImageIndex) {
    if (ClassRef && IndexOf(ClassRef, Flags) >= 0) return;
    if (ClassRef) RegisterClass(ClassRef);
    TfrxObjectItem item;
    item.ClassRef = ClassRef;
    item.ButtonBitmap = std::move(ButtonBitmap);
    item.ButtonImageIndex = ImageIndex;
    item.ButtonHint = std::string(ButtonHint);
    item.CategoryName = std::string(CategoryName);
    item.Flags = Flags;
    FItems.push_back(std::move(item));
}

void TfrxObjectCollection::RegisterCategory(std::string_view CategoryName, std::shared_ptr<TBitmap> ButtonBitmap,
                                            std::string_view ButtonHint, int ImageIndex) {
    RegisterObject(nullptr, std::move(ButtonBitmap), ButtonHint, CategoryName, 0, ImageIndex);
}

TfrxObjectItem& TfrxObjectCollection::Items(int Index) { return FItems.at(static_cast<size_t>(Index)); }

int TfrxObjectCollection::IndexOf(TClass ClassRef, uint16_t Flags) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].ClassRef == ClassRef && FItems[i].Flags == Flags) return static_cast<int>(i);
    return -1;
}

TfrxObjectCollection& frxObjects() {
    static TfrxObjectCollection registry;
    return registry;
}

// === Component editors ====================================================================

TfrxComponentEditor::TfrxComponentEditor(TfrxComponent* Component, TfrxCustomDesigner* Designer, TMenu* Menu)
    : FComponent(Component), FDesigner(Designer), FMenu(Menu) {}

bool TfrxComponentEditor::Execute(int Tag, bool Checked) {
    (void)Tag;
    (void)Checked;
    return false;
}

TMenuItem* TfrxComponentEditor::AddMenuItem(const std::string& Caption, int Tag, bool Checked) {
    if (!FMenu) return nullptr;
    auto* item = new TMenuItem(FMenu);
    item->SetCaption(Caption);
    item->SetTag(Tag);
    item->SetChecked(Checked);
    FMenu->Items()->Add(item);
    return item;
}

void TfrxComponentEditorCollection::Register(TClass ComponentClass, TfrxComponentEditorClass EditorClass) {
    FItems.push_back({ComponentClass, EditorClass});
}

void TfrxComponentEditorCollection::Unregister(TfrxComponentEditorClass EditorClass) {
    std::erase_if(FItems, [&](const TfrxComponentEditorItem& i) { return i.EditorClass == EditorClass; });
}

int TfrxComponentEditorCollection::Find(const TfrxComponent* Component) const {
    if (!Component) return -1;
    TClass cls = Component->ClassType();
    int ancestor = -1;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (FItems[i].ComponentClass == cls) return static_cast<int>(i);
        if (FItems[i].ComponentClass && cls->InheritsFrom(FItems[i].ComponentClass)) ancestor = static_cast<int>(i);
    }
    return ancestor;
}

std::unique_ptr<TfrxComponentEditor> TfrxComponentEditorCollection::GetComponentEditor(TfrxComponent* Component,
                                                                                      TfrxCustomDesigner* Designer,
                                                                                      TMenu* Menu) const {
    int i = Find(Component);
    if (i < 0 || !FItems[static_cast<size_t>(i)].EditorClass) return nullptr;
    return FItems[static_cast<size_t>(i)].EditorClass(Component, Designer, Menu);
}

const TfrxComponentEditorItem& TfrxComponentEditorCollection::Items(int Index) const {
    return FItems.at(static_cast<size_t>(Index));
}

TfrxComponentEditorCollection& frxComponentEditors() {
    static TfrxComponentEditorCollection registry;
    return registry;
}

// === Property editor base ==================================================================

TfrxPropertyEditor::TfrxPropertyEditor(TfrxCustomDesigner* Designer) : FDesigner(Designer) {}

std::string TfrxPropertyEditor::GetName() { return FProps.empty() ? std::string() : FProps.front()->Name; }

void TfrxPropertyEditor::DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) {
    Canvas.FillRect(ARect);
    if (Index >= 0 && Index < static_cast<int>(Values.size()))
        Canvas.TextOut(ARect.Left + ItemHeight + 4, ARect.Top + 1, Values[static_cast<size_t>(Index)]);
    Canvas.Pen()->SetColor(clGray);
}

void TfrxPropertyEditor::DrawValue(TCanvas& Canvas, const TRect& ARect) {
    Canvas.TextOut(ARect.Left + ItemHeight - 2, ARect.Top, GetValue());
    Canvas.Pen()->SetColor(clGray);
}

void TfrxPropertyEditor::AddInstance(TPersistent* Instance, const TPropInfo* Prop) {
    FInstances.push_back(Instance);
    FProps.push_back(Prop);
}

TfrxComponent* TfrxPropertyEditor::Component() const {
    if (FInstances.empty() || !FInstances.front() || !FInstances.front()->Is<TfrxComponent>()) return nullptr;
    return static_cast<TfrxComponent*>(FInstances.front());
}

int64_t TfrxPropertyEditor::GetOrdValue() const { return GetOrdProp(FInstances.at(0), FProps.at(0)); }
double TfrxPropertyEditor::GetFloatValue() const { return GetFloatProp(FInstances.at(0), FProps.at(0)); }
std::string TfrxPropertyEditor::GetStrValue() const { return GetStrProp(FInstances.at(0), FProps.at(0)); }
TObject* TfrxPropertyEditor::GetObjValue() const { return GetObjectProp(FInstances.at(0), FProps.at(0)); }

// A value the property does not accept (out of range, wrong class) is invalid text too.
template <class F>
static void ForEachInstance(const std::vector<TPersistent*>& objs, const std::vector<const TPropInfo*>& props, F f) {
    for (size_t i = 0; i < objs.size(); ++i) {
        try {
            f(objs[i], props[i]);
        } catch (const EfrxError&) {
            throw;
        } catch (const Exception&) {
            throw EfrxError(frxResources().Get("prInvProp"));
        }
    }
}

void TfrxPropertyEditor::SetOrdValue(int64_t Value) {
    ForEachInstance(FInstances, FProps, [&](TPersistent* o, const TPropInfo* p) { SetOrdProp(o, p, Value); });
}
void TfrxPropertyEditor::SetFloatValue(double Value) {
    ForEachInstance(FInstances, FProps, [&](TPersistent* o, const TPropInfo* p) { SetFloatProp(o, p, Value); });
}
void TfrxPropertyEditor::SetStrValue(const std::string& Value) {
    ForEachInstance(FInstances, FProps, [&](TPersistent* o, const TPropInfo* p) { SetStrProp(o, p, Value); });
}
void TfrxPropertyEditor::SetObjValue(TObject* Value) {
    ForEachInstance(FInstances, FProps, [&](TPersistent* o, const TPropInfo* p) { SetObjectProp(o, p, Value); });
}

void TfrxPropertyEditor::InvalidValue() { throw EfrxError(frxResources().Get("prInvProp")); }

// === Standard editors ====================================================================

std::string TfrxIntegerProperty::GetValue() { return std::to_string(GetOrdValue()); }

void TfrxIntegerProperty::SetValue(const std::string& Text) {
    int64_t v = 0;
    if (!TryStrToInt64(Trim(Text), v)) InvalidValue();
    SetOrdValue(v);
}

std::string TfrxFloatProperty::GetValue() { return FloatToStr(GetFloatValue()); }

void TfrxFloatProperty::SetValue(const std::string& Text) {
    double v = 0;
    try {
        v = frxStrToFloat(Trim(Text));
    } catch (const Exception&) {
        InvalidValue();
    }
    SetFloatValue(v);
}

std::string TfrxCharProperty::GetValue() {
    int64_t code = GetOrdValue();
    if (code < 33) return "#" + std::to_string(code);
    return CodePointToUtf8(static_cast<char32_t>(code));
}

void TfrxCharProperty::SetValue(const std::string& Text) {
    std::u32string s = Utf8ToU32(Text);
    if (s.empty()) { SetOrdValue(0); return; }
    if (s.size() == 1) { SetOrdValue(static_cast<int64_t>(s[0])); return; }
    int64_t code = 0;
    if (s[0] == U'#' && TryStrToInt64(std::string_view(Text).substr(1), code) && code >= 0 && code <= 0x10FFFF) {
        SetOrdValue(code);
        return;
    }
    InvalidValue();
}

std::string TfrxStringProperty::GetValue() { return GetStrValue(); }
void TfrxStringProperty::SetValue(const std::string& Text) { SetStrValue(Text); }

std::string TfrxEnumProperty::GetValue() { return GetEnumName(PropInfo()->Type, GetOrdValue()); }

void TfrxEnumProperty::GetValues() { Values = PropInfo()->Type->EnumNames; }

void TfrxEnumProperty::SetValue(const std::string& Text) {
    int v = GetEnumValue(PropInfo()->Type, Trim(Text));
    if (v < 0) InvalidValue();
    SetOrdValue(v);
}

std::string TfrxSetProperty::GetValue() {
    return SetToString(PropInfo()->Type, static_cast<uint32_t>(GetOrdValue()), true);
}

std::string TfrxSetElementProperty::GetName() {
    const TTypeInfo* set = PropInfo()->Type;
    return GetEnumName(set->CompType, Element);
}

std::string TfrxSetElementProperty::GetValue() {
    return (static_cast<uint32_t>(GetOrdValue()) & (uint32_t(1) << Element)) ? "True" : "False";
}

void TfrxSetElementProperty::GetValues() { Values = {"False", "True"}; }

void TfrxSetElementProperty::SetValue(const std::string& Text) {
    bool on;
    if (SameText(Text, "True")) on = true;
    else if (SameText(Text, "False")) on = false;
    else InvalidValue();
    // Each object keeps its other elements.
    for (int i = 0; i < InstanceCount(); ++i) {
        auto mask = static_cast<uint32_t>(GetOrdProp(Instance(i), PropInfo(i)));
        mask = on ? (mask | (uint32_t(1) << Element)) : (mask & ~(uint32_t(1) << Element));
        SetOrdProp(Instance(i), PropInfo(i), mask);
    }
}

std::string TfrxClassProperty::GetValue() {
    const TPropInfo* p = PropInfo();
    if (p->Type->IsStringList()) return "(" + p->Type->Name + ")";
    TObject* o = GetObjValue();
    return o ? "(" + o->ClassName() + ")" : std::string();
}

void TfrxNameProperty::SetValue(const std::string& Text) {
    if (Text.empty()) InvalidValue();
    SetStrValue(Text);
}

std::string TfrxComponentProperty::GetValue() {
    TObject* o = GetObjValue();
    if (o && o->Is<TComponent>()) return static_cast<TComponent*>(o)->Name();
    return {};
}

// The objects of the edited object's report of the property's class, the edited one left out.
std::vector<TComponent*> TfrxComponentProperty::Candidates() const {
    std::vector<TComponent*> out;
    TfrxComponent* self = Component();
    TfrxReport* report = self ? self->Report() : nullptr;
    if (!report) return out;
    TClass cls = PropInfo()->Type->ClassType;
    auto consider = [&](TComponent* c) {
        if (!c || c == self || c->Name().empty()) return;
        if (cls && !c->InheritsFrom(cls)) return;
        if (std::find(out.begin(), out.end(), c) == out.end()) out.push_back(c);
    };
    for (TfrxComponent* c : report->AllObjects()) consider(c);
    for (int i = 0; i < report->ComponentCount(); ++i) consider(report->Components(i));
    return out;
}

void TfrxComponentProperty::GetValues() {
    Values.clear();
    for (TComponent* c : Candidates()) Values.push_back(c->Name());
}

void TfrxComponentProperty::SetValue(const std::string& Text) {
    std::string name = Trim(Text);
    if (name.empty()) { SetObjValue(nullptr); return; }
    for (TComponent* c : Candidates())
        if (SameText(c->Name(), name)) { SetObjValue(c); return; }
    InvalidValue();
}

bool TfrxColorProperty::Edit() {
    TColorDialog dlg(nullptr);
    dlg.SetColor(static_cast<TColor>(GetOrdValue()));
    if (!dlg.Execute()) return false;
    SetOrdValue(dlg.Color());
    return true;
}

std::string TfrxColorProperty::GetValue() { return ColorToString(static_cast<TColor>(GetOrdValue())); }

void TfrxColorProperty::GetValues() {
    Values.clear();
    for (const TIdentMapEntry& e : ColorIdents()) Values.emplace_back(e.Name);
}

void TfrxColorProperty::SetValue(const std::string& Text) {
    TColor c = 0;
    try {
        c = StringToColor(Trim(Text));
    } catch (const Exception&) {
        InvalidValue();
    }
    const auto u = static_cast<uint32_t>(c);
    const bool rgb = u <= 0xFFFFFFu;
    const bool system = (u & 0xFFFFFF00u) == static_cast<uint32_t>(clSystemColor) && (u & 0xFFu) < COLOR_ENDCOLORS;
    if (!rgb && !system && c != clNone && c != clDefault) InvalidValue();
    SetOrdValue(c);
}

// The swatch fills the first ItemHeight pixels of the cell, framed in black.
// The colour's square; "no colour" (clNone) is a white square crossed out, as the colour
// selector shows it (filled with the colour's bits it looked black).
static void DrawSwatch(TCanvas& Canvas, const TRect& r, int itemHeight, TColor color) {
    TColor brush = Canvas.Brush()->Color();
    TRect box{r.Left + 2, r.Top + 2, r.Left + itemHeight - 4, r.Bottom - 2};
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetColor(color == clNone ? clWhite : color);
    Canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
    if (color == clNone) {
        Canvas.MoveTo(box.Left, box.Top);
        Canvas.LineTo(box.Right, box.Bottom);
        Canvas.MoveTo(box.Right - 1, box.Top);
        Canvas.LineTo(box.Left - 1, box.Bottom);
    }
    Canvas.Brush()->SetColor(brush);
}

void TfrxColorProperty::DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) {
    TfrxPropertyEditor::DrawListItem(Canvas, Index, ARect);
    if (Index < 0 || Index >= static_cast<int>(Values.size())) return;
    TColor c = 0;
    if (IdentToColor(Values[static_cast<size_t>(Index)], c)) DrawSwatch(Canvas, ARect, ItemHeight, c);
    Canvas.Pen()->SetColor(clGray);
}

void TfrxColorProperty::DrawValue(TCanvas& Canvas, const TRect& ARect) {
    DrawSwatch(Canvas, ARect, ItemHeight, static_cast<TColor>(GetOrdValue()));
    TfrxPropertyEditor::DrawValue(Canvas, ARect);
}

bool TfrxFontProperty::Edit() {
    auto* font = dynamic_cast<TFont*>(GetObjValue());
    if (!font) return false;
    TFontDialog dlg(nullptr);
    dlg.SetFont(font);
    if (!dlg.Execute()) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* f = dynamic_cast<TFont*>(GetObjectProp(Instance(i), PropInfo(i)))) f->Assign(dlg.Font());
    return true;
}

void TfrxFontNameProperty::GetValues() { Values = Screen->Fonts(); }

std::string TfrxFontCharsetProperty::GetValue() {
    std::string ident;
    int64_t v = GetOrdValue();
    if (IntToIdent(FontCharsetTypeInfo(), v, ident)) return ident;
    return std::to_string(v);
}

void TfrxFontCharsetProperty::GetValues() {
    Values.clear();
    if (const TIdentMap* m = FontCharsetTypeInfo()->Idents)
        for (const TIdentMapEntry& e : *m) Values.emplace_back(e.Name);
}

void TfrxFontCharsetProperty::SetValue(const std::string& Text) {
    std::string t = Trim(Text);
    int64_t v = 0;
    if (!IdentToInt(FontCharsetTypeInfo(), t, v) && !TryStrToInt64(t, v)) InvalidValue();
    if (v < 0 || v > 255) InvalidValue();
    SetOrdValue(v);
}

static const char* const kModalResults[] = {"mrNone",  "mrOk", "mrCancel", "mrAbort",   "mrRetry",   "mrIgnore",
                                            "mrYes",   "mrNo", "mrAll",    "mrNoToAll", "mrYesToAll"};

std::string TfrxModalResultProperty::GetValue() {
    int64_t v = GetOrdValue();
    if (v >= 0 && v < static_cast<int64_t>(std::size(kModalResults))) return kModalResults[v];
    return std::to_string(v);
}

void TfrxModalResultProperty::GetValues() { Values.assign(std::begin(kModalResults), std::end(kModalResults)); }

void TfrxModalResultProperty::SetValue(const std::string& Text) {
    std::string t = Trim(Text);
    for (size_t i = 0; i < std::size(kModalResults); ++i)
        if (SameText(t, kModalResults[i])) { SetOrdValue(static_cast<int64_t>(i)); return; }
    InvalidValue();
}

static const char* const kNoShortCut = "(None)";

std::string TfrxShortCutProperty::GetValue() {
    int64_t v = GetOrdValue();
    std::string t = v == 0 ? std::string() : ShortCutToText(static_cast<TShortCut>(v));
    return t.empty() ? kNoShortCut : t;
}

void TfrxShortCutProperty::GetValues() {
    Values = {kNoShortCut};
    for (char c = 'A'; c <= 'Z'; ++c) Values.push_back(std::string("Ctrl+") + c);
    for (const char* mod : {"", "Ctrl+", "Shift+", "Shift+Ctrl+"})
        for (int f = 1; f <= 12; ++f) Values.push_back(std::string(mod) + "F" + std::to_string(f));
    for (const char* k : {"Ins", "Shift+Ins", "Ctrl+Ins", "Del", "Shift+Del", "Ctrl+Del", "Alt+BkSp",
                          "Shift+Alt+BkSp"})
        Values.emplace_back(k);
}

void TfrxShortCutProperty::SetValue(const std::string& Text) {
    std::string t = Trim(Text);
    if (t.empty() || SameText(t, kNoShortCut)) { SetOrdValue(0); return; }
    TShortCut sc = TextToShortCut(t);
    if (sc == 0) InvalidValue();
    SetOrdValue(sc);
}

std::string TfrxCursorProperty::GetValue() {
    std::string ident;
    int64_t v = GetOrdValue();
    if (IntToIdent(CursorTypeInfo(), v, ident)) return ident;
    return std::to_string(v);
}

void TfrxCursorProperty::GetValues() {
    Values.clear();
    if (const TIdentMap* m = CursorTypeInfo()->Idents)
        for (const TIdentMapEntry& e : *m) Values.emplace_back(e.Name);
}

void TfrxCursorProperty::SetValue(const std::string& Text) {
    std::string t = Trim(Text);
    int64_t v = 0;
    if (!IdentToInt(CursorTypeInfo(), t, v) && !TryStrToInt64(t, v)) InvalidValue();
    SetOrdValue(v);
}

// === Property-editor registry ===============================================================

static bool SameType(const TTypeInfo* a, const TTypeInfo* b) {
    return a == b || (a && b && SameText(a->Name, b->Name));
}

TfrxPropertyEditorCollection::TfrxPropertyEditorCollection() {
    Register(nullptr, TfrxComponent::StaticClass(), "Name", PropertyEditorClass<TfrxNameProperty>);
    Register(ColorTypeInfo(), nullptr, "", PropertyEditorClass<TfrxColorProperty>);
    Register(TypeInfoFor<TFont*>(), nullptr, "", PropertyEditorClass<TfrxFontProperty>);
    Register(StringTypeInfo(), TFont::StaticClass(), "Name", PropertyEditorClass<TfrxFontNameProperty>);
    Register(FontCharsetTypeInfo(), TFont::StaticClass(), "Charset", PropertyEditorClass<TfrxFontCharsetProperty>);
    // Modal results and shortcuts are published as integers: they are known by name.
    Register(IntegerTypeInfo(), nullptr, "ModalResult", PropertyEditorClass<TfrxModalResultProperty>);
    Register(IntegerTypeInfo(), nullptr, "ShortCut", PropertyEditorClass<TfrxShortCutProperty>);
    Register(CursorTypeInfo(), nullptr, "", PropertyEditorClass<TfrxCursorProperty>);
}

void TfrxPropertyEditorCollection::Register(const TTypeInfo* PropertyType, TClass ComponentClass,
                                            std::string_view PropertyName, TfrxPropertyEditorClass EditorClass) {
    FItems.push_back({PropertyType, ComponentClass, std::string(PropertyName), EditorClass});
    FCache.clear();
}

void TfrxPropertyEditorCollection::RegisterEventEditor(TfrxPropertyEditorClass EditorClass) {
    Register(nullptr, nullptr, "", EditorClass);
    FEventEditorIndex = Count() - 1;
}

void TfrxPropertyEditorCollection::HidePropertiesFor(TClass ComponentClass, std::string_view Names) {
    size_t pos = 0;
    while (pos <= Names.size()) {
        size_t end = Names.find(';', pos);
        if (end == std::string_view::npos) end = Names.size();
        std::string name = Trim(Names.substr(pos, end - pos));
        if (!name.empty()) Register(nullptr, ComponentClass, name, nullptr);
        pos = end + 1;
    }
}

void TfrxPropertyEditorCollection::Unregister(TfrxPropertyEditorClass EditorClass) {
    if (!EditorClass) return;
    TfrxPropertyEditorItem event;
    bool hadEvent = FEventEditorIndex >= 0;
    if (hadEvent) event = FItems[static_cast<size_t>(FEventEditorIndex)];
    std::erase_if(FItems, [&](const TfrxPropertyEditorItem& i) { return i.EditorClass == EditorClass; });
    FCache.clear();
    FEventEditorIndex = -1;
    if (hadEvent && event.EditorClass != EditorClass)
        for (size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i].EditorClass == event.EditorClass && !FItems[i].PropertyType && !FItems[i].ComponentClass &&
                FItems[i].PropertyName.empty())
                FEventEditorIndex = static_cast<int>(i);
}

size_t TfrxPropertyEditorCollection::TCacheHash::operator()(const TCacheKey& k) const noexcept {
    return std::hash<const void*>()(k.Type) ^ (std::hash<const void*>()(k.Class) * 31) ^
           (std::hash<std::string>()(k.Name) * 131);
}

// A property of a type on objects of a class always finds the same entry: the look-ups of
// a selection of many objects are answered from the cache.
TfrxPropertyEditorMatch TfrxPropertyEditorCollection::Find(const TTypeInfo* PropertyType, const TObject* Component,
                                                           std::string_view PropertyName) const {
    TCacheKey key{PropertyType, Component ? Component->ClassType() : nullptr, LowerCase(PropertyName)};
    auto it = FCache.find(key);
    if (it != FCache.end()) return it->second;
    const TfrxPropertyEditorMatch m = Search(PropertyType, Component, PropertyName);
    FCache.emplace(std::move(key), m);
    return m;
}

TfrxPropertyEditorMatch TfrxPropertyEditorCollection::Search(const TTypeInfo* PropertyType, const TObject* Component,
                                                             std::string_view PropertyName) const {
    TfrxPropertyEditorMatch general;
    if (PropertyType && frxIsEventTypeName(PropertyType->Name)) {
        if (FEventEditorIndex >= 0) return {true, FItems[static_cast<size_t>(FEventEditorIndex)].EditorClass};
        return general;
    }
    for (size_t k = FItems.size(); k-- > 0;) {
        const TfrxPropertyEditorItem& e = FItems[k];
        if (static_cast<int>(k) == FEventEditorIndex) continue;
        // An entry without a type serves names only (hidden properties).
        if (e.PropertyType ? !SameType(e.PropertyType, PropertyType) : e.PropertyName.empty()) continue;
        if (e.PropertyType && !e.ComponentClass && e.PropertyName.empty()) {
            if (!general.Found) general = {true, e.EditorClass};
            continue;
        }
        if (!e.PropertyName.empty() && !SameText(e.PropertyName, PropertyName)) continue;
        if (e.ComponentClass && !(Component && Component->InheritsFrom(e.ComponentClass))) continue;
        return {true, e.EditorClass};
    }
    return general;
}

const TfrxPropertyEditorItem& TfrxPropertyEditorCollection::Items(int Index) const {
    return FItems.at(static_cast<size_t>(Index));
}

TfrxPropertyEditorCollection& frxPropertyEditors() {
    static TfrxPropertyEditorCollection registry;
    return registry;
}

bool frxIsEventTypeName(std::string_view TypeName) {
    std::string n = LowerCase(TypeName);
    return n.size() >= 9 && n.starts_with("tfrx") && n.ends_with("event");
}

// === Property lists ===========================================================================

TfrxPropertyList::TfrxPropertyList(TfrxCustomDesigner* Designer) : FDesigner(Designer) {}

TfrxPropertyItem& TfrxPropertyList::Items(int Index) const { return *FItems.at(static_cast<size_t>(Index)); }

TfrxPropertyItem& TfrxPropertyList::Add(std::unique_ptr<TfrxPropertyEditor> Editor) {
    auto item = std::make_unique<TfrxPropertyItem>();
    item->Editor = std::move(Editor);
    FItems.push_back(std::move(item));
    return *FItems.back();
}

void TfrxPropertyList::MoveItemTo(int Index, TfrxPropertyList& Dest) {
    auto it = FItems.begin() + Index;
    std::unique_ptr<TfrxPropertyItem> item = std::move(*it);
    FItems.erase(it);
    if (item->SubProperty) item->SubProperty->FParent = &Dest;
    Dest.FItems.push_back(std::move(item));
}

void TfrxPropertyList::Delete(int Index) { FItems.erase(FItems.begin() + Index); }

TfrxPropertyItem* TfrxPropertyList::Find(std::string_view Name) const {
    for (const auto& i : FItems)
        if (i->Editor && SameText(i->Editor->GetName(), Name)) return i.get();
    return nullptr;
}

static std::unique_ptr<TfrxPropertyEditor> StandardEditor(const TPropInfo* p, TfrxCustomDesigner* d) {
    switch (p->Kind()) {
    case tkInteger:
    case tkInt64: return std::make_unique<TfrxIntegerProperty>(d);
    case tkChar: return std::make_unique<TfrxCharProperty>(d);
    case tkEnumeration: return std::make_unique<TfrxEnumProperty>(d);
    case tkFloat: return std::make_unique<TfrxFloatProperty>(d);
    case tkString: return std::make_unique<TfrxStringProperty>(d);
    case tkSet: return std::make_unique<TfrxSetProperty>(d);
    case tkClass:
        if (p->IsComponentReference()) return std::make_unique<TfrxComponentProperty>(d);
        return std::make_unique<TfrxClassProperty>(d);
    default: return nullptr;
    }
}

static void FillList(TfrxPropertyList& list, TPersistent* obj, TfrxCustomDesigner* d, int depth);

static void AddRow(TfrxPropertyList& list, TPersistent* obj, const TPropInfo* p, TfrxCustomDesigner* d, int depth) {
    TfrxPropertyEditorMatch m = frxPropertyEditors().Find(p->Type, obj, p->Name);
    std::unique_ptr<TfrxPropertyEditor> ed;
    if (m.Found) {
        if (!m.EditorClass) return;
        ed = m.EditorClass(d);
    } else {
        ed = StandardEditor(p, d);
    }
    if (!ed) return;
    ed->AddInstance(obj, p);
    TfrxPropertyItem& item = list.Add(std::move(ed));
    if (p->Kind() == tkSet) {
        auto sub = std::make_unique<TfrxPropertyList>(d);
        sub->SetComponent(obj);
        const TTypeInfo* elems = p->Type->CompType;
        for (int i = 0; elems && i < elems->EnumCount(); ++i) {
            auto el = std::make_unique<TfrxSetElementProperty>(d);
            el->Element = i;
            el->AddInstance(obj, p);
            sub->Add(std::move(el));
        }
        item.SubProperty = std::move(sub);
    } else if (p->Kind() == tkClass && !p->IsComponentReference() && !p->Type->IsStringList() && depth < 8) {
        TObject* child = GetObjectProp(obj, p);
        if (child && child->Is<TPersistent>()) {
            auto sub = std::make_unique<TfrxPropertyList>(d);
            sub->SetComponent(static_cast<TPersistent*>(child));
            FillList(*sub, static_cast<TPersistent*>(child), d, depth + 1);
            if (sub->Count() > 0) item.SubProperty = std::move(sub);
        }
    }
}

static void FillList(TfrxPropertyList& list, TPersistent* obj, TfrxCustomDesigner* d, int depth) {
    for (const TPropInfo* p : obj->ClassType()->Properties()) {
        if (p->Kind() == tkMethod) continue;
        AddRow(list, obj, p, d, depth);
    }
}

std::unique_ptr<TfrxPropertyList> frxBuildPropertyList(TPersistent* Object, TfrxCustomDesigner* Designer) {
    auto list = std::make_unique<TfrxPropertyList>(Designer);
    list->SetComponent(Object);
    if (Object) FillList(*list, Object, Designer, 0);
    return list;
}

// The row of other for the same property (same name and kind), or nullptr. Lists of
// objects of one class hold their rows in the same order: the row at Hint is tried first.
static TfrxPropertyItem* Counterpart(const TfrxPropertyList& other, const TfrxPropertyItem& item, int Hint) {
    const TPropInfo* p = item.Editor->PropInfo();
    auto same = [&](TfrxPropertyItem& o) {
        const TPropInfo* q = o.Editor->PropInfo();
        if (q == p) return o.Editor->GetName() == item.Editor->GetName();
        return SameText(q->Name, p->Name) && q->Kind() == p->Kind() && o.Editor->GetName() == item.Editor->GetName();
    };
    if (Hint >= 0 && Hint < other.Count() && same(other.Items(Hint))) return &other.Items(Hint);
    for (int i = 0; i < other.Count(); ++i)
        if (i != Hint && same(other.Items(i))) return &other.Items(i);
    return nullptr;
}

// Keeps the rows of first that allow multi-selection and exist in every other list, and
// hands the kept editors the other objects; sub-rows are merged the same way so that a
// sub-property set on a selection changes every selected object.
static void MergeLists(TfrxPropertyList& first, const std::vector<TfrxPropertyList*>& others) {
    for (int i = first.Count() - 1; i >= 0; --i) {
        TfrxPropertyItem& item = first.Items(i);
        std::vector<TfrxPropertyItem*> twins;
        bool keep = (item.Editor->GetAttributes() & paMultiSelect) != 0;
        for (size_t k = 0; keep && k < others.size(); ++k) {
            TfrxPropertyItem* t = Counterpart(*others[k], item, i);
            if (!t) keep = false;
            else twins.push_back(t);
        }
        if (!keep) { first.Delete(i); continue; }
        for (TfrxPropertyItem* t : twins) item.Editor->AddInstance(t->Editor->Instance(), t->Editor->PropInfo());
        if (item.SubProperty) {
            std::vector<TfrxPropertyList*> subs;
            for (TfrxPropertyItem* t : twins)
                if (t->SubProperty) subs.push_back(t->SubProperty.get());
            if (subs.size() == twins.size()) MergeLists(*item.SubProperty, subs);
            else item.SubProperty.reset();
        }
    }
}

std::unique_ptr<TfrxPropertyList> BuildSelectionPropertyList(const std::vector<TPersistent*>& Objects,
                                                             TfrxCustomDesigner* Designer) {
    if (Objects.empty()) return nullptr;
    auto first = frxBuildPropertyList(Objects.front(), Designer);
    if (Objects.size() == 1) return first;
    std::vector<std::unique_ptr<TfrxPropertyList>> rest;
    std::vector<TfrxPropertyList*> others;
    for (size_t i = 1; i < Objects.size(); ++i) {
        rest.push_back(frxBuildPropertyList(Objects[i], Designer));
        others.push_back(rest.back().get());
    }
    MergeLists(*first, others);
    return first;
}

// === Export filters =========================================================================

// Drops a filter's entries when the filter is destroyed, so that the preview's export
// menu never reaches a freed filter.
class TfrxExportFilterWatcher : public TComponent {
public:
    explicit TfrxExportFilterWatcher(TfrxExportFilterCollection* owner) : TComponent(nullptr), FOwner(owner) {}
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent) FOwner->Forget(AComponent);
    }

private:
    TfrxExportFilterCollection* FOwner;
};

static TfrxExportFilterWatcher& Watcher() {
    static auto* w = new TfrxExportFilterWatcher(&frxExportFilters());   // lives to the end
    return *w;
}

void TfrxExportFilterCollection::Forget(const TComponent* Filter) {
    std::erase_if(FItems, [&](const TfrxExportFilterItem& i) { return static_cast<const TComponent*>(i.Filter) == Filter; });
}

void TfrxExportFilterCollection::Register(TfrxCustomExportFilter* Filter, uint32_t Flags) {
    if (!Filter) return;
    Filter->FreeNotification(&Watcher());
    FItems.push_back({Filter, Flags});
}

void TfrxExportFilterCollection::Unregister(TfrxCustomExportFilter* Filter) {
    std::erase_if(FItems, [&](const TfrxExportFilterItem& i) { return i.Filter == Filter; });
}

const TfrxExportFilterItem& TfrxExportFilterCollection::Items(int Index) const {
    return FItems.at(static_cast<size_t>(Index));
}

TfrxExportFilterCollection& frxExportFilters() {
    static TfrxExportFilterCollection registry;
    return registry;
}

// === Wizards =================================================================================

void TfrxWizardCollection::Register(TClass WizardClass, std::shared_ptr<TBitmap> ButtonBitmap, bool IsToolbarWizard) {
    if (!WizardClass) return;
    for (const TfrxWizardItem& i : FItems)
        if (i.ClassRef == WizardClass) return;
    TfrxWizardItem item;
    item.ClassRef = WizardClass;
    item.ButtonBitmap = std::move(ButtonBitmap);
    item.IsToolbarWizard = IsToolbarWizard;
    FItems.push_back(std::move(item));
}

void TfrxWizardCollection::Unregister(TClass WizardClass) {
    std::erase_if(FItems, [&](const TfrxWizardItem& i) { return i.ClassRef == WizardClass; });
}

TfrxWizardItem& TfrxWizardCollection::Items(int Index) { return FItems.at(static_cast<size_t>(Index)); }

TfrxWizardCollection& frxWizards() {
    static TfrxWizardCollection registry;
    return registry;
}

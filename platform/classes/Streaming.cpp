// Reading and writing component trees through the value tree, form resources by class
// name, the roots loaded by name and the reference fix-ups between them.
#include <algorithm>
#include <map>

#include "platform/classes/FilerInternal.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

// --- Fix-ups -----------------------------------------------------------------------------
struct TFixupList::TEntry {
    TObject* Instance = nullptr;
    TObjectHandle Handle = NilHandle;
    const TPropInfo* Prop = nullptr;
    std::function<void(TComponent*)> Setter;
    std::string Name;
    std::string Place;
};

namespace {
struct TGlobals {
    std::vector<TComponent*> Roots;
    std::vector<TFixupList::TEntry> Pending;   // references to roots not loaded yet
    struct TResource {
        std::string Text;
        std::string Source;
    };
    std::map<std::string, TResource> Resources;   // lower-case class name
};
// Never destroyed: components that live until the process ends (the report resources' image
// lists, made on first use) leave this list from their destructors at exit, which may come
// after a static list would have been destroyed.
TGlobals& Globals() {
    static TGlobals& g = *new TGlobals;
    return g;
}

bool Alive(const TFixupList::TEntry& e) { return TObject::TryFromHandle(e.Handle) == e.Instance; }

void ApplyFixup(const TFixupList::TEntry& e, TComponent* target) {
    try {
        if (e.Prop) SetObjectProp(e.Instance, e.Prop, target);
        else e.Setter(target);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& ex) {
        throw EReadError(e.Place + ": " + ex.Message());
    }
}

[[noreturn]] void NotFound(const TFixupList::TEntry& e) {
    throw EReadError(e.Place + ": " + Format("Component %s not found", {e.Name}));
}

std::string FirstPart(std::string_view name) { return std::string(name.substr(0, name.find('.'))); }

void ResolvePending(TComponent* root) {
    TGlobals& g = Globals();
    std::vector<TFixupList::TEntry> ready;
    auto it = g.Pending.begin();
    while (it != g.Pending.end()) {
        if (!Alive(*it)) {
            it = g.Pending.erase(it);
        } else if (SameText(FirstPart(it->Name), root->Name())) {
            ready.push_back(std::move(*it));
            it = g.Pending.erase(it);
        } else {
            ++it;
        }
    }
    for (const TFixupList::TEntry& e : ready) {
        if (!Alive(e)) continue;
        TComponent* target = FindNestedComponent(nullptr, e.Name);
        if (!target) NotFound(e);
        ApplyFixup(e, target);
    }
}
}  // namespace

TFixupList::TFixupList() = default;
TFixupList::~TFixupList() = default;
bool TFixupList::Empty() const { return FEntries.empty(); }
size_t TFixupList::Count() const { return FEntries.size(); }

void TFixupList::Add(TObject* Instance, const TPropInfo* Prop, std::string Name, std::string Place) {
    TEntry e;
    e.Instance = Instance;
    e.Handle = Instance->Handle();
    e.Prop = Prop;
    e.Name = std::move(Name);
    e.Place = std::move(Place);
    FEntries.push_back(std::move(e));
}

void TFixupList::Add(TObject* Instance, std::function<void(TComponent*)> Setter, std::string Name,
                     std::string Place) {
    TEntry e;
    e.Instance = Instance;
    e.Handle = Instance->Handle();
    e.Setter = std::move(Setter);
    e.Name = std::move(Name);
    e.Place = std::move(Place);
    FEntries.push_back(std::move(e));
}

void TFixupList::Resolve(TComponent* Root, TUnresolved Mode,
                         const std::function<TComponent*(std::string_view)>& Lookup) {
    std::vector<TEntry> entries = std::move(FEntries);
    FEntries.clear();
    for (TEntry& e : entries) {
        if (!Alive(e)) continue;
        TComponent* target = Lookup ? Lookup(e.Name) : nullptr;
        if (!target) target = FindNestedComponent(Root, e.Name);
        if (target) {
            ApplyFixup(e, target);
            continue;
        }
        switch (Mode) {
        case urIgnore: break;
        case urRaise: NotFound(e);
        case urDefer: {
            bool dotted = e.Name.find('.') != std::string::npos;
            std::string first = FirstPart(e.Name);
            bool known = FindGlobalComponent(first) || (Root && SameText(Root->Name(), first)) ||
                         (Root && Root->FindComponent(first));
            if (!dotted || known) NotFound(e);
            Globals().Pending.push_back(std::move(e));
            break;
        }
        }
    }
}

// --- Roots and names -----------------------------------------------------------------------
void AddGlobalComponent(TComponent* Root) {
    if (!Root) return;
    TGlobals& g = Globals();
    if (std::find(g.Roots.begin(), g.Roots.end(), Root) == g.Roots.end()) g.Roots.push_back(Root);
    if (!Root->Name().empty()) ResolvePending(Root);
}

void RemoveGlobalComponent(TComponent* Root) { std::erase(Globals().Roots, Root); }

TComponent* FindGlobalComponent(std::string_view Name) {
    if (Name.empty()) return nullptr;
    for (TComponent* c : Globals().Roots)
        if (SameText(c->Name(), Name)) return c;
    return nullptr;
}

std::vector<TComponent*> GlobalComponents() { return Globals().Roots; }

TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath) {
    if (NamePath.empty()) return nullptr;
    size_t dot = NamePath.find('.');
    std::string_view first = NamePath.substr(0, dot);
    TComponent* c = Root ? Root->FindComponent(first) : nullptr;
    if (!c && Root && SameText(Root->Name(), first)) c = Root;
    if (!c) c = FindGlobalComponent(first);
    while (c && dot != std::string_view::npos) {
        NamePath = NamePath.substr(dot + 1);
        dot = NamePath.find('.');
        c = c->FindComponent(NamePath.substr(0, dot));
    }
    return c;
}

std::string GetComponentReferenceName(TComponent* Root, TComponent* Target) {
    if (!Target || Target->Name().empty()) return {};
    if (Target == Root || !Target->Owner() || Target->Owner() == Root) return Target->Name();
    const std::vector<TComponent*>& roots = Globals().Roots;
    std::string path = Target->Name();
    for (TComponent* o = Target->Owner(); o; o = o->Owner()) {
        if (o == Root) return path;                 // a component inside a frame of the root
        if (o->Name().empty()) return {};
        path = o->Name() + "." + path;
        // The path ends at a loaded root, or below an owner that names nothing (the
        // application owning the forms).
        if (std::find(roots.begin(), roots.end(), o) != roots.end()) return path;
        if (!o->Owner() || o->Owner()->Name().empty()) return path;
    }
    return path;
}

// --- Reading trees -------------------------------------------------------------------------
namespace {
bool ClassChainHasName(TClass cls, std::string_view name) {
    for (TClass c = cls; c; c = c->ClassParent())
        if (SameText(c->ClassName(), name)) return true;
    return false;
}

void MarkLoading(TReadContext& ctx, TComponent* c) {
    c->SetComponentStateFlag(csLoading, true);
    c->SetComponentStateFlag(csReading, true);
    if (std::find(ctx.Loaded.begin(), ctx.Loaded.end(), c) == ctx.Loaded.end()) ctx.Loaded.push_back(c);
}

void ReadNodeContents(TReadContext& ctx, TComponent* comp, const TFilerObject& node,
                      const std::string& place, int depth);

void ReadChildNode(TReadContext& ctx, TComponent* parent, const TFilerObject& node,
                   const std::string& parentPlace, int depth) {
    if (depth > 200) RaiseReadError(ctx, node.Line, parentPlace, "Objects nested too deeply");
    TComponent* owner = parent->GetChildOwner();
    if (!owner) owner = ctx.Root;
    std::string label = node.Name.empty() ? node.ClassName : node.Name;
    std::string place = parentPlace.empty() ? label : parentPlace + "." + label;
    TComponent* comp = nullptr;
    if (node.Kind == TFilerObject::okInherited) {
        comp = owner->FindComponent(node.Name);
        if (!comp) RaiseReadError(ctx, node.Line, place, Format("Ancestor for '%s' not found", {node.Name}));
        if (!ClassChainHasName(comp->ClassType(), node.ClassName))
            RaiseReadError(ctx, node.Line, place,
                           Format("%s is a %s, not a %s", {node.Name, comp->ClassName(), node.ClassName}));
        MarkLoading(ctx, comp);
    } else {
        TClass cls = GetClass(node.ClassName);
        if (!cls) RaiseReadError(ctx, node.Line, place, Format("Class %s not found", {node.ClassName}));
        if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
            RaiseReadError(ctx, node.Line, place,
                           Format("Class %s cannot be created as a component", {node.ClassName}));
        try {
            comp = static_cast<TComponent*>(cls->CreateInstance(owner));
        } catch (const Exception& e) {
            RaiseReadError(ctx, node.Line, place, e.Message());
        }
        MarkLoading(ctx, comp);
        if (node.Kind == TFilerObject::okInline) comp->SetComponentStateFlag(csInline, true);
        try {
            comp->SetName(node.Name);
        } catch (const Exception& e) {
            RaiseReadError(ctx, node.Line, place, e.Message());
        }
    }
    if (TComponent* p = parent->GetChildParent()) {
        try {
            comp->SetParentComponent(p);
        } catch (const Exception& e) {
            RaiseReadError(ctx, node.Line, place, e.Message());
        }
    }
    ReadNodeContents(ctx, comp, node, place, depth);
}

void ReadNodeContents(TReadContext& ctx, TComponent* comp, const TFilerObject& node,
                      const std::string& place, int depth) {
    for (const TFilerProperty& p : node.Properties) ApplyFilerProperty(ctx, comp, p, place);
    for (const TFilerObject& child : node.Children) ReadChildNode(ctx, comp, child, place, depth + 1);
}

// Reads the nodes (a class's resource and its ancestors', base first) into root, then
// fixes up references and calls Loaded on everything read.
void ReadRootNodes(const std::vector<const TFilerObject*>& nodes, TComponent* root,
                   const std::vector<std::string>& sources) {
    TReadContext ctx;
    TFixupList fixups;
    ctx.Root = root;
    ctx.Fixups = &fixups;
    struct TGuard {
        TReadContext& Ctx;
        ~TGuard() {
            for (TComponent* c : Ctx.Loaded) {
                c->SetComponentStateFlag(csReading, false);
                c->SetComponentStateFlag(csLoading, false);
            }
        }
    } guard{ctx};
    for (size_t i = 0; i < nodes.size(); ++i) {
        const TFilerObject& node = *nodes[i];
        ctx.SourceName = sources[i];
        if (!ClassChainHasName(root->ClassType(), node.ClassName))
            RaiseReadError(ctx, node.Line, {},
                           Format("The text describes a %s, not a %s", {node.ClassName, root->ClassName()}));
        MarkLoading(ctx, root);
        if (root->Name().empty() && !node.Name.empty()) {
            try {
                root->SetName(node.Name);
            } catch (const Exception& e) {
                RaiseReadError(ctx, node.Line, node.Name, e.Message());
            }
        }
        ReadNodeContents(ctx, root, node, root->Name().empty() ? root->ClassName() : root->Name(), 0);
    }
    AddGlobalComponent(root);
    fixups.Resolve(root, TFixupList::urDefer);
    for (TComponent* c : ctx.Loaded) c->SetComponentStateFlag(csReading, false);
    std::vector<TComponent*> loaded = std::move(ctx.Loaded);
    ctx.Loaded.clear();
    struct TLoadedGuard {
        std::vector<TComponent*>& List;
        ~TLoadedGuard() {
            for (TComponent* c : List) c->SetComponentStateFlag(csLoading, false);
        }
    } loadedGuard{loaded};
    for (TComponent* c : loaded) c->Loaded();
}
}  // namespace

void ReadComponentFromText(std::string_view Text, TComponent* Root, std::string_view SourceName) {
    if (!Root) throw EReadError("No component to read into");
    TFilerObject node = ParseFormText(Text, SourceName);
    ReadRootNodes({&node}, Root, {std::string(SourceName)});
}

TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner, std::string_view SourceName) {
    TFilerObject node = ParseFormText(Text, SourceName);
    TReadContext ctx;
    ctx.SourceName = std::string(SourceName);
    TClass cls = GetClass(node.ClassName);
    if (!cls) RaiseReadError(ctx, node.Line, node.Name, Format("Class %s not found", {node.ClassName}));
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
        RaiseReadError(ctx, node.Line, node.Name, Format("Class %s cannot be created as a component", {node.ClassName}));
    auto* root = static_cast<TComponent*>(cls->CreateInstance(Owner));
    try {
        ReadRootNodes({&node}, root, {std::string(SourceName)});
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}

// --- Writing trees ---------------------------------------------------------------------------
namespace {
TFilerObject WriteNode(TWriteContext& ctx, TComponent* comp, int depth) {
    if (depth > 200) throw EWriteError("Components nested too deeply");
    TFilerObject node;
    node.Name = comp->Name();
    node.ClassName = comp->ClassName();
    comp->SetComponentStateFlag(csWriting, true);
    struct TGuard {
        TComponent* C;
        ~TGuard() { C->SetComponentStateFlag(csWriting, false); }
    } guard{comp};
    CollectFilerProperties(ctx, comp, "", node.Properties);
    comp->GetChildren([&](TComponent* child) { node.Children.push_back(WriteNode(ctx, child, depth + 1)); },
                      ctx.Root);
    return node;
}
}  // namespace

TFilerObject ComponentToFilerObject(TComponent* Root) {
    TWriteContext ctx;
    ctx.Root = Root;
    return WriteNode(ctx, Root, 0);
}

std::string WriteComponentToText(TComponent* Root) { return FormatFormText(ComponentToFilerObject(Root)); }

// --- Resources ---------------------------------------------------------------------------------
void RegisterFormResource(std::string_view ClassName, std::string Text, std::string SourceName) {
    if (Text.empty()) {
        Globals().Resources.erase(LowerCase(ClassName));
        return;
    }
    if (SourceName.empty()) SourceName = std::string(ClassName);
    Globals().Resources[LowerCase(ClassName)] = {std::move(Text), std::move(SourceName)};
}

const std::string* FindFormResource(std::string_view ClassName) {
    auto& res = Globals().Resources;
    auto it = res.find(LowerCase(ClassName));
    return it == res.end() ? nullptr : &it->second.Text;
}

bool InitInheritedComponent(TComponent* Root) {
    std::vector<TClass> chain;
    for (TClass c = Root->ClassType(); c && c != TComponent::StaticClass(); c = c->ClassParent())
        chain.insert(chain.begin(), c);
    std::vector<TFilerObject> nodes;
    std::vector<std::string> sources;
    auto& res = Globals().Resources;
    for (TClass c : chain) {
        auto it = res.find(LowerCase(c->ClassName()));
        if (it == res.end()) continue;
        nodes.push_back(ParseFormText(it->second.Text, it->second.Source));
        sources.push_back(it->second.Source);
    }
    if (nodes.empty()) return false;
    std::vector<const TFilerObject*> ptrs;
    for (const TFilerObject& n : nodes) ptrs.push_back(&n);
    ReadRootNodes(ptrs, Root, sources);
    return true;
}

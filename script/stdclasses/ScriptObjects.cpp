// The list, string-list and stream objects of scripts, and the record of what scripts own.
#include "script/stdclasses/ScriptObjects.h"

#include "platform/rtl/Format.h"
#include "script/Messages.h"

#include <algorithm>
#include <unordered_set>

// The class library's names, not the C++ ones.
#define FS_SCRIPT_CLASS(Class, Name)                                                   \
    TClass Class::StaticClass() noexcept {                                             \
        static const TClassInfo* info = TClassInfo::Make<Class>(Name);                 \
        return info;                                                                   \
    }

FS_SCRIPT_CLASS(TScriptList, "TList")
FS_SCRIPT_CLASS(TScriptStringList, "TStringList")
FS_SCRIPT_CLASS(TScriptStream, "TStream")
FS_SCRIPT_CLASS(TScriptFileStream, "TFileStream")
FS_SCRIPT_CLASS(TScriptMemoryStream, "TMemoryStream")

// --- TList ---------------------------------------------------------------------------------

void TScriptList::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EListError(Format("List index out of bounds (%d)", {index}));
}

int TScriptList::Add(const Variant& item) {
    FItems.push_back(item);
    return Count() - 1;
}

void TScriptList::Delete(int index) {
    CheckIndex(index, false);
    FItems.erase(FItems.begin() + index);
}

int TScriptList::IndexOf(const Variant& item) const {
    for (int i = 0; i < Count(); ++i) {
        const Variant& v = FItems[static_cast<size_t>(i)];
        if (v.IsObject() != item.IsObject()) continue;
        if (v.IsObject() ? v.ObjectValue() == item.ObjectValue() : VarEquals(v, item)) return i;
    }
    return -1;
}

void TScriptList::Insert(int index, const Variant& item) {
    CheckIndex(index, true);
    FItems.insert(FItems.begin() + index, item);
}

int TScriptList::Remove(const Variant& item) {
    const int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

const Variant& TScriptList::Get(int index) const {
    CheckIndex(index, false);
    return FItems[static_cast<size_t>(index)];
}

void TScriptList::Put(int index, const Variant& item) {
    CheckIndex(index, false);
    FItems[static_cast<size_t>(index)] = item;
}

// --- Streams -------------------------------------------------------------------------------

::TStream& TScriptStream::Stream() const {
    if (!FStream) throw EStreamError("The stream has no data");
    return *FStream;
}

TScriptFileStream::TScriptFileStream(const std::string& fileName, uint16_t mode) {
    FStream = std::make_unique<::TFileStream>(fileName, mode);
}

TScriptMemoryStream::TScriptMemoryStream() { FStream = std::make_unique<::TMemoryStream>(); }

::TStream& ScriptStreamOf(TObject* object) {
    auto* stream = dynamic_cast<TScriptStream*>(object);
    if (!stream) throw EScriptError(fsmsg::TypeRequired);
    return stream->Stream();
}

// --- Ownership -----------------------------------------------------------------------------

namespace {
std::unordered_set<TObjectHandle>& ScriptObjects() {
    static std::unordered_set<TObjectHandle> objects;
    return objects;
}
std::vector<void (*)(TObject*)>& FreeHooks() {
    static std::vector<void (*)(TObject*)> hooks;
    return hooks;
}
}  // namespace

void fsAddFreeHook(void (*hook)(TObject* object)) {
    if (std::find(FreeHooks().begin(), FreeHooks().end(), hook) == FreeHooks().end()) FreeHooks().push_back(hook);
}

void fsNoteScriptObject(TObject* object) {
    if (!object) return;
    auto& objects = ScriptObjects();
    // Objects that their owners freed leave stale handles behind; drop them now and then.
    static size_t pruneAt = 1024;
    if (objects.size() >= pruneAt) {
        std::erase_if(objects, [](TObjectHandle h) { return !THandleRegistry::Instance().IsLive(h); });
        pruneAt = std::max<size_t>(1024, objects.size() * 2);
    }
    objects.insert(object->Handle());
}

bool fsIsScriptObject(const TObject* object) { return object && ScriptObjects().count(object->Handle()) > 0; }

void fsFreeObject(TObject* object) {
    if (!object) return;
    const TObjectHandle handle = object->Handle();
    auto* component = dynamic_cast<TComponent*>(object);
    const bool own = ScriptObjects().count(handle) > 0;
    const bool owned = component && component->Owner() &&
                       !component->ComponentState().Contains(csDestroying);
    if (!own && !owned)
        throw EScriptError(Format("Cannot free %s: the object belongs to the program", {object->ClassName()}));
    ScriptObjects().erase(handle);
    for (auto hook : FreeHooks()) hook(object);
    delete object;
}

// Helpers shared by the registration modules of the standard classes: the module scope
// that marks what a module adds to the global unit, and the conversions between a host
// call's Variants and the class library's objects.
#pragma once

#include "platform/rtl/Format.h"
#include "script/ClassVariables.h"
#include "script/EventBridges.h"
#include "script/Messages.h"
#include "script/stdclasses/ScriptObjects.h"

#include <string>

namespace fsstd {

// While it lives, everything registered into the global unit is marked as the module's
// (AddedBy), so the module's unregistration removes exactly its own items.
class TModuleScope {
public:
    explicit TModuleScope(const void* module) : FUnit(GlobalUnit()), FSaved(FUnit ? FUnit->AddedBy() : nullptr) {
        if (FUnit) FUnit->SetAddedBy(module);
    }
    ~TModuleScope() {
        if (FUnit) FUnit->SetAddedBy(FSaved);
    }
    TModuleScope(const TModuleScope&) = delete;
    TModuleScope& operator=(const TModuleScope&) = delete;
    TfsScript* Unit() const { return FUnit; }

private:
    TfsScript* FUnit;
    const void* FSaved;
};

// The object of a handle argument: nullptr for nil; a stale handle raises; an object of
// another class raises "需要类型".
template <class T = TObject>
T* Arg(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return nullptr;
    const TObjectHandle handle = value.AsObject();
    if (handle == NilHandle) return nullptr;
    TObject* object = TObject::FromHandle(handle);
    if constexpr (std::is_same_v<T, TObject>) {
        return object;
    } else {
        T* typed = dynamic_cast<T*>(object);
        if (!typed) throw EScriptError(fsmsg::TypeRequired);
        return typed;
    }
}

// The same, for an argument that must not be nil.
template <class T = TObject>
T& Required(const Variant& value) {
    T* object = Arg<T>(value);
    if (!object) throw EInvalidHandle("Object reference is nil");
    return *object;
}

// The instance a member was called on, as the class the member belongs to.
template <class T>
T& Self(TObject* instance) {
    T* typed = dynamic_cast<T*>(instance);
    if (!typed) throw EScriptError(fsmsg::TypeRequired);
    return *typed;
}

// An object as a script value (nil for nullptr).
inline Variant ObjectValue(const TObject* object) {
    return Variant::FromObject(object ? object->Handle() : NilHandle);
}

// A new object made for a script: noted as the script's (TObject.Free frees it).
inline Variant Created(TObject* object) {
    fsNoteScriptObject(object);
    return ObjectValue(object);
}

inline std::string Str(const Variant& value) { return VarToStr(value); }

// Callbacks of members of class T: the instance arrives as T&.
template <class T, class F>
TfsCallMethodEvent Method(F fn) {
    return [fn](TObject* instance, TClass, const std::string&, TfsParams& params) -> Variant {
        if constexpr (std::is_void_v<decltype(fn(Self<T>(instance), params))>) {
            fn(Self<T>(instance), params);
            return Variant();
        } else {
            return Variant(fn(Self<T>(instance), params));
        }
    };
}

// An indexed property of class T: get(T&, params) and set(T&, params, value); the value
// written is the last element of the call's values.
template <class T, class G, class S>
TfsCallMethodEvent Indexed(G get, S set) {
    // A read-only property has no setter (nullptr): the lambda uses set only when there is one.
    return [get, set](TObject* instance, TClass, const std::string& name, TfsParams& params) -> Variant {
        T& self = Self<T>(instance);
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".SET") == 0) {
            if constexpr (!std::is_same_v<S, std::nullptr_t>) set(self, params, params[params.Count() - 1]);
            else (void)set;
            return Variant();
        }
        return Variant(get(self, params));
    };
}

template <class T, class G>
TfsGetValueEvent Getter(G get) {
    return [get](TObject* instance, TClass, const std::string&) -> Variant { return Variant(get(Self<T>(instance))); };
}

template <class T, class S>
TfsSetValueEvent Setter(S set) {
    return [set](TObject* instance, TClass, const std::string&, const Variant& value) { set(Self<T>(instance), value); };
}

// The constructor of classes the class factory can make: the first argument, when it is
// a component, becomes the owner.
Variant ConstructByFactory(TObject* instance, TClass cls, const std::string& name, TfsParams& params);

}  // namespace fsstd

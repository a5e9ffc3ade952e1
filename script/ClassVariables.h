// Host classes in scripts: a registered class (TfsClassVariable) with its members, and the
// member accessors a designator reaches after a value (properties, methods, constructors,
// indexed and default properties, events), plus the element accessors of arrays and strings
// and the late-bound automation accessor.
//
// The published properties of a class of the component model are imported when the class is
// registered and read and written through its property table; every other member goes
// through a host callback. Objects travel as checked handles (varObject): a member used on a
// stale handle raises EInvalidHandle, on nil "Object reference is nil", and an instance member
// used on a class reference (a bare class name) raises "需要类型".
//
// A class value is never an unconstructed object: a class name alone stands for a class
// reference, Class.Create constructs in one step (the constructor's callback, or the class
// factory when none is registered), and a class name with one argument is a type cast.
#pragma once

#include "script/Script.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TfsCustomEvent;

// The ordinal of a set value: a set constructor ([fsBold, fsItalic]) gives its elements as
// an array, whose bit values are joined; anything else is taken as the bit mask itself.
int64_t fsSetToOrd(const Variant& value);

// Handle tag of class references.
constexpr THandleTag htClassRef = 0x54434C53;   // "TCLS"
// The class behind a class-reference handle, nullptr for anything else.
TClass fsClassOfRef(const Variant& value);

class TfsClassVariable : public TfsCustomVariable {
public:
    TfsClassVariable(TClass cls, std::string ancestor, TfsScript* prog);
    ~TfsClassVariable() override;

    // The cast argument when one was given (then reset), else the class reference.
    Variant GetValue() override;

    const std::string& Ancestor() const { return FAncestor; }
    TClass ClassRef() const { return FClassRef; }
    TfsMethodHelper* DefProperty() const { return FDefProperty; }
    void SetDefProperty(TfsMethodHelper* p) { FDefProperty = p; }
    TfsScript* Prog() const { return FProg; }

    // "constructor Create(AOwner: TComponent)"; without a callback the class factory builds
    // the object (the first argument, when it is a component, becomes its owner).
    TfsMethodHelper* AddConstructor(const std::string& syntax, TfsCallMethodEvent callEvent);
    TfsMethodHelper* AddMethod(const std::string& syntax, TfsCallMethodEvent callEvent);
    void AddProperty(const std::string& name, const std::string& typeName, TfsGetValueEvent getEvent,
                     TfsSetValueEvent setEvent = nullptr);
    // ParamTypes: "Integer" or "Integer, String"; the callback sees NAME.GET / NAME.SET.
    TfsMethodHelper* AddIndexProperty(const std::string& name, const std::string& paramTypes,
                                      const std::string& typeName, TfsCallMethodEvent callEvent,
                                      bool readOnly = false);
    TfsMethodHelper* AddDefaultProperty(const std::string& name, const std::string& paramTypes,
                                        const std::string& typeName, TfsCallMethodEvent callEvent,
                                        bool readOnly = false);
    // EventClass makes the bridge that binds a script procedure to the event (see
    // TfsCustomEvent); TfsNotifyEvent::Class() serves TNotifyEvent.
    using TEventClass = std::function<std::shared_ptr<TfsCustomEvent>(TObject* instance, TfsProcVariable* handler)>;
    void AddEvent(const std::string& name, TEventClass eventClass);

    // A member of this class (published properties first), else of the ancestors.
    TfsCustomHelper* Find(std::string_view name) const;
    int MembersCount() const { return static_cast<int>(FMembers.size()); }
    TfsCustomHelper* Members(int index) const { return FMembers[static_cast<size_t>(index)].get(); }

private:
    TfsMethodHelper* AddMethodHelper(const std::string& syntax, TfsCallMethodEvent callEvent);
    void ImportPublished();

    std::string FAncestor;
    TClass FClassRef;
    TfsMethodHelper* FDefProperty = nullptr;
    std::vector<std::unique_ptr<TfsCustomHelper>> FMembers;
    TfsScript* FProg;
    TObjectHandle FRefHandle = NilHandle;
};

// Base of member and element accessors. The designator sets ParentRef, ParentValue and Prog
// before every use.
class TfsCustomHelper : public TfsCustomVariable {
public:
    enum THelperKind : uint8_t { hkProperty, hkMethod, hkEvent, hkArray, hkString, hkOLE };
    TfsCustomHelper(std::string name, uint8_t typ, std::string typeName, THelperKind kind);
    THelperKind HelperKind() const { return FHelperKind; }

    TfsCustomVariable* ParentRef = nullptr;
    Variant ParentValue = Variant::Null();
    TfsScript* Prog = nullptr;

protected:
    // The instance of ParentValue for a member of a class: checked handle; nil and class
    // references raise unless allowed.
    TObject* Instance(bool allowClassRef = false) const;
    THelperKind FHelperKind;
};

class TfsPropertyHelper : public TfsCustomHelper {
public:
    TfsPropertyHelper(std::string name, uint8_t typ, std::string typeName);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;

    TClass ClassRef = nullptr;
    bool IsPublished = false;
    // A published string list: read as a TStrings object; a text assigned sets its lines.
    bool IsStringList = false;
    const TPropInfo* PropInfo = nullptr;   // published: the property of ClassRef
    TfsGetValueEvent OnGetValue;
    TfsSetValueEvent OnSetValue;

private:
    std::string FUpperName;
    friend class TfsClassVariable;
};

class TfsMethodHelper : public TfsCustomHelper {
public:
    TfsMethodHelper(const TfsSignature& signature, const std::string& syntax, TfsScript* script);
    Variant GetValue() override;
    // Indexed properties only: NAME.SET with the indices and then the value.
    void SetValue(const Variant& value) override;

    std::string Category;
    TClass ClassRef = nullptr;
    std::string Description;
    bool IndexMethod = false;
    bool IsConstructor = false;
    TfsCallMethodEvent OnCall;
    std::string Syntax;

    // Upper-cased call name (NAME, or NAME.GET for an indexed property).
    void SetCallNames();
    // A global function (no class, no constructor, no index) called with these values, one
    // per parameter: what GetValue does after the call stored them in the parameters.
    Variant CallGlobal(std::span<Variant> values) {
        if (!OnCall) return Variant(0);
        TfsParams params(values);
        return OnCall(nullptr, nullptr, FGetName, params);
    }

private:
    std::string FGetName, FSetName;
};

class TfsEventHelper : public TfsCustomHelper {
public:
    TfsEventHelper(std::string name, TfsClassVariable::TEventClass eventClass);
    Variant GetValue() override { return Variant(std::string()); }
    // "0" unbinds; a name binds the script procedure of that name ("事件句柄必须是一个过程"
    // when it is none, or when its parameters do not match the event's arguments).
    void SetValue(const Variant& value) override;
    TClass ClassRef = nullptr;

private:
    TfsClassVariable::TEventClass FEventClass;
};

// Element of the array held by the parent variable; any number of dimensions.
class TfsArrayHelper : public TfsCustomHelper {
public:
    TfsArrayHelper(std::string name, int dims, int required);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
};

// One character of the parent value's text (1-based); writing puts the whole text back into
// the parent.
class TfsStringHelper : public TfsCustomHelper {
public:
    TfsStringHelper();
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
};

// A member of an automation object, called late by name.
class TfsOLEHelper : public TfsCustomHelper {
public:
    TfsOLEHelper(std::string name, int argCount);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;
};

// --- Event bridges -------------------------------------------------------------------------
// A bridge binds a script procedure to an event of an object. It lives exactly as long as the
// binding (the event keeps it): rebinding or clearing the event, or freeing the object, frees
// it. When the procedure's script is freed first, the bridge does nothing.
class TfsCustomEvent {
public:
    TfsCustomEvent(TObject* instance, TfsProcVariable* handler);
    virtual ~TfsCustomEvent() = default;
    // The number of arguments the event passes (the handler must take exactly these).
    virtual int ArgCount() const = 0;
    // Binds this bridge into Event; false when the event's signature is not the bridge's.
    virtual bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) = 0;

    TObject* Instance() const { return FInstance; }
    TfsProcVariable* Handler() const { return FAlive.expired() ? nullptr : FHandler; }

    // Copies Args into the handler's parameters and runs it; Args receive the parameters'
    // values afterwards (var arguments). An event fired while its handler runs is dropped.
    void CallHandler(std::span<Variant> args);

private:
    TObject* FInstance;
    TfsProcVariable* FHandler;
    std::weak_ptr<void> FAlive;
};

// TNotifyEvent: (Sender).
class TfsNotifyEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 1; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class();
};

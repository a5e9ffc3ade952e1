// Events: the method pointers of published event properties. An event holds a bound
// handler (a std::function), the handler's name when it was bound by name (form resources
// and the designer write the name back) and an optional bridge object that lives exactly
// as long as the binding (the script engine's bridges: rebinding or clearing the event, or
// destroying its object, releases the bridge).
//
// Declaring an event type and an event property:
//   using TNotifyEvent = TEvent<void(TObject* Sender)>;      (declared below)
//   ROVE_EVENT_TYPE(TNotifyEvent);                            (names the type "TNotifyEvent")
//   class TButton : ... { public: TNotifyEvent OnClick; ... };
//   in DeclareProperties: d.Event("OnClick", &TButton::OnClick);
// Firing: `OnClick(this);` does nothing while no handler is bound.
// Binding in code: `Button1->OnClick = [this](TObject* s) { ... };`
// Each distinct signature has one type name: two ROVE_EVENT_TYPE lines for the same
// signature do not compile.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>

#include "platform/classes/TypInfo.h"

class TObject;

class TEventBase {
public:
    virtual ~TEventBase() = default;
    // True while a handler is bound.
    virtual bool Assigned() const = 0;
    // The handler signature, typeid(R(A...)); binders compare it before binding.
    virtual const std::type_info& Signature() const = 0;
    // The name the handler was bound by ("Button1Click"), empty for a handler bound in code.
    const std::string& HandlerName() const { return FHandlerName; }
    // The bridge object kept alive with the binding (script engine), or null.
    const std::shared_ptr<void>& Bridge() const { return FBridge; }
    // Unbinds the handler and releases its bridge.
    void Clear() {
        ClearHandler();
        FHandlerName.clear();
        FBridge.reset();
    }

protected:
    TEventBase() = default;
    TEventBase(const TEventBase&) = default;
    TEventBase& operator=(const TEventBase&) = default;
    virtual void ClearHandler() = 0;
    std::string FHandlerName;
    std::shared_ptr<void> FBridge;
};

template <class Sig> class TEvent;

template <class R, class... A>
class TEvent<R(A...)> final : public TEventBase {
public:
    using Handler = std::function<R(A...)>;
    using SignatureType = R(A...);

    TEvent() = default;
    TEvent(const TEvent& other) : TEventBase(other), FHandler(other.FHandler) {
        if (FHandler) sBound.fetch_add(1, std::memory_order_relaxed);
    }
    ~TEvent() override {
        if (FHandler) sBound.fetch_sub(1, std::memory_order_relaxed);
    }
    TEvent& operator=(const TEvent& other) {
        const bool was = Assigned();
        TEventBase::operator=(other);
        FHandler = other.FHandler;
        Changed(was);
        return *this;
    }

    // Binds fn; name and bridge are kept with it (both may be empty).
    void Bind(Handler fn, std::string handlerName = {}, std::shared_ptr<void> bridge = {}) {
        const bool was = Assigned();
        FHandler = std::move(fn);
        FHandlerName = std::move(handlerName);
        FBridge = std::move(bridge);
        if (!FHandler) {
            FHandlerName.clear();
            FBridge.reset();
        }
        Changed(was);
    }
    // A handler bound in code (no name, no bridge); nullptr unbinds.
    TEvent& operator=(Handler fn) {
        Bind(std::move(fn));
        return *this;
    }

    bool Assigned() const override { return static_cast<bool>(FHandler); }
    explicit operator bool() const { return Assigned(); }
    const std::type_info& Signature() const override { return typeid(R(A...)); }
    const Handler& Function() const { return FHandler; }
    // Counts every change of a handler of an event of this signature (bound, cleared, copied
    // over): code that asks often where such a handler is bound (the script engine's
    // statement hook, before every statement) keeps the answer while the count stands.
    static uint64_t Changes() noexcept { return sChanges.load(std::memory_order_relaxed); }
    // How many events of this signature have a handler bound now: while none has, such code
    // knows the answer without asking further.
    static int64_t BoundCount() noexcept { return sBound.load(std::memory_order_relaxed); }

    // Calls the handler; without one, returns R() (nothing for void).
    R operator()(A... args) const {
        if (!FHandler) return R();
        return FHandler(std::forward<A>(args)...);
    }

private:
    void ClearHandler() override {
        const bool was = Assigned();
        FHandler = nullptr;
        Changed(was);
    }
    // A handler changed; it was bound before when was is true.
    void Changed(bool was) noexcept {
        sChanges.fetch_add(1, std::memory_order_relaxed);
        if (was != Assigned()) sBound.fetch_add(was ? -1 : 1, std::memory_order_relaxed);
    }
    static inline std::atomic<uint64_t> sChanges{0};
    static inline std::atomic<int64_t> sBound{0};
    Handler FHandler;
};

// The typed event behind an event property, or nullptr when its signature is another
// (the script engine's bridges bind through this).
template <class Sig>
TEvent<Sig>* EventCast(TEventBase* event) {
    return event && event->Signature() == typeid(Sig) ? static_cast<TEvent<Sig>*>(event) : nullptr;
}

#define ROVE_EVENT_TYPE(EventType)                                                     \
    inline const TTypeInfo* RoveTypeInfo(EventType*) {                                 \
        static const TTypeInfo info =                                                  \
            TTypeInfo::Method(#EventType, typeid(EventType::SignatureType));            \
        return &info;                                                                  \
    }

using TNotifyEvent = TEvent<void(TObject* Sender)>;
ROVE_EVENT_TYPE(TNotifyEvent)

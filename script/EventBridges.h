// Event bridges for the standard event signatures that need nothing but the component
// model: keys (Sender, var Key: Word, Shift), key presses (Sender, var Key: Char), mouse
// moves (Sender, Shift, X, Y), close queries (Sender, var CanClose) and size checks
// (Sender, var NewWidth, var NewHeight, var Resize). TfsNotifyEvent is in ClassVariables.h;
// bridges whose signatures name window-layer types (mouse buttons, close actions) live with
// the standard classes.
//
// Each bridge copies the event's arguments into the handler's parameters (objects as
// handles, characters as one-character strings, shift states as their bit masks), runs the
// handler and copies the var parameters back into the event's arguments. A key-press
// handler that leaves Key empty leaves the key as it was (#0 swallows it).
#pragma once

#include "script/ClassVariables.h"

#include <cstdint>
#include <memory>
#include <string>

// Binds fn into event when the event's signature is Sig; false otherwise.
template <class Sig, class F>
bool fsBindEvent(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self, F&& fn) {
    TEvent<Sig>* typed = EventCast<Sig>(&event);
    if (!typed) return false;
    typed->Bind(std::forward<F>(fn), handlerName, std::move(self));
    return true;
}

// The event class (for TfsClassVariable::AddEvent) that makes bridges of class B.
template <class B>
TfsClassVariable::TEventClass fsEventClass() {
    return [](TObject* instance, TfsProcVariable* handler) -> std::shared_ptr<TfsCustomEvent> {
        return std::make_shared<B>(instance, handler);
    };
}

// An object argument as the handler sees it.
Variant fsObjectArg(TObject* object);
// The character a handler left in a Key parameter; false when the text is empty.
bool fsCharFromArg(const Variant& value, char32_t& key);

// TKeyEvent: (Sender, var Key: Word, Shift).
class TfsKeyEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 3; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsKeyEvent>(); }
};

// TKeyPressEvent: (Sender, var Key: Char).
class TfsKeyPressEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 2; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsKeyPressEvent>(); }
};

// TMouseMoveEvent: (Sender, Shift, X, Y).
class TfsMouseMoveEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 4; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsMouseMoveEvent>(); }
};

// TCloseQueryEvent: (Sender, var CanClose).
class TfsCloseQueryEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 2; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsCloseQueryEvent>(); }
};

// TCanResizeEvent: (Sender, var NewWidth, var NewHeight, var Resize).
class TfsCanResizeEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 4; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsCanResizeEvent>(); }
};

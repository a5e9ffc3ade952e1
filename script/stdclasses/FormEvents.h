// Event bridges whose signatures name window-layer types: mouse buttons
// (Sender, Button, Shift, X, Y) and close actions (Sender, var Action).
#pragma once

#include "script/EventBridges.h"

// TMouseEvent: (Sender, Button, Shift, X, Y); Button as its ordinal (mbLeft 0, mbRight 1,
// mbMiddle 2), Shift as its bit mask.
class TfsMouseEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 5; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsMouseEvent>(); }
};

// TCloseEvent: (Sender, var Action); Action as its ordinal (caNone 0 ... caMinimize 3). A
// value outside the close actions raises ERangeError.
class TfsCloseEvent : public TfsCustomEvent {
public:
    using TfsCustomEvent::TfsCustomEvent;
    int ArgCount() const override { return 2; }
    bool Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) override;
    static TfsClassVariable::TEventClass Class() { return fsEventClass<TfsCloseEvent>(); }
};

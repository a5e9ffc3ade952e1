// Mouse and close event bridges.
#include "script/stdclasses/FormEvents.h"

#include "platform/ui/Forms.h"

#include <array>

bool TfsMouseEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<TMouseEvent::SignatureType>(
        event, handlerName, std::move(self),
        [bridge](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
            std::array<Variant, 5> args{fsObjectArg(Sender), Variant(static_cast<int>(Button)),
                                        Variant(static_cast<int>(Shift)), Variant(X), Variant(Y)};
            bridge->CallHandler(args);
        });
}

bool TfsCloseEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<TCloseEvent::SignatureType>(
        event, handlerName, std::move(self), [bridge](TObject* Sender, TCloseAction& Action) {
            std::array<Variant, 2> args{fsObjectArg(Sender), Variant(static_cast<int>(Action))};
            bridge->CallHandler(args);
            const int action = args[1].AsInteger();
            if (action < caNone || action > caMinimize) throw ERangeError("Range check error");
            Action = static_cast<TCloseAction>(action);
        });
}

// Event bridges of the standard signatures that need only the component model.
#include "script/EventBridges.h"

#include "platform/rtl/StrUtils.h"

#include <array>

Variant fsObjectArg(TObject* object) { return Variant::FromObject(object ? object->Handle() : NilHandle); }

bool fsCharFromArg(const Variant& value, char32_t& key) {
    const std::string text = VarToStr(value);
    if (text.empty()) return false;
    key = Ord(text);
    return true;
}

namespace {
Variant ShiftArg(unsigned shift) { return Variant(static_cast<int>(shift)); }
}  // namespace

bool TfsKeyEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<void(TObject*, uint16_t&, unsigned)>(
        event, handlerName, std::move(self), [bridge](TObject* Sender, uint16_t& Key, unsigned Shift) {
            std::array<Variant, 3> args{fsObjectArg(Sender), Variant(static_cast<int>(Key)), ShiftArg(Shift)};
            bridge->CallHandler(args);
            Key = static_cast<uint16_t>(args[1].AsInteger());
        });
}

bool TfsKeyPressEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<void(TObject*, char32_t&)>(
        event, handlerName, std::move(self), [bridge](TObject* Sender, char32_t& Key) {
            std::array<Variant, 2> args{fsObjectArg(Sender), Variant(Chr(Key))};
            bridge->CallHandler(args);
            fsCharFromArg(args[1], Key);
        });
}

bool TfsMouseMoveEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<void(TObject*, unsigned, int, int)>(
        event, handlerName, std::move(self), [bridge](TObject* Sender, unsigned Shift, int X, int Y) {
            std::array<Variant, 4> args{fsObjectArg(Sender), ShiftArg(Shift), Variant(X), Variant(Y)};
            bridge->CallHandler(args);
        });
}

bool TfsCloseQueryEvent::Bind(TEventBase& event, const std::string& handlerName,
                              std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<void(TObject*, bool&)>(event, handlerName, std::move(self),
                                              [bridge](TObject* Sender, bool& CanClose) {
                                                  std::array<Variant, 2> args{fsObjectArg(Sender), Variant(CanClose)};
                                                  bridge->CallHandler(args);
                                                  CanClose = args[1].AsBoolean();
                                              });
}

bool TfsCanResizeEvent::Bind(TEventBase& event, const std::string& handlerName, std::shared_ptr<TfsCustomEvent> self) {
    TfsCustomEvent* bridge = self.get();
    return fsBindEvent<void(TObject*, int&, int&, bool&)>(
        event, handlerName, std::move(self), [bridge](TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize) {
            std::array<Variant, 4> args{fsObjectArg(Sender), Variant(NewWidth), Variant(NewHeight), Variant(Resize)};
            bridge->CallHandler(args);
            NewWidth = args[1].AsInteger();
            NewHeight = args[2].AsInteger();
            Resize = args[3].AsBoolean();
        });
}

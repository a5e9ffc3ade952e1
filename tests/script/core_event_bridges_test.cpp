// Event bridges of the signatures the component model alone can express: arguments reach
// the handler in order, var parameters come back into the event's arguments, a handler of
// the wrong shape is refused, and a re-entrant event is dropped.
#include "core_helpers.h"

#include "platform/classes/Component.h"
#include "script/EventBridges.h"

#include <gtest/gtest.h>

using TTestKeyEvent = TEvent<void(TObject* Sender, uint16_t& Key, unsigned Shift)>;
using TTestKeyPressEvent = TEvent<void(TObject* Sender, char32_t& Key)>;
using TTestMouseMoveEvent = TEvent<void(TObject* Sender, unsigned Shift, int X, int Y)>;
using TTestCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
using TTestCanResizeEvent = TEvent<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
ROVE_EVENT_TYPE(TTestKeyEvent)
ROVE_EVENT_TYPE(TTestKeyPressEvent)
ROVE_EVENT_TYPE(TTestMouseMoveEvent)
ROVE_EVENT_TYPE(TTestCloseQueryEvent)
ROVE_EVENT_TYPE(TTestCanResizeEvent)

class TBridgeTestControl : public TComponent {
    ROVE_CLASS(TBridgeTestControl, TComponent)
public:
    explicit TBridgeTestControl(TComponent* AOwner) : TComponent(AOwner) {}
    TTestKeyEvent OnKeyDown;
    TTestKeyPressEvent OnKeyPress;
    TTestMouseMoveEvent OnMouseMove;
    TTestCloseQueryEvent OnCloseQuery;
    TTestCanResizeEvent OnCanResize;
    TNotifyEvent OnClick;
    static void DeclareProperties(TPropertyDecl<TBridgeTestControl>& d) {
        d.Event("OnKeyDown", &TBridgeTestControl::OnKeyDown);
        d.Event("OnKeyPress", &TBridgeTestControl::OnKeyPress);
        d.Event("OnMouseMove", &TBridgeTestControl::OnMouseMove);
        d.Event("OnCloseQuery", &TBridgeTestControl::OnCloseQuery);
        d.Event("OnCanResize", &TBridgeTestControl::OnCanResize);
        d.Event("OnClick", &TBridgeTestControl::OnClick);
    }
};
ROVE_IMPLEMENT_CLASS(TBridgeTestControl)

namespace {

class EventBridgeTest : public ::testing::Test {
protected:
    EventBridgeTest() {
        C = std::make_unique<TBridgeTestControl>(nullptr);
        C->SetName("Ctl");
        T.Setup = [this](TfsScript& s) {
            s.AddClass(TObject::StaticClass(), "");
            s.AddClass(TPersistent::StaticClass(), "TObject");
            s.AddClass(TComponent::StaticClass(), "TPersistent");
            TfsClassVariable* c = s.AddClass(TBridgeTestControl::StaticClass(), "TComponent");
            c->AddEvent("OnKeyDown", TfsKeyEvent::Class());
            c->AddEvent("OnKeyPress", TfsKeyPressEvent::Class());
            c->AddEvent("OnMouseMove", TfsMouseMoveEvent::Class());
            c->AddEvent("OnCloseQuery", TfsCloseQueryEvent::Class());
            c->AddEvent("OnCanResize", TfsCanResizeEvent::Class());
            c->AddEvent("OnClick", TfsNotifyEvent::Class());
            s.AddObject("C", C.get());
        };
    }
    TestScript T;
    std::unique_ptr<TBridgeTestControl> C;
};

TEST_F(EventBridgeTest, KeyEventsPassArgumentsAndTakeBackTheKey) {
    ASSERT_EQ(T.Run("procedure Down(Sender: TObject; var Key: Word; Shift: Integer);\n"
                    "begin Out(TComponent(Sender).Name); Out(Key); Out(Shift); if Key = 13 then Key := 9 end;\n"
                    "begin C.OnKeyDown := @Down end."),
              "");
    struct Case {
        uint16_t Key;
        unsigned Shift;
        uint16_t After;
        const char* Seen;
    } cases[] = {{13, 0, 9, "Ctl 13 0"}, {65, 1 | 4, 65, "Ctl 65 5"}, {0, 0, 0, "Ctl 0 0"}};
    for (const Case& c : cases) {
        T.Output.clear();
        uint16_t key = c.Key;
        C->OnKeyDown(C.get(), key, c.Shift);
        EXPECT_EQ(key, c.After) << c.Seen;
        EXPECT_EQ(T.Joined(), c.Seen);
    }
}

// The key a key-press handler leaves is the one the control gets: another character, #0 to
// swallow it, and an empty text (no character at all) leaves the key as it came.
TEST_F(EventBridgeTest, KeyPressTakesTheFirstCharacterAndIgnoresAnEmptyText) {
    ASSERT_EQ(T.Run("procedure Press(Sender: TObject; var Key: Char);\n"
                    "begin Out(Key);\n"
                    "  if Key = 'a' then Key := 'B' else if Key = 'x' then Key := #0\n"
                    "  else if Key = 'e' then Key := '' else if Key = 'm' then Key := 'mn'\n"
                    "  else if Key = '中' then Key := '文' end;\n"
                    "begin C.OnKeyPress := @Press end."),
              "");
    struct Case {
        char32_t Key;
        char32_t After;
    } cases[] = {{U'a', U'B'}, {U'x', 0}, {U'e', U'e'}, {U'm', U'm'}, {U'中', U'文'}, {U'q', U'q'}};
    for (const Case& c : cases) {
        char32_t key = c.Key;
        C->OnKeyPress(C.get(), key);
        EXPECT_EQ(key, c.After) << static_cast<uint32_t>(c.Key);
    }
    EXPECT_EQ(T.Joined(), "a x e m 中 q");
}

TEST_F(EventBridgeTest, MouseMoveCloseQueryAndCanResize) {
    ASSERT_EQ(T.Run("procedure Move(Sender: TObject; Shift: Integer; X, Y: Integer); begin Out(Shift); Out(X); Out(Y) end;\n"
                    "procedure Query(Sender: TObject; var CanClose: Boolean); begin Out(CanClose); CanClose := False end;\n"
                    "procedure Sizing(Sender: TObject; var NewWidth, NewHeight: Integer; var Resize: Boolean);\n"
                    "begin if NewWidth > 100 then NewWidth := 100; NewHeight := NewHeight * 2; Resize := NewWidth > 50 end;\n"
                    "begin C.OnMouseMove := @Move; C.OnCloseQuery := @Query; C.OnCanResize := @Sizing end."),
              "");
    C->OnMouseMove(C.get(), 8 | 64, 3, -4);
    bool canClose = true;
    C->OnCloseQuery(C.get(), canClose);
    EXPECT_FALSE(canClose);
    EXPECT_EQ(T.Joined(), "72 3 -4 True");
    int w = 300, h = 20;
    bool resize = false;
    C->OnCanResize(C.get(), w, h, resize);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 40);
    EXPECT_TRUE(resize);
    w = 30;
    C->OnCanResize(C.get(), w, h, resize);
    EXPECT_FALSE(resize);
}

// A handler must take exactly the event's arguments: the copy and the write-back read fixed
// positions, so another shape is refused when it is bound.
TEST_F(EventBridgeTest, HandlersOfAnotherShapeAreRefused) {
    const char* bindings[] = {
        "procedure H(Sender: TObject; var Key: Word); begin end; begin C.OnKeyDown := @H end.",
        "procedure H(Sender: TObject); begin end; begin C.OnKeyPress := @H end.",
        "procedure H(Sender: TObject; var Key: Char; Extra: Integer); begin end; begin C.OnKeyPress := @H end.",
        "procedure H(Sender: TObject; var W, H: Integer); begin end; begin C.OnCanResize := @H end.",
    };
    for (const char* source : bindings) {
        EXPECT_EQ(T.Run(source), "error: 事件句柄必须是一个过程") << source;
        EXPECT_FALSE(C->OnKeyDown.Assigned() || C->OnKeyPress.Assigned() || C->OnCanResize.Assigned()) << source;
    }
}

// An event fired again from inside its own handler is dropped; an error raised by the
// handler reaches the code that fired the event, and the handler runs again next time.
TEST_F(EventBridgeTest, ReentrantEventsAreDroppedAndErrorsReachTheCaller) {
    int fired = 0;
    T.Setup = [this, &fired, setup = T.Setup](TfsScript& s) {
        setup(s);
        s.AddMethod("procedure Fire", [this, &fired](TObject*, TClass, const std::string&, TfsParams&) {
            ++fired;
            uint16_t key = 1;
            C->OnKeyDown(C.get(), key, 0);
            return Variant();
        });
    };
    ASSERT_EQ(T.Run("var n: Integer;\n"
                    "procedure Down(Sender: TObject; var Key: Word; Shift: Integer);\n"
                    "begin n := n + 1; Out(n); if Key = 7 then Key := 1 div (Key - 7); Fire end;\n"
                    "begin n := 0; C.OnKeyDown := @Down end."),
              "");
    uint16_t key = 5;
    C->OnKeyDown(C.get(), key, 0);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(T.Joined(), "1");
    key = 7;
    EXPECT_THROW(C->OnKeyDown(C.get(), key, 0), Exception);
    EXPECT_EQ(key, 7);
    key = 5;
    C->OnKeyDown(C.get(), key, 0);
    EXPECT_EQ(T.Joined(), "1 2 3");
}

}  // namespace

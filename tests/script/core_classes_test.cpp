// Host classes in scripts: published properties reached through the component model,
// registered methods, properties, indexed and default properties, constructors, casts,
// events, and objects as checked handles.
#include "core_helpers.h"

#include "platform/classes/Component.h"
#include "script/ClassVariables.h"
#include "script/HostObjects.h"

#include <gtest/gtest.h>

ROVE_ENUM(TTestShape, tsCircle, tsSquare, tsTriangle)

class TScriptTestWidget : public TComponent {
    ROVE_CLASS(TScriptTestWidget, TComponent)
public:
    explicit TScriptTestWidget(TComponent* AOwner) : TComponent(AOwner) {}
    int Width = 10;
    std::string Caption = "hello";
    bool Visible = true;
    TTestShape Shape = tsCircle;
    double Ratio = 1.5;
    TScriptTestWidget* Buddy = nullptr;
    TStringList Items;
    TStringList* ItemsList() const { return const_cast<TStringList*>(&Items); }
    TNotifyEvent OnChange;
    static void DeclareProperties(TPropertyDecl<TScriptTestWidget>& d) {
        d.Property("Width", &TScriptTestWidget::Width, &TScriptTestWidget::Width);
        d.Property("Caption", &TScriptTestWidget::Caption, &TScriptTestWidget::Caption);
        d.Property("Visible", &TScriptTestWidget::Visible, &TScriptTestWidget::Visible);
        d.Property("Shape", &TScriptTestWidget::Shape, &TScriptTestWidget::Shape);
        d.Property("Ratio", &TScriptTestWidget::Ratio, &TScriptTestWidget::Ratio);
        d.Property("Buddy", &TScriptTestWidget::Buddy, &TScriptTestWidget::Buddy);
        d.Property("Lines", &TScriptTestWidget::ItemsList);
        d.Event("OnChange", &TScriptTestWidget::OnChange);
    }
};
ROVE_IMPLEMENT_CLASS(TScriptTestWidget)

namespace {

// A script with TObject, TComponent and the widget class registered, and two widgets W and V.
class HostClassTest : public ::testing::Test {
protected:
    HostClassTest() {
        W = std::make_unique<TScriptTestWidget>(nullptr);
        V = std::make_unique<TScriptTestWidget>(nullptr);
        V->Caption = "buddy";
        WHandle = W->Handle();
        VHandle = V->Handle();
        T.Setup = [this](TfsScript& s) { Register(s); };
    }

    void Register(TfsScript& s) {
        s.AddClass(TObject::StaticClass(), "");
        s.AddClass(TPersistent::StaticClass(), "TObject");
        s.AddClass(TComponent::StaticClass(), "TPersistent");
        // TStrings with the members the string-list test reads (the standard classes
        // register them all).
        if (TfsClassVariable* strings = s.AddClass(TScriptStrings::StaticClass(), "TPersistent")) {
            strings->AddProperty("Text", "String", [](TObject* o, TClass, const std::string&) {
                return Variant(static_cast<TScriptStrings*>(o)->Strings().Text());
            });
            strings->AddProperty("Count", "Integer", [](TObject* o, TClass, const std::string&) {
                return Variant(static_cast<TScriptStrings*>(o)->Strings().Count());
            });
            strings->AddDefaultProperty("Strings", "Integer", "String",
                                        [](TObject* o, TClass, const std::string&, TfsParams& p) {
                                            return Variant(static_cast<TScriptStrings*>(o)->Strings().Get(p[0].AsInteger()));
                                        });
        }
        Cls = s.AddClass(TScriptTestWidget::StaticClass(), "TComponent");
        s.AddEnum("TTestShape", "tsCircle, tsSquare, tsTriangle");
        Cls->AddConstructor("constructor Create(AOwner: TComponent)", nullptr);
        Cls->AddMethod("function Twice(x: Integer): Integer",
                       [this](TObject* instance, TClass cls, const std::string& name, TfsParams& p) {
                           Calls.push_back(name);
                           EXPECT_EQ(instance, W.get());
                           EXPECT_EQ(cls, TScriptTestWidget::StaticClass());
                           return Variant(p[0].AsInteger() * 2);
                       });
        Cls->AddMethod("procedure Fill(var s: String; t: String)",
                       [](TObject*, TClass, const std::string&, TfsParams& p) {
                           p[0] = Variant(std::string("filled"));
                           p[1] = Variant(std::string("ignored"));
                           return Variant();
                       });
        Cls->AddIndexProperty("Cells", "Integer", "String", [this](TObject*, TClass, const std::string& name, TfsParams& p) {
            std::string call = name;
            for (int i = 0; i < p.Count(); ++i) call += " " + VarToStr(p[i]);
            Calls.push_back(call);
            return Variant(std::string("cell"));
        });
        Cls->AddDefaultProperty("Grid", "Integer, Integer", "Integer",
                                [](TObject*, TClass, const std::string& name, TfsParams& p) {
                                    if (name == "GRID.GET") return Variant(p[0].AsInteger() * 10 + p[1].AsInteger());
                                    return Variant();
                                });
        Cls->AddProperty("Area", "Integer", [](TObject* o, TClass, const std::string&) {
            return Variant(static_cast<TScriptTestWidget*>(o)->Width * 2);
        });
        Cls->AddProperty("Flag", "Boolean", [](TObject*, TClass, const std::string&) { return Variant(1); });
        Cls->AddEvent("OnChange", TfsNotifyEvent::Class());
        // By handle, so a test can free an object the script still names.
        s.AddConst("W", "TScriptTestWidget", Variant::FromObject(WHandle));
        s.AddConst("V", "TScriptTestWidget", Variant::FromObject(VHandle));
    }

    TestScript T;
    TfsClassVariable* Cls = nullptr;
    std::unique_ptr<TScriptTestWidget> W, V;
    TObjectHandle WHandle = NilHandle, VHandle = NilHandle;
    std::vector<std::string> Calls;
};

TEST_F(HostClassTest, PublishedPropertiesReadAndWrite) {
    EXPECT_EQ(T.Run("begin Out(W.Width); Out(W.Caption); Out(W.Visible); Out(W.Shape); Out(W.Ratio) end."),
              "10 hello True 0 1.5");
    EXPECT_EQ(T.Run("begin W.Width := W.Width + 5; W.Caption := 'x' + W.Caption; W.Visible := False;\n"
                    "W.Shape := tsTriangle; W.Ratio := 0.25 end."),
              "");
    EXPECT_EQ(W->Width, 15);
    EXPECT_EQ(W->Caption, "xhello");
    EXPECT_FALSE(W->Visible);
    EXPECT_EQ(W->Shape, tsTriangle);
    EXPECT_DOUBLE_EQ(W->Ratio, 0.25);
}

// A published Boolean stores True only for a value equal to True (the OLE True, -1).
TEST_F(HostClassTest, PublishedBooleanStoresTrueOnlyForTrue) {
    struct Case {
        const char* Value;
        bool Stored;
    } cases[] = {{"True", true}, {"False", false}, {"1", false}, {"-1", true}};
    for (const Case& c : cases) {
        W->Visible = !c.Stored;
        EXPECT_EQ(T.Run(std::string("var x: Variant; begin x := ") + c.Value + "; W.Visible := x end."), "");
        EXPECT_EQ(W->Visible, c.Stored) << c.Value;
    }
}

TEST_F(HostClassTest, ObjectPropertiesAndStringLists) {
    W->Items.SetText("a\r\nb\r\n");
    // A string list is an object: its text, its count and its lines.
    EXPECT_EQ(T.Run("begin W.Buddy := V; Out(W.Buddy.Caption); W.Buddy.Width := 3; Out(W.Lines.Text); "
                    "Out(W.Lines.Count); Out(W.Lines[1]) end."),
              "buddy a\r\nb\r\n 2 b");
    EXPECT_EQ(W->Buddy, V.get());
    EXPECT_EQ(V->Width, 3);
    EXPECT_EQ(T.Run("begin W.Lines := 'x'; W.Buddy := nil end."), "");
    EXPECT_EQ(W->Items.Count(), 1);
    EXPECT_EQ(W->Buddy, nullptr);
    // Another string list assigned copies its lines.
    V->Items.SetText("p\r\nq\r\nr\r\n");
    EXPECT_EQ(T.Run("begin W.Lines := V.Lines; Out(W.Lines.Count) end."), "3");
    EXPECT_EQ(W->Items.Text(), "p\r\nq\r\nr\r\n");

    // The list object outlives nothing: once its owner is freed, using it raises.
    TfsPropertyStrings* lines = fsPropertyStrings(W.get(), TScriptTestWidget::StaticClass()->FindProperty("Lines"));
    EXPECT_EQ(lines->Strings().Count(), 3);
    W.reset();
    EXPECT_THROW(lines->Strings(), EInvalidHandle);
}

TEST_F(HostClassTest, MethodsGetUpperCaseNamesAndWriteBackVarParameters) {
    EXPECT_EQ(T.Run("var s, t: String; begin Out(W.Twice(21)); W.Fill(s, t); Out(s); Out('[' + t + ']') end."),
              "42 filled []");
    EXPECT_EQ(Calls, std::vector<std::string>{"TWICE"});
}

TEST_F(HostClassTest, IndexedAndDefaultProperties) {
    EXPECT_EQ(T.Run("begin W.Cells[2] := 'v'; Out(W.Cells[3]); Out(W[1, 2]) end."), "cell 12");
    EXPECT_EQ(Calls, (std::vector<std::string>{"CELLS.SET 2 v", "CELLS.GET 3"}));
    EXPECT_EQ(T.Run("begin Out(W.Cells) end."), "compile: 需要索引 at 1:18");
}

TEST_F(HostClassTest, RegisteredPropertiesAndTheirTypes) {
    EXPECT_EQ(T.Run("begin Out(W.Area); Out(W.Flag) end."), "20 True");
    EXPECT_EQ(T.Run("begin W.Area := 5 end."), "compile: 左侧不能被赋值 at 1:7");
    EXPECT_EQ(T.Run("begin W.Nothing := 5 end."), "compile: 标识符未申明: 'Nothing' at 1:16");
    EXPECT_EQ(T.Run("var i: Integer; begin i := W.Caption end."), "compile: 类型不兼容: 'Integer', 'String' at 1:23");
}

TEST_F(HostClassTest, ConstructorsCastsAndIs) {
    EXPECT_EQ(T.Run("var x: TScriptTestWidget; y: Variant;\n"
                    "begin x := TScriptTestWidget.Create(W); x.Caption := 'new'; Out(x.Caption);\n"
                    "Out(x is TScriptTestWidget); Out(W is TComponent); Out(TScriptTestWidget(W).Width);\n"
                    "y := 5; Out(y is TComponent); y := nil; Out(y is TComponent) end."),
              "new True True 10 False False");
    ASSERT_EQ(W->ComponentCount(), 1);
    EXPECT_EQ(static_cast<TScriptTestWidget*>(W->Components(0))->Caption, "new");
}

TEST_F(HostClassTest, WithStatementReachesMembers) {
    EXPECT_EQ(T.Run("begin with W do begin Width := 7; Out(Caption); Out(Twice(Width)) end end."), "hello 14");
    EXPECT_EQ(W->Width, 7);
}

TEST_F(HostClassTest, LateBindingThroughVariants) {
    EXPECT_EQ(T.Run("var y: Variant; begin y := V; Out(y.Caption); y.Width := 9; with y do Out(Width) end."),
              "buddy 9");
}

// Objects are checked handles: a freed object, nil and a class reference raise instead of
// reaching memory.
TEST_F(HostClassTest, StaleNilAndClassReferencesRaise) {
    EXPECT_EQ(T.Run("var x: TScriptTestWidget; begin x := nil; Out(x.Width) end."),
              "error: Object reference is nil");
    EXPECT_EQ(T.Run("begin Out(TScriptTestWidget.Width) end."), "error: 需要类型");
    V.reset();
    const std::string out = T.Run("begin Out(V.Width) end.");
    EXPECT_EQ(out.rfind("error: ", 0), 0u) << out;
    EXPECT_NE(out.find("handle"), std::string::npos) << out;
    EXPECT_EQ(T.Run("var y: Variant; begin y := V; Out(y is TObject) end."), "False");
}

TEST_F(HostClassTest, EventsBindUnbindAndDropWithTheirScript) {
    EXPECT_EQ(T.Run("procedure Changed(Sender: TObject); begin Out(TScriptTestWidget(Sender).Caption) end;\n"
                    "begin W.OnChange := @Changed end."),
              "");
    ASSERT_TRUE(W->OnChange.Assigned());
    EXPECT_EQ(W->OnChange.HandlerName(), "Changed");
    W->OnChange(W.get());
    EXPECT_EQ(T.Joined(), "hello");
    EXPECT_EQ(T.Run("procedure Changed(Sender: TObject); begin end; begin W.OnChange := nil end."), "");
    EXPECT_FALSE(W->OnChange.Assigned());
    EXPECT_EQ(T.Run("var NotAProc: Integer; begin W.OnChange := 'NotAProc' end."), "error: 事件句柄必须是一个过程");
    EXPECT_EQ(T.Run("procedure Two(a, b: Integer); begin end; begin W.OnChange := @Two end."),
              "error: 事件句柄必须是一个过程");
    // A handler whose script is cleared does nothing when the object fires later.
    EXPECT_EQ(T.Run("procedure Changed(Sender: TObject); begin Out('late') end; begin W.OnChange := @Changed end."), "");
    T.Output.clear();
    T.Script.Clear();
    W->OnChange(W.get());
    EXPECT_TRUE(T.Output.empty());
}

// An automation object that records its calls: kind, name as written, arguments in the
// order received (automation order: last first), and whether a result place was passed.
class RecordingDispatch : public TDispatch {
public:
    uint32_t GetIDsOfNames(std::string_view name, int32_t& dispId) override {
        if (name == "Missing") return DISP_E_UNKNOWNNAME;
        Names.emplace_back(name);
        dispId = static_cast<int32_t>(Names.size() - 1);
        return S_OK;
    }
    uint32_t Invoke(int32_t dispId, unsigned kind, std::span<Variant> args, Variant* result) override {
        std::string call = (kind & ikPropertyPut) ? "put" : (kind & ikPropertyGet) ? "get" : "call";
        call += " " + Names[static_cast<size_t>(dispId)];
        for (const Variant& a : args) call += " " + VarToStr(a);
        if (result) {
            call += " ->";
            *result = Variant(static_cast<int>(Calls.size()));
        }
        Calls.push_back(call);
        return S_OK;
    }
    std::vector<std::string> Names;
    std::vector<std::string> Calls;
};

TEST(Automation, LateBoundCallsByNameInScriptOrder) {
    auto server = std::make_shared<RecordingDispatch>();
    SetCreateOleObjectHandler([server](const std::string& progId) {
        if (progId != "Test.Server") throw EOleError("OLE error 800401F3: " + progId);
        return Variant(std::shared_ptr<TDispatch>(server));
    });
    TestScript t;
    EXPECT_EQ(t.Run("var x: Variant;\n"
                    "begin x := CreateOleObject('Test.Server'); x.Visible := True; Out(x.Count);\n"
                    "x.Cells[2, 3] := 'v'; x.Quit; x.Missing end."),
              "1 error: OLE error 80020006: Missing");
    SetCreateOleObjectHandler(nullptr);
    EXPECT_EQ(server->Calls, (std::vector<std::string>{"put Visible True", "get Count ->", "put Cells v 3 2", "call Quit"}));
}

}  // namespace

// Forms and controls built by scripts, with script procedures bound to their events and
// fired through the window layer's real input path.
#include "tests/script/core_helpers.h"

#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>

namespace {

template <class T>
T* ScriptObject(TfsScript& script, const std::string& name) {
    const Variant v = script.Variables(name);
    return v.IsObject() ? dynamic_cast<T*>(TObject::TryFromHandle(v.ObjectValue())) : nullptr;
}

// A form with a button, an edit and a list box made by the script; the script stays
// compiled so its handlers answer the events the test sends afterwards.
class ScriptFormTest : public ::testing::Test {
protected:
    void Build(const std::string& handlers, const std::string& bindings) {
        const std::string source =
            "var F: TForm; B: TButton; E: TEdit; L: TListBox; AllowClose: Boolean; CloseAction: Integer;\n" +
            handlers +
            "\nbegin\n"
            "  F := TForm.Create(nil); F.Caption := 'Script form'; F.SetBounds(100, 100, 320, 240);\n"
            "  B := TButton.Create(F); B.Parent := F; B.Caption := 'OK'; B.SetBounds(10, 10, 80, 25);\n"
            "  E := TEdit.Create(F); E.Parent := F; E.SetBounds(10, 50, 150, 21);\n"
            "  L := TListBox.Create(F); L.Parent := F; L.SetBounds(10, 80, 150, 80);\n"
            "  AllowClose := True; CloseAction := caHide;\n" +
            bindings + "\n  F.Show\nend.";
        ASSERT_EQ(T.Run(source), "");
        F = ScriptObject<TForm>(T.Script, "F");
        B = ScriptObject<TButton>(T.Script, "B");
        E = ScriptObject<TEdit>(T.Script, "E");
        L = ScriptObject<TListBox>(T.Script, "L");
        ASSERT_TRUE(F && B && E && L);
    }
    ~ScriptFormTest() override { delete F; }

    TUiTestHarness H;
    TestScript T;
    TForm* F = nullptr;
    TButton* B = nullptr;
    TEdit* E = nullptr;
    TListBox* L = nullptr;
};

TEST_F(ScriptFormTest, ControlsMadeByTheScriptAreOnTheForm) {
    Build("", "L.Items := 'one'#13#10'two'#13#10'three'; L.ItemIndex := 1; E.Text := L.Items.Text;");
    EXPECT_TRUE(F->Visible());
    EXPECT_EQ(F->Caption(), "Script form");
    EXPECT_EQ(B->Parent(), F);
    EXPECT_EQ(B->Caption(), "OK");
    EXPECT_EQ(B->Width(), 80);
    EXPECT_EQ(B->Owner(), F);
    EXPECT_EQ(L->Items()->Count(), 3);
    EXPECT_EQ(L->ItemIndex(), 1);
    // A list box without multiple selection counts -1 selected items, as the class library does.
    EXPECT_EQ(VarToStr(T.Script.Evaluate("L.SelCount")), "-1");
    EXPECT_EQ(VarToStr(T.Script.Evaluate("L.Selected[1]")), "True");
}

TEST_F(ScriptFormTest, ClickAndMouseHandlersRunWithTheEventsArguments) {
    Build("procedure BClick(Sender: TObject); begin Out('click ' + TButton(Sender).Caption); E.Text := 'clicked' end;\n"
          "procedure BDown(Sender: TObject; Button: TMouseButton; Shift: Integer; X, Y: Integer);\n"
          "begin Out(Button); Out(X); Out(Y) end;",
          "B.OnClick := @BClick; B.OnMouseDown := @BDown;");
    TUiTestHarness::Click(B);
    EXPECT_EQ(T.Joined(), "0 40 12 click OK");
    EXPECT_EQ(E->Text(), "clicked");
    T.Output.clear();
    TUiTestHarness::MouseDown(B, TPoint{5, 6}, mbRight);
    TUiTestHarness::MouseUp(B, TPoint{5, 6}, mbRight);
    EXPECT_EQ(T.Joined(), "1 5 6");
}

// The key a key handler leaves is what the edit receives: changed, swallowed (#0), or left
// as it came when the handler empties it.
TEST_F(ScriptFormTest, KeyHandlersChangeOrSwallowTheKey) {
    Build("procedure EKeyPress(Sender: TObject; var Key: Char);\n"
          "begin if Key = 'x' then Key := #0 else if Key = 'a' then Key := 'A' else if Key = 'e' then Key := '' end;\n"
          "procedure EKeyDown(Sender: TObject; var Key: Word; Shift: Integer);\n"
          "begin if Key = VK_RETURN then begin Out('enter'); Key := 0 end end;",
          "E.OnKeyPress := @EKeyPress; E.OnKeyDown := @EKeyDown;");
    TUiTestHarness::Click(E);
    TUiTestHarness::TypeText(E, "axbe");
    EXPECT_EQ(E->Text(), "Abe");
    TUiTestHarness::TypeKey(E, VK_RETURN);
    EXPECT_EQ(T.Joined(), "enter");
}

TEST_F(ScriptFormTest, CloseQueryAndCloseActionDecideWhetherTheFormCloses) {
    Build("procedure Query(Sender: TObject; var CanClose: Boolean); begin CanClose := AllowClose end;\n"
          "procedure Closing(Sender: TObject; var Action: TCloseAction); begin Out(Action); Action := CloseAction end;",
          "F.OnCloseQuery := @Query; F.OnClose := @Closing;");
    struct Case {
        bool Allow;
        int Action;
        bool VisibleAfter;
        const char* Seen;
    } cases[] = {{false, 1, true, ""}, {true, 0, true, "1"}, {true, 1, false, "1"}};
    for (const Case& c : cases) {
        F->Show();
        T.Output.clear();
        T.Script.SetVariables("AllowClose", Variant(c.Allow));
        T.Script.SetVariables("CloseAction", Variant(c.Action));
        F->Close();
        EXPECT_EQ(F->Visible(), c.VisibleAfter) << c.Allow << " " << c.Action;
        EXPECT_EQ(T.Joined(), c.Seen);
    }
}

TEST_F(ScriptFormTest, ShowModalReturnsTheModalResult) {
    Build("function Ask: Integer; begin F.Hide; B.ModalResult := mrOk; Result := F.ShowModal end;", "");
    H.OnModal([this](TCustomForm& form) {
        EXPECT_EQ(&form, F);
        TUiTestHarness::Click(B);
    });
    EXPECT_EQ(T.Script.CallFunction("Ask", Variant()), Variant(mrOk));
    EXPECT_TRUE(H.Errors().empty());
}

// Freeing a control from the script takes it off its form, and its handler goes with it.
TEST_F(ScriptFormTest, FreeingAControlFromTheScriptRemovesIt) {
    Build("procedure BClick(Sender: TObject); begin Out('click') end;\n"
          "procedure Drop; begin B.Free end;",
          "B.OnClick := @BClick;");
    const int before = F->ComponentCount();
    const TObjectHandle handle = B->Handle();
    T.Script.CallFunction("Drop", Variant());
    EXPECT_EQ(F->ComponentCount(), before - 1);
    EXPECT_EQ(TObject::TryFromHandle(handle), nullptr);
    EXPECT_EQ(F->ControlCount(), 2);
    EXPECT_TRUE(T.Output.empty());
}

// A memo takes the members it shares with the one-line edit (limit, password character,
// border) on its own widget; the limit holds for text typed afterwards.
TEST(ScriptForms, MemoTakesTheEditMembers) {
    TUiTestHarness h;
    TForm form(nullptr);
    TestScript t;
    ASSERT_EQ(t.Run("var M: TMemo;\nbegin M := TMemo.Create(nil); M.MaxLength := 5; M.PasswordChar := '*';\n"
                    "M.BorderStyle := bsNone; Out(M.MaxLength); Out(M.BorderStyle) end."),
              "5 0");
    auto* memo = ScriptObject<TMemo>(t.Script, "M");
    ASSERT_NE(memo, nullptr);
    std::unique_ptr<TMemo> owned(memo);
    EXPECT_EQ(memo->PasswordChar(), U'*');
    // Typed on a window, as a user types.
    memo->SetParent(&form);
    form.Show();
    TUiTestHarness::Click(memo);
    TUiTestHarness::TypeText(memo, "1234567");
    EXPECT_EQ(memo->Text(), "12345");
}

TEST(ScriptForms, ApplicationAndConstants) {
    TestScript t;
    EXPECT_EQ(t.Run("begin Out(Application.ExeName <> ''); Out(mrYesToAll); Out(crHandPoint); Out(crSizeAll);\n"
                    "Out(bsSizeToolWin); Out(VK_RETURN); Out(VK_F12); Out(VK_NUMPAD9); Out(VK_SCROLL);\n"
                    "Out(ssDouble); Out(alClient); Out(caMinimize); Out(poDesktopCenter); Out(akBottom) end."),
              "True 10 -21 -22 5 13 123 105 145 64 5 3 5 8");
}

// A memo's Lines is a TStrings object in every language: Add, Count and the default
// property, then the memo shows the lines.
TEST(ScriptStringLists, MemoLinesInEveryLanguage) {
    struct {
        const char* Language;
        const char* Source;
    } cases[] = {
        {"PascalScript", "begin Memo1.Lines.Add('x'); Memo1.Lines.Add('y'); Out(Memo1.Lines.Count); Out(Memo1.Lines[0]) end."},
        {"C++Script", "{ Memo1.Lines.Add(\"x\"); Memo1.Lines.Add(\"y\"); Out(Memo1.Lines.Count); Out(Memo1.Lines[0]); }"},
        {"JScript", "Memo1.Lines.Add(\"x\"); Memo1.Lines.Add(\"y\"); Out(Memo1.Lines.Count); Out(Memo1.Lines[0]);"},
        {"BasicScript", "Memo1.Lines.Add(\"x\")\nMemo1.Lines.Add(\"y\")\nOut(Memo1.Lines.Count)\nOut(Memo1.Lines[0])\n"},
    };
    TUiTestHarness harness;
    for (const auto& c : cases) {
        TMemo memo(nullptr);
        memo.Lines()->SetText("first\r\n");
        TestScript t;
        t.Setup = [&memo](TfsScript& s) { s.AddObject("Memo1", &memo); };
        t.Script.SetSyntaxType(c.Language);
        EXPECT_EQ(t.Run(c.Source), "3 first") << c.Language;
        EXPECT_EQ(memo.Lines()->Text(), "first\r\nx\r\ny\r\n") << c.Language;
    }
}

}  // namespace

// Shared by the window tests: a harness per test and a form class with published
// handlers that records what they saw.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// A window class as the program writes them: fields bound by name, handlers published.
class TProbeForm : public TForm {
    ROVE_CLASS(TProbeForm, TForm)
public:
    explicit TProbeForm(TComponent* AOwner) : TForm(AOwner) {}

    std::vector<std::string> Log;
    // Characters the digit filter lets through besides digits.
    std::u32string Allowed = U"\b";

    // The numeric-field rule: digits and the editing keys; anything else is swallowed.
    void DigitsKeyPress(TObject*, char32_t& Key) {
        if ((Key >= '0' && Key <= '9') || Allowed.find(Key) != std::u32string::npos) return;
        Log.push_back("swallowed " + std::to_string(uint32_t(Key)));
        Key = 0;
    }
    void UpperKeyPress(TObject*, char32_t& Key) {
        if (Key >= 'a' && Key <= 'z') Key -= 32;
    }
    void EnterKeyPress(TObject* Sender, char32_t& Key) {
        if (Key == 13) {
            Log.push_back("enter " + static_cast<TComponent*>(Sender)->Name());
            Key = 0;
        }
    }
    void ButtonClick(TObject* Sender) { Log.push_back("click " + static_cast<TComponent*>(Sender)->Name()); }
    void FailClick(TObject*) { throw Exception("数据库错误"); }
    void ActionExecute(TObject* Sender) { Log.push_back("execute " + static_cast<TComponent*>(Sender)->Name()); }
    void EditEnter(TObject* Sender) { Log.push_back("enter-focus " + static_cast<TComponent*>(Sender)->Name()); }
    void EditExit(TObject* Sender) { Log.push_back("exit-focus " + static_cast<TComponent*>(Sender)->Name()); }
    void EditChange(TObject* Sender) { Log.push_back("change " + static_cast<TComponent*>(Sender)->Name()); }
    void FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
        Log.push_back("form-keydown " + std::to_string(Key) + "/" + std::to_string(Shift));
    }
    void FormShow(TObject*) { Log.push_back("show"); }
    void FormCloseQuery(TObject*, bool& CanClose) {
        CanClose = AllowClose;
        Log.push_back(std::string("closequery ") + (CanClose ? "yes" : "no"));
    }
    void FormClose(TObject*, TCloseAction& Action) {
        Action = CloseAction;
        Log.push_back("close");
    }
    bool AllowClose = true;
    TCloseAction CloseAction = caHide;

    static void DeclareProperties(TPropertyDecl<TProbeForm>& d) {
        d.Method("DigitsKeyPress", &TProbeForm::DigitsKeyPress);
        d.Method("UpperKeyPress", &TProbeForm::UpperKeyPress);
        d.Method("EnterKeyPress", &TProbeForm::EnterKeyPress);
        d.Method("ButtonClick", &TProbeForm::ButtonClick);
        d.Method("FailClick", &TProbeForm::FailClick);
        d.Method("ActionExecute", &TProbeForm::ActionExecute);
        d.Method("EditEnter", &TProbeForm::EditEnter);
        d.Method("EditExit", &TProbeForm::EditExit);
        d.Method("EditChange", &TProbeForm::EditChange);
        d.Method("FormKeyDown", &TProbeForm::FormKeyDown);
        d.Method("FormShow", &TProbeForm::FormShow);
        d.Method("FormCloseQuery", &TProbeForm::FormCloseQuery);
        d.Method("FormClose", &TProbeForm::FormClose);
    }
};

// Builds a probe form from form-resource text (the root object's class is TProbeForm).
inline std::unique_ptr<TProbeForm> MakeForm(const std::string& text) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    ReadComponentFromText(text, form.get(), "test.dfm");
    return form;
}

template <class T>
T* Find(TComponent* root, const char* name) {
    auto* c = dynamic_cast<T*>(root->FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

class UiTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(Harness.Errors().empty()) << Harness.Errors().front();
        EXPECT_EQ(Harness.PendingAnswers(), 0);
        EXPECT_EQ(Harness.PendingDrivers(), 0);
        TUiTestHarness::ProcessMessages();
    }
    TUiTestHarness Harness;
};

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height() << ")";
}

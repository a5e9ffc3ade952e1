#include "app/forms/DatabaseWait.h"

#include "app/database/DatabaseTexts.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <memory>

namespace {

// Waits shorter than this (another workstation's save) pass without a word.
constexpr int kNoticeAfterMs = 200;
// The notice goes this long after the last wait, once the event loop runs again.
constexpr int kNoticeLingersMs = 250;

// The notice is a panel on the active window, so that it takes neither the focus nor a
// window of its own; it goes with that window too.
class TWaitNotice final : public TComponent {
public:
    TWaitNotice() : TComponent(nullptr) {
        FTimer = new TTimer(this);
        FTimer->SetEnabled(false);
        FTimer->SetInterval(kNoticeLingersMs);
        FTimer->OnTimer = [this](TObject*) { Hide(); };
    }
    ~TWaitNotice() override { Hide(); }

    void Waiting(int WaitedMs) {
        if (WaitedMs >= kNoticeAfterMs && !FPanel) Show();
        if (FPanel) {
            // The timer starts afresh: it fires only once no statement waits any more.
            FTimer->SetEnabled(false);
            FTimer->SetEnabled(true);
        }
        Application->ProcessPaintMessages();
    }
    TPanel* Panel() const { return FPanel; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove || AComponent != FPanel) return;
        // The window went with its notice.
        FPanel = nullptr;
        Screen->SetCursor(FSavedCursor);
    }

private:
    void Show() {
        TCustomForm* form = Screen->ActiveForm();
        if (!form || !form->Visible()) return;
        FPanel = new TPanel(form);
        FPanel->FreeNotification(this);
        FPanel->SetParent(form);
        FPanel->SetText(kDatabaseWaitText);
        const int w = 320, h = 48;
        FPanel->SetBounds((form->ClientWidth() - w) / 2, (form->ClientHeight() - h) / 2, w, h);
        FPanel->BringToFront();
        FSavedCursor = Screen->Cursor();
        Screen->SetCursor(crHourGlass);
    }
    void Hide() {
        if (FTimer) FTimer->SetEnabled(false);
        if (!FPanel) return;
        TPanel* panel = FPanel;
        FPanel = nullptr;
        panel->RemoveFreeNotification(this);
        delete panel;
        Screen->SetCursor(FSavedCursor);
    }

    TTimer* FTimer = nullptr;
    TPanel* FPanel = nullptr;
    TCursor FSavedCursor = crDefault;
};

TWaitNotice& Notice() {
    static TWaitNotice* notice = new TWaitNotice();   // lives as long as the program
    return *notice;
}

}  // namespace

void ClinicDatabaseWaits(int WaitedMs) { Notice().Waiting(WaitedMs); }

TPanel* ClinicDatabaseWaitNotice() { return Notice().Panel(); }

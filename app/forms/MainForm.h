// Twqtdglzjmform: the clinic's main window. Every clinic function is an action of
// ActionList1 whose tag is its function number; the login enables the actions the user holds
// (all start disabled), and the tool bar, the menu bar and other windows' controls bound to
// an action follow it. Help, leaving (with the backup question) and the change of operator
// are plain handlers that need no right.
#pragma once

#include "platform/ui/Forms.h"

#include <string_view>

class TImage;
class TLabel;
class TToolBar;
class TMainMenu;
class TActionList;
class TAction;
class TImageListComponent;
class TTimer;

class Twqtdglzjmform : public TForm {
    ROVE_CLASS(Twqtdglzjmform, TForm)
public:
    explicit Twqtdglzjmform(TComponent* AOwner);
    ~Twqtdglzjmform() override;

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TActionList* ActionList1 = nullptr;
    TImageListComponent* ImageList1 = nullptr;

    // The rights: enables the first action of ActionList1 whose tag is Tag (false when
    // there is none), and disables them all.
    bool EnableActionByTag(int Tag);
    void DisableAllActions();
    TAction* ActionByName(std::string_view Name) const;
    // True from the first show until the login that it brings has been shown.
    bool LoginPending() const;
    // After a login: the open windows whose action is disabled are closed (or, when one
    // refuses to close, disabled); those whose action is enabled are usable.
    void ApplyRightsToOpenWindows();

    // --- Handlers ----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void HelpClick(TObject* Sender);
    void AboutClick(TObject* Sender);
    void ExitClick(TObject* Sender);
    void ChangeOperatorClick(TObject* Sender);
    // The actions that open a window, shown modally or not as the action's table says.
    void ShowWindowExecute(TObject* Sender);
    void tjExecute(TObject* Sender);
    void yhsfExecute(TObject* Sender);
    void nbjzExecute(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Twqtdglzjmform>& d);

protected:
    void BindFields() override;

private:
    // Offers the backup before leaving: OK shows the backup window modally (true).
    bool AskForBackup();
    void DrawPictures();
    // Brings the login once the window is on screen.
    TTimer* FLoginTimer = nullptr;
};

extern Twqtdglzjmform* wqtdglzjmform;

// The window an action of the main window opens, and whether it is shown modally.
struct TActionWindow {
    std::string_view Action;
    std::string_view WindowClass;
    bool Modal;
};
// The table behind ShowWindowExecute; nullptr for an action that opens no window.
const TActionWindow* FindActionWindow(std::string_view ActionName);

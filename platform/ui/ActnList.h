// Actions: named commands with a caption, an enabled and a checked state, a hint, an
// image and a shortcut, kept in an action list. Controls, menu items and tool buttons
// that name an action take its properties through an action link and follow every change;
// clicking them executes the action.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/ui/Keys.h"

#include <functional>
#include <string>
#include <vector>

class TBasicAction;
class TCustomActionList;

// The link of a client (control, menu item, tool button) to its action: the client is
// told of every change of the action, and executes it when clicked.
class TActionLink {
public:
    TActionLink(TComponent* Client, std::function<void(TBasicAction*)> OnChange);
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TComponent* Client() const { return FClient; }
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Executes the action with Sender as its ActionComponent; false when it did not run.
    bool Execute(TComponent* Sender);
    void Change();

    // Which client properties come from the action (and are not stored with the client).
    bool IsCaptionLinked() const;
    bool IsCheckedLinked() const;
    bool IsEnabledLinked() const;
    bool IsHintLinked() const;
    bool IsImageIndexLinked() const;
    bool IsShortCutLinked() const;
    bool IsVisibleLinked() const;
    bool IsOnExecuteLinked() const;

private:
    TComponent* FClient;
    TBasicAction* FAction = nullptr;
    std::function<void(TBasicAction*)> FOnChange;
};

class TBasicAction : public TComponent {
    ROVE_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;

    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate (the action's chance to set its state); false when there is none.
    virtual bool Update();
    // The client that executed the action, during Execute.
    TComponent* ActionComponent() const { return FActionComponent; }
    void SetActionComponent(TComponent* Value) { FActionComponent = Value; }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

    // The links of the clients (for the layer).
    void RegisterChanges(TActionLink* Link);
    void UnRegisterChanges(TActionLink* Link);
    int ClientCount() const { return static_cast<int>(FClients.size()); }
    TComponent* Clients(int Index) const { return FClients.at(Index)->Client(); }

    static void DeclareProperties(TPropertyDecl<TBasicAction>& d);

protected:
    void Change();
    std::vector<TActionLink*> FClients;
    TComponent* FActionComponent = nullptr;
};

// An action that belongs to an action list (streamed inside it).
class TContainedAction : public TBasicAction {
    ROVE_CLASS(TContainedAction, TBasicAction)
public:
    explicit TContainedAction(TComponent* AOwner);
    ~TContainedAction() override;

    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* Value);
    int Index() const;
    void SetIndex(int Value);
    const std::string& Category() const { return FCategory; }
    void SetCategory(const std::string& Value) { FCategory = Value; }

    bool Execute() override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;

    static void DeclareProperties(TPropertyDecl<TContainedAction>& d);

protected:
    friend class TCustomActionList;
    TCustomActionList* FActionList = nullptr;
    std::string FCategory;
};

class TCustomAction : public TContainedAction {
    ROVE_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* AOwner);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }

    // Runs only while enabled; an AutoCheck action toggles Checked first.
    bool Execute() override;

    static void DeclareProperties(TPropertyDecl<TCustomAction>& d);

private:
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    std::string FHint;
    int FImageIndex = -1;
    TShortCut FShortCut = 0;
    bool FVisible = true;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    int FHelpContext = 0;
};

class TAction : public TCustomAction {
    ROVE_CLASS(TAction, TCustomAction)
public:
    explicit TAction(TComponent* AOwner);
};

using TActionEvent = TEvent<void(TBasicAction* Action, bool& Handled)>;
ROVE_EVENT_TYPE(TActionEvent)

class TImageListComponent;

class TCustomActionList : public TComponent {
    ROVE_CLASS(TCustomActionList, TComponent)
public:
    explicit TCustomActionList(TComponent* AOwner);
    ~TCustomActionList() override;

    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int Index) const;
    // The action list's OnExecute may handle an action for all of them.
    bool ExecuteAction(TBasicAction* Action);
    // Executes the enabled action with that shortcut; true when one ran.
    bool IsShortCut(TShortCut Key);
    TImageListComponent* Images() const { return FImages; }
    void SetImages(TImageListComponent* Value);

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TActionEvent OnExecute;
    TActionEvent OnUpdate;
    TNotifyEvent OnChange;

    // The layer's own (TContainedAction::SetActionList).
    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);
    void MoveAction(TContainedAction* Action, int Index);

    static void DeclareProperties(TPropertyDecl<TCustomActionList>& d);

private:
    std::vector<TContainedAction*> FActions;
    TImageListComponent* FImages = nullptr;
};

class TActionList : public TCustomActionList {
    ROVE_CLASS(TActionList, TCustomActionList)
public:
    explicit TActionList(TComponent* AOwner);
};

// "Ctrl+S" and back, as menus show shortcuts and form resources may name them.
std::string ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(std::string_view Text);

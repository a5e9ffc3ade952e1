// Actions, action lists and the links that keep clients in step with their actions.
#include "platform/ui/ActnList.h"

#include "platform/rtl/StrUtils.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ImgList.h"

#include <algorithm>

ROVE_IMPLEMENT_CLASS(TBasicAction)
ROVE_IMPLEMENT_CLASS(TContainedAction)
ROVE_IMPLEMENT_CLASS(TCustomAction)
ROVE_IMPLEMENT_CLASS(TAction)
ROVE_IMPLEMENT_CLASS(TCustomActionList)
ROVE_IMPLEMENT_CLASS(TActionList)

// --- TActionLink -------------------------------------------------------------------------

TActionLink::TActionLink(TComponent* Client, std::function<void(TBasicAction*)> OnChange)
    : FClient(Client), FOnChange(std::move(OnChange)) {}

TActionLink::~TActionLink() {
    if (FAction) FAction->UnRegisterChanges(this);
}

void TActionLink::SetAction(TBasicAction* Value) {
    if (FAction == Value) return;
    if (FAction) FAction->UnRegisterChanges(this);
    FAction = Value;
    if (FAction) FAction->RegisterChanges(this);
}

bool TActionLink::Execute(TComponent* Sender) {
    if (!FAction) return false;
    FAction->SetActionComponent(Sender);
    struct TReset {
        TBasicAction* A;
        ~TReset() { A->SetActionComponent(nullptr); }
    } reset{FAction};
    return FAction->Execute();
}

void TActionLink::Change() {
    if (FOnChange && FAction) FOnChange(FAction);
}

bool TActionLink::IsCaptionLinked() const { return dynamic_cast<TCustomAction*>(FAction) != nullptr; }
bool TActionLink::IsCheckedLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsEnabledLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsHintLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsImageIndexLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsShortCutLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsVisibleLinked() const { return IsCaptionLinked(); }
bool TActionLink::IsOnExecuteLinked() const { return FAction != nullptr; }

// --- TBasicAction ------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
    // Clients drop their links when told through Notification; the remaining links
    // forget the action here.
    std::vector<TActionLink*> clients = FClients;
    for (TActionLink* l : clients) l->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute.Assigned()) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate.Assigned()) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TActionLink* Link) { FClients.push_back(Link); }

void TBasicAction::UnRegisterChanges(TActionLink* Link) {
    FClients.erase(std::remove(FClients.begin(), FClients.end(), Link), FClients.end());
}

void TBasicAction::Change() {
    std::vector<TActionLink*> clients = FClients;
    for (TActionLink* l : clients) l->Change();
}

void TBasicAction::DeclareProperties(TPropertyDecl<TBasicAction>& d) {
    d.Event("OnExecute", &TBasicAction::OnExecute);
    d.Event("OnUpdate", &TBasicAction::OnUpdate);
}

// --- TContainedAction --------------------------------------------------------------------

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() {
    if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
    if (FActionList == Value) return;
    if (FActionList) FActionList->RemoveAction(this);
    if (Value) Value->AddAction(this);
}

int TContainedAction::Index() const {
    if (!FActionList) return -1;
    for (int i = 0; i < FActionList->ActionCount(); ++i)
        if (FActionList->Actions(i) == this) return i;
    return -1;
}

void TContainedAction::SetIndex(int Value) {
    if (FActionList) FActionList->MoveAction(this, Value);
}

bool TContainedAction::Execute() {
    if (FActionList && FActionList->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* Value) {
    if (auto* list = dynamic_cast<TCustomActionList*>(Value)) SetActionList(list);
}

void TContainedAction::DeclareProperties(TPropertyDecl<TContainedAction>& d) {
    d.Property("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

// --- TCustomAction -----------------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

void TCustomAction::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    FCaption = Value;
    Change();
}

// Checking an action of a group unchecks the others of the group in its list.
void TCustomAction::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FGroupIndex > 0 && FActionList) {
        for (int i = 0; i < FActionList->ActionCount(); ++i)
            if (auto* a = dynamic_cast<TCustomAction*>(FActionList->Actions(i)); a && a != this && a->FGroupIndex == FGroupIndex)
                a->SetChecked(false);
    }
    Change();
}

void TCustomAction::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Change();
}

void TCustomAction::SetHint(const std::string& Value) {
    if (FHint == Value) return;
    FHint = Value;
    Change();
}

void TCustomAction::SetImageIndex(int Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
    if (FShortCut == Value) return;
    FShortCut = Value;
    Change();
}

void TCustomAction::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Change();
}

void TCustomAction::SetGroupIndex(int Value) { FGroupIndex = Value; }

bool TCustomAction::Execute() {
    Update();
    if (!FEnabled) return false;
    if (FAutoCheck) SetChecked(!FChecked);
    return TContainedAction::Execute();
}

void TCustomAction::DeclareProperties(TPropertyDecl<TCustomAction>& d) {
    d.Property("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).Default(false);
    d.Property("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption);
    d.Property("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).Default(false);
    d.Property("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).Default(true);
    d.Property("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex).Default(0);
    d.Property("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext).Default(0);
    d.Property("Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
    d.Property("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex).Default(-1);
    d.Property("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut).Default(0);
    d.Property("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).Default(true);
}

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}

// --- TCustomActionList -------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
    std::vector<TContainedAction*> actions = FActions;
    for (TContainedAction* a : actions) a->SetActionList(nullptr);
}

TContainedAction* TCustomActionList::Actions(int Index) const {
    if (Index < 0 || Index >= ActionCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FActions[Index];
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TShortCut Key) {
    if (Key == 0) return false;
    for (TContainedAction* a : std::vector<TContainedAction*>(FActions)) {
        auto* ca = dynamic_cast<TCustomAction*>(a);
        if (!ca || ca->ShortCut() != Key) continue;
        // A disabled action lets the key go on to the control.
        ca->Update();
        if (!ca->Enabled()) return false;
        return ca->Execute();
    }
    return false;
}

void TCustomActionList::SetImages(TImageListComponent* Value) {
    FImages = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TContainedAction* a : FActions)
        if (a->Owner() == Root) Proc(a);
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TCustomActionList::AddAction(TContainedAction* Action) {
    FActions.push_back(Action);
    Action->FActionList = this;
    OnChange(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
    auto it = std::find(FActions.begin(), FActions.end(), Action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    Action->FActionList = nullptr;
    if (!ComponentState().Contains(csDestroying)) OnChange(this);
}

void TCustomActionList::MoveAction(TContainedAction* Action, int Index) {
    auto it = std::find(FActions.begin(), FActions.end(), Action);
    if (it == FActions.end()) return;
    FActions.erase(it);
    Index = std::clamp(Index, 0, ActionCount());
    FActions.insert(FActions.begin() + Index, Action);
}

void TCustomActionList::DeclareProperties(TPropertyDecl<TCustomActionList>& d) {
    d.Property("Images", &TCustomActionList::Images, &TCustomActionList::SetImages);
    d.Event("OnChange", &TCustomActionList::OnChange);
    d.Event("OnExecute", &TCustomActionList::OnExecute);
    d.Event("OnUpdate", &TCustomActionList::OnUpdate);
}

TActionList::TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}

// --- Shortcut text -----------------------------------------------------------------------

namespace {

std::string KeyName(uint16_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
    switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return {};
    }
}

}  // namespace

std::string ShortCutToText(TShortCut ShortCut) {
    const std::string name = KeyName(ShortCut & 0xFF);
    if (name.empty()) return {};
    std::string s;
    if (ShortCut & scShift) s += "Shift+";
    if (ShortCut & scCtrl) s += "Ctrl+";
    if (ShortCut & scAlt) s += "Alt+";
    return s + name;
}

TShortCut TextToShortCut(std::string_view Text) {
    TShortCut mods = 0;
    std::string rest(Text);
    for (;;) {
        if (StartsText("Shift+", rest)) { mods |= scShift; rest.erase(0, 6); }
        else if (StartsText("Ctrl+", rest)) { mods |= scCtrl; rest.erase(0, 5); }
        else if (StartsText("Alt+", rest)) { mods |= scAlt; rest.erase(0, 4); }
        else break;
    }
    for (unsigned key = 1; key < 256; ++key)
        if (!KeyName(uint16_t(key)).empty() && SameText(KeyName(uint16_t(key)), rest)) return TShortCut(key | mods);
    return 0;
}

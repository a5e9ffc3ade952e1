// Menu items, main menus and pop-up menus over QMenuBar/QMenu. The Qt menus are rebuilt
// from the item tree when its structure changes; state changes update the Qt actions.
// Shortcuts are shown in the menus but handled by the layer's key path, so a disabled
// item's key goes on to the focused control.
#include "platform/ui/Menus.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/UiInternal.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TMenuItem)
ROVE_IMPLEMENT_CLASS(TMenu)
ROVE_IMPLEMENT_CLASS(TMainMenu)
ROVE_IMPLEMENT_CLASS(TPopupMenu)

struct TMainMenu::TBarPeer {
    QPointer<QMenuBar> Bar;
};

struct TPopupMenu::TPopupPeer {
    QPointer<QMenu> Menu;
    ~TPopupPeer() { delete Menu.data(); }
};

namespace {

TPopupHook gPopupHook;

QString ItemText(const TMenuItem* item) {
    QString text = QStr(item->Caption());
    if (item->ShortCut() != 0) text += "\t" + QStr(ShortCutToText(item->ShortCut()));
    return text;
}

void ApplyItemState(TMenuItem* item) {
    QAction* a = item->Peer() ? item->Peer()->Action.data() : nullptr;
    if (!a) return;
    a->setText(ItemText(item));
    a->setEnabled(item->Enabled());
    a->setVisible(item->Visible());
    a->setCheckable(item->Checked() || item->RadioItem() || item->AutoCheck());
    a->setChecked(item->Checked());
    if (item->Default()) {
        QFont f = a->font();
        f.setBold(true);
        a->setFont(f);
    }
    if (TMenu* menu = item->GetParentMenu(); menu && menu->Images() && item->ImageIndex() >= 0) {
        TBitmap bmp;
        if (menu->Images()->List().GetBitmap(item->ImageIndex(), bmp))
            a->setIcon(QIcon(QPixmap::fromImage(BitmapImage(bmp))));
    }
}

void BuildItems(QWidget* menu, TMenuItem* parent);

QAction* BuildItem(QWidget* container, TMenuItem* item) {
    TMenuPeer* peer = item->Peer();
    if (item->IsLine()) {
        auto* sep = new QAction(container);
        sep->setSeparator(true);
        container->addAction(sep);
        peer->Action = sep;
        peer->SubMenu = nullptr;
        sep->setVisible(item->Visible());
        return sep;
    }
    if (item->Count() > 0) {
        auto* sub = new QMenu(ItemText(item), container);
        peer->SubMenu = sub;
        peer->Action = sub->menuAction();
        container->addAction(sub->menuAction());
        QObject::connect(sub, &QMenu::aboutToShow, sub, [item] { SafeCall([&] { item->Click(); }); });
        BuildItems(sub, item);
    } else {
        auto* a = new QAction(ItemText(item), container);
        peer->Action = a;
        peer->SubMenu = nullptr;
        container->addAction(a);
        QObject::connect(a, &QAction::triggered, a, [item] { SafeCall([&] { item->Click(); }); });
    }
    ApplyItemState(item);
    return peer->Action;
}

void BuildItems(QWidget* menu, TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) BuildItem(menu, parent->Items(i));
}

void ClearPeers(TMenuItem* item) {
    for (int i = 0; i < item->Count(); ++i) {
        item->Items(i)->Peer()->Action = nullptr;
        item->Items(i)->Peer()->SubMenu = nullptr;
        ClearPeers(item->Items(i));
    }
}

}  // namespace

void SetPopupHook(TPopupHook hook) { gPopupHook = std::move(hook); }

QMenuBar* MenuBarOf(TMainMenu* menu) { return menu && menu->BarPeer() ? menu->BarPeer()->Bar.data() : nullptr; }

std::string StripHotkey(std::string_view Caption) {
    std::string out;
    for (size_t i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == '&') {
            if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += Caption[i];
    }
    return out;
}

// --- TMenuItem ---------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FPeer(std::make_unique<TMenuPeer>()) {}

TMenuItem::~TMenuItem() {
    SetComponentStateFlag(csDestroying, true);
    FActionLink.reset();
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        FItems.pop_back();
        child->FParent = nullptr;
        delete child;
    }
    if (FParent) FParent->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[Index];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
    if (!Item) return;
    if (Item->FParent) throw EInvalidOperation("Menu inserted twice");
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed(true);
}

void TMenuItem::Delete(int Index) {
    TMenuItem* item = Items(Index);
    Remove(item);
    delete item;
}

void TMenuItem::Remove(TMenuItem* Item) {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    Item->FParent = nullptr;
    Item->FPeer->Action = nullptr;
    Item->FPeer->SubMenu = nullptr;
    if (!ComponentState().Contains(csDestroying)) Changed(true);
}

void TMenuItem::Clear() {
    while (!FItems.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::SetMenuIndex(int Value) {
    if (!FParent) return;
    TMenuItem* parent = FParent;
    auto& items = parent->FItems;
    items.erase(std::find(items.begin(), items.end(), this));
    Value = std::clamp(Value, 0, static_cast<int>(items.size()));
    items.insert(items.begin() + Value, this);
    parent->Changed(true);
}

TMenuItem* TMenuItem::Find(std::string_view ACaption) const {
    for (TMenuItem* i : FItems)
        if (SameText(StripHotkey(i->FCaption), StripHotkey(ACaption))) return i;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->FParent) i = i->FParent;
    return i->FMenu;
}

void TMenuItem::Changed(bool Rebuild) {
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    if (Rebuild) {
        if (TMenu* menu = GetParentMenu(); menu && !menu->ComponentState().Contains(csLoading) &&
                                           !menu->ComponentState().Contains(csDestroying))
            menu->Rebuild();
        return;
    }
    ApplyItemState(this);
}

void TMenuItem::SetCaption(const std::string& Value) {
    if (FCaption == Value) return;
    const bool lineChange = (FCaption == "-") != (Value == "-");
    FCaption = Value;
    Changed(lineChange);
}

// Checking a radio item unchecks the others of its group.
void TMenuItem::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem && FParent)
        for (TMenuItem* i : FParent->FItems)
            if (i != this && i->FRadioItem && i->FGroupIndex == FGroupIndex) i->SetChecked(false);
    Changed(false);
}

void TMenuItem::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Changed(false);
}

void TMenuItem::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    Changed(false);
}

void TMenuItem::SetDefault(bool Value) {
    FDefault = Value;
    Changed(false);
}

void TMenuItem::SetRadioItem(bool Value) {
    FRadioItem = Value;
    Changed(false);
}

void TMenuItem::SetShortCut(TShortCut Value) {
    FShortCut = Value;
    Changed(false);
}

void TMenuItem::SetImageIndex(int Value) {
    FImageIndex = Value;
    Changed(false);
}

TBitmap* TMenuItem::Bitmap() const {
    if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
    return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
    if (Value) Bitmap()->Assign(*static_cast<const TGraphic*>(Value));
    else FBitmap.reset();
}

TBasicAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink)
        FActionLink = std::make_unique<TActionLink>(this, [this](TBasicAction* a) { ActionChanged(a); });
    FActionLink->SetAction(Value);
    Value->FreeNotification(this);
    if (!ComponentState().Contains(csLoading)) ActionChanged(Value);
}

void TMenuItem::ActionChanged(TBasicAction* Sender) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    FCaption = a->Caption();
    FChecked = a->Checked();
    FEnabled = a->Enabled();
    FHint = a->Hint();
    FImageIndex = a->ImageIndex();
    FShortCut = a->ShortCut();
    FVisible = a->Visible();
    Changed(false);
}

void TMenuItem::Click() {
    if (!FEnabled) return;
    if (!FActionLink && FAutoCheck) SetChecked(!FChecked);
    TBasicAction* action = Action();
    if (OnClick.Assigned() && action &&
        (OnClick.HandlerName().empty() || OnClick.HandlerName() != action->OnExecute.HandlerName()))
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
    else
        OnClick(this);
    // The Qt action toggled itself; the item's state is what counts.
    if (FPeer->Action) FPeer->Action->setChecked(FChecked);
}

bool TMenuItem::IsShortCut(TShortCut Key) {
    for (TMenuItem* i : std::vector<TMenuItem*>(FItems)) {
        if (i->FShortCut == Key && Key != 0) {
            if (!i->FEnabled || !i->FVisible) return false;
            i->Click();
            return true;
        }
        if (i->IsShortCut(Key)) return true;
    }
    return false;
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu) return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (FParent) FParent->Remove(this);
    if (auto* menu = dynamic_cast<TMenu*>(Value)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(Value)) item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TMenuItem* i : FItems)
        if (i->Owner() == Root) Proc(i);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
}

void TMenuItem::Loaded() {
    TComponent::Loaded();
    if (FActionLink) ActionChanged(FActionLink->Action());
}

bool TMenuItem::IsCaptionStored() const { return !(FActionLink && FActionLink->IsCaptionLinked()); }

void TMenuItem::DeclareProperties(TPropertyDecl<TMenuItem>& d) {
    d.Property("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    d.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck).Default(false);
    d.Property("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap).Stored(false);
    d.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption).Stored(&TMenuItem::IsCaptionStored);
    d.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
    d.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
    d.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
    d.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
    d.Property("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext).Default(0);
    d.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    d.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
    d.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
    d.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
    d.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
    d.Event("OnClick", &TMenuItem::OnClick);
}

// --- TMenu -------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) {
    FItems->SetMenu(this);
}

TMenu::~TMenu() {
    SetComponentStateFlag(csDestroying, true);
    delete FItems;
}

void TMenu::SetImages(TImageListComponent* Value) {
    FImages = Value;
    if (Value) Value->FreeNotification(this);
}

bool TMenu::IsShortCut(TShortCut Key) { return FItems->IsShortCut(Key); }

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { FItems->GetChildren(Proc, Root); }

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TMenu::Loaded() {
    TComponent::Loaded();
    Rebuild();
}

void TMenu::DeclareProperties(TPropertyDecl<TMenu>& d) {
    d.Property("Images", &TMenu::Images, &TMenu::SetImages);
}

// --- TMainMenu ---------------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner), FBar(std::make_unique<TBarPeer>()) {}

TMainMenu::~TMainMenu() {
    SetComponentStateFlag(csDestroying, true);
    if (FForm) FForm->SetMenu(nullptr);
    ClearPeers(FItems);
    delete FBar->Bar.data();
}

void TMainMenu::AttachToForm(TCustomForm* Form) {
    FForm = Form;
    if (!FBar->Bar) {
        auto* bar = new QMenuBar(WidgetOf(Form));
        bar->setNativeMenuBar(false);
        FBar->Bar = bar;
    } else {
        FBar->Bar->setParent(WidgetOf(Form));
    }
    FBar->Bar->show();
    Rebuild();
}

void TMainMenu::DetachFromForm(TCustomForm* Form) {
    if (FForm != Form) return;
    FForm = nullptr;
    if (FBar->Bar) FBar->Bar->hide();
}

void TMainMenu::Rebuild() {
    QMenuBar* bar = FBar->Bar.data();
    if (!bar || ComponentState().Contains(csLoading)) return;
    ClearPeers(FItems);
    bar->clear();
    BuildItems(bar, FItems);
    if (FForm) FForm->LayoutFrame();
}

// --- TPopupMenu --------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner), FPopup(std::make_unique<TPopupPeer>()) {}

TPopupMenu::~TPopupMenu() {
    SetComponentStateFlag(csDestroying, true);
    ClearPeers(FItems);
}

void TPopupMenu::Rebuild() {
    if (ComponentState().Contains(csLoading)) return;
    if (!FPopup->Menu) FPopup->Menu = new QMenu();
    ClearPeers(FItems);
    FPopup->Menu->clear();
    BuildItems(FPopup->Menu, FItems);
}

void TPopupMenu::Popup(int X, int Y) {
    SafeCall([&] { OnPopup(this); });
    // A menu with nothing to choose shows nothing (an empty pop-up took the next click
    // anywhere in the program only to close itself).
    bool anything = false;
    for (int i = 0; i < Items()->Count() && !anything; ++i) anything = Items()->Items(i)->Visible();
    if (!anything) return;
    Rebuild();
    if (gPopupHook) {
        gPopupHook(*this, TPoint{X, Y});
        return;
    }
    FPopup->Menu->exec(QPoint(X, Y));
}

void TPopupMenu::DeclareProperties(TPropertyDecl<TPopupMenu>& d) {
    d.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
    d.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
    d.Event("OnPopup", &TPopupMenu::OnPopup);
}

// Menus: the main menu of a form (its menu bar), pop-up menus, and their items with
// caption, shortcut, check mark, enabled and visible state, an action, and OnClick.
// A caption of "-" is a separator; "&" marks the accelerator character.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Keys.h"

#include <memory>
#include <string>
#include <vector>

class TActionLink;
class TBasicAction;
class TCustomForm;
class TImageListComponent;
class TMenu;
struct TMenuPeer;

class TMenuItem : public TComponent {
    ROVE_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    // --- Sub-items -------------------------------------------------------------------
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Delete(int Index);            // frees the item
    void Remove(TMenuItem* Item);      // keeps it alive
    void Clear();                      // frees every sub-item
    int IndexOf(const TMenuItem* Item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(int Value);
    // The sub-item whose caption (without "&") is ACaption, ignoring ASCII case.
    TMenuItem* Find(std::string_view ACaption) const;
    bool IsLine() const { return FCaption == "-"; }
    TMenu* GetParentMenu() const;

    // --- State -------------------------------------------------------------------------
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    TBitmap* Bitmap() const;
    void SetBitmap(TBitmap* Value);

    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    void ActionChanged(TBasicAction* Sender);

    // OnClick or the action (an item that opens a sub-menu is clicked when it opens).
    virtual void Click();

    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    TNotifyEvent OnClick;

    static void DeclareProperties(TPropertyDecl<TMenuItem>& d);

    // The layer's own.
    TMenuPeer* Peer() const { return FPeer.get(); }
    void Changed(bool Rebuild);
    bool IsShortCut(TShortCut Key);
    void SetMenu(TMenu* Menu) { FMenu = Menu; }

private:
    bool IsCaptionStored() const;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;     // set on the root item of a menu
    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    bool FAutoCheck = false;
    int FGroupIndex = 0;
    TShortCut FShortCut = 0;
    std::string FHint;
    int FImageIndex = -1;
    int FHelpContext = 0;
    mutable std::unique_ptr<TBitmap> FBitmap;
    std::unique_ptr<TActionLink> FActionLink;
    std::unique_ptr<TMenuPeer> FPeer;
};

class TMenu : public TComponent {
    ROVE_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    // The root item; its sub-items are the menu's entries.
    TMenuItem* Items() const { return FItems; }
    TImageListComponent* Images() const { return FImages; }
    void SetImages(TImageListComponent* Value);
    // Clicks the enabled item with that shortcut; true when one ran.
    bool IsShortCut(TShortCut Key);

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    static void DeclareProperties(TPropertyDecl<TMenu>& d);

    // The layer's own: rebuilds the Qt menus from the item tree.
    virtual void Rebuild() = 0;

protected:
    TMenuItem* FItems;
    TImageListComponent* FImages = nullptr;
};

class TMainMenu : public TMenu {
    ROVE_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    void Rebuild() override;

    // The layer's own: the form whose menu bar this is.
    void AttachToForm(TCustomForm* Form);
    void DetachFromForm(TCustomForm* Form);
    TCustomForm* Form() const { return FForm; }
    struct TBarPeer;
    TBarPeer* BarPeer() const { return FBar.get(); }

private:
    TCustomForm* FForm = nullptr;
    std::unique_ptr<TBarPeer> FBar;
};

ROVE_ENUM(TPopupAlignment, paLeft, paRight, paCenter)

class TPopupMenu : public TMenu {
    ROVE_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;
    // Shows the menu at the screen point and returns when it closes.
    virtual void Popup(int X, int Y);
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    void Rebuild() override;

    TNotifyEvent OnPopup;

    static void DeclareProperties(TPropertyDecl<TPopupMenu>& d);

    struct TPopupPeer;

private:
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    std::unique_ptr<TPopupPeer> FPopup;
};

// "&File" without the accelerator mark ("&&" stays one "&").
std::string StripHotkey(std::string_view Caption);

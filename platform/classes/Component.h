// TComponent: named objects in an ownership tree. An owner frees what it owns (first to
// last, in the order of Components), components that hold references to others are told
// when those go (Notification), and nested streaming asks components for their children.
//
// Lifetime rules:
//   - `new TButton(Form1)` inserts the button into Form1's Components; deleting Form1
//     deletes it. Deleting the button first removes it from Form1.
//   - A component that keeps a reference to another one calls Target->FreeNotification(this)
//     and clears the reference in Notification on opRemove. The link is kept both ways and
//     for components of any owner, the same one included: only linked components hear of
//     a component that goes, so freeing or reading back a report of N objects costs N
//     notifications, not N x N.
//   - Destruction order of a component: it is marked csDestroying (with everything it
//     owns), every component linked by FreeNotification gets Notification(this,
//     opRemove), the owned components are removed and deleted one by one, first to last,
//     and the owner removes it (the owner's own Notification(this, opRemove)). A derived
//     destructor that owned components depend on (a parent control) calls
//     DestroyComponents() first, while the derived part lives.
//   - RemoveComponent tells the owner itself and the linked components of the same owner
//     (Notification(AComponent, opRemove)), so references between siblings are dropped
//     while the component is still whole, also when it only moves to another owner;
//     linked components of other owners keep theirs while it lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Persistent.h"

ROVE_ENUM(TComponentStateFlag, csLoading, csReading, csWriting, csDestroying, csDesigning,
          csAncestor, csUpdating, csFixups, csInline)
ROVE_SET(TComponentState, TComponentStateFlag)

ROVE_ENUM(TOperation, opInsert, opRemove)

using TGetChildProc = std::function<void(TComponent* Child)>;

// Identifier check of component names: a letter or "_" first, then letters, digits, "_".
bool IsValidIdent(std::string_view name);

class TComponent : public TPersistent {
    ROVE_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    const std::string& Name() const { return FName; }
    // Raises EComponentError "'%s' 不是有效的组件名称" or
    // "A component named %s already exists" (case ignored) and keeps the old name.
    virtual void SetName(const std::string& NewName);
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size() - FHoles); }
    TComponent* Components(int Index) const;          // raises EListError out of range
    int ComponentIndex() const;                       // -1 without owner
    void SetComponentIndex(int Value);
    TComponent* FindComponent(std::string_view AName) const;   // case ignored; nullptr
    void InsertComponent(TComponent* AComponent);     // takes it from its old owner
    void RemoveComponent(TComponent* AComponent);     // the component stays alive
    void DestroyComponents();                         // deletes everything owned

    TComponentState ComponentState() const { return FState; }
    // For readers, writers and the designer.
    void SetComponentStateFlag(TComponentStateFlag Flag, bool On);
    void SetDesigning(bool Value, bool SetChildren = true);
    // Called on every component of a tree after the whole tree was read; clears csLoading.
    virtual void Loaded();

    // The base drops the free-notification link to AComponent on opRemove; it tells
    // nobody else (only linked components and the owner itself hear of a removal).
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // AComponent gets Notification(this, opRemove) when this component goes, and this
    // one when AComponent goes (the link is kept both ways, whatever the owners; linking
    // twice keeps one link). Constant time apart from the check for an existing link,
    // which looks through the shorter of the two lists.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);
    // Whether the two are linked by FreeNotification.
    bool HasFreeNotification(const TComponent* AComponent) const { return FindLink(AComponent) >= 0; }

    // Nested streaming: the children written inside this component's object block, the
    // owner and parent given to children read there, and the parent link itself.
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root);
    virtual TComponent* GetChildOwner();              // nullptr: the root owns them
    virtual TComponent* GetChildParent();             // default: this
    virtual TComponent* GetParentComponent() const;   // default: none
    virtual bool HasParent() const;                   // default: false
    virtual void SetParentComponent(TComponent* Value);

    // Design position of a non-visual component (streamed as Left and Top).
    int32_t DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(int32_t Value) { FDesignInfo = Value; }

    TPersistent* GetOwner() const override { return FOwner; }
    std::string GetNamePath() const override { return FName; }
    void DefineProperties(TFiler& Filer) override;

    static void DeclareProperties(TPropertyDecl<TComponent>& d);

protected:
    // Hook before a rename is accepted (the default checks the identifier and the
    // owner's names); descendants add checks of their own.
    virtual void ValidateRename(TComponent* AComponent, const std::string& CurName,
                                const std::string& NewName);
    // Sets the name without any check (readers of files where the names are known good).
    void ChangeName(const std::string& NewName) { FName = NewName; }

private:
    // One end of a free-notification link: the other component and the place of the
    // other end in its list, so that either end is dropped in constant time.
    struct TFreeLink {
        TComponent* Other;
        uint32_t Back;
    };

    void Destroying();
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void ValidateName(const std::string& NewName);
    // The place of the link to AComponent in this component's list, or -1.
    ptrdiff_t FindLink(const TComponent* AComponent) const;
    // Drops the link at Index of this component's list, at both ends.
    void Unlink(size_t Index);
    // Removes the entry at Index of this list (the last entry takes its place).
    void EraseLinkAt(size_t Index);
    // Tells the linked components (those of owner Only when given) that this one goes,
    // dropping each link first.
    void NotifyLinked(const TComponent* Only);
    // Closes the holes that removed components left in Components.
    void Compact() const;

    std::string FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    // The owned components in order, with holes (nullptr) where components left since
    // the last compaction: removing one is constant time (an owner that frees thousands
    // shifts nothing), and anything that reads the order compacts first.
    mutable std::vector<TComponent*> FComponents;
    mutable size_t FHoles = 0;
    mutable uint32_t FCompactions = 0;
    // This component's place in its owner's FComponents.
    mutable size_t FSlot = 0;
    std::vector<TFreeLink> FFreeNotifies;
    TComponentState FState;
    int32_t FDesignInfo = 0;
};

// A non-visual root: a container of components streamed from its own form resource
// (a data module). Its children are the owned components that have no parent.
// C++ runs no virtual function of a derived class while a base constructor runs, so the
// derived constructor calls InitModule() at its end: it reads the form resources of the
// class and its ancestors (Streaming.h), then fires OnCreate.
class TDataModule : public TComponent {
    ROVE_CLASS(TDataModule, TComponent)
public:
    explicit TDataModule(TComponent* AOwner);
    void InitModule();

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

    TNotifyEvent OnCreate;
    static void DeclareProperties(TPropertyDecl<TDataModule>& d);
};

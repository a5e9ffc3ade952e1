// TComponent: named objects in an ownership tree. An owner frees what it owns (first to
// last, in the order of Components), components that hold references to others are told
// when those go (Notification), and nested streaming asks components for their children.
//
// Lifetime rules:
//   - `new TButton(Form1)` inserts the button into Form1's Components; deleting Form1
//     deletes it. Deleting the button first removes it from Form1.
//   - Destruction order of a component: it is marked csDestroying (with everything it
//     owns), every component linked by FreeNotification gets Notification(this,
//     opRemove), the owned components are removed (with the broadcast below) and
//     deleted one by one, first to last, and the owner removes it (the owner's Notification(this, opRemove) then reaches every
//     component the owner owns). A derived destructor that owned components depend on
//     (a parent control) calls DestroyComponents() first, while the derived part lives.
//   - A component that keeps a reference to another one outside its owner calls
//     Target->FreeNotification(this) and clears the reference in Notification on
//     opRemove; references between components of one owner are cleared through the
//     owner's broadcast.
#pragma once

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
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
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

    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // AComponent gets Notification(this, opRemove) when this component goes, and this
    // one when AComponent goes (the link is kept both ways; components of one owner
    // need none, the owner's broadcast reaches them).
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

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
    void Destroying();
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void ValidateName(const std::string& NewName);

    std::string FName;
    int FTag = 0;
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
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

// Objects that stand for parts of host objects in scripts: the TStrings view of a string
// list (a published property such as Memo.Lines, or a script's own TStringList), and the
// companions that the registration modules keep with a host object (the list of a
// component's children that a script reads).
//
// A companion lives as long as its owner: it is made on first use and freed some time
// after the owner has gone (the table is swept as it grows), so a script value holding it
// stays a checked handle. The view of a published string list looks its owner up by handle
// at every use: once the owner is freed, using the view raises the stale-handle error
// instead of reaching freed memory.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/StringList.h"

#include <functional>
#include <memory>

// TStrings of scripts: any string list a script works on through the TStrings members.
class TScriptStrings : public TPersistent {
    ROVE_CLASS(TScriptStrings, TPersistent)
public:
    virtual ::TStrings& Strings() = 0;
    // Copies the strings of another TStrings object.
    void Assign(TPersistent* Source) override;
    // Objects slots hold the handle of the object stored, never a pointer: a freed object
    // reads back as a stale handle that raises when used.
    static TObject* Slot(const Variant& object);
    static Variant FromSlot(TObject* slot);
};

// The string list of a published property of a host object (Memo1.Lines, Memo1.Memo).
class TfsPropertyStrings : public TScriptStrings {
    ROVE_CLASS(TfsPropertyStrings, TScriptStrings)
public:
    TfsPropertyStrings(TObject* owner, const TPropInfo* prop);
    // The owner's list now; raises EInvalidHandle when the owner is gone.
    ::TStrings& Strings() override;

private:
    TObjectHandle FOwner;
    const TPropInfo* FProp;
};

// The companion of Owner under Key, made by Make on first use.
TObject* fsCompanion(const TObject* owner, const void* key, const std::function<std::unique_ptr<TObject>()>& make);
// The script object standing for the string-list property Prop of Owner.
TfsPropertyStrings* fsPropertyStrings(TObject* owner, const TPropInfo* prop);
// Frees every companion (shutdown; tests).
void fsClearCompanions();

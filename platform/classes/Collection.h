// TCollection: an owned, ordered list of items of one item class (grid columns, status
// panels, the report's datasets and variables). Items stream as "< item ... end >" in the
// text form and as a vaCollection value in binary property data.
//
//   class TColumn : public TCollectionItem {
//       ROVE_CLASS(TColumn, TCollectionItem)
//   public:
//       explicit TColumn(TCollection* Collection) : TCollectionItem(Collection) {}
//       static void DeclareProperties(TPropertyDecl<TColumn>& d);
//   };
//   FColumns = new TCollection(TColumn::StaticClass(), this);   // owned by the control
//
// Changes call Update(Item) (Item null: the whole collection changed) unless an update
// is in progress (BeginUpdate/EndUpdate, which calls Update(nullptr) at the end); an owner's
// collection class overrides Update to hear of them.
#pragma once

#include <string>
#include <vector>

#include "platform/classes/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    ROVE_CLASS(TCollectionItem, TPersistent)
public:
    // Adds the item to Collection (may be null).
    explicit TCollectionItem(TCollection* Collection);
    // Removes the item from its collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int ID() const { return FID; }
    int Index() const;
    void SetIndex(int Value);                 // moves the item
    virtual std::string DisplayName() const;  // default: the class name
    TPersistent* GetOwner() const override;
    std::string GetNamePath() const override; // "Columns[2]"

protected:
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

ROVE_ENUM(TCollectionNotification, cnAdded, cnExtracting, cnDeleting)

class TCollection : public TPersistent {
    ROVE_CLASS(TCollection, TPersistent)
public:
    // ItemClass must descend from TCollectionItem and have a factory.
    explicit TCollection(TClass ItemClass, TPersistent* Owner = nullptr);
    TCollection();                            // a collection of TCollectionItem
    ~TCollection() override;                  // frees the items

    TClass ItemClass() const { return FItemClass; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const;  // raises EListError out of range
    template <class I> I* Item(int Index) const { return static_cast<I*>(Items(Index)); }
    TCollectionItem* Add();
    template <class I> I* AddItem() { return static_cast<I*>(Add()); }
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    // Copies the items of another collection (same item class) through Assign.
    void Assign(TPersistent* Source) override;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    TPersistent* GetOwner() const override { return FOwner; }
    std::string GetNamePath() const override;
    // The property name of the collection in its owner, for name paths ("Columns").
    void SetPropName(std::string Value) { FPropName = std::move(Value); }

protected:
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(int From, int To);
    TClass FItemClass;
    TPersistent* FOwner = nullptr;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    std::string FPropName;
};

// The packing that the report applies to the string and string-variant published
// properties of collection items in streamed collections: each byte of 128 or more
// becomes the byte 1 followed by the byte minus 128. Unpacking reverses it (a byte 1 at
// the end stays); text that is not valid UTF-8 afterwards (a file of the Windows program)
// is decoded from GB18030.
std::string PackHighBytes(std::string_view text);
std::string UnpackHighBytes(std::string_view text);
// Applies PackHighBytes (pack) or UnpackHighBytes to every item's string properties.
// Unpacking decodes string by string: one that is no GB18030 keeps its text with U+FFFD for
// the bad bytes and goes to Errors ("TfrxVariable: item 0, Name: ..."); the others unpack.
// Without Errors the first such message is raised as EReadError after all strings are done.
void PackCollectionStrings(TCollection* Collection, bool Pack, std::vector<std::string>* Errors = nullptr);

// Styles: named sets of colour, font and frame that memo views refer to by name. A report
// owns one style set, stored with it as its "Style" collection; sets are also kept in
// files, and several sets form a style sheet.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/graphics/Graphics.h"
#include "report/Frame.h"

class TStream;
class TStrings;
class TfrxReport;
class TfrxXMLItem;

class TfrxStyleItem : public TCollectionItem {
    ROVE_CLASS(TfrxStyleItem, TCollectionItem)
public:
    explicit TfrxStyleItem(TCollection* Collection);
    ~TfrxStyleItem() override;
    void Assign(TPersistent* Source) override;

    const std::string& Name() const { return FName; }
    // Raises Exception "Duplicate name" when another item of the set has the name.
    void SetName(const std::string& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TfrxFrame* Frame() const { return FFrame.get(); }
    void SetFrame(TfrxFrame* Value) { FFrame->Assign(Value); }
    // "Style" + the smallest free N from 1.
    void CreateUniqueName();

    static void DeclareProperties(TPropertyDecl<TfrxStyleItem>& d);

private:
    std::string FName;
    TColor FColor = clNone;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TfrxFrame> FFrame;
};

class TfrxStyles : public TCollection {
    ROVE_CLASS(TfrxStyles, TCollection)
public:
    explicit TfrxStyles(TfrxReport* AReport = nullptr);
    TfrxStyleItem* Add() { return static_cast<TfrxStyleItem*>(TCollection::Add()); }
    TfrxStyleItem* Items(int Index) const { return static_cast<TfrxStyleItem*>(TCollection::Items(Index)); }
    // Case ignored; nullptr when absent.
    TfrxStyleItem* Find(std::string_view Name) const;
    void GetList(TStrings* List) const;
    // Every memo view of the report gets its style assigned again.
    void Apply();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    TfrxReport* Report() const { return FReport; }

    // The "style" element form: Name attribute and one "item" child per style.
    void SaveToXMLItem(TfrxXMLItem* Item);
    // Clears, reads a "style" element (any other name leaves the set empty), applies.
    void LoadFromXMLItem(TfrxXMLItem* Item);
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    std::string FName;
    TfrxReport* FReport;
};

class TfrxStyleSheet {
public:
    TfrxStyleSheet();
    ~TfrxStyleSheet();
    TfrxStyleSheet(const TfrxStyleSheet&) = delete;
    TfrxStyleSheet& operator=(const TfrxStyleSheet&) = delete;

    TfrxStyles* Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxStyles* Items(int Index) const;
    void Delete(int Index);
    void Clear();
    TfrxStyles* Find(std::string_view Name) const;
    void GetList(TStrings* List) const;
    // A "stylesheet" document with one "style" element per set; any other root gives
    // an empty sheet.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    std::vector<std::unique_ptr<TfrxStyles>> FItems;
};

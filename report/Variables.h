// Report variables: a flat, ordered list of named values grouped into categories. An
// entry whose name begins with a blank is a category; the variables after it, up to the
// next category, belong to it. Stored with the report and as "variables" XML documents
// (dictionary files).
#pragma once

#include <string>
#include <string_view>

#include "platform/classes/Collection.h"

class TStream;
class TStrings;

class TfrxVariable : public TCollectionItem {
    ROVE_CLASS(TfrxVariable, TCollectionItem)
public:
    explicit TfrxVariable(TCollection* Collection);
    void Assign(TPersistent* Source) override;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value) { FValue = Value; }
    bool IsCategory() const { return !FName.empty() && FName[0] == ' '; }

    static void DeclareProperties(TPropertyDecl<TfrxVariable>& d);

private:
    std::string FName;
    Variant FValue = Variant::Null();
};

class TfrxVariables : public TCollection {
    ROVE_CLASS(TfrxVariables, TCollection)
public:
    TfrxVariables();
    TfrxVariable* Add() { return static_cast<TfrxVariable*>(TCollection::Add()); }
    TfrxVariable* Insert(int Index) { return static_cast<TfrxVariable*>(TCollection::Insert(Index)); }
    TfrxVariable* Items(int Index) const { return static_cast<TfrxVariable*>(TCollection::Items(Index)); }
    // The first item named Name (case ignored), -1 when none.
    int IndexOf(std::string_view Name) const;
    // The value of the variable, Null when there is none.
    Variant Variables(std::string_view Name) const;
    // Sets the value, appending the variable when there is none.
    void SetVariables(std::string_view Name, const Variant& Value);

    // Category names without their leading blank, in order.
    void GetCategoriesList(TStrings* List, bool ClearList = true) const;
    // The names of a category's variables; an empty category gives the variables before
    // the first category. Unknown categories give an empty list.
    void GetVariablesList(std::string_view Category, TStrings* List) const;
    // A new variable at the end of its category; nothing when the category is absent.
    void AddVariable(std::string_view Category, std::string_view Name, const Variant& Value);
    // The category entry and its variables.
    void DeleteCategory(std::string_view Category);
    void DeleteVariable(std::string_view Name);

    // Clears, then reads a "variables" document (any other root leaves the list empty).
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

private:
    int CategoryIndex(std::string_view Category) const;
};

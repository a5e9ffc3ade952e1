// Report variables and their XML.
#include "report/Variables.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/Serializer.h"
#include "report/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxVariable)
ROVE_IMPLEMENT_CLASS(TfrxVariables)

TfrxVariable::TfrxVariable(TCollection* Collection) : TCollectionItem(Collection) {}

void TfrxVariable::DeclareProperties(TPropertyDecl<TfrxVariable>& d) {
    d.Property("Name", &TfrxVariable::Name, &TfrxVariable::SetName);
    d.Property("Value", &TfrxVariable::Value, &TfrxVariable::SetValue);
}

void TfrxVariable::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxVariable*>(Source);
    if (!s) return TCollectionItem::Assign(Source);
    FName = s->FName;
    FValue = s->FValue;
}

TfrxVariables::TfrxVariables() : TCollection(TfrxVariable::StaticClass()) {}

int TfrxVariables::IndexOf(std::string_view Name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->Name(), Name)) return i;
    return -1;
}

Variant TfrxVariables::Variables(std::string_view Name) const {
    const int i = IndexOf(Name);
    return i < 0 ? Variant::Null() : Items(i)->Value();
}

void TfrxVariables::SetVariables(std::string_view Name, const Variant& Value) {
    const int i = IndexOf(Name);
    TfrxVariable* v = i < 0 ? Add() : Items(i);
    if (i < 0) v->SetName(std::string(Name));
    v->SetValue(Value);
}

int TfrxVariables::CategoryIndex(std::string_view Category) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& name = Items(i)->Name();
        if (Items(i)->IsCategory() && SameText(std::string_view(name).substr(1), Category)) return i;
    }
    return -1;
}

void TfrxVariables::GetCategoriesList(TStrings* List, bool ClearList) const {
    if (ClearList) List->Clear();
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->IsCategory()) List->Add(Items(i)->Name().substr(1));
}

void TfrxVariables::GetVariablesList(std::string_view Category, TStrings* List) const {
    List->Clear();
    int i = 0;
    if (!Category.empty()) {
        i = CategoryIndex(Category);
        if (i < 0) return;
        ++i;
    }
    for (; i < Count(); ++i) {
        const std::string& name = Items(i)->Name();
        if (name.empty() || Items(i)->IsCategory()) break;
        List->Add(name);
    }
}

void TfrxVariables::AddVariable(std::string_view Category, std::string_view Name, const Variant& Value) {
    int i = CategoryIndex(Category);
    if (i < 0) return;
    ++i;
    while (i < Count() && !Items(i)->IsCategory()) ++i;
    TfrxVariable* v = Insert(i);
    v->SetName(std::string(Name));
    v->SetValue(Value);
}

void TfrxVariables::DeleteCategory(std::string_view Category) {
    const int i = CategoryIndex(Category);
    if (i < 0) return;
    Delete(i);
    while (i < Count() && !Items(i)->IsCategory()) Delete(i);
}

void TfrxVariables::DeleteVariable(std::string_view Name) {
    const int i = IndexOf(Name);
    if (i >= 0) Delete(i);
}

void TfrxVariables::LoadFromStream(TStream& Stream) {
    Clear();
    TfrxXMLDocument doc;
    doc.LoadFromStream(Stream);
    TfrxXMLItem* root = doc.Root();
    if (!SameText(root->Name(), "variables")) return;
    TfrxXMLSerializer serializer(nullptr);
    for (int i = 0; i < root->Count(); ++i) {
        TfrxXMLItem* item = root->Items(i);
        if (!SameText(item->Name(), "item")) continue;
        serializer.XMLToObj(item->Text(), Add());
    }
}

void TfrxVariables::SaveToStream(TStream& Stream) {
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    doc.Root()->SetName("variables");
    TfrxXMLSerializer serializer(nullptr);
    for (int i = 0; i < Count(); ++i) {
        TfrxXMLItem* item = doc.Root()->Add();
        item->SetName("item");
        item->SetText(TrimLeft(serializer.ObjToXML(Items(i))));
    }
    doc.SaveToStream(Stream);
}

void TfrxVariables::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TfrxVariables::SaveToFile(const std::string& FileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(FileName);
}

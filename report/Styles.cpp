// Styles, style sets and style sheets.
#include "report/Styles.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/Report.h"
#include "report/Serializer.h"
#include "report/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxStyleItem)
ROVE_IMPLEMENT_CLASS(TfrxStyles)

// --- TfrxStyleItem -------------------------------------------------------------------------

TfrxStyleItem::TfrxStyleItem(TCollection* Collection)
    : TCollectionItem(Collection), FFont(std::make_unique<TFont>()), FFrame(std::make_unique<TfrxFrame>()) {
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetColor(clBlack);
    FFont->SetCharset(DEFAULT_CHARSET);
}

TfrxStyleItem::~TfrxStyleItem() = default;

void TfrxStyleItem::DeclareProperties(TPropertyDecl<TfrxStyleItem>& d) {
    using T = TfrxStyleItem;
    d.Property("Name", &T::Name, &T::SetName);
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::SetColor).Default(clNone);
    d.Property("Font", &T::Font, &T::SetFont);
    d.Property("Frame", &T::Frame, &T::SetFrame);
}

void TfrxStyleItem::SetName(const std::string& Value) {
    if (auto* set = dynamic_cast<TfrxStyles*>(Collection())) {
        TfrxStyleItem* other = set->Find(Value);
        if (other && other != this) throw Exception("Duplicate name");
    }
    FName = Value;
}

void TfrxStyleItem::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxStyleItem*>(Source);
    if (!s) return TCollectionItem::Assign(Source);
    FName = s->FName;
    FColor = s->FColor;
    FFont->Assign(s->FFont.get());
    FFrame->Assign(s->FFrame.get());
}

void TfrxStyleItem::CreateUniqueName() {
    auto* set = dynamic_cast<TfrxStyles*>(Collection());
    for (int n = 1;; ++n) {
        const std::string name = "Style" + std::to_string(n);
        TfrxStyleItem* other = set ? set->Find(name) : nullptr;
        if (!other || other == this) {
            FName = name;
            return;
        }
    }
}

// --- TfrxStyles ----------------------------------------------------------------------------

TfrxStyles::TfrxStyles(TfrxReport* AReport) : TCollection(TfrxStyleItem::StaticClass()), FReport(AReport) {}

TfrxStyleItem* TfrxStyles::Find(std::string_view Name) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->Name(), Name)) return Items(i);
    return nullptr;
}

void TfrxStyles::GetList(TStrings* List) const {
    List->Clear();
    for (int i = 0; i < Count(); ++i) List->Add(Items(i)->Name());
}

void TfrxStyles::Apply() {
    if (!FReport) return;
    // Memo views publish their style name as the string property "Style": setting it
    // again takes colour, font and frame from the item of that name.
    for (TfrxComponent* c : FReport->AllObjects()) {
        const TPropInfo* prop = GetPropInfo(c, "Style");
        if (!prop || prop->Kind() != tkString || prop->IsReadOnly()) continue;
        SetStrProp(c, prop, GetStrProp(c, prop));
    }
}

void TfrxStyles::SaveToXMLItem(TfrxXMLItem* Item) {
    Item->SetName("style");
    Item->SetProp("Name", FName);
    TfrxXMLSerializer serializer(nullptr);
    for (int i = 0; i < Count(); ++i) {
        TfrxXMLItem* x = Item->Add();
        x->SetName("item");
        x->SetText(TrimLeft(serializer.ObjToXML(Items(i))));
    }
}

void TfrxStyles::LoadFromXMLItem(TfrxXMLItem* Item) {
    Clear();
    if (!SameText(Item->Name(), "style")) return;
    FName = Item->Prop("Name");
    TfrxXMLSerializer serializer(nullptr);
    for (int i = 0; i < Item->Count(); ++i) {
        TfrxXMLItem* x = Item->Items(i);
        if (!SameText(x->Name(), "item")) continue;
        serializer.XMLToObj(x->Text(), Add());
    }
    Apply();
}

void TfrxStyles::LoadFromStream(TStream& Stream) {
    TfrxXMLDocument doc;
    doc.LoadFromStream(Stream);
    LoadFromXMLItem(doc.Root());
}

void TfrxStyles::SaveToStream(TStream& Stream) {
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    SaveToXMLItem(doc.Root());
    doc.SaveToStream(Stream);
}

void TfrxStyles::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TfrxStyles::SaveToFile(const std::string& FileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(FileName);
}

// --- TfrxStyleSheet ------------------------------------------------------------------------

TfrxStyleSheet::TfrxStyleSheet() = default;
TfrxStyleSheet::~TfrxStyleSheet() = default;

TfrxStyles* TfrxStyleSheet::Add() {
    FItems.push_back(std::make_unique<TfrxStyles>(nullptr));
    return FItems.back().get();
}

TfrxStyles* TfrxStyleSheet::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

void TfrxStyleSheet::Delete(int Index) {
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

void TfrxStyleSheet::Clear() { FItems.clear(); }

TfrxStyles* TfrxStyleSheet::Find(std::string_view Name) const {
    for (const auto& s : FItems)
        if (SameText(s->Name(), Name)) return s.get();
    return nullptr;
}

void TfrxStyleSheet::GetList(TStrings* List) const {
    List->Clear();
    for (const auto& s : FItems) List->Add(s->Name());
}

void TfrxStyleSheet::LoadFromStream(TStream& Stream) {
    Clear();
    TfrxXMLDocument doc;
    doc.LoadFromStream(Stream);
    TfrxXMLItem* root = doc.Root();
    if (!SameText(root->Name(), "stylesheet")) return;
    for (int i = 0; i < root->Count(); ++i)
        if (SameText(root->Items(i)->Name(), "style")) Add()->LoadFromXMLItem(root->Items(i));
}

void TfrxStyleSheet::SaveToStream(TStream& Stream) {
    TfrxXMLDocument doc;
    doc.SetAutoIndent(true);
    doc.Root()->SetName("stylesheet");
    for (const auto& s : FItems) s->SaveToXMLItem(doc.Root()->Add());
    doc.SaveToStream(Stream);
}

void TfrxStyleSheet::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TfrxStyleSheet::SaveToFile(const std::string& FileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(FileName);
}

// The script XML document and its items as classes of scripts.
#include "script/XMLDocument.h"
#include "script/stdclasses/StdInternal.h"

using namespace fsstd;

void fsRegisterXMLClasses(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TfsXMLItem::StaticClass(), "TObject")) {
        using X = TfsXMLItem;
        c->AddConstructor("constructor Create", ConstructByFactory);
        c->AddMethod("procedure AddItem(Item: TfsXMLItem)",
                     Method<X>([](X& self, TfsParams& p) { self.AddItem(&Required<X>(p[0])); }));
        c->AddMethod("procedure Clear", Method<X>([](X& self, TfsParams&) { self.Clear(); }));
        c->AddMethod("procedure InsertItem(Index: Integer; Item: TfsXMLItem)", Method<X>([](X& self, TfsParams& p) {
                         self.InsertItem(p[0].AsInteger(), &Required<X>(p[1]));
                     }));
        c->AddMethod("function Add: TfsXMLItem", Method<X>([](X& self, TfsParams&) { return ObjectValue(self.Add()); }));
        c->AddMethod("function Find(const Name: String): Integer",
                     Method<X>([](X& self, TfsParams& p) { return self.Find(Str(p[0])); }));
        c->AddMethod("function FindItem(const Name: String): TfsXMLItem",
                     Method<X>([](X& self, TfsParams& p) { return ObjectValue(self.FindItem(Str(p[0]))); }));
        c->AddMethod("function Prop(const Name: String): String",
                     Method<X>([](X& self, TfsParams& p) { return self.Prop(Str(p[0])); }));
        c->AddMethod("function Root: TfsXMLItem", Method<X>([](X& self, TfsParams&) { return ObjectValue(self.Root()); }));
        // Data is the owner's untyped slot; scripts keep a number there.
        c->AddProperty("Data", "Integer",
                       Getter<X>([](X& self) { return Variant(static_cast<int64_t>(reinterpret_cast<intptr_t>(self.Data()))); }),
                       Setter<X>([](X& self, const Variant& v) {
                           self.SetData(reinterpret_cast<void*>(static_cast<intptr_t>(v.AsInt64())));
                       }));
        c->AddProperty("Count", "Integer", Getter<X>([](X& self) { return self.Count(); }));
        c->AddDefaultProperty("Items", "Integer", "TfsXMLItem",
                              Indexed<X>([](X& self, TfsParams& p) { return ObjectValue(self.Items(p[0].AsInteger())); },
                                         nullptr),
                              true);
        c->AddProperty("Name", "String", Getter<X>([](X& self) { return self.Name(); }),
                       Setter<X>([](X& self, const Variant& v) { self.SetName(Str(v)); }));
        c->AddProperty("Parent", "TfsXMLItem", Getter<X>([](X& self) { return ObjectValue(self.Parent()); }));
        c->AddProperty("Text", "String", Getter<X>([](X& self) { return self.Text(); }),
                       Setter<X>([](X& self, const Variant& v) { self.SetText(Str(v)); }));
    }
    if (TfsClassVariable* c = unit.AddClass(TfsXMLDocument::StaticClass(), "TObject")) {
        using D = TfsXMLDocument;
        c->AddConstructor("constructor Create", ConstructByFactory);
        c->AddMethod("procedure SaveToStream(Stream: TStream)",
                     Method<D>([](D& self, TfsParams& p) { self.SaveToStream(ScriptStreamOf(&Required(p[0]))); }));
        c->AddMethod("procedure LoadFromStream(Stream: TStream)",
                     Method<D>([](D& self, TfsParams& p) { self.LoadFromStream(ScriptStreamOf(&Required(p[0]))); }));
        c->AddMethod("procedure SaveToFile(const FileName: String)",
                     Method<D>([](D& self, TfsParams& p) { self.SaveToFile(Str(p[0])); }));
        c->AddMethod("procedure LoadFromFile(const FileName: String)",
                     Method<D>([](D& self, TfsParams& p) { self.LoadFromFile(Str(p[0])); }));
        c->AddProperty("Root", "TfsXMLItem", Getter<D>([](D& self) { return ObjectValue(self.Root()); }));
    }
}

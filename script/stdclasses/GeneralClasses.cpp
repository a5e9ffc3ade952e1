// General classes of scripts: TObject and TPersistent, collections, lists, string lists,
// streams and components, with the file-mode and seek constants.
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "script/stdclasses/StdClasses.h"
#include "script/stdclasses/StdInternal.h"

#include <algorithm>

using namespace fsstd;

namespace fsstd {

Variant ConstructByFactory(TObject*, TClass cls, const std::string&, TfsParams& params) {
    if (!cls || !cls->CanCreate())
        throw EScriptError(Format("Cannot create an instance of %s", {cls ? cls->ClassName() : std::string("nil")}));
    TComponent* owner = nullptr;
    if (params.Count() > 0) owner = Arg<TComponent>(params[0]);
    return Created(cls->CreateInstance(owner));
}

}  // namespace fsstd

namespace {

const char* const kGeneralModule = "general classes";
bool gGeneralRegistered = false;

int Int(const Variant& v) { return v.AsInteger(); }

::TStrings& StringsOf(TScriptStrings& s) { return s.Strings(); }

void RegisterObjects(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TObject::StaticClass(), "")) {
        c->AddConstructor("constructor Create", ConstructByFactory);
        c->AddMethod("procedure Free", [](TObject* instance, TClass, const std::string&, TfsParams&) {
            fsFreeObject(instance);
            return Variant();
        });
        c->AddMethod("function ClassName: String", [](TObject* instance, TClass, const std::string&, TfsParams&) {
            return Variant(instance->ClassName());
        });
    }
    if (TfsClassVariable* c = unit.AddClass(TPersistent::StaticClass(), "TObject")) {
        c->AddMethod("procedure Assign(Source: TPersistent)", Method<TPersistent>([](TPersistent& self, TfsParams& p) {
                         self.Assign(Arg<TPersistent>(p[0]));
                     }));
    }
    unit.AddClass(TCollectionItem::StaticClass(), "TPersistent");
    if (TfsClassVariable* c = unit.AddClass(TCollection::StaticClass(), "TPersistent")) {
        c->AddMethod("procedure Clear", Method<TCollection>([](TCollection& self, TfsParams&) { self.Clear(); }));
        c->AddProperty("Count", "Integer", Getter<TCollection>([](TCollection& self) { return self.Count(); }));
        c->AddDefaultProperty("Items", "Integer", "TCollectionItem",
                              Indexed<TCollection>(
                                  [](TCollection& self, TfsParams& p) { return ObjectValue(self.Items(Int(p[0]))); },
                                  [](TCollection& self, TfsParams& p, const Variant& value) {
                                      self.Items(Int(p[0]))->Assign(Arg<TPersistent>(value));
                                  }));
    }
}

void RegisterLists(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TScriptList::StaticClass(), "TObject")) {
        c->AddMethod("function Add(Item: TObject): Integer",
                     Method<TScriptList>([](TScriptList& self, TfsParams& p) { return self.Add(p[0]); }));
        c->AddMethod("procedure Clear", Method<TScriptList>([](TScriptList& self, TfsParams&) { self.Clear(); }));
        c->AddMethod("procedure Delete(Index: Integer)",
                     Method<TScriptList>([](TScriptList& self, TfsParams& p) { self.Delete(Int(p[0])); }));
        c->AddMethod("function IndexOf(Item: TObject): Integer",
                     Method<TScriptList>([](TScriptList& self, TfsParams& p) { return self.IndexOf(p[0]); }));
        c->AddMethod("procedure Insert(Index: Integer; Item: TObject)",
                     Method<TScriptList>([](TScriptList& self, TfsParams& p) { self.Insert(Int(p[0]), p[1]); }));
        c->AddMethod("function Remove(Item: TObject): Integer",
                     Method<TScriptList>([](TScriptList& self, TfsParams& p) { return self.Remove(p[0]); }));
        c->AddProperty("Count", "Integer", Getter<TScriptList>([](TScriptList& self) { return self.Count(); }));
        c->AddDefaultProperty("Items", "Integer", "Variant",
                              Indexed<TScriptList>([](TScriptList& self, TfsParams& p) { return self.Get(Int(p[0])); },
                                                   [](TScriptList& self, TfsParams& p, const Variant& value) {
                                                       self.Put(Int(p[0]), value);
                                                   }));
    }

    if (TfsClassVariable* c = unit.AddClass(TScriptStrings::StaticClass(), "TPersistent")) {
        using S = TScriptStrings;
        c->AddMethod("function Add(const S: string): Integer",
                     Method<S>([](S& self, TfsParams& p) { return StringsOf(self).Add(Str(p[0])); }));
        c->AddMethod("function AddObject(S: String; AObject: TObject): Integer", Method<S>([](S& self, TfsParams& p) {
                         return StringsOf(self).AddObject(Str(p[0]), S::Slot(p[1]));
                     }));
        c->AddMethod("procedure Clear", Method<S>([](S& self, TfsParams&) { StringsOf(self).Clear(); }));
        c->AddMethod("procedure Delete(Index: Integer)",
                     Method<S>([](S& self, TfsParams& p) { StringsOf(self).Delete(Int(p[0])); }));
        c->AddMethod("function IndexOf(const S: String): Integer",
                     Method<S>([](S& self, TfsParams& p) { return StringsOf(self).IndexOf(Str(p[0])); }));
        c->AddMethod("function IndexOfName(Name: String): Integer",
                     Method<S>([](S& self, TfsParams& p) { return StringsOf(self).IndexOfName(Str(p[0])); }));
        c->AddMethod("function IndexOfObject(AObject: TObject): Integer",
                     Method<S>([](S& self, TfsParams& p) { return StringsOf(self).IndexOfObject(S::Slot(p[0])); }));
        c->AddMethod("procedure Insert(Index: Integer; const S: String)",
                     Method<S>([](S& self, TfsParams& p) { StringsOf(self).Insert(Int(p[0]), Str(p[1])); }));
        c->AddMethod("procedure InsertObject(Index: Integer; const S: String; AObject: TObject)",
                     Method<S>([](S& self, TfsParams& p) {
                         StringsOf(self).InsertObject(Int(p[0]), Str(p[1]), S::Slot(p[2]));
                     }));
        c->AddMethod("procedure LoadFromFile(const FileName: String)",
                     Method<S>([](S& self, TfsParams& p) { StringsOf(self).LoadFromFile(Str(p[0])); }));
        c->AddMethod("procedure LoadFromStream(Stream: TStream)", Method<S>([](S& self, TfsParams& p) {
                         StringsOf(self).LoadFromStream(ScriptStreamOf(&Required(p[0])));
                     }));
        c->AddMethod("procedure SaveToFile(const FileName: String)",
                     Method<S>([](S& self, TfsParams& p) { StringsOf(self).SaveToFile(Str(p[0])); }));
        c->AddMethod("procedure SaveToStream(Stream: TStream)", Method<S>([](S& self, TfsParams& p) {
                         StringsOf(self).SaveToStream(ScriptStreamOf(&Required(p[0])));
                     }));
        c->AddProperty("CommaText", "String", Getter<S>([](S& self) { return StringsOf(self).CommaText(); }),
                       Setter<S>([](S& self, const Variant& v) { StringsOf(self).SetCommaText(Str(v)); }));
        c->AddProperty("Count", "Integer", Getter<S>([](S& self) { return StringsOf(self).Count(); }));
        c->AddIndexProperty("Names", "Integer", "String",
                            Indexed<S>([](S& self, TfsParams& p) { return StringsOf(self).Names(Int(p[0])); }, nullptr),
                            true);
        c->AddIndexProperty("Objects", "Integer", "TObject",
                            Indexed<S>([](S& self,
                                          TfsParams& p) { return S::FromSlot(StringsOf(self).Objects(Int(p[0]))); },
                                       [](S& self, TfsParams& p, const Variant& value) {
                                           StringsOf(self).SetObjects(Int(p[0]), S::Slot(value));
                                       }));
        c->AddIndexProperty("Values", "String", "String",
                            Indexed<S>([](S& self, TfsParams& p) { return StringsOf(self).Values(Str(p[0])); },
                                       [](S& self, TfsParams& p, const Variant& value) {
                                           StringsOf(self).SetValues(Str(p[0]), Str(value));
                                       }));
        c->AddDefaultProperty("Strings", "Integer", "String",
                              Indexed<S>([](S& self, TfsParams& p) { return StringsOf(self).Strings(Int(p[0])); },
                                         [](S& self, TfsParams& p, const Variant& value) {
                                             StringsOf(self).SetStrings(Int(p[0]), Str(value));
                                         }));
        c->AddProperty("Text", "String", Getter<S>([](S& self) { return StringsOf(self).Text(); }),
                       Setter<S>([](S& self, const Variant& v) { StringsOf(self).SetText(Str(v)); }));
    }

    if (TfsClassVariable* c = unit.AddClass(TScriptStringList::StaticClass(), "TStrings")) {
        using L = TScriptStringList;
        c->AddMethod("function Find(s: String; var Index: Integer): Boolean", Method<L>([](L& self, TfsParams& p) {
                         int index = 0;
                         const bool found = self.List().Find(Str(p[0]), index);
                         p[1] = Variant(index);
                         return found;
                     }));
        c->AddMethod("procedure Sort", Method<L>([](L& self, TfsParams&) { self.List().Sort(); }));
        c->AddProperty("Duplicates", "TDuplicates", Getter<L>([](L& self) { return int(self.List().Duplicates()); }),
                       Setter<L>([](L& self, const Variant& v) {
                           const int d = v.AsInteger();
                           if (d < dupIgnore || d > dupError) throw ERangeError("Range check error");
                           self.List().SetDuplicates(static_cast<TDuplicates>(d));
                       }));
        c->AddProperty("Sorted", "Boolean", Getter<L>([](L& self) { return self.List().Sorted(); }),
                       Setter<L>([](L& self, const Variant& v) { self.List().SetSorted(v.AsBoolean()); }));
    }
}

void RegisterStreams(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TScriptStream::StaticClass(), "TObject")) {
        using S = TScriptStream;
        // Read fills Buffer with at most Count bytes and gives how many it read; Write writes
        // at most Count bytes of Buffer, never more than Buffer holds.
        c->AddMethod("function Read(var Buffer: string; Count: Longint): Longint", Method<S>([](S& self, TfsParams& p) {
                         const int64_t count = std::max<int64_t>(0, p[1].AsInt64());
                         ::TStream& stream = self.Stream();
                         const int64_t left = std::max<int64_t>(0, stream.Size() - stream.Position());
                         std::string buffer(static_cast<size_t>(std::min(count, left)), '\0');
                         const int64_t read = buffer.empty() ? 0 : stream.Read(buffer.data(), int64_t(buffer.size()));
                         buffer.resize(static_cast<size_t>(read));
                         p[0] = Variant(std::move(buffer));
                         return Variant(read);
                     }));
        c->AddMethod("function Write(Buffer: string; Count: Longint): Longint", Method<S>([](S& self, TfsParams& p) {
                         const std::string buffer = Str(p[0]);
                         const int64_t count =
                             std::clamp<int64_t>(p[1].AsInt64(), 0, static_cast<int64_t>(buffer.size()));
                         return Variant(count == 0 ? int64_t(0) : self.Stream().Write(buffer.data(), count));
                     }));
        c->AddMethod("function Seek(Offset: Longint; Origin: Word): Longint", Method<S>([](S& self, TfsParams& p) {
                         const int origin = p[1].AsInteger();
                         if (origin < 0 || origin > 2) throw EStreamError("Invalid stream origin");
                         return Variant(self.Stream().Seek(p[0].AsInt64(), origin));
                     }));
        c->AddMethod("function CopyFrom(Source: TStream; Count: Longint): Longint", Method<S>([](S& self, TfsParams& p) {
                         return Variant(self.Stream().CopyFrom(ScriptStreamOf(&Required(p[0])), p[1].AsInt64()));
                     }));
        c->AddProperty("Position", "Longint", Getter<S>([](S& self) { return Variant(self.Stream().Position()); }),
                       Setter<S>([](S& self, const Variant& v) { self.Stream().SetPosition(v.AsInt64()); }));
        c->AddProperty("Size", "Longint", Getter<S>([](S& self) { return Variant(self.Stream().Size()); }));
    }
    if (TfsClassVariable* c = unit.AddClass(TScriptFileStream::StaticClass(), "TStream")) {
        c->AddConstructor("constructor Create(Filename: String; Mode: Word)",
                          [](TObject*, TClass, const std::string&, TfsParams& p) {
                              const int mode = p[1].AsInteger();
                              if (mode < 0 || mode > 0xFFFF) throw EStreamError(Format("Invalid file mode %d", {mode}));
                              return Created(new TScriptFileStream(Str(p[0]), static_cast<uint16_t>(mode)));
                          });
    }
    if (TfsClassVariable* c = unit.AddClass(TScriptMemoryStream::StaticClass(), "TStream")) {
        using M = TScriptMemoryStream;
        c->AddMethod("procedure Clear", Method<M>([](M& self, TfsParams&) { self.Memory().Clear(); }));
        c->AddMethod("procedure LoadFromStream(Stream: TStream)", Method<M>([](M& self, TfsParams& p) {
                         self.Memory().LoadFromStream(ScriptStreamOf(&Required(p[0])));
                     }));
        c->AddMethod("procedure LoadFromFile(const Filename: String)",
                     Method<M>([](M& self, TfsParams& p) { self.Memory().LoadFromFile(Str(p[0])); }));
        c->AddMethod("procedure SaveToStream(Stream: TStream)", Method<M>([](M& self, TfsParams& p) {
                         self.Memory().SaveToStream(ScriptStreamOf(&Required(p[0])));
                     }));
        c->AddMethod("procedure SaveToFile(const Filename: String)",
                     Method<M>([](M& self, TfsParams& p) { self.Memory().SaveToFile(Str(p[0])); }));
    }
}

void RegisterComponents(TfsScript& unit) {
    if (TfsClassVariable* c = unit.AddClass(TComponent::StaticClass(), "TPersistent")) {
        c->AddConstructor("constructor Create(AOwner: TComponent)", ConstructByFactory);
        c->AddProperty("Owner", "TComponent", Getter<TComponent>([](TComponent& self) { return ObjectValue(self.Owner()); }));
    }
}

}  // namespace

void fsRegisterXMLClasses(TfsScript& unit);

void fsRegisterGeneralClasses() {
    if (gGeneralRegistered) return;
    TModuleScope scope(kGeneralModule);
    TfsScript* unit = scope.Unit();
    if (!unit) return;
    gGeneralRegistered = true;
    unit->AddConst("fmCreate", "Integer", Variant(65535));
    unit->AddConst("fmOpenRead", "Integer", Variant(0));
    unit->AddConst("fmOpenWrite", "Integer", Variant(1));
    unit->AddConst("fmOpenReadWrite", "Integer", Variant(2));
    unit->AddConst("fmShareExclusive", "Integer", Variant(16));
    unit->AddConst("fmShareDenyWrite", "Integer", Variant(32));
    unit->AddConst("fmShareDenyNone", "Integer", Variant(64));
    unit->AddConst("soFromBeginning", "Integer", Variant(0));
    unit->AddConst("soFromCurrent", "Integer", Variant(1));
    unit->AddConst("soFromEnd", "Integer", Variant(2));
    unit->AddEnum("TDuplicates", "dupIgnore, dupAccept, dupError");
    RegisterObjects(*unit);
    RegisterLists(*unit);
    RegisterStreams(*unit);
    RegisterComponents(*unit);
    fsRegisterXMLClasses(*unit);
}

void fsUnregisterGeneralClasses() {
    if (!gGeneralRegistered) return;
    gGeneralRegistered = false;
    if (TfsScript* unit = GlobalUnit()) unit->RemoveItems(kGeneralModule);
}

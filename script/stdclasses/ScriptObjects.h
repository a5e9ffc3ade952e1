// Objects of the class library that scripts create and use but that are no components of
// the object model below: TList, TStrings/TStringList and the streams. Each is a TObject
// (so it has a checked handle and a class reference) around the runtime's own list or
// stream, registered under the class library's name ("TStringList", "TFileStream" ...).
//
// A string list's Objects slots hold the handles of the objects a script stored, never
// pointers: a freed object then reads back as a stale handle that raises when used, not as
// a dangling pointer.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "script/HostObjects.h"

#include <memory>
#include <vector>

// TList: an ordered list of values (object handles, numbers).
class TScriptList : public TObject {
    ROVE_CLASS(TScriptList, TObject)
public:
    TScriptList() = default;
    int Count() const { return static_cast<int>(FItems.size()); }
    int Add(const Variant& item);
    void Clear() { FItems.clear(); }
    void Delete(int index);
    int IndexOf(const Variant& item) const;
    void Insert(int index, const Variant& item);
    int Remove(const Variant& item);
    const Variant& Get(int index) const;
    void Put(int index, const Variant& item);

private:
    void CheckIndex(int index, bool allowEnd) const;
    std::vector<Variant> FItems;
};

// TStringList.
class TScriptStringList : public TScriptStrings {
    ROVE_CLASS(TScriptStringList, TScriptStrings)
public:
    TScriptStringList() = default;
    ::TStrings& Strings() override { return FList; }
    ::TStringList& List() { return FList; }

private:
    ::TStringList FList;
};

// TStream and its descendants: the stream lives with the object.
class TScriptStream : public TObject {
    ROVE_CLASS(TScriptStream, TObject)
public:
    ::TStream& Stream() const;

protected:
    std::unique_ptr<::TStream> FStream;
};

class TScriptFileStream : public TScriptStream {
    ROVE_CLASS(TScriptFileStream, TScriptStream)
public:
    TScriptFileStream(const std::string& fileName, uint16_t mode);
};

class TScriptMemoryStream : public TScriptStream {
    ROVE_CLASS(TScriptMemoryStream, TScriptStream)
public:
    TScriptMemoryStream();
    ::TMemoryStream& Memory() const { return static_cast<::TMemoryStream&>(*FStream); }
};

// The stream of a script stream object (raises for anything else).
::TStream& ScriptStreamOf(TObject* object);

// --- Objects the scripts own ---------------------------------------------------------------
// Every object a script constructor made is noted here; TObject.Free frees those, and
// components that have an owner (the owner lets go of them). Anything else belongs to the
// program and Free refuses it rather than leave the program with a dangling pointer.
void fsNoteScriptObject(TObject* object);
bool fsIsScriptObject(const TObject* object);
// Frees object as the script's Free does (raises EScriptError when it may not).
void fsFreeObject(TObject* object);
// Called with every object the script's Free is about to free (modules let go of what
// depends on it).
void fsAddFreeHook(void (*hook)(TObject* object));

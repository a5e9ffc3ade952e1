// The object serializer: report object trees to report XML elements and back. One element
// per object, named by its class; its attributes are the object's published properties as
// the class's property table lists them (defaults left out), nested objects flattened as
// "Font.Name", string lists as "Memo.Text", custom data as hexadecimal "PropData".
//
// Reading never stops at a bad value: unknown classes and failing attributes go to
// Errors and the read goes on; malformed XML raises "Invalid file format".
#pragma once

#include <array>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/rtl/StringList.h"

class TStream;
class TComponent;
class TfrxComponent;
class TfrxXMLItem;
class TFixupList;
struct TfrxCompiledAttributes;

class TfrxXMLSerializer {
public:
    explicit TfrxXMLSerializer(TStream* Stream);
    ~TfrxXMLSerializer();
    TfrxXMLSerializer(const TfrxXMLSerializer&) = delete;
    TfrxXMLSerializer& operator=(const TfrxXMLSerializer&) = delete;

    TStream* Stream() const { return FStream; }
    // The root through which references are named and resolved (the report). When not
    // set, the object being read or written becomes the owner.
    TComponent* Owner() const { return FOwner; }
    void SetOwner(TComponent* Value) { FOwner = Value; }
    // Sorted, duplicates dropped: the messages of failed elements and attributes.
    TStringList& Errors() { return FErrors; }
    bool SerializeDefaultValues() const { return FSerializeDefaultValues; }
    void SetSerializeDefaultValues(bool Value) { FSerializeDefaultValues = Value; }

    // Without Item a new indented document is written to the stream; with Item the
    // element is filled in place.
    void WriteRootComponent(TfrxComponent* Obj, bool SaveChildren = true, TfrxXMLItem* Item = nullptr);
    // Without Item a document is read from the stream; its root element fills Obj.
    void ReadRootComponent(TfrxComponent* Obj, TfrxXMLItem* Item = nullptr);

    // The attribute text of one object: " Prop=\"value\"" items, Prefix before each name.
    std::string ObjToXML(TPersistent* Obj, const std::string& Prefix = {});
    // Applies an attribute text to an object; failures go to Errors.
    void XMLToObj(std::string_view Text, TPersistent* Obj);
    // Applies an attribute text as XMLToObj does and keeps what each attribute did: the
    // property it reached and its value already converted. ApplyCompiled then does the
    // same to another fresh object of the same class without reading the text again
    // (the prepared pages build every object of a source object from its one full text).
    std::shared_ptr<const TfrxCompiledAttributes> CompileToObj(std::string_view Text, TPersistent* Obj);
    void ApplyCompiled(const TfrxCompiledAttributes& Compiled, TPersistent* Obj);
    struct TCompiledStep;   // one attribute of a compiled text


    // The one-object form: "<Class attributes/>" without Name and children.
    void WriteComponent(TfrxComponent* Obj);
    // The next object of the stream, created by its class with AOwner; nullptr when the
    // stream holds no further element. An unregistered class raises EClassNotFound.
    TfrxComponent* ReadComponent(TComponent* AOwner);

    // Resolves the pending references against Owner.
    void FixupReferences();

private:
    void FillItem(TfrxXMLItem* Item, TfrxComponent* Obj, bool SaveChildren);
    void ReadItem(TfrxXMLItem* Item, TfrxComponent* Obj, std::vector<TfrxComponent*>& Read);
    void ApplyAttribute(TPersistent* Obj, const std::string& Name, std::string_view Value);
    // GetPropInfo, while a whole tree is read through a small cache: the objects of a
    // report repeat the same attribute names class by class, and an exact name read
    // before for the same class gives its property without a look-up by name.
    const TPropInfo* FindProp(TPersistent* Obj, std::string_view Name);
    // Resolves one attribute against Obj as ApplyAttribute would (without setting it).
    TCompiledStep CompileAttribute(TPersistent* Obj, const std::string& Name, std::string_view Value);
    void ApplyStep(const TCompiledStep& Step, TPersistent* Obj);
    void ReadPropData(TPersistent* Obj, std::string_view Hex);
    void AddError(const std::string& Message);
    TComponent* Lookup(std::string_view Name) const;

    struct TFixup {
        TObject* Obj;
        const TPropInfo* Prop;
        std::string Name;
    };
    TStream* FStream;
    TComponent* FOwner = nullptr;
    TStringList FErrors;
    bool FSerializeDefaultValues = false;
    std::vector<TFixup> FFixups;
    std::unique_ptr<TFixupList> FBinaryFixups;
    struct TPropSeen {
        TClass Class = nullptr;
        std::string Name;
        const TPropInfo* Prop = nullptr;
    };
    // Made for reading a tree (a serializer that reads one object goes without).
    std::unique_ptr<std::array<TPropSeen, 128>> FPropSeen;
    // Every kAnswerObjects objects written or read, the run watch of this thread (a
    // report's run copying or keeping its template) lets the windows answer.
    static constexpr int kAnswerObjects = 1024;
    int FAnswerCountdown = kAnswerObjects;
    void AnswerStep() {
        if (--FAnswerCountdown <= 0) [[unlikely]]
            Answer();
    }
    [[gnu::noinline]] void Answer();
};

// What an attribute text does to an object of one class (TfrxXMLSerializer::CompileToObj).
struct TfrxCompiledAttributes {
    std::vector<TfrxXMLSerializer::TCompiledStep> Steps;
    TfrxCompiledAttributes();
    ~TfrxCompiledAttributes();
};

// Streams the report's collections in form resources and in PropData: the string and
// string-variant properties of every item are packed (bytes of 128 and above become
// byte 1 and the byte minus 128) while written, and unpacked after reading. A string that
// does not decode becomes a line of Errors (the others load); without Errors it raises.
void frxWriteCollection(class TWriter& Writer, class TCollection* Collection);
void frxReadCollection(class TReader& Reader, class TCollection* Collection, class TStrings* Errors);

// Filers: what DefineProperties sees while an object is read or written. The text form of
// form resources and the binary property format both go through one value tree
// (TFilerValue); TReader reads custom data from it and TWriter produces it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Persistent.h"

// ORDER VALUETYPE: the tags of the binary property format (PropData).
enum TValueType : uint8_t {
    vaNull,          // end of a list
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,      // 10-byte float
    vaString,        // 1-byte length
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,        // 4-byte length
    vaSet,           // names, ended by an empty name
    vaLString,       // 4-byte length
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,      // 8-byte integer, the amount times 10000
    vaDate,          // 8-byte double
    vaWString,       // 4-byte count of UTF-16 units
    vaInt64,
    vaUTF8String,    // 4-byte length
    vaDouble,        // 8-byte double
};
const char* ValueTypeName(TValueType type);

struct TFilerValue;
struct TFilerProperty;
struct TFilerItem;

// One value of the tree. Readers normalise the kinds; which member is valid:
//   vaInt64                         Int (every integer size reads as vaInt64)
//   vaExtended, vaSingle, vaDate    Float (vaDouble reads as vaExtended)
//   vaCurrency                      Int: the amount times 10000
//   vaString                        Str, UTF-8 (every string kind reads as vaString)
//   vaIdent                         Str (may be dotted: "Form2.DataSource1")
//   vaBinary                        Str: the bytes
//   vaSet                           Names
//   vaList                          List
//   vaCollection                    Items
//   vaFalse, vaTrue, vaNil, vaNull  nothing
// Line is the line of the text form, or the byte offset in binary data.
struct TFilerValue {
    TValueType Type = vaNull;
    int64_t Int = 0;
    double Float = 0;
    std::string Str;
    std::vector<std::string> Names;
    std::vector<TFilerValue> List;
    std::vector<TFilerItem> Items;
    int Line = 0;
};

// "Name = value"; Name may be dotted ("Font.Name", "Lines.Strings").
struct TFilerProperty {
    std::string Name;
    TFilerValue Value;
    int Line = 0;
};

// One collection item ("item ... end", optionally with an order "item [n]" ignored).
struct TFilerItem {
    std::vector<TFilerProperty> Properties;
    int Line = 0;
};

// One object of the text form.
struct TFilerObject {
    enum TKind { okObject, okInherited, okInline };
    TKind Kind = okObject;
    std::string Name;          // may be empty ("object TFoo")
    std::string ClassName;
    int Line = 0;
    std::vector<TFilerProperty> Properties;
    std::vector<TFilerObject> Children;
};

class TReader;
class TWriter;
struct TReadContext;      // internal state of one read (root, fix-ups, source, positions)
struct TWriteContext;     // internal state of one write (root)

class TFiler {
public:
    virtual ~TFiler() = default;
    // Custom data stored under Name: ReadData is called when the data is read,
    // WriteData when HasData is true while the object is written.
    virtual void DefineProperty(const std::string& Name, const std::function<void(TReader&)>& ReadData,
                                const std::function<void(TWriter&)>& WriteData, bool HasData) = 0;
    // Custom bytes ({ hex } in the text form, vaBinary in binary data).
    virtual void DefineBinaryProperty(const std::string& Name,
                                      const std::function<void(const std::string& Data)>& ReadData,
                                      const std::function<void(std::string& Data)>& WriteData,
                                      bool HasData) = 0;
    // The root component of the tree being streamed (may be null for a bare object).
    TComponent* Root() const { return FRoot; }

protected:
    TComponent* FRoot = nullptr;
};

// Reads one property value (sequentially, through lists) for a DefineProperty reader.
// Every read checks the value kind and raises EReadError naming the place
// ("Line 12: Error reading Form1.frxReport1.Datasets: ...").
class TReader final : public TFiler {
public:
    TReader(TReadContext& context, const TFilerValue& value, TPersistent* instance,
            std::string placePath);
    void DefineProperty(const std::string& Name, const std::function<void(TReader&)>& ReadData,
                        const std::function<void(TWriter&)>& WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name,
                              const std::function<void(const std::string& Data)>& ReadData,
                              const std::function<void(std::string& Data)>& WriteData,
                              bool HasData) override;

    TValueType NextValue() const;           // vaNull at the end of a list
    bool EndOfList() const;
    void ReadListBegin();
    void ReadListEnd();
    int32_t ReadInteger();
    int64_t ReadInt64();
    double ReadFloat();                     // also accepts integers
    std::string ReadString();
    bool ReadBoolean();
    std::string ReadIdent();                // identifiers, True/False/nil as their words
    char32_t ReadChar();                    // a one-character string
    std::string ReadBinary();
    Variant ReadVariant();                  // any scalar value
    void SkipValue();
    // Fills a collection from a collection value (its items replace the old ones).
    void ReadCollection(TCollection* Collection);
    // A component reference (identifier, dotted name or nil); Setter runs with the
    // component after the whole tree is read.
    void ReadReference(std::function<void(TComponent*)> Setter);
    // Raises EReadError with Message at the current value's place.
    [[noreturn]] void Error(const std::string& Message) const;

    // Used by the readers: runs the instance's DefineProperties looking for Name.
    bool ReadDefinedProperty(const std::string& Name);

private:
    const TFilerValue& Current() const;
    const TFilerValue& Take();
    struct TCursor {
        const TFilerValue* Values;
        size_t Count;
        size_t Pos;
    };
    TReadContext& FContext;
    TPersistent* FInstance;
    std::string FPlacePath;
    std::vector<TCursor> FStack;
    std::string FSought;
    bool FFound = false;
};

// Produces property values for a DefineProperty writer, and runs DefineProperties.
class TWriter final : public TFiler {
public:
    TWriter(TWriteContext& context, std::vector<TFilerProperty>& out);
    void DefineProperty(const std::string& Name, const std::function<void(TReader&)>& ReadData,
                        const std::function<void(TWriter&)>& WriteData, bool HasData) override;
    void DefineBinaryProperty(const std::string& Name,
                              const std::function<void(const std::string& Data)>& ReadData,
                              const std::function<void(std::string& Data)>& WriteData,
                              bool HasData) override;

    void WriteInteger(int64_t Value);
    void WriteFloat(double Value);
    void WriteString(std::string_view Value);
    void WriteBoolean(bool Value);
    void WriteIdent(std::string_view Ident);
    void WriteChar(char32_t Value);
    void WriteBinary(std::string_view Bytes);
    void WriteVariant(const Variant& Value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteCollection(TCollection* Collection);
    // The reference name relative to the root ("DataSource1", "Form2.DataSource1"),
    // nil for null or a component that cannot be named.
    void WriteReference(TComponent* Component);

    // Used by the writers: the defined properties of Instance, appended to the output.
    void WriteDefinedProperties(TPersistent* Instance, const std::string& Prefix);

private:
    void Put(TFilerValue value);
    TWriteContext& FContext;
    std::vector<TFilerProperty>& FOut;
    std::string FPrefix;
    std::vector<std::vector<TFilerValue>*> FStack;
    std::vector<TFilerValue> FValues;
};

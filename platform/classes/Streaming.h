// Form resources and binary property data: reading and writing component trees.
//
// Text form:
//   object Form1: TForm1                      (also "inherited Name: TClass", "inline ...")
//     Caption = 'It''s '#25910#36153 +        strings: quotes doubled, #nnn code points,
//       ' more'                               '+' joins parts across lines
//     Left = 10                               integers ($FF hex), floats (1.5, 1E-5)
//     Align = alClient                        identifiers: enums, True/False, references,
//     DataSource = Form2.DataSource1          handler names; nil
//     Font.Style = [fsBold, fsItalic]         sets; dotted names reach sub-objects
//     Lines.Strings = ('a' 'b')               lists (string lists)
//     Columns = <item Width = 5 end>          collections
//     Picture.Data = {0A1B2C}                 binary data
//     OnClick = Button1Click                  events: published methods of the root
//     object Button1: TButton ... end         nested objects
//   end
// Reading fills an existing root or creates it by class name; children are created by
// class name with GetChildOwner() (or the root) as owner and SetParentComponent of the
// enclosing object; every component is csLoading/csReading while the tree is read, then
// references are fixed up and Loaded runs on each component, parents before children.
// Writing writes the published properties that are stored and differ from their
// defaults, then the DefineProperties data, then the children (GetChildren).
//
// Errors: malformed text, an unknown class or property, a bad value, an unknown handler,
// a reference that names no component, truncated or bad binary data raise EReadError
// whose text names the place: "Form1.dfm, line 12: Error reading Button1.Caption: ...".
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"

// --- The text form ---------------------------------------------------------------------
// Parsing and formatting the tree alone (no objects are created).
TFilerObject ParseFormText(std::string_view Text, std::string_view SourceName = {});
std::string FormatFormText(const TFilerObject& Object);

// Reads Text into Root (an existing object of the text's class or a descendant of it).
void ReadComponentFromText(std::string_view Text, TComponent* Root,
                           std::string_view SourceName = {});
// Creates the root by its class name with Owner and reads it.
TComponent* CreateComponentFromText(std::string_view Text, TComponent* Owner,
                                    std::string_view SourceName = {});
std::string WriteComponentToText(TComponent* Root);
// The value tree of Root as the text writer produces it.
TFilerObject ComponentToFilerObject(TComponent* Root);

// --- Form resources by class name --------------------------------------------------------
// The program embeds one text per window class at build time and registers it here
// (an empty Text removes the class's resource).
void RegisterFormResource(std::string_view ClassName, std::string Text,
                          std::string SourceName = {});
const std::string* FindFormResource(std::string_view ClassName);
// Reads the resources of Root's class and of its ancestors into Root, the base class
// first (an "inherited" block then fills the objects the ancestor created). Returns
// false when none of the classes has a resource.
bool InitInheritedComponent(TComponent* Root);

// --- Roots by name (references across forms) ---------------------------------------------
// Each root read from a form resource is added (and removed when it is destroyed);
// references "Form2.DataSource1" to a root that is not loaded yet wait until it is.
void AddGlobalComponent(TComponent* Root);
void RemoveGlobalComponent(TComponent* Root);
TComponent* FindGlobalComponent(std::string_view Name);
// The roots in the order they were added (a snapshot).
std::vector<TComponent*> GlobalComponents();
// "DataSource1" in Root (or Root itself), "Form2.DataSource1" through the global roots,
// "Form2.Frame1.Edit1" down owned components.
TComponent* FindNestedComponent(TComponent* Root, std::string_view NamePath);
// The name a reference from Root's tree to Target is written with: the plain name when
// Target is Root, is owned by Root or has no owner; Owner.Name when the owner is another
// named root; empty when Target cannot be named.
std::string GetComponentReferenceName(TComponent* Root, TComponent* Target);

// --- Reference fix-ups ---------------------------------------------------------------------
class TFixupList {
public:
    enum TUnresolved { urIgnore, urRaise, urDefer };
    TFixupList();
    ~TFixupList();
    TFixupList(const TFixupList&) = delete;
    TFixupList& operator=(const TFixupList&) = delete;

    // Set Instance's component-reference property Prop to the component Name, later.
    void Add(TObject* Instance, const TPropInfo* Prop, std::string Name, std::string Place);
    void Add(TObject* Instance, std::function<void(TComponent*)> Setter, std::string Name,
             std::string Place);
    // Resolves every entry: Lookup (when given) first, then FindNestedComponent(Root).
    // An unresolved entry is dropped (urIgnore), raises EReadError naming its place
    // (urRaise), or, when its first name part is no loaded root, waits in the global
    // list for that root (urDefer; other unresolved names raise). Entries whose
    // instance was destroyed meanwhile are dropped.
    void Resolve(TComponent* Root, TUnresolved Mode,
                 const std::function<TComponent*(std::string_view)>& Lookup = {});
    bool Empty() const;
    size_t Count() const;

    struct TEntry;

private:
    std::vector<TEntry> FEntries;
};

// --- Binary property data (PropData) -------------------------------------------------------
// A sequence of (name, value) pairs without terminator: the name as a length byte and
// its bytes, the value as a tag (TValueType) and its data, little-endian.
std::string EncodeBinaryProperties(const std::vector<TFilerProperty>& Properties);
// Raises EReadError "Invalid binary property data at byte N: ..." for truncated or bad
// data; never reads outside Data.
std::vector<TFilerProperty> DecodeBinaryProperties(std::string_view Data);
// Obj's DefineProperties written as binary property data; empty when nothing has data.
std::string WritePropData(TPersistent* Obj, TComponent* Root);
// Reads binary property data into Obj's DefineProperties; references go into Fixups
// (the caller resolves them after the whole tree is read). Raises EReadError.
void ReadPropData(TPersistent* Obj, std::string_view Data, TComponent* Root, TFixupList& Fixups);
// Upper-case hexadecimal, two characters per byte, and back (raises EReadError for an
// odd length or a character that is no hex digit).
std::string BytesToHex(std::string_view Bytes);
std::string HexToBytes(std::string_view Hex);

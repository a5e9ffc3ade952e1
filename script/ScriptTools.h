// Script tools: free operations that the front end, the program builder, the registry and
// the designer share: type codes and their names, type and assignment compatibility, literal
// text to value, registration signatures, type-name translation and source positions.
#pragma once

#include "platform/rtl/Variant.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TfsXMLItem;
class TfsScript;

// Type codes of script items. ORDER TYPE_CODE: TypeCodeName and the compatibility table in
// ScriptTools.cpp follow this order.
enum TfsTypeCode : uint8_t {
    tcInteger = 0,
    tcBoolean = 1,
    tcExtended = 2,
    tcChar = 3,
    tcString = 4,
    tcClass = 5,
    tcArray = 6,
    tcVariant = 7,
    tcEnum = 8,          // enumerations and sets
    tcConstructor = 9,   // the result type of constructors
};
constexpr int kTypeCodeCount = 10;

// A type as the compatibility test sees it: a code and, for classes and enumerations, a name.
struct TfsTypeRec {
    uint8_t Typ = tcVariant;
    std::string TypeName;
};

// "Integer", "Boolean", "Extended", "Char", "String", "Class " + TypeName, "Array", TypeName for
// an enumeration, "Variant" for every other code.
std::string TypeCodeName(uint8_t typ, std::string_view typeName);

// The type names that the global unit registers and the codes they stand for.
struct TfsStandardType {
    const char* Name;
    TfsTypeCode Typ;
};
extern const TfsStandardType kStandardTypes[];
extern const size_t kStandardTypeCount;
// The code of a standard type name (ASCII case ignored); false when the name is none of them.
bool StandardTypeCode(std::string_view name, uint8_t& typ);

// A language's own type name through its `types` element (the copy at the end of the
// intermediate document): `<int type="integer"/>` turns "int" into "integer". Names the
// element does not list, and a null element, leave Name as it is.
std::string TranslateTypeName(const TfsXMLItem* types, std::string_view name);

// True when the class named Descendant is the class named Ancestor or descends from it;
// supplied by the registry that knows the classes.
using TfsClassInherits = std::function<bool(std::string_view ancestor, std::string_view descendant)>;

// Whether a value of type Right may meet one of type Left (by Left's code):
//   Integer: Integer, Extended, Variant, Enum      Boolean: Boolean, Variant
//   Extended: Integer, Extended, Variant           Char, String: Char, String, Variant
//   Class: Variant, or a class that is Left's class or descends from it
//   Array: Array, Variant     Variant: everything   Enum: Integer, Variant, Enum of the same name
//   Constructor: nothing
bool TypesCompatible(const TfsTypeRec& left, const TfsTypeRec& right, const TfsClassInherits& classInherits);
// TypesCompatible, except that an Extended source is not assignable to an Integer target.
bool AssignCompatible(const TfsTypeRec& target, const TfsTypeRec& source, const TfsClassInherits& classInherits);

// A literal of the intermediate document to its value: "" gives Empty; a text beginning with
// a quote gives the string between its first and last character; otherwise a 64-bit integer
// (decimal or "$" hexadecimal), else a floating number read with "." whatever the locale.
// Text that is none of these raises EConvertError.
Variant ParseValue(std::string_view text);

// A point of the code editor: X the column, Y the line.
struct TfsPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TfsPoint&) const = default;
};
// "line:column" to a point; an empty or malformed text gives (0, 0).
TfsPoint PosToPoint(std::string_view pos);

// A registration text such as "function Copy(s: String; from, count: Integer): String" or
// "procedure Inc(var i: Integer; incr: Integer = 1)", read with the default scanner.
struct TfsSignatureParam {
    std::string Name;
    std::string TypeName;
    bool IsVarParam = false;
    // Only the last name of a group carries the group's default.
    bool HasDefault = false;
    Variant DefaultValue;          // a number, a string or "-" and a number
    std::string DefaultIdent;      // or the name of an item whose value is the default
};
struct TfsSignature {
    bool IsFunction = false;
    std::string Name;
    std::string ResultType;        // the identifier behind the last ':' (empty for procedures)
    std::vector<TfsSignatureParam> Params;
};
// Raises EScriptError "Invalid declaration: <text>" when the text does not begin with
// "function" or "procedure" and a name, or its parameter list is malformed.
TfsSignature ParseSignature(std::string_view syntax);

// The contents tree of Script under Item, for the report designer: the children
// "Functions" (one child per category, its text the category, holding an item per
// function with its declaration as text and its description), "Classes" (an item
// "TFoo = class(TBar)" per class with an item per property, method and event), "Types"
// (an item "TAlign: (alNone,alTop)" per enumeration), "Variables" ("Name: Type") and
// "Constants" ("Name: Type = value"); missing children are made. With FunctionsOnly only
// the functions are listed.
void GenerateXMLContents(const TfsScript& script, TfsXMLItem* item, bool functionsOnly = false);

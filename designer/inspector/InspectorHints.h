// The descriptions the object inspector shows below its list for the selected property:
// string-table entries keyed "prop" + property name, or "prop" + name + "." + class name
// for a text that belongs to the properties of one class only (the class of the object
// that owns the row: TFont for the rows under a memo's Font).
#pragma once

#include <cstddef>
#include <string>

struct TfrxTextEntry;

// The descriptions in the order they are added ("propCondition" comes twice; the second
// text stays).
const TfrxTextEntry* frxInspectorHintEntries(size_t& Count);

// Adds the descriptions to the process-wide string table; runs once, later calls do
// nothing.
void frxRegisterInspectorHints();

// The description of property Name on an object of class ClassName: the class's own text,
// else the general one, else the general key itself ("prop" + Name).
std::string frxPropertyDescription(const std::string& Name, const std::string& ClassName);

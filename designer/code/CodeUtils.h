// How the four script languages write an event handler, and the edits of a report script
// (plain text lines) that follow from it: the handlers that already fit an event, the line
// of a named handler, a new empty handler put where it belongs, and the empty main block of
// a language. The templates sit in the report library's string table, so a translation
// that sets the same keys changes them.
//
// Template of a language (key = the language name): proc="..." begin="..." end="..."
// lastend="..." (the word that opens a handler, the line that opens its body, the line
// that closes it, the text that closes the script's main block; empty when none).
// Parameter lists (key = the event type's name): one line per language, Language=(...).
#pragma once

#include <string>

class TStrings;

// Puts the language templates and the event parameter lists into the string table (once).
void frxRegisterCodeTemplates();

// The value of attribute Attr in Language's template; '' when the language or the
// attribute is not there.
std::string ScriptLanguageAttr(const std::string& Language, const std::string& Attr);
// The parameter list of the event type for Language, '' when either is unknown.
std::string EventParamsFor(const std::string& EventType, const std::string& Language);
// List receives the names of the handlers of Script whose header starts at the line's
// first character and whose parameters are those of EventType.
void ListMatchingHandlers(const TStrings& Script, const std::string& Language, const std::string& EventType,
                          TStrings& List);
// The 0-based line that opens handler Name; -1 when none.
int FindHandlerLine(const TStrings& Script, const std::string& Language, const std::string& Name);
// The 0-based line before which a new handler goes (the line that opens the main block, or
// the last line when the language has none); -1 when a language with a main block has none.
int FindHandlerInsertLine(const TStrings& Script, const std::string& Language);
// Inserts an empty handler (header, body opening, an empty body line, body closing, an
// empty line) and returns the 1-based number of the empty body line. Raises EfrxError
// "dsCantFindProc" with the script unchanged when there is no main block to put it before.
int InsertEventHandler(TStrings& Script, const std::string& Language, const std::string& EventType,
                       const std::string& Name);
// Replaces Script by the language's empty main block (nothing for a language without one).
void NewEmptyScript(TStrings& Script, const std::string& Language);

// Functions whose results the clinic's SQL expects as the Windows database engine gave
// them, registered on every SQLite handle the layer opens:
//   val(x)      the numeric prefix of a text as a REAL ("240307001" -> 240307001,
//               " 12ab" -> 12, "" -> 0); blanks, tabs and line feeds are skipped anywhere;
//               &H / &O prefixes read hexadecimal and octal; NULL stays NULL.
//   round(x,n)  rounds halves to even at the n-th decimal as the scaled value sees them:
//               round(2.125,2) = 2.12, round(2.5) = 2, round(-0.125,2) = -0.12.
// Date text in the program's formats is read by TryJetTextToDate (the layer converts text
// parameters compared with date columns through it).
#pragma once

#include <string_view>

#include "platform/rtl/DateTime.h"

struct sqlite3;

double JetVal(std::string_view text);
double JetRound(double value, int digits);

// Reads "yyyy-m-d", "yy-m-d" (also with "/" or "."), optionally followed by a time
// "h:mm[:ss[.zzz]]"; a two-digit year falls into the 100 years that start 50 years before
// the current year. Other texts are tried with the short date format of FormatSettings.
bool TryJetTextToDate(std::string_view text, TDateTime& value);

// Registers val() and round() on the handle; raises EDatabaseError when SQLite refuses.
void RegisterJetFunctions(sqlite3* db);

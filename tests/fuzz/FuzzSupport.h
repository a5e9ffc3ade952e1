// What the fuzz targets share: an offscreen application for the targets that make windows
// or draw, the report classes registered as the program registers them, and the rule that
// an input may be refused with an exception of the class library but nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Creates the offscreen application with the repository's pinned fonts (once).
void FuzzStartApplication();
// Registers the report, page, band, view, dataset, dialog, cross-tab and dot-matrix classes,
// and answers every password question with Cancel (nobody is there to type one).
void FuzzRegisterReportClasses();
// A report that shows no message box: its load errors stay in its error list.
class TfrxReport;
void FuzzQuiet(TfrxReport& Report);

inline std::string_view FuzzText(const uint8_t* Data, size_t Size) {
    return {reinterpret_cast<const char*>(Data), Size};
}

// A finding: prints what went wrong and aborts, so the fuzzer keeps the input.
[[noreturn]] void FuzzFail(std::string_view What);

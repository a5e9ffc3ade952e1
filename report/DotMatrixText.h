// The text of a prepared dot-matrix page for a character printer: the page's objects on
// its grid of character cells, memo texts wrapped and aligned in their cells, frame and
// line characters ('-', '|', '+'), printer commands at their cells, and the printer
// styles (bold, italic, underline, super- and subscript, condensed, wide, 12 and 15
// characters per inch) as ESC/P escape sequences. Text goes out in GBK, the code page of
// Chinese character printers; a CJK character takes two cells.
//
// The grid counts cells of 10 characters per inch: text in the narrower pitches keeps
// its cells' columns as laid out, and a wide (double-width) character takes two cells.
#pragma once

#include <string>

class TfrxPage;

struct TfrxDMPTextOptions {
    // Printer styles, the reset and the page length as escape sequences; off: plain text.
    bool Commands = true;
    // A form feed ends the page; off: blank lines fill the page to its length.
    bool PageBreaks = true;
    // The first page of a document begins with the printer's reset (ESC @).
    bool FirstPage = true;
};

std::string frxDMPPageText(TfrxPage* Page, const TfrxDMPTextOptions& Options = {});

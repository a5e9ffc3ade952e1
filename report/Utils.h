// Free-standing routines of the report engine: components by reference name, hexadecimal
// stream texts, locale-proof number text, page-range lists, bracket scanning, temporary
// files, the error box, image-list cutting and picture drawing.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/classes/TypInfo.h"

class TBitmap;
class TCanvas;
class TComponent;
class TPersistent;
class TGraphic;
class TImageListComponent;
class TStream;
class TStrings;
struct TRect;

struct TfrxRect {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
};
struct TfrxPoint {
    double X = 0, Y = 0;
};
inline TfrxRect frxRect(double Left, double Top, double Right, double Bottom) {
    return {Left, Top, Right, Bottom};
}
inline TfrxPoint frxPoint(double X, double Y) { return {X, Y}; }

// "Form.Comp" and "Form.Frame.Comp" through the program's forms and data modules; a plain
// name in Owner and, when Owner is a report, in the report's owner; nullptr when none.
TComponent* frxFindComponent(TComponent* Owner, std::string_view Name);
// The name a reference is written with in report files: the plain name (no owner, owned
// by Root, or owned like the report), "Form.Name" for forms and data modules,
// "Form.Frame.Name" for frames, empty otherwise.
std::string frxGetFullName(TComponent* Root, TComponent* Component);

// Clears List and adds the reference name (frxGetFullName's form) and object of every
// component of ComponentClass that the report can reach: the report's own objects, those
// on the report's owner, on every form of the screen (and on the frames of those forms)
// and on every data module. Skip is left out; each component is listed once.
void frxGetComponentList(TComponent* Report, TClass ComponentClass, TStrings* List, TComponent* Skip);

// Copies the published properties of Source onto Dest (of Source's class or a descendant)
// in declaration order, as reading Source's report XML would, but without the text round
// trip: values, owned sub-objects (fonts, frames, formats) through their Assign, string
// lists and references. Name is left as it is. For objects made in bulk during a run.
void frxCopyProperties(TPersistent& Dest, TPersistent& Source);

// Clears List and adds each part of Text between delimiters (empty parts kept, none
// after a final delimiter).
void frxSplitString(std::string_view Text, TStrings* List, char Delimiter);

// The whole stream from position 0 as upper-case hexadecimal, two characters per byte.
void frxStreamToHex(TStream& Stream, std::string& Text);
// The reverse, written from stream position 0. Text of odd length or holding a character
// that is no hexadecimal digit raises EConvertError and writes nothing.
void frxHexToStream(std::string_view Text, TStream& Stream);

// Every "," and "." is the decimal separator, blanks are removed; bad text raises
// EConvertError.
double frxStrToFloat(std::string_view Text);
// Whole numbers as the runtime's float text, others with two decimals.
std::string frxFloatToStr(double Value);

// Value to the nearest integer, a half to the even neighbour, for drawing. Values beyond
// a billion either way (and NaN, as 0) are held there, so an absurd size set by a script
// never raises while painting and sums of two coordinates cannot overflow.
int frxRoundInt(double Value);

// From the 1-based character Index, the next bracketed part of Text: brackets nest;
// quoted stretches (double quotes, and single quotes outside double quotes) are not
// examined. Result is the text between the outer brackets (empty when none), Start the
// position of its opening bracket and Index that of its closing one.
void frxGetBrackets(std::string_view Text, char32_t OpenBracket, char32_t CloseBracket,
                    std::string& Result, int& Index, int& Start);

// The page numbers of a page-range text ("1,3,5-12", blanks ignored, "5-" to MaxPage) as
// decimal texts in the order given, repeats kept. Pages outside 1..MaxPage cannot print
// and are left out, so "1-2000000000" gives at most MaxPage lines. A part that is no
// whole number raises EConvertError naming it, and List is left empty.
void frxParsePageNumbers(std::string_view Text, TStrings* List, int MaxPage);

// Cuts Bitmap row by row, left to right, into CellWidth x CellHeight cells and adds them
// to ImageList with the bitmap's transparent colour. With PairImageList the cells come in
// pairs: the first of each pair goes to ImageList, the second, its white pixels turned to
// $E0E0E0, to PairImageList. Cells that do not fit whole are left out.
void frxAssignImages(TBitmap* Bitmap, int CellWidth, int CellHeight, TImageListComponent* ImageList,
                     TImageListComponent* PairImageList = nullptr);
// Draws Bitmap with its top left at (X, Y), leaving out its transparent colour.
void frxDrawTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap);
// Stretches Graphic into Rect: a metafile directly, any other graphic first drawn on a
// 24-bit bitmap of its own size.
void frxDrawGraphic(TCanvas* Canvas, const TRect& Rect, TGraphic* Graphic);

// The error box: Text in a message box with the error icon, captioned with the string
// table's "mbError". A process without the window system writes it to standard error.
void frxErrorMsg(const std::string& Text);

// The words the program gives for a failure that stops a report run or a print (a database
// that refuses to be read while another program holds it, say), set by the program at
// start-up; the report's error list takes them in place of the failure's own text. Without
// them, and for a failure they have no words for (an empty result), the text stays.
void frxSetFailureWords(std::function<std::string(const std::string& Text)> Words);
std::string frxFailureWords(const std::string& Text);

// A new unique file with prefix "fr" in TempDir (the system's when empty), mode 0600.
std::string frxCreateTempFile(const std::string& TempDir);

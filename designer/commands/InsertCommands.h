// Inserting objects and bands from the object palette and the bands menu. A palette
// button arms an insertion (the object is made when the user draws it on the page); a
// bands-menu item makes its band at once. The bands menu's items carry the band's place in
// the band kind table as their Tag (0 report title ... 17 overlay); 100 + that place makes
// a vertical band.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/Persistent.h"
#include "report/Utils.h"

class TfrxBand;
class TfrxCustomDesigner;
class TfrxPage;
struct TfrxObjectItem;

// The height of a new band (the width of a vertical one) in pixels for the unit in force:
// 0 centimetres 0.6 cm, 1 inches 0.3 inch, 2 pixels 20, 3 characters one row (17).
double frxDefaultBandSize(int Units);
// Where a band goes on a page whose bands are placed freely: just below the lowest band
// (after its caption of BandHeader pixels and 4 pixels), on the vertical grid, cut to
// eight decimals.
double frxFreeBandTop(const TfrxPage* Page, double BandHeader, double GridY);
// The band class of a bands-menu tag, nullptr for a tag that names none.
TClass frxBandClassOfTag(int Tag);
// False for the bands a page holds once (report title and summary, page and column
// headers and footers) while the page has one; true for the others.
bool frxBandTagEnabled(const TfrxPage* Page, int Tag);

// The band of a bands-menu tag made on the designer's current page: a unique name; a
// horizontal band below the others (FreeBands: at frxFreeBandTop; else at 10000, which the
// stacking of bands puts after the last) and as high as frxDefaultBandSize; a vertical band
// as wide, at that Left. It joins the designer's Objects, becomes the only selected object,
// and the change is recorded once (SetModified). nullptr (nothing done) without a page or
// for a tag that names no band.
TfrxBand* frxInsertBand(TfrxCustomDesigner& Designer, int Tag, bool FreeBands, double BandHeader, double GridY);

// The palette entries that a category button lists: the entries of Index's category with
// a class, in registry order; on a dot-matrix page only the cross-tabs.
std::vector<int> frxCategoryEntries(int Index, bool DotMatrixPage);
// The size an armed insertion of Entry starts with: 28 x 28 for a dialog component, else
// a new object's own size, else (an object without a size) DefaultObjectSize.
TfrxPoint frxInsertionSize(const TfrxObjectItem& Entry, TfrxPoint DefaultObjectSize);

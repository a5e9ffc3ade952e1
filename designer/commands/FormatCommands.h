// The formatting and alignment commands of the designer's Text, Frame and Alignment tool
// bars, the rotation and dot-matrix style menus and the style box: each changes the look or
// the geometry of the selected report objects. The tool bars tell the commands apart by
// the Tag of the control that raised them (the table below); the window reads the control
// (a button's Down state, a box's text, the colour or line style just picked) into a
// TfrxFormatInput and, when a command visited an object, records the change once
// (SetModified: one undo step per command).
//
//   Tag  control                         effect on each object
//   0    font name box                   Font.Name := Text
//   1    font size box                   Font.Size := Text as a whole number
//   2-4  bold, italic, underline         that font style on (Down) or off
//   5    font colour (colour selector)   Font.Color := Color
//   7-10 text alignment buttons          a memo's HAlign := HAlign
//   11-13 vertical alignment buttons     a memo's VAlign := VAlign
//   20-23 frame top, bottom, left, right that frame line on (Down) or off
//   24, 25 all lines, no lines           every frame line on / off
//   26   fill colour                     a view's (or the page's) Color := Color
//   27   frame colour                    Frame.Color := Color
//   28   frame style (line selector)     Frame.Style := LineStyle
//   29   frame width box                 Frame.Width := Text as a number ("," or ".")
//   30   rotation menu                   a memo's Rotation := Rotation
//   31   snap to grid                    Left, Top, Width, Height to the grid (GridX, GridY)
//   32   shadow                          Frame.DropShadow := Down
//   33   style box                       a memo's Style := Text (empty: no style)
//   34-42 dot-matrix style menu          bit Tag - 34 of a dot-matrix object's FontStyle:
//                                        cleared when Down (the item's check mark), else set
//   43   font dialog                     Font := Font (nothing when Font is nullptr)
//
// Frame rows apply to views and to report pages (the page's background frame); objects
// whose Restrictions hold rfDontModify are skipped by every formatting command. A direct
// change of the font, the colours or the frame (tags 0-5, 20-29, 32) detaches a memo from
// its named style.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics/Colors.h"
#include "report/Frame.h"
#include "report/MemoView.h"

class TFont;
class TfrxComponent;
class TfrxCustomDesigner;

// What a formatting command reads from the control that raised it.
struct TfrxFormatInput {
    std::string Text;                    // tags 0, 1, 29, 33
    bool Down = false;                   // tags 2-4, 20-23, 32; 34-42: the item is checked
    TfrxHAlign HAlign = haLeft;          // tags 7-10
    TfrxVAlign VAlign = vaTop;           // tags 11-13
    TColor Color = clNone;               // tags 5, 26, 27 (the colour just picked)
    TfrxFrameStyle LineStyle = fsSolid;  // tag 28 (the line style just picked)
    int Rotation = 0;                    // tag 30
    const TFont* Font = nullptr;         // tag 43: the confirmed font, nullptr when cancelled
    double GridX = 0, GridY = 0;         // tag 31
};

// Applies command Tag to every object of Selection that may be modified; true when at
// least one object was visited (the window then records the change). Text that is no
// valid font size (tag 1, frxReadFontSize) or frame width (tag 29, frxReadFrameWidth)
// raises before any object changes.
bool frxFormatObjects(const std::vector<TfrxComponent*>& Selection, int Tag, const TfrxFormatInput& Input);
// The tags after which the tool bars must show the new state of the selection.
bool frxFormatNeedsUpdateControls(int Tag);

// The alignment palette: the first selected object is the reference of the first eight.
enum class TfrxAlignCommand {
    AlignLefts, AlignRights, AlignTops, AlignBottoms, AlignHorzCenters, AlignVertCenters,
    SameWidth, SameHeight, CenterHorz, CenterVert, SpaceHorz, SpaceVert
};
// The number of selected objects the command needs.
int frxAlignNeeds(TfrxAlignCommand Command);
// Runs the command over Selection; false (nothing done) when fewer objects are selected
// than it needs. Centring places objects outside bands in the visible workspace of
// AreaWidth x AreaHeight page pixels (the workspace's size divided by the zoom).
bool frxAlignObjects(const std::vector<TfrxComponent*>& Selection, TfrxAlignCommand Command,
                     double AreaWidth = 0, double AreaHeight = 0);

// The highlight button: the highlight window opens on the first selected memo; on OK every
// further selected memo gets a copy of its highlight. True when the window was confirmed.
bool frxHighlightSelection(TfrxCustomDesigner* Designer, const std::vector<TfrxComponent*>& Selection);

// The report library's own pictures: the 16 x 16 tool-button images (the bitmap resource
// "frxBUTTONS") and the 22 x 22 images of report object kinds ("frxOBJECTS"), drawn by the
// program itself. The string table cuts them into its image lists on first use
// (TfrxResources::MainButtonImages, DisabledButtonImages, ObjectImages); these are the
// indexes into those lists. The numbered comments are indexes that the preview, the
// designer and its editors use by number; the others are ours to place.
#pragma once

#include <string_view>

class TBitmap;

// ORDER BUTTON IMAGES: the painters in Images.cpp follow this order.
namespace frxButton {
enum : int {
    New, Open /* 1 */, Save /* 2 */, Print, Preview, Cut, Copy /* 6 */,
    Paste /* 7 */, Undo, Redo, Find, Bold, Italic, Underline, Font, FontColor,
    Highlight, Rotate, AlignLeft, AlignCenter, AlignRight, AlignBlock, AlignTop,
    AlignMiddle, AlignBottom, WordWrap /* 25 */, FillColor, BringToFront,
    SendToBack, SelectTool, HandTool, ZoomTool, FrameTop /* 32 */,
    FrameBottom /* 33 */, FrameLeft /* 34 */, FrameRight /* 35 */, FrameAll /* 36 */,
    FrameNone /* 37 */, TextTool, Color /* 39 */, FrameStyle /* 40 */, FrameWidth,
    FormatTool, InsertBand, NewPage, NewDialog, DeletePage, PageSettings,
    WholePage, PageWidth, Zoom100, TwoPages, Outline, DataSet /* 53 */,
    Field /* 54 */, Cancel /* 55 */, Ok /* 56 */, FirstPage, PriorPage, NextPage,
    Shadow /* 60 */, LastPage, Position /* 62 */, Size /* 63 */, Export,
    NewCategory /* 65 */, Category /* 66 */, NewVariable /* 67 */, Edit /* 68 */,
    List /* 69 */, Expression /* 70 */, AlignLefts, AlignHCenters, AlignRights,
    AlignTops, OtherObject /* 75 */, Report /* 76 */, ReportPage /* 77 */,
    DialogPage /* 78 */, Band /* 79 */, Variable /* 80 */, Delete /* 81 */,
    Clear /* 82 */, AlignVCenters, AlignBottoms, Aggregate /* 85 */,
    LocalFormat /* 86 */, SpaceHorz, Remove /* 88 */, Add /* 89 */, SpaceVert,
    CenterHorz, CenterVert, SameWidth, SameHeight, EditPage, Code, Exit,
    Options, Help,
    Count
};
}  // namespace frxButton
static_assert(frxButton::Open == 1 && frxButton::Copy == 6 && frxButton::WordWrap == 25 &&
              frxButton::FrameTop == 32 && frxButton::FrameNone == 37);
static_assert(frxButton::Color == 39 && frxButton::FrameStyle == 40 && frxButton::DataSet == 53 &&
              frxButton::Ok == 56 && frxButton::Shadow == 60);
static_assert(frxButton::Position == 62 && frxButton::Size == 63 &&
              frxButton::NewCategory == 65 && frxButton::Expression == 70);
static_assert(frxButton::OtherObject == 75 && frxButton::Variable == 80 &&
              frxButton::Clear == 82 && frxButton::Aggregate == 85);
static_assert(frxButton::LocalFormat == 86 && frxButton::Remove == 88 && frxButton::Add == 89 &&
              frxButton::Count == 100);

// ORDER OBJECT IMAGES
namespace frxObject {
enum : int {
    Select, Band, Memo /* 2 */, Picture /* 3 */, Subreport /* 4 */, Line /* 5 */,
    CatDraw /* 6 */, DiagLine /* 7 */, Rect /* 8 */, RoundRect /* 9 */,
    Ellipse /* 10 */, Triangle /* 11 */, Hand, Zoom, TextTool, FormatTool, Label,
    Edit, MemoControl, Button, CheckBox, CatOther /* 21 */, RadioButton, ListBox,
    ComboBox, DateEdit, Image, Panel, GroupBox, BitBtn, SpeedButton,
    Diamond /* 31 */, SysMemo /* 32 */, MaskEdit, CheckListBox, LookupCombo,
    Bevel, Shape, CatOtherControls, DBDataSet, UserDataSet, Database,
    Cross /* 42 */, Table, Query, DialogPage, ReportPage, Report, DMPPage,
    DBCross /* 49 */,
    Count
};
}  // namespace frxObject
static_assert(frxObject::Memo == 2 && frxObject::Line == 5 && frxObject::CatDraw == 6 &&
              frxObject::Triangle == 11 && frxObject::CatOther == 21);
static_assert(frxObject::Diamond == 31 && frxObject::SysMemo == 32 && frxObject::Cross == 42 &&
              frxObject::DBCross == 49);
static_assert(frxObject::Count == 50);

// The strips: "frxBUTTONS" holds each button picture followed by its greyed look, row by
// row, 16 x 16 each; "frxOBJECTS" the object pictures, 22 x 22 each. Fuchsia is their
// transparent colour. False for any other name.
bool frxLoadResourceBitmap(std::string_view Name, TBitmap& Bitmap);

// The designer's property editors.
#include "designer/editors/PropertyEditors.h"

#include <cmath>

#include "designer/editors/ComponentEditors.h"
#include "designer/editors/FormatEditor.h"
#include "designer/editors/MemoEditor.h"
#include "designer/editors/PictureEditor.h"
#include "designer/editors/StringsEditor.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/StrUtils.h"
#include "report/DataSet.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Views.h"

// === Units ==================================================================================

namespace {

// The designer's unit, -1 without a designer (the value is then shown as stored).
int UnitOf(TfrxCustomDesigner* Designer) { return Designer ? Designer->CurUnits() : -1; }

// Typed text as a number; text that is none raises the "prInvProp" text.
double ReadNumber(const std::string& Text) {
    try {
        return frxStrToFloat(Text);
    } catch (const Exception&) {
        throw EfrxError(frxResources().Get("prInvProp"));
    }
}

// A converted value as text: the conversion's rounding noise (25.4 mm shown as
// 95.99999999999999 pixels) would otherwise show a whole number with decimals.
std::string UnitText(double Value) { return frxFloatToStr(std::round(Value * 1e6) / 1e6); }

}  // namespace

std::string TfrxLocSizeXProperty::GetValue() {
    const double v = GetFloatValue();
    switch (UnitOf(Designer())) {
    case 0: return UnitText(v / 96 * 2.54);
    case 1: return UnitText(v / 96);
    case 2: return UnitText(v);
    case 3: return UnitText(v / CharSize);
    default: return TfrxFloatProperty::GetValue();
    }
}

void TfrxLocSizeXProperty::SetValue(const std::string& Text) {
    const double t = ReadNumber(Text);
    // Positions may be negative (an object moved past the page's edge); sizes may not.
    const std::string name = GetName();
    if ((t < 0 && !SameText(name, "Left") && !SameText(name, "Top")) || !std::isfinite(t))
        throw EfrxError(frxResources().Get("prInvProp"));
    switch (UnitOf(Designer())) {
    case 0: SetFloatValue(t * 96 / 2.54); break;
    case 1: SetFloatValue(t * 96); break;
    case 3: SetFloatValue(t * CharSize); break;
    default: SetFloatValue(t); break;
    }
}

std::string TfrxPaperXProperty::GetValue() {
    const double v = GetFloatValue();
    switch (UnitOf(Designer())) {
    case 0: return UnitText(v / 10);
    case 1: return UnitText(v / 25.4);
    case 2: return UnitText(v * 96 / 25.4);
    case 3: return UnitText(v * 96 / 25.4 / CharSize);
    default: return TfrxFloatProperty::GetValue();
    }
}

void TfrxPaperXProperty::SetValue(const std::string& Text) {
    const double t = ReadNumber(Text);
    switch (UnitOf(Designer())) {
    case 0: SetFloatValue(t * 10); break;
    case 1: SetFloatValue(t * 25.4); break;
    case 2: SetFloatValue(t * 25.4 / 96); break;
    case 3: SetFloatValue(t * 25.4 / 96 * CharSize); break;
    default: SetFloatValue(t); break;
    }
}

// === Events =================================================================================

bool TfrxEventProperty::Edit() {
    TfrxComponent* c = Component();
    if (!c || !Designer()) return false;
    std::string value = GetStrValue();
    if (!frxEditEventHandler(Designer(), c, c->Name(), GetName(), PropInfo()->Type->Name, value)) return false;
    SetStrValue(value);
    return true;
}

void TfrxEventProperty::GetValues() {
    Values.clear();
    if (Designer()) Values = Designer()->ListMatchingHandlers(PropInfo()->Type->Name);
}

// === Booleans ===============================================================================

namespace {

// The check box: a square h - 5 wide with its top left at (X, Y); with a tick when
// Checked, three black polylines a pixel apart.
void DrawCheckBox(TCanvas& Canvas, int X, int Y, int h, bool Checked, int TickX, int TickY) {
    const TColor brush = Canvas.Brush()->Color();
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Brush()->SetColor(clWindow);
    Canvas.Rectangle(X, Y, X + h - 5, Y + h - 5);
    Canvas.Brush()->SetColor(brush);
    if (!Checked) return;
    for (int k = 0; k < 3; ++k)
        Canvas.Polyline({TPoint{TickX + 2, TickY + 5 + k}, TPoint{TickX + 4, TickY + 7 + k},
                         TPoint{TickX + 9, TickY + 2 + k}});
}

}  // namespace

bool TfrxBooleanProperty::Edit() {
    SetOrdValue(GetOrdValue() != 0 ? 0 : 1);
    return true;
}

void TfrxBooleanProperty::DrawValue(TCanvas& Canvas, const TRect& ARect) {
    TfrxEnumProperty::DrawValue(Canvas, ARect);
    const int h = ARect.Bottom - ARect.Top;
    DrawCheckBox(Canvas, ARect.Left, ARect.Top + 1, h, GetOrdValue() != 0, ARect.Left, ARect.Top);
}

void TfrxBooleanProperty::DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) {
    TfrxEnumProperty::DrawListItem(Canvas, Index, ARect);
    const int h = ARect.Bottom - ARect.Top;
    DrawCheckBox(Canvas, ARect.Left + 2, ARect.Top + 2, h, Index == 1, ARect.Left + 3, ARect.Top + 1);
}

// === Pictures ===============================================================================

std::string TfrxPictureProperty::GetValue() {
    auto* p = dynamic_cast<TPicture*>(GetObjValue());
    return frxResources().Get(p && p->Graphic() && !p->Empty() ? "prPict" : "prNotAssigned");
}

bool TfrxPictureProperty::Edit() {
    auto* p = dynamic_cast<TPicture*>(GetObjValue());
    if (!p) return false;
    TPicture copy(*p);
    if (!frxShowPictureEditor(&copy, Designer())) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* target = dynamic_cast<TPicture*>(GetObjectProp(Instance(i), PropInfo(i)))) target->Assign(copy);
    return true;
}

std::string TfrxBitmapProperty::GetValue() { return frxResources().Get("prPict"); }

bool TfrxBitmapProperty::Edit() {
    auto* bmp = dynamic_cast<TBitmap*>(GetObjValue());
    if (!bmp) return false;
    TPicture picture;
    picture.SetGraphic(bmp);
    if (!frxShowPictureEditor(&picture, Designer())) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* target = dynamic_cast<TBitmap*>(GetObjectProp(Instance(i), PropInfo(i))))
            *target = *picture.Bitmap();
    return true;
}

// === Datasets and fields ====================================================================

void frxBindMemoText(TfrxComponent* Component) {
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(Component);
    if (!memo || !memo->IsDataField()) return;
    memo->SetText("[" + memo->DataSet()->UserName() + ".\"" + memo->DataField + "\"]");
}

std::string TfrxDataSetProperty::GetValue() {
    auto* ds = dynamic_cast<TfrxDataSet*>(GetObjValue());
    if (!ds) return frxResources().Get("prNotAssigned");
    TfrxComponent* c = Component();
    TfrxReport* report = c ? c->Report() : nullptr;
    return report ? report->GetAlias(ds) : ds->UserName();
}

void TfrxDataSetProperty::GetValues() {
    Values.clear();
    TfrxComponent* c = Component();
    TfrxReport* report = c ? c->Report() : nullptr;
    if (!report) return;
    TfrxReportDataSets* list = report->DataSets();
    for (int i = 0; i < list->Count(); ++i)
        if (TfrxDataSet* ds = list->Items(i)->DataSet()) Values.push_back(ds->UserName());
}

void TfrxDataSetProperty::SetValue(const std::string& Text) {
    if (Text.empty()) {
        SetObjValue(nullptr);
        return;
    }
    TfrxComponent* c = Component();
    TfrxReport* report = c ? c->Report() : nullptr;
    TfrxDataSet* ds = report ? report->GetDataset(Text) : nullptr;
    if (!ds) InvalidValue();
    SetObjValue(ds);
    for (int i = 0; i < InstanceCount(); ++i) frxBindMemoText(dynamic_cast<TfrxComponent*>(Instance(i)));
}

std::string TfrxDataFieldProperty::GetValue() { return GetStrValue(); }

void TfrxDataFieldProperty::GetValues() {
    Values.clear();
    auto* view = dynamic_cast<TfrxView*>(Component());
    if (!view || !view->DataSet()) return;
    TStringList fields;
    view->DataSet()->GetFieldList(&fields);
    for (int i = 0; i < fields.Count(); ++i) Values.push_back(fields[i]);
}

void TfrxDataFieldProperty::SetValue(const std::string& Text) {
    SetStrValue(Text);
    for (int i = 0; i < InstanceCount(); ++i) frxBindMemoText(dynamic_cast<TfrxComponent*>(Instance(i)));
}

// === Lines ==================================================================================

bool TfrxStringsProperty::Edit() {
    TStrings* lines = GetStringsProp(Instance(), PropInfo());
    if (!lines) return false;
    TStringList copy;
    copy.Assign(*lines);
    if (!frxShowStringsEditor(&copy, Designer())) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (TStrings* target = GetStringsProp(Instance(i), PropInfo(i))) target->Assign(copy);
    return true;
}

bool TfrxMemoProperty::Edit() {
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(Component());
    if (!memo) return false;
    std::string text;
    if (!frxShowMemoEditor(memo, Designer(), text)) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* m = dynamic_cast<TfrxCustomMemoView*>(Instance(i))) m->SetText(text);
    return true;
}

// === Brush and frame styles =================================================================

namespace {

void DrawBrushSample(TCanvas& Canvas, const TRect& r, int ItemHeight, TBrushStyle Style) {
    const TColor color = Canvas.Brush()->Color();
    const TBrushStyle style = Canvas.Brush()->Style();
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(Style);
    Canvas.Rectangle(r.Left + 2, r.Top + 2, r.Left + ItemHeight - 4, r.Bottom - 2);
    Canvas.Brush()->SetStyle(style);
    Canvas.Brush()->SetColor(color);
}

// The pen style a frame style is sampled with (the double line is drawn solid).
TPenStyle SamplePen(int Style) { return Style >= 0 && Style <= psDashDotDot ? static_cast<TPenStyle>(Style) : psSolid; }

// A frame-style sample: the grey box and a 32-pixel black line from X on the box's
// middle row, as two adjacent lines, or for the double style two lines 2 pixels apart.
void DrawFrameStyleSample(TCanvas& Canvas, const TRect& Box, int X, int Style) {
    const TColor brush = Canvas.Brush()->Color();
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetColor(static_cast<TColor>(0x808080));
    Canvas.Brush()->SetColor(clWhite);
    Canvas.Rectangle(Box.Left, Box.Top, Box.Right, Box.Bottom);
    Canvas.Brush()->SetColor(brush);
    Canvas.Pen()->SetColor(clBlack);
    const int y = (Box.Top + Box.Bottom) / 2;
    const bool isDouble = Style == fsDouble;
    Canvas.Pen()->SetStyle(SamplePen(Style));
    const int rows[] = {isDouble ? -1 : 0, 1};
    for (int dy : rows) {
        Canvas.MoveTo(X, y + dy);
        Canvas.LineTo(X + 32, y + dy);
    }
    Canvas.Pen()->SetStyle(psSolid);
}

}  // namespace

void TfrxBrushProperty::DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) {
    TfrxEnumProperty::DrawListItem(Canvas, Index, ARect);
    DrawBrushSample(Canvas, ARect, ItemHeight, static_cast<TBrushStyle>(Index));
}

void TfrxBrushProperty::DrawValue(TCanvas& Canvas, const TRect& ARect) {
    TfrxEnumProperty::DrawValue(Canvas, ARect);
    DrawBrushSample(Canvas, ARect, ItemHeight, static_cast<TBrushStyle>(GetOrdValue()));
}

void TfrxFrameStyleProperty::DrawListItem(TCanvas& Canvas, int Index, const TRect& ARect) {
    Canvas.FillRect(ARect);
    if (Index >= 0 && Index < static_cast<int>(Values.size()))
        Canvas.TextOut(ARect.Left + 40, ARect.Top + 1, Values[static_cast<size_t>(Index)]);
    DrawFrameStyleSample(Canvas, TRect{ARect.Left + 2, ARect.Top + 2, ARect.Left + 36, ARect.Bottom - 2},
                         ARect.Left + 3, Index);
    Canvas.Pen()->SetColor(clGray);
}

void TfrxFrameStyleProperty::DrawValue(TCanvas& Canvas, const TRect& ARect) {
    Canvas.TextOut(ARect.Left + 38, ARect.Top, GetValue());
    DrawFrameStyleSample(Canvas, TRect{ARect.Left, ARect.Top + 1, ARect.Left + 34, ARect.Bottom - 4}, ARect.Left + 1,
                         static_cast<int>(GetOrdValue()));
    Canvas.Pen()->SetColor(clGray);
}

// === Display format =========================================================================

std::string TfrxDisplayFormatProperty::GetValue() {
    auto* f = dynamic_cast<TfrxFormat*>(GetObjValue());
    return f ? f->FormatStr : std::string();
}

bool TfrxDisplayFormatProperty::Edit() {
    auto* f = dynamic_cast<TfrxFormat*>(GetObjValue());
    if (!f) return false;
    TfrxFormat copy;
    copy.Assign(f);
    if (!frxEditDisplayFormat(&copy, Designer())) return false;
    for (int i = 0; i < InstanceCount(); ++i)
        if (auto* target = dynamic_cast<TfrxFormat*>(GetObjectProp(Instance(i), PropInfo(i)))) target->Assign(&copy);
    return true;
}

// === Font sizes and frame widths ============================================================

int frxReadFontSize(const std::string& Text) {
    int64_t v = 0;
    if (!TryStrToInt64(Trim(Text), v) || v < frxMinFontSize || v > frxMaxFontSize)
        throw EfrxError(frxResources().Get("prInvProp"));
    return static_cast<int>(v);
}

double frxReadFrameWidth(const std::string& Text) {
    const double v = ReadNumber(Text);
    if (!std::isfinite(v) || v < 0) throw EfrxError(frxResources().Get("prInvProp"));
    return v;
}

void TfrxFontSizeProperty::SetValue(const std::string& Text) { SetOrdValue(frxReadFontSize(Text)); }

void TfrxFrameWidthProperty::SetValue(const std::string& Text) { SetFloatValue(frxReadFrameWidth(Text)); }

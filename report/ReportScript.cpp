// The report classes registered into the script engine's global unit.
#include "report/ReportScript.h"

#include <cmath>

#include "platform/rtl/Format.h"
#include "platform/rtl/Variant.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/DialogComponent.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Engine.h"
#include "report/Frame.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Options.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Variables.h"
#include "report/Views.h"
#include "script/ClassVariables.h"
#include "script/stdclasses/StdClasses.h"
#include "script/stdclasses/StdInternal.h"

using namespace fsstd;

namespace {

int gTag = 0;
bool gRegistered = false;

std::string S(const Variant& Value) { return VarToStr(Value); }

// --- Constants and enumerations ----------------------------------------------------------

void RegisterConstants(TfsScript& Unit) {
    Unit.AddConst("fr01cm", "Extended", Variant(3.7795));
    Unit.AddConst("fr1cm", "Extended", Variant(37.7953));
    Unit.AddConst("fr01in", "Extended", Variant(9.6));
    Unit.AddConst("fr1in", "Extended", Variant(96.0));
    Unit.AddConst("fr1CharX", "Extended", Variant(9.6));
    Unit.AddConst("fr1CharY", "Extended", Variant(17.0));
    Unit.AddConst("clTransparent", "Integer", Variant(0x1FFFFFFF));
    Unit.AddConst("crHand", "Integer", Variant(50));
    Unit.AddConst("crZoom", "Integer", Variant(51));
    Unit.AddConst("crFormat", "Integer", Variant(52));
}

// Two lists differ from the types of the report classes themselves, and scripts see these
// values: TfrxShapeKind has no name for the diamond (skDiagonal1 is 4 here, 5 in the shape
// view), and TfrxPreviewButtons names pbTree and pbRefresh, which moves pbTools, pbEdit
// and pbNavigator one bit higher than the preview options' buttons.
void RegisterEnums(TfsScript& Unit) {
    Unit.AddEnum("TfrxStretchMode", "smDontStretch, smActualHeight, smMaxHeight");
    Unit.AddEnum("TfrxShiftMode", "smDontShift, smAlways, smWhenOverlapped");
    Unit.AddEnum("TfrxDuplexMode", "dmNone, dmVertical, dmHorizontal");
    Unit.AddEnum("TfrxAlign", "baNone, baLeft, baRight, baCenter, baWidth, baBottom");
    Unit.AddEnum("TfrxFrameStyle", "fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble");
    Unit.AddEnumSet("TfrxFrameTypes", "ftLeft, ftRight, ftTop, ftBottom");
    Unit.AddEnum("TfrxHAlign", "haLeft, haRight, haCenter, haBlock");
    Unit.AddEnum("TfrxVAlign", "vaTop, vaBottom, vaCenter");
    Unit.AddEnumSet("TfrxRestrictions", "rfDontModify, rfDontSize, rfDontMove, rfDontDelete");
    Unit.AddEnum("TfrxShapeKind", "skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiagonal1, skDiagonal2");
    Unit.AddEnumSet("TfrxPreviewButtons",
                    "pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbTree, pbPageSetup, pbRefresh, pbTools, "
                    "pbEdit, pbNavigator");
    Unit.AddEnum("TfrxZoomMode", "zmDefault, zmWholePage, zmPageWidth, zmManyPages");
    Unit.AddEnum("TfrxPrintPages", "ppAll, ppOdd, ppEven");
    Unit.AddEnumSet("TfrxDMPFontStyles",
                    "fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed, fsxWide, "
                    "fsx12cpi, fsx15cpi");
    Unit.AddEnum("TfrxRangeBegin", "rbFirst, rbCurrent");
    Unit.AddEnum("TfrxRangeEnd", "reLast, reCurrent, reCount");
    Unit.AddEnum("TfrxFieldType", "fftNumeric, fftString, fftBoolean");
}

// --- Members of the classes ----------------------------------------------------------------

void DataSetMembers(TfsClassVariable& c) {
    using D = TfrxDataSet;
    c.AddMethod("procedure Open", Method<D>([](D& self, TfsParams&) { self.Open(); }));
    c.AddMethod("procedure Close", Method<D>([](D& self, TfsParams&) { self.Close(); }));
    c.AddMethod("procedure First", Method<D>([](D& self, TfsParams&) { self.First(); }));
    c.AddMethod("procedure Next", Method<D>([](D& self, TfsParams&) { self.Next(); }));
    c.AddMethod("procedure Prior", Method<D>([](D& self, TfsParams&) { self.Prior(); }));
    c.AddMethod("function Eof: Boolean", Method<D>([](D& self, TfsParams&) { return self.Eof(); }));
    c.AddMethod("function FieldsCount: Integer", Method<D>([](D& self, TfsParams&) { return self.FieldsCount(); }));
    c.AddMethod("function HasField(const fName: String): Boolean",
                Method<D>([](D& self, TfsParams& p) { return self.HasField(S(p[0])); }));
    c.AddMethod("function IsBlobField(const fName: String): Boolean",
                Method<D>([](D& self, TfsParams& p) { return self.IsBlobField(S(p[0])); }));
    c.AddMethod("procedure GetFieldList(List: TStrings)", Method<D>([](D& self, TfsParams& p) {
                    self.GetFieldList(&Required<TScriptStrings>(p[0]).Strings());
                }));
    c.AddProperty("RecNo", "Integer", Getter<D>([](D& self) { return self.RecNo(); }));
    c.AddIndexProperty("DisplayText", "String", "String",
                       Indexed<D>([](D& self, TfsParams& p) { return self.GetDisplayText(S(p[0])); }, nullptr), true);
    c.AddIndexProperty("DisplayWidth", "String", "Integer",
                       Indexed<D>([](D& self, TfsParams& p) { return self.GetDisplayWidth(S(p[0])); }, nullptr),
                       true);
    c.AddIndexProperty(
        "FieldType", "String", "TfrxFieldType",
        Indexed<D>([](D& self, TfsParams& p) { return static_cast<int>(self.GetFieldType(S(p[0]))); }, nullptr), true);
    c.AddIndexProperty("Value", "String", "Variant",
                       Indexed<D>([](D& self, TfsParams& p) { return self.GetValue(S(p[0])); }, nullptr), true);
}

// The children as a list a script reads (kept with the object, refreshed at every read).
Variant ChildList(TfrxComponent& Obj, bool All) {
    static const int kObjects = 0, kAllObjects = 0;
    TObject* list = fsCompanion(&Obj, All ? &kAllObjects : &kObjects, [] { return std::make_unique<TScriptList>(); });
    auto* l = static_cast<TScriptList*>(list);
    l->Clear();
    for (TfrxComponent* c : All ? Obj.AllObjects() : Obj.ObjectList()) l->Add(ObjectValue(c));
    return ObjectValue(l);
}

void ComponentMembers(TfsClassVariable& c) {
    using C = TfrxComponent;
    c.AddMethod("procedure Clear", Method<C>([](C& self, TfsParams&) {
                    frxCheckNotRunning(&self, "Clear");
                    self.Clear();
                }));
    c.AddMethod("procedure LoadFromStream(Stream: TStream)", Method<C>([](C& self, TfsParams& p) {
                    frxCheckNotRunning(&self, "LoadFromStream");
                    self.LoadFromStream(ScriptStreamOf(&Required(p[0])));
                }));
    c.AddMethod("procedure SaveToStream(Stream: TStream; SaveChildren: Boolean = True)",
                Method<C>([](C& self, TfsParams& p) {
                    self.SaveToStream(ScriptStreamOf(&Required(p[0])), VarEquals(p[1], Variant(true)));
                }));
    c.AddMethod("procedure SetBounds(ALeft, ATop, AWidth, AHeight: Extended)", Method<C>([](C& self, TfsParams& p) {
                    self.SetBounds(p[0].AsDouble(), p[1].AsDouble(), p[2].AsDouble(), p[3].AsDouble());
                }));
    c.AddProperty("Objects", "TList", Getter<C>([](C& self) { return ChildList(self, false); }));
    c.AddProperty("AllObjects", "TList", Getter<C>([](C& self) { return ChildList(self, true); }));
    c.AddProperty("Parent", "TfrxComponent", Getter<C>([](C& self) { return ObjectValue(self.Parent()); }),
                  Setter<C>([](C& self, const Variant& v) { self.SetParent(Arg<TfrxComponent>(v)); }));
    c.AddProperty("Page", "TfrxPage", Getter<C>([](C& self) { return ObjectValue(self.Page()); }));
    c.AddProperty("AbsLeft", "Extended", Getter<C>([](C& self) { return self.AbsLeft(); }));
    c.AddProperty("AbsTop", "Extended", Getter<C>([](C& self) { return self.AbsTop(); }));
}

void StretcheableMembers(TfsClassVariable& c) {
    c.AddMethod("function CalcHeight: Extended",
                Method<TfrxStretcheable>([](TfrxStretcheable& self, TfsParams&) { return self.CalcHeight(); }));
}

void CustomMemoMembers(TfsClassVariable& c) {
    using M = TfrxCustomMemoView;
    c.AddMethod("function CalcWidth: Extended", Method<M>([](M& self, TfsParams&) { return self.CalcWidth(); }));
    c.AddProperty("Text", "String", Getter<M>([](M& self) { return self.Text(); }),
                  Setter<M>([](M& self, const Variant& v) { self.SetText(S(v)); }));
}

void PictureMembers(TfsClassVariable& c) {
    c.AddMethod("procedure LoadFromFile(filename: String)",
                Method<TfrxPictureView>([](TfrxPictureView& self, TfsParams& p) {
                    self.Picture()->LoadFromFile(S(p[0]));
                }));
}

void BandMembers(TfsClassVariable& c) {
    c.AddProperty("Overflow", "Boolean", Getter<TfrxBand>([](TfrxBand& self) { return self.Overflow; }));
}

void DialogPageMembers(TfsClassVariable& c) {
    using P = TfrxDialogPage;
    c.AddProperty("ModalResult", "Integer", Getter<P>([](P& self) { return self.ModalResult(); }),
                  Setter<P>([](P& self, const Variant& v) { self.SetModalResult(v.AsInteger()); }));
}

void VariablesMembers(TfsClassVariable& c) {
    using V = TfrxVariables;
    c.AddDefaultProperty("Variables", "String", "Variant",
                         Indexed<V>([](V& self, TfsParams& p) { return self.Variables(S(p[0])); },
                                    [](V& self, TfsParams& p, const Variant& value) {
                                        self.SetVariables(S(p[0]), value);
                                    }));
}

void ReportMembers(TfsClassVariable& c) {
    using R = TfrxReport;
    c.AddMethod("function Calc(const Expr: String): Variant",
                Method<R>([](R& self, TfsParams& p) { return self.Calc(S(p[0])); }));
    c.AddMethod("function GetDataset(const Alias: String): TfrxDataSet",
                Method<R>([](R& self, TfsParams& p) { return ObjectValue(self.GetDataset(S(p[0]))); }));
    c.AddMethod("function LoadFromFile(const FileName: String): Boolean", Method<R>([](R& self, TfsParams& p) {
                    frxCheckNotRunning(&self, "LoadFromFile");
                    return self.LoadFromFile(S(p[0]));
                }));
    c.AddMethod("procedure SaveToFile(const FileName: String)",
                Method<R>([](R& self, TfsParams& p) { self.SaveToFile(S(p[0])); }));
    c.AddProperty("Variables", "TfrxVariables", Getter<R>([](R& self) { return ObjectValue(self.Variables()); }));
}

// Anchors live in the prepared pages; the engine places them at its current position.
TfrxPreviewPages* AnchorPages(TfrxCustomEngine& Engine) {
    return dynamic_cast<TfrxPreviewPages*>(Engine.PreviewPages());
}

void EngineMembers(TfsClassVariable& c) {
    using E = TfrxCustomEngine;
    c.AddMethod("procedure AddAnchor(const Text: String)", Method<E>([](E& self, TfsParams& p) {
                    if (TfrxPreviewPages* pages = AnchorPages(self)) pages->AddAnchor(S(p[0]));
                }));
    c.AddMethod("procedure NewPage", Method<E>([](E& self, TfsParams&) { self.NewPage(); }));
    c.AddMethod("procedure NewColumn", Method<E>([](E& self, TfsParams&) { self.NewColumn(); }));
    c.AddMethod("procedure ShowBand(Band: TfrxBand)", Method<E>([](E& self, TfsParams& p) {
                    if (TfrxBand* band = Arg<TfrxBand>(p[0])) self.ShowBand(band);
                }));
    c.AddMethod("procedure StopReport", Method<E>([](E& self, TfsParams&) { self.StopReport(); }));
    c.AddMethod("function FreeSpace: Extended", Method<E>([](E& self, TfsParams&) { return self.FreeSpace(); }));
    c.AddMethod("function GetAnchorPage(const Text: String): Integer", Method<E>([](E& self, TfsParams& p) {
                    TfrxPreviewPages* pages = AnchorPages(self);
                    return pages ? pages->GetAnchorPage(S(p[0])) : 1;
                }));
}

void OutlineMembers(TfsClassVariable& c) {
    using O = TfrxCustomOutline;
    c.AddMethod("procedure AddItem(const Text: String)", Method<O>([](O& self, TfsParams& p) {
                    TfrxCustomEngine* engine = self.Engine();
                    self.AddItem(S(p[0]), engine ? frxRoundInt(engine->CurY) : 0);
                }));
    c.AddMethod("procedure LevelRoot", Method<O>([](O& self, TfsParams&) { self.LevelRoot(); }));
    c.AddMethod("procedure LevelUp", Method<O>([](O& self, TfsParams&) { self.LevelUp(); }));
}

// --- The class table -------------------------------------------------------------------------

struct TClassRow {
    TClass (*Class)();
    const char* Ancestor;
    void (*Members)(TfsClassVariable& c);
};

template <class T>
TClass ClassOf() {
    return T::StaticClass();
}

void DialogControlMembers(TfsClassVariable& c) {
    using X = TfrxDialogControl;
    c.AddMethod("procedure SetFocus", Method<X>([](X& self, TfsParams&) { self.SetFocus(); }));
}

// In registration order; the ancestor is the one scripts see (a dataset descends from
// TComponent there).
const TClassRow kClasses[] = {
    {ClassOf<TfrxDataSet>, "TComponent", DataSetMembers},
    {ClassOf<TfrxUserDataSet>, "TfrxDataSet", nullptr},
    {ClassOf<TfrxCustomDBDataSet>, "TfrxDataSet", nullptr},
    {ClassOf<TfrxComponent>, "TComponent", ComponentMembers},
    {ClassOf<TfrxReportComponent>, "TfrxComponent", nullptr},
    {ClassOf<TfrxDialogComponent>, "TfrxReportComponent", nullptr},
    {ClassOf<TfrxDialogControl>, "TfrxReportComponent", DialogControlMembers},
    {ClassOf<TfrxFrame>, "TPersistent", nullptr},
    {ClassOf<TfrxHighlight>, "TPersistent", nullptr},
    {ClassOf<TfrxView>, "TfrxReportComponent", nullptr},
    {ClassOf<TfrxShapeView>, "TfrxView", nullptr},
    {ClassOf<TfrxStretcheable>, "TfrxView", StretcheableMembers},
    {ClassOf<TfrxCustomMemoView>, "TfrxStretcheable", CustomMemoMembers},
    {ClassOf<TfrxMemoView>, "TfrxCustomMemoView", nullptr},
    {ClassOf<TfrxSysMemoView>, "TfrxCustomMemoView", nullptr},
    {ClassOf<TfrxDMPMemoView>, "TfrxCustomMemoView", nullptr},
    {ClassOf<TfrxCustomLineView>, "TfrxStretcheable", nullptr},
    {ClassOf<TfrxLineView>, "TfrxCustomLineView", nullptr},
    {ClassOf<TfrxDMPLineView>, "TfrxCustomLineView", nullptr},
    {ClassOf<TfrxPictureView>, "TfrxView", PictureMembers},
    {ClassOf<TfrxSubreport>, "TfrxView", nullptr},
    {ClassOf<TfrxBand>, "TfrxReportComponent", BandMembers},
    {ClassOf<TfrxDataBand>, "TfrxBand", nullptr},
    {ClassOf<TfrxMasterData>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxDetailData>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxSubdetailData>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxDataBand4>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxDataBand5>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxDataBand6>, "TfrxDataBand", nullptr},
    {ClassOf<TfrxHeader>, "TfrxBand", nullptr},
    {ClassOf<TfrxFooter>, "TfrxBand", nullptr},
    {ClassOf<TfrxPageHeader>, "TfrxBand", nullptr},
    {ClassOf<TfrxPageFooter>, "TfrxBand", nullptr},
    {ClassOf<TfrxColumnHeader>, "TfrxBand", nullptr},
    {ClassOf<TfrxColumnFooter>, "TfrxBand", nullptr},
    {ClassOf<TfrxGroupHeader>, "TfrxBand", nullptr},
    {ClassOf<TfrxGroupFooter>, "TfrxBand", nullptr},
    {ClassOf<TfrxReportTitle>, "TfrxBand", nullptr},
    {ClassOf<TfrxReportSummary>, "TfrxBand", nullptr},
    {ClassOf<TfrxChild>, "TfrxBand", nullptr},
    {ClassOf<TfrxOverlay>, "TfrxBand", nullptr},
    {ClassOf<TfrxPage>, "TfrxComponent", nullptr},
    {ClassOf<TfrxReportPage>, "TfrxPage", nullptr},
    {ClassOf<TfrxDMPPage>, "TfrxReportPage", nullptr},
    {ClassOf<TfrxDialogPage>, "TfrxPage", DialogPageMembers},
    {ClassOf<TfrxEngineOptions>, "TPersistent", nullptr},
    {ClassOf<TfrxPrintOptions>, "TPersistent", nullptr},
    {ClassOf<TfrxPreviewOptions>, "TPersistent", nullptr},
    {ClassOf<TfrxReportOptions>, "TPersistent", nullptr},
    {ClassOf<TfrxVariable>, "TCollectionItem", nullptr},
    {ClassOf<TfrxVariables>, "TCollection", VariablesMembers},
    {ClassOf<TfrxReport>, "TfrxComponent", ReportMembers},
    {ClassOf<TfrxCustomEngine>, "TPersistent", EngineMembers},
    {ClassOf<TfrxEngine>, "TfrxCustomEngine", nullptr},
    {ClassOf<TfrxCustomOutline>, "TPersistent", OutlineMembers},
    {ClassOf<TfrxOutline>, "TfrxCustomOutline", nullptr},
};

void RegisterClasses(TfsScript& Unit) {
    for (const TClassRow& row : kClasses) {
        // A class registered before (by another module) keeps that registration.
        TfsClassVariable* c = Unit.AddClass(row.Class(), row.Ancestor);
        if (c && row.Members) row.Members(*c);
    }
}

void RegisterIIF(TfsScript& Unit) {
    // Both values are evaluated before the call (they are arguments), so an error in the
    // value not chosen is raised too.
    Unit.AddMethod(
        "function IIF(Expr: Boolean; TrueValue, FalseValue: Variant): Variant",
        [](TObject*, TClass, const std::string&, TfsParams& p) {
            return VarEquals(p[0], Variant(true)) ? p[1] : p[2];
        },
        "ctOther");
}

// --- Groups of classes that units of the report engine bring -------------------------------

// A script array argument as its elements from index 0 to its upper bound; anything else
// is the variant layer's conversion error.
std::vector<Variant> ScriptArray(const Variant& Value) {
    if (!Value.IsArray()) throw EVariantError("Invalid variant type conversion");
    std::vector<Variant> items;
    const int32_t high = VarArrayHighBound(Value, 1);
    for (int32_t i = 0; i <= high; ++i) items.push_back(Value.GetElement({i}));
    return items;
}

// The cross-tab views: values come from scripts through AddValue between the view's
// before-print and its data step.
void RegisterCrossClasses(TfsScript& Unit) {
    using X = TfrxCustomCrossView;
    if (TfsClassVariable* c = Unit.AddClass(X::StaticClass(), "TfrxView")) {
        c->AddMethod("procedure AddValue(Rows, Columns, Cells: array)", Method<X>([](X& self, TfsParams& p) {
                         self.AddValue(ScriptArray(p[0]), ScriptArray(p[1]), ScriptArray(p[2]));
                     }));
        c->AddMethod("function ColCount: Integer", Method<X>([](X& self, TfsParams&) { return self.ColCount(); }));
        c->AddMethod("function RowCount: Integer", Method<X>([](X& self, TfsParams&) { return self.RowCount(); }));
        c->AddMethod("function IsGrandTotalColumn(Index: Integer): Boolean",
                     Method<X>([](X& self, TfsParams& p) { return self.IsGrandTotalColumn(p[0].AsInteger()); }));
        c->AddMethod("function IsGrandTotalRow(Index: Integer): Boolean",
                     Method<X>([](X& self, TfsParams& p) { return self.IsGrandTotalRow(p[0].AsInteger()); }));
        c->AddMethod("function IsTotalColumn(Index: Integer): Boolean",
                     Method<X>([](X& self, TfsParams& p) { return self.IsTotalColumn(p[0].AsInteger()); }));
        c->AddMethod("function IsTotalRow(Index: Integer): Boolean",
                     Method<X>([](X& self, TfsParams& p) { return self.IsTotalRow(p[0].AsInteger()); }));
    }
    Unit.AddClass(TfrxCrossView::StaticClass(), "TfrxCustomCrossView");
    Unit.AddClass(TfrxDBCrossView::StaticClass(), "TfrxCustomCrossView");
}

// The printer-command object of dot-matrix pages (its Command is published).
void RegisterDotMatrixClasses(TfsScript& Unit) { Unit.AddClass(TfrxDMPCommand::StaticClass(), "TfrxView"); }

// The controls of dialog pages: their published properties are what scripts use.
void RegisterDialogControlClasses(TfsScript& Unit) {
    for (TClass c : {TfrxLabelControl::StaticClass(), TfrxEditControl::StaticClass(), TfrxMemoControl::StaticClass(),
                     TfrxButtonControl::StaticClass(), TfrxCheckBoxControl::StaticClass(),
                     TfrxRadioButtonControl::StaticClass(), TfrxListBoxControl::StaticClass(),
                     TfrxComboBoxControl::StaticClass(), TfrxGroupBoxControl::StaticClass(),
                     TfrxPanelControl::StaticClass(), TfrxDateEditControl::StaticClass()})
        Unit.AddClass(c, "TfrxDialogControl");
}

// One call per unit, in this order, after IIF.
void (*const kGroups[])(TfsScript& Unit) = {
    RegisterCrossClasses,
    RegisterDotMatrixClasses,
    RegisterDialogControlClasses,
};

}  // namespace

const void* frxReportClassesTag() { return &gTag; }

void frxCheckNotRunning(const TfrxComponent* Obj, const char* What) {
    const TfrxReport* report = Obj ? Obj->Report() : nullptr;
    if (report && report->Engine() && report->Engine()->Running)
        throw EfrxError(Format(frxResources().Get("clNotWhileRunning"), {std::string(What)}));
}

namespace {
// TObject.Free of a script on an object of a running report would pull it from under the
// layout engine: refused, like Clear.
void RefuseFreeWhileRunning(TObject* Object) {
    if (auto* c = dynamic_cast<TfrxComponent*>(Object)) frxCheckNotRunning(c, "Free");
}
}  // namespace

void frxRegisterReportClasses() {
    if (gRegistered) return;
    // The report classes build on the standard ones (TComponent, TStrings, TList ...).
    fsRegisterStandardClasses();
    fsAddFreeHook(RefuseFreeWhileRunning);
    TModuleScope scope(&gTag);
    TfsScript* unit = scope.Unit();
    if (!unit) return;
    gRegistered = true;
    RegisterConstants(*unit);
    RegisterEnums(*unit);
    RegisterClasses(*unit);
    RegisterIIF(*unit);
    for (auto group : kGroups) group(*unit);
}

void frxUnregisterReportClasses() {
    if (!gRegistered) return;
    gRegistered = false;
    if (TfsScript* unit = GlobalUnit()) unit->RemoveItems(&gTag);
}

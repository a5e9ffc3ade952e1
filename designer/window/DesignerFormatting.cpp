// The designer window's object inspector, its colour and line-style selectors, the
// alignment palette, the dot-matrix style menu and View > Toolbars: where they are made,
// how they are shown and hidden, and how their picks reach the formatting and alignment
// commands (designer/commands) as one recorded change each.
#include <memory>

#include "designer/commands/FormatCommands.h"
#include "designer/controls/Ruler.h"
#include "designer/controls/Selectors.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/trees/ToolWindow.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/TabControl.h"
#include "preview/Dock.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DotMatrix.h"
#include "report/Pages.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Views.h"

namespace {

// View > Toolbars: the items and the element each names (by Tag).
constexpr const char* kToolbarItems[] = {"StandardMI", "TextMI",      "FrameMI",    "AlignmentMI",
                                         "ToolsMI",    "InspectorMI", "DataTreeMI", "ReportTreeMI"};
constexpr int kInspectorTag = 5, kDataTreeTag = 6, kReportTreeTag = 7;

}  // namespace

TfrxToolBar* TfrxDesignerForm::ToolBarOf(int Tag) const {
    TfrxToolBar* const bars[] = {StandardTB, TextTB, FrameTB, AlignTB, ExtraToolsTB};
    return Tag >= 0 && Tag < 5 ? bars[Tag] : nullptr;
}

// --- Tool windows ------------------------------------------------------------------------------------

void TfrxDesignerForm::ShowToolWindow(TCustomForm* Window, bool Show) {
    if (!Window) return;
    Window->SetVisible(Show);
    ArrangeDock();
}

// --- The object inspector ------------------------------------------------------------------------

void TfrxDesignerForm::CreateInspector() {
    // Below the report tree in the left dock site, under the site's caption bar.
    Inspector = new TfrxObjectInspector(this);
    Inspector->SetBorderStyle(bsNone);
    Inspector->SetColor(ToolsColor);
    Inspector->OnModify = [this](TObject* s) { OnModify(s); };
    Inspector->OnSelectionChanged = [this](TObject* s) { OnSelectionChanged(s); };
    Inspector->SetClientWidth(LeftDockSite2->ClientWidth());
    LeftDockSite2->DockForm(Inspector);
    // Keys typed in the inspector's value field are the field's: its clipboard keys, Ctrl+A
    // and Ctrl+Z act on its text, not the designer's commands of the same keys (Ctrl+A
    // selected every object of the page and the inspector lost the field).
    OnShortCut = [this](TShortCut Key, bool& Handled) { Handled = Inspector && Inspector->IsShortCut(Key); };
}

std::string TfrxDesignerForm::PageTabCaption(int Index) const {
    TfrxPage* p = Report()->Pages(Index);
    std::string caption = p->Name();
    if (auto* rp = dynamic_cast<TfrxReportPage*>(p); rp && rp->SubReport()) caption = rp->SubReport()->Name();
    if (caption.empty()) caption = frxResources().Get("dsPage") + IntToStr(Index + 1);
    return caption;
}

void TfrxDesignerForm::UpdateTabCaptions() {
    TStringList* tabs = Tab->Tabs();
    for (int i = 0; i < Report()->PagesCount() && i + 1 < tabs->Count(); ++i) {
        const std::string caption = PageTabCaption(i);
        if (tabs->Strings(i + 1) != caption) tabs->SetStrings(i + 1, caption);
    }
}

// --- Colour and line-style selectors ----------------------------------------------------------------

TfrxColorSelector* TfrxDesignerForm::CreateColorSelector(TObject* Sender) {
    auto* opener = dynamic_cast<TControl*>(Sender);
    auto* selector = new TfrxColorSelector(opener);
    TColor color = 0;
    for (TfrxComponent* o : SelectedObjects())
        if (auto* v = dynamic_cast<TfrxView*>(o)) {
            color = Sender == FontColorB ? v->Font()->Color() : v->Color();
            break;
        }
    selector->SetColor(color);
    selector->OnColorChanged = [this](TObject* s) {
        auto* picked = static_cast<TfrxColorSelector*>(s);
        CurrentColor = picked->Color();
        ToolButtonClick(picked);
    };
    return selector;
}

void TfrxDesignerForm::FontColorBClick(TObject* Sender) { CreateColorSelector(Sender); }

void TfrxDesignerForm::FrameStyleBClick(TObject*) {
    auto* selector = new TfrxLineSelector(FrameStyleB);
    selector->OnStyleChanged = [this](TObject* s) {
        auto* picked = static_cast<TfrxLineSelector*>(s);
        CurrentLineStyle = static_cast<TfrxFrameStyle>(picked->Style());
        ToolButtonClick(picked);
    };
}

// --- The alignment palette ------------------------------------------------------------------------------

void TfrxDesignerForm::CreateAlignPalette() {
    AlignTB = new TfrxToolBar(this);
    AlignTB->SetName("AlignTB");
    AlignTB->SetParent(DockTop);
    AlignTB->SetBounds(0, 0, 100, DockTop->RowSize());
    AlignTB1 = new TToolBar(this);
    AlignTB1->SetName("AlignTB1");
    AlignTB1->SetParent(AlignTB);
    AlignTB1->SetAlign(alLeft);
    AlignTB1->SetFlat(true);
    AlignTB1->SetWrapable(false);
    AlignTB1->SetButtonHeight(22);
    AlignTB1->SetImages(frxResources().MainButtonImages());
    AlignTB1->SetDisabledImages(frxResources().DisabledButtonImages());
    using C = TfrxAlignCommand;
    auto button = [&](const char* Name, int Image, C Command) {
        TToolButton* b = AddButton(AlignTB1, Name, Image);
        b->SetTag(static_cast<int>(Command));
        b->OnClick = [this](TObject* s) { AlignButtonClick(s); };
        return b;
    };
    auto separator = [&](const char* Name) { AddButton(AlignTB1, Name, -1, tbsSeparator); };
    AlignLeftsB = button("AlignLeftsB", frxButton::AlignLefts, C::AlignLefts);
    AlignHorzCentersB = button("AlignHorzCentersB", frxButton::AlignHCenters, C::AlignHorzCenters);
    AlignRightsB = button("AlignRightsB", frxButton::AlignRights, C::AlignRights);
    separator("SepTB15");
    AlignTopsB = button("AlignTopsB", frxButton::AlignTops, C::AlignTops);
    AlignVertCentersB = button("AlignVertCentersB", frxButton::AlignVCenters, C::AlignVertCenters);
    AlignBottomsB = button("AlignBottomsB", frxButton::AlignBottoms, C::AlignBottoms);
    separator("SepTB16");
    SpaceHorzB = button("SpaceHorzB", frxButton::SpaceHorz, C::SpaceHorz);
    SpaceVertB = button("SpaceVertB", frxButton::SpaceVert, C::SpaceVert);
    separator("SepTB17");
    CenterHorzB = button("CenterHorzB", frxButton::CenterHorz, C::CenterHorz);
    CenterVertB = button("CenterVertB", frxButton::CenterVert, C::CenterVert);
    separator("SepTB18");
    SameWidthB = button("SameWidthB", frxButton::SameWidth, C::SameWidth);
    SameHeightB = button("SameHeightB", frxButton::SameHeight, C::SameHeight);
    // The palette starts hidden; View > Toolbars shows it.
    AlignTB->SetShown(false);
}

void TfrxDesignerForm::AlignButtonClick(TObject* Sender) {
    auto* b = dynamic_cast<TComponent*>(Sender);
    if (!b || !Page()) return;
    // Objects outside bands are centred in the part of the page the workspace shows.
    const double w = Workspace->Width() / FScale, h = Workspace->Height() / FScale;
    if (!frxAlignObjects(SelectedObjects(), static_cast<TfrxAlignCommand>(b->Tag()), w, h)) return;
    SetModified(true);
}

// --- The dot-matrix style menu and View > Toolbars -----------------------------------------------------

void TfrxDesignerForm::CreateFormattingMenus() {
    DMPPopup = new TPopupMenu(this);
    DMPPopup->SetName("DMPPopup");
    static const char* const kStyles[] = {"BoldMI",      "ItalicMI", "UnderlineMI", "SuperScriptMI", "SubScriptMI",
                                          "CondensedMI", "WideMI",   "N12cpiMI",    "N15cpiMI"};
    for (int i = 0; i < 9; ++i) {
        TMenuItem* m = AddItem(DMPPopup->Items(), kStyles[i], kStyles[i], nullptr, &TfrxDesignerForm::ToolButtonClick);
        m->SetTag(34 + i);
    }
    // In a dot-matrix report the font button drops the style menu down instead of opening
    // the font dialog.
    FontB->OnClick = [this](TObject* s) {
        if (Report()->DotMatrixReport) {
            const TPoint p = FontB->ClientToScreen(Point(0, FontB->Height()));
            DMPPopup->Popup(p.X, p.Y);
        } else {
            ToolButtonClick(s);
        }
    };
    for (TToolButton* b : {FontColorB, FillColorB, FrameColorB}) b->OnClick = [this](TObject* s) { FontColorBClick(s); };
    FontColorB->SetTag(5);
    FillColorB->SetTag(26);
    FrameColorB->SetTag(27);
    FrameStyleB->SetTag(28);
    FrameStyleB->OnClick = [this](TObject* s) { FrameStyleBClick(s); };

    ToolbarsMI = new TMenuItem(this);
    ToolbarsMI->SetName("ToolbarsMI");
    ToolbarsMI->SetCaption("Toolbars");
    ToolbarsMI->OnClick = [this](TObject* s) { ToolbarsMIOpen(s); };
    ViewMenu->Insert(0, ToolbarsMI);
    for (int i = 0; i < 8; ++i) {
        TMenuItem* m = AddItem(ToolbarsMI, kToolbarItems[i], kToolbarItems[i], nullptr, &TfrxDesignerForm::ToolbarsMIClick);
        m->SetTag(i);
        if (i == kInspectorTag) InspectorMI = m;
    }
    InspectorMI->SetShortCut(ShortCut(VK_F11, 0));
}

void TfrxDesignerForm::UpdateDMPMenu() {
    if (!DMPPopup) return;
    TfrxComponent* o = SelectedObjects().empty() ? nullptr : SelectedObjects().front();
    TfrxDMPFontStyles style;
    if (auto* m = dynamic_cast<TfrxDMPMemoView*>(o)) style = m->FontStyle();
    else if (auto* l = dynamic_cast<TfrxDMPLineView*>(o)) style = l->FontStyle();
    else if (auto* p = dynamic_cast<TfrxDMPPage*>(o)) style = p->FontStyle();
    TMenuItem* items = DMPPopup->Items();
    for (int i = 0; i < items->Count(); ++i)
        items->Items(i)->SetChecked(style.Contains(static_cast<TfrxDMPFontStyle>(items->Items(i)->Tag() - 34)));
}

void TfrxDesignerForm::ToolbarsMIOpen(TObject*) {
    TControl* windows[] = {Inspector, DataTree, ReportTree};
    for (int i = 0; i < ToolbarsMI->Count(); ++i) {
        TMenuItem* m = ToolbarsMI->Items(i);
        const int tag = m->Tag();
        if (tag < kInspectorTag) m->SetChecked(ToolBarOf(tag) && ToolBarOf(tag)->IsVisible());
        else m->SetChecked(windows[tag - kInspectorTag]->Visible());
    }
}

void TfrxDesignerForm::ToolbarsMIClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    // The check marks follow the state shown (a shortcut reaches an item whose menu never
    // opened).
    ToolbarsMIOpen(ToolbarsMI);
    const bool show = !item->Checked();
    item->SetChecked(show);
    const int tag = item->Tag();
    if (tag < kInspectorTag) {
        TfrxToolBar* bar = ToolBarOf(tag);
        if (!bar) return;
        if (bar->IsFloat()) {
            // A floating bar shows or hides its window where it stands.
            bar->SetShown(show);
        } else {
            // Shown again, a docked bar goes to a row of its own at the dock's free edge.
            TfrxDock* dock = bar->Dock();
            if (show && dock) bar->AddToDock(dock);
            bar->SetShown(show);
            if (dock) dock->AdjustBounds();
        }
        return;
    }
    TCustomForm* window = tag == kInspectorTag ? static_cast<TCustomForm*>(Inspector)
                          : tag == kDataTreeTag ? static_cast<TCustomForm*>(DataTree)
                          : tag == kReportTreeTag ? static_cast<TCustomForm*>(ReportTree)
                                                  : nullptr;
    if (!window) return;
    ShowToolWindow(window, show);
    if (show && tag == kInspectorTag && Inspector->Edit1->CanFocus()) Inspector->Edit1->SetFocus();
}

// The designer's settings in the report's settings store: the options, the zoom, the grid,
// the fonts, the recent files and where the tool bars and tool windows are. They are read
// when the window is made and written when it goes; a first run (or the options window's
// Restore defaults) takes the built-in default layout instead.
#include "designer/window/DesignerForm.h"

#include <algorithm>
#include <cmath>

#include "designer/code/SyntaxMemo.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "preview/Dock.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Utils.h"

namespace {

constexpr const char* kDesigner = "Form.TfrxDesignerForm";
constexpr const char* kInspector = "Form.TfrxObjectInspector";
// The system window colour, as the store keeps system colours.
constexpr int kWindowColor = -16777211;

// The places a settings store names, whatever kind of control the window uses for them
// (a tool bar, a dock site or a tool window is stored only when it is one).
template <class T, class C>
T* As(C* Control) {
    return Control ? dynamic_cast<T*>(static_cast<TObject*>(Control)) : nullptr;
}

// A stored grid step: 0 (or what is no step at all) reads as the default.
double GridStep(TCustomIniFile& Ini, const char* Key, double Default) {
    const double v = Ini.ReadFloat(kDesigner, Key, 0);
    return std::isfinite(v) && v > 0 && v <= 1000 ? v : Default;
}

int IntIn(TCustomIniFile& Ini, const char* Section, const char* Key, int Default, int Low, int High) {
    const int v = Ini.ReadInteger(Section, Key, Default);
    return v >= Low && v <= High ? v : Default;
}

// A tool window whose place the dock manager keeps: on its own, floating, or in a dock
// site (a window placed inside another control is left where its owner put it).
TCustomForm* Placed(TCustomForm* Form) {
    if (!Form || !Form->Parent() || frxDockSiteOf(Form) || dynamic_cast<TfrxDockFloat*>(Form->Parent())) return Form;
    return nullptr;
}

std::string HexOf(const std::string& Text) {
    TMemoryStream s;
    s.Write(Text.data(), static_cast<int64_t>(Text.size()));
    std::string hex;
    frxStreamToHex(s, hex);
    return hex;
}

}  // namespace

std::unique_ptr<TCustomIniFile> TfrxDesignerForm::DefaultLayoutText() const {
    // The dock sites' layouts name the windows: the report tree above the inspector on the
    // left, the data tree alone on the right.
    std::string left = ReportTree->Name() + ",0";
    if (TfrxObjectInspector* i = Inspector) left += ";" + i->Name() + ",0";
    const std::string right = DataTree->Name() + ",0";
    // The inspector's names column shows the names of a page's and a text object's rows
    // whole (at least the 75 pixels of the layout); the values column (at least its 84
    // pixels) their values and those of a data band's and a summary band's rows, with the
    // names the designer gives bands and data sets.
    int split = 75, values = 84;
    if (TfrxObjectInspector* i = Inspector) {
        TfrxReportPage page(nullptr);
        TfrxMemoView memo(nullptr);
        split = std::max({split, i->NameColumnWidth(&page), i->NameColumnWidth(&memo)});
        TfrxUserDataSet data(nullptr);
        data.SetUserName("frxDBDataset1");
        TfrxMasterData band(nullptr);
        band.SetName("MasterData1");
        band.SetDataSet(&data);
        TfrxReportSummary summary(nullptr);
        summary.SetName("ReportSummary1");
        // Besides the values, the window holds its frames and the list's scroll bar (shown
        // once the rows are longer than the list, as a page's and a text object's are).
        const int frames = std::max(0, i->Width() - i->Box->ClientWidth()) + i->VScroll->Width();
        values = std::max({values, frames + i->ValueColumnWidth(&page), frames + i->ValueColumnWidth(&memo),
                           frames + i->ValueColumnWidth(&band), frames + i->ValueColumnWidth(&summary)});
        band.SetDataSet(nullptr);
    }
    const std::string splitText = std::to_string(split), width = std::to_string(split + values);
    const std::string text = "[Form.TfrxObjectInspector];Width=" + width + ";SplitPos=" + splitText +
                             ";Split1Pos=65;" +
                             "Dock=LeftDockSite2;[Form.TfrxDesignerForm];EditAfterInsert=1;Maximized=1;" +
                             "[Form.TfrxDataTreeForm];Width=143;Dock=RightDockSite;[Form.TfrxReportTreeForm];" +
                             "Width=" + width + ";Dock=LeftDockSite2;[ToolBar.AlignTB];Visible=0;[ToolBar.ExtraToolsTB];" +
                             "Visible=0;[Dock.LeftDockSite2];Data=" + HexOf(left) + ";[Dock.RightDockSite];Data=" +
                             HexOf(right);
    TStringList lines;
    frxSplitString(text, &lines, ';');
    auto ini = std::make_unique<TMemIniFile>("");
    ini->SetStrings(lines);
    return ini;
}

void TfrxDesignerForm::SaveDesignerSettings() {
    if (IsPreviewDesigner()) return;
    std::unique_ptr<TCustomIniFile> ini = Report()->GetIniFile();
    TCustomIniFile& s = *ini;
    if (TfrxObjectInspector* i = Inspector) {
        s.WriteInteger(kInspector, "SplitPos", i->SplitPos);
        s.WriteInteger(kInspector, "Split1Pos", i->GetSplit1Pos());
    }
    s.WriteFloat(kDesigner, "Scale", FScale);
    s.WriteBool(kDesigner, "ShowGrid", FShowGrid);
    s.WriteBool(kDesigner, "GridAlign", FGridAlign);
    s.WriteBool(kDesigner, "ShowRulers", FShowRulers);
    s.WriteBool(kDesigner, "ShowGuides", FShowGuides);
    s.WriteFloat(kDesigner, "Grid1", Grid1);
    s.WriteFloat(kDesigner, "Grid2", Grid2);
    s.WriteFloat(kDesigner, "Grid3", Grid3);
    s.WriteFloat(kDesigner, "Grid4", Grid4);
    // The user's unit, not the one a dialog or dot-matrix page put in force.
    SetUnits(FUnits);
    s.WriteInteger(kDesigner, "Units", FUnits);
    s.WriteString(kDesigner, "ScriptFontName", CodeWindow->Font()->Name());
    s.WriteInteger(kDesigner, "ScriptFontSize", CodeWindow->Font()->Size());
    s.WriteString(kDesigner, "MemoFontName", MemoFontName);
    s.WriteInteger(kDesigner, "MemoFontSize", MemoFontSize);
    s.WriteBool(kDesigner, "UseObjectFont", UseObjectFont);
    s.WriteInteger(kDesigner, "WorkspaceColor", static_cast<int>(WorkspaceColor));
    s.WriteInteger(kDesigner, "ToolsColor", static_cast<int>(ToolsColor));
    s.WriteBool(kDesigner, "GridLCD", Workspace->GridLCD);
    s.WriteBool(kDesigner, "EditAfterInsert", EditAfterInsert);
    s.WriteBool(kDesigner, "LocalizedOI", false);
    TStringList recent;
    for (const std::string& f : FRecentFiles) recent.Add(f);
    s.WriteString(kDesigner, "RecentFiles", recent.CommaText());
    s.WriteBool(kDesigner, "FreeBands", Workspace->FreeBands);
    s.WriteInteger(kDesigner, "BandsGap", Workspace->BandsGap);
    s.WriteBool(kDesigner, "ShowBandCaptions", Workspace->ShowBandCaptions());

    SaveFormPosition(s, this);
    SaveFormPosition(s, Placed(As<TCustomForm>(Inspector)));
    SaveFormPosition(s, Placed(As<TCustomForm>(DataTree)));
    SaveFormPosition(s, Placed(As<TCustomForm>(ReportTree)));
    for (TControl* bar : ToolbarElements()) SaveToolbarPosition(s, As<TfrxToolBar>(bar));
    for (TControl* site : DockSites()) SaveDockState(s, As<TfrxDockSite>(site));
    SavePanelLayout(s);
    s.UpdateFile();
}

void TfrxDesignerForm::RestoreDesignerSettings(bool RestoreDefaults) {
    std::unique_ptr<TCustomIniFile> ini;
    try {
        ini = Report()->GetIniFile();
        if (RestoreDefaults || ini->ReadFloat(kDesigner, "Scale", 0) == 0) ini = DefaultLayoutText();
    } catch (const std::exception&) {
        // A store that cannot be read (a file that is no settings file) is left alone: the
        // window opens with the built-in settings.
        ini = DefaultLayoutText();
    }
    try {
        LoadDesignerSettings(*ini, RestoreDefaults);
    } catch (const std::exception&) {
        // Whatever the store held that could not be used, the built-in layout can.
        ini = DefaultLayoutText();
        LoadDesignerSettings(*ini, RestoreDefaults);
    }
}

void TfrxDesignerForm::LoadDesignerSettings(TCustomIniFile& Ini, bool RestoreDefaults) {
    if (TfrxObjectInspector* i = Inspector) {
        i->SplitPos = IntIn(Ini, kInspector, "SplitPos", i->ClientWidth() / 2, 1, 2000);
        i->SetSplit1Pos(IntIn(Ini, kInspector, "Split1Pos", 65, 0, 2000));
    }
    SetScale(Ini.ReadFloat(kDesigner, "Scale", 0.75));
    SetShowGrid(Ini.ReadBool(kDesigner, "ShowGrid", true));
    SetGridAlign(Ini.ReadBool(kDesigner, "GridAlign", true));
    SetShowRulers(Ini.ReadBool(kDesigner, "ShowRulers", true));
    SetShowGuides(Ini.ReadBool(kDesigner, "ShowGuides", true));
    Grid1 = GridStep(Ini, "Grid1", 0.1);
    Grid2 = GridStep(Ini, "Grid2", 0.1);
    Grid3 = GridStep(Ini, "Grid3", 4);
    Grid4 = GridStep(Ini, "Grid4", 4);
    FUnits = IntIn(Ini, kDesigner, "Units", 0, 0, 2);
    // A dialog or dot-matrix page keeps its own unit in force.
    if (Workspace->GridType() != gtDialog && Workspace->GridType() != gtChar) {
        SetUnits(FUnits);
        FUnits = FCurUnits;
    }
    CodeWindow->Font()->SetName(Ini.ReadString(kDesigner, "ScriptFontName", "Courier New"));
    CodeWindow->Font()->SetSize(IntIn(Ini, kDesigner, "ScriptFontSize", 10, 1, 1638));
    MemoFontName = Ini.ReadString(kDesigner, "MemoFontName", "Arial");
    MemoFontSize = IntIn(Ini, kDesigner, "MemoFontSize", 10, 1, 1638);
    UseObjectFont = Ini.ReadBool(kDesigner, "UseObjectFont", true);
    SetWorkspaceColor(TColor(Ini.ReadInteger(kDesigner, "WorkspaceColor", kWindowColor)));
    SetToolsColor(TColor(Ini.ReadInteger(kDesigner, "ToolsColor", kWindowColor)));
    Workspace->GridLCD = Ini.ReadBool(kDesigner, "GridLCD", false);
    EditAfterInsert = Ini.ReadBool(kDesigner, "EditAfterInsert", false);
    // Restoring the defaults keeps the files the user worked on.
    if (!RestoreDefaults) {
        TStringList recent;
        recent.SetCommaText(Ini.ReadString(kDesigner, "RecentFiles", ""));
        FRecentFiles.clear();
        for (int k = 0; k < recent.Count(); ++k)
            if (!recent[k].empty()) AddRecentFile(recent[k]);
    }
    Workspace->FreeBands = Ini.ReadBool(kDesigner, "FreeBands", false);
    Workspace->BandsGap = IntIn(Ini, kDesigner, "BandsGap", 4, 0, 1000);
    Workspace->SetShowBandCaptions(Ini.ReadBool(kDesigner, "ShowBandCaptions", true));

    if (!RestoreDefaults) {
        // The window comes back where it was, still hidden: the caller shows it.
        Ini.WriteBool(kDesigner, "Visible", false);
        RestoreFormPosition(Ini, this);
        RestoreFormPosition(Ini, Placed(As<TCustomForm>(Inspector)));
        if (!IsPreviewDesigner()) {
            RestoreFormPosition(Ini, Placed(As<TCustomForm>(DataTree)));
            RestoreFormPosition(Ini, Placed(As<TCustomForm>(ReportTree)));
        }
        // The sites take their windows' widths before a bar on a side dock realigns the
        // window: a realign gives a docked window the width of its site.
        ArrangeDock();
        for (TControl* bar : ToolbarElements()) RestoreToolbarPosition(Ini, As<TfrxToolBar>(bar));
    } else if (!IsPreviewDesigner()) {
        // The tool windows of the dock sites come back shown and as wide as at first.
        for (TCustomForm* w : {As<TCustomForm>(Inspector), As<TCustomForm>(DataTree), As<TCustomForm>(ReportTree)})
            if (w && frxDockSiteOf(w)) RestoreFormPosition(Ini, w);
    }
    if (!IsPreviewDesigner()) {
        for (TControl* site : DockSites()) RestoreDockState(Ini, As<TfrxDockSite>(site));
        RestorePanelLayout(Ini, RestoreDefaults);
    }
    for (TControl* dock : {static_cast<TControl*>(DockTop), static_cast<TControl*>(DockRight),
                           static_cast<TControl*>(DockBottom)})
        if (auto* d = As<TfrxDock>(dock)) d->AdjustBounds();
    ArrangeDock();
}

// --- Tool windows that are panels of the window ---------------------------------------------------
// They keep, under the keys of their position records, whether they are shown and the width
// of their site (the report tree also its height above the inspector). View > Toolbars shows
// and hides them, so restoring goes through it.

namespace {
struct TPanelWindow {
    const char* Section;
    int Tag;   // its item in View > Toolbars
};
constexpr TPanelWindow kPanelWindows[] = {
    {"Form.TfrxObjectInspector", 5}, {"Form.TfrxDataTreeForm", 6}, {"Form.TfrxReportTreeForm", 7}};
}  // namespace

TControl* TfrxDesignerForm::PanelWindow(int Tag) const {
    TControl* w = Tag == 5 ? static_cast<TControl*>(Inspector)
                  : Tag == 6 ? static_cast<TControl*>(DataTree)
                             : static_cast<TControl*>(ReportTree);
    // A tool window the dock manager holds keeps its own record.
    if (auto* f = As<TCustomForm>(w); f && Placed(f)) return nullptr;
    return w;
}

void TfrxDesignerForm::SavePanelLayout(TCustomIniFile& S) {
    for (const TPanelWindow& w : kPanelWindows) {
        TControl* window = PanelWindow(w.Tag);
        if (!window) continue;
        S.WriteBool(w.Section, "Visible", window->Visible());
        S.WriteInteger(w.Section, "Width", (w.Tag == 6 ? RightDockSite : LeftDockSite2)->Width());
        if (w.Tag == 7) S.WriteInteger(w.Section, "Height", ReportTree->Height());
    }
}

void TfrxDesignerForm::RestorePanelLayout(TCustomIniFile& Ini, bool /*RestoreDefaults*/) {
    if (!ToolbarsMI) return;
    auto show = [this](int Tag, bool Value) {
        ToolbarsMIOpen(ToolbarsMI);
        for (int i = 0; i < ToolbarsMI->Count(); ++i) {
            TMenuItem* item = ToolbarsMI->Items(i);
            if (item->Tag() == Tag && item->Checked() != Value) ToolbarsMIClick(item);
        }
    };
    for (const TPanelWindow& w : kPanelWindows) {
        if (!PanelWindow(w.Tag)) continue;
        show(w.Tag, Ini.ReadBool(w.Section, "Visible", true));
        TControl* site = w.Tag == 6 ? RightDockSite : LeftDockSite2;
        const int width = Ini.ReadInteger(w.Section, "Width", 0);
        if (width >= 40 && width <= 1000) site->SetWidth(width);
        const int height = Ini.ReadInteger(w.Section, "Height", 0);
        if (w.Tag == 7 && ReportTree->Align() == alTop && height >= 40 && height <= 2000) ReportTree->SetHeight(height);
    }
}

std::vector<TControl*> TfrxDesignerForm::ToolbarElements() const {
    std::vector<TControl*> out;
    for (const char* name : {"StandardTB", "TextTB", "FrameTB", "AlignTB", "ExtraToolsTB"})
        out.push_back(dynamic_cast<TControl*>(FindComponent(name)));
    return out;
}

std::vector<TControl*> TfrxDesignerForm::DockSites() const {
    std::vector<TControl*> out;
    for (const char* name : {"LeftDockSite1", "LeftDockSite2", "RightDockSite"})
        out.push_back(dynamic_cast<TControl*>(FindComponent(name)));
    return out;
}

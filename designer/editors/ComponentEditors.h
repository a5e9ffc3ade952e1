// The component editors of report objects: what a double click on an object opens
// (Edit) and the tick entries it adds to the workspace's context menu (GetMenuItems,
// Execute). Band entries are offered only while fewer than two objects are selected and
// act on the first selected band; line and picture entries act on every selected object
// of their kind. Nothing changes an object whose restrictions forbid modification.
#pragma once

#include "designer/editors/ViewEditors.h"

class TfrxBand;

// Band entry tags (ORDER BANDTAG: "mvStretch", "bvSplit", "bvKeepChild", "bvPrintChild",
// "bvStartPage").
enum : int {
    frxTagBandStretch = 10,
    frxTagBandSplit = 11,
    frxTagBandKeepChild = 12,
    frxTagBandPrintChild = 13,
    frxTagBandStartPage = 14,
};

// A report page that is not the page of a subreport: the page dialog.
class TfrxPageEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    bool Edit() override;
    bool HasEditor() override;
};

// The memo text dialog; on OK the memo takes the text and loses its data field.
class TfrxMemoEditor : public TfrxCustomMemoEditor {
public:
    using TfrxCustomMemoEditor::TfrxCustomMemoEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
};

// The system text dialog on the memo's text.
class TfrxSysMemoEditor : public TfrxCustomMemoEditor {
public:
    using TfrxCustomMemoEditor::TfrxCustomMemoEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
};

class TfrxLineEditor : public TfrxViewEditor {
public:
    using TfrxViewEditor::TfrxViewEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// The picture dialog on a copy of the picture.
class TfrxPictureEditor : public TfrxViewEditor {
public:
    using TfrxViewEditor::TfrxViewEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

class TfrxBandEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;

protected:
    // Menus are built for one object only.
    bool SingleSelection() const;
    // The band the entries act on (the first selected object, else the clicked one),
    // nullptr when it is no band of class Kind or may not be modified.
    TfrxBand* TargetBand(TClass Kind) const;
    void AddItem(const char* Key, int Tag, bool Checked);
};

class TfrxDataBandEditor : public TfrxBandEditor {
public:
    using TfrxBandEditor::TfrxBandEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

class TfrxHeaderEditor : public TfrxBandEditor {
public:
    using TfrxBandEditor::TfrxBandEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

class TfrxPageHeaderEditor : public TfrxBandEditor {
public:
    using TfrxBandEditor::TfrxBandEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// The page footer has its two entries only, not the band entries.
class TfrxPageFooterEditor : public TfrxBandEditor {
public:
    using TfrxBandEditor::TfrxBandEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

class TfrxGroupHeaderEditor : public TfrxBandEditor {
public:
    using TfrxBandEditor::TfrxBandEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// A dialog control opens (or creates) its click handler in the code page.
class TfrxDialogControlEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
};

// A subreport shows its page in the designer.
class TfrxSubreportEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// Opens the handler named by the event property Event of Component in the code page,
// creating it (with the name Component's name + Event) when the property is empty or
// names a handler the script lacks. EventType is the event's type name. True when a
// handler was created.
bool frxEditEventHandler(TfrxCustomDesigner* Designer, TPersistent* Component, const std::string& ComponentName,
                         const std::string& Event, const std::string& EventType, std::string& Value);

// The component editors that give views their context-menu entries: TfrxViewEditor for
// every view (shift mode, visibility, printability) and TfrxCustomMemoEditor for memo
// views (display format, clearing, the memo's Boolean options, stretching). The memo,
// system memo, line and picture editors build on them. An entry applies to every
// suitable object of the designer's selection, not only to the object clicked; its tick
// shows the clicked object's state; objects whose restrictions forbid modification are
// left alone.
#pragma once

#include <vector>

#include "report/DesignRegistries.h"

class TfrxView;

// Menu entry tags (ORDER MENUTAG: the keys beside them).
enum : int {
    frxSeparatorTag = -1,
    frxTagFormat = 1,          // "mvFormat"
    frxTagClear = 2,           // "mvClear"
    frxTagAutoWidth = 3,       // "mvAutoWidth"
    frxTagWordWrap = 4,        // "mvWWrap"
    frxTagSuppress = 5,        // "mvSuppress"
    frxTagHideZeros = 6,       // "mvHideZ"
    frxTagExpressions = 7,     // "mvExpr"
    frxTagHTML = 8,            // "mvHTML"
    frxTagStretch = 40,        // "mvStretch"
    frxTagStretchToMax = 41,   // "mvStretchToMax"
    frxTagShift = 50,          // "mvShift"
    frxTagShiftOver = 51,      // "mvShiftOver"
    frxTagVisible = 52,        // "mvVisible"
    frxTagPrintable = 53,      // "mvPrintable"
};

class TfrxViewEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;

protected:
    // The objects a menu entry acts on: the designer's selection, or the clicked object
    // when nothing is selected; those whose restrictions forbid modification left out.
    std::vector<TfrxComponent*> Targets() const;
    // Adds the entry whose caption is the string-table text of Key.
    void AddItem(const char* Key, int Tag, bool Checked);
    void AddSeparator();
};

class TfrxCustomMemoEditor : public TfrxViewEditor {
public:
    using TfrxViewEditor::TfrxViewEditor;
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// True when Component is modifiable (no rfDontModify among its restrictions).
bool frxCanModify(const TfrxComponent* Component);

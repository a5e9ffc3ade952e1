// The page workspace the designer window places on its page area: the design workspace
// plus what ties it to the designer: fields, variables and functions dropped from the data
// tree as text objects (with a caption object above when asked), guides dropped from the
// rulers, moved and deleted with the mouse and snapped to, the column lines of
// multi-column pages, a drop-down list of fields on text objects in data bands, and the
// designer's four extra tools (hand, zoom, text, format painter).
#pragma once

#include "designer/workspace/Workspace.h"

#include <string>

class TfrxDesignerForm;
class TfrxMemoView;
class TfrxReportPage;
class TListBox;
class TTimer;

// The mode of a guide under the mouse or being dragged (one past the workspace's own).
constexpr TfrxDesignMode dmMoveGuide = static_cast<TfrxDesignMode>(9);

class TDesignerWorkspace : public TfrxDesignerWorkspace {
    ROVE_CLASS(TDesignerWorkspace, TfrxDesignerWorkspace)
public:
    enum TTool : uint8_t { toolSelect = 0, toolHand = 1, toolZoom = 2, toolText = 3, toolFormat = 4 };

    // Owner is the designer window.
    explicit TDesignerWorkspace(TComponent* AOwner);

    TfrxDesignerForm* Designer() const { return FDesigner; }
    bool ShowGuides() const { return FShowGuides; }
    void SetShowGuides(bool Value);
    uint8_t Tool() const { return FTool; }
    void SetTool(uint8_t Value) { FTool = Value; }
    int GuideIndex() const { return FGuideIndex; }
    TfrxMemoView* DropDownMemo() const { return FDropDownMemo; }
    TListBox* FieldList() const { return FFieldList; }

    // The pasted objects follow the mouse: move mode with the button pressed 20 pixels
    // inside the selection's top left corner.
    void StartMoveAfterPaste();

    // Drags from the data tree and the rulers (the control's drag events call them).
    void DragOverHandler(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void DragDropHandler(TObject* Source, int X, int Y);

    void CheckGuides(double& DX, double& DY, bool& Skip) override;
    void DrawObjects(TCanvas* C) override;
    void DeleteObjects() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void Paint() override;

private:
    // Writes where the window shows its tools and the page's objects, when that changed
    // (ScreenMap.cpp).
    void WriteScreenMap();
    TfrxReportPage* ReportPage() const;
    void FindGuide(double X, double Y);
    void UpdateDropDown(double X, double Y);
    bool InDropDownButton(double X, double Y) const;
    void OpenFieldList();
    void FieldListClick(TObject* Sender);
    void FieldListDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void ZoomUp(TMouseButton Button, int X, int Y);
    void TextUp(int X, int Y);
    void FormatUp(int X, int Y);
    void HandMove(int X, int Y);

    TfrxDesignerForm* FDesigner;
    TListBox* FFieldList = nullptr;
    TfrxMemoView* FDropDownMemo = nullptr;
    int FGuideIndex = -1;
    bool FGuideVertical = false;
    bool FShowGuides = true;
    uint8_t FTool = toolSelect;
    // The hand tool's last raw mouse position.
    int FHandX = 0, FHandY = 0;
    bool FHandDown = false;
    // The line a drag from a ruler shows: 0 none, 1 vertical at the position, 2 horizontal.
    int FRulerLine = 0;
    int FRulerLinePos = 0;
    // The file of the screen map (empty unless ROVE_DESIGNER_SCREEN_MAP names one), what
    // it holds, and the timer that writes it again after the window moved.
    std::string FScreenMapFile;
    std::string FScreenMap;
    TTimer* FScreenMapTimer = nullptr;
};

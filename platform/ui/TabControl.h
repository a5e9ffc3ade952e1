// A tab control: a row of tabs over a client area whose children the program shows and
// hides itself (the designer's code and page tabs). Unlike a page control it holds no
// sheets: the tabs are a list of texts, and changing the tab only fires the events.
#pragma once

#include <memory>

#include "platform/rtl/StringList.h"
#include "platform/ui/Controls.h"

class TTabControl : public TWinControl {
    ROVE_CLASS(TTabControl, TWinControl)
public:
    explicit TTabControl(TComponent* AOwner);
    ~TTabControl() override;

    // The tab texts; every change of the list shows at once (batch it with
    // BeginUpdate/EndUpdate).
    TStringList* Tabs() const { return FTabs.get(); }
    // The current tab, -1 when there is none. Setting it from the program fires nothing.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int Value);
    // The tab under a point of the control, -1 when none.
    int IndexOfTabAt(int X, int Y) const;
    // A tab's rectangle in client coordinates (empty for a bad index).
    TRect TabRect(int Index) const;
    // The area below the tabs, where the children lie.
    void AdjustClientRect(TRect& Rect) const override;
    TRect DisplayRect() const;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;

    // A tab clicked by the user: OnChanging may refuse, then TabIndex moves and OnChange.
    TCloseQueryEvent OnChanging;
    TNotifyEvent OnChange;
    static void DeclareProperties(TPropertyDecl<TTabControl>& d);

    // The layer's own: the user picked a tab.
    void TabClicked(int Index);

protected:
    void BoundsChanged(bool Resized) override;

private:
    void UpdateTabs();
    std::unique_ptr<TStringList> FTabs;
    int FTabIndex = -1;
    bool FSyncing = false;
};

// The check-list box: a list box whose items carry a check box each. The states follow
// the items: an item added, inserted or deleted through Items moves the states of the
// others along with them, and a new item starts unchecked.
#pragma once

#include "platform/ui/StdCtrls.h"

#include <vector>

class TCheckListBox : public TCustomListBox {
    ROVE_CLASS(TCheckListBox, TCustomListBox)
public:
    explicit TCheckListBox(TComponent* AOwner);
    // Raise EListError for an index outside the items.
    bool Checked(int Index) const { return State(Index) == cbChecked; }
    void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State(int Index) const;
    void SetState(int Index, TCheckBoxState Value);
    bool ItemEnabled(int Index) const;
    void SetItemEnabled(int Index, bool Value);
    // The user's clicks run through the grayed state too.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    // The user's click on an item's box (or Space on it): the next state, then
    // OnClickCheck.
    void ToggleItem(int Index);

    TNotifyEvent OnClickCheck;
    static void DeclareProperties(TPropertyDecl<TCheckListBox>& d);

    // The layer's own: the widget's box of item Index was clicked to State.
    void ItemToggled(int Index, TCheckBoxState Value);

protected:
    void ItemsRebuilt() override;

private:
    struct TItemState {
        TCheckBoxState State = cbUnchecked;
        bool Enabled = true;
    };
    void CheckIndex(int Index) const;
    void ApplyItem(int Index);
    std::vector<std::string> FTexts;     // the items as last seen
    std::vector<TItemState> FStates;
    bool FAllowGrayed = false;
    bool FApplying = false;
};

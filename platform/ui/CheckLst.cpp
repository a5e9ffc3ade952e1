// The check-list box over the list box's widget: each item is user-checkable; the states
// live here and are put back on the items whenever the list box builds them again.
#include "platform/ui/CheckLst.h"

#include "platform/ui/QtPeer.h"

#include <QListWidget>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TCheckListBox)

namespace {
Qt::CheckState QtState(TCheckBoxState s) {
    switch (s) {
    case cbUnchecked: return Qt::Unchecked;
    case cbChecked: return Qt::Checked;
    case cbGrayed: return Qt::PartiallyChecked;
    }
    return Qt::Unchecked;
}

TCheckBoxState StateOf(Qt::CheckState s) {
    switch (s) {
    case Qt::Unchecked: return cbUnchecked;
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    }
    return cbUnchecked;
}
}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
    if (auto* w = TypedWidget<QListWidget>(this)) {
        QObject::connect(w, &QListWidget::itemChanged, w, [this, w](QListWidgetItem* item) {
            if (FApplying || !item) return;
            const int row = w->row(item);
            SafeCall([&] { ItemToggled(row, StateOf(item->checkState())); });
        });
    }
}

void TCheckListBox::CheckIndex(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FStates.size()))
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

TCheckBoxState TCheckListBox::State(int Index) const {
    CheckIndex(Index);
    return FStates[static_cast<size_t>(Index)].State;
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
    CheckIndex(Index);
    FStates[static_cast<size_t>(Index)].State = Value;
    ApplyItem(Index);
}

bool TCheckListBox::ItemEnabled(int Index) const {
    CheckIndex(Index);
    return FStates[static_cast<size_t>(Index)].Enabled;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
    CheckIndex(Index);
    FStates[static_cast<size_t>(Index)].Enabled = Value;
    ApplyItem(Index);
}

void TCheckListBox::SetAllowGrayed(bool Value) {
    FAllowGrayed = Value;
    for (int i = 0; i < static_cast<int>(FStates.size()); ++i) ApplyItem(i);
}

void TCheckListBox::ToggleItem(int Index) {
    CheckIndex(Index);
    TCheckBoxState next = cbUnchecked;
    switch (FStates[static_cast<size_t>(Index)].State) {
    case cbUnchecked: next = cbChecked; break;
    case cbChecked: next = FAllowGrayed ? cbGrayed : cbUnchecked; break;
    case cbGrayed: next = cbUnchecked; break;
    }
    ItemToggled(Index, next);
}

void TCheckListBox::ItemToggled(int Index, TCheckBoxState Value) {
    if (Index < 0 || Index >= static_cast<int>(FStates.size())) return;
    TItemState& s = FStates[static_cast<size_t>(Index)];
    if (!s.Enabled) {
        ApplyItem(Index);
        return;
    }
    s.State = Value;
    ApplyItem(Index);
    OnClickCheck(this);
}

// The states of the items that stayed are kept: the unchanged head and tail of the list
// keep theirs, the items in between (added or replaced) start unchecked.
void TCheckListBox::ItemsRebuilt() {
    const int n = Items()->Count();
    std::vector<std::string> texts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) texts[static_cast<size_t>(i)] = Items()->Get(i);
    const size_t oldN = FTexts.size();
    const size_t newN = texts.size();
    size_t head = 0;
    while (head < oldN && head < newN && FTexts[head] == texts[head]) ++head;
    size_t tail = 0;
    while (tail < oldN - head && tail < newN - head && FTexts[oldN - 1 - tail] == texts[newN - 1 - tail]) ++tail;
    std::vector<TItemState> states(newN);
    for (size_t i = 0; i < head; ++i) states[i] = FStates[i];
    for (size_t i = 0; i < tail; ++i) states[newN - 1 - i] = FStates[oldN - 1 - i];
    FTexts = std::move(texts);
    FStates = std::move(states);
    for (int i = 0; i < n; ++i) ApplyItem(i);
}

void TCheckListBox::ApplyItem(int Index) {
    auto* w = TypedWidget<QListWidget>(this);
    if (!w || Index < 0 || Index >= w->count()) return;
    QListWidgetItem* item = w->item(Index);
    const TItemState& s = FStates[static_cast<size_t>(Index)];
    FApplying = true;
    Qt::ItemFlags flags = item->flags() | Qt::ItemIsUserCheckable;
    flags.setFlag(Qt::ItemIsUserTristate, FAllowGrayed);
    flags.setFlag(Qt::ItemIsEnabled, s.Enabled);
    item->setFlags(flags);
    item->setCheckState(QtState(s.State));
    FApplying = false;
}

void TCheckListBox::DeclareProperties(TPropertyDecl<TCheckListBox>& d) {
    d.Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
    d.Event("OnClickCheck", &TCheckListBox::OnClickCheck);
}

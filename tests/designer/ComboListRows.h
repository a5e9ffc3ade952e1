// What the open drop-down list of a combo box shows, as the user sees it.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "platform/ui/Controls.h"
#include "platform/ui/QtPeer.h"

// Whether row Index of the combo box's open list lies whole inside the list, its text too.
inline bool RowShownWhole(TControl* Combo, int Index) {
    auto* box = dynamic_cast<QComboBox*>(WidgetOf(Combo));
    if (!box || !box->view()->isVisible()) return false;
    QAbstractItemView* view = box->view();
    const QModelIndex item = view->model()->index(Index, 0);
    const QRect row = view->visualRect(item);
    // The row as the list draws it has margins around its text: narrower than that, the
    // text is cut short with "..." ("Who...age").
    return row.top() >= 0 && row.bottom() <= view->viewport()->height() &&
           view->fontMetrics().horizontalAdvance(item.data().toString()) <= view->viewport()->width() &&
           view->sizeHintForIndex(item).width() <= view->viewport()->width();
}

// Whether the closed box shows its current text whole: the field the platform draws the
// text in (besides the arrow and the frame) holds it, with the pixel the label keeps on
// either side, so it is not cut short with "...".
inline bool ClosedTextShownWhole(TControl* Combo) {
    auto* box = dynamic_cast<QComboBox*>(WidgetOf(Combo));
    if (!box || box->currentText().isEmpty()) return false;
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = box->isEditable();
    opt.frame = box->hasFrame();
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
    return box->fontMetrics().elidedText(box->currentText(), Qt::ElideRight, field.width() - 2) == box->currentText();
}

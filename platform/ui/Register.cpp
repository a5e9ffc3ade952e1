// The classes of the window layer by name, for form resources. Referencing each class
// here also keeps its module in the program when the layer is linked statically.
#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Grids.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

void RegisterUiClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterGraphicsClasses();
    RegisterDBClasses();
    RegisterClasses({
        TControl::StaticClass(), TWinControl::StaticClass(), TGraphicControl::StaticClass(),
        TCustomControl::StaticClass(), TCustomForm::StaticClass(), TForm::StaticClass(),
        TLabel::StaticClass(), TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
        TCheckBox::StaticClass(), TRadioButton::StaticClass(), TComboBox::StaticClass(),
        TListBox::StaticClass(), TGroupBox::StaticClass(), TScrollBar::StaticClass(),
        TPanel::StaticClass(), TBevel::StaticClass(), TImage::StaticClass(), TPaintBox::StaticClass(),
        TSplitter::StaticClass(), TScrollBox::StaticClass(), TControlScrollBar::StaticClass(),
        TTimer::StaticClass(),
        TMenuItem::StaticClass(), TMainMenu::StaticClass(), TPopupMenu::StaticClass(),
        TAction::StaticClass(), TActionList::StaticClass(), TImageListComponent::StaticClass(),
        TDBGrid::StaticClass(), TColumn::StaticClass(), TDBGridColumns::StaticClass(),
        TColumnTitle::StaticClass(),
        TStatusBar::StaticClass(), TStatusPanel::StaticClass(), TPageControl::StaticClass(),
        TTabSheet::StaticClass(), TListView::StaticClass(), TListColumn::StaticClass(),
        TDateTimePicker::StaticClass(), TTreeView::StaticClass(), TToolBar::StaticClass(), TToolButton::StaticClass(),
        TSpeedButton::StaticClass(), TStringGrid::StaticClass(),
        TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TColorDialog::StaticClass(),
        TFontDialog::StaticClass(), TPrintDialog::StaticClass(), TPrinterSetupDialog::StaticClass(),
        TUpDown::StaticClass(), TCheckListBox::StaticClass(),
    });
}

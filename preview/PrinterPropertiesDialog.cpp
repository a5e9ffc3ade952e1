#include "preview/PrinterPropertiesDialog.h"

#include <algorithm>
#include <memory>

#include "platform/graphics/Printers.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Printer.h"

namespace {
constexpr int kRowHeight = 28;
constexpr int kLabelWidth = 150;
constexpr int kListWidth = 220;
}  // namespace

ROVE_IMPLEMENT_CLASS(TfrxPrinterPropertiesDialog)

TfrxPrinterPropertiesDialog::TfrxPrinterPropertiesDialog(TComponent* AOwner, TfrxCustomPrinter& Printer)
    : TForm(AOwner), FDevice(*Printer.Device()) {
    SetName("frxPrinterPropertiesDialog");
    SetCaption(Printer.Name() + " 属性");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    const std::vector<TPrinterOption>& options = FDevice.Options();
    int top = 12;
    for (size_t i = 0; i < options.size(); ++i) {
        const TPrinterOption& o = options[i];
        auto* label = new TLabel(this);
        label->SetName("OptionL" + std::to_string(i + 1));
        label->SetParent(this);
        label->SetBounds(12, top + 4, kLabelWidth, 15);
        label->SetCaption(o.Text + ":");
        auto* list = new TComboBox(this);
        list->SetName("OptionCB" + std::to_string(i + 1));
        list->SetParent(this);
        list->SetStyle(csDropDownList);
        list->SetBounds(12 + kLabelWidth + 8, top, kListWidth, 21);
        const std::string current = FDevice.Option(o.Keyword);
        int index = 0;
        for (size_t c = 0; c < o.Choices.size(); ++c) {
            list->Items()->Add(o.Choices[c].Text);
            if (o.Choices[c].Keyword == current) index = static_cast<int>(c);
        }
        list->SetItemIndex(index);
        label->SetFocusControl(list);
        OptionLabels.push_back(label);
        OptionLists.push_back(list);
        top += kRowHeight;
    }
    const int width = 12 + kLabelWidth + 8 + kListWidth + 12;
    top += 8;
    OkB = new TButton(this);
    OkB->SetName("OkB");
    OkB->SetParent(this);
    OkB->SetCaption("确定");
    OkB->SetDefault(true);
    OkB->SetModalResult(mrOk);
    OkB->SetBounds(width - 12 - 75 - 8 - 75, top, 75, 25);
    CancelB = new TButton(this);
    CancelB->SetName("CancelB");
    CancelB->SetParent(this);
    CancelB->SetCaption("取消");
    CancelB->SetCancel(true);
    CancelB->SetModalResult(mrCancel);
    CancelB->SetBounds(width - 12 - 75, top, 75, 25);
    SetClientWidth(width);
    SetClientHeight(top + 25 + 12);
}

void TfrxPrinterPropertiesDialog::ApplyChoices() {
    const std::vector<TPrinterOption>& options = FDevice.Options();
    for (size_t i = 0; i < options.size() && i < OptionLists.size(); ++i) {
        const int index = OptionLists[i]->ItemIndex();
        if (index >= 0 && index < static_cast<int>(options[i].Choices.size()))
            FDevice.SetOption(options[i].Keyword, options[i].Choices[size_t(index)].Keyword);
    }
}

bool frxShowPrinterProperties(TfrxCustomPrinter& Printer, TComponent* Owner) {
    if (!Printer.HasProperties()) return false;
    auto form = std::make_unique<TfrxPrinterPropertiesDialog>(Owner, Printer);
    if (form->ShowModal() != mrOk) return false;
    form->ApplyChoices();
    return true;
}

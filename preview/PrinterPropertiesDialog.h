// The printer's properties: the print queue's own options (print quality, colour mode,
// media type and the like, in the queue's own names and choices), one list each. OK keeps
// the choices with the printer for the session, and its jobs carry them; Cancel changes
// nothing. The print dialog's "属性..." button opens it (through the printer's
// PropertiesDlg) for a printer that has such options.
#pragma once

#include "platform/ui/Forms.h"

#include <string>
#include <vector>

class TButton;
class TComboBox;
class TLabel;
class TPrinter;
class TfrxCustomPrinter;

class TfrxPrinterPropertiesDialog : public TForm {
    ROVE_CLASS(TfrxPrinterPropertiesDialog, TForm)
public:
    // The lists show the device's options with the choices in effect selected.
    TfrxPrinterPropertiesDialog(TComponent* AOwner, TfrxCustomPrinter& Printer);

    // One row per option, in the queue's order.
    std::vector<TLabel*> OptionLabels;
    std::vector<TComboBox*> OptionLists;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    // Puts the choices of the lists into the device.
    void ApplyChoices();

private:
    TPrinter& FDevice;
};

// Shows the dialog for the printer; true when it ended with OK (the choices are taken).
bool frxShowPrinterProperties(TfrxCustomPrinter& Printer, TComponent* Owner = nullptr);

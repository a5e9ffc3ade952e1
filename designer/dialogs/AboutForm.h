// The about box of the report library, opened from the designer's Help menu.
#pragma once

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TfrxAboutForm : public TForm {
    ROVE_CLASS(TfrxAboutForm, TForm)
public:
    explicit TfrxAboutForm(TComponent* AOwner);
    TBevel* Bevel1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* TitleL = nullptr;
    TLabel* VersionL = nullptr;
    TBevel* Bevel2 = nullptr;
    TButton* Button1 = nullptr;
};

// The version the box shows under the title.
inline constexpr const char* frxVersion = "3.0";

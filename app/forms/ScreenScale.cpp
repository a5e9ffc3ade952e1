#include "app/forms/ScreenScale.h"

#include "platform/ui/Forms.h"

TScreenScale ScreenWidthScale(int ScreenWidth) {
    switch (ScreenWidth) {
        case 640: return {80, 100};
        case 800: return {100, 100};
        case 1024: return {128, 100};
        default: return {100, 100};
    }
}

void ScaleFormToScreen(TCustomForm* Form) {
    const TScreenScale s = ScreenWidthScale(Screen->Width());
    if (s.M != s.D) Form->ScaleBy(s.M, s.D);
}

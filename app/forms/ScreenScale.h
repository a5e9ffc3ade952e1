// The scale the main and the charging window apply to themselves when they are created,
// chosen by the screen width in pixels: 640 gives 80/100, 800 gives 100/100, 1024 gives
// 128/100, and any other width leaves them as designed (100/100).
#pragma once

struct TScreenScale {
    int M = 100;
    int D = 100;
};

TScreenScale ScreenWidthScale(int ScreenWidth);
// Scales Form by the scale of the current screen width; a 100/100 scale changes nothing.
class TCustomForm;
void ScaleFormToScreen(TCustomForm* Form);

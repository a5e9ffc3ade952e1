// Internal to the window layer: the style every control is drawn with.
#pragma once

class QStyle;

// Fusion, with tall scroll bars painted in bands of rows. Qt's raster engine hands every
// fill of 96 rows or more (a gradient, a translucent line, a translucent rectangle) to its
// thread pool in pieces and waits for them; a scroll bar beside a page view is drawn in a
// dozen such fills, so each repaint of it woke the painting threads and switched to them
// some forty times. Drawn in bands of fewer rows and put together, every fill stays on the
// window thread: the same pixels, in a fraction of the time.
QStyle* NewPlatformStyle();

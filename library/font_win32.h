// Measuring a font, for the console and the list view alike.
#ifndef ZUBO_LIBRARY_FONT_WIN32_H
#define ZUBO_LIBRARY_FONT_WIN32_H

#include <windows.h>

#include <stdint.h>

namespace zubo {

struct FontMeasure {
    bool selected;         // the handle could be selected into a device context
    bool measured;         // text metrics were read
    int32_t maxCharWidth;  // tmMaxCharWidth, when measured
    int32_t height;        // tmHeight, when measured
    // The widest advance of the printable ASCII characters, 0 when not
    // measured: the single-width advance (see CellWidthFor).
    int32_t narrowAdvance;
};

// Selects the font into the screen's device context and reads the metrics
// of the font the context then holds. When the handle cannot be selected
// (a null handle, for example) those are the context's own font's metrics:
// the caller decides whether that counts.
FontMeasure MeasureFontOnScreen(HFONT font);

}  // namespace zubo

#endif

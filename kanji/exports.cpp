// The exported conversions. A null destination is returned as it is, with
// nothing written; a null source reads as the empty text.
#include "kanji/conv.h"
#include "zubo.h"

extern "C" char *ZUBOAPI ConvJisToSjis(char *dst, const char *src) {
    return dst ? zubo::kanji::JisToSjis(dst, src ? src : "") : dst;
}

extern "C" char *ZUBOAPI ConvSjisToJis(char *dst, const char *src) {
    return dst ? zubo::kanji::SjisToJis(dst, src ? src : "") : dst;
}

// Whole-string conversion between JIS with shift sequences and Shift_JIS.
#ifndef ZUBO_KANJI_CONV_H
#define ZUBO_KANJI_CONV_H

namespace zubo::kanji {

// JIS text with shift sequences to Shift_JIS; dst needs strlen(src) + 1
// bytes. A character cut off by the terminator is dropped. Returns dst.
char *JisToSjis(char *dst, const char *src);
// Shift_JIS to JIS with shift sequences, ending in single-byte mode; dst
// needs 3 * strlen(src) + 3 bytes at most. A lead byte cut off by the
// terminator is dropped. Returns dst.
char *SjisToJis(char *dst, const char *src);

}  // namespace zubo::kanji

#endif

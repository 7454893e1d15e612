// The font of the example hosts: "ZUBO Gothic" (ZuboGothic.ttf beside the
// program, made at build time from VL Gothic), else VL Gothic itself.
#ifndef ZUBO_EXAMPLES_FONT_H
#define ZUBO_EXAMPLES_FONT_H

#include <windows.h>

#include <string>

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

// A fixed-pitch Japanese font of the given cell height (pixels), in the
// system's default character set, as a host would make it on any system.
// A face name other than null replaces the default choice.
HFONT CreateJapaneseFont(int height, const char *face = nullptr);

#endif

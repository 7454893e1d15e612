#include "font.h"

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

HFONT CreateJapaneseFont(int height, const char *face) {
    if (!face) {
        // Private to this process; the system's fonts stay as they are.
        const std::string file = ProgramFolder() + "ZuboGothic.ttf";
        face = AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr) ? "ZUBO Gothic" : "VL Gothic";
    }
    // The system's own character set: the library draws its Shift_JIS text
    // right under any code page.
    return CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

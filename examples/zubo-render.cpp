// zubo-render: feeds a file's bytes through the console emulator, as a
// program's output would arrive, and writes the final screen as a PNG.
//
//   zubo-render [--cols N] [--rows N] [--scrollback N]
//               [--kanji sjis|euc|jis] [--font NAME] INPUT OUTPUT.png
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#include <string>
#include <vector>

#include "examples/common/font.h"
#include "examples/common/png_writer.h"
#include "zubo.h"

namespace {

struct Options {
    int cols = 80, rows = 25, scrollback = 200;
    int kanjicode = KANJICODE_SJIS;
    std::string font;  // empty: the hosts' default Japanese font
    const char *input = nullptr, *output = nullptr;
};

int Usage(const char *why) {
    fprintf(stderr,
            "zubo-render: %s\n"
            "usage: zubo-render [--cols N] [--rows N] [--scrollback N]\n"
            "                   [--kanji sjis|euc|jis] [--font NAME] INPUT OUTPUT.png\n",
            why);
    return 2;
}

bool ParseCount(const char *text, int low, int high, int *out) {
    char *end = nullptr;
    errno = 0;
    const long v = strtol(text, &end, 10);
    if (errno || end == text || *end || v < low || v > high) return false;
    *out = static_cast<int>(v);
    return true;
}

// Returns 0 when the options are complete, else the exit status.
int ParseOptions(int argc, char **argv, Options *o) {
    std::vector<const char *> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--cols" || a == "--rows" || a == "--scrollback") {
            int *target = a == "--cols" ? &o->cols : a == "--rows" ? &o->rows : &o->scrollback;
            const int low = a == "--scrollback" ? 0 : 1;
            if (!hasValue || !ParseCount(argv[++i], low, 10000, target))
                return Usage((a + " needs a number from " + std::to_string(low) +
                              " to 10000").c_str());
        } else if (a == "--kanji") {
            const std::string v = hasValue ? argv[++i] : "";
            if (v == "sjis") o->kanjicode = KANJICODE_SJIS;
            else if (v == "euc") o->kanjicode = KANJICODE_EUC;
            else if (v == "jis") o->kanjicode = KANJICODE_SJIS;  // JIS selects itself by ESC $ B
            else return Usage("--kanji takes sjis, euc or jis");
        } else if (a == "--font") {
            if (!hasValue) return Usage("--font needs a font name");
            o->font = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return Usage(("unknown option " + a).c_str());
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() != 2) return Usage("give one INPUT and one OUTPUT.png");
    o->input = files[0];
    o->output = files[1];
    return 0;
}

bool ReadFile(const char *path, std::vector<unsigned char> *bytes) {
    FILE *f = fopen(path, "rb");
    if (!f) return false;
    unsigned char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
    const bool ok = !ferror(f);
    fclose(f);
    return ok;
}

}  // namespace

int main(int argc, char **argv) {
    Options o;
    if (int status = ParseOptions(argc, argv, &o)) return status;

    std::vector<unsigned char> bytes;
    if (!ReadFile(o.input, &bytes)) {
        fprintf(stderr, "zubo-render: cannot read %s: %s\n", o.input, strerror(errno));
        return 1;
    }

    Consout *con = CreateConsout(o.cols, o.rows, o.rows + o.scrollback);
    if (!con) {
        fprintf(stderr, "zubo-render: cannot create a %dx%d console\n", o.cols, o.rows);
        return 1;
    }
    // A fixed-pitch font whose double-width glyphs are two cells wide. The
    // cells hold Shift_JIS, which the library draws right on any code page.
    HFONT font = CreateJapaneseFont(16, o.font.empty() ? nullptr : o.font.c_str());
    if (!font || !Consout_SetFont(con, font))
        fprintf(stderr, "zubo-render: font %s not usable, using the system font\n",
                o.font.c_str());
    Consout_SetKanjicode(con, o.kanjicode);
    Consout_SetOutputMode(con, OUTMODE_ENABLE | OUTMODE_NEWLINE_CR | OUTMODE_EXPAND_TAB);
    for (unsigned char b : bytes) Consout_Putchar(con, b);

    const int width = Consout_GetConsWidth(con) * Consout_GetFontWidth(con);
    const int height = Consout_GetConsHeight(con) * Consout_GetBaselineskip(con);
    MemoryDC *surface = CreateMemoryDC(width, height, 32);
    int status = 1;
    if (!surface) {
        fprintf(stderr, "zubo-render: cannot create a %dx%d surface\n", width, height);
    } else {
        Consout_Draw(con, surface->ops.GetHDC(surface), 0, 0, 0, 0, width, height);
        GdiFlush();
        MemoryDCInfo info;
        surface->ops.GetInfo(surface, &info);
        if (WritePngBgrx(o.output, width, height, static_cast<const uint8_t *>(info.bits),
                         static_cast<size_t>(info.bytesPerLine))) {
            status = 0;
        } else {
            fprintf(stderr, "zubo-render: cannot write %s\n", o.output);
        }
        surface->ops.Release(surface);
    }
    Consout_Release(con);
    if (font) DeleteObject(font);
    return status;
}

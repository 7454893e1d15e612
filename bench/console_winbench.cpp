// Consout_Update of a fully dirty 80 x 25 screen into a memory DC (a DIB
// section), with the console's stock font: time per frame, and text
// outputs per frame counted once in an enhanced metafile.
#include <windows.h>

#include <stdint.h>

#include "bench/winbench.h"
#include "zubo.h"

namespace {

constexpr int kCols = 80, kRows = 25;

// A console full of text; runSpan > 0 changes the attribute every runSpan
// cells, 0 keeps one attribute.
Consout *FilledConsole(int runSpan) {
    Consout *c = CreateConsout(kCols, kRows, kRows + 100);
    for (int y = 0; y < kRows; ++y) {
        Consout_MoveCur(c, 0, y);
        for (int x = 0; x < kCols - 1; ++x) {
            if (runSpan > 0) Consout_SetAttr(c, CONSOUT_ATTR(15 - x / runSpan % 8, x / runSpan % 8));
            Consout_Putchar(c, 0x21 + (x + y) % 94);
        }
    }
    return c;
}

int CALLBACK CountText(HDC, HANDLETABLE *, const ENHMETARECORD *rec, int, LPARAM p) {
    if (rec->iType == EMR_EXTTEXTOUTA || rec->iType == EMR_EXTTEXTOUTW) ++*reinterpret_cast<int *>(p);
    return 1;
}

int TextOutputsPerFrame(Consout *c) {
    HDC emf = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Consout_SetColors(c, nullptr);  // marks everything dirty, colours kept
    Consout_Update(c, emf, 0, 0);
    HENHMETAFILE h = CloseEnhMetaFile(emf);
    int n = 0;
    EnumEnhMetaFile(nullptr, h, CountText, &n, nullptr);
    DeleteEnhMetaFile(h);
    return n;
}

void UpdateFrames(winbench::State &state, int runSpan, HFONT font = nullptr) {
    Consout *c = FilledConsole(runSpan);
    if (font) Consout_SetFont(c, font);
    const int w = kCols * Consout_GetFontWidth(c), h = kRows * Consout_GetBaselineskip(c);
    // The library's own off-screen surface: a 32-bit top-down DIB section.
    MemoryDC *surface = CreateMemoryDC(w, h, 32);
    HDC dc = surface->ops.GetHDC(surface);
    for (auto _ : state) {
        Consout_SetColors(c, nullptr);
        Consout_Update(c, dc, 0, 0);
        GdiFlush();
    }
    state.SetItemsProcessed(state.iterations());  // frames
    state.counters["text_outputs_per_frame"] = TextOutputsPerFrame(c);
    surface->ops.Release(surface);
    Consout_Release(c);
}

// The project's cell font (beside the program): a Japanese fixed-pitch
// font whose narrow advance is half its widest character, so that its own
// advances already put ASCII on the cells. The stock font above is wider
// at its widest than two narrow advances under wine, so its cells are
// wider than its glyphs and every run needs its advances.
HFONT CellFont() {
    static HFONT font = [] {
        AddFontResourceExA("ZuboGothic.ttf", FR_PRIVATE, nullptr);
        return CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0,
                           FIXED_PITCH | FF_MODERN, "ZUBO Gothic");
    }();
    return font;
}

void BM_UpdateFullScreenOneAttribute(winbench::State &state) { UpdateFrames(state, 0); }
void BM_UpdateFullScreenRunsOf10(winbench::State &state) { UpdateFrames(state, 10); }
void BM_UpdateFullScreenOneAttribute_CellFont(winbench::State &state) {
    UpdateFrames(state, 0, CellFont());
}
void BM_UpdateFullScreenRunsOf10_CellFont(winbench::State &state) {
    UpdateFrames(state, 10, CellFont());
}

WINBENCH(BM_UpdateFullScreenOneAttribute);
WINBENCH(BM_UpdateFullScreenRunsOf10);
WINBENCH(BM_UpdateFullScreenOneAttribute_CellFont);
WINBENCH(BM_UpdateFullScreenRunsOf10_CellFont);

}  // namespace

int main() { return winbench::RunAll(); }

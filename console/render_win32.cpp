// Drawing with GDI: each run becomes one text output with the run's colours
// and background mode, in the console's font, every character on its cells
// (PutCells): the cells' bytes, or, where the system and the font do not
// read Shift_JIS, the bytes converted from Shift_JIS (the rule is at
// ChooseTextPath).
#include "console/render_win32.h"

#include "console/render.h"
#include "library/codepage_win32.h"

namespace zubo::console {
namespace {

// What a drawing changes in the host's device context besides the font,
// which is selected back on its own.
struct TextState {
    COLORREF text;
    COLORREF background;
    int bkMode;
    UINT align;
};

class GdiSink final : public RunSink {
public:
    GdiSink(const Consout *c, HDC dc) : c_(c), dc_(dc) {}

    void Begin() override {
        old_ = SelectObject(dc_, static_cast<HFONT>(c_->font));
        saved_ = {GetTextColor(dc_), GetBkColor(dc_), GetBkMode(dc_), GetTextAlign(dc_)};
        last_ = saved_;
        last_.align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
        SetTextAlign(dc_, last_.align);
        way_ = ChooseTextWay(dc_);  // once per drawing: the font is fixed now
    }
    // The host's context is handed back as it came: what the runs set is
    // set back, and only where it differs, so that a drawing whose last run
    // left things as they were adds no calls.
    void End() override {
        if (last_.text != saved_.text) SetTextColor(dc_, saved_.text);
        if (last_.background != saved_.background) SetBkColor(dc_, saved_.background);
        if (last_.bkMode != saved_.bkMode) SetBkMode(dc_, saved_.bkMode);
        if (last_.align != saved_.align) SetTextAlign(dc_, saved_.align);
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    void Run(int32_t x, int32_t y, uint16_t attr, const char *bytes, int32_t n) override {
        const bool opaque = (attr & ATTR_TRANSPARENT) == 0;
        last_.bkMode = opaque ? OPAQUE : TRANSPARENT;
        last_.background = c_->colors[attr & ATTR_BG_MASK];
        last_.text = c_->colors[(attr & ATTR_FG_MASK) >> ATTR_FG_SHIFT];
        SetBkMode(dc_, last_.bkMode);
        SetBkColor(dc_, last_.background);
        SetTextColor(dc_, last_.text);
        PutCells(dc_, way_, {x, y, c_->fontWidth, c_->fontHeight, opaque, bytes, n});
    }

private:
    const Consout *c_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    TextState saved_ = {};
    TextState last_ = {};
    TextWay way_ = {TextPath::kBytes, 0};
};

static_assert(RUN_MAX <= kTextOutMax, "a run is one text output");

}  // namespace

int32_t DrawOnDc(const Consout *c, HDC dc, int32_t originX, int32_t originY, int32_t x,
                 int32_t y, int32_t width, int32_t height) {
    GdiSink sink(c, dc);
    return DrawView(c, sink, originX, originY, x, y, width, height);
}

void UpdateOnDc(Consout *c, HDC dc, int32_t originX, int32_t originY) {
    GdiSink sink(c, dc);
    UpdateView(c, sink, originX, originY);
}

}  // namespace zubo::console

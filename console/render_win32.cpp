// Drawing with GDI: each run becomes one text output with the run's colours
// and background mode, in the console's font: TextOutA of the cells' bytes,
// or, where the system and the font do not read Shift_JIS, TextOutW of the
// bytes converted from Shift_JIS (the rule is at ChooseTextPath).
#include "console/render_win32.h"

#include "console/render.h"
#include "library/codepage_win32.h"

namespace zubo::console {
namespace {

class GdiSink final : public RunSink {
public:
    GdiSink(const Consout *c, HDC dc) : c_(c), dc_(dc) {}

    void Begin() override {
        old_ = SelectObject(dc_, static_cast<HFONT>(c_->font));
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        path_ = ChooseTextPath(dc_);  // once per drawing: the font is fixed now
    }
    void End() override {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    void Run(int32_t x, int32_t y, uint16_t attr, const char *bytes, int32_t n) override {
        SetBkMode(dc_, (attr & ATTR_TRANSPARENT) ? TRANSPARENT : OPAQUE);
        SetBkColor(dc_, c_->colors[attr & ATTR_BG_MASK]);
        SetTextColor(dc_, c_->colors[(attr & ATTR_FG_MASK) >> ATTR_FG_SHIFT]);
        PutText(dc_, path_, x, y, bytes, n);
    }

private:
    const Consout *c_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    TextPath path_ = TextPath::kBytes;
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

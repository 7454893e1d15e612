#include "listview/rowtext.h"

#include <stdio.h>
#include <string.h>

namespace zubo::listview {
namespace {

// Appends into a bounded area, dropping whatever does not fit.
class RowWriter {
public:
    RowWriter(char *out, size_t cap) : out_(out), room_(cap - 1) {}

    void Put(const char *s, size_t len) {
        if (len > room_ - n_) len = room_ - n_;
        memcpy(out_ + n_, s, len);
        n_ += len;
    }
    void Pad(int32_t count) {
        for (; count > 0 && n_ < room_; --count) out_[n_++] = ' ';
    }
    // A text cut to width characters and padded to width, on either side.
    void Field(const char *s, int32_t width, bool alignRight) {
        size_t len = 0;
        while (static_cast<int32_t>(len) < width && s[len]) ++len;
        const int32_t pad = width - static_cast<int32_t>(len);
        if (alignRight) Pad(pad);
        Put(s, len);
        if (!alignRight) Pad(pad);
    }
    // A decimal number right-aligned in at least width characters.
    void Number(int32_t v, int32_t width) {
        char digits[16];
        const int n = snprintf(digits, sizeof digits, "%ld", static_cast<long>(v));
        Pad(width - n);
        Put(digits, static_cast<size_t>(n));
    }
    size_t Finish() {
        out_[n_] = '\0';
        return n_;
    }

private:
    char *out_;
    size_t room_;
    size_t n_ = 0;
};

const char *OrEmpty(const char *s) { return s ? s : ""; }

}  // namespace

size_t FormatRowText(const GdirlistEntry *e, const ColumnWidths &w, char *out, size_t cap) {
    RowWriter row(out, cap);
    row.Field(OrEmpty(e->name), w.name, true);
    row.Put("/", 1);
    row.Field(OrEmpty(e->name2), w.name2, false);
    row.Put(" ", 1);
    row.Number(e->num1, w.num1);
    row.Put(" ", 1);
    row.Number(e->num2, w.num2);
    row.Put(" ", 1);
    const char *comment = OrEmpty(e->comment);
    row.Put(comment, strlen(comment));
    return row.Finish();
}

}  // namespace zubo::listview

// The JIS shift sequences, shared by the conversions and the console.
#include "kanji/kanji.h"

#include <string.h>

#include "zubo.h"

namespace zubo::kanji {

const KanjiShift kKanjiShiftTable[] = {
    {"(B", SHIFT_SINGLE},
    {"$B", SHIFT_DOUBLE},
    {nullptr, -1},
};

const KanjiShift *MatchShiftSequence(const char *afterEsc) {
    for (const KanjiShift *row = kKanjiShiftTable; row->seq; ++row)
        if (strncmp(afterEsc, row->seq, strlen(row->seq)) == 0) return row;
    return nullptr;
}

}  // namespace zubo::kanji

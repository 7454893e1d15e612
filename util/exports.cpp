// The exported function of the platform-independent utilities: DOS wildcard
// matching. A null pattern or text does not match.
#include "util/wildcard.h"
#include "zubo.h"

extern "C" int32_t ZUBOAPI MatchDosWildcard(const char *pattern, const char *text,
                                            int32_t ignoreCase) {
    if (!pattern || !text) return 0;
    return zubo::util::MatchWildcard(pattern, text, ignoreCase != 0) ? 1 : 0;
}

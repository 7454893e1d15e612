#include "listview/accessible.h"

namespace zubo::listview {
namespace {

constexpr NavigationTarget kRefused = {NavigationTarget::Kind::kRefused, 0};
constexpr NavigationTarget kNothing = {NavigationTarget::Kind::kNone, 0};

NavigationTarget FoundOrNothing(int32_t child, int32_t count) {
    if (child < 1 || child > count) return kNothing;
    return {NavigationTarget::Kind::kFound, child};
}

constexpr uint64_t kDigestSeed = 14695981039346656037ull;  // FNV-1a
constexpr uint64_t kDigestPrime = 1099511628211ull;

uint64_t DigestByte(uint64_t h, unsigned char b) { return (h ^ b) * kDigestPrime; }

uint64_t DigestText(uint64_t h, const char *s) {
    if (s)
        for (; *s; ++s) h = DigestByte(h, static_cast<unsigned char>(*s));
    return DigestByte(h, 0);  // ends each text, so that texts do not run together
}

uint64_t DigestNumber(uint64_t h, int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) h = DigestByte(h, (u >> shift) & 0xFF);
    return h;
}

}  // namespace

NavigationTarget Navigate(int32_t direction, int32_t from, int32_t count) {
    if (!IsChild(from, count)) return kRefused;
    switch (static_cast<Direction>(direction)) {
    case Direction::kFirstChild:
        return from == kListChild ? FoundOrNothing(1, count) : kRefused;
    case Direction::kLastChild:
        return from == kListChild ? FoundOrNothing(count, count) : kRefused;
    case Direction::kDown:
    case Direction::kNext:
        return from == kListChild ? kNothing : FoundOrNothing(from + 1, count);
    case Direction::kUp:
    case Direction::kPrevious:
        return from == kListChild ? kNothing : FoundOrNothing(from - 1, count);
    case Direction::kLeft:
    case Direction::kRight:
        return kNothing;
    }
    return kRefused;
}

SelectPlan PlanSelect(int32_t flags, int32_t target, int32_t anchor, bool anchorMarked,
                      int32_t count) {
    SelectPlan plan = {false, false, 0, -1, false, false};
    const bool take = flags & kTakeSelection, extend = flags & kExtendSelection,
               add = flags & kAddSelection, remove = flags & kRemoveSelection;
    if ((flags & ~0x1F) || (add && remove) || (take && (add || remove || extend)))
        return plan;
    if (target < 0 || target >= count) return plan;
    plan.valid = true;
    plan.moveCursor = flags & kTakeFocus;
    if (take) {
        plan.clearAll = true;
        plan.first = plan.last = target;
        plan.mark = true;
    } else if (extend) {
        // From the anchor to the target, both included; an anchor on the
        // end row reaches the last entry.
        const int32_t from = anchor < count ? anchor : count - 1;
        plan.first = from < target ? from : target;
        plan.last = from < target ? target : from;
        plan.mark = add || (!remove && anchorMarked);
    } else if (add || remove) {
        plan.first = plan.last = target;
        plan.mark = add;
    }
    return plan;
}

uint64_t EntryDigest(const GdirlistEntry *e) {
    uint64_t h = kDigestSeed;
    h = DigestText(h, e->name);
    h = DigestText(h, e->name2);
    h = DigestText(h, e->comment);
    h = DigestNumber(h, e->num1);
    return DigestNumber(h, e->num2);
}

}  // namespace zubo::listview

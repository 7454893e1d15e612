// DOS wildcard matching.
#ifndef ZUBO_UTIL_WILDCARD_H
#define ZUBO_UTIL_WILDCARD_H

namespace zubo::util {

// "*" matches any run of bytes, "?" exactly one, everything else only
// itself (a-z and A-Z alike when ignoreCase is set); the whole text must
// match.
bool MatchWildcard(const char *pattern, const char *text, bool ignoreCase);

}  // namespace zubo::util

#endif

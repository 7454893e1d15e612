// The layout of every public record, as one translation unit sees it, and
// a use of the library through those records. The same listing
// (header_layout_test.inc) is compiled with the natural packing and under
// #pragma pack(1), (2) and (4) set before zubo.h is included.
#ifndef ZUBO_LIBRARY_HEADER_LAYOUT_TEST_H
#define ZUBO_LIBRARY_HEADER_LAYOUT_TEST_H

#include <stddef.h>

#include <string>
#include <utility>
#include <vector>

namespace zubo_test {

using Layout = std::vector<std::pair<std::string, size_t>>;

// Sizes and field offsets of the public records.
Layout LayoutNatural();
Layout LayoutUnderPack1();
Layout LayoutUnderPack2();
Layout LayoutUnderPack4();

// Reads back, through the records, what the library wrote into them: an
// entry's fields, and on Windows a memory DC's info through its operation
// table. "ok", or what went wrong.
std::string UseNatural();
std::string UseUnderPack1();
std::string UseUnderPack2();
std::string UseUnderPack4();

}  // namespace zubo_test

#endif

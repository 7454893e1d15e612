// The public records under a host's #pragma pack(2).
#pragma pack(2)
#include "zubo.h"
#define ZUBO_LAYOUT_NAME LayoutUnderPack2
#define ZUBO_USE_NAME UseUnderPack2
#include "library/header_layout_test.inc"

// The public records under a host's #pragma pack(4).
#pragma pack(4)
#include "zubo.h"
#define ZUBO_LAYOUT_NAME LayoutUnderPack4
#define ZUBO_USE_NAME UseUnderPack4
#include "library/header_layout_test.inc"

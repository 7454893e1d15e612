// The public records under a host's #pragma pack(1).
#pragma pack(1)
#include "zubo.h"
#define ZUBO_LAYOUT_NAME LayoutUnderPack1
#define ZUBO_USE_NAME UseUnderPack1
#include "library/header_layout_test.inc"

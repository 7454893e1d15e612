// The console's default escape procedure.
#ifndef ZUBO_CONSOLE_ANSI_H
#define ZUBO_CONSOLE_ANSI_H

#include <stdint.h>

#include "console/consout.h"

namespace zubo::console {

// A small subset of ANSI control sequences: ESC [ n A/B/C/D, ESC [ H,
// ESC [ r;c H/f, ESC [ 2 J, ESC [ K and ESC [ ... m. Called with the bytes
// collected so far (ESC first); 0 asks for more, anything else ends the
// sequence. New consoles have it installed; Consout_ESCProc_ANSI hands it
// to hosts.
int32_t ZUBOAPI AnsiEscapeProc(Consout *c, const uint8_t *bytes, int32_t count,
                               ZuboUserValue user);

}  // namespace zubo::console

#endif

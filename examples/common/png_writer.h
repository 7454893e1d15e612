// Writes 24-bit RGB PNG images (the screenshots of the example hosts).
#ifndef ZUBO_EXAMPLES_PNG_WRITER_H
#define ZUBO_EXAMPLES_PNG_WRITER_H

#include <stddef.h>
#include <stdint.h>

// Pixels are 32-bit BGRX values (the layout of a 32-bit DIB section), rows
// top first, `stride` bytes apart. Returns true when the file was written.
bool WritePngBgrx(const char *path, int width, int height, const uint8_t *pixels,
                  size_t stride);

#endif

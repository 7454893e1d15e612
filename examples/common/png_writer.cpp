#include "png_writer.h"

#include <stdio.h>
#include <string.h>
#include <zlib.h>

#include <vector>

namespace {

void Put32(std::vector<uint8_t> *out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(v >> shift));
}

void Chunk(std::vector<uint8_t> *out, const char *type, const std::vector<uint8_t> &data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data.begin(), data.end());
    const uLong crc = crc32(0, out->data() + start, static_cast<uInt>(out->size() - start));
    Put32(out, static_cast<uint32_t>(crc));
}

}  // namespace

bool WritePngBgrx(const char *path, int width, int height, const uint8_t *pixels,
                  size_t stride) {
    if (width <= 0 || height <= 0 || !pixels) return false;
    // Each row: filter byte 0, then RGB.
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = pixels + static_cast<size_t>(y) * stride;
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            raw.push_back(row[4 * x + 2]);
            raw.push_back(row[4 * x + 1]);
            raw.push_back(row[4 * x + 0]);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) !=
        Z_OK)
        return false;
    packed.resize(packedSize);

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(&header, static_cast<uint32_t>(width));
    Put32(&header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    Chunk(&file, "IHDR", header);
    Chunk(&file, "IDAT", packed);
    Chunk(&file, "IEND", {});

    FILE *f = fopen(path, "wb");
    if (!f) return false;
    const bool ok = fwrite(file.data(), 1, file.size(), f) == file.size();
    return fclose(f) == 0 && ok;
}

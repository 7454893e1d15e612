// The list line parser on arbitrary lines: the exported parser with
// buffers exactly as large as the line, and the bounded parser with small
// buffers, which must never write past them.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "recordlist/listline.h"
#include "zubo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) return 0;
    // The first bytes choose the caps of the bounded parser.
    const size_t caps[3] = {1u + data[0] % 40, 1u + data[1] % 40, 1u + data[2] % 40};
    data += 3;
    size -= 3;
    char *line = static_cast<char *>(malloc(size + 1));
    memcpy(line, data, size);
    line[size] = '\0';
    const size_t room = strlen(line) + 1;
    char *name = static_cast<char *>(malloc(room));
    char *name2 = static_cast<char *>(malloc(room > 7 ? room : 7));  // "(none)"
    char *comment = static_cast<char *>(malloc(room));
    int32_t n1 = 0, n2 = 0;
    const int32_t r = SplitGdirlistLine(line, name, name2, &n1, &n2, comment);
    if (r < -1 || r > 1) abort();

    char *a = static_cast<char *>(malloc(caps[0]));
    char *b = static_cast<char *>(malloc(caps[1]));
    char *c = static_cast<char *>(malloc(caps[2]));
    const int32_t rb =
        zubo::recordlist::SplitListLine(line, a, caps[0], b, caps[1], &n1, &n2, c, caps[2]);
    if (rb != r) abort();  // cutting texts never changes the verdict
    if (rb == 1 && (strlen(a) >= caps[0] || strlen(b) >= caps[1] || strlen(c) >= caps[2]))
        abort();
    if (rb == 1 && strncmp(a, name, caps[0] - 1) != 0) abort();
    free(a);
    free(b);
    free(c);
    free(name);
    free(name2);
    free(comment);
    free(line);
    return 0;
}

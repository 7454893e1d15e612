#include "memorydc/object_win32.h"

#include <string.h>

#include "library/alloc.h"

namespace zubo::memorydc {
namespace {

int32_t ZUBOAPI DefaultRelease(MemoryDC *object) {
    FreeObject(object);
    return 1;
}

int32_t ZUBOAPI DefaultGetInfo(MemoryDC *, MemoryDCInfo *info) {
    if (info) info->mask = 0;
    return 0;
}

// One do-nothing function for each slot's own type, so that every default
// is called through exactly the type it was defined with.
template <typename R, typename... Args>
R ZUBOAPI DoNothing(MemoryDC *, Args...) {
    return R();
}

template <typename R, typename... Args>
void SetDoNothing(R(ZUBOAPI *&slot)(MemoryDC *, Args...)) {
    slot = &DoNothing<R, Args...>;
}

void FillDefaults(MemoryDCOperations &ops) {
    ops.Release = &DefaultRelease;
    ops.GetInfo = &DefaultGetInfo;
    SetDoNothing(ops.Reserved3);
    SetDoNothing(ops.Reserved4);
    SetDoNothing(ops.Reserved5);
    SetDoNothing(ops.BltFrom);
    SetDoNothing(ops.StretchBltTo);
    SetDoNothing(ops.BltTo);
    SetDoNothing(ops.SetColorTable);
    SetDoNothing(ops.GetColorTable);
    SetDoNothing(ops.GetHDC);
    SetDoNothing(ops.Reserved12);
    SetDoNothing(ops.GetInfo2);
    SetDoNothing(ops.Reserved14);
    SetDoNothing(ops.Resize);
}

}  // namespace

MemoryDC *NewObject(uint32_t type, size_t size) {
    if (size < sizeof(MemoryDC)) return nullptr;
    void *block = Allocate(size);
    if (!block) return nullptr;
    memset(block, 0, size);
    MemoryDC *object = static_cast<MemoryDC *>(block);
    object->type = type;
    FillDefaults(object->ops);
    return object;
}

void FreeObject(MemoryDC *object) { free(object); }

}  // namespace zubo::memorydc

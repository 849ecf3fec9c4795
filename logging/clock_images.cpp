#include "logging/clock_images.h"

namespace {

void ReplaceImage(const ClockImageOps& ops, int slot, void* bitmap) {
    void* old = ops.current(ops.context, slot);
    ops.show(ops.context, slot, bitmap);
    if (old && old != bitmap) ops.destroy(ops.context, old);
}

}  // namespace

void ApplyClockPlan(const ClockPlan& plan, const ClockImageOps& ops) {
    for (int i = 0; i < plan.swapCount; ++i) {
        const ImageSwap& swap = plan.swaps[i];
        ReplaceImage(ops, swap.slot, ops.load(ops.context, swap.name));
    }
    if (plan.titleChanged) ops.setTitle(ops.context, plan.title.c_str());
}

void ReleaseClockImages(const ClockImageOps& ops) {
    for (int slot = 0; slot < kClockSlots; ++slot) ReplaceImage(ops, slot, nullptr);
}

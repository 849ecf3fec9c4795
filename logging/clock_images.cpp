#include "logging/clock_images.h"

namespace {

void ReplaceImage(const ClockImageOps& ops, int slot, void* bitmap) {
    void* old = ops.Current(ops.Context, slot);
    ops.Show(ops.Context, slot, bitmap);
    if (old && old != bitmap) ops.Destroy(ops.Context, old);
}

}  // namespace

void ApplyClockPlan(const ClockPlan& plan, const ClockImageOps& ops) {
    for (int i = 0; i < plan.SwapCount; ++i) {
        const ImageSwap& swap = plan.Swaps[i];
        ReplaceImage(ops, swap.Slot, ops.Load(ops.Context, swap.Name));
    }
    if (plan.TitleChanged) ops.SetTitle(ops.Context, plan.Title.c_str());
}

void ReleaseClockImages(const ClockImageOps& ops) {
    for (int slot = 0; slot < kClockSlots; ++slot) ReplaceImage(ops, slot, nullptr);
}

#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

namespace idrovela::Module_Calcoli {

// The first step in [1, maxSteps] at which `stops` holds, for a `stops` that holds at every step
// after the first one where it does; nothing when no step up to maxSteps stops. From a guess in
// [1, maxSteps], it gallops away with strides 1, 2, 4, ... until one step that does not stop
// (or step 0) lies below one that does, then bisects between them: a right guess costs two
// calls, a guess g steps off about 2 log2(g) more.
template <typename Stops>
[[nodiscard]] std::optional<std::int64_t> FirstStoppingStep(std::int64_t guess,
                                                            std::int64_t maxSteps, Stops stops) {
    std::int64_t below = 0;
    std::int64_t above = guess;
    if (stops(above)) {
        for (std::int64_t stride = 1;; stride *= 2) {
            const std::int64_t step = above - stride;
            if (step < 1) {
                break;
            }
            if (!stops(step)) {
                below = step;
                break;
            }
            above = step;
        }
    } else {
        below = guess;
        for (std::int64_t stride = 1;; stride *= 2) {
            if (below == maxSteps) {
                return std::nullopt;
            }
            const std::int64_t step = std::min(below + stride, maxSteps);
            if (stops(step)) {
                above = step;
                break;
            }
            below = step;
        }
    }
    while (above - below > 1) {
        const std::int64_t middle = below + (above - below) / 2;
        (stops(middle) ? above : below) = middle;
    }
    return above;
}

}  // namespace idrovela::Module_Calcoli

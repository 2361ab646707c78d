#include "circuit/emitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "maths/maths.h"

namespace idrovela::circuit {

namespace {

// Newton's method and bisection together take far fewer: bisection alone narrows any bracket of
// temperatures to two neighbouring doubles within about 1100 halvings, the span of the doubles'
// exponents, and Newton's steps only ever narrow it further.
constexpr int kMaxSteps = 1200;

// A value, and its slope, of a function that grows across its bracket.
struct Point {
    double value;
    double slope;
};

// The root of `function` between `low` and `high`, where it is below zero at `low` and above at
// `high`, from `start`. Each step is Newton's while it lands strictly inside the bracket, which
// every evaluation narrows, and else a bisection; it stops at an exact zero, at a value within
// `tolerance` of it, when a step no longer moves, or when the bracket holds no double between its
// ends. Of the points worked out, the one of the smallest value in magnitude.
template <typename Function>
double SafeguardedNewton(double low, double high, double start, double tolerance,
                         Function function) {
    double at = start > low && start < high ? start : low + (high - low) / 2.0;
    double best = at;
    double bestValue = std::numeric_limits<double>::infinity();
    for (int step = 0; step < kMaxSteps; ++step) {
        const Point point = function(at);
        if (std::fabs(point.value) < bestValue) {
            best = at;
            bestValue = std::fabs(point.value);
        }
        if (point.value == 0.0 || bestValue <= tolerance) {
            break;
        }
        if (point.value < 0.0) {
            low = at;
        } else {
            high = at;
        }
        double next = at - point.value / point.slope;
        if (!(next > low && next < high)) {
            next = low + (high - low) / 2.0;
        }
        if (next == at || !(next > low && next < high)) {
            break;
        }
        at = next;
    }
    return best;
}

// t − log1p(t) over log1p(t)²: the slope of ΔTln against θr, with t = (θf − θr)/(θr − θi). Near
// t = 0 the difference cancels, and its series stands in.
double ExcessSlope(double t, double log1pT) {
    if (t == 0.0) {
        return 0.5;
    }
    constexpr double kSeriesBelow = 1e-3;
    const double difference = t < kSeriesBelow ? t * t * (0.5 - t / 3.0 + t * t / 4.0) : t - log1pT;
    return difference / (log1pT * log1pT);
}

// ΔTln of water cooled by `cooling` to `aboveRoom` over the room, and its slope against the
// return.
Point ExcessOf(double cooling, double aboveRoom) {
    if (cooling == 0.0) {
        return {aboveRoom, 0.5};
    }
    const double t = cooling / aboveRoom;
    const double log1pT = maths::Log1p(t);
    return {cooling / log1pT, ExcessSlope(t, log1pT)};
}

// Where Newton's method starts for the return at which ΔTln is `excess`, as its distance above
// the room: the log mean is close to (2·√(a·b) + (a + b)/2)/3 of the excesses a and b at inlet
// and outlet, which solves for b by a square root; below a sixth of the inlet excess that form
// has no root, and the log mean is close to a/ln(a/b) instead.
double StartAboveRoom(double inletExcess, double excess) {
    if (excess > inletExcess / 6.0) {
        const double root =
            std::sqrt(3.0 * inletExcess + 6.0 * excess) - 2.0 * std::sqrt(inletExcess);
        return root * root;
    }
    return inletExcess * maths::Exp(-inletExcess / excess);
}

// One unit in the last place of the ΔTln worked out: within a few of them the value is as exact as
// its own rounding lets it be.
constexpr double kUlp = std::numeric_limits<double>::epsilon();

}  // namespace

double LogMeanExcessK(double supplyC, double returnC, double roomC) {
    return ExcessOf(supplyC - returnC, returnC - roomC).value;
}

double RatingLogMeanExcessK() {
    return LogMeanExcessK(kRatingSupplyC, kRatingReturnC, kRatingRoomC);
}

double EmitterOutputW(const Emitter& emitter, double supplyC, double returnC) {
    const double excess = LogMeanExcessK(supplyC, returnC, emitter.roomC);
    return emitter.nominalW * maths::Pow(excess / RatingLogMeanExcessK(), emitter.exponent);
}

double ExcessForLoadK(const Emitter& emitter, double loadW) {
    return RatingLogMeanExcessK() * maths::Pow(loadW / emitter.nominalW, 1.0 / emitter.exponent);
}

std::optional<double> ReturnForLoad(const Emitter& emitter, double supplyC, double loadW) {
    return ReturnForExcess(supplyC, emitter.roomC, ExcessForLoadK(emitter, loadW));
}

std::optional<double> ReturnForExcess(double supplyC, double roomC, double excessK) {
    const double inletExcess = supplyC - roomC;
    if (!(inletExcess > 0.0) || !(excessK < inletExcess) || !(excessK > 0.0)) {
        return std::nullopt;
    }
    // Worked out as the return's excess over the room, which the doubles hold finely however
    // near the room it is, and added to the room's temperature once.
    const double aboveRoom =
        SafeguardedNewton(0.0, inletExcess, StartAboveRoom(inletExcess, excessK),
                          4.0 * kUlp * excessK, [&](double above) {
                              const Point point = ExcessOf(inletExcess - above, above);
                              return Point{point.value - excessK, point.slope};
                          });
    return roomC + aboveRoom;
}

double ReturnAtCapacity(const Emitter& emitter, double supplyC, double capacityWK) {
    const double inletExcess = supplyC - emitter.roomC;
    const double rating = RatingLogMeanExcessK();
    const double aboveRoom = SafeguardedNewton(
        0.0, inletExcess, inletExcess / 2.0, 4.0 * kUlp * capacityWK * inletExcess,
        [&](double above) {
            const double cooling = inletExcess - above;
            const Point excess = ExcessOf(cooling, above);
            const double output =
                emitter.nominalW * maths::Pow(excess.value / rating, emitter.exponent);
            const double slope = output * emitter.exponent * excess.slope / excess.value;
            return Point{output - capacityWK * cooling, slope + capacityWK};
        });
    return emitter.roomC + aboveRoom;
}

double SupplyForLoad(const Emitter& emitter, double loadW, double dropK) {
    return SupplyForExcess(emitter.roomC, ExcessForLoadK(emitter, loadW), dropK);
}

double SupplyForExcess(double roomC, double excessK, double dropK) {
    const double inletExcess = dropK / (1.0 - maths::Exp(-dropK / excessK));
    return roomC + inletExcess;
}

Emitter EmitterFromModel(const catalogues::EmitterModel& model, std::int64_t sections,
                         double roomC) {
    Emitter emitter;
    emitter.nominalW = static_cast<double>(sections) * model.sectionW;
    emitter.exponent = model.exponent;
    emitter.roomC = roomC;
    emitter.contentL = static_cast<double>(sections) * model.sectionL;
    emitter.model = model.name;
    emitter.sections = sections;
    return emitter;
}

std::optional<std::int64_t> ProposedSections(const catalogues::EmitterModel& model, double loadW,
                                             double supplyC, double dropK, double roomC) {
    const double returnC = supplyC - dropK;
    if (!(returnC > roomC) || !(loadW > 0.0)) {
        return std::nullopt;
    }
    // Each section's share of the rating at these temperatures, as EmitterOutputW works it out.
    const double share = maths::Pow(
        LogMeanExcessK(supplyC, returnC, roomC) / RatingLogMeanExcessK(), model.exponent);
    const auto gives = [&](std::int64_t sections) {
        return static_cast<double>(sections) * model.sectionW * share >= loadW;
    };
    // Rounding can leave the estimate one off either way.
    const double estimate = std::ceil(loadW / (model.sectionW * share));
    if (!(estimate <= static_cast<double>(kMaxSections + 1))) {
        return std::nullopt;
    }
    auto sections = std::max<std::int64_t>(1, static_cast<std::int64_t>(estimate));
    while (sections > 1 && gives(sections - 1)) {
        --sections;
    }
    while (sections <= kMaxSections && !gives(sections)) {
        ++sections;
    }
    if (sections > kMaxSections) {
        return std::nullopt;
    }
    return sections;
}

}  // namespace idrovela::circuit

#pragma once

// A heating emitter's output, and the temperatures at which it gives a load.
//
// Catalogues give an emitter's output Φn at the standard rating: water entering at 75 °C and
// leaving at 65 °C in a room at 20 °C. At other temperatures its output follows its
// characteristic
//
//   Φ = Φn·(ΔTln/ΔTln,n)^n,   ΔTln = (θf − θr)/log1p((θf − θr)/(θr − θi))
//
// with ΔTln the log-mean excess of the water over the room (the same as
// (θf − θr)/ln((θf − θi)/(θr − θi)), written so that it does not cancel as θr nears θf, where it
// tends to θf − θi) and ΔTln,n its value at the rating, 10/ln(55/45) = 49,83289 K. The log mean,
// not the arithmetic one: the arithmetic mean (θf + θr)/2 − θi overstates the output more and
// more as the return nears the room's temperature.
//
// Every figure is worked out with the program's own correctly rounded Log1p, Exp and Pow.

#include <cstdint>
#include <optional>

#include "catalogues/catalogue.h"
#include "circuit/circuit.h"

namespace idrovela::circuit {

// The standard rating, °C.
inline constexpr double kRatingSupplyC = 75.0;
inline constexpr double kRatingReturnC = 65.0;
inline constexpr double kRatingRoomC = 20.0;

// ΔTln of water entering at θf and leaving at θr in a room at θi, in K; θf − θi where θr = θf.
// For θi < θr ≤ θf.
[[nodiscard]] double LogMeanExcessK(double supplyC, double returnC, double roomC);

// ΔTln,n: LogMeanExcessK at the rating, 10/log1p(10/45), so that the emitter gives exactly Φn
// there.
[[nodiscard]] double RatingLogMeanExcessK();

// Φ in W of water entering at θf and leaving at θr in the emitter's room; for θi < θr ≤ θf.
[[nodiscard]] double EmitterOutputW(const Emitter& emitter, double supplyC, double returnC);

// The log-mean excess at which the emitter gives `loadW`: ΔTln,n·(Φ/Φn)^(1/n).
[[nodiscard]] double ExcessForLoadK(const Emitter& emitter, double loadW);

// The return θr, between θi and θf, at which water entering at θf gives `loadW` (above 0): unique,
// as Φ grows with θr. None when no return would: the load needs an excess of θf − θi or more,
// or θf is not above θi. Found by Newton's method on ΔTln, kept within a bracket that every step
// narrows and falling back to bisection, in a bounded number of steps: the double at which the
// output crosses the load, Φ(θr) within 1e-12 of it wherever one step of θr moves Φ by less.
[[nodiscard]] std::optional<double> ReturnForLoad(const Emitter& emitter, double supplyC,
                                                  double loadW);
// The same for the log-mean excess the load needs (ExcessForLoadK), in a room at θi.
[[nodiscard]] std::optional<double> ReturnForExcess(double supplyC, double roomC, double excessK);

// The return at which the emitter's output equals what a flow of heat capacity ρ·c_p·V̇
// (`capacityWK`, W/K, above 0) gives up between θf and θr: the heat balance
// Φ(θr) = capacity·(θf − θr), found as ReturnForLoad finds its return. θf must be above θi.
[[nodiscard]] double ReturnAtCapacity(const Emitter& emitter, double supplyC, double capacityWK);

// The supply θf at which the emitter gives `loadW` with a cooling of `dropK` (above 0):
// θi + x with x = Δ/(1 − e^(−Δ/ΔTln)), the log mean solved for the supply.
[[nodiscard]] double SupplyForLoad(const Emitter& emitter, double loadW, double dropK);
// The same for the log-mean excess the load needs, in a room at θi.
[[nodiscard]] double SupplyForExcess(double roomC, double excessK, double dropK);

// An emitter of `sections` sections of a catalogue model, in a room at θi: Φn and the water
// content are the model's per section times the sections, n is the model's.
[[nodiscard]] Emitter EmitterFromModel(const catalogues::EmitterModel& model, std::int64_t sections,
                                       double roomC);

// The fewest sections of a model that give `loadW` (above 0) at the supply θf with a cooling of
// at least `dropK`, in a room at θi: none where even kMaxSections would not, or θf − Δ is not
// above θi.
[[nodiscard]] std::optional<std::int64_t> ProposedSections(const catalogues::EmitterModel& model,
                                                           double loadW, double supplyC,
                                                           double dropK, double roomC);

}  // namespace idrovela::circuit

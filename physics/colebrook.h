#pragma once

// The Darcy friction factor lambda of Colebrook-White,
//     1/√λ = −2·log10(r/3,7 + 2,51/(Re·√λ)),   r = ε/D,
// with exactly these constants.

namespace idrovela::physics {

// Smallest and largest Reynolds number ColebrookLambda accepts.
inline constexpr double kColebrookMinReynolds = 1e-100;
inline constexpr double kColebrookMaxReynolds = 1e100;
// Smallest Reynolds number ClamondLambda accepts: below it the method departs from the root.
inline constexpr double kClamondMinReynolds = 10.0;
// The equation has a root only for r below this.
inline constexpr double kColebrookRoughnessLimit = 3.7;

// The root, to within an ulp: Clamond's start, polished by a Newton step whose residual keeps
// about 32 digits. Re from kColebrookMinReynolds to kColebrookMaxReynolds, 0 ≤ r < 3,7;
// PhysicsError otherwise.
[[nodiscard]] double ColebrookLambda(double reynolds, double relativeRoughness);

// Clamond's method as published: two of his iterations, nothing more (to about 16 ulp), kept to
// compare against. Re from kClamondMinReynolds to kColebrookMaxReynolds, 0 ≤ r < 3,7;
// PhysicsError otherwise, and where the iterations give no positive root (r within an ulp or two
// of 3,7).
[[nodiscard]] double ClamondLambda(double reynolds, double relativeRoughness);

}  // namespace idrovela::physics

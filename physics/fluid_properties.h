#pragma once

namespace idrovela::physics {

// What the pipe-flow figures need of a liquid.
struct FluidProperties {
    double densityKgM3 = 0.0;
    double viscosityMPaS = 0.0;  // dynamic viscosity
};

}  // namespace idrovela::physics

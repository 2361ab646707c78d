#pragma once

namespace idrovela::physics {

// What the pipe-flow and heat figures need of a liquid.
struct FluidProperties {
    double densityKgM3 = 0.0;
    double viscosityMPaS = 0.0;     // dynamic viscosity
    double specificHeatJKgK = 0.0;  // isobaric specific heat c_p, J/(kg·K)
};

}  // namespace idrovela::physics

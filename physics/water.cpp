#include "physics/water.h"

#include <string>

#include "physics/decimal_text.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"

namespace idrovela::physics {

namespace {
constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr double kMPaSPerPaS = 1000.0;
constexpr double kJPerKJ = 1000.0;
}  // namespace

FluidProperties Water(double celsius) {
    RequireFinite(celsius, "Temperatura dell'acqua");
    if (celsius < kWaterMinCelsius || celsius > kWaterMaxCelsius) {
        throw PhysicsError("Temperatura dell'acqua: il valore " + QuantityText(celsius, "°C") +
                           " è fuori campo; i dati coprono 0–99 °C.");
    }
    const double temperatureK = celsius + kKelvinAtZeroCelsius;
    const double density = 1.0 / Region1SpecificVolume(temperatureK, kAtmosphereMPa);
    const double viscosity = WaterViscosityPaS(temperatureK, density) * kMPaSPerPaS;
    const double specificHeat = Region1SpecificHeatKJKgK(temperatureK, kAtmosphereMPa) * kJPerKJ;
    return {density, viscosity, specificHeat};
}

}  // namespace idrovela::physics

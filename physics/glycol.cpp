#include "physics/glycol.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "maths/maths.h"
#include "physics/decimal_text.h"
#include "physics/glycol_tables.h"
#include "physics/input_checks.h"
#include "physics/physics_error.h"

namespace idrovela::physics {

namespace {

namespace gt = glycol_tables;

struct GlycolData {
    const gt::Table& density;
    const gt::Table& viscosity;
    const gt::Table& specificHeat;
    std::span<const gt::FreezingPoint> freezing;
};

GlycolData DataOf(Glycol glycol) {
    if (glycol == Glycol::Propilenico) {
        return {gt::kPropyleneDensity, gt::kPropyleneViscosity, gt::kPropyleneSpecificHeat,
                gt::kPropyleneFreezing};
    }
    return {gt::kEthyleneDensity, gt::kEthyleneViscosity, gt::kEthyleneSpecificHeat,
            gt::kEthyleneFreezing};
}

// The interpolation takes the grid to be even and the freezing curves to rise in concentration;
// the data files are checked for both as the program is built.
template <std::size_t N>
constexpr bool EvenGrid(const std::array<double, N>& lines, double first, double step) {
    for (std::size_t k = 0; k < N; ++k) {
        if (lines[k] != first + static_cast<double>(k) * step) {
            return false;
        }
    }
    return step > 0.0;
}
static_assert(EvenGrid(gt::kGridCelsius, gt::kFirstCelsius, gt::kCelsiusStep));
static_assert(EvenGrid(gt::kGridVolumePercent, gt::kFirstVolumePercent, gt::kVolumePercentStep));
static_assert(gt::kGridCelsius.front() == kGlycolMinCelsius &&
              gt::kGridCelsius.back() == kGlycolMaxCelsius);
static_assert(gt::kGridVolumePercent.front() == kGlycolMinVolumePercent &&
              gt::kGridVolumePercent.back() == kGlycolMaxVolumePercent);

template <std::size_t N>
constexpr bool RisingCurve(const std::array<gt::FreezingPoint, N>& points) {
    for (std::size_t k = 1; k < N; ++k) {
        if (!(points[k].volumePercent > points[k - 1].volumePercent)) {
            return false;
        }
    }
    return N >= 2;
}
static_assert(RisingCurve(gt::kEthyleneFreezing) && RisingCurve(gt::kPropyleneFreezing));

// The message of a frozen state names the first temperature with data: in every column the
// frozen cells are the coldest ones, and each column holds data.
constexpr bool FrozenOnlyBelowTheData(const gt::Table& table) {
    for (std::size_t c = 0; c < gt::kConcentrations; ++c) {
        bool data = false;
        for (std::size_t t = 0; t < gt::kTemperatures; ++t) {
            if (data && !table[t][c]) {
                return false;
            }
            data = data || table[t][c];
        }
        if (!data) {
            return false;
        }
    }
    return true;
}
static_assert(FrozenOnlyBelowTheData(gt::kEthyleneDensity) &&
              FrozenOnlyBelowTheData(gt::kEthyleneViscosity) &&
              FrozenOnlyBelowTheData(gt::kEthyleneSpecificHeat) &&
              FrozenOnlyBelowTheData(gt::kPropyleneDensity) &&
              FrozenOnlyBelowTheData(gt::kPropyleneViscosity) &&
              FrozenOnlyBelowTheData(gt::kPropyleneSpecificHeat));

// Where a value lies on an even grid: the grid line at or below it and the weight of the next
// line, in [0, 1). Weight 0 is exactly on the line: then only that line is used.
struct GridPosition {
    std::size_t index = 0;
    double weight = 0.0;
};

GridPosition PositionOn(double value, double first, double step, std::size_t lines) {
    const double steps = std::floor((value - first) / step);
    std::size_t index = std::min(static_cast<std::size_t>(std::max(steps, 0.0)), lines - 1);
    // The division may round up to the next line from just below it.
    while (index > 0 && value < first + static_cast<double>(index) * step) {
        --index;
    }
    const double below = first + static_cast<double>(index) * step;
    return {index, (value - below) / step};
}

// The grid lines a position uses: one, or the line and the next.
std::size_t LinesUsed(GridPosition position) {
    return position.weight > 0.0 ? 2 : 1;
}

// The table interpolated linearly in temperature, then in concentration, on the values or (for
// the viscosity) their logarithms. Empty when a cell it uses is frozen. A grid point is returned
// as it stands.
std::optional<double> Interpolate(const gt::Table& table, GridPosition temperature,
                                  GridPosition concentration, bool inLogarithm) {
    std::array<double, 2> alongTemperature{};
    for (std::size_t c = 0; c < LinesUsed(concentration); ++c) {
        std::array<double, 2> cells{};
        for (std::size_t t = 0; t < LinesUsed(temperature); ++t) {
            const std::optional<double> cell =
                table[temperature.index + t][concentration.index + c];
            if (!cell) {
                return std::nullopt;
            }
            cells[t] = *cell;
        }
        if (LinesUsed(temperature) == 1 && LinesUsed(concentration) == 1) {
            return cells[0];
        }
        if (inLogarithm) {
            cells[0] = maths::Log(cells[0]);
            cells[1] = maths::Log(cells[1]);
        }
        double value = cells[0];
        if (temperature.weight > 0.0) {
            value = value + temperature.weight * (cells[1] - cells[0]);
        }
        alongTemperature[c] = value;
    }
    double value = alongTemperature[0];
    if (concentration.weight > 0.0) {
        value = value + concentration.weight * (alongTemperature[1] - alongTemperature[0]);
    }
    return inLogarithm ? maths::Exp(value) : value;
}

// The lowest temperature from which all three tables hold values in every concentration column
// the position uses.
double DataStartCelsius(const GlycolData& data, GridPosition concentration) {
    std::size_t firstRow = 0;
    for (std::size_t c = 0; c < LinesUsed(concentration); ++c) {
        for (const gt::Table* table : {&data.density, &data.viscosity, &data.specificHeat}) {
            std::size_t row = 0;
            while (row < gt::kTemperatures && !(*table)[row][concentration.index + c]) {
                ++row;
            }
            firstRow = std::max(firstRow, row);
        }
    }
    return gt::kFirstCelsius + static_cast<double>(firstRow) * gt::kCelsiusStep;
}

std::string Capitalised(std::string_view name) {
    std::string text(name);
    if (!text.empty()) {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

void CheckConcentration(Glycol glycol, double volumePercent, double low, double high,
                        std::string_view holds) {
    RequireFinite(volumePercent, "Concentrazione di glicole");
    if (volumePercent < low || volumePercent > high) {
        throw PhysicsError("Concentrazione di " + std::string(GlycolName(glycol)) + ": il valore " +
                           QuantityText(volumePercent, "% in volume") + " è fuori tabella; " +
                           std::string(holds) + " tra " + DecimalText(low) + " e " +
                           QuantityText(high, "% in volume") + ".");
    }
}

}  // namespace

std::string_view GlycolName(Glycol glycol) {
    switch (glycol) {
        case Glycol::Etilenico:
            return "glicole etilenico";
        case Glycol::Propilenico:
            return "glicole propilenico";
    }
    return "";
}

FluidProperties GlycolMixture(Glycol glycol, double volumePercent, double celsius) {
    CheckConcentration(glycol, volumePercent, kGlycolMinVolumePercent, kGlycolMaxVolumePercent,
                       "i dati coprono la concentrazione");
    RequireFinite(celsius, "Temperatura della miscela");
    if (celsius < kGlycolMinCelsius || celsius > kGlycolMaxCelsius) {
        throw PhysicsError("Temperatura della miscela: il valore " + QuantityText(celsius, "°C") +
                           " è fuori tabella; i dati coprono la temperatura tra " +
                           DecimalText(kGlycolMinCelsius) + " e " +
                           QuantityText(kGlycolMaxCelsius, "°C") + ".");
    }

    const GlycolData data = DataOf(glycol);
    const GridPosition temperature =
        PositionOn(celsius, gt::kFirstCelsius, gt::kCelsiusStep, gt::kTemperatures);
    const GridPosition concentration = PositionOn(volumePercent, gt::kFirstVolumePercent,
                                                  gt::kVolumePercentStep, gt::kConcentrations);
    const std::optional<double> density =
        Interpolate(data.density, temperature, concentration, false);
    const std::optional<double> viscosity =
        Interpolate(data.viscosity, temperature, concentration, true);
    const std::optional<double> specificHeat =
        Interpolate(data.specificHeat, temperature, concentration, false);
    if (!density || !viscosity || !specificHeat) {
        throw PhysicsError(Capitalised(GlycolName(glycol)) + " al " +
                           QuantityText(volumePercent, "% in volume") + " a " +
                           QuantityText(celsius, "°C") +
                           ": la miscela è troppo vicina al congelamento per i dati; a " +
                           QuantityText(volumePercent, "% in volume") + " i dati partono da " +
                           QuantityText(DataStartCelsius(data, concentration), "°C") + ".");
    }
    return {*density, *viscosity, *specificHeat};
}

double GlycolFreezingPointC(Glycol glycol, double volumePercent) {
    RequireFinite(volumePercent, "Concentrazione di glicole");
    const std::span<const gt::FreezingPoint> points = DataOf(glycol).freezing;
    const gt::FreezingPoint& last = points.back();
    if (volumePercent > last.volumePercent) {
        throw PhysicsError(Capitalised(GlycolName(glycol)) + " al " +
                           QuantityText(volumePercent, "% in volume") +
                           ": la fonte non dà il punto di congelamento oltre il " +
                           QuantityText(last.volumePercent, "% in volume") + ".");
    }
    CheckConcentration(glycol, volumePercent, points.front().volumePercent, last.volumePercent,
                       "il punto di congelamento è dato");
    std::size_t k = 0;
    while (k + 1 < points.size() && volumePercent >= points[k + 1].volumePercent) {
        ++k;
    }
    if (volumePercent == points[k].volumePercent) {
        return points[k].celsius;
    }
    const double weight = (volumePercent - points[k].volumePercent) /
                          (points[k + 1].volumePercent - points[k].volumePercent);
    return points[k].celsius + weight * (points[k + 1].celsius - points[k].celsius);
}

}  // namespace idrovela::physics

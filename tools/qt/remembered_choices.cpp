#include "tools/qt/remembered_choices.h"

#include <QSettings>
#include <QString>
#include <cmath>

namespace idrovela::tools::qt {

namespace {

const char* KindName(FluidKind kind) {
    switch (kind) {
        case FluidKind::Etilenico:
            return "etilenico";
        case FluidKind::Propilenico:
            return "propilenico";
        case FluidKind::Acqua:
            break;
    }
    return "acqua";
}

std::optional<double> FiniteNumber(const QSettings& settings, const char* key) {
    bool ok = false;
    const double value = settings.value(QString::fromLatin1(key)).toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

std::optional<FluidChoice> RememberedFluid(const QSettings& settings) {
    const auto kind =
        FluidKindNamed(settings.value(QStringLiteral("fluid/kind")).toString().toStdString());
    const auto percent = FiniteNumber(settings, "fluid/volumePercent");
    const auto celsius = FiniteNumber(settings, "fluid/celsius");
    if (!kind || !percent || !celsius) {
        return std::nullopt;
    }
    return FluidChoice{*kind, *percent, *celsius};
}

void RememberFluid(QSettings& settings, const FluidChoice& choice) {
    settings.setValue(QStringLiteral("fluid/kind"), QString::fromLatin1(KindName(choice.kind)));
    settings.setValue(QStringLiteral("fluid/volumePercent"), choice.volumePercent);
    settings.setValue(QStringLiteral("fluid/celsius"), choice.celsius);
}

std::optional<PipeLimits> RememberedLimits(const QSettings& settings) {
    const auto loss = FiniteNumber(settings, "pipeTable/maxPascalPerMetre");
    const auto velocity = FiniteNumber(settings, "pipeTable/maxVelocityMs");
    if (!loss || !velocity || *loss < 0 || *velocity < 0) {
        return std::nullopt;
    }
    return PipeLimits{*loss, *velocity};
}

void RememberLimits(QSettings& settings, const PipeLimits& limits) {
    settings.setValue(QStringLiteral("pipeTable/maxPascalPerMetre"), limits.pascalPerMetre);
    settings.setValue(QStringLiteral("pipeTable/maxVelocityMs"), limits.velocityMs);
}

std::optional<std::string> RememberedSeries(const QSettings& settings) {
    const QString series = settings.value(QStringLiteral("pipeTable/series")).toString();
    return series.isEmpty() ? std::nullopt : std::optional<std::string>(series.toStdString());
}

void RememberSeries(QSettings& settings, const std::string& series) {
    settings.setValue(QStringLiteral("pipeTable/series"), QString::fromStdString(series));
}

}  // namespace idrovela::tools::qt

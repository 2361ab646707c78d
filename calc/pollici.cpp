#include <array>
#include <string_view>

#include "calc/module_calcoli.h"
#include "calc/text_conversions.h"

namespace idrovela::Module_Calcoli {

namespace {

struct Band {
    double upperBoundMm;
    std::string_view designation;
};

// Each band is open below and closed above: a diameter on a bound takes the smaller size. Plain
// fractions and whole sizes end in a quotation mark; mixed sizes put two apostrophes between the
// whole part and the fraction.
constexpr std::array<Band, 9> kBands{{
    {13.2, "3/8\""},
    {16.7, "1/2\""},
    {22.3, "3/4\""},
    {27.9, "1\""},
    {36.6, "1''1/4"},
    {42.5, "1''1/2"},
    {53.9, "2\""},
    {69.7, "2''1/2"},
    {81.7, "3\""},
}};

}  // namespace

std::string CalcolaPollici(std::string_view diameterText) {
    const double diameterMm = TextToDouble(diameterText);
    for (const Band& band : kBands) {
        if (diameterMm <= band.upperBoundMm) {
            return std::string(band.designation);
        }
    }
    return "";
}

}  // namespace idrovela::Module_Calcoli

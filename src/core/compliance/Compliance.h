#pragma once
// The figures of compliance and film build, from a calculated sheet: the VOC
// content by the EU's definition, the critical pigment volume concentration
// and the reduced one (Λ = PVC / CPVC); and the verdict of the formula's VOC
// against its category's limit.
#include "core/compliance/VocLimits.h"
#include "core/sheet/FormulaSheet.h"

#include <optional>
#include <string>
#include <vector>

namespace tintora {

// Pounds per gallon to grams per litre, to the precision the EU content is
// stated with.
constexpr double EuVocGramsPerLitreFactor = 119.826;
// Linseed oil, g/cm³: the oil of the oil absorption figure (ASTM D281).
constexpr double LinseedOilDensity = 0.935;

// The mass of VOC (EUVoc_Wt, else Voc_Wt) over the volume of the whole
// product, water included, in g/L; unknown with a missing material or no volume.
std::optional<double> euVocContent(const FormulaSheet& sheet);

struct FilmBuild {
    std::optional<double> pvc, cpvc, lambda;  // percent, percent, ratio
    // The codes of the weighed rows carrying pigment without a usable
    // Oil_Abs (missing, 0, negative): while any, CPVC and Λ are unknown.
    std::vector<std::string> lackingOilAbsorption;
};
// The gallons of linseed oil the pigment part of `weight` pounds of the
// material takes up; 0 without a usable Oil_Abs (missing, 0 or negative).
double oilTakenUp(const RowMaterialProps& props, double weight);

// CPVC = Vp / (Vp + Voil) × 100, Voil the volume of the linseed oil the
// pigment parts take up; Λ = (Vp + Voil) / the solids volume.
FilmBuild filmBuild(const FormulaSheet& sheet);

// The codes of the weighed rows whose VOC by the EU's definition is taken
// from Voc_Wt for want of EUVoc_Wt.
std::vector<std::string> lackingEuVoc(const FormulaSheet& sheet);

struct VocVerdict {
    enum class State { Within, Over, Unknown, NoCategory };
    State state = State::NoCategory;
    std::optional<double> voc, limit, margin;  // g/L; margin = limit - voc
    std::string words;  // "Within the limit: 64.8 of 130 g/L"
};
// The formula's VOC in the category's basis against its limit for the type.
// Within only when every figure the verdict needs is known.
VocVerdict vocVerdict(const FormulaSheet& sheet, const VocCategory* category, std::optional<ProductType> type);

// A plain reading of Λ: below 0.9 a closed film, up to 1.0 close to the
// critical point, above it a porous film.
std::string lambdaReading(double lambda);

}  // namespace tintora

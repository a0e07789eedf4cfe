#include "core/compliance/Compliance.h"

#include "core/calc/MissingMaterials.h"
#include "core/calc/PigmentVolumeConcentration.h"
#include "core/sheet/Quantities.h"
#include "core/text/NumberText.h"

#include <cmath>

namespace tintora {

namespace {

std::string codeOf(const FormulaSheet& sheet, int n)
{
    return std::string(trimBlanks(sheet.cell(Column::Material, n)));
}

bool usableOilAbsorption(const std::optional<double>& value)
{
    return value && std::isfinite(*value) && *value > 0;
}

std::string oneDecimal(double value)
{
    return formatFixed(value, 1);
}

}  // namespace

double oilTakenUp(const RowMaterialProps& p, double weight)
{
    // The oil's density in lb/gal by the same water figure the rows' volumes
    // use, so that a single pigment gives CPVC = 1 / (1 + OA·ρ/93.5) exactly.
    constexpr double oilPoundsPerGallon = LinseedOilDensity * WaterPoundsPerGallon;
    return p.Pig_Wt != 0 && usableOilAbsorption(p.Oil_Abs) ? weight * p.Pig_Wt * *p.Oil_Abs / 100 / oilPoundsPerGallon
                                                           : 0;
}

std::optional<double> euVocContent(const FormulaSheet& sheet)
{
    if (!rowsWithMissingMaterial(sheet).empty())
        return std::nullopt;
    double vocWeight = 0, volume = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const RowMaterialProps& p = sheet.row(n).props;
        vocWeight += sheet.weight(n) * p.EUVoc_Wt.value_or(p.Voc_Wt);
        volume += sheet.volume(n);
    }
    if (volume <= 0)
        return std::nullopt;
    return vocWeight / volume * EuVocGramsPerLitreFactor;
}

FilmBuild filmBuild(const FormulaSheet& sheet)
{
    FilmBuild film;
    film.pvc = pigmentVolumeConcentration(sheet);
    double pigmentVolume = 0, oilVolume = 0, solidsVolume = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const RowMaterialProps& p = sheet.row(n).props;
        const double w = sheet.weight(n), v = sheet.volume(n);
        pigmentVolume += v * p.Pig_Vol;
        solidsVolume += v * (1 - p.Vol_Vol);
        if (w == 0 || p.Pig_Wt == 0 || !sheet.isMaterialRow(n))
            continue;
        if (!usableOilAbsorption(p.Oil_Abs))
            film.lackingOilAbsorption.push_back(codeOf(sheet, n));
        oilVolume += oilTakenUp(p, w);
    }
    if (!film.pvc || !film.lackingOilAbsorption.empty() || pigmentVolume <= 0 || solidsVolume <= 0)
        return film;
    film.cpvc = pigmentVolume / (pigmentVolume + oilVolume) * 100;
    film.lambda = (pigmentVolume + oilVolume) / solidsVolume;
    return film;
}

std::vector<std::string> lackingEuVoc(const FormulaSheet& sheet)
{
    std::vector<std::string> codes;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (sheet.isMaterialRow(n) && sheet.weight(n) != 0 && !sheet.row(n).props.EUVoc_Wt)
            codes.push_back(codeOf(sheet, n));
    return codes;
}

VocVerdict vocVerdict(const FormulaSheet& sheet, const VocCategory* category, std::optional<ProductType> type)
{
    VocVerdict verdict;
    if (!category || !type) {
        verdict.words = "No category chosen.";
        return verdict;
    }
    verdict.limit = category->limitFor(*type);
    const bool missing = !rowsWithMissingMaterial(sheet).empty();
    verdict.voc = category->basis == VocBasis::EU ? euVocContent(sheet)
        : missing                                 ? std::nullopt
                                                  : std::optional(sheet.box(PropertyBox::VocBox));
    if (!verdict.voc) {
        verdict.state = VocVerdict::State::Unknown;
        verdict.words
            = missing ? "Unknown: a material of the formula was not found." : "Unknown: the formula has no volume.";
        return verdict;
    }
    verdict.margin = *verdict.limit - *verdict.voc;
    const bool within = *verdict.margin >= 0;
    verdict.state = within ? VocVerdict::State::Within : VocVerdict::State::Over;
    verdict.words = within
        ? "Within the limit: " + oneDecimal(*verdict.voc) + " of " + formatRoundTrip(*verdict.limit) + " g/L"
        : "Over the limit by " + oneDecimal(-*verdict.margin) + " g/L";
    return verdict;
}

std::string lambdaReading(double lambda)
{
    if (lambda < 0.9)
        return "below the critical point: a closed film";
    if (lambda <= 1.0)
        return "close to the critical point";
    return "above the critical point: a porous film";
}

}  // namespace tintora

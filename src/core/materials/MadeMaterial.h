#pragma once
// A formula becomes a material: a premix or grind base that other formulas
// use by its code. Its properties are those of the mixture, assuming no change
// of volume on mixing, so that a formula holding only the new material at the
// source's total weight shows the source's figures.
#include "core/materials/MaterialFile.h"
#include "core/print/PrintDate.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/SafeWrite.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tintora {

// The mixture of a sheet as a material (Name left to the caller): with W, V
// the total weight and volume, Spec = (W / V) / 8.33334, Cost = total cost / W,
// Vol_Wt, Pig_Wt, Voc_Wt = the volatile, pigment and VOC weights / W, and
// Vol_Vol, Pig_Vol, Voc_Vol = the same volumes / V. The sums are Calculate's,
// on the rows as their cells show them. problem says why the sheet makes no
// material: no weighed material, a material not found or without specific
// gravity (its volume is unknown, so the mixture's would be wrong).
struct MixtureMaterial {
    RowMaterialProps props;
    std::string problem;
    bool ok() const { return problem.empty(); }
};
MixtureMaterial mixtureOf(const FormulaSheet& sheet);

struct MadeMaterialRequest {
    // The code, as typed in the material editor's file name box (".rm" may
    // be added); the same rules apply.
    std::string code;
    // The material's name; empty: the formula's name, else the code.
    std::string name;
    // The formula's file; empty for an untitled formula, which is refused.
    std::string formulaPath;
    CalendarDate made;
};

// Everything decided before anything is written.
struct MadeMaterialPlan {
    std::filesystem::path file;  // the material file to write
    bool replaces = false;  // file exists: ask before replacing it
    Material material;
    std::string source;  // the formula's file name
    std::string made;  // yyyy-mm-dd
    std::string problem;  // why nothing can be made; then the rest is empty
    bool ok() const { return problem.empty(); }
};

// Refuses, each with its own message: a code the material editor would
// refuse, an untitled formula, an empty one, one that uses the code itself
// (a material cannot contain itself), and one that mixtureOf refuses.
MadeMaterialPlan planMadeMaterial(
    const FormulaSheet& sheet, const std::filesystem::path& materialFolder, const MadeMaterialRequest& request);

// "<file> already exists. Replace it?"
std::string replaceMaterialQuestion(const MadeMaterialPlan& plan);

// Writes the plan through the material writer: Name (lower case), the eight
// numbers in the written order, then Source and Made, keeping the rest of an
// existing file. The numbers are written with every digit that the number
// rule reads back (not three decimals): a Spec rounded to 0.0005 would put
// the volume of a 100-gallon batch off by up to 0.05 gallon.
Result<FileStamp> writeMadeMaterial(const MadeMaterialPlan& plan);

// "2026-12-07"
std::string isoDate(CalendarDate date);

}  // namespace tintora

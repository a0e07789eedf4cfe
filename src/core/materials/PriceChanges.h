#pragma once
// When a price changes: the made materials (material files written from a
// formula, which name it in their Source key) made again from their formulas,
// each after the made materials its formula uses; and what new prices of
// materials do to the cost of every formula of a folder, directly or through
// made materials, without writing anything.
#include "core/materials/MadeMaterial.h"
#include "core/materials/MaterialFile.h"
#include "core/sheet/FormulaSheet.h"
#include "core/text/CalendarDate.h"
#include "core/text/SafeWrite.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tintora {

// A made material as its file holds it.
struct MadeMaterialFile {
    std::string code;  // the file name without ".rm"
    std::filesystem::path file;
    std::string source;  // the formula's file name, found in the Formulas folder
    Material material;
    FileStamp stamp;  // when read: a later change on disk is not overwritten
};
// The material files of the folder that name a Source, in file name order.
std::vector<MadeMaterialFile> madeMaterialsIn(const std::filesystem::path& materialFolder);

// Properties that replace a material's in the rows that use it, by code in
// lower case: a new price, or a made material made again.
using MaterialOverrides = std::map<std::string, RowMaterialProps>;

// The formula as opening reads it, then each row whose code is overridden
// takes those properties, then Calculate; nullopt when the file is no formula.
std::optional<FormulaSheet> formulaWithOverrides(
    const IniFile& formula, const MaterialFiles& materials, const MaterialOverrides& overrides);

struct RemadeMaterial {
    const MadeMaterialFile* made = nullptr;
    std::optional<RowMaterialProps> after;  // none when it cannot be made again
    // Why not: its formula is missing or unreadable, is in a cycle of made
    // materials (named), or makes no mixture.
    std::string problem;
    bool changed() const { return after && !(*after == made->material.props); }
};

// Makes the made materials again, each after the made materials its source
// formula uses (a cycle among them is refused, naming the chain), with the
// overrides applied; each one made again joins the overrides. `only`, when
// given, limits the work to those codes (lower case); the rest keep their files.
std::vector<RemadeMaterial> remakeMadeMaterials(const std::vector<MadeMaterialFile>& made,
    const std::filesystem::path& formulaFolder, const MaterialFiles& materials, MaterialOverrides& overrides,
    const std::optional<std::vector<std::string>>& only = std::nullopt);

// Writes the changed ones with Made set to the day given (each a safe save
// keeping the rest of its file); a file changed on disk since it was read is
// left as it is and named among the problems.
struct RemadeWritten {
    std::vector<std::string> written;  // codes
    std::vector<std::string> problems;
};
RemadeWritten writeRemadeMaterials(const std::vector<RemadeMaterial>& remade, CalendarDate today);

// One formula a price change touches.
struct CostChange {
    std::filesystem::path file;
    std::string name;
    double perPoundNow = 0, perPoundNew = 0, perGallonNow = 0, perGallonNew = 0;
    std::string problem;  // a formula that cannot be read: why; the figures are 0
    double changePerGallon() const { return perGallonNew - perGallonNow; }
};

struct NewCost {
    std::string code;
    double cost = 0;
};

struct CostChangeAnswer {
    // The formulas that use a code, directly or through made materials, by
    // the change per gallon, largest first; then those that cannot be read.
    std::vector<CostChange> formulas;
    std::vector<std::string> unusedCodes;  // codes no formula uses
    std::vector<std::string> problems;  // made materials that could not be made again
};

// The answer for new costs of materials; a code that names no material file
// is refused.
Result<CostChangeAnswer> costChangeIn(const std::filesystem::path& formulaFolder,
    const std::filesystem::path& materialFolder, const std::vector<NewCost>& costs);

}  // namespace tintora

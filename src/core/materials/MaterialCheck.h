#pragma once
// The check of a material library: what in a material file would silently
// spoil every formula that uses it. Every number of a formula rests on these
// files, and the program reads a faulty one without a word (a malformed
// number as 0, a missing section as "No Name" and zeros).
#include "core/sheet/FormulaSheet.h"
#include "core/text/IniFile.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tintora {

enum class MaterialFault {
    Unreadable,  // a folder, a device, a file beyond MaxMaterialFileBytes
    NotIni,  // no section at all: empty, a picture, plain text
    NoMaterialSection,
    NoName,  // Name missing or empty
    SpecOutOfRange,  // Spec <= 0 or above MaxPlausibleSpec
    FractionOutOfRange,  // a fraction outside 0...1
    NegativeCost,  // a cost below 0
    VocAboveVolatile,  // VOC is part of the volatile
    PigmentAndVolatileAboveOne,
    WeightVolumeMismatch,  // a fraction 0 by weight and not by volume, or the reverse
    MalformedNumber,  // not the number-text rule: the program reads it as 0
    CaseTwin,  // a name differing from another only by letter case
};

// No paint raw material is denser than about 22 (osmium, the densest element,
// is 22.6); a larger Spec is a typing error.
constexpr double MaxPlausibleSpec = 25;

struct MaterialProblem {
    MaterialFault fault;
    std::string text;  // what is wrong, naming the key and its value as written
};

// The faults of a material file's contents, in the order of the rules above.
// A number that is malformed is reported as such and not judged further; a
// missing one counts as the 0 the program reads.
std::vector<MaterialProblem> materialContentProblems(const IniFile& ini);

struct MaterialFinding {
    std::string file;  // the file name as shown (UTF-8)
    MaterialProblem problem;
};

// Checks every "*.rm" name in folder (extension without regard to case,
// folders included: a code would name them too), in the order of the
// material list. Of names that differ only by letter case, every one but the
// first in byte order is reported, naming that first one.
std::vector<MaterialFinding> checkMaterialFolder(const std::filesystem::path& folder);

// Said when a formula is opened whose materials hold figures no raw material
// has (a Spec below 0 or above MaxPlausibleSpec, a negative cost, a fraction
// outside 0...1), naming their rows and codes; empty when none does. A Spec
// of 0 has its own message where a volume is needed.
std::string implausibleMaterialsNotice(const FormulaSheet& sheet);

}  // namespace tintora

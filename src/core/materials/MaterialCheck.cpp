#include "core/materials/MaterialCheck.h"

#include "core/materials/MaterialBrowsing.h"
#include "core/materials/MaterialFile.h"
#include "core/materials/MaterialKeys.h"
#include "core/text/NumberText.h"

#include <array>
#include <map>
#include <optional>
#include <utility>

namespace fs = std::filesystem;

namespace tintora {

namespace {

struct NumberReading {
    std::string shown;  // as written, or what the program reads instead
    std::optional<double> value;  // nullopt when malformed
};

NumberReading readNumber(const IniFile& ini, const char* key)
{
    const auto text = ini.value(MaterialSection, key);
    if (!text)
        return {"0 (missing)", 0.0};
    if (text->empty())
        return {"0 (empty)", 0.0};
    return {*text, parseNumberText(*text)};
}

class Numbers {
public:
    explicit Numbers(const IniFile& ini)
    {
        for (const MaterialPropertyKey& key : MaterialReadOrder)
            readings_.emplace_back(key.key, readNumber(ini, key.key));
    }
    const NumberReading& operator[](std::string_view key) const
    {
        for (const auto& [name, reading] : readings_)
            if (name == key)
                return reading;
        return readings_.front().second;  // unreachable: every key is read above
    }
    const auto& all() const { return readings_; }

private:
    std::vector<std::pair<std::string, NumberReading>> readings_;
};

constexpr std::array<const char*, 6> FractionKeys = {"Vol_Wt", "Vol_Vol", "Pig_Wt", "Pig_Vol", "Voc_Wt", "Voc_Vol"};
// By weight and by volume side by side.
constexpr std::array<std::pair<const char*, const char*>, 2> VolatileKeys
    = {{{"Vol_Wt", "Voc_Wt"}, {"Vol_Vol", "Voc_Vol"}}};
constexpr std::array<std::pair<const char*, const char*>, 2> PigmentKeys
    = {{{"Pig_Wt", "Vol_Wt"}, {"Pig_Vol", "Vol_Vol"}}};
constexpr std::array<std::pair<const char*, const char*>, 2> WeightVolumeKeys
    = {{{"Vol_Wt", "Vol_Vol"}, {"Pig_Wt", "Pig_Vol"}}};

std::string named(const std::string& key, const NumberReading& n)
{
    return key + " " + n.shown;
}

void checkName(const IniFile& ini, std::vector<MaterialProblem>& out)
{
    const auto name = ini.value(MaterialSection, "Name");
    if (!name)
        out.push_back({MaterialFault::NoName, "Name is missing (shows as \"No Name\")"});
    else if (name->empty())
        out.push_back({MaterialFault::NoName, "Name is empty (shows as \"No Name\")"});
}

void checkSpec(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    const NumberReading& spec = numbers["Spec"];
    if (!spec.value)
        return;
    if (*spec.value <= 0)
        out.push_back(
            {MaterialFault::SpecOutOfRange, named("Spec", spec) + " is not above 0: no volume can be derived"});
    else if (*spec.value > MaxPlausibleSpec)
        out.push_back({MaterialFault::SpecOutOfRange,
            named("Spec", spec) + " is above 25: no paint raw material is denser than about 22"});
}

void checkFractions(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    for (const char* key : FractionKeys) {
        const NumberReading& n = numbers[key];
        if (n.value && (*n.value < 0 || *n.value > 1))
            out.push_back({MaterialFault::FractionOutOfRange, named(key, n) + " is not a fraction from 0 to 1"});
    }
}

void checkCost(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    const NumberReading& cost = numbers["Cost"];
    if (cost.value && *cost.value < 0)
        out.push_back(
            {MaterialFault::NegativeCost, named("Cost", cost) + " is below 0: no material is paid for by its buyer"});
}

void checkVocWithinVolatile(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    for (const auto& [volatileKey, vocKey] : VolatileKeys) {
        const NumberReading& volatiles = numbers[volatileKey];
        const NumberReading& voc = numbers[vocKey];
        if (voc.value && volatiles.value && *voc.value > *volatiles.value)
            out.push_back({MaterialFault::VocAboveVolatile,
                named(vocKey, voc) + " is above " + named(volatileKey, volatiles)
                    + ": the VOC is part of the volatile"});
    }
}

void checkPigmentAndVolatile(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    for (const auto& [pigmentKey, volatileKey] : PigmentKeys) {
        const NumberReading& pigment = numbers[pigmentKey];
        const NumberReading& volatiles = numbers[volatileKey];
        if (pigment.value && volatiles.value && *pigment.value + *volatiles.value > 1)
            out.push_back({MaterialFault::PigmentAndVolatileAboveOne,
                named(pigmentKey, pigment) + " + " + named(volatileKey, volatiles) + " is above 1"});
    }
}

void checkWeightAgreesWithVolume(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    for (const auto& [weightKey, volumeKey] : WeightVolumeKeys) {
        const NumberReading& byWeight = numbers[weightKey];
        const NumberReading& byVolume = numbers[volumeKey];
        if (byWeight.value && byVolume.value && (*byWeight.value == 0) != (*byVolume.value == 0))
            out.push_back({MaterialFault::WeightVolumeMismatch,
                named(weightKey, byWeight) + " and " + named(volumeKey, byVolume) + " cannot both be true"});
    }
}

void checkNumberTexts(const Numbers& numbers, std::vector<MaterialProblem>& out)
{
    for (const auto& [key, n] : numbers.all())
        if (!n.value)
            out.push_back(
                {MaterialFault::MalformedNumber, key + " \"" + n.shown + "\" is not a number: it reads as 0"});
}

std::vector<MaterialProblem> fileProblems(const fs::path& file)
{
    const IniFileRead read = IniFile::load(file, MaxMaterialFileBytes, materialSections());
    switch (read.status) {
    case IniReadStatus::Missing:
    case IniReadStatus::Unreadable:
        return {{MaterialFault::Unreadable, "cannot be read: a folder, a device or a file without read permission"}};
    case IniReadStatus::TooLarge:
        return {{MaterialFault::Unreadable, "cannot be read: larger than a material file can be (1 MiB)"}};
    case IniReadStatus::TooManyEntries:
        return {{MaterialFault::Unreadable,
            "cannot be read: its [Material] section holds more than " + std::to_string(MaxIniEntries) + " keys"}};
    case IniReadStatus::NotText:
        return {{MaterialFault::NotIni,
            "is not an INI file: it is not text (UTF-8, Windows-1252, or UTF-16 with its byte-order mark)"}};
    case IniReadStatus::Read:
        break;
    }
    if (!read.contents.hasAnySection())
        return {{MaterialFault::NotIni, "is not an INI file: it holds no [section]"}};
    if (!read.contents.hasSection(MaterialSection))
        return {{MaterialFault::NoMaterialSection, "has no [Material] section: it reads as \"No Name\" and zeros"}};
    return materialContentProblems(read.contents);
}

}  // namespace

std::vector<MaterialProblem> materialContentProblems(const IniFile& ini)
{
    std::vector<MaterialProblem> out;
    const Numbers numbers(ini);
    checkName(ini, out);
    checkSpec(numbers, out);
    checkFractions(numbers, out);
    checkCost(numbers, out);
    checkVocWithinVolatile(numbers, out);
    checkPigmentAndVolatile(numbers, out);
    checkWeightAgreesWithVolume(numbers, out);
    checkNumberTexts(numbers, out);
    return out;
}

std::vector<MaterialFinding> checkMaterialFolder(const fs::path& folder)
{
    const std::vector<ListedFile> items = listMaterialFolder(folder);
    // lower-case name -> the item a lower-case or exact lookup cannot tell from the others
    std::map<std::string, const ListedFile*> firstOfCase;
    for (const ListedFile& item : items) {
        const ListedFile*& first = firstOfCase[asciiLower(item.name)];
        if (!first || item.name < first->name)
            first = &item;
    }
    std::vector<MaterialFinding> findings;
    for (const ListedFile& item : items) {
        for (MaterialProblem& problem : fileProblems(folder / item.name))
            findings.push_back({item.caption, std::move(problem)});
        const ListedFile* first = firstOfCase[asciiLower(item.name)];
        if (first != &item)
            findings.push_back({item.caption,
                {MaterialFault::CaseTwin,
                    "differs from " + first->caption
                        + " only by letter case: a code names "
                          "only one of them"}});
    }
    return findings;
}

namespace {

bool isFraction(double value)
{
    return value >= 0 && value <= 1;
}

bool plausible(const RowMaterialProps& p)
{
    return p.Spec >= 0 && p.Spec <= MaxPlausibleSpec && p.Cost >= 0 && isFraction(p.Vol_Wt) && isFraction(p.Vol_Vol)
        && isFraction(p.Pig_Wt) && isFraction(p.Pig_Vol) && isFraction(p.Voc_Wt) && isFraction(p.Voc_Vol);
}

}  // namespace

std::string implausibleMaterialsNotice(const FormulaSheet& sheet)
{
    std::string rows;
    for (int n = 1; n <= SheetRowCount; ++n) {
        if (!sheet.isMaterialRow(n) || plausible(sheet.row(n).props))
            continue;
        rows += (rows.empty() ? "" : ", ") + std::to_string(n) + " (" + sheet.cell(Column::Material, n) + ")";
    }
    if (rows.empty())
        return {};
    return "The material files of rows " + rows
        + " hold figures no raw material has (a specific gravity below 0 or above 25, a negative cost, or a "
          "fraction outside 0 to 1): the figures that use them cannot be trusted. tintora-report --check-materials "
          "names each one.";
}

}  // namespace tintora

#include "core/formulas/WhereUsed.h"

#include "core/calc/Calculate.h"
#include "core/materials/MaterialFile.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <unordered_map>

namespace tintora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view FormulaFileExtension = ".tfx";
constexpr const char* FormulaSectionName = "formula";  // as entries() holds it, in lower case

std::vector<std::string> lowerWords(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find_first_of(" \t", begin), text.size());
        if (end > begin)
            words.push_back(asciiLower(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    return words;
}

// Decides whether a row's code stands for the material searched.
class RowMatcher {
public:
    RowMatcher(const WhereUsedQuery& query, const MaterialFiles* materials)
        : code_(trimBlanks(query.text))
        , materials_(query.match == WhereUsedMatch::CodeOrNameWords ? materials : nullptr)
    {
        if (materials_)
            words_ = lowerWords(code_);
    }

    bool empty() const { return code_.empty(); }

    bool matches(std::string_view code) const
    {
        if (equalsIgnoringAsciiCase(code, code_))
            return true;
        if (!materials_)
            return false;
        // A search meets the same few hundred codes in thousands of formulas.
        auto [known, added] = byName_.try_emplace(std::string(code), false);
        if (added)
            known->second = nameHasEveryWord(code);
        return known->second;
    }

private:
    bool nameHasEveryWord(std::string_view code) const
    {
        const Material* material = materials_->material(code);
        if (!material)
            return false;
        const std::string name = asciiLower(material->Name);
        return std::all_of(words_.begin(), words_.end(),
            [&](const std::string& word) { return name.find(word) != std::string::npos; });
    }

    std::string code_;
    const MaterialFiles* materials_;
    std::vector<std::string> words_;
    mutable std::unordered_map<std::string, bool> byName_;  // code as spelled -> its name matches
};

// A number as a cell written with "%8.3f" shows it.
double asCellShows(double value)
{
    return roundToThreeDecimals(value);
}

WhereUsedHit hitOf(const FormulaFileRow& row, int n, double totalWeight, const IniFile& formula, const fs::path& file)
{
    // The percent column divides the three-decimal weight by the total of all
    // digits, as Calculate does once the formula is opened.
    const double weight = asCellShows(row.weightCounted());
    const double percent = weight != 0 ? asCellShows(percentOf(weight, totalWeight)) : 0;
    return {file, readFormulaName(formula), n, row.text, weight, percent, parseNumberText(row.weight).has_value()};
}

// Whether any value of the [Formula] section reads as the material searched
// for: most formulas do not use it, and telling so from the values alone,
// without the row keys looked up one by one, is what makes a search of
// thousands of formulas quick. The rows are then read as opening reads them.
bool mayUse(const IniFile& formula, const RowMatcher& matcher)
{
    const auto section = formula.entries().find(FormulaSectionName);
    if (section == formula.entries().end())
        return false;
    return std::any_of(section->second.begin(), section->second.end(),
        [&](const auto& entry) { return entry.first.starts_with("material") && matcher.matches(entry.second); });
}

std::vector<WhereUsedHit> hitsIn(const IniFile& formula, const RowMatcher& matcher, const fs::path& file)
{
    if (matcher.empty() || !mayUse(formula, matcher))
        return {};
    std::array<FormulaFileRow, SheetRowCount> rows;
    // The total in row order, as Calculate sums it, so that the percent is the
    // one the W% column shows to the last digit.
    double totalWeight = 0;
    for (int n = 1; n <= SheetRowCount; ++n) {
        FormulaFileRow& row = rows[static_cast<std::size_t>(n - 1)];
        row = readFormulaRow(formula, n);
        totalWeight += row.weightCounted();
    }
    std::vector<WhereUsedHit> hits;
    for (int n = 1; n <= SheetRowCount; ++n) {
        const FormulaFileRow& row = rows[static_cast<std::size_t>(n - 1)];
        if (row.materialRow && !row.text.empty() && matcher.matches(row.text))
            hits.push_back(hitOf(row, n, totalWeight, formula, file));
    }
    return hits;
}

bool endsWithFormulaExtension(std::string_view name)
{
    return name.size() > FormulaFileExtension.size()
        && equalsIgnoringAsciiCase(name.substr(name.size() - FormulaFileExtension.size()), FormulaFileExtension);
}

}  // namespace

std::vector<WhereUsedHit> whereUsedIn(
    const IniFile& formula, const WhereUsedQuery& query, const MaterialFiles* materials, const fs::path& file)
{
    return hitsIn(formula, RowMatcher(query, materials), file);
}

std::vector<fs::path> formulaFilesIn(const fs::path& formulaFolder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(formulaFolder, ec), end; !ec && it != end; it.increment(ec))
        if (endsWithFormulaExtension(it->path().filename().native()))
            files.push_back(it->path());
    std::sort(files.begin(), files.end(),
        [](const fs::path& a, const fs::path& b) { return a.filename().native() < b.filename().native(); });
    return files;
}

WhereUsedSummary findWhereUsed(const fs::path& formulaFolder, const fs::path& materialFolder,
    const WhereUsedQuery& query, const WhereUsedSink& sink, const std::atomic<bool>* stop)
{
    WhereUsedSummary summary;
    const MaterialFiles materials(materialFolder);
    const RowMatcher matcher(query, &materials);
    for (const fs::path& file : formulaFilesIn(formulaFolder)) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            summary.stopped = true;
            break;
        }
        const FormulaFileRead read = readFormulaFile(file);
        if (read.state != FormulaFileState::Formula) {
            ++summary.unreadable;
            if (sink.unreadable)
                sink.unreadable(file, read.state);
            continue;
        }
        ++summary.formulasRead;
        for (const WhereUsedHit& hit : hitsIn(read.contents, matcher, file)) {
            ++summary.hits;
            if (sink.found)
                sink.found(hit);
        }
    }
    return summary;
}

}  // namespace tintora

#include "core/materials/PriceChanges.h"

#include "core/calc/Calculate.h"
#include "core/formulas/FormulaFile.h"
#include "core/formulas/WhereUsed.h"
#include "core/materials/MaterialKeys.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace tintora {

namespace {

std::string lower(std::string_view code)
{
    return asciiLower(trimBlanks(code));
}

// The codes of a formula's material rows, in lower case.
std::set<std::string> codesOf(const IniFile& formula)
{
    std::set<std::string> codes;
    for (int n = 1; n <= SheetRowCount; ++n)
        if (const FormulaFileRow row = readFormulaRow(formula, n); row.materialRow && !row.text.empty())
            codes.insert(lower(row.text));
    return codes;
}

// The made materials with what their formulas use, and an order to make them in.
class MadeGraph {
public:
    MadeGraph(const std::vector<MadeMaterialFile>& made, const fs::path& formulaFolder)
        : made_(made)
        , sources_(made.size())
        , uses_(made.size())
        , problems_(made.size())
    {
        for (std::size_t i = 0; i < made.size(); ++i) {
            sources_[i] = readFormulaFile(formulaFolder / made[i].source);
            if (sources_[i].state != FormulaFileState::Formula)
                problems_[i] = formulaFileProblem(sources_[i].state, made[i].source);
            for (const std::string& code : codesOf(sources_[i].contents))
                if (const auto j = indexOf(code))
                    uses_[i].push_back(*j);
        }
        for (std::size_t i = 0; i < made.size(); ++i)
            visit(i);
    }

    const std::vector<std::size_t>& order() const { return order_; }
    const FormulaFileRead& source(std::size_t i) const { return sources_[i]; }
    const std::string& problem(std::size_t i) const { return problems_[i]; }
    const std::vector<std::size_t>& uses(std::size_t i) const { return uses_[i]; }

    std::optional<std::size_t> indexOf(const std::string& lowerCode) const
    {
        for (std::size_t j = 0; j < made_.size(); ++j)
            if (lower(made_[j].code) == lowerCode)
                return j;
        return std::nullopt;
    }

private:
    enum class Mark { None, Open, Done };

    // Depth first: each after what it uses; a made material met again while
    // open closes a cycle, and every one on it is refused.
    void visit(std::size_t i)
    {
        if (marks_.size() < made_.size())
            marks_.assign(made_.size(), Mark::None);
        if (marks_[i] != Mark::None)
            return;
        marks_[i] = Mark::Open;
        path_.push_back(i);
        for (const std::size_t j : uses_[i]) {
            if (marks_[j] == Mark::Open)
                refuseCycle(j);
            else
                visit(j);
        }
        path_.pop_back();
        marks_[i] = Mark::Done;
        order_.push_back(i);
    }

    void refuseCycle(std::size_t start)
    {
        const auto from = std::find(path_.begin(), path_.end(), start);
        std::string chain;
        for (auto it = from; it != path_.end(); ++it)
            chain += made_[*it].code + " (" + made_[*it].source + ") uses ";
        chain += made_[start].code;
        for (auto it = from; it != path_.end(); ++it)
            problems_[*it] = "A cycle of made materials: " + chain + ".";
    }

    const std::vector<MadeMaterialFile>& made_;
    std::vector<FormulaFileRead> sources_;
    std::vector<std::vector<std::size_t>> uses_;
    std::vector<std::string> problems_;
    std::vector<Mark> marks_;
    std::vector<std::size_t> path_;
    std::vector<std::size_t> order_;
};

}  // namespace

std::vector<MadeMaterialFile> madeMaterialsIn(const fs::path& materialFolder)
{
    std::vector<MadeMaterialFile> made;
    std::error_code ec;
    for (fs::directory_iterator it(materialFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        if (!equalsIgnoringAsciiCase(file.extension().string(), MaterialExtension) || !it->is_regular_file(ec))
            continue;
        const IniFile ini = IniFile::read(file, MaxMaterialFileBytes, {MaterialSection});
        const std::string source(trimBlanks(ini.readString(MaterialSection, "Source", "")));
        if (source.empty())
            continue;
        const std::optional<Material> material = loadMaterial(file);
        if (material)
            made.push_back({file.stem().string(), file, source, *material, stampOfFile(file)});
    }
    std::sort(made.begin(), made.end(), [](const auto& a, const auto& b) { return a.file < b.file; });
    return made;
}

std::optional<FormulaSheet> formulaWithOverrides(
    const IniFile& formula, const MaterialFiles& materials, const MaterialOverrides& overrides)
{
    FormulaSheet sheet;
    FormulaLoad(sheet, formula, materials);
    for (int n = 1; n <= SheetRowCount; ++n) {
        const auto found = overrides.find(lower(sheet.cell(Column::Material, n)));
        if (found != overrides.end() && sheet.isMaterialRow(n))
            sheet.row(n).props = found->second;
    }
    Calculate(sheet);
    return sheet;
}

std::vector<RemadeMaterial> remakeMadeMaterials(const std::vector<MadeMaterialFile>& made,
    const fs::path& formulaFolder, const MaterialFiles& materials, MaterialOverrides& overrides,
    const std::optional<std::vector<std::string>>& only)
{
    const MadeGraph graph(made, formulaFolder);
    std::vector<RemadeMaterial> remade;
    for (const std::size_t i : graph.order()) {
        const std::string code = lower(made[i].code);
        if (only && std::find(only->begin(), only->end(), code) == only->end())
            continue;
        RemadeMaterial r{&made[i], std::nullopt, graph.problem(i)};
        if (r.problem.empty()) {
            const std::optional<FormulaSheet> sheet
                = formulaWithOverrides(graph.source(i).contents, materials, overrides);
            MixtureMaterial mixture = mixtureOf(*sheet);
            if (mixture.ok()) {
                r.after = mixture.props;
                overrides[code] = mixture.props;
            } else {
                r.problem = made[i].source + ": " + mixture.problem;
            }
        }
        remade.push_back(std::move(r));
    }
    return remade;
}

RemadeWritten writeRemadeMaterials(const std::vector<RemadeMaterial>& remade, CalendarDate today)
{
    RemadeWritten result;
    for (const RemadeMaterial& r : remade) {
        if (!r.changed())
            continue;
        const MadeMaterialFile& made = *r.made;
        if (changedOnDisk(made.file, made.stamp)) {
            result.problems.push_back(
                made.file.filename().string() + " was changed since the list was made and is left as it is.");
            continue;
        }
        MadeMaterialPlan plan;
        plan.file = made.file;
        plan.replaces = true;
        plan.material = {made.material.Name, *r.after};
        plan.source = made.source;
        plan.made = isoDate(today);
        if (const Result<FileStamp> written = writeMadeMaterial(plan))
            result.written.push_back(made.code);
        else
            result.problems.push_back(written.problem());
    }
    return result;
}

namespace {

// For each made material, the changed codes it takes in through its formula,
// directly or through other made materials (made in order, so those it uses
// are known first).
std::vector<std::set<std::string>> changedCodesReaching(const MadeGraph& graph, const MaterialOverrides& changed)
{
    std::vector<std::set<std::string>> reaching(graph.order().size());
    for (const std::size_t i : graph.order()) {
        for (const std::string& code : codesOf(graph.source(i).contents))
            if (changed.contains(code))
                reaching[i].insert(code);
        for (const std::size_t j : graph.uses(i))
            reaching[i].insert(reaching[j].begin(), reaching[j].end());
    }
    return reaching;
}

// Whether any [Formula] value reads as one of the codes: the quick look that
// passes over most formulas before their rows are read one by one.
bool mayUse(const IniFile& formula, const std::set<std::string>& codes)
{
    const auto section = formula.entries().find("formula");
    if (section == formula.entries().end())
        return false;
    for (const auto& entry : section->second)
        for (const std::string& code : codes)
            if (equalsIgnoringAsciiCase(trimBlanks(entry.second), code))
                return true;
    return false;
}

CostChange costChangeOf(
    const fs::path& file, const IniFile& formula, const MaterialFiles& materials, const MaterialOverrides& overrides)
{
    const std::optional<FormulaSheet> now = formulaWithOverrides(formula, materials, {});
    const std::optional<FormulaSheet> next = formulaWithOverrides(formula, materials, overrides);
    return {file, now->name(), now->box(PropertyBox::CostWtBox), next->box(PropertyBox::CostWtBox),
        now->box(PropertyBox::CostVolBox), next->box(PropertyBox::CostVolBox), {}};
}

}  // namespace

Result<CostChangeAnswer> costChangeIn(
    const fs::path& formulaFolder, const fs::path& materialFolder, const std::vector<NewCost>& costs)
{
    const MaterialFiles materials(materialFolder);
    MaterialOverrides overrides;
    for (const NewCost& cost : costs) {
        const Material* material = materials.material(cost.code);
        if (!material)
            return Failure("No material file in " + materialFolder.string() + " has the code " + cost.code + ".");
        overrides[lower(cost.code)] = material->props;
        overrides[lower(cost.code)].Cost = cost.cost;
    }
    const MaterialOverrides changed = overrides;
    const std::vector<MadeMaterialFile> made = madeMaterialsIn(materialFolder);
    const MadeGraph graph(made, formulaFolder);
    const std::vector<std::set<std::string>> reaching = changedCodesReaching(graph, changed);
    std::vector<std::string> affected;
    for (std::size_t i = 0; i < made.size(); ++i)
        if (!reaching[i].empty())
            affected.push_back(lower(made[i].code));
    CostChangeAnswer answer;
    for (const RemadeMaterial& r : remakeMadeMaterials(made, formulaFolder, materials, overrides, affected))
        if (!r.problem.empty())
            answer.problems.push_back(r.made->code + ": " + r.problem);
    std::set<std::string> looked(affected.begin(), affected.end()), used;
    for (const auto& entry : changed)
        looked.insert(entry.first);
    for (const fs::path& file : formulaFilesIn(formulaFolder)) {
        const FormulaFileRead read = readFormulaFile(file);
        if (read.state != FormulaFileState::Formula) {
            answer.formulas.push_back({file, {}, 0, 0, 0, 0, formulaFileProblem(read.state, file.filename().string())});
            continue;
        }
        if (!mayUse(read.contents, looked))
            continue;
        std::set<std::string> touched;
        for (const std::string& code : codesOf(read.contents)) {
            if (changed.contains(code))
                touched.insert(code);
            if (const auto i = graph.indexOf(code))
                touched.insert(reaching[*i].begin(), reaching[*i].end());
        }
        if (touched.empty())
            continue;
        used.insert(touched.begin(), touched.end());
        answer.formulas.push_back(costChangeOf(file, read.contents, materials, overrides));
    }
    std::stable_sort(answer.formulas.begin(), answer.formulas.end(), [](const CostChange& a, const CostChange& b) {
        if (a.problem.empty() != b.problem.empty())
            return a.problem.empty();
        return a.changePerGallon() > b.changePerGallon();
    });
    for (const NewCost& cost : costs)
        if (!used.contains(lower(cost.code)))
            answer.unusedCodes.push_back(cost.code);
    return answer;
}

}  // namespace tintora

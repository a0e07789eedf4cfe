#include "RecalcReport.h"

#include "OutputFile.h"

#include "PrintoutReport.h"
#include "ReportFormula.h"

#include "core/formulas/FormulaFile.h"
#include "core/formulas/FormulaWrite.h"
#include "core/prompt/Prompter.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace fs = std::filesystem;

namespace tintora::report {

namespace {

struct NamedQuantity {
    const char* name;
    RecalcQuantity quantity;
};

using Q = RecalcQuantity;
constexpr std::array<NamedQuantity, RecalcQuantityCount> quantityNames{{
    {"weight", Q::Weight},
    {"volume", Q::Volume},
    {"cost-wt", Q::CostByWeight},
    {"cost-vol", Q::CostByVolume},
    {"binder-wt", Q::BinderByWeight},
    {"binder-vol", Q::BinderByVolume},
    {"pigment-wt", Q::PigmentByWeight},
    {"pigment-vol", Q::PigmentByVolume},
    {"solids-wt", Q::SolidsByWeight},
    {"solids-vol", Q::SolidsByVolume},
    {"volatile-wt", Q::VolatileByWeight},
    {"volatile-vol", Q::VolatileByVolume},
    {"density", Q::Density},
    {"spg", Q::SPG},
    {"voc", Q::Voc},
    {"pb", Q::PBRatio},
    {"voc-eu", Q::EuVoc},
    {"lambda", Q::Lambda},
}};

// The window's messages, each one line on stderr; a question is answered
// with what keeps the file as it is.
class StderrPrompter : public Prompter {
public:
    void inform(std::string_view text) override { reportProblem(text); }
    void error(std::string_view text) override { reportProblem(text); }
    bool confirm(std::string_view text) override
    {
        reportProblem(text);
        return false;
    }
    bool askInformation(std::string_view text) override
    {
        reportProblem(text);
        return false;
    }
    Answer askYesNoCancel(std::string_view text) override
    {
        reportProblem(text);
        return Answer::Cancel;
    }
    DiskChangeAnswer askOverwriteOrReload(std::string_view text) override
    {
        reportProblem(text);
        return DiskChangeAnswer::Cancel;
    }
    KeptCopyAnswer askAboutKeptCopy(std::string_view text) override
    {
        reportProblem(text);
        return KeptCopyAnswer::KeepFile;
    }
    void reportError(std::string_view text) override { reportProblem(text); }
};

// The keypad on which the value given on the command line is typed and accepted.
class AnsweringKeypad : public KeypadDialog {
public:
    explicit AnsweringKeypad(std::string value)
        : value_(std::move(value))
    {
    }
    std::optional<std::string> ask(std::string_view, std::string_view, CalculatorState&) override { return value_; }

private:
    std::string value_;
};

std::optional<std::string>& slotOf(const std::string& option, ReformulationOptions& options)
{
    if (option == "--recalc")
        return options.recalc;
    if (option == "--scale")
        return options.scale;
    if (option == "--marks")
        return options.marks;
    return options.writePath;
}

// "QUANTITY=VALUE": the name and a value that follows the number rule.
std::optional<std::string> valueProblem(std::string_view option, std::string_view value)
{
    if (!parseNumberText(value) || trimBlanks(value).empty())
        return std::string(option) + " needs a number after '=', not '" + std::string(value) + "'";
    return std::nullopt;
}

// "all", or row numbers 1 ... 36 separated by commas.
std::optional<std::vector<int>> rowsNamed(std::string_view text)
{
    std::vector<int> rows;
    if (text == "all") {
        for (int n = 1; n <= SheetRowCount; ++n)
            rows.push_back(n);
        return rows;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, comma - start);
        const bool digits = !item.empty() && item.size() <= 2
            && std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int n = digits ? std::stoi(std::string(item)) : 0;
        if (n < 1 || n > SheetRowCount)
            return std::nullopt;
        rows.push_back(n);
        start = comma + 1;
    }
    return rows;
}

std::optional<std::string> parseRecalc(std::string_view text, Reformulation& request)
{
    const std::size_t equals = text.find('=');
    const std::optional<RecalcQuantity> quantity
        = equals == std::string_view::npos ? std::nullopt : recalcQuantityNamed(text.substr(0, equals));
    if (!quantity)
        return "--recalc takes QUANTITY=VALUE with a QUANTITY of weight, volume, cost-wt, cost-vol, binder-wt, "
               "binder-vol, pigment-wt, pigment-vol, solids-wt, solids-vol, volatile-wt, volatile-vol, density, "
               "spg, voc, pb, voc-eu or lambda, not '"
            + std::string(text) + "'";
    request.quantity = *quantity;
    request.value = std::string(text.substr(equals + 1));
    return valueProblem("--recalc", request.value);
}

std::optional<std::string> parseScale(std::string_view text, Reformulation& request)
{
    request.scaling = true;
    if (text == "percent") {
        request.scaleKind = ScaleKind::Percent;
        return std::nullopt;
    }
    const std::size_t equals = text.find('=');
    const std::string_view kind = text.substr(0, equals);
    if (equals == std::string_view::npos || (kind != "weight" && kind != "volume"))
        return "--scale takes weight=VALUE, volume=VALUE or percent, not '" + std::string(text) + "'";
    request.scaleKind = kind == "weight" ? ScaleKind::Weight : ScaleKind::Volume;
    request.value = std::string(text.substr(equals + 1));
    return valueProblem("--scale", request.value);
}

// The marks as the window's mark box leaves them: only a material row keeps one.
void markRows(FormulaSheet& sheet, const std::vector<int>& rows)
{
    for (int n = 1; n <= SheetRowCount; ++n)
        sheet.row(n).marked = false;
    for (int n : rows)
        sheet.row(n).marked = sheet.isMaterialRow(n);
}

}  // namespace

std::optional<RecalcQuantity> recalcQuantityNamed(std::string_view name)
{
    for (const NamedQuantity& named : quantityNames)
        if (name == named.name)
            return named.quantity;
    return std::nullopt;
}

std::optional<std::string> parseReformulationOption(
    const std::vector<std::string>& args, std::size_t& i, ReformulationOptions& options)
{
    const std::string& arg = args[i];
    if (arg == "--force") {
        options.force = true;
        return std::string();
    }
    if (arg != "--recalc" && arg != "--scale" && arg != "--marks" && arg != "--write")
        return std::nullopt;
    if (i + 1 >= args.size())
        return "option " + arg + " needs a value";
    std::optional<std::string>& slot = slotOf(arg, options);
    if (slot)
        return "option " + arg + " is given twice";
    slot = args[++i];
    return std::string();
}

ReformulationParse parseReformulation(const ReformulationOptions& options)
{
    Reformulation request;
    std::optional<std::string> problem
        = options.recalc ? parseRecalc(*options.recalc, request) : parseScale(options.scale.value_or(""), request);
    if (!problem && options.marks) {
        request.markedRows = rowsNamed(*options.marks);
        if (!request.markedRows)
            problem
                = "--marks takes row numbers from 1 to 36 separated by commas, or all, not '" + *options.marks + "'";
    }
    if (problem)
        return {std::nullopt, *problem};
    return {request, {}};
}

std::optional<std::string> reformulationProblem(const ReportOptions& options)
{
    const ReformulationOptions& r = options.reformulation;
    if (r.recalc && r.scale)
        return "--recalc and --scale cannot be combined";
    if (r.marks && !r.recalc)
        return "--marks goes with --recalc";
    if (!r.active())
        return r.writePath && !options.optimise.active
            ? std::optional<std::string>("--write goes with --recalc, --scale or --optimise")
            : std::nullopt;
    const char* option = r.recalc ? "--recalc" : "--scale";
    if (options.mode != ReportMode::Printout)
        return std::string(option) + " cannot be combined with --csv, --compare, --check-materials or --pdf";
    if (options.formulaPaths.size() != 1)
        return std::string(option) + " needs exactly one formula file, " + std::to_string(options.formulaPaths.size())
            + " given";
    const ReformulationParse parsed = parseReformulation(r);
    return parsed.request ? std::nullopt : std::optional<std::string>(parsed.problem);
}

std::optional<LoadedFormula> loadFormulaToChange(const ReportOptions& options, const MaterialFiles& materials)
{
    const std::optional<std::string>& out = options.reformulation.writePath;
    if (const auto refusal = out ? formulaOutputRefusal(*out, options.reformulation.force) : std::nullopt) {
        reportProblem(*refusal);
        return std::nullopt;
    }
    std::optional<LoadedFormula> loaded = loadFormula(
        options.formulaPaths.front(), materials, options.volumePercent ? PercentBasis::Volume : PercentBasis::Weight);
    // Written out, the weights the sheet could not take would be gone from the file.
    if (loaded && out && !loaded->unreadWeightRows.empty() && !options.reformulation.force) {
        reportProblem(*out + " is not written: the weights named above would be lost; give --force to write it anyway");
        return std::nullopt;
    }
    return loaded;
}

int reformulationReport(const ReportOptions& options, const fs::path& materialFolder)
{
    const Reformulation request = *parseReformulation(options.reformulation).request;
    const std::string& path = options.formulaPaths.front();
    const std::optional<std::string>& out = options.reformulation.writePath;
    const MaterialFiles materials(materialFolder);
    std::optional<LoadedFormula> loaded = loadFormulaToChange(options, materials);
    if (!loaded)
        return 1;
    FormulaSheet& sheet = loaded->sheet;
    if (request.markedRows)
        markRows(sheet, *request.markedRows);
    StderrPrompter prompter;
    AnsweringKeypad keypad(request.value);
    CalculatorState calculator;
    const RecalcOutcome outcome = request.scaling ? Scale(request.scaleKind, sheet, calculator, prompter, keypad)
                                                  : Recalculate(request.quantity, sheet, calculator, prompter, keypad);
    if (outcome == RecalcOutcome::Unchanged)
        reportProblem("the formula already has that value; it is left as it is");
    else if (outcome != RecalcOutcome::Reached)
        return 1;
    if (out) {
        if (const Result<FileStamp> written = FormulaSave(sheet, *out, fs::path(path)); !written) {
            reportProblem(written.problem());
            return 1;
        }
    }
    printFormula(options, *loaded, path);
    return 0;
}

}  // namespace tintora::report

// Any keys on the keypad engine, alone and as the keypad panel on a grid
// cell. The calculator only ever holds finite numbers below its limit; the
// display shows a number, nothing, or the error, which stays until "C"; the
// panel's cell never holds a weight or text beyond the row limits; accepting
// leaves finite totals.
#include "core/calc/Calculate.h"
#include "core/calc/PanelCalculate.h"
#include "core/prompt/Prompter.h"
#include "core/text/NumberText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace tintora;

class SilentPrompter : public Prompter {
public:
    void inform(std::string_view) override { }
    void error(std::string_view) override { }
    bool confirm(std::string_view) override { return true; }
    bool askInformation(std::string_view) override { return true; }
    Answer askYesNoCancel(std::string_view) override { return Answer::No; }
    DiskChangeAnswer askOverwriteOrReload(std::string_view) override { return DiskChangeAnswer::Cancel; }
    KeptCopyAnswer askAboutKeptCopy(std::string_view) override { return KeptCopyAnswer::KeepFile; }
    void reportError(std::string_view) override { }
};

bool held(double value)
{
    return std::isfinite(value) && std::abs(value) < CalcMagnitudeLimit;
}

void checkState(const CalculatorState& state, const std::string& display)
{
    if (!held(state.CalcValue) || !held(state.CalcAccumulator))
        std::abort();
    if (state.CalcError) {
        if (display != CalcErrorText)
            std::abort();
        return;
    }
    if (!parseNumberText(display) || display.find("-0.000") == 0)
        std::abort();
}

void runEngine(std::string_view keys)
{
    CalculatorState state;
    std::string display;
    for (char key : keys) {
        const bool wasError = state.CalcError;
        display = PanelCalculate(state, key, display);
        if (wasError && key != CalcKey::Clear && display != CalcErrorText)
            std::abort();
        checkState(state, display);
    }
}

void runPanel(std::string_view keys, double spec, Column column)
{
    FormulaSheet sheet;
    SheetRow& row = sheet.row(1);
    row.RowKind = true;
    row.props.Spec = spec;
    row.props.Cost = 1.5;
    sheet.setCell(Column::Material, 1, "m");
    sheet.setCell(Column::Weight, 1, "  50.000");
    Calculate(sheet);
    const std::string saved = sheet.cell(column, 1);
    CalculatorState state;
    SilentPrompter prompter;
    const PanelCell cell{column, 1};
    SeedPanelCalculator(state, sheet, cell);
    for (char key : keys) {
        if (key == 'A') {
            if (PanelAccept(sheet, state, prompter, cell, saved))
                for (int b = 0; b < PropertyBoxCount; ++b)
                    if (!std::isfinite(sheet.box(static_cast<PropertyBox>(b))))
                        std::abort();
            continue;
        }
        PanelKey(sheet, state, prompter, cell, key, saved);
        const std::string& text = sheet.cell(column, 1);
        // The weight the cell stands for: its own number, or its volume's.
        const double weight = numberFromText(text) * (column == Column::Weight ? 1 : spec * WaterPoundsPerGallon);
        // (The text saved when the cell was clicked is what a refusal returns to, whatever it holds.)
        if (state.CalcError ? text != CalcErrorText
                            : text != saved
                    && (text.size() > QuantityTextLimit || !(std::abs(weight) <= RowWeightLimit * (1 + 1e-12))))
            std::abort();
    }
}

}  // namespace

// Input: one byte choosing the material's specific gravity and the cell, then the keys.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static constexpr std::array<double, 8> specs = {1, 0, 0.5, 4.1, 1e-9, 1e9, 0.001, 12.5};
    const std::string_view keys(reinterpret_cast<const char*>(data + 1), size - 1);
    runEngine(keys);
    runPanel(keys, specs[data[0] % specs.size()], data[0] & 0x80 ? Column::Volume : Column::Weight);
    return 0;
}

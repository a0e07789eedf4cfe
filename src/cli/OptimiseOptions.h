#pragma once
// The options of tintora-report --optimise: the rows that vary, the total
// kept, the limits on the figures and the cost made least, each read as it is
// given so that a wrong one is named at once.
#include "core/calc/Optimisation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

struct OptimiseOptions {
    bool active = false;  // --optimise
    bool varyAll = false;  // --vary all: every material row
    std::optional<std::vector<VariedRow>> varied;  // --vary ROW[=MIN..MAX],...
    std::optional<KeptTotal> kept;  // --keep volume|weight
    std::optional<double> keptValue;  // --keep volume=V
    std::vector<FigureLimit> limits;  // every --limit, one per figure
    std::optional<CostObjective> objective;  // --minimise

    // An option that belongs to --optimise was given.
    bool anyGiven() const { return active || varyAll || varied || kept || !limits.empty() || objective; }
};

// When args[i] is one of these options, takes it (and its value, moving i
// on) and returns the problem with it, empty when none; nullopt when args[i]
// is none of them.
std::optional<std::string> parseOptimiseOption(
    const std::vector<std::string>& args, std::size_t& i, OptimiseOptions& options);

}  // namespace tintora::report

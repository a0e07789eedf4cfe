#pragma once
// The options of tintora-report that change a formula before it is printed:
// a target on the marked rows (--recalc, --marks) or a scale of the whole
// formula (--scale), and where the result is saved (--write, --force).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tintora::report {

struct ReformulationOptions {
    std::optional<std::string> recalc;  // --recalc QUANTITY=VALUE, as given
    std::optional<std::string> scale;  // --scale weight=VALUE|volume=VALUE|percent, as given
    std::optional<std::string> marks;  // --marks ROWS, as given
    std::optional<std::string> writePath;  // --write OUT.tfx
    bool force = false;  // --force: --write may replace a file

    bool active() const { return recalc || scale; }
};

// When args[i] is one of these options, takes it (and its value, moving i
// on) and returns the problem with it, empty when none; nullopt when args[i]
// is none of them.
std::optional<std::string> parseReformulationOption(
    const std::vector<std::string>& args, std::size_t& i, ReformulationOptions& options);

}  // namespace tintora::report

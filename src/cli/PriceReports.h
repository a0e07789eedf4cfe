#pragma once
// After a price change: what new prices do to the cost of a folder's formulas,
// and the made materials made again from their formulas.
#include "ReportOptions.h"

#include <filesystem>
#include <optional>

namespace tintora::report {

struct PriceFolders {
    std::filesystem::path formulas, materials;
};

// The folder named on the command line, else the Formulas folder; the
// materials from --materials, else from that named folder (which then holds
// both, as --where-used reads one), else the Materials folder. Nullopt after a
// one-line message when either is not a folder.
std::optional<PriceFolders> priceFolders(const ReportOptions& options);

// --cost-change: every formula that uses a code, now and at the new costs, as
// a table, JSON or CSV; a code no formula uses is told on stderr. Writes
// nothing. Exit status 0; 1 when a formula could not be read or a made
// material made again; 2 when a code names no material file or a folder is
// missing.
int costChangeReport(const ReportOptions& options);

// --update-made: each made material made again from its formula, before and
// after; without --dry-run the changed ones written, Made set to the day.
// Exit status 0; 1 when one could not be made again or written; 2 when a
// folder is missing.
int updateMadeReport(const ReportOptions& options);

}  // namespace tintora::report

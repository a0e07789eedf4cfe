#pragma once
// The batch ticket: the formula scaled to one batch, as the plant weighs it.
// One line per material row in formula order with its amount for the batch
// and the running total on the scale, the notes as instructions between them,
// the quality targets with room for the measured figures, and the signatures;
// in the laboratory printout's 80 columns, over as many pages as it takes.
#include "core/print/PagedPrintout.h"
#include "core/sheet/FormulaSheet.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora {

enum class BatchUnit { Pounds, Gallons };

struct BatchSize {
    double amount = 0;
    BatchUnit unit = BatchUnit::Pounds;
};

// "500lb", "500 lb", "55gal", "55.5 GAL" (the number by the number-text rule,
// the unit lb, lbs or gal without regard to case); nullopt for anything else.
std::optional<BatchSize> parseBatchSize(std::string_view text);

// The formula at the batch size: every weighed row by the one factor of the
// whole-formula scale, calculated. refusal says why there is no batch (no
// weight, a row beyond the row limit, no specific gravity for a size in
// gallons), and is empty otherwise.
struct BatchPlan {
    FormulaSheet batch;
    std::string refusal;
};
BatchPlan planBatch(const FormulaSheet& formula, BatchSize size);

// The largest batch in that unit, to three decimals, that keeps every row
// within the row limit; 0 when the formula has nothing to scale.
double largestBatch(const FormulaSheet& formula, BatchUnit unit);

struct TicketHeading {
    std::string fileName;  // the formula file's name alone
    std::string dateText;
    std::string lot;  // empty: a blank to fill in by hand
};

// The ticket's pages. `formula` gives the quality targets, `batch` (from
// planBatch, without refusal) the amounts.
std::vector<PrintPage> BatchTicketPages(
    const FormulaSheet& formula, const FormulaSheet& batch, const TicketHeading& heading, int linesPerPage);

}  // namespace tintora

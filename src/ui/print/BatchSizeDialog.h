#pragma once
// Batch Print's question: the batch size in pounds or gallons and an optional
// lot number. A size that gives no batch (not a number, not above 0, a row
// beyond the row limit) is told through the prompter and the dialog stays.
#include "core/print/BatchTicket.h"
#include "core/prompt/Prompter.h"

#include <QWidget>

#include <optional>
#include <string>

struct BatchRequest {
    tintora::BatchPlan plan;  // without refusal
    std::string lot;
};

std::optional<BatchRequest> askBatchSize(
    QWidget* parent, const tintora::FormulaSheet& formula, tintora::Prompter& prompter);

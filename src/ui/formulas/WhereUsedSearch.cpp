#include "ui/formulas/WhereUsedSearch.h"

#include "core/text/NumberText.h"

#include <exception>
#include <utility>

WhereUsedSearch::WhereUsedSearch(std::filesystem::path formulaFolder, std::filesystem::path materialFolder,
    tintora::WhereUsedQuery query, std::optional<double> newCost, std::function<void()> ended)
    : ended_(std::move(ended))
    , thread_([this, formulas = std::move(formulaFolder), materials = std::move(materialFolder),
                  query = std::move(query), newCost] { run(formulas, materials, query, newCost); })
{
}

WhereUsedSearch::~WhereUsedSearch()
{
    stop();
    wait();
}

void WhereUsedSearch::wait()
{
    if (thread_.joinable())
        thread_.join();
}

void WhereUsedSearch::add(FoundEntry entry)
{
    const std::lock_guard lock(mutex_);
    pending_.found.push_back(std::move(entry));
}

// Nothing may escape the thread: an exception there would end the program.
void WhereUsedSearch::run(const std::filesystem::path& formulaFolder, const std::filesystem::path& materialFolder,
    const tintora::WhereUsedQuery& query, std::optional<double> newCost)
{
    tintora::WhereUsedSummary summary;
    std::string failure;
    std::optional<tintora::Result<tintora::CostChangeAnswer>> cost;
    try {
        summary = tintora::findWhereUsed(formulaFolder, materialFolder, query,
            {[this](const tintora::WhereUsedHit& hit) {
                 add({hit, tintora::FormulaFileState::Formula});
             },
                [this](const std::filesystem::path& file, tintora::FormulaFileState state) {
                    add({{file, {}, 0, {}, 0, 0}, state});
                }},
            &stop_);
        if (newCost && !summary.stopped && !stop_.load())
            cost = tintora::costChangeIn(
                formulaFolder, materialFolder, {{std::string(tintora::trimBlanks(query.text)), *newCost}});
    } catch (const std::exception& e) {
        failure = e.what();
        summary.stopped = true;
    }
    {
        const std::lock_guard lock(mutex_);
        pending_.summary = summary;
        pending_.failure = std::move(failure);
        pending_.cost = std::move(cost);
    }
    if (ended_)
        ended_();
}

WhereUsedSearch::Taken WhereUsedSearch::take()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(pending_, {});
}

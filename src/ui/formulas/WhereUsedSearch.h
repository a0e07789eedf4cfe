#pragma once
// Edit > Find's search on a thread of its own, so that the window answers
// while thousands of formulas are read. What the search finds waits here
// until the window takes it, in batches, so that a search with ten thousand
// uses does not flood the window's event loop with one event each. With a
// new cost for the code searched, the same thread then works out what that
// price does to the cost of the formulas, after the search has gone through.
#include "core/formulas/WhereUsed.h"
#include "core/materials/PriceChanges.h"
#include "ui/formulas/FindResultsModel.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class WhereUsedSearch {
public:
    // What was found since the last take; the summary once the search has ended.
    struct Taken {
        std::vector<FoundEntry> found;
        std::optional<tintora::WhereUsedSummary> summary;
        std::string failure;  // why the search broke off, when it did
        // With the summary, when a new cost was given and the search went through.
        std::optional<tintora::Result<tintora::CostChangeAnswer>> cost;
    };

    // Starts at once. `ended` is called on the searching thread, last.
    // `newCost`: the price the query, taken as a code, is given.
    WhereUsedSearch(std::filesystem::path formulaFolder, std::filesystem::path materialFolder,
        tintora::WhereUsedQuery query, std::optional<double> newCost, std::function<void()> ended);
    // Stops the search and waits for its thread: none outlives this object.
    ~WhereUsedSearch();
    WhereUsedSearch(const WhereUsedSearch&) = delete;
    WhereUsedSearch& operator=(const WhereUsedSearch&) = delete;

    // The search ends after the file it is reading (a file costs bounded time).
    void stop() { stop_.store(true); }
    void wait();
    Taken take();

private:
    void run(const std::filesystem::path& formulaFolder, const std::filesystem::path& materialFolder,
        const tintora::WhereUsedQuery& query, std::optional<double> newCost);
    void add(FoundEntry entry);

    std::atomic<bool> stop_{false};
    std::function<void()> ended_;
    std::mutex mutex_;  // guards what follows, up to the thread
    Taken pending_;
    std::thread thread_;  // last: started once everything it uses exists
};

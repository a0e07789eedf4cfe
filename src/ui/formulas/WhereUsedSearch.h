#pragma once
// Edit > Find's search on a thread of its own, so that the window answers
// while thousands of formulas are read. What the search finds waits here
// until the window takes it, in batches, so that a search with ten thousand
// uses does not flood the window's event loop with one event each.
#include "core/formulas/WhereUsed.h"
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
    };

    // Starts at once. `ended` is called on the searching thread, last.
    WhereUsedSearch(std::filesystem::path formulaFolder, std::filesystem::path materialFolder,
        tintora::WhereUsedQuery query, std::function<void()> ended);
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
        const tintora::WhereUsedQuery& query);
    void add(FoundEntry entry);

    std::atomic<bool> stop_{false};
    std::function<void()> ended_;
    std::mutex mutex_;  // guards what follows, up to the thread
    Taken pending_;
    std::thread thread_;  // last: started once everything it uses exists
};

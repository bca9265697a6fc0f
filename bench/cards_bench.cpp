// Speed of the card operations on a record file of 5,000 cards, each timed whole: reading the
// changed file, rewriting it in memory and replacing it on disk.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_folder.h"
#include "bench/record_file.h"
#include "bench/summary_reporter.h"
#include "store/card_operations.h"
#include "store/codec.h"
#include "store/items.h"
#include "store/profile_service.h"

namespace {

constexpr int kCards = 5000;
constexpr int kRepetitions = 5;

// The benchmark record file, with the reading of each name stored as the item "読み".
const std::string& RecordBytes() {
    static const std::string bytes = [] {
        std::string text = bench::MakeRecordFile(kCards);
        const std::string from = "\r\n" + codec::Sjis("氏名ふりがな") + "=", to = "\r\n" + codec::Sjis("読み") + "=";
        for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
        return text;
    }();
    return bytes;
}

bench::BenchFolder& Folder() {
    static bench::BenchFolder folder;
    return folder;
}

// Runs operation on a fresh copy of the record file in each iteration; writing the copy is not
// timed, reading it is. Each operation is one step of undo, as each user action is.
template <typename Operation>
void OnFreshFile(benchmark::State& state, Operation operation) {
    const cards::RecordCards list(Folder().Path() + "/cards.ini", ItemList({}));
    for (auto _ : state) {
        state.PauseTiming();
        profile::ProfileService::Instance().EndUndoStep();
        Folder().Write("cards.ini", RecordBytes());
        state.ResumeTiming();
        const cards::Outcome outcome = operation(list);
        if (!outcome || outcome.changed == 0) state.SkipWithError("the operation changed nothing");
    }
}

void ApplyDesignToAll(benchmark::State& state) {
    std::vector<std::int32_t> all(kCards);
    for (std::int32_t card = 0; card < kCards; ++card) all[static_cast<std::size_t>(card)] = card;
    OnFreshFile(state, [&](const cards::RecordCards& list) { return list.ApplyDesign(0, all, cards::kAllSlots); });
}
BENCHMARK(ApplyDesignToAll)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// What a change in the property panel or a drag on the tag does first when it goes to 全員.
void FindTheCardsSharingADesign(benchmark::State& state) {
    Folder().Write("cards.ini", RecordBytes());
    const cards::RecordCards list(Folder().Path() + "/cards.ini", ItemList({}));
    for (auto _ : state)
        if (list.SharingDesign(0, 1).empty()) state.SkipWithError("card 0 was not found");
}
BENCHMARK(FindTheCardsSharingADesign)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

void DeleteACardNearTheTop(benchmark::State& state) {
    OnFreshFile(state, [](const cards::RecordCards& list) { return list.Delete({3}); });
}
BENCHMARK(DeleteACardNearTheTop)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

void SortByReading(benchmark::State& state) {
    const std::string reading = codec::Sjis("読み");
    OnFreshFile(state, [&](const cards::RecordCards& list) { return list.Sort(reading); });
}
BENCHMARK(SortByReading)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::string size = " (5,000 cards, " + std::to_string(RecordBytes().size() / 1000) + " kB)";
    bench::SummaryReporter reporter({
        {"ApplyDesignToAll", "apply a design to all cards" + size, false, 200e-3},
        {"FindTheCardsSharingADesign", "find the cards sharing a design" + size, false, 100e-3},
        {"DeleteACardNearTheTop", "delete one card near the top" + size, false, 200e-3},
        {"SortByReading", "sort by 読み" + size, false, 200e-3},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

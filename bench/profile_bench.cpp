// Speed of the profile-file layer on a record file of 1,000 cards: parsing it, reading a key
// while it is unchanged, and saving a batch of edits.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_folder.h"
#include "bench/record_file.h"
#include "bench/summary_reporter.h"
#include "store/codec.h"
#include "store/exact_text.h"
#include "store/profile_document.h"
#include "store/profile_service.h"
#include "store/profiles.h"

namespace {

constexpr int kCards = 1000;
constexpr int kRepetitions = 10;

const std::string& RecordBytes() {
    static const std::string bytes = bench::MakeRecordFile(kCards);
    return bytes;
}

const std::vector<std::string>& CardSections() {
    static const std::vector<std::string> sections = [] {
        std::vector<std::string> names;
        for (int card = 0; card < kCards; ++card) names.push_back(bench::CardSection(card));
        return names;
    }();
    return sections;
}

bench::BenchFolder& Folder() {
    static bench::BenchFolder folder;
    return folder;
}

void ParseRecordFile(benchmark::State& state) {
    const std::string& bytes = RecordBytes();
    for (auto _ : state) {
        profile::ProfileDocument document = profile::ProfileDocument::Parse(bytes);
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(ParseRecordFile)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

void ReadStringFromUnchangedFile(benchmark::State& state) {
    const ProfileFile file(Folder().Write("read.ini", RecordBytes()));
    const std::string& section = CardSections()[kCards / 2];
    const std::string key = codec::Sjis("1氏名Font");
    if (file.ReadString(section, key, "").empty()) state.SkipWithError("the record file lacks the key");
    for (auto _ : state) benchmark::DoNotOptimize(file.ReadString(section, key, ""));
}
BENCHMARK(ReadStringFromUnchangedFile)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

void Write1000KeysAndFlush(benchmark::State& state) {
    const ProfileFile file(Folder().Write("write.ini", RecordBytes()));
    const std::string key = codec::Sjis("1氏名Xpos");
    int next = 0;
    for (auto _ : state) {
        // Every value differs from the stored one, so each write changes the file.
        for (const std::string& section : CardSections()) file.WriteString(section, key, std::to_string(++next));
        if (!file.Flush()) state.SkipWithError("the record file could not be written");
        // One step of undo per round, as per user action.
        profile::ProfileService::Instance().EndUndoStep();
    }
}
BENCHMARK(Write1000KeysAndFlush)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// A 4 MB exact text of escapes that never close, as a damaged or hostile file may hold: shown,
// made plain and listed as UTF-8 in one pass each.
void ReadUnclosedEscapes(benchmark::State& state) {
    std::string text;
    while (text.size() < (4u << 20)) text += "&#x1";
    for (auto _ : state) {
        benchmark::DoNotOptimize(exact_text::Plain(text));
        benchmark::DoNotOptimize(exact_text::ToUtf8(text));
    }
}
BENCHMARK(ReadUnclosedEscapes)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::string size = std::to_string(RecordBytes().size() / 1000) + " kB";
    bench::SummaryReporter reporter({
        {"ParseRecordFile", "parse a 1,000-card record file (" + size + ")", true, 100},
        {"ReadStringFromUnchangedFile", "read a key of the unchanged file", false, 1e-6},
        {"Write1000KeysAndFlush", "1,000 writes and one flush", false, 50e-3},
        {"ReadUnclosedEscapes", "a 4 MB exact text of unclosed escapes, plain and UTF-8", false, 1.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

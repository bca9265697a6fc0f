// Loading the whole label-sheet catalogue: every file of the installed template database, the
// built-in layouts and the user's files, checked product by product, as the sheet chooser does
// the first time it opens.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "bench/bench_folder.h"
#include "bench/summary_reporter.h"
#include "sheets/catalogue.h"

namespace {

constexpr int kRepetitions = 10;

void LoadWholeCatalogue(benchmark::State& state) {
    const sheets::CatalogueSources sources = sheets::DefaultSources();
    std::size_t products = 0;
    for (auto _ : state) {
        sheets::SheetCatalogue catalogue;
        catalogue.Load(sources);
        if (!catalogue.CatalogueInstalled()) state.SkipWithError("the template database (glabels-data) is not installed");
        products = catalogue.Products().size();
        benchmark::DoNotOptimize(catalogue);
    }
    state.counters["products"] = static_cast<double>(products);
}
BENCHMARK(LoadWholeCatalogue)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    // A home of its own, so that no saved sheets of the user's are read.
    bench::BenchFolder folder;
    setenv("ZULNAME_HOME", folder.Path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::SummaryReporter reporter({
        {"LoadWholeCatalogue", "load the whole label-sheet catalogue", false, 0.3},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

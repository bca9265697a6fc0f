// Opening the roster on a record file of 5,000 cards: from making the dock to its first paint,
// the record file read afresh; and Ctrl+A while a search shows every fourth card, the hidden
// rows dropped from the selection and the selected cards counted as an action counts them.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTableView>

#include <memory>
#include <string>

#include "bench/bench_folder.h"
#include "bench/record_file.h"
#include "bench/summary_reporter.h"
#include "render/qt/offscreen.h"
#include "store/profiles.h"
#include "view/qt/roster_dock.h"

namespace {

constexpr int kCards = 5000;

class SilentPrompts : public RosterPrompts {
public:
    bool Confirm(QWidget*, const QString&) override { return false; }
    std::optional<std::int32_t> ChooseDesignSlots(QWidget*, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
        return std::nullopt;
    }
    void Tell(QWidget*, const QString&) override {}
};

// Notes when the table's cells were first painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return QObject::eventFilter(watched, event);
    }
};

void OpenRosterOn5000Cards(benchmark::State& state) {
    static bench::BenchFolder folder;
    const std::string bytes = bench::MakeRecordFile(kCards);
    const SettingsProfile settings;
    SilentPrompts prompts;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = folder.Write("roster.ini", bytes);
        RecordProfile record;
        record.SetPath(path);
        auto window = std::make_unique<QMainWindow>();
        window->resize(1200, 800);
        window->show();
        QApplication::processEvents();
        PaintWatch watch;
        state.ResumeTiming();

        auto* dock = new CRosterDock(settings, record, {}, prompts, window.get());
        dock->Table()->viewport()->installEventFilter(&watch);
        window->addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->Reload();
        while (!watch.painted) QApplication::processEvents();

        state.PauseTiming();
        if (dock->Table()->model()->rowCount() != kCards) state.SkipWithError("the roster does not show every card");
        dock->Table()->viewport()->removeEventFilter(&watch);
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenRosterOn5000Cards)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

void SelectAllOverASearchOf5000Cards(benchmark::State& state) {
    static bench::BenchFolder folder;
    const SettingsProfile settings;
    SilentPrompts prompts;
    RecordProfile record;
    record.SetPath(folder.Write("search.ini", bench::MakeRecordFile(kCards)));
    QMainWindow window;
    window.resize(1200, 800);
    auto* dock = new CRosterDock(settings, record, {}, prompts, &window);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    window.show();
    dock->Reload();
    dock->SearchField()->setText(QString::fromUtf8("山田"));
    QApplication::processEvents();
    for (auto _ : state) {
        dock->Table()->clearSelection();
        dock->Table()->selectAll();
        if (dock->SelectedCount() != kCards / 4) state.SkipWithError("the selection holds hidden rows");
    }
}
BENCHMARK(SelectAllOverASearchOf5000Cards)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    PreferOffscreenPlatform();
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::SummaryReporter reporter({{"OpenRosterOn5000Cards", "open the roster on 5,000 cards, to first paint", false, 300e-3},
                                     {"SelectAllOverASearchOf5000Cards", "Ctrl+A over a search of 5,000 cards", false, 100e-3}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

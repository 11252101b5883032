// The continuous-record table on screen with 100,000 records x 8 columns: showing a new table in the view, and
// painting the view scrolled to places all over the series. "cells_per_paint" counts the model's data() calls of
// one paint: it stays the cells in sight, however long the series is.
#include "continuous/ContinuousRecord.h"
#include "continuous/ui/ContinuousGrid.h"

#include <QApplication>
#include <QIdentityProxyModel>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int Records = 100'000;
constexpr int Columns = 8;

// Counts the view's questions on the way to the table's model.
class CountingProxy final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        ++calls;
        return QIdentityProxyModel::data(index, role);
    }
    mutable long long calls = 0;
};

vanto::ContinuousTable Series() {
    std::string csv = "No.,";
    for (int j = 1; j < Columns; ++j) {
        csv += "item" + std::to_string(j) + ",";
    }
    csv += "\r\n,";
    for (int j = 1; j < Columns; ++j) {
        csv += "unit" + std::to_string(j) + ",";
    }
    csv += "\r\n";
    for (int n = 1; n <= Records; ++n) {
        csv += std::to_string(n);
        for (int j = 1; j < Columns; ++j) {
            csv += "," + std::to_string((n * j * 7 + j * 13) % 1000);
        }
        csv += "\r\n";
    }
    return vanto::ParseCsv(csv);
}

struct Setup {
    std::unique_ptr<vanto::ContinuousTableModel> model = std::make_unique<vanto::ContinuousTableModel>();
    std::unique_ptr<CountingProxy> proxy = std::make_unique<CountingProxy>();
    std::unique_ptr<vanto::ContinuousGridView> view = std::make_unique<vanto::ContinuousGridView>();
    vanto::ContinuousTable table = Series();

    Setup() {
        proxy->setSourceModel(model.get());
        view->setModel(proxy.get());
        view->resize(820, 600);
        view->show();
    }
};

Setup& Shared() {
    static Setup setup;
    return setup;
}

void ShowTable(benchmark::State& state) {
    Setup& s = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        vanto::ContinuousTable copy = s.table;
        state.ResumeTiming();
        s.model->SetTable(std::move(copy));
        QApplication::processEvents();
    }
    state.counters["rows"] = s.model->rowCount();
}

void PaintScrolled(benchmark::State& state) {
    Setup& s = Shared();
    if (s.model->rowCount() != Records) {
        s.model->SetTable(s.table);
    }
    QScrollBar* bar = s.view->verticalScrollBar();
    long long paints = 0;
    s.proxy->calls = 0;
    for (auto _ : state) {
        // A jump to a place spread over the series, then one full paint of the view.
        bar->setValue(static_cast<int>((paints * 7919) % (bar->maximum() + 1)));
        s.view->grab();
        ++paints;
    }
    state.counters["cells_per_paint"] = static_cast<double>(s.proxy->calls) / static_cast<double>(paints);
}

BENCHMARK(ShowTable)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(PaintScrolled)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

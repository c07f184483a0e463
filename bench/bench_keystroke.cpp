// Keystroke latency: one character typed into the flow box, through real key events on
// the offscreen platform, until all ten result captions are rewritten. Each iteration
// types a digit and deletes it again: two keystrokes, two recalculations. With the sizing
// window open, every keystroke also refreshes its table (every standard size evaluated
// again) and the pending repaints of both windows are done.

#include "random_system.h"
#include "ui/calculator/calculator_form.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/system_document.h"
#include "ui/tool_windows/sizing_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void keystroke(benchmark::State& state, const char* shapeOption, bool withSizing) {
    ui::CalculatorForm form;
    form.show();
    std::unique_ptr<ui::SizingWindow> sizing;
    if (withSizing) {
        sizing = std::make_unique<ui::SizingWindow>(&form, nullptr);
        sizing->show();
    }
    if (!QTest::qWaitForWindowExposed(&form) ||
        (sizing && !QTest::qWaitForWindowExposed(sizing.get()))) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    QTest::mouseClick(form.findChild<QRadioButton*>(shapeOption), Qt::LeftButton, {}, QPoint(8, 8));
    auto* flow = form.findChild<QLineEdit*>("Text1");
    flow->setFocus();
    QTest::keyClicks(flow, "360");
    for (auto _ : state) {
        for (const Qt::Key key : {Qt::Key_5, Qt::Key_Backspace}) {
            QTest::keyClick(flow, key);
            if (sizing) {
                QCoreApplication::processEvents();
            }
        }
    }
    state.counters["per_keystroke"] =
        benchmark::Counter(2.0 * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One outlet's flow edited in a shown system of 5,000 segments, until the table is repainted:
// the whole system is recalculated on every edit.
void systemEdit(benchmark::State& state) {
    ui::CalculatorForm form;
    ui::DuctSystemWindow window(&form, nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    QList<QStringList> block;
    for (const ductsys::Segment& segment : sample::randomSystem(5000)) {
        QStringList cells;
        for (const std::string& cell : segment.cells) {
            cells << QString::fromStdString(cell);
        }
        block << cells;
    }
    window.document()->paste(0, 0, block);
    const int outlet = int(block.size()) - 1;
    auto* table = window.findChild<QTableView*>("systemTable");
    table->scrollTo(table->model()->index(outlet, ductsys::Flow));
    QCoreApplication::processEvents();
    int flow = 1000;
    for (auto _ : state) {
        window.document()->setCell(outlet, ductsys::Flow, QString::number(++flow));
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(systemEdit)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keystroke, circular, "Option1", false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystroke, elliptic, "Option6", false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystroke, elliptic_with_sizing, "Option6", true)->Unit(benchmark::kMicrosecond);

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Keystroke latency: one character typed into the flow box, through real key events on
// the offscreen platform, until all ten result captions are rewritten. Each iteration
// types a digit and deletes it again: two keystrokes, two recalculations. With the sizing
// window open, every keystroke also refreshes its table (every standard size evaluated
// again) and the pending repaints of both windows are done.

#include "ui/calculator/calculator_form.h"
#include "ui/tool_windows/sizing_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
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

} // namespace

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

// Keystroke latency: one character typed into the flow box, through real key events on
// the offscreen platform, until all ten result captions are rewritten. Each iteration
// types a digit and deletes it again: two keystrokes, two recalculations.

#include "ui/form1.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

void keystroke(benchmark::State& state, const char* shapeOption) {
    ui::Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    QTest::mouseClick(form.findChild<QRadioButton*>(shapeOption), Qt::LeftButton, {}, QPoint(8, 8));
    auto* flow = form.findChild<QLineEdit*>("Text1");
    flow->setFocus();
    QTest::keyClicks(flow, "360");
    for (auto _ : state) {
        QTest::keyClick(flow, Qt::Key_5);
        QTest::keyClick(flow, Qt::Key_Backspace);
    }
    state.counters["per_keystroke"] =
        benchmark::Counter(2.0 * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK_CAPTURE(keystroke, circular, "Option1")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystroke, elliptic, "Option6")->Unit(benchmark::kMicrosecond);

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

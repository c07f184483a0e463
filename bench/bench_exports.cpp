// The system's calculation sheet and workbook: the PDF of the generated system of 300
// segments and the Excel workbook of the one of 5,000, each calculated and written to a
// file of a temporary folder, as `--export` does once the project is open. The PDF's text
// is laid out and embedded through Qt Gui, hence the application on the offscreen platform.
#include "exports/system_sheet.h"
#include "files/fitting_library.h"
#include "files/system_workbook.h"
#include "random_system.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using Writer = std::optional<QString> (*)(const QString&, const files::SystemReport&);

// Calculates the generated system of `count` segments and writes it with `write` on every
// iteration; a failure ends the benchmark, as its figures would be void.
void exportSystem(benchmark::State& bench, Writer write, std::size_t count, const char* fileName) {
    const auto segments = sample::randomSystem(count);
    const ductsys::Settings settings;
    const QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(fileName));
    for (auto _ : bench) {
        const ductsys::SystemResult result =
            ductsys::calculate(segments, settings, files::fittingLibrary());
        const files::SystemReport report{files::systemName(path), QDate::currentDate(), segments,
                                         settings, result};
        if (const auto reason = write(path, report)) {
            bench.SkipWithError(reason->toStdString().c_str());
            break;
        }
    }
}

} // namespace

BENCHMARK_CAPTURE(exportSystem, sheet_300, exports::writeSystemSheet, 300, "system.pdf")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportSystem, workbook_5000, files::writeSystemWorkbook, 5000, "system.xlsx")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

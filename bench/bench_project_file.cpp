// The duct system's files on the generated system of 5,000 segments: opening its project
// file from the bytes read, saving it (the JSON written and the file replaced as the program
// saves), and exporting the table as CSV (calculated, written out and saved to a file).
#include "files/file_access.h"
#include "files/project_file.h"
#include "files/system_csv.h"
#include "random_system.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

files::Project sampleProject() {
    return {sample::randomSystem(5000), {}, {}};
}

// Saves as the program does; false after a failure, which ends the benchmark, as its
// figures would be void.
bool save(benchmark::State& bench, const QString& path, const QByteArray& bytes) {
    if (const auto reason = files::writeFileAtomically(path, bytes)) {
        bench.SkipWithError(reason->toStdString().c_str());
        return false;
    }
    return true;
}

void openProject(benchmark::State& bench) {
    const QByteArray bytes = files::projectBytes(sampleProject());
    for (auto _ : bench) {
        benchmark::DoNotOptimize(files::readProject(bytes));
    }
}
BENCHMARK(openProject)->Unit(benchmark::kMillisecond);

void saveProject(benchmark::State& bench) {
    const files::Project project = sampleProject();
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("system.ductsys"));
    for (auto _ : bench) {
        if (!save(bench, path, files::projectBytes(project))) {
            break;
        }
    }
}
BENCHMARK(saveProject)->Unit(benchmark::kMillisecond);

void exportCsv(benchmark::State& bench) {
    const files::Project project = sampleProject();
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("system.csv"));
    for (auto _ : bench) {
        if (!save(bench, path,
                  files::systemCsv(project.segments,
                                   ductsys::calculate(project.segments, project.settings)))) {
            break;
        }
    }
}
BENCHMARK(exportCsv)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Times whole processes, from start to exit right after their first window is painted, for
// the calculator, a minimal Qt window and that window with one line of Chinese text, in
// alternating runs, and prints the medians of time and peak memory with their ratios to
// the window with text: the floor for any window that shows Chinese.
//   startup_launcher <calculator> <minimal> <minimal with text> [runs]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Run {
    double milliseconds;
    long peakKilobytes;
};

Run launch(const QString& program) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForFinished(30000)) {
        qFatal("%s did not finish", qPrintable(program));
    }
    const double milliseconds = clock.nsecsElapsed() / 1e6;
    const QList<QByteArray> report = process.readAllStandardOutput().split('\n');
    if (report.size() < 2 || report[0] != "exposed" || !report[1].startsWith("peak ")) {
        qFatal("%s: unexpected report '%s'", qPrintable(program), report.join('|').constData());
    }
    return {milliseconds, report[1].mid(5).toLong()};
}

template <class T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Program {
    const char* label;
    QString path;
    std::vector<double> times;
    std::vector<long> peaks;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        qCritical("usage: startup_launcher <calculator> <minimal> <minimal with text> [runs]");
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : 21;
    std::vector<Program> programs = {{"calculator", argv[1], {}, {}},
                                     {"minimal", argv[2], {}, {}},
                                     {"minimal + text", argv[3], {}, {}}};
    for (const Program& program : programs) {
        launch(program.path); // warms the file cache
    }
    // Alternating runs share whatever else the machine is doing.
    for (int i = 0; i < runs; ++i) {
        for (Program& program : programs) {
            const Run run = launch(program.path);
            program.times.push_back(run.milliseconds);
            program.peaks.push_back(run.peakKilobytes);
        }
    }
    const double floorTime = median(programs[2].times);
    const double floorPeak = double(median(programs[2].peaks));
    std::printf("start to exit after the first painted window, and peak RSS, median of %d "
                "runs:\n",
                runs);
    for (const Program& program : programs) {
        const double time = median(program.times);
        const double peak = double(median(program.peaks));
        std::printf("  %-15s %7.1f ms (%.2f x text)   %7.0f KiB (%.2f x text)\n", program.label,
                    time, time / floorTime, peak, peak / floorPeak);
    }
    return 0;
}

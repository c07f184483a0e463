#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <sys/resource.h>

// Start-up benchmarks: reports on standard output the moment the first window is exposed,
// then quits once that window is painted and reports the peak resident memory of the run.
// The launcher times the whole process.
class ExposureProbe : public QObject {
public:
    ExposureProbe() {
        qApp->installEventFilter(this);
        connect(qApp, &QCoreApplication::aboutToQuit, [] {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("peak %ld\n", usage.ru_maxrss); // KiB on Linux
            std::fflush(stdout);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !reported) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                reported = true;
                std::printf("exposed\n");
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
        }
        return false;
    }

private:
    bool reported = false;
};

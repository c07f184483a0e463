#pragma once

#include "files/project_file.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>

namespace ui {

class SystemDocument;

// A copy of a modified duct system in the program's data folder, written at most every
// 30 s while the system has unsaved changes and removed once it has none, so that work
// outlives a crash. Each running program holds a lock beside its copy; a copy whose lock
// nobody holds was left by a program that ended abnormally.
class RecoveryCopy : public QObject {
    Q_OBJECT

public:
    static constexpr int defaultInterval = 30'000; // ms

    RecoveryCopy(SystemDocument* document, QObject* parent);
    ~RecoveryCopy() override;

    void setInterval(int milliseconds) { timer_.setInterval(milliseconds); }
    // The file the system was last saved to or opened from, named in the copy.
    void setFilePath(const QString& path) { filePath_ = path; }
    // Writes the copy now if the system is modified.
    void write();
    // Removes the copy, as when the changes are saved or given up.
    void discard();

    struct Left {
        QString copy;     // the copy's path
        QString filePath; // the file it was a modified copy of, empty for a new system
        files::Project project;
    };
    // The newest readable copy that a program which ended abnormally left, if any.
    static std::optional<Left> leftBehind();
    static void removeLeft(const Left& left);

private:
    void changed();

    SystemDocument* document_;
    QTimer timer_;
    QString filePath_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace ui

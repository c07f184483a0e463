#include "ui/system_window/recovery_copy.h"

#include "files/file_access.h"
#include "ui/system_window/system_document.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QUuid>

namespace ui {

namespace {

// The copy names the file it was made from under this key of its top level.
const QLatin1String recoveryKey("recovery");
const QLatin1String fileKey("file");
const QLatin1String copySuffix(".ductsys");
const QLatin1String lockSuffix(".lock");

QString recoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QLatin1String("/recovery");
}

QString lockPathOf(const QString& copy) {
    return copy.chopped(copySuffix.size()) + lockSuffix;
}

} // namespace

RecoveryCopy::RecoveryCopy(SystemDocument* document, QObject* parent)
    : QObject(parent)
    , document_(document) {
    timer_.setSingleShot(true);
    timer_.setInterval(defaultInterval);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::write);
    connect(document_, &SystemDocument::calculated, this, &RecoveryCopy::changed);
    connect(document_->undoStack(), &QUndoStack::cleanChanged, this, &RecoveryCopy::changed);
}

RecoveryCopy::~RecoveryCopy() {
    discard();
}

void RecoveryCopy::changed() {
    if (!document_->isModified()) {
        discard();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

void RecoveryCopy::write() {
    if (!document_->isModified()) {
        return;
    }
    // The lock comes first: a copy is never without the lock that marks its program alive.
    if (!lock_) {
        const QString folder = recoveryFolder();
        const QString base =
            folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces);
        auto lock = std::make_unique<QLockFile>(base + lockSuffix);
        if (!QDir().mkpath(folder) || !lock->tryLock(0)) {
            return; // tried again at the next change
        }
        lock_ = std::move(lock);
        copyPath_ = base + copySuffix;
    }
    files::Project project = document_->project();
    project.unknownKeys.file.insert(recoveryKey, QJsonObject{{fileKey, filePath_}});
    // A failure leaves the last copy; the next change tries again.
    files::writeFileAtomically(copyPath_, files::projectBytes(project));
}

void RecoveryCopy::discard() {
    timer_.stop();
    if (!copyPath_.isEmpty()) {
        QFile::remove(copyPath_);
    }
}

std::optional<RecoveryCopy::Left> RecoveryCopy::leftBehind() {
    const QFileInfoList copies =
        QDir(recoveryFolder())
            .entryInfoList({QLatin1Char('*') + copySuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        // A lock that can be taken belongs to no running program.
        QLockFile lock(lockPathOf(copy.filePath()));
        if (!lock.tryLock(0)) {
            continue;
        }
        auto read = files::openProjectFile(copy.filePath());
        if (auto* project = std::get_if<files::Project>(&read)) {
            const QString filePath =
                project->unknownKeys.file.take(recoveryKey).toObject().value(fileKey).toString();
            return Left{copy.filePath(), filePath, std::move(*project)};
        }
    }
    return std::nullopt;
}

void RecoveryCopy::removeLeft(const Left& left) {
    QFile::remove(left.copy);
    QFile::remove(lockPathOf(left.copy));
}

} // namespace ui

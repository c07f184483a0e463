#include "files/file_access.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {

// Qt's own error texts are English and name system calls; the user needs the cause.
QString saveErrorText(const QFileDevice& file) {
    return saveErrorText(file.fileName(), file.error());
}

QString saveErrorText(const QString& path, QFileDevice::FileError error) {
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return QString::fromUtf8("文件夹不存在。");
    }
    if (error == QFileDevice::ResourceError) {
        return QString::fromUtf8("磁盘空间不足。");
    }
    if (error == QFileDevice::PermissionsError || !folder.isWritable() ||
        (target.exists() && !target.isWritable())) {
        return QString::fromUtf8("没有写入权限。");
    }
    return QString::fromUtf8("无法创建文件。");
}

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        return saveErrorText(file);
    }
    return std::nullopt;
}

std::variant<Project, QString> openProjectFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString::fromUtf8(file.exists() ? "无法读取文件。" : "文件不存在。");
    }
    return readProject(file.readAll());
}

} // namespace files

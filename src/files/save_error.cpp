#include "files/save_error.h"

#include <QFileDevice>
#include <QFileInfo>

namespace files {

// Qt's own error texts are English and name system calls; the user needs the cause.
QString saveErrorText(const QFileDevice& file) {
    const QFileInfo target(file.fileName());
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return QString::fromUtf8("文件夹不存在。");
    }
    if (file.error() == QFileDevice::ResourceError) {
        return QString::fromUtf8("磁盘空间不足。");
    }
    if (file.error() == QFileDevice::PermissionsError || !folder.isWritable() ||
        (target.exists() && !target.isWritable())) {
        return QString::fromUtf8("没有写入权限。");
    }
    return QString::fromUtf8("无法创建文件。");
}

} // namespace files

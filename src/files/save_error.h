#pragma once

#include <QString>

class QFileDevice;

// Why a file could not be written, in Chinese, for the messages that name the path: the
// folder is missing, no permission, the disk is full, or the file could not be created.
namespace files {

QString saveErrorText(const QFileDevice& file);

} // namespace files

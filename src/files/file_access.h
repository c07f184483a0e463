#pragma once

#include "files/project_file.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>
#include <variant>

// The user's files on disk, with the reasons of failure in Chinese for messages that name
// the path.
namespace files {

// Why a file could not be written: the folder is missing, no permission, the disk is full,
// or the file could not be created.
QString saveErrorText(const QFileDevice& file);
// The same for a file written other than through Qt, with the error its writer met.
QString saveErrorText(const QString& path, QFileDevice::FileError error);

// Writes the whole file or nothing: until it is complete the old file stays as it was.
// Returns why it failed.
std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes);

// The project a file holds, or why it cannot be opened.
std::variant<Project, QString> openProjectFile(const QString& path);

} // namespace files

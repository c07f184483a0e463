#include "files/command_line.h"

#include "files/file_access.h"
#include "files/system_csv.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#endif

namespace files {

namespace {

// UTF-8 for a pipe or a file, as scripts read it; a Windows console is written in UTF-16,
// which it shows whatever its code page.
int fail(const QString& reason) {
    const QString line = reason + QLatin1Char('\n');
#ifdef _WIN32
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode)) {
        WriteConsoleW(console, line.utf16(), DWORD(line.size()), nullptr, nullptr);
        return 1;
    }
#endif
    std::fputs(line.toUtf8().constData(), stderr);
    return 1;
}

} // namespace

int exportFromCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("export"),
                                    QString::fromUtf8("计算管网文件，写出其表格。"),
                                    QStringLiteral("OUT.csv"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE.ductsys"), QString::fromUtf8("管网文件"));
    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1) {
        return fail(QString::fromUtf8("用法：ductcalc --export OUT.csv FILE.ductsys"));
    }
    const QString target = parser.value(output);
    if (QFileInfo(target).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
        return fail(QString::fromUtf8("无法导出 %1：只支持 .csv 文件。").arg(target));
    }
    const auto project = openProjectFile(inputs.front());
    if (const QString* reason = std::get_if<QString>(&project)) {
        return fail(QString::fromUtf8("无法打开 %1：%2").arg(inputs.front(), *reason));
    }
    const Project& system = std::get<Project>(project);
    const QByteArray csv =
        systemCsv(system.segments, ductsys::calculate(system.segments, system.settings));
    if (const auto reason = writeFileAtomically(target, csv)) {
        return fail(QString::fromUtf8("无法写入 %1：%2").arg(target, *reason));
    }
    return 0;
}

} // namespace files

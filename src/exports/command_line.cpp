#include "exports/command_line.h"

#include "exports/system_sheet.h"
#include "files/file_access.h"
#include "files/fitting_library.h"
#include "files/system_csv.h"
#include "files/system_workbook.h"
#include "system/system_table.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#ifdef _WIN32
#include <windows.h>
#endif

namespace exports {

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

std::optional<QString> writeSystemAs(const QString& target, const files::SystemReport& report) {
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix == QLatin1String("csv")) {
        return files::writeFileAtomically(target, files::systemCsv(report.segments, report.result));
    }
    if (suffix == QLatin1String("xlsx")) {
        return files::writeSystemWorkbook(target, report);
    }
    if (suffix == QLatin1String("pdf")) {
        return writeSystemSheet(target, report);
    }
    return QString::fromUtf8("只支持 .csv、.xlsx 和 .pdf 文件。");
}

int exportFromCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption output(QStringLiteral("export"),
                                    QString::fromUtf8("计算管网文件，写出表格、工作簿或计算书。"),
                                    QStringLiteral("OUT"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("FILE.ductsys"), QString::fromUtf8("管网文件"));
    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1) {
        return fail(
            QString::fromUtf8("用法：ductcalc --export OUT.csv|OUT.xlsx|OUT.pdf FILE.ductsys"));
    }
    const QString target = parser.value(output);
    const auto project = files::openProjectFile(inputs.front());
    if (const QString* reason = std::get_if<QString>(&project)) {
        return fail(QString::fromUtf8("无法打开 %1：%2").arg(inputs.front(), *reason));
    }
    const files::Project& system = std::get<files::Project>(project);
    const ductsys::SystemResult result =
        ductsys::calculate(system.segments, system.settings, files::fittingLibrary());
    // A script cannot be asked whether an incomplete sheet will do, so none is written.
    if (!result.complete()) {
        return fail(QString::fromUtf8("未导出 %1：%2")
                        .arg(inputs.front(), QString::fromStdString(ductsys::incompleteNotice(
                                                 system.segments, result))));
    }
    const files::SystemReport report{files::systemName(inputs.front()), QDate::currentDate(),
                                     system.segments, system.settings, result};
    if (const auto reason = writeSystemAs(target, report)) {
        return fail(QString::fromUtf8("无法写入 %1：%2").arg(target, *reason));
    }
    return 0;
}

} // namespace exports

// The workbook and the calculation sheet read back as a user's tools read them: the
// workbook's parts unzipped, the sheet's text through pdftotext.

#include "exports/command_line.h"
#include "system/system_table.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using ductsys::Column;

namespace {

// A tree of segments: each hangs from the one three before it, or from the fan; outlets
// carry 1200 m3/h through round ducts, the others sum their flows in rectangular ones.
std::vector<ductsys::Segment> branchingSystem(int count) {
    std::vector<ductsys::Segment> segments(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto& cells = segments[std::size_t(i)].cells;
        const bool outlet = i + 3 >= count;
        // Named through QString: GCC 12 at -O3 sees a false overlap in "S" + std::string.
        const auto id = [](int n) { return QStringLiteral("S%1").arg(n).toStdString(); };
        cells = {id(i + 1), i < 3 ? "" : id(i - 2),
                 "",        outlet ? "1200" : "",
                 "8",       outlet ? "圆形" : "矩形",
                 "自动",    "0.5",
                 "0",       ""};
    }
    return segments;
}

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitCode() == 0 ? process.readAllStandardOutput()
                                                                : QByteArray();
}

} // namespace

class TestSystemExports : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    const ductsys::Settings settings{};

    files::SystemReport report(const std::vector<ductsys::Segment>& segments,
                               const ductsys::SystemResult& result) const {
        return {QStringLiteral("test"), QDate(2026, 12, 8), segments, settings, result};
    }

private slots:
    // Linked with the program, the workbook's library would cost every start its dynamic
    // linking (with OpenSSL's); it is opened by the first workbook. First of the tests, so
    // that no workbook has been written before.
    void workbookLibraryOpenedByTheFirstWorkbook() {
#ifndef DUCTCALC_XLSXWRITER_SONAME
        QSKIP("the library is linked with the program here");
#else
        const auto mapped = [] {
            QFile maps(QStringLiteral("/proc/self/maps"));
            return maps.open(QIODevice::ReadOnly) &&
                   maps.readAll().contains(DUCTCALC_XLSXWRITER_SONAME);
        };
        QVERIFY(!mapped());
        const auto segments = branchingSystem(3);
        const QString book = folder.filePath(QStringLiteral("first.xlsx"));
        QCOMPARE(
            exports::writeSystemAs(book, report(segments, ductsys::calculate(segments, settings))),
            std::nullopt);
        QVERIFY(mapped());
#endif
    }

    // The sheets, the headers, a row's numbers as numbers, and the losses as formulas whose
    // cached values are the program's.
    void workbookReadsBack() {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()) {
            QSKIP("no unzip");
        }
        const auto segments = branchingSystem(6);
        const auto result = ductsys::calculate(segments, settings);
        const QString book = folder.filePath(QStringLiteral("system.xlsx"));
        QCOMPARE(exports::writeSystemAs(book, report(segments, result)), std::nullopt);
        const auto part = [&](const char* name) {
            return QString::fromUtf8(run(QStringLiteral("unzip"), {"-p", book, name}));
        };
        QVERIFY(part("xl/workbook.xml")
                    .contains(QRegularExpression(
                        QString::fromUtf8("管段明细.*最不利环路.*并联平衡.*参数"))));
        for (int column = 0; column < ductsys::tableColumnCount; ++column) {
            QVERIFY(part("xl/sharedStrings.xml")
                        .contains(QString::fromUtf8(ductsys::columnHeader(column).data())));
        }
        const QString sheet = part("xl/worksheets/sheet1.xml");
        QVERIFY(sheet.contains(QStringLiteral(R"(<c r="E2" s="3"><v>8</v></c>)")));
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const QString row = QString::number(i + 2);
            const auto cached = [&](const QString& formula) {
                const auto match = QRegularExpression(QStringLiteral("<f>%1</f><v>([^<]+)</v>")
                                                          .arg(QRegularExpression::escape(formula)))
                                       .match(sheet);
                return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
            };
            const auto& segment = result.segments[i];
            QCOMPARE(float(cached(QStringLiteral("O%1+P%1+I%1").arg(row))), float(segment.total));
            QCOMPARE(float(cached(QStringLiteral("H%1*N%1").arg(row))), float(segment.local));
        }
    }

    // As many pages as the table needs, each with the table's header and its page number;
    // every segment's row on one page only.
    void sheetPages_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("1") << 1;
        QTest::newRow("40") << 40;
        QTest::newRow("300") << 300;
    }
    void sheetPages() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("no pdftotext");
        }
        QFETCH(int, count);
        const auto segments = branchingSystem(count);
        const auto result = ductsys::calculate(segments, settings);
        const QString sheet = folder.filePath(QStringLiteral("system.pdf"));
        QCOMPARE(exports::writeSystemAs(sheet, report(segments, result)), std::nullopt);
        const QStringList pages =
            QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-layout", sheet, "-"}))
                .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY(count == 1 ? pages.size() == 1 : pages.size() >= count / 40);
        for (int page = 0; page < pages.size(); ++page) {
            // pdftotext leaves out the blanks between the Chinese and the digits.
            QVERIFY(
                QString(pages[page])
                    .remove(QRegularExpression(QStringLiteral("\\s")))
                    .contains(QString::fromUtf8("第%1页/共%2页").arg(page + 1).arg(pages.size())));
            QVERIFY(pages[page].contains(QString::fromUtf8("编号")));
        }
        QVERIFY(pages.front().contains(QString::fromUtf8("管网水力计算书")));
        // A segment's row starts with its 编号 and the next cell shown: its upstream 编号, or
        // its kind at the fan.
        const QString all = pages.join(QString());
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const int next =
                segments[i].cells[Column::Upstream].empty() ? Column::Kind : Column::Upstream;
            const QRegularExpression row(
                QStringLiteral("\\n\\s*%1\\s+%2\\s")
                    .arg(QString::fromStdString(segments[i].cells[Column::Id]),
                         QString::fromStdString(ductsys::shownText(segments, result, i, next))));
            QCOMPARE(all.count(row), 1);
        }
    }

    // A system with segments it cannot compute is marked so in every format, naming them.
    void incompleteSystemIsMarked_data() {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("csv") << "csv";
        QTest::newRow("xlsx") << "xlsx";
        QTest::newRow("pdf") << "pdf";
    }
    void incompleteSystemIsMarked() {
        QFETCH(QString, suffix);
        const QString reader = suffix == "xlsx" ? "unzip" : "pdftotext";
        if (suffix != "csv" && QStandardPaths::findExecutable(reader).isEmpty()) {
            QSKIP("no reader");
        }
        auto segments = branchingSystem(7);
        segments[0].cells[Column::Size] = "1e39×400";
        segments[3].cells[Column::Flow] = "2400";
        segments[6].cells[Column::Flow] = "12a";
        const auto result = ductsys::calculate(segments, settings);
        const QString target = folder.filePath(QStringLiteral("incomplete.") + suffix);
        QCOMPARE(exports::writeSystemAs(target, report(segments, result)), std::nullopt);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text =
            suffix == "csv"    ? QString::fromUtf8(file.readAll())
            : suffix == "xlsx" ? QString::fromUtf8(run(reader, {"-p", target, "xl/sharedStrings.xml"}))
                               : QString::fromUtf8(run(reader, {target, "-"})).remove('\n');
        // S7 hangs from S4, which hangs from S1: those three are left out.
        const QString notice = QString::fromUtf8(
            "计算不完整：3 个管段无法计算（第一个：管段 S1 的尺寸超出可计算的范围）；未计入的管段："
            "管段 S1、管段 S4、管段 S7");
        QVERIFY2(text.contains(notice), qPrintable(text.left(400)));
        QVERIFY(suffix != "csv" || text.section("\r\n", 0, 0).contains(notice));
    }

    // A file that cannot be written is not left behind, and the reason is given.
    void failedExportSaysWhy_data() {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("xlsx") << "xlsx";
        QTest::newRow("pdf") << "pdf";
    }
    void failedExportSaysWhy() {
        QFETCH(QString, suffix);
        const auto segments = branchingSystem(3);
        const auto result = ductsys::calculate(segments, settings);
        const QString target = folder.filePath(QStringLiteral("missing/system.") + suffix);
        QCOMPARE(exports::writeSystemAs(target, report(segments, result)),
                 QString::fromUtf8("文件夹不存在。"));
        QVERIFY(!QFile::exists(target));
    }

    // A workbook the library cannot finish, here for a limit on the size of the files the
    // program writes, fails for a reason any save gives.
    void unfinishedWorkbookSaysWhy() {
#ifdef Q_OS_UNIX
        const auto segments = branchingSystem(40);
        const auto result = ductsys::calculate(segments, settings);
        const auto signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{4096, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const auto reason = exports::writeSystemAs(folder.filePath(QStringLiteral("big.xlsx")),
                                                   report(segments, result));
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, signal);
        QCOMPARE(reason.value_or(QString()), QString::fromUtf8("无法创建文件。"));
#else
        QSKIP("no limit on file sizes to set");
#endif
    }
};

QTEST_MAIN(TestSystemExports)
#include "tst_system_exports.moc"

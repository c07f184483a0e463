// `ductcalc --export`: run as a script runs it, with no display.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    void write(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase() {
        write("system.ductsys", R"({"format": "ductcalc-system", "version": 1, "segments": [
            {"id": "1", "upstream": "", "flow": 1000, "length": 10, "shape": "circular",
             "size": "auto"}]})");
        write("bad.ductsys", "{\"format\": \"ductcalc-system\",\n\"version\": }");
        write("incomplete.ductsys", R"({"format": "ductcalc-system", "version": 1, "segments": [
            {"id": "1", "upstream": "", "flow": null, "length": 10, "shape": "circular",
             "size": "auto"},
            {"id": "6", "upstream": "1", "flow": {"typed": "12a"}, "length": 10,
             "shape": "circular", "size": "auto"}]})");
    }

    void exports_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        QTest::newRow("written") << path("out.csv") << path("system.ductsys") << 0 << QString();
        QTest::newRow("bad file") << path("bad.csv") << path("bad.ductsys") << 1
                                  << QString::fromUtf8(
                                         "bad.ductsys：文件不是有效的 JSON：第 2 行第 12 列");
        QTest::newRow("unwritable")
            << path("missing/out.csv") << path("system.ductsys") << 1
            << QString::fromUtf8("无法写入 %1：文件夹不存在。").arg(path("missing/out.csv"));
        QTest::newRow("incomplete system")
            << path("incomplete.pdf") << path("incomplete.ductsys") << 1
            << QString::fromUtf8("计算不完整：2 个管段无法计算（第一个：管段 6 的风量应为数字）");
        QTest::newRow("unknown format")
            << path("out.txt") << path("system.ductsys") << 1 << QString::fromUtf8("只支持 .csv");
    }
    void exports() {
        QFETCH(QString, output);
        QFETCH(QString, input);
        QFETCH(int, status);
        QFETCH(QString, says);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(DUCTCALC_PROGRAM),
                      {QStringLiteral("--export"), output, input});
        QVERIFY(program.waitForFinished());
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitCode(), status);
        QVERIFY2(error.contains(says), qPrintable(error));
        QCOMPARE(QFile::exists(output), status == 0);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"

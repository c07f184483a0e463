// The project file: what it refuses and how it says so, that it keeps what it does not know,
// and that saving what it read changes nothing.

#include "calc/roughness.h"
#include "files/project_file.h"
#include "files/system_csv.h"
#include "system/system_table.h"

#include <QRandomGenerator>
#include <QTest>

using ductsys::Column;

// Declared before the JSON texts below, whose raw strings the meta-object compiler does not
// read.
class TestProjectFile : public QObject {
    Q_OBJECT

private slots:
    void refusesBadFiles_data();
    void refusesBadFiles();
    void saysWhereATruncatedFileEnds();
    void readsTheCalculatorsRoughness();
    void keepsUnknownKeys();
    void readsVersionOne();
    void roundTripsRandomSystems();
    void writesCsv();
};

namespace {

// A valid file with one segment, into which a test puts one fault.
QByteArray validFile(const char* segmentFields = R"("flow": 1000, "length": 10)",
                     const char* settings = "{}", const char* version = "1") {
    return QStringLiteral(R"({"format": "ductcalc-system", "version": %1, "settings": %2,
"segments": [{"id": "A1", "upstream": "", %3, "shape": "rectangular", "size": [630, 250]}]})")
        .arg(QLatin1String(version), QString::fromUtf8(settings), QString::fromUtf8(segmentFields))
        .toUtf8();
}

QString refusal(const QByteArray& bytes) {
    const auto read = files::readProject(bytes);
    return std::holds_alternative<QString>(read) ? std::get<QString>(read) : QString();
}

files::Project read(const QByteArray& bytes) {
    auto project = files::readProject(bytes);
    if (auto* reason = std::get_if<QString>(&project)) {
        qFatal("refused: %s", qPrintable(*reason));
    }
    return std::get<files::Project>(project);
}

// Cells as a user leaves them: valid in several spellings, unfinished, or empty.
std::string randomCell(QRandomGenerator& random, Column column) {
    const std::vector<std::vector<const char*>> choices{
        {"1", "A-1", "支管 3", ""},
        {"", "1", "A-1", "missing"},
        {"", "干管", "支管", "末端支管", "主管"},
        {"", "1000", " 2500.50 ", "1e3", "-5", "12a", "0"},
        {"10", "0.125", "", "+3", "abc"},
        {"圆形", "矩形", "椭圆形", "方形", ""},
        {"自动", "400", "630×250", "630x250", "0", "630×", "1e-7"},
        {"0", "1.5", "-0.3", "", "x"},
        {"0", "20", "-1", ""},
        {"", "备注, \"引号\"\n第二行", "note"}};
    const auto& pool = choices[std::size_t(column)];
    return pool[random.bounded(qsizetype(pool.size()))];
}

} // namespace

void TestProjectFile::refusesBadFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::newRow("not JSON") << QByteArray("{\n  \"format\": \"ductcalc-system\",\n  x")
                              << QString::fromUtf8("第 3 行第 3 列");
    QTest::newRow("blanks after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF \r\n\t") << QString::fromUtf8("文件是空的。");
    QTest::newRow("a wrong last character")
        << QByteArray("{\"segments\": [1]]") << QString::fromUtf8("第 1 行第 17 列有错误");
    QTest::newRow("another format")
        << QByteArray(R"({"format": "other", "version": 1, "segments": []})")
        << QString::fromUtf8("不是风管系统文件");
    QTest::newRow("newer") << validFile(R"("flow": 1, "length": 1)", "{}", "3")
                           << QString::fromUtf8("更新版本的程序");
    QTest::newRow("missing field")
        << validFile(R"("flow": 1000)") << QString::fromUtf8("编号“A1”）：缺少字段 \"length\"");
    QTest::newRow("wrong type") << validFile(R"("flow": "1000", "length": 10)")
                                << QString::fromUtf8("编号“A1”）：字段 \"flow\" 应为");
    QTest::newRow("negative") << validFile(R"("flow": 1000, "length": -1)")
                              << QString::fromUtf8("字段 \"length\" 应为不小于 0 的数");
    QTest::newRow("one side") << validFile().replace("[630, 250]", "[630]")
                              << QString::fromUtf8("字段 \"size\" 应为");
    QTest::newRow("unknown material")
        << validFile(R"("flow": 1, "length": 1)", R"({"material": "铝"})")
        << QString::fromUtf8("设置：字段 \"material\"");
    QTest::newRow("K of another material")
        << validFile(R"("flow": 1, "length": 1)", R"({"material": "薄钢板", "roughness": 2})")
        << QString::fromUtf8(
               "粗糙度 2 mm 与材料“薄钢板”不符（应为 0.15 至 0.18 mm，每档 0.01 mm）");
    QTest::newRow("K of a fixed material")
        << validFile(R"("flow": 1, "length": 1)", R"({"material": "胶合板", "roughness": 1.1})")
        << QString::fromUtf8("与材料“胶合板”不符（应为 1.0 mm）");
    QTest::newRow("dense air") << validFile(R"("flow": 1, "length": 1)", R"({"density": 20})")
                               << QString::fromUtf8("字段 \"density\" 应为0.1 至 10 之间的数");
    QTest::newRow("limit out of range")
        << validFile(R"("flow": 1, "length": 1)", R"({"balanceLimit": 0})")
        << QString::fromUtf8("字段 \"balanceLimit\" 应为1 至 100 之间的数");
}
void TestProjectFile::refusesBadFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    QVERIFY2(refusal(bytes).contains(says), qPrintable(refusal(bytes)));
}

// Cut anywhere, a file says where it breaks off, counted as an editor counts lines and columns.
void TestProjectFile::saysWhereATruncatedFileEnds() {
    const QByteArray whole = validFile(R"("flow": 1000, "length": 10.5, "note": "a\nb")");
    for (qsizetype size = 1; size < whole.size(); ++size) {
        const QByteArray cut = whole.left(size);
        QCOMPARE(refusal(cut), QString::fromUtf8("文件不完整（在第 %1 行第 %2 列处中断）。")
                                   .arg(cut.count('\n') + 1)
                                   .arg(size - cut.lastIndexOf('\n')));
    }
}

// Each step of a material's bar reads bit for bit as the calculator holds it and saves back to
// itself; a step beyond either end or between two is refused. Fixed Ks: "K of a fixed material".
void TestProjectFile::readsTheCalculatorsRoughness() {
    for (std::size_t material = 0; material < calc::customMaterial; ++material) {
        const calc::RoughnessBar& bar = calc::roughnessBars[material];
        const std::string_view name = calc::materials[material].name;
        for (double step = bar.minimum - 1;
             calc::hasRoughnessBar(material) && step <= bar.maximum + 1; step += 0.5) {
            const QByteArray settings =
                "{\"material\": \"" + QByteArray(name.data(), qsizetype(name.size())) +
                "\", \"roughness\": " + QByteArray::number(step / bar.divisor) + "}";
            const QByteArray file = validFile(R"("flow": 1, "length": 1)", settings.constData());
            if (step != int(step) || step < bar.minimum || step > bar.maximum) {
                QVERIFY2(!refusal(file).isEmpty(), settings);
                continue;
            }
            const float k = read(file).settings.roughness; // compared exactly, not fuzzily
            QVERIFY2(k == calc::roughnessAtStep(material, int(step)) &&
                         read(files::projectBytes(read(file))).settings.roughness == k,
                     settings);
        }
    }
}

// Keys of a newer program, at every level, come back on saving; and a file saved once
// saves again to the same bytes.
void TestProjectFile::keepsUnknownKeys() {
    const QByteArray newer =
        validFile(R"("flow": 1000, "length": 10, "silencer": [1, 2])", R"({"fanCurve": {"a": 1}})")
            .replace("\"segments\"", "\"author\": \"王\", \"segments\"");
    const QByteArray saved = files::projectBytes(read(newer));
    for (const char* key : {"\"silencer\"", "\"fanCurve\"", "\"author\""}) {
        QVERIFY2(saved.contains(key), key);
    }
    QCOMPARE(files::projectBytes(read(saved)), saved);
}

// A version 1 file's Σζ becomes a custom fitting, and it is saved as version 2.
void TestProjectFile::readsVersionOne() {
    const files::Project project = read(validFile(R"("flow": 1000, "length": 10, "zeta": 0.5)"));
    QCOMPARE(project.segments[0].fittings.size(), std::size_t(1));
    QCOMPARE(project.segments[0].fittings[0].id, std::string(ductsys::customFitting));
    QCOMPARE(project.segments[0].fittings[0].zeta, 0.5);
    const QByteArray saved = files::projectBytes(project);
    QVERIFY(saved.contains("\"version\": 2") && saved.contains("\"type\": \"custom\""));
    QCOMPARE(files::projectBytes(read(saved)), saved);
}

// Random systems, unfinished cells included, each Σζ as a custom fitting: read back, they
// compute the same and save to the same bytes; settings come back to the bit.
void TestProjectFile::roundTripsRandomSystems() {
    QRandomGenerator random(22);
    for (int round = 0; round < 300; ++round) {
        files::Project project;
        project.segments.resize(1 + random.bounded(6));
        for (auto& segment : project.segments) {
            for (int column = 0; column < Column::ColumnCount; ++column) {
                segment.cells[std::size_t(column)] = randomCell(random, Column(column));
            }
            segment.fittings = ductsys::typedFittings(segment.cells[Column::Zeta]);
        }
        project.settings.density = float(0.5 + 1.5 * random.generateDouble());
        project.settings.viscosity = float(1e-5 * (1 + random.generateDouble()));
        project.settings.material = calc::customMaterial;
        project.settings.roughness = float(0.01 + 9.9 * random.generateDouble());
        const QByteArray saved = files::projectBytes(project);
        const files::Project back = read(saved);
        QCOMPARE(files::projectBytes(back), saved);
        QCOMPARE(back.settings.density, project.settings.density);
        QCOMPARE(back.settings.viscosity, project.settings.viscosity);
        QCOMPARE(back.settings.roughness, project.settings.roughness);
        const auto before = ductsys::calculate(project.segments, project.settings);
        const auto after = ductsys::calculate(back.segments, back.settings);
        for (std::size_t row = 0; row < project.segments.size(); ++row) {
            QCOMPARE(after.segments[row].problem, before.segments[row].problem);
            for (int column = Column::ColumnCount; column < ductsys::tableColumnCount; ++column) {
                QCOMPARE(ductsys::shownText(back.segments, after, row, column),
                         ductsys::shownText(project.segments, before, row, column));
            }
        }
    }
}

void TestProjectFile::writesCsv() {
    const files::Project project = read(QByteArray(R"({"format": "ductcalc-system",
            "version": 1, "segments": [
            {"id": "1", "upstream": "", "flow": null, "length": 10, "shape": "circular",
             "size": [400], "zeta": 0.5},
            {"id": "2", "upstream": "1", "flow": 1500, "length": 5, "shape": "rectangular",
             "size": "auto", "terminalLoss": 20, "note": "送风口, \"A\""}]})"));
    const QByteArray csv =
        files::systemCsv(project.segments, ductsys::calculate(project.segments, project.settings));
    QCOMPARE(csv, QByteArray("\xEF\xBB\xBF"
                             "编号,上游管段,类型,风量 m3/h,长度 m,形状,尺寸,Σζ,末端阻力 Pa,"
                             "备注,当量直径 m,风速 m/s,比摩阻 Pa/m,动压 Pa,摩擦阻力 R·L Pa,"
                             "局部阻力 Z Pa,管段阻力 Pa,累计阻力 Pa,不平衡率 %\r\n"
                             "1,,干管,1500,10,圆形,400,0.5,0,,.4,3.315731,.2628196,"
                             "6.61843,2.628196,3.309215,5.937411,5.937411,\r\n"
                             "2,1,末端支管,1500,5,矩形,自动 500×250,0,20,"
                             "\"送风口, \"\"A\"\"\",.3333333,3.333333,.331858,6.688889,"
                             "1.65929,0,21.65929,27.5967,\r\n"
                             "\r\n"
                             "总风量 m3/h,1500\r\n"
                             "最不利环路,1,2\r\n"
                             "最不利环路阻力 Pa,27.5967\r\n"
                             "超过平衡限值的支管\r\n"
                             "\r\n"
                             "编号,管件,参数,数量,ζ（本管段）,来源\r\n"
                             "1,自定义 ζ,ζ=0.5,1,.5,用户输入\r\n"));
}

QTEST_APPLESS_MAIN(TestProjectFile)
#include "tst_project_file.moc"

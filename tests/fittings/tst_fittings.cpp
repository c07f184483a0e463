// The fittings library against the published values it transcribes, between and beyond its
// table rows, and referred to a segment's velocity.

#include "files/damper_suggestion.h"
#include "files/file_access.h"
#include "files/fitting_library.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

const fittings::Fitting& fitting(const char* id) {
    const fittings::Fitting* found = fittings::find(files::fittingLibrary(), id);
    if (!found) {
        qFatal("no fitting %s", id);
    }
    return *found;
}

std::variant<fittings::Zeta, std::string> zetaOf(const char* id,
                                                 const std::vector<double>& values) {
    return fittings::evaluate(fitting(id), values);
}

} // namespace

class TestFittings : public QObject {
    Q_OBJECT

private slots:
    // The embedded library reads whole: no unknown kind, missing source or unreadable table.
    void embeddedLibraryReadsWhole() { QCOMPARE(files::fittingLibraryFaults(), QStringList()); }

    // A fitting with one fault is left out and named, beside a sound one and a non-library.
    void reportsWhatItCannotRead_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value"); // JSON; empty leaves the key out
        QTest::addColumn<QString>("says");
        const auto row = [](const char* key, const char* value, const char* says) {
            QTest::addRow("%s %s", key, value)
                << key << QByteArray(value) << QString::fromUtf8(says);
        };
        row("formula", R"({"kind": "cubic"})", "公式类型 \"cubic\" 未知");
        row("velocityRatio", R"({"kind": "square", "of": "x"})", "风速换算类型 \"square\" 未知");
        row("source", "", "缺少 \"source\"");
        for (const char* table : {"[1, 2]", R"({"rows": "x", "rowValues": [1, 2], "values": [1]})",
                                  R"({"rows": "x", "rowValues": [1, 2], "values": [1, "a"]})"}) {
            row("table", table, "表格 \"table\"无法读取");
        }
        row("factor", R"({"rows": "y", "rowValues": [1, 2], "values": [1, 2]})",
            "表格 \"factor\"的参数 \"y\" 不在管件的参数中");
    }
    void reportsWhatItCannotRead() {
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QString, says);
        const QJsonObject sound = QJsonDocument::fromJson(R"({"id": "a", "name": "好",
            "source": "s", "reference": "r", "parameters": [{"name": "x", "default": 1}],
            "table": {"rows": "x", "rowValues": [1, 2], "values": [0.5, 0.7]}})")
                                      .object();
        QJsonObject broken = sound;
        broken.insert("id", "b");
        broken.insert(key, QJsonDocument::fromJson("[" + value + "]")[0]); // undefined removes it
        const QTemporaryDir folder;
        const QJsonObject group{{"group", "弯头"}, {"fittings", QJsonArray{sound, broken}}};
        QVERIFY(
            !files::writeFileAtomically(folder.filePath("1.json"), QJsonDocument(group).toJson()));
        QVERIFY(!files::writeFileAtomically(folder.filePath("2.json"), "{\"group\": "));
        const files::FittingLibraryRead read = files::readFittingLibrary(folder.path());
        QVERIFY(read.library.size() == 1 && read.library[0].id == "a");
        QVERIFY2(read.faults.size() == 2 && read.faults[0].startsWith("1.json：管件 \"b\"：") &&
                     read.faults[0].contains(says) &&
                     read.faults[1].startsWith("2.json：不是管件库"),
                 qPrintable(read.faults.join(QLatin1Char('\n'))));
    }

    // Every fitting names its source and reference, and its tables are as wide as their
    // headings.
    void everyFittingIsSourced() {
        QVERIFY(files::fittingLibrary().size() >= 20);
        for (const fittings::Fitting& f : files::fittingLibrary()) {
            QVERIFY2(!f.source.empty() && !f.reference.empty() && !f.group.empty(), f.id.c_str());
            QVERIFY2(f.table || f.formula, f.id.c_str());
            for (const auto& table : {f.table, f.factor}) {
                if (table) {
                    QCOMPARE(table->values.size(), table->rowValues.size());
                    for (const auto& row : table->values) {
                        QCOMPARE(row.size(), std::max<std::size_t>(table->columnValues.size(), 1));
                    }
                }
            }
        }
    }

    void publishedValues_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<double>("published");
        const auto row = [](const char* name, const char* id, std::vector<double> values,
                            double published) {
            QTest::newRow(name) << QString::fromLatin1(id) << values << published;
        };
        row("round elbow R/D 0.5", "round-elbow-smooth", {0.5, 90}, 0.71);
        row("round elbow R/D 1.0", "round-elbow-smooth", {1.0, 90}, 0.22);
        row("round elbow R/D 1.5", "round-elbow-smooth", {1.5, 90}, 0.15);
        row("round elbow R/D 2.0", "round-elbow-smooth", {2.0, 90}, 0.13);
        row("round elbow 45°", "round-elbow-smooth", {1.0, 45}, 0.6 * 0.22);
        row("mitred round elbow", "round-elbow-mitred", {90}, 1.2);
        row("rectangular elbow", "rect-elbow-smooth", {1.0, 1.0, 90}, 0.21);
        row("conical diffuser", "round-diffuser", {2, 20}, 0.19);
        row("contraction 30°", "contraction", {2, 30}, 0.05);
        row("abrupt contraction", "contraction", {2, 180}, 0.26);
        row("butterfly 0°", "round-butterfly-damper", {0}, 0.20);
        row("butterfly 20°", "round-butterfly-damper", {20}, 1.5);
        row("butterfly 30°", "round-butterfly-damper", {30}, 4.5);
        row("butterfly 50°", "round-butterfly-damper", {50}, 29);
        row("free exit", "free-exit", {}, 1.0);
        row("sharp entry", "sharp-entry", {}, 0.5);
        row("sudden expansion", "sudden-expansion", {0.5}, 0.25);
        // Midway between rows, the mean of their values.
        row("between R/D 0.5 and 0.75", "round-elbow-smooth", {0.625, 90}, (0.71 + 0.33) / 2);
    }
    void publishedValues() {
        QFETCH(QString, id);
        QFETCH(std::vector<double>, values);
        QFETCH(double, published);
        const auto zeta = zetaOf(id.toLatin1().constData(), values);
        QVERIFY(std::holds_alternative<fittings::Zeta>(zeta));
        QVERIFY(std::fabs(std::get<fittings::Zeta>(zeta).published - published) < 1e-12);
        QCOMPARE(std::get<fittings::Zeta>(zeta).interpolated,
                 QTest::currentDataTag() == QLatin1String("between R/D 0.5 and 0.75"));
    }

    // No value beyond a table or in an unpublished cell.
    void refusesOutsideTheTables() {
        for (const auto& [id, values, says] :
             {std::tuple{"round-elbow-smooth", std::vector{0.4, 90.0},
                         "R/D 为 0.4，超出表格范围 0.5 至 2.5"},
              {"round-tee-diverging-branch", {0.1, 0.5}, "表中没有这一组数值"},
              {"rect-opposed-blade-damper", {20.0}, "角度 ° 为 20，超出适用范围 35 至 75"}}) {
            const auto zeta = zetaOf(id, values);
            QVERIFY(std::holds_alternative<std::string>(zeta));
            QCOMPARE(QString::fromStdString(std::get<std::string>(zeta)), QString::fromUtf8(says));
        }
    }

    // ζ on the segment = ζ published · (v_ref / v_segment)², the ratio from the parameters.
    void refersToTheSegmentsVelocity() {
        // A sudden expansion to twice the area: on the downstream velocity, (A2/A1 − 1)² = 1.
        const auto expansion = std::get<fittings::Zeta>(zetaOf("sudden-expansion", {0.5}));
        QCOMPARE(expansion.ratio, 2.0);
        QCOMPARE(expansion.segment, 1.0);
        // A converging branch carrying half the flow through 0.6 of the area: vc/vb = 1.2.
        const auto branch =
            std::get<fittings::Zeta>(zetaOf("round-tee-converging-branch", {0.5, 0.6}));
        QVERIFY(std::fabs(branch.ratio - 1.2) < 1e-12);
        QVERIFY(std::fabs(branch.segment - 0.66 * 1.44) < 1e-12);
    }

    // Two round branches from one point, the shorter over the limit: its damper must add the
    // difference of their losses, and the butterfly angle suggested gives that ζ back.
    void suggestsTheDamper() {
        std::vector<ductsys::Segment> segments(3);
        segments[0].cells = {"1", "", "", "", "10", "圆形", "400", "0", "0", ""};
        segments[1].cells = {"2", "1", "", "1000", "30", "圆形", "250", "0", "0", ""};
        segments[2].cells = {"3", "1", "", "1000", "2", "圆形", "250", "0", "0", ""};
        const auto result = ductsys::calculate(segments, ductsys::Settings{}, files::fittingLibrary());
        const auto& rows = result.balance;
        QCOMPARE(rows.size(), std::size_t(2));
        const auto& damper = rows[1].damper;
        QVERIFY(damper && damper->angle);
        const double pressure = result.segments[1].total - result.segments[2].total;
        QVERIFY(std::fabs(damper->pressure - pressure) < 1e-9);
        const double zeta = pressure / result.segments[2].figures.dynamicPressure;
        QVERIFY(std::fabs(damper->zeta - zeta) < 1e-9);
        const auto given = fittings::evaluate(*damper->damper, {*damper->angle});
        QVERIFY(std::fabs(std::get<fittings::Zeta>(given).segment - zeta) < 1e-9);
    }
};

QTEST_APPLESS_MAIN(TestFittings)
#include "tst_fittings.moc"

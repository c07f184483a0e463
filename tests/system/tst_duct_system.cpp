// The duct system's calculation: every segment as the calculator evaluates the same duct,
// the sums along the tree, the critical path, balance and the cells it refuses.

#include "calc/recalculation.h"
#include "random_system.h"
#include "system/system_table.h"

#include <QTest>
#include <bit>
#include <charconv>
#include <numeric>

using ductsys::Column;
using ductsys::Segment;

namespace {

Segment segment(std::initializer_list<const char*> cells) {
    Segment s;
    std::size_t column = 0;
    for (const char* text : cells) {
        s.cells[column++] = text;
    }
    return s;
}

// A fan, a main of three segments with two branches and a branch of its own, mixed shapes:
// 编号, 上游, 类型, 风量, 长度, 形状, 尺寸, Σζ, 末端阻力.
std::vector<Segment> smallSystem() {
    return {
        segment({"1", "", "", "", "12", "矩形", "自动", "0.5"}),
        segment({"2", "1", "", "", "8", "矩形", "1000×400", "0.3"}),
        segment({"3", "2", "", "1800", "6", "圆形", "自动", "1.2", "30"}),
        segment({"4", "2", "", "2200", "9", "圆形", "400", "0.8", "30"}),
        segment({"5", "1", "", "", "15", "椭圆形", "自动", "0.6"}),
        segment({"6", "5", "", "1500", "5", "矩形", "自动", "2.5", "25"}),
        segment({"7", "5", "", "1200", "20", "圆形", "250", "1.0", "25"}),
        segment({"8", "1", "", "900", "3", "圆形", "自动", "3", "40"}),
    };
}

QString shortest(float value) {
    char text[32];
    return QString::fromLatin1(text, std::to_chars(text, text + sizeof text, value).ptr - text);
}

quint32 bits(float value) {
    return std::bit_cast<quint32>(value);
}

} // namespace

class TestDuctSystem : public QObject {
    Q_OBJECT

private slots:
    // Every segment's figures are the calculator's for the same duct, flow and air, typed
    // into its boxes, to the last bit.
    void segmentsEqualTheCalculator() {
        ductsys::Settings settings;
        settings.formula = calc::FrictionFormula::Two;
        const auto system = ductsys::calculate(smallSystem(), settings);
        for (const ductsys::SegmentResult& r : system.segments) {
            QVERIFY2(r.computed, r.problem.c_str());
            calc::CalculatorState state{.visc = settings.viscosity,
                                        .dens = settings.density,
                                        .rough = settings.roughness,
                                        .flowFactor = 1};
            calc::RecalcInputs in;
            in.flowText = shortest(r.flow).toStdString();
            in.nonStandardSize = true;
            in.shape = r.section.shape;
            in.formula = settings.formula;
            const std::size_t first = std::array{calc::Diameter, calc::LongSide,
                                                 calc::MajorAxis}[std::size_t(r.section.shape)];
            in.boxTexts[first] = shortest(r.section.first).toStdString();
            in.boxTexts[first + 1] = shortest(r.section.second).toStdString();
            calc::recalculate(state, in);
            const auto& f = r.figures;
            for (const auto& [mine, calculator] : {std::pair{f.area, state.area},
                                                   {f.equivalentDiameter, state.dEq},
                                                   {f.velocity, state.vel},
                                                   {f.reynoldsNumber, state.reyn},
                                                   {f.frictionLoss, state.rSpec},
                                                   {f.dynamicPressure, state.pDyn}}) {
                QCOMPARE(bits(mine), bits(calculator));
            }
        }
    }

    // Flows sum towards the fan, losses along the tree; the critical path and the branch
    // over the balance limit are those worked out by hand for this table.
    void sumsPathAndBalance() {
        const auto system = ductsys::calculate(smallSystem(), {});
        const auto& s = system.segments;
        QCOMPARE(s[0].flow, 1800.0f + 2200 + 1500 + 1200 + 900);
        QCOMPARE(system.totalFlow, std::optional(double(s[0].flow)));
        const auto segments = smallSystem();
        for (std::size_t i = 0; i < s.size(); ++i) {
            const ductsys::SegmentResult& r = s[i];
            QCOMPARE(r.cumulative, (r.upstream ? s[*r.upstream].cumulative : 0) + r.total);
            const double maxVelocity = ductsys::Settings{}.velocityLimits[std::size_t(r.kind)];
            QVERIFY(segments[i].cells[Column::Size] != "自动" || r.figures.velocity <= maxVelocity);
        }
        QCOMPARE(s[2].kind, ductsys::SegmentKind::Terminal);
        QCOMPARE(s[1].kind, ductsys::SegmentKind::Main);
        QCOMPARE(s[4].kind, ductsys::SegmentKind::Branch);
        QCOMPARE(system.criticalPath, (std::vector<std::size_t>{0, 4, 6}));
        QCOMPARE(system.fanPressure, std::optional(s[6].cumulative));
        // Below segment 1 the branch through 5 and 7 has the largest loss; 8 falls short of it.
        const double largest = s[6].cumulative - s[0].cumulative;
        QCOMPARE(*s[7].imbalance, (largest - (s[7].cumulative - s[0].cumulative)) / largest * 100);
        QCOMPARE(*s[4].imbalance, 0.0);
        QCOMPARE(system.branchesOverLimit, 4);
        for (const std::size_t over : {1, 2, 5, 7}) {
            QVERIFY(s[over].overBalance);
        }
    }

    // A cell that cannot be read marks its segment with the reason; the others still compute.
    void badCells_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("text for a length") << 3 << int(Column::Length) << "9 m"
                                           << "长度应为数字";
        QTest::newRow("negative length") << 3 << int(Column::Length) << "-9"
                                         << "长度应为不小于0的数";
        QTest::newRow("negative terminal loss") << 3 << int(Column::TerminalLoss) << "-30"
                                                << "末端阻力应为不小于0的数";
        QTest::newRow("flow past the float") << 3 << int(Column::Flow) << "1e39"
                                             << "风量超出可计算的范围";
        QTest::newRow("size past the float") << 3 << int(Column::Size) << "1e39"
                                             << "尺寸超出可计算的范围";
        QTest::newRow("size below the float") << 1 << int(Column::Size) << "1000×1e-50"
                                              << "尺寸超出可计算的范围";
        QTest::newRow("unknown upstream") << 3 << int(Column::Upstream) << "9"
                                          << "上游管段不存在";
        QTest::newRow("loop") << 1 << int(Column::Upstream) << "3"
                              << "管段成环";
        QTest::newRow("terminal without flow") << 3 << int(Column::Flow) << ""
                                               << "末端管段需要风量";
        QTest::newRow("same 编号") << 3 << int(Column::Id) << "2"
                                   << "编号重复";
        QTest::newRow("one size for a rectangle") << 1 << int(Column::Size) << "1000"
                                                  << "尺寸应为两边 mm，如 630×250";
        QTest::newRow("unknown shape") << 3 << int(Column::Shape) << "方形"
                                       << "形状应为圆形、矩形或椭圆形";
    }
    void badCells() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, problem);
        auto segments = smallSystem();
        segments[std::size_t(row)].cells[std::size_t(column)] = text.toStdString();
        const auto system = ductsys::calculate(segments, {});
        const auto& bad = system.segments[std::size_t(row)];
        QCOMPARE(bad.badColumn, std::optional(Column(column)));
        QCOMPARE(QString::fromStdString(bad.problem), problem);
        QVERIFY(system.segments[6].computed);
    }

    // Whatever breaks a random system, nothing that depends on a segment it cannot compute is
    // given: no sum from the fan past it, no balance against it, no critical path or fan
    // pressure; and what is given is what a complete system gives.
    void brokenSystemsClaimNothing() {
        std::mt19937 random(29);
        const std::array<std::pair<Column, const char*>, 4> faults{
            {{Column::Flow, "12a"}, {Column::Upstream, "zz"}, {Column::Shape, "方形"},
             {Column::Flow, "1e39"}}};
        for (std::uint32_t trial = 0; trial < 300; ++trial) {
            auto segments = sample::randomSystem(2 + trial % 30, trial);
            const std::size_t broken = trial % 3 == 0 ? 0 : 1 + random() % 3;
            for (std::size_t fault = 0; fault < broken; ++fault) {
                const auto& [column, text] = faults[random() % faults.size()];
                segments[random() % segments.size()].cells[column] = text;
            }
            const auto system = ductsys::calculate(segments, {});
            const auto& s = system.segments;
            QCOMPARE(system.complete(), broken == 0);
            QCOMPARE(system.fanPressure.has_value(), broken == 0);
            QCOMPARE(system.criticalPath.empty(), broken != 0);
            double worst = 0;
            for (std::size_t i = 0; i < s.size(); ++i) {
                const bool known = s[i].fromFan;
                QCOMPARE(known, s[i].computed && (!s[i].upstream || s[*s[i].upstream].fromFan));
                QCOMPARE(ductsys::shownText(segments, system, i,
                                            ductsys::computedColumn(ductsys::Cumulative))
                             .empty(),
                         !known);
                if (s[i].imbalance) {
                    QVERIFY(s[*s[i].upstream].fromFan);
                }
                if (known) {
                    worst = std::max(worst, s[i].cumulative);
                }
            }
            if (broken) {
                const std::size_t first = *system.firstProblem;
                QVERIFY(s[first].badColumn && !s[first].problemElsewhere);
                QVERIFY(ductsys::incompleteText(segments, system).starts_with("计算不完整："));
            } else {
                QCOMPARE(*system.fanPressure, worst);
                QVERIFY(system.totalFlow);
            }
        }
    }

    // A typed flow below the sum of the segments after it is computed with, and marked.
    void flowBelowItsOutlets() {
        auto segments = smallSystem();
        segments[1].cells[Column::Flow] = "1000"; // 3 and 4 take 1800 and 2200
        const auto system = ductsys::calculate(segments, {});
        QVERIFY(system.complete());
        QCOMPARE(system.segments[1].flow, 1000.0f);
        QCOMPARE(system.segments[1].warningColumn, std::optional(Column::Flow));
        QCOMPARE(ductsys::warningsText(segments, system), "警告：管段 2 的风量 1000 小于下游之和 4000");
    }

    // The table's order of random trees entered in any order: every segment below its
    // upstream one, siblings in the order they were entered, every row once; and a tree
    // already in that order stays as it is.
    void outlineKeepsTreeOrder() {
        std::mt19937 random(31);
        for (std::uint32_t trial = 0; trial < 100; ++trial) {
            auto segments = sample::randomSystem(1 + trial % 40, trial);
            std::shuffle(segments.begin(), segments.end(), random);
            if (trial % 4 == 0) {
                segments[random() % segments.size()].cells[Column::Upstream] = "zz";
            }
            const auto system = ductsys::calculate(segments, {});
            const auto rows = ductsys::outline(system);
            std::vector<std::size_t> at(segments.size(), segments.size());
            for (std::size_t row = 0; row < rows.size(); ++row) {
                at[rows[row].segment] = row;
            }
            QVERIFY(std::find(at.begin(), at.end(), segments.size()) == at.end());
            std::vector<ductsys::Segment> ordered;
            for (const auto& row : rows) {
                const auto upstream = system.segments[row.segment].upstream;
                QCOMPARE(row.lines.size(), upstream ? rows[at[*upstream]].lines.size() + 1 : 0);
                // Its upstream row comes before it, and so do its earlier siblings.
                QVERIFY(!upstream || at[*upstream] < at[row.segment]);
                for (std::size_t i = 0; upstream && i < row.segment; ++i) {
                    QVERIFY(system.segments[i].upstream != upstream || at[i] < at[row.segment]);
                }
                ordered.push_back(segments[row.segment]);
            }
            const auto again = ductsys::outline(ductsys::calculate(ordered, {}));
            for (std::size_t row = 0; row < again.size(); ++row) {
                QCOMPARE(again[row].segment, row);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestDuctSystem)
#include "tst_duct_system.moc"

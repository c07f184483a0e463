// The duct system window driven as a user drives it: actions, typing into cells, the clipboard
// and the undo keys, checked against the calculator window showing the same duct.

#include "calc/roughness.h"
#include "calc/sizing.h"
#include "calculator_driver.h"
#include "system_window/system_table_keys.h"
#include "ui/main_window/main_window.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/system_document.h"
#include "ui/system_window/system_table_model.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

using ductsys::Column;
using Model = ui::SystemTableModel;

class TestSystemWindow : public QObject {
    Q_OBJECT

    CalculatorDriver d;
    std::unique_ptr<ui::DuctSystemWindow> window;
    QTableView* table = nullptr;

    QAbstractItemModel* model() const { return table->model(); }
    QString cell(int row, int column) const {
        return model()->index(row, column).data().toString();
    }

    void trigger(const char* action) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    void click(int row, int column) { clickCell(table, row, column); }
    void typeCell(int row, int column, const QString& text) {
        ::typeCell(table, row, column, text);
    }
    void keyOnTable(int key, Qt::KeyboardModifiers modifiers = {}) {
        activate(table);
        table->setFocus();
        QTest::keyClick(table, Qt::Key(key), modifiers);
    }
    // Every cell as shown and as typed, and the summary.
    QStringList snapshot() const {
        QStringList texts{window->findChild<QLabel*>("systemSummary")->text()};
        for (int row = 0; row < model()->rowCount(); ++row) {
            for (int column = 0; column < model()->columnCount(); ++column) {
                const QModelIndex index = model()->index(row, column);
                texts << index.data().toString() + '|' + index.data(Qt::EditRole).toString();
            }
        }
        return texts;
    }
    // Segments 1, 2, 4, 3 in tree order: a main 1 → 2 → 4 and a round branch 3 from 1; the
    // flows of 1 and 2 are summed, 2 has a size of its own and 4 is oval.
    void buildSmallSystem() {
        trigger("actionAddSegment");
        trigger("actionAddSegment");
        trigger("actionAddBranch");
        click(1, Column::Id);
        trigger("actionAddSegment");
        QCOMPARE(model()->rowCount(), 4);
        for (const auto& [row, column, text] : {std::tuple{0, Column::Flow, ""},
                                                {1, Column::Flow, ""},
                                                {1, Column::Size, "630×250"},
                                                {3, Column::Shape, "圆形"},
                                                {3, Column::Flow, "1800"},
                                                {2, Column::Shape, "椭圆形"},
                                                {2, Column::Flow, "2500"},
                                                {2, Column::Zeta, "1.5"}}) {
            typeCell(row, column, QString::fromUtf8(text));
        }
    }

private slots:
    void init() {
        d.start();
        window = std::make_unique<ui::DuctSystemWindow>(d.form.get(), nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        table = window->findChild<QTableView*>("systemTable");
    }
    void cleanup() {
        window.reset();
        d.stop();
    }

    // 工具 → 管网水力计算… builds the window beside the calculator once and shows it again.
    void openedOnceFromTheToolsMenu() {
        ui::MainWindow main;
        main.show();
        for (int open = 0; open < 2; ++open) {
            main.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&main));
            QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
            auto* window = main.findChild<ui::DuctSystemWindow*>("DuctSystemWindow");
            QVERIFY(window && window->isVisible());
            window->close();
        }
        QCOMPARE(main.findChildren<ui::DuctSystemWindow*>().size(), 1);
    }

    // Every segment's figures read as the calculator shows them for the same duct and flow.
    void segmentsMatchTheCalculator() {
        buildSmallSystem();
        QCOMPARE(cell(1, Column::Upstream), "1");
        QCOMPARE(cell(2, Column::Upstream), "2");
        QCOMPARE(cell(3, Column::Upstream), "1");
        const std::array sizeBoxes{QStringList{"Text2"}, QStringList{"Text3", "Text4"},
                                   QStringList{"Text14", "Text15"}};
        const std::array shapeOptions{"Option1", "Option2", "Option6"};
        const std::array shapes{"圆形", "矩形", "椭圆形"};
        d.click("Check1");
        for (int row = 0; row < model()->rowCount(); ++row) {
            const auto shape =
                std::find(shapes.begin(), shapes.end(), cell(row, Column::Shape).toStdString()) -
                shapes.begin();
            d.click(shapeOptions[std::size_t(shape)]);
            const QStringList size = cell(row, Column::Size).split(' ').last().split("×");
            for (int i = 0; i < size.size(); ++i) {
                d.type(sizeBoxes[std::size_t(shape)][i], size[i]);
            }
            d.type("Text1", cell(row, Column::Flow));
            for (const auto& [computed, result, unit] :
                 {std::tuple{ductsys::EquivalentDiameter, calc::ResultRow::EquivalentDiameter,
                             " m"},
                  {ductsys::Velocity, calc::ResultRow::Velocity, " m/s"},
                  {ductsys::FrictionLoss, calc::ResultRow::FrictionLoss, " Pa/m"},
                  {ductsys::DynamicPressure, calc::ResultRow::DynamicPressure, " Pa"}}) {
                QCOMPARE(
                    cell(row, Model::computedColumn(computed)),
                    QString::fromStdString(calc::cellText(d.result(result).toStdString(), unit)));
            }
        }
        QCOMPARE(cell(0, Column::Flow), "4300");
    }

    // Undoing every step of random edits gives the empty system back, unmodified; redoing them
    // all gives the last state.
    void undoAndRedoEverything() {
        QRandomGenerator random(7);
        const QStringList first = snapshot();
        const QStringList texts{"", "1200", "圆形", "800×320", "x", "2", "自动", "干管"};
        for (int step = 0; step < 40; ++step) {
            const int rows = model()->rowCount();
            // Half typing; adding twice as often as deleting, so that the tree grows.
            const int choice = rows == 0 ? 0 : random.bounded(8);
            if (rows > 0) {
                click(random.bounded(rows), Column::Id);
            }
            if (choice <= 1) {
                trigger(random.bounded(2) ? "actionAddSegment" : "actionAddBranch");
            } else if (choice == 2) {
                // Del clears the cell; Ctrl+Del deletes the segment, the question about those
                // below it answered 删除.
                keyOnTable(Qt::Key_Delete, random.bounded(2) ? Qt::ControlModifier : Qt::NoModifier);
            } else if (choice == 3) {
                auto* limit = window->findChild<QDoubleSpinBox*>("systemVelocityMain");
                limit->setFocus(Qt::TabFocusReason);
                QTest::keyClick(limit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(limit, QString::number(random.bounded(3, 9)));
            } else {
                typeCell(random.bounded(rows), random.bounded(int(Column::ColumnCount)),
                         texts[random.bounded(texts.size())]);
            }
        }
        const QStringList last = snapshot();
        QUndoStack* undo = window->document()->undoStack();
        while (undo->canUndo()) {
            keyOnTable(Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(snapshot(), first);
        QVERIFY(!window->isWindowModified());
        while (undo->canRedo()) {
            keyOnTable(Qt::Key_Y, Qt::ControlModifier);
        }
        QCOMPARE(snapshot(), last);
        QVERIFY(window->isWindowModified());
    }

    // A block lands in the input columns from the current cell, adding rows as needed, and
    // one undo step takes it all back.
    void pasteBlock_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<QStringList>>("block");
        QList<QStringList> flows;
        for (int i = 0; i < 50; ++i) {
            flows << QStringList{QString::number(500 + 10 * i)};
        }
        QTest::newRow("50 flows") << 0 << int(Column::Flow) << flows;
        QTest::newRow("two rows past the end")
            << 3 << int(Column::Shape)
            << QList<QStringList>{{"圆形", "400", "0.5", "20", "备注", "beyond"},
                                  {"矩形", "500×200"}};
    }
    void pasteBlock() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QList<QStringList>, block);
        buildSmallSystem();
        const QStringList before = snapshot();
        QStringList lines;
        for (const QStringList& line : block) {
            lines << line.join('\t');
        }
        QGuiApplication::clipboard()->setText(lines.join("\r\n") + "\r\n");
        click(row, column);
        keyOnTable(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(model()->rowCount(), std::max(4, row + int(block.size())));
        for (int line = 0; line < block.size(); ++line) {
            for (int i = 0; i < block[line].size() && column + i < Column::ColumnCount; ++i) {
                QCOMPARE(model()->index(row + line, column + i).data(Qt::EditRole).toString(),
                         block[line][i]);
            }
            QVERIFY(!cell(row + line, Model::computedColumn(ductsys::Velocity)).isEmpty());
        }
        keyOnTable(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(snapshot(), before);
    }

    // The air taken from the calculator is the calculator's own, in one undo step.
    void airFromTheCalculator() {
        buildSmallSystem();
        const QStringList before = snapshot();
        d.type("Text16", "1.2345678");
        auto* take = window->findChild<QPushButton*>("systemAirFromCalculator");
        QTest::mouseClick(take, Qt::LeftButton);
        QCOMPARE(bits(window->document()->settings().density), bits(d.state().dens));
        QVERIFY(snapshot() != before);
        keyOnTable(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(snapshot(), before);
    }

    // Air the settings could not show is not taken, and a message says why.
    void refusesAirOutOfRange_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says");
        QTest::newRow("dense") << "Text16"
                               << "20"
                               << QString::fromUtf8("空气密度 20 kg/m3 不在 0.1 至 10 kg/m3");
        QTest::newRow("viscous") << "Text17"
                                 << "0.01"
                                 << QString::fromUtf8(
                                        "运动粘度 0.01 m2/s 不在 1E-06 至 0.001 m2/s");
    }
    void refusesAirOutOfRange() {
        QFETCH(QString, box);
        QFETCH(QString, value);
        QFETCH(QString, says);
        d.type(box, value);
        d.messages.clear();
        QTest::mouseClick(window->findChild<QPushButton*>("systemAirFromCalculator"),
                          Qt::LeftButton);
        QCOMPARE(d.messages.size(), 1);
        QVERIFY2(d.messages[0].text.contains(says), qPrintable(d.messages[0].text));
        QVERIFY(!window->document()->undoStack()->canUndo());
    }

    // Each material's K steps as the calculator's bar moves it, over the same range, to the
    // same float.
    void roughnessStepsAsTheCalculator() {
        auto* materials = window->findChild<QComboBox*>("systemRoughness");
        auto* k = window->findChild<QDoubleSpinBox*>("systemRoughnessK");
        const auto press = [](QWidget* widget, Qt::Key key, int times) {
            for (int i = 0; i < times; ++i) {
                widget->setFocus(Qt::TabFocusReason);
                QTest::keyClick(widget, key);
            }
        };
        for (std::size_t material = 0; material < calc::customMaterial; ++material) {
            press(materials, Qt::Key_Home, 1);
            press(materials, Qt::Key_Down, int(material));
            QCOMPARE(window->document()->settings().material, material);
            const calc::RoughnessBar& steps = calc::roughnessBars[material];
            QCOMPARE(k->isEnabled(), calc::hasRoughnessBar(material));
            if (!k->isEnabled()) {
                continue;
            }
            auto* bar = d.get<QScrollBar>(QStringLiteral("HScroll%1").arg(material + 1));
            const int positions = steps.maximum - steps.minimum;
            press(bar, Qt::Key_Left, positions);
            press(k, Qt::Key_Down, positions + 1);
            for (int step = 0; step <= positions; ++step) {
                QCOMPARE(bits(window->document()->settings().roughness), bits(d.state().rough));
                press(bar, Qt::Key_Right, 1);
                press(k, Qt::Key_Up, 1);
            }
            QCOMPARE(k->value(), steps.maximum / double(steps.divisor));
        }
    }

    // Delete in an open cell editor deletes a character; on the table Del and Backspace clear
    // the selected input cells as one step, and Ctrl+Del deletes the segment.
    void deleteKeysInEditorAndTable() {
        buildSmallSystem();
        click(2, Column::Note);
        QTest::keyClick(table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClicks(editor, "abc");
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_Delete);
        commitEditor(editor);
        QCOMPARE(cell(2, Column::Note), "bc");
        QCOMPARE(model()->rowCount(), 4);
        for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_Backspace}) {
            // From the flow to a computed figure, which stays as it is.
            click(2, Column::Flow);
            QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                              table->visualRect(model()->index(2, Column::Note + 1)).center());
            keyOnTable(key);
            QCOMPARE(model()->index(2, Column::Flow).data(Qt::EditRole).toString(), "");
            QCOMPARE(cell(2, Column::Note), "");
            trigger("actionSystemUndo");
            QCOMPARE(cell(2, Column::Flow), "2500");
            QCOMPARE(cell(2, Column::Note), "bc");
        }
        click(3, Column::Note);
        keyOnTable(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(model()->rowCount(), 3);
        QVERIFY(d.messages.isEmpty());
        // With segments below it, the question is asked, 取消 its default.
        click(0, Column::Note);
        keyOnTable(Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(d.messages.size(), 1);
        QCOMPARE(d.messages[0].buttons, QStringList({"删除", "取消"}));
        QCOMPARE(d.messages[0].defaultButton, "取消");
        QCOMPARE(model()->rowCount(), 0);
    }

    // An unreadable flow leaves its upstream segments without a sum: no loss from the fan is
    // shown, the summary says why, and a double-click on it goes to the cell.
    void incompleteSystemSaysWhy() {
        buildSmallSystem();
        typeCell(3, Column::Flow, "12a");
        auto* summary = window->findChild<QLabel*>("systemSummary");
        QVERIFY2(summary->text().startsWith(QString::fromUtf8(
                     "计算不完整：4 个管段无法计算（第一个：管段 3 的风量应为数字）")),
                 qPrintable(summary->text()));
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(cell(row, Model::computedColumn(ductsys::Cumulative)), "");
        }
        QTest::mouseDClick(summary, Qt::LeftButton);
        QCOMPARE(table->currentIndex(), model()->index(3, Column::Flow));
    }

    // A new 编号 takes the segments starting from it along, in one undo step; one that
    // another segment has is refused with the reason, the cell keeping its own.
    void renamingKeepsTheTree() {
        buildSmallSystem();
        typeCell(0, Column::Id, "M1");
        QCOMPARE(cell(1, Column::Upstream), "M1");
        QCOMPARE(cell(3, Column::Upstream), "M1");
        trigger("actionSystemUndo");
        QCOMPARE(cell(1, Column::Upstream), "1");
        const int steps = window->document()->undoStack()->count();
        typeCell(0, Column::Id, "4");
        QCOMPARE(cell(0, Column::Id), "1");
        QCOMPARE(window->document()->undoStack()->count(), steps);
        QCOMPARE(window->findChild<QStatusBar*>("systemStatus")->currentMessage(),
                 QString::fromUtf8("编号“4”已被第 3 行的管段使用。"));
    }

    // Rows entered in any order show as the tree: a branch of the main pasted after another
    // branch's outlets stands below the main, and a new upstream moves its row, the current
    // cell going with it.
    void rowsFollowTheTree() {
        QGuiApplication::clipboard()->setText("S1\nS2\tS1\nB4\tS1\nO5\tB4\t\t800\n"
                                              "O6\tB4\t\t900\nB7\tS2\t\t700\n");
        keyOnTable(Qt::Key_V, Qt::ControlModifier);
        const auto ids = [this] {
            QStringList shown;
            for (int row = 0; row < model()->rowCount(); ++row) {
                shown << cell(row, Column::Id);
            }
            return shown.join(' ');
        };
        QCOMPARE(ids(), "S1 S2 B7 B4 O5 O6");
        typeCell(5, Column::Upstream, "S2");
        QCOMPARE(ids(), "S1 S2 B7 O6 B4 O5");
        QCOMPARE(table->currentIndex(), model()->index(3, Column::Upstream));
        trigger("actionSystemUndo");
        QCOMPARE(ids(), "S1 S2 B7 B4 O5 O6");
    }

    // A double-click on Σζ opens the fittings; two 90° round elbows of R/D 1.5 and a free exit
    // make it 2 × 0.15 + 1.0, kept as the segment's fittings and undone as one step.
    void fittingsMakeUpTheZeta() {
        trigger("actionAddSegment");
        QTimer::singleShot(0, [] {
            auto* dialog = QApplication::activeModalWidget();
            auto* type = dialog->findChild<QComboBox*>("fittingType");
            auto* count = dialog->findChild<QSpinBox*>("fittingCount");
            for (const auto& [id, times] :
                 {std::pair{"round-elbow-smooth", "2"}, {"free-exit", "1"}}) {
                type->setCurrentIndex(type->findData(QString::fromLatin1(id)));
                QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(count, times);
                QTest::mouseClick(dialog->findChild<QPushButton*>("addFitting"), Qt::LeftButton);
            }
            QCOMPARE(dialog->findChild<QLabel*>("fittingsSum")->text(),
                     QString::fromUtf8("Σζ = 1.3"));
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        const QModelIndex zeta = model()->index(0, Column::Zeta);
        click(0, Column::Zeta);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(zeta).center());
        QCOMPARE(zeta.data(Qt::EditRole).toString(), "1.3");
        QCOMPARE(window->document()->segments()[0].fittings.size(), std::size_t(2));
        trigger("actionSystemUndo");
        QCOMPARE(zeta.data(Qt::EditRole).toString(), "0");
        QVERIFY(window->document()->segments()[0].fittings.empty());
    }
};

QTEST_MAIN(TestSystemWindow)
#include "tst_system_window.moc"

// The lists of the 形状 and 类型 cells and the fittings editor, driven as a user drives them:
// clicks, double-clicks and keys on the table, in the open lists and in the dialog.

#include "calculator_driver.h"
#include "files/fitting_library.h"
#include "system_window/system_table_keys.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/fittings_dialog.h"
#include "ui/system_window/system_document.h"

#include <QDoubleSpinBox>
#include <QLayout>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTableWidget>

using ductsys::Column;

// An open list lies beside its combo, not over it, and shows its entries whole.
static void verifyListBeside(QComboBox* combo) {
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    const QRect items(list->viewport()->mapToGlobal(QPoint()), list->viewport()->size());
    QVERIFY(!items.intersects({combo->mapToGlobal(QPoint()), combo->size()}));
    QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
}

static void pick(QComboBox* combo, int entry, bool byKeys) {
    QAbstractItemView* list = combo->view();
    if (byKeys) {
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < entry; ++i) {
            QTest::keyClick(list, Qt::Key_Down);
        }
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QPoint item = list->visualRect(list->model()->index(entry, 0)).center();
        QTest::mouseMove(list->viewport(), item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
    }
    QTRY_VERIFY(!list->isVisible());
}

class TestSystemEditing : public QObject {
    Q_OBJECT

    CalculatorDriver d;
    std::unique_ptr<ui::DuctSystemWindow> window;
    QTableView* table = nullptr;
    const QString defaultStyle = QApplication::style()->name();

    QUndoStack* undo() { return window->document()->undoStack(); }
    QString cell(int column) { return window->document()->cell(0, Column(column)); }
    QModelIndex index(int column) { return table->model()->index(0, column); }
    void paste(int column, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        clickCell(table, 0, column);
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    }
    // Opens the cell's editor by a double-click, F2 or a typed key, and its list with it.
    QComboBox* openList(int column, const QString& how) {
        clickCell(table, 0, column);
        if (how == "double-click") {
            // As the window system delivers it: the last release comes after the editor has
            // opened, to the window that has the mouse then.
            QWindow* window = table->window()->windowHandle();
            const QPoint at =
                table->viewport()->mapTo(table->window(), table->visualRect(index(column)).center());
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
            QTest::mousePress(window, Qt::LeftButton, {}, at);
            QTest::qWait(50);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(table, how == "F2" ? Qt::Key_F2 : Qt::Key_A);
        }
        auto* combo = qobject_cast<QComboBox*>(table->indexWidget(index(column)));
        if (combo) {
            verifyListBeside(combo);
        }
        return combo;
    }
    void verifyClosed(int column) {
        QTRY_VERIFY(!table->indexWidget(index(column)));
        QCOMPARE(QApplication::focusWidget(), table);
    }

private slots:
    void init() {
        d.start();
        window = std::make_unique<ui::DuctSystemWindow>(d.form.get(), nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        table = window->findChild<QTableView*>("systemTable");
        window->findChild<QAction*>("actionAddSegment")->trigger();
    }
    void cleanup() {
        window.reset();
        d.stop();
        QApplication::setStyle(defaultStyle);
    }

    // A choice is written as one undo step, 自动 as an empty cell.
    void choose_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("圆形") << "Fusion" << int(Column::Shape) << "double-click" << 0 << false
                              << "圆形";
        QTest::newRow("椭圆形") << "Windows" << int(Column::Shape) << "F2" << 2 << true << "椭圆形";
        QTest::newRow("末端支管") << "Fusion" << int(Column::Kind) << "key" << 3 << true
                                  << "末端支管";
        QTest::newRow("自动") << "Windows" << int(Column::Kind) << "double-click" << 0 << false
                              << "";
    }
    void choose() {
        QFETCH(QString, style);
        QFETCH(int, column);
        QFETCH(QString, how);
        QFETCH(int, entry);
        QFETCH(bool, byKeys);
        QFETCH(QString, chosen);
        QApplication::setStyle(style);
        paste(Column::Kind, "干管");
        const int steps = undo()->count();
        QComboBox* combo = openList(column, how);
        QVERIFY(combo);
        QTest::qWait(50); // the box keeps the cell's height once shown
        QCOMPARE(combo->height(), table->visualRect(index(column)).height());
        pick(combo, entry, byKeys);
        QCOMPARE(cell(column), chosen);
        QCOMPARE(undo()->count(), steps + 1);
        verifyClosed(column);
    }

    // Closing a list without a choice leaves the cell as it was, even one reading as none of
    // its entries.
    void closeWithoutChoosing_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("closeKey");
        QTest::newRow("rubbish, Escape") << int(Column::Shape) << "abc" << -1 << int(Qt::Key_Escape);
        QTest::newRow("rubbish, click beside") << int(Column::Kind) << "x" << -1 << 0;
        QTest::newRow("blanks around") << int(Column::Shape) << " 矩形 " << 1 << int(Qt::Key_Escape);
        QTest::newRow("blanks, Return") << int(Column::Kind) << "  " << 0 << int(Qt::Key_Return);
    }
    void closeWithoutChoosing() {
        QFETCH(int, column);
        QFETCH(QString, pasted);
        QFETCH(int, shown);
        QFETCH(int, closeKey);
        paste(column, pasted);
        const int steps = undo()->count();
        QComboBox* combo = openList(column, "F2");
        QVERIFY(combo);
        QCOMPARE(combo->currentIndex(), shown);
        if (closeKey != 0) {
            QTest::keyClick(combo->view(), Qt::Key(closeKey));
        } else {
            // The open list has the mouse: a press beside it goes to it.
            QWidget* popup = combo->view()->window();
            const QPoint note = table->visualRect(index(Column::Note)).center();
            QTest::mouseClick(popup, Qt::LeftButton, {},
                              popup->mapFromGlobal(table->viewport()->mapToGlobal(note)));
        }
        verifyClosed(column);
        QCOMPARE(cell(column), pasted);
        QCOMPARE(undo()->count(), steps);
    }

    // A clicked entry shows its type, parameters and count; 更新 gives it back as it was,
    // and with another count replaces it.
    void fittingsLoadAndUpdate() {
        const fittings::Library& library = files::fittingLibrary();
        QRandomGenerator random(3);
        std::vector<ductsys::FittingEntry> entries;
        for (int i = 0; i < 12; ++i) {
            const fittings::Fitting& fitting = library[random.bounded(int(library.size()))];
            ductsys::FittingEntry entry{fitting.id, {}, random.bounded(1, 10), 0};
            for (const fittings::Parameter& parameter : fitting.parameters) {
                const auto& table = fitting.table;
                entry.parameters.emplace_back(
                    parameter.name, table && table->rows == parameter.name
                                        ? table->rowValues[random.bounded(int(table->rowValues.size()))]
                                        : parameter.defaultValue);
            }
            entries.push_back(entry);
        }
        ui::FittingsDialog dialog("1", entries, {0.1, 1.2}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* list = dialog.findChild<QTableWidget*>("fittingsList");
        auto* update = dialog.findChild<QPushButton*>("updateFitting");
        auto* count = dialog.findChild<QSpinBox*>("fittingCount");
        QVERIFY(update);
        for (int step = 0; step < 20; ++step) {
            const int row = random.bounded(int(entries.size()));
            list->scrollToItem(list->item(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row, 1)).center());
            QCOMPARE(dialog.findChild<QComboBox*>("fittingType")->currentData().toString(),
                     QString::fromStdString(entries[row].id));
            QCOMPARE(count->value(), entries[row].count);
            QTest::mouseClick(update, Qt::LeftButton);
            QCOMPARE(dialog.entries()[row].parameters, entries[row].parameters);
            QCOMPARE(dialog.entries()[row].count, entries[row].count);
        }
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, "42");
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(dialog.entries().size(), entries.size());
        QCOMPARE(dialog.entries()[list->currentRow()].count, 42);
    }

    // The type list opens beside its box, so that a click picks the entry under it, and the
    // panel keeps its height when a value beyond the table turns the message into a refusal.
    void fittingTypeAndPanel_data() {
        QTest::addColumn<QString>("style");
        QTest::newRow("Fusion") << "Fusion";
        QTest::newRow("Windows") << "Windows";
    }
    void fittingTypeAndPanel() {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        ui::FittingsDialog dialog("1", {}, {0.1, 1.2}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* type = dialog.findChild<QComboBox*>("fittingType");
        QTest::mouseClick(type, Qt::LeftButton);
        verifyListBeside(type);
        const int elbow = type->findData("round-elbow-smooth");
        pick(type, elbow, false);
        QCOMPARE(type->currentIndex(), elbow);
        dialog.layout()->activate();
        const QRect list = dialog.findChild<QTableWidget*>("fittingsList")->geometry();
        auto* box = dialog.findChild<QDoubleSpinBox*>("fittingParameter1");
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "9");
        QVERIFY(dialog.findChild<QLabel*>("fittingZeta")->text().startsWith("无法取值"));
        dialog.layout()->activate();
        QCOMPARE(dialog.findChild<QTableWidget*>("fittingsList")->geometry(), list);
    }
};

QTEST_MAIN(TestSystemEditing)
#include "tst_system_editing.moc"

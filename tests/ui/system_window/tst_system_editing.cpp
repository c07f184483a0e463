// The lists of the 形状 and 类型 cells and the fittings editor, driven by clicks and keys.

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

// A cell's list opened one way, shown at an entry, then picked ("click N", "keys N") or closed.
struct ListCase {
    QString style;
    Column column;
    QString pasted, how;
    int shown;
    QString act, after;
};
Q_DECLARE_METATYPE(ListCase)

// An open list lies beside its combo, not over it, and shows its entries whole.
static void verifyListBeside(QComboBox* combo) {
    QAbstractItemView* list = combo->view();
    QTRY_VERIFY(list->isVisible());
    const QRect items(list->viewport()->mapToGlobal(QPoint()), list->viewport()->size());
    QVERIFY(!items.intersects({combo->mapToGlobal(QPoint()), combo->size()}));
    QVERIFY(list->viewport()->width() >= list->sizeHintForColumn(0));
}

// Picks an entry by Home, Down and Return, or by a click on it.
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

    QModelIndex index(int column) { return table->model()->index(0, column); }

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

    // A choice is one undo step, 自动 an empty cell; closing without one leaves the cell as it
    // was, even one reading as none of its entries.
    void chooseOrClose_data() {
        QTest::addColumn<ListCase>("c");
        const auto row = [](const char* name, const ListCase& c) { QTest::newRow(name) << c; };
        using enum Column;
        row("圆形", {"Fusion", Shape, "", "double-click", 1, "click 0", "圆形"});
        row("椭圆形", {"Windows", Shape, "", "F2", 1, "keys 2", "椭圆形"});
        row("末端支管", {"Fusion", Kind, "干管", "key", 1, "keys 3", "末端支管"});
        row("自动", {"Windows", Kind, "干管", "double-click", 1, "click 0", ""});
        row("rubbish, Escape", {"Fusion", Shape, "abc", "F2", -1, "Escape", "abc"});
        row("rubbish, click beside", {"Windows", Kind, "x", "F2", -1, "beside", "x"});
        row("blanks around", {"Windows", Shape, " 矩形 ", "F2", 1, "Escape", " 矩形 "});
        row("blanks, Return", {"Fusion", Kind, "  ", "F2", 0, "Return", "  "});
    }
    void chooseOrClose() {
        QFETCH(ListCase, c);
        const int column = int(c.column);
        QApplication::setStyle(c.style);
        clickCell(table, 0, column);
        if (!c.pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(c.pasted);
            QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
        }
        QUndoStack* undo = window->document()->undoStack();
        const int steps = undo->count();
        if (c.how == "double-click") { // its last release reaches the window the editor opened in
            QWindow* window = table->window()->windowHandle();
            const QPoint at = table->viewport()->mapTo(table->window(),
                                                       table->visualRect(index(column)).center());
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
            QTest::mousePress(window, Qt::LeftButton, {}, at);
            QTest::qWait(50);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(table, c.how == "F2" ? Qt::Key_F2 : Qt::Key_A);
        }
        auto* combo = qobject_cast<QComboBox*>(table->indexWidget(index(column)));
        QVERIFY(combo);
        verifyListBeside(combo);
        QCOMPARE(combo->currentIndex(), c.shown);
        QTest::qWait(50); // the box keeps the cell's height once shown
        QCOMPARE(combo->height(), table->visualRect(index(column)).height());
        if (const QStringList words = c.act.split(' '); words.size() == 2) {
            pick(combo, words[1].toInt(), words[0] == "keys");
        } else if (c.act == "beside") { // the open list has the mouse: a press beside goes to it
            QWidget* popup = combo->view()->window();
            const QPoint note = table->visualRect(index(Column::Note)).center();
            QTest::mouseClick(popup, Qt::LeftButton, {},
                              popup->mapFromGlobal(table->viewport()->mapToGlobal(note)));
        } else {
            QTest::keyClick(combo->view(), c.act == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        }
        QTRY_VERIFY(!table->indexWidget(index(column)));
        QCOMPARE(QApplication::focusWidget(), table);
        QCOMPARE(window->document()->cell(0, c.column), c.after);
        QCOMPARE(undo->count(), steps + int(c.after != c.pasted));
    }

    // A clicked entry shows its type, parameters and count; 更新 gives it back as it was, and
    // with another count replaces it. The type list opens beside its box, so that a click picks
    // the entry under it, and the panel keeps its height when a value turns into a refusal.
    void fittingsDialog_data() {
        QTest::addColumn<QString>("style");
        QTest::newRow("Fusion") << "Fusion";
        QTest::newRow("Windows") << "Windows";
    }
    void fittingsDialog() {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        const fittings::Library& library = files::fittingLibrary();
        QRandomGenerator random(3);
        std::vector<ductsys::FittingEntry> entries;
        for (int i = 0; i < 12; ++i) {
            const fittings::Fitting& fitting = library[random.bounded(int(library.size()))];
            // Built, not emplaced: clang 14 has no parenthesised aggregate initialisation.
            auto& entry = entries.emplace_back(
                ductsys::FittingEntry{fitting.id, {}, random.bounded(1, 10), 0});
            for (const fittings::Parameter& parameter : fitting.parameters) {
                const auto& table = fitting.table; // a row's value where the table has rows
                entry.parameters.emplace_back(
                    parameter.name,
                    table && table->rows == parameter.name
                        ? table->rowValues[random.bounded(int(table->rowValues.size()))]
                        : parameter.defaultValue);
            }
        }
        ui::FittingsDialog dialog("1", entries, {0.1, 1.2}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* list = dialog.findChild<QTableWidget*>("fittingsList");
        auto* update = dialog.findChild<QPushButton*>("updateFitting");
        auto* count = dialog.findChild<QSpinBox*>("fittingCount");
        auto* type = dialog.findChild<QComboBox*>("fittingType");
        for (int step = 0; step < 20; ++step) {
            const int row = random.bounded(int(entries.size()));
            list->scrollToItem(list->item(row, 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row, 1)).center());
            QCOMPARE(type->currentData().toString(), QString::fromStdString(entries[row].id));
            QCOMPARE(count->value(), entries[row].count);
            QTest::mouseClick(update, Qt::LeftButton);
            QCOMPARE(dialog.entries()[row].parameters, entries[row].parameters);
        }
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, "42");
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(dialog.entries().size(), entries.size());
        QCOMPARE(dialog.entries()[list->currentRow()].count, 42);

        QTest::mouseClick(type, Qt::LeftButton);
        verifyListBeside(type);
        const int elbow = type->findData("round-elbow-smooth");
        pick(type, elbow, false);
        QCOMPARE(type->currentIndex(), elbow);
        dialog.layout()->activate();
        const QRect listGeometry = list->geometry();
        auto* box = dialog.findChild<QDoubleSpinBox*>("fittingParameter1");
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, "9");
        QVERIFY(dialog.findChild<QLabel*>("fittingZeta")->text().startsWith("无法取值"));
        dialog.layout()->activate();
        QCOMPARE(list->geometry(), listGeometry);
    }
};

QTEST_MAIN(TestSystemEditing)
#include "tst_system_editing.moc"

#pragma once

// Typing into the duct system table as a user types: a click on the cell, F2, the text key by
// key, Enter.

#include <QApplication>
#include <QPointer>
#include <QTableView>
#include <QTest>

// Offscreen, a window is not activated again when a dialog or a list over it closes, and
// its shortcuts wait for it.
inline void activate(QWidget* widget) {
    QWidget* window = widget->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
}

inline void clickCell(QTableView* table, int row, int column) {
    activate(table);
    const QModelIndex index = table->model()->index(row, column);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
}

// The delegate commits and closes its editor from the event loop.
inline void commitEditor(QWidget* editor) {
    const QPointer<QWidget> open(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!open || !open->isVisible());
}

// Key by key with their text: QTest::keyClicks takes Latin-1 only, not "×" or "圆".
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar key : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(key), {});
    }
}

// Opens the cell's editor with F2, replaces its text and commits it with Enter.
inline void typeCell(QTableView* table, int row, int column, const QString& text) {
    clickCell(table, row, column);
    QTest::keyClick(table, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor != table);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Backspace);
    typeText(editor, text);
    commitEditor(editor);
}

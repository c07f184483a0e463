#pragma once

// The window fixture of the window tests. Drives the calculator window as a user does: real
// mouse and key events on controls found by their object names; every message box is
// recorded and closed by a click on its button as soon as it is shown.

#include "ui/calculator/calculator_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTest>
#include <QTimer>
#include <bit>
#include <memory>

inline quint32 bits(float x) {
    return std::bit_cast<quint32>(x);
}

struct ShownMessage {
    QString title, text;
    QStringList buttons;
    bool modal = false, noIcon = false;
    QString defaultButton;
};

class CalculatorDriver {
public:
    std::unique_ptr<ui::CalculatorForm> form;
    QList<ShownMessage> messages;

    void start() {
        messages.clear();
        form = std::make_unique<ui::CalculatorForm>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        qApp->installEventFilter(&answerer);
    }
    void stop() {
        qApp->removeEventFilter(&answerer);
        form.reset();
    }

    const calc::CalculatorState& state() const { return form->state(); }
    template <class Widget = QWidget> Widget* get(const QString& name) const {
        auto* widget = form->findChild<Widget*>(name);
        if (!widget) {
            qFatal("no control %s of the expected kind", qPrintable(name));
        }
        return widget;
    }
    QString label(const QString& name) const { return get<QLabel>(name)->text(); }
    QString text(const QString& box) const { return get<QLineEdit>(box)->text(); }
    bool selected(const QString& button) const { return get<QAbstractButton>(button)->isChecked(); }
    QString result(calc::ResultRow row) const { return form->resultLabel(row).text(); }
    QStringList results() const {
        QStringList captions;
        for (const char* name : {"Label13", "Label10", "Label6", "Label17", "Label26", "Label24",
                                 "Label7", "Label15", "Label11", "Label21"}) {
            captions << label(name);
        }
        return captions;
    }

    // The focus once the window is active again: offscreen, with no window manager, no
    // window is reactivated when a message box closes.
    QWidget* focused() const {
        if (!form->isActiveWindow()) {
            form->activateWindow();
            if (!QTest::qWaitForWindowActive(form.get())) {
                return nullptr;
            }
        }
        return QApplication::focusWidget();
    }

    // Focus arrives as by the Tab key (a click on a value box would select its material),
    // all is selected, then the keys are typed one by one: each key is one change. A text
    // starting with '=' is pasted instead, arriving as one change.
    void type(const QString& box, const QString& keys) {
        auto* edit = get<QLineEdit>(box);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty() || keys == "=") {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (keys.startsWith('=')) {
            QGuiApplication::clipboard()->setText(keys.mid(1));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, keys);
        }
    }

    // A left click in the middle of a control, as on its caption or in its box.
    void click(const QString& name) {
        QWidget* widget = get(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    // Opens the list with F4 and clicks the entry in its popup.
    void choose(const QString& list, const QString& entry) {
        auto* combo = get<QComboBox>(list);
        combo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(combo, Qt::Key_F4);
        QAbstractItemView* popup = combo->view();
        QTRY_VERIFY(popup->isVisible());
        const QModelIndex index = popup->model()->index(combo->findText(entry), 0);
        QVERIFY2(index.isValid(), qPrintable(entry));
        popup->scrollTo(index);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(index).center());
        QTRY_VERIFY(!popup->isVisible());
    }

    // Clicks an arrow of a horizontal scroll bar, where the style draws it.
    void clickArrow(const QString& name, QStyle::SubControl arrow) {
        auto* bar = get<QScrollBar>(name);
        QStyleOptionSlider style;
        style.initFrom(bar);
        style.orientation = Qt::Horizontal;
        style.state |= QStyle::State_Horizontal;
        style.minimum = bar->minimum();
        style.maximum = bar->maximum();
        style.sliderPosition = style.sliderValue = bar->value();
        const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &style, arrow, bar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, rect.center());
    }

    // Empties the density box: no recalculation happens, and the density caption turns to
    // " 0 kg/m3" at the next one, which shows whether an action recalculated.
    void markResultsStale() { type("Text16", ""); }
    bool recalculatedSinceMark() const { return label("Label26") == " 0 kg/m3"; }

private:
    class MessageAnswerer : public QObject {
    public:
        explicit MessageAnswerer(QList<ShownMessage>& messages)
            : messages(messages) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Show) {
                if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                    QTimer::singleShot(0, box, [this, box] { answer(box); });
                }
            }
            return false;
        }

    private:
        void answer(QMessageBox* box) {
            ShownMessage shown{box->windowTitle(),
                               box->text(),
                               {},
                               box->isModal(),
                               box->icon() == QMessageBox::NoIcon,
                               box->defaultButton() ? box->defaultButton()->text() : QString()};
            for (const QAbstractButton* button : box->buttons()) {
                shown.buttons << button->text();
            }
            messages << shown;
            if (QAbstractButton* button = box->buttons().value(0)) {
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                box->reject();
            }
        }

        QList<ShownMessage>& messages;
    };

    MessageAnswerer answerer{messages};
};

// The last action showed exactly one message: the error title, this text, modal, no icon
// and a single "确定" button.
#define EXPECT_ONE_MESSAGE(driver, expectedText)                                                   \
    do {                                                                                           \
        QCOMPARE((driver).messages.size(), 1);                                                     \
        const ShownMessage& shown = (driver).messages.first();                                     \
        QCOMPARE(shown.title, QString::fromUtf8("错误提示"));                                      \
        QCOMPARE(shown.text, QString(expectedText));                                               \
        QVERIFY(shown.modal);                                                                      \
        QVERIFY(shown.noIcon);                                                                     \
        QCOMPARE(shown.buttons, QStringList{QString::fromUtf8("确定")});                           \
    } while (false)

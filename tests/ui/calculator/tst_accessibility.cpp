// Keyboard and screen-reader access: the tab order of the window's controls and the names
// a screen reader announces for the inputs and the results.

#include "calculator_driver.h"

#include <QAccessible>

namespace {

// Every control that takes the keyboard focus, in its tab order.
const QStringList tabOrder = {"Text1",      "Combo1",     "Option1",    "Option2",    "Check1",
                              "Text2",      "Text3",      "Text4",      "Combo2",     "Combo3",
                              "Combo4",     "Option3(0)", "Text5",      "HScroll1",   "Option3(1)",
                              "Option3(2)", "Option3(3)", "Option3(4)", "Option3(5)", "Text6",
                              "HScroll2",   "Text7",      "Text8",      "Text9",      "Text10",
                              "HScroll6",   "Option3(6)", "Option3(7)", "Option3(8)", "Text11",
                              "Text12",     "Text13",     "HScroll7",   "HScroll8",   "Option4",
                              "Option5",    "Option6",    "Combo5",     "Combo6",     "Text14",
                              "Text15",     "Text16",     "Command2",   "Text17"};

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    void focusChainFollowsTheTabOrder() {
        QWidget* first = control("Text1");
        QStringList chain;
        QWidget* widget = first;
        do {
            if (widget->focusPolicy() & Qt::TabFocus && widget->window() == d.form.get()) {
                chain << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != first);
        QCOMPARE(chain, tabOrder);
    }

    // Tab visits what can take the focus: one option per group (the selected one), and
    // neither hidden size boxes nor disabled lists.
    void tabKeyWalksTheWindowAtStartUp() {
        control("Text1")->setFocus();
        QStringList visited;
        for (int i = 0; i < 24; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QStringList expected = {"Text1",      "Combo1", "Option1",  "Check1",   "Combo2",
                                      "Option3(0)", "Text5",  "HScroll1", "Text6",    "HScroll2",
                                      "Text7",      "Text8",  "Text9",    "Text10",   "HScroll6",
                                      "Text11",     "Text12", "Text13",   "HScroll7", "HScroll8",
                                      "Option4",    "Text16", "Command2", "Text17"};
        QCOMPARE(visited, expected);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1"));
    }

    void inputsAreNamedAfterTheirCaption_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const QList<std::pair<const char*, const char*>> rows = {
            {"Text1", "风量"},
            {"Combo1", "风量单位"},
            {"Check1", "非标尺寸"},
            {"Option1", "圆形风管"},
            {"Combo2", "直径"},
            {"Text2", "直径"},
            {"Combo3", "长"},
            {"Text3", "长"},
            {"Combo4", "宽"},
            {"Text4", "宽"},
            {"Combo5", "长径"},
            {"Text14", "长径"},
            {"Combo6", "短径"},
            {"Text15", "短径"},
            {"Text5", "薄钢板"},
            {"HScroll1", "薄钢板粗糙度"},
            {"Text13", "自定义（0.01-10）"},
            {"Option3(8)", "自定义（0.01-10）"},
            {"Option4", "公式一"},
            {"Text16", "空气密度"},
            {"Text17", "运动粘滞系数"},
            {"Command2", "恢复默认值"},
        };
        for (const auto& [control, name] : rows) {
            QTest::newRow(control) << QString(control) << QString::fromUtf8(name);
        }
    }
    void inputsAreNamedAfterTheirCaption() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QWidget* widget = this->control(control);
        // A list's own name (Windows, macOS) is set on the widget; see the relation below.
        QCOMPARE(qobject_cast<QComboBox*>(widget) ? widget->accessibleName()
                                                  : accessibleName(widget),
                 name);
    }

    // On Linux a list's accessible name is its current entry; its label reaches the screen
    // reader through the labelled-by relation instead.
    void sizeListsAreLabelledByTheirRow_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("label");
        QTest::newRow("diameter") << "Combo2"
                                  << "Label1";
        QTest::newRow("long side") << "Combo3"
                                   << "Label2";
        QTest::newRow("short side") << "Combo4"
                                    << "Label3";
        QTest::newRow("major axis") << "Combo5"
                                    << "Label19";
        QTest::newRow("minor axis") << "Combo6"
                                    << "Label18";
    }
    void sizeListsAreLabelledByTheirRow() {
        QFETCH(QString, list);
        QFETCH(QString, label);
        const auto relations =
            QAccessible::queryAccessibleInterface(control(list))->relations(QAccessible::Label);
        const bool labelled = std::any_of(relations.begin(), relations.end(), [&](const auto& r) {
            return r.first->object() == control(label);
        });
        QVERIFY(labelled);
    }

    // A screen reader announces a result with its row: "风速 5.2 m/s".
    void resultsAreReadWithTheirRow_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::newRow("roughness") << "Label13" << QString::fromUtf8("粗糙度 .16");
        QTest::newRow("flow") << "Label10" << QString::fromUtf8("风量 3600 m3/h");
        QTest::newRow("size") << "Label6" << QString::fromUtf8("风管尺寸 φ 100");
        QTest::newRow("velocity") << "Label7" << QString::fromUtf8("风速 127.3241 m/s");
        QTest::newRow("dynamic pressure") << "Label21" << QString::fromUtf8("动压 9759.271 Pa");
        QTest::newRow("caption") << "Label5" << QString::fromUtf8("风速");
    }
    void resultsAreReadWithTheirRow() {
        QFETCH(QString, label);
        QFETCH(QString, name);
        auto* text1 = static_cast<QLineEdit*>(control("Text1"));
        text1->selectAll();
        QTest::keyClicks(text1, "3600");
        QCOMPARE(accessibleName(control(label)), name);
    }

private:
    QWidget* control(const QString& name) { return d.get(name); }

    CalculatorDriver d;
};

} // namespace

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"

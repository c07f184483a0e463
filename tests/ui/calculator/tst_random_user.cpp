// A random user at the window: from a fixed seed, thousands of real keystrokes, pastes,
// clicks, list choices and scroll-bar moves, each followed by a check of what must hold
// whatever the user did. A failure names the seed and the action, so it replays with
//   DUCTCALC_SEED=<seed> DUCTCALC_ACTIONS=<n> tst_random_user

#include "calc/defaults.h"
#include "calc/flow_units.h"
#include "calc/number_text.h"
#include "calc/roughness.h"
#include "calculator_driver.h"
#include "files/project_file.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/system_document.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>
#include <cmath>
#include <deque>
#include <optional>
#include <tuple>
#include <utility>

namespace {

double number(const QLineEdit* box) {
    return calc::parseNumber(box->text().toStdString());
}

// A result shows its stored value with 7 significant digits: read back, the number lies
// within half a unit of the 7th digit, 5E-07 of the value or less, and the unit follows
// it (" .16", " 3600 m3/h", " 1.506E-05 m2/s"). A value that is not finite reads "溢出".
bool showsValue(const QString& caption, float value, const QString& unit) {
    if (!std::isfinite(value)) {
        return caption == QString::fromUtf8("溢出");
    }
    if (!caption.endsWith(unit)) {
        return false;
    }
    const double shown = calc::parseNumber(caption.chopped(unit.size()).toStdString());
    return std::fabs(shown - value) <= 5.0000001e-7 * std::fabs(value);
}

const QStringList hostileTexts = {
    "1e39",   "-1e39",  "1e-50", "-0",    "1E+38",  "3.4028236e38", "-.5",    "  -  1 2 ",
    "1e",     "1e+",    ".",     "-",     "+",      "12abc",        "abc12",  "1,5",
    "0.0001", "１２３", "－５",  "1e-45", "-1e-45", "\t7\n",        "9e9999", "-9e-9999",
    "0.005",  "25",     "10",    "0.01",  "1.5.3",  "e5",           "--5",    "1e308",
};

class TestRandomUser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() {
        system.reset();
        d.stop();
    }
    void randomUser();

private:
    QString action(QRandomGenerator& random);
    QString typeInto(QLineEdit* box, QRandomGenerator& random);
    QString chooseEntry(QComboBox* list, QRandomGenerator& random);
    QString moveBar(QScrollBar* bar, QRandomGenerator& random);
    QString click(QWidget* widget, QPoint at);
    QString editSystem(QRandomGenerator& random);
    void checkInvariants(const QString& context);

    CalculatorDriver d;
    // The duct system window open beside the calculator, edited now and then.
    std::unique_ptr<ui::DuctSystemWindow> system;
    QTemporaryDir folder;
    bool keptOnReopening = true;
    // The cell just typed into and its text, which the system must keep exactly.
    std::optional<std::tuple<int, int, QString>> typedCell;
    QList<QLineEdit*> editable;
    QList<QLineEdit*> valueBoxes;
    QList<QComboBox*> lists;
    QList<QAbstractButton*> buttons;
    QList<QScrollBar*> bars;
    QString longPaste;
};

void TestRandomUser::initTestCase() {
    d.start();
    system = std::make_unique<ui::DuctSystemWindow>(d.form.get(), nullptr);
    system->show();
    for (const char* name :
         {"Text1", "Text2", "Text3", "Text4", "Text13", "Text14", "Text15", "Text16", "Text17"}) {
        editable << d.get<QLineEdit>(name);
    }
    for (int i = 5; i <= 13; ++i) {
        valueBoxes << d.get<QLineEdit>(QStringLiteral("Text%1").arg(i));
    }
    for (const char* name : {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6"}) {
        lists << d.get<QComboBox>(name);
    }
    for (const char* name :
         {"Option1", "Option2", "Option6", "Option4", "Option5", "Check1", "Command2"}) {
        buttons << d.get<QAbstractButton>(name);
    }
    for (std::size_t i = 0; i < calc::materialCount; ++i) {
        buttons << d.get<QAbstractButton>(QStringLiteral("Option3(%1)").arg(i));
    }
    for (int i = 1; i <= 8; ++i) {
        bars << d.get<QScrollBar>(QStringLiteral("HScroll%1").arg(i));
    }
    for (int i = 0; i < 1000; ++i) {
        longPaste += QString::number(i % 10) + (i % 97 == 0 ? "." : "") + "123456789";
    }
}

QString TestRandomUser::click(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    return "click " + widget->objectName() + QString(" at %1,%2").arg(at.x()).arg(at.y());
}

QString TestRandomUser::typeInto(QLineEdit* box, QRandomGenerator& random) {
    QString done = click(box, QPoint(2 + random.bounded(box->width() - 4), box->height() / 2));
    static const QString keys = QStringLiteral("0123456789-.eE+ -0.5 1a，。１－");
    switch (random.bounded(8)) {
    case 0:
    case 1:
    case 2: {
        const QChar key = keys.at(random.bounded(keys.size()));
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(key), {});
        return done + ", type '" + key + "'";
    }
    case 3:
        QTest::keyClick(box, Qt::Key_Backspace);
        return done + ", backspace";
    case 4:
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, random.bounded(2) ? Qt::Key_Delete : Qt::Key_X,
                        random.bounded(2) ? Qt::NoModifier : Qt::ControlModifier);
        return done + ", select all and delete or cut";
    case 5: {
        const QString text = random.bounded(20) == 0
                                 ? longPaste
                                 : hostileTexts.at(random.bounded(hostileTexts.size()));
        QGuiApplication::clipboard()->setText(text);
        if (random.bounded(2)) {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        }
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        return done + ", paste '" + text.left(20) + "'";
    }
    case 6: {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        const QString text = hostileTexts.at(random.bounded(hostileTexts.size()));
        for (const QChar key : text) {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(key), {});
        }
        return done + ", retype '" + text + "'";
    }
    default:
        QTest::keyClick(box, random.bounded(2) ? Qt::Key_Home : Qt::Key_Left);
        return done + ", move the cursor";
    }
}

QString TestRandomUser::chooseEntry(QComboBox* list, QRandomGenerator& random) {
    // A closed list picks its neighbouring entries from the keyboard, as after a Tab.
    list->setFocus(Qt::TabFocusReason);
    static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End,
                                   Qt::Key_PageDown};
    const Qt::Key key = keys[random.bounded(5)];
    QTest::keyClick(list, key);
    return "choose in " + list->objectName() + " with key " + QString::number(key, 16);
}

QString TestRandomUser::moveBar(QScrollBar* bar, QRandomGenerator& random) {
    const int y = bar->height() / 2;
    const int x[] = {2, bar->width() - 3, bar->width() / 2};
    return click(bar, QPoint(x[random.bounded(3)], y));
}

QString TestRandomUser::action(QRandomGenerator& random) {
    const int kind = random.bounded(100);
    if (kind < 45) {
        return typeInto(editable.at(random.bounded(editable.size())), random);
    }
    if (kind < 60) {
        return chooseEntry(lists.at(random.bounded(lists.size())), random);
    }
    if (kind < 78) {
        QAbstractButton* button = buttons.at(random.bounded(buttons.size()));
        const QPoint at = qobject_cast<QPushButton*>(button) ? button->rect().center()
                                                             : QPoint(8, button->height() / 2);
        return click(button, at);
    }
    if (kind < 90) {
        return moveBar(bars.at(random.bounded(bars.size())), random);
    }
    if (kind < 94) {
        return editSystem(random);
    }
    QLineEdit* box = valueBoxes.at(random.bounded(valueBoxes.size()));
    return click(box, box->rect().center());
}

// A segment added, a cell typed (its text kept exactly), a block pasted, an undo or a redo.
QString TestRandomUser::editSystem(QRandomGenerator& random) {
    auto* table = system->findChild<QTableView*>("systemTable");
    const int rows = table->model()->rowCount();
    const int choice = rows == 0 ? 0 : random.bounded(6);
    const QModelIndex cell =
        table->model()->index(random.bounded(std::max(rows, 1)), random.bounded(ductsys::Note));
    table->setFocus();
    table->setCurrentIndex(cell);
    static const Qt::Key undoKeys[] = {Qt::Key_Z, Qt::Key_Y};
    switch (choice) {
    case 0:
        system->findChild<QAction*>("actionAddSegment")->trigger();
        return "add a segment";
    case 1:
    case 2: {
        // Tab and Enter in an editor commit the cell rather than type.
        const QString text =
            QString(hostileTexts.at(random.bounded(hostileTexts.size()))).remove('\t').remove('\n');
        // 形状 and 类型 are chosen from a list, not typed: the cell after one is typed instead.
        const bool listed = cell.column() == ductsys::Kind || cell.column() == ductsys::Shape;
        const QModelIndex typed = cell.siblingAtColumn(cell.column() + (listed ? 1 : 0));
        table->setCurrentIndex(typed);
        // A 编号 another segment has is refused; the cell keeps its own.
        const auto& segments = system->document()->segments();
        const std::string typedId = text.toStdString();
        const std::string_view id = ductsys::trimmed(typedId);
        const bool taken =
            typed.column() == ductsys::Id && !id.empty() &&
            std::any_of(segments.begin(), segments.end(), [&](const ductsys::Segment& s) {
                return ductsys::trimmed(s.cells[ductsys::Id]) == id;
            });
        const QString kept = taken ? typed.data(Qt::EditRole).toString() : text;
        // The calculator stays the active window: the editor is found, not taken from the focus.
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = table->findChild<QLineEdit*>();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        for (const QChar key : text) {
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(key), {});
        }
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits from the event loop, then goes.
        (void)QTest::qWaitFor([table] { return !table->findChild<QLineEdit*>(); });
        // A new upstream segment moves the row below it; the current cell goes along.
        typedCell = {table->currentIndex().row(), typed.column(), kept};
        return QString("type '%1' into cell %2,%3").arg(text).arg(typed.row()).arg(typed.column());
    }
    case 4: {
        // Saved and opened again, the system is the same.
        const QByteArray before = files::projectBytes(system->document()->project());
        const QString file = folder.filePath(QStringLiteral("random.ductsys"));
        keptOnReopening = system->saveTo(file) && system->openFile(file) &&
                          files::projectBytes(system->document()->project()) == before;
        return "save and open";
    }
    case 3:
        QGuiApplication::clipboard()->setText(hostileTexts.mid(random.bounded(8), 6).join('\t') +
                                              "\n1200\t" + hostileTexts.at(random.bounded(8)));
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
        return "paste a block";
    default:
        QTest::keyClick(table, undoKeys[random.bounded(2)], Qt::ControlModifier);
        return "undo or redo";
    }
}

void TestRandomUser::checkInvariants(const QString& context) {
    // The system shows the calculation of what it holds, a row per segment.
    const ui::SystemDocument& document = *system->document();
    const auto fresh = ductsys::calculate(document.segments(), document.settings());
    QVERIFY2(fresh.criticalPath == document.result().criticalPath &&
                 fresh.fanPressure.has_value() == document.result().fanPressure.has_value() &&
                 bits(float(fresh.fanPressure.value_or(0))) ==
                     bits(float(document.result().fanPressure.value_or(0))) &&
                 system->findChild<QTableView*>("systemTable")->model()->rowCount() ==
                     int(document.segments().size()),
             qPrintable(context));
    QVERIFY2(keptOnReopening, qPrintable(context));
    if (const auto typed = std::exchange(typedCell, std::nullopt)) {
        const auto& [row, column, text] = *typed;
        QVERIFY2(document.cell(row, ductsys::Column(column)) == text, qPrintable(context));
    }
    const calc::CalculatorState& s = d.state();
    for (QLabel* value : d.get<QGroupBox>("Frame3")->findChildren<QLabel*>()) {
        QVERIFY2(!value->text().contains("inf", Qt::CaseInsensitive) &&
                     !value->text().contains("nan", Qt::CaseInsensitive),
                 qPrintable(context + ": " + value->text()));
    }
    QVERIFY2(showsValue(d.label("Label10"), s.flow, " m3/h"),
             qPrintable(context + ": " + d.label("Label10")));
    QVERIFY2(showsValue(d.label("Label13"), s.rough, ""),
             qPrintable(context + ": " + d.label("Label13")));
    const QString velocity = d.label("Label7");
    QVERIFY2(s.area > 0 ? showsValue(velocity, s.vel, " m/s")
                        : velocity == QString::fromUtf8("请输入风管尺寸"),
             qPrintable(context + ": " + velocity));

    // The factor is the chosen unit's; in m3/h the flow is the box's number as a float.
    const auto factor = calc::flowFactorOf(d.get<QComboBox>("Combo1")->currentText().toStdString());
    QVERIFY2(factor && bits(s.flowFactor) == bits(*factor), qPrintable(context));
    if (s.flowFactor == 1.0f) {
        QVERIFY2(bits(s.flow) == bits(static_cast<float>(number(d.get<QLineEdit>("Text1")))),
                 qPrintable(context));
    }
    // Boxes are validated on the number as a float: "-1e-50" is minus zero, not negative.
    for (QLineEdit* box : editable) {
        QVERIFY2(!(static_cast<float>(number(box)) < 0),
                 qPrintable(context + ": " + box->objectName() + " holds " + box->text()));
    }
    QVERIFY2(bits(s.dens) == bits(static_cast<float>(number(d.get<QLineEdit>("Text16")))),
             qPrintable(context));
    QVERIFY2(bits(s.visc) == bits(static_cast<float>(number(d.get<QLineEdit>("Text17")))),
             qPrintable(context));

    int selectedEntry = -1;
    for (int i = 0; i < int(calc::materialCount); ++i) {
        if (buttons.at(7 + i)->isChecked()) {
            QVERIFY2(selectedEntry == -1, qPrintable(context));
            selectedEntry = i;
        }
    }
    QVERIFY2(selectedEntry >= 0, qPrintable(context));
    const float entryValue = static_cast<float>(number(valueBoxes.at(selectedEntry)));
    if (selectedEntry == int(calc::customMaterial)) {
        QVERIFY2(s.rough >= 0.01f && s.rough <= 10.0f, qPrintable(context));
    } else {
        QVERIFY2(bits(s.rough) == bits(entryValue), qPrintable(context));
    }

    const bool circular = buttons.at(0)->isChecked();
    const bool rectangular = buttons.at(1)->isChecked();
    const bool elliptic = buttons.at(2)->isChecked();
    QVERIFY2(circular + rectangular + elliptic == 1, qPrintable(context));
    QVERIFY2(buttons.at(3)->isChecked() != buttons.at(4)->isChecked(), qPrintable(context));
    const bool typed = buttons.at(5)->isChecked();
    const bool slotShape[5][3] = {{1, 0, 0}, {0, 1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}};
    const QLineEdit* boxes[5] = {editable.at(1), editable.at(2), editable.at(3), editable.at(5),
                                 editable.at(6)};
    for (int slot = 0; slot < 5; ++slot) {
        const bool enabled = slotShape[slot][0]   ? circular
                             : slotShape[slot][1] ? rectangular
                                                  : elliptic;
        QComboBox* list = lists.at(1 + slot);
        QVERIFY2(list->isEnabled() == enabled && boxes[slot]->isEnabled() == enabled,
                 qPrintable(context));
        QVERIFY2(list->isHidden() == typed && boxes[slot]->isHidden() == !typed,
                 qPrintable(context));
    }
    // A working bar's box shows the bar's position in millimetres.
    for (int i = 0; i < bars.size(); ++i) {
        const calc::RoughnessBar& entry = calc::roughnessBars[i];
        if (entry.minimum != entry.maximum) {
            QVERIFY2(qRound(number(valueBoxes.at(i)) * entry.divisor) == bars.at(i)->value(),
                     qPrintable(context + ": " + valueBoxes.at(i)->text()));
        }
    }
}

void TestRandomUser::randomUser() {
    const quint32 seed = qEnvironmentVariableIsSet("DUCTCALC_SEED")
                             ? qEnvironmentVariable("DUCTCALC_SEED").toUInt()
                             : 20261207u;
    const int actions = qEnvironmentVariableIsSet("DUCTCALC_ACTIONS")
                            ? qEnvironmentVariableIntValue("DUCTCALC_ACTIONS")
                            : 20000;
    QRandomGenerator random(seed);
    std::deque<QString> recent;
    for (int i = 1; i <= actions; ++i) {
        const int messagesBefore = int(d.messages.size());
        const QString done = action(random);
        recent.push_back(QString::number(i) + ": " + done);
        if (recent.size() > 8) {
            recent.pop_front();
        }
        QStringList log(recent.begin(), recent.end());
        for (const ShownMessage& message : d.messages.mid(messagesBefore)) {
            log << "message: " + message.title + "|" + message.text;
        }
        const QString context = QString("seed %1, action %2; last actions:\n  %3")
                                    .arg(seed)
                                    .arg(i)
                                    .arg(log.join("\n  "));
        checkInvariants(context);
        if (QTest::currentTestFailed()) {
            return;
        }
    }
    qInfo("seed %u: %d actions, %d messages closed", seed, actions, int(d.messages.size()));
}

} // namespace

QTEST_MAIN(TestRandomUser)
#include "tst_random_user.moc"

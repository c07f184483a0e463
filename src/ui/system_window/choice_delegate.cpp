#include "ui/system_window/choice_delegate.h"

#include "system/duct_system.h"
#include "ui/core_text.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace ui {

namespace {

// The editor lives as long as its list is open: the delegate hears when the list closes.
class ChoiceEditor : public QComboBox {
public:
    using QComboBox::QComboBox;

    std::function<void()> listClosed;

    // Once the view has shown the editor and the button of the double-click that opened it is
    // up: an open list takes that release for a click beside it, and closes.
    void openListWhenReleased() {
        const bool pressed = QGuiApplication::mouseButtons() != Qt::NoButton;
        QTimer::singleShot(pressed ? 20 : 0, this, [this, pressed] {
            if (pressed) {
                openListWhenReleased();
            } else if (isVisible()) {
                showPopup();
            }
        });
    }

    void hidePopup() override {
        const bool open = view()->isVisible();
        QComboBox::hidePopup();
        if (open && listClosed) {
            listClosed();
        }
    }
};

} // namespace

void openListBelow(QComboBox* combo) {
    combo->setStyleSheet(QStringLiteral("combobox-popup: 0"));
}

ChoiceDelegate::ChoiceDelegate(QList<Choice> choices, QObject* parent)
    : QStyledItemDelegate(parent)
    , choices_(std::move(choices)) {}

int ChoiceDelegate::choiceOf(const QString& cell) const {
    const std::string text = cell.toStdString();
    const QString read = qString(ductsys::trimmed(text));
    const auto found = std::find_if(choices_.begin(), choices_.end(),
                                    [&](const Choice& choice) { return choice.cell == read; });
    return found == choices_.end() ? -1 : int(found - choices_.begin());
}

// The cell's text stands in the box while none is chosen; the box is as wide as it and
// every entry from the start, since it does not follow changes of its contents (that would
// resize it to its own height rather than the row's).
QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const {
    auto* editor = new ChoiceEditor(parent);
    editor->setObjectName(QStringLiteral("cellChoice"));
    editor->setPlaceholderText(index.data(Qt::EditRole).toString());
    for (const Choice& choice : choices_) {
        editor->addItem(choice.caption);
    }
    openListBelow(editor);
    auto* self = const_cast<ChoiceDelegate*>(this);
    connect(editor, &QComboBox::activated, self, [self, editor] {
        emit self->commitData(editor);
        emit self->closeEditor(editor);
    });
    // A choice is reported right after the list closes; a list closed without one, by Escape
    // or a click elsewhere, leaves the cell as it was.
    editor->listClosed = [self, editor] {
        QTimer::singleShot(0, editor, [self, editor] {
            if (editor->isVisible()) {
                emit self->closeEditor(editor);
            }
        });
    };
    editor->openListWhenReleased();
    return editor;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static_cast<QComboBox*>(editor)->setCurrentIndex(choiceOf(index.data(Qt::EditRole).toString()));
}

// Only a choice the cell does not already read as is written, so that opening and leaving
// a cell changes nothing.
void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    const int chosen = static_cast<QComboBox*>(editor)->currentIndex();
    if (chosen >= 0 && chosen != choiceOf(index.data(Qt::EditRole).toString())) {
        model->setData(index, choices_[chosen].cell, Qt::EditRole);
    }
}

// As wide as its longest entry, past the cell's right edge where the column is narrower.
void ChoiceDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex&) const {
    QRect rect = option.rect;
    rect.setWidth(std::max(rect.width(), editor->sizeHint().width()));
    editor->setGeometry(rect);
}

ChoiceDelegate* shapeChoices(QObject* parent) {
    QList<ChoiceDelegate::Choice> choices;
    for (const calc::DuctShape shape :
         {calc::DuctShape::Circular, calc::DuctShape::Rectangular, calc::DuctShape::Elliptic}) {
        const QString cell = qString(ductsys::shapeCell(shape));
        choices.push_back({cell, cell});
    }
    return new ChoiceDelegate(std::move(choices), parent);
}

// 自动 is the word the size cells use for a size the calculation chooses.
ChoiceDelegate* kindChoices(QObject* parent) {
    QList<ChoiceDelegate::Choice> choices{{qString(ductsys::autoSize), QString()}};
    for (const ductsys::SegmentKind kind : {ductsys::SegmentKind::Main, ductsys::SegmentKind::Branch,
                                            ductsys::SegmentKind::Terminal}) {
        const QString cell = qString(ductsys::kindName(kind));
        choices.push_back({cell, cell});
    }
    return new ChoiceDelegate(std::move(choices), parent);
}

} // namespace ui

#pragma once

#include <QList>
#include <QStyledItemDelegate>

class QComboBox;

namespace ui {

// A cell edited by choosing from a drop-down list: the list opens with the editor, a choice
// is written to the cell and closes the editor, Escape or a click elsewhere closes it with the
// cell unchanged. A cell reading as none of the entries, as a pasted text may, opens with none
// chosen and keeps its text unless one is picked.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    struct Choice {
        QString caption;
        QString cell; // what the cell holds for it
    };

    ChoiceDelegate(QList<Choice> choices, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    // The entry the cell reads as, blanks around it not counting; -1 for none.
    int choiceOf(const QString& cell) const;

    QList<Choice> choices_;
};

// The lists of the 形状 cells and of the 类型 cells; 类型 also offers 自动, the kind by the
// segment's place, which is an empty cell.
ChoiceDelegate* shapeChoices(QObject* parent);
ChoiceDelegate* kindChoices(QObject* parent);

// Opens the combo's list below it, not over it centred on the current entry: the click
// that opened the list then lands on nothing in it, and the next one picks the entry under
// the pointer.
void openListBelow(QComboBox* combo);

} // namespace ui

#pragma once

#include "files/project_file.h"
#include "system/duct_system.h"

#include <QObject>
#include <QStringList>
#include <QUndoStack>
#include <optional>
#include <vector>

namespace ui {

// A duct system being edited: its segments as typed, its settings, and the result of the
// last calculation, recomputed after every change. Every change goes through the undo stack,
// whose clean state tells whether the system is modified. No widgets: a window shows it and
// a file can read or write it.
class SystemDocument : public QObject {
    Q_OBJECT

public:
    struct State {
        std::vector<ductsys::Segment> segments;
        ductsys::Settings settings;
    };

    explicit SystemDocument(QObject* parent = nullptr);

    const std::vector<ductsys::Segment>& segments() const { return state_.segments; }
    const ductsys::Settings& settings() const { return state_.settings; }
    const ductsys::SystemResult& result() const { return result_; }
    QUndoStack* undoStack() { return &undoStack_; }
    bool isModified() const { return !undoStack_.isClean(); }
    QString cell(int row, ductsys::Column column) const;

    // A Σζ typed as a number stands for one custom fitting. A new 编号 takes the segments
    // starting from it along; one that another segment has is refused: returns why.
    std::optional<QString> setCell(int row, ductsys::Column column, const QString& text);
    // Empties the input cells, as one undo step.
    void clearCells(const std::vector<std::pair<int, ductsys::Column>>& cells);
    // The segment's fittings, and their sum as its Σζ.
    void setFittings(int row, std::vector<ductsys::FittingEntry> fittings);
    // Consecutive changes of the same setting, as while typing a number, are one undo step.
    void setSettings(const ductsys::Settings& settings, int setting);
    // A segment continuing from the row, or from the fan; returns its row.
    int addSegment(std::optional<int> from);
    // A segment from the same point as the row's; returns its row.
    int addBranch(int beside);
    // The rows and every segment downstream of them, in document order.
    std::vector<int> withDownstream(const std::vector<int>& rows) const;
    void deleteSegments(const std::vector<int>& rows);
    // Lines of cells written into the input columns from the cell on, adding rows as needed;
    // cells beyond the last input column are left out.
    void paste(int row, int column, const QList<QStringList>& block);
    // An empty system with the default settings and no undo history.
    void clear();
    // The system a file held, with no undo history: unmodified.
    void load(files::Project project);
    // What a file of the system holds, the keys it did not know included.
    files::Project project() const;

signals:
    void rowsAboutToChange();
    void rowsChanged();
    // The same rows in another order, each segment below its upstream one: row r of the
    // old order is row rowOf[r] now.
    void rowsAboutToMove();
    void rowsMoved(const std::vector<std::size_t>& rowOf);
    // After every recalculation: the cells, the results and the settings may have changed.
    void calculated();

private:
    // Segments as a change leaves them, with where each row of the segments it replaces
    // went; empty where the rows are replaced or stay in place.
    struct Rows {
        std::vector<ductsys::Segment> segments;
        std::vector<std::size_t> rowOf;
    };

    // A change of the segments as one undo step, which puts them in tree order; the settings
    // of the state are left alone.
    void push(const QString& text, State after);
    void pushSegment(int row, const QString& text, ductsys::Segment after);
    void applySegments(const Rows& rows);
    // The segments in the order the table shows the tree, and where each row went.
    std::vector<ductsys::Segment> inTreeOrder(std::vector<ductsys::Segment> segments,
                                              std::vector<std::size_t>& rowOf) const;
    std::optional<QString> renameFollowers(State& state, int row) const;
    void recalculate();
    // The state's calculation, with the library's dampers.
    ductsys::SystemResult calculation() const;
    ductsys::Segment newSegment(const std::string& upstream, int offset = 0) const;
    int insertAfterDescendants(State& state, std::optional<int> upstreamRow,
                               const std::string& upstream) const;

    State state_;
    files::UnknownKeys unknownKeys_;
    ductsys::SystemResult result_;
    QUndoStack undoStack_;
};

} // namespace ui

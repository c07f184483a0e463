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

    // A Σζ typed as a number stands for one custom fitting.
    void setCell(int row, ductsys::Column column, const QString& text);
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
    // After every recalculation: the cells, the results and the settings may have changed.
    void calculated();

private:
    // A change of the segments as one undo step; the settings of the state are left alone.
    void push(const QString& text, State after);
    void pushSegment(int row, const QString& text, ductsys::Segment after);
    void applySegments(const std::vector<ductsys::Segment>& segments);
    void recalculate();
    ductsys::Segment newSegment(const std::string& upstream, int offset = 0) const;
    int insertAfterDescendants(State& state, std::optional<int> upstreamRow,
                               const std::string& upstream) const;

    State state_;
    files::UnknownKeys unknownKeys_;
    ductsys::SystemResult result_;
    QUndoStack undoStack_;
};

} // namespace ui

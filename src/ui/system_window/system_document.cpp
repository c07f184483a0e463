#include "ui/system_window/system_document.h"

#include <QUndoCommand>
#include <algorithm>
#include <functional>

namespace ui {

using ductsys::Column;

namespace {

// A change kept as the value before and after it: one cell, the settings, or the segments
// as a whole for a change of rows. A long editing session of a large system then holds a
// cell's texts per typed cell, not copies of the system.
template <class Value> class ValueCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const Value&)>;

    ValueCommand(const QString& text, Value before, Value after, Apply apply, int mergeKey)
        : QUndoCommand(text)
        , before_(std::move(before))
        , after_(std::move(after))
        , apply_(std::move(apply))
        , mergeKey_(mergeKey) {}

    void redo() override { apply_(after_); }
    void undo() override { apply_(before_); }
    int id() const override { return mergeKey_; }
    bool mergeWith(const QUndoCommand* other) override {
        after_ = static_cast<const ValueCommand*>(other)->after_;
        return true;
    }

private:
    Value before_;
    Value after_;
    Apply apply_;
    int mergeKey_;
};

// The next free number for a segment's 编号, past every 编号 that is a whole number.
int nextNumber(const std::vector<ductsys::Segment>& segments) {
    int largest = 0;
    for (const ductsys::Segment& segment : segments) {
        largest = std::max(largest, QString::fromStdString(segment.cells[Column::Id]).toInt());
    }
    return std::max(largest, int(segments.size())) + 1;
}

} // namespace

SystemDocument::SystemDocument(QObject* parent)
    : QObject(parent) {
    result_ = ductsys::calculate(state_.segments, state_.settings);
}

QString SystemDocument::cell(int row, Column column) const {
    return QString::fromStdString(state_.segments[std::size_t(row)].cells[column]);
}

void SystemDocument::recalculate() {
    result_ = ductsys::calculate(state_.segments, state_.settings);
    emit calculated();
}

void SystemDocument::applySegments(const std::vector<ductsys::Segment>& segments) {
    const bool rowsChange = segments.size() != state_.segments.size();
    if (rowsChange) {
        emit rowsAboutToChange();
    }
    state_.segments = segments;
    result_ = ductsys::calculate(state_.segments, state_.settings);
    if (rowsChange) {
        emit rowsChanged();
    }
    emit calculated();
}

void SystemDocument::push(const QString& text, State after) {
    undoStack_.push(new ValueCommand<std::vector<ductsys::Segment>>(
        text, state_.segments, std::move(after.segments),
        [this](const auto& segments) { applySegments(segments); }, -1));
}

void SystemDocument::setCell(int row, Column column, const QString& text) {
    ductsys::Segment after = state_.segments[std::size_t(row)];
    after.cells[column] = text.toStdString();
    if (column == Column::Zeta) {
        after.fittings = ductsys::typedFittings(after.cells[column]);
    }
    pushSegment(row, QString::fromUtf8("编辑单元格"), std::move(after));
}

void SystemDocument::setFittings(int row, std::vector<ductsys::FittingEntry> fittings) {
    ductsys::Segment after = state_.segments[std::size_t(row)];
    double sum = 0;
    for (const ductsys::FittingEntry& fitting : fittings) {
        sum += fitting.count * fitting.zeta;
    }
    after.cells[Column::Zeta] = ductsys::zetaText(sum);
    after.fittings = std::move(fittings);
    pushSegment(row, QString::fromUtf8("编辑管件"), std::move(after));
}

// One segment changed as one undo step.
void SystemDocument::pushSegment(int row, const QString& text, ductsys::Segment after) {
    const auto apply = [this, row](const ductsys::Segment& segment) {
        state_.segments[std::size_t(row)] = segment;
        recalculate();
    };
    undoStack_.push(new ValueCommand<ductsys::Segment>(text, state_.segments[std::size_t(row)],
                                                       std::move(after), apply, -1));
}

void SystemDocument::setSettings(const ductsys::Settings& settings, int setting) {
    const auto apply = [this](const ductsys::Settings& value) {
        state_.settings = value;
        recalculate();
    };
    undoStack_.push(new ValueCommand<ductsys::Settings>(QString::fromUtf8("修改设置"),
                                                        state_.settings, settings, apply, setting));
}

ductsys::Segment SystemDocument::newSegment(const std::string& upstream, int offset) const {
    // A new segment ends its run, so it needs a flow of its own until others continue from
    // it. The cells are constructed, not assigned: assigning short literals draws a false
    // -Wrestrict from GCC 12 at -O3.
    return {{std::to_string(nextNumber(state_.segments) + offset), upstream, "", "1000", "10",
             std::string(ductsys::shapeCell(calc::DuctShape::Rectangular)),
             std::string(ductsys::autoSize), "0", "0", ""},
            {},
            {}};
}

// Right after the upstream segment's last descendant, so that the rows stay in tree order;
// at the end for a segment at the fan.
int SystemDocument::insertAfterDescendants(State& state, std::optional<int> upstreamRow,
                                           const std::string& upstream) const {
    const int row =
        upstreamRow ? withDownstream({*upstreamRow}).back() + 1 : int(state.segments.size());
    state.segments.insert(state.segments.begin() + row, newSegment(upstream));
    return row;
}

int SystemDocument::addSegment(std::optional<int> from) {
    State after = state_;
    const std::string upstream = from ? state_.segments[std::size_t(*from)].cells[Column::Id] : "";
    const int row = insertAfterDescendants(after, from, upstream);
    push(QString::fromUtf8("添加管段"), std::move(after));
    return row;
}

int SystemDocument::addBranch(int beside) {
    State after = state_;
    const auto upstreamRow = result_.segments[std::size_t(beside)].upstream;
    const int row =
        insertAfterDescendants(after, upstreamRow ? std::optional(int(*upstreamRow)) : std::nullopt,
                               state_.segments[std::size_t(beside)].cells[Column::Upstream]);
    push(QString::fromUtf8("添加支管"), std::move(after));
    return row;
}

std::vector<int> SystemDocument::withDownstream(const std::vector<int>& rows) const {
    std::vector<bool> marked(state_.segments.size());
    for (const int row : rows) {
        marked[std::size_t(row)] = true;
    }
    // Upstream cells may name a later row, so mark until nothing changes.
    for (bool grown = true; grown;) {
        grown = false;
        for (std::size_t i = 0; i < marked.size(); ++i) {
            const auto upstream = result_.segments[i].upstream;
            if (!marked[i] && upstream && marked[*upstream]) {
                marked[i] = grown = true;
            }
        }
    }
    std::vector<int> all;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (marked[i]) {
            all.push_back(int(i));
        }
    }
    return all;
}

void SystemDocument::deleteSegments(const std::vector<int>& rows) {
    const std::vector<int> removed = withDownstream(rows);
    if (removed.empty()) {
        return;
    }
    State after = state_;
    for (auto row = removed.rbegin(); row != removed.rend(); ++row) {
        after.segments.erase(after.segments.begin() + *row);
    }
    push(QString::fromUtf8("删除管段"), std::move(after));
}

void SystemDocument::paste(int row, int column, const QList<QStringList>& block) {
    State after = state_;
    // Rows added for the block start from the same point as the last row.
    const std::string upstream =
        state_.segments.empty() ? "" : state_.segments.back().cells[Column::Upstream];
    const int added = row + int(block.size()) - int(state_.segments.size());
    for (int i = 0; i < added; ++i) {
        after.segments.push_back(newSegment(upstream, i));
    }
    for (int line = 0; line < block.size(); ++line) {
        auto& cells = after.segments[std::size_t(row + line)].cells;
        for (int i = 0; i < block[line].size() && column + i < Column::ColumnCount; ++i) {
            cells[std::size_t(column + i)] = block[line][i].toStdString();
        }
        if (column <= Column::Zeta && column + block[line].size() > Column::Zeta) {
            after.segments[std::size_t(row + line)].fittings =
                ductsys::typedFittings(cells[Column::Zeta]);
        }
    }
    push(QString::fromUtf8("粘贴"), std::move(after));
}

void SystemDocument::clear() {
    load({});
}

void SystemDocument::load(files::Project project) {
    undoStack_.clear();
    state_.settings = project.settings;
    unknownKeys_ = std::move(project.unknownKeys);
    applySegments(project.segments);
}

files::Project SystemDocument::project() const {
    return {state_.segments, state_.settings, unknownKeys_};
}

} // namespace ui

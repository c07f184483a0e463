#include "ui/system_window/system_document.h"

#include "files/fitting_library.h"
#include "system/system_table.h"

#include <QUndoCommand>
#include <algorithm>
#include <functional>
#include <numeric>

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

// Empty, the system needs no fitting library yet, which is read when first used.
SystemDocument::SystemDocument(QObject* parent)
    : QObject(parent)
    , result_(ductsys::calculate({}, state_.settings)) {}

ductsys::SystemResult SystemDocument::calculation() const {
    return ductsys::calculate(state_.segments, state_.settings, files::fittingLibrary());
}

QString SystemDocument::cell(int row, Column column) const {
    return QString::fromStdString(state_.segments[std::size_t(row)].cells[column]);
}

void SystemDocument::recalculate() {
    result_ = calculation();
    emit calculated();
}

void SystemDocument::applySegments(const Rows& rows) {
    const bool rowsChange = rows.segments.size() != state_.segments.size();
    const bool rowsMove = !rowsChange && !rows.rowOf.empty();
    if (rowsChange) {
        emit rowsAboutToChange();
    } else if (rowsMove) {
        emit rowsAboutToMove();
    }
    state_.segments = rows.segments;
    result_ = calculation();
    if (rowsChange) {
        emit rowsChanged();
    } else if (rowsMove) {
        emit rowsMoved(rows.rowOf);
    }
    emit calculated();
}

std::vector<ductsys::Segment> SystemDocument::inTreeOrder(std::vector<ductsys::Segment> segments,
                                                          std::vector<std::size_t>& rowOf) const {
    rowOf.resize(segments.size());
    std::iota(rowOf.begin(), rowOf.end(), std::size_t(0));
    bool moved = false;
    // A 编号 that two segments share belongs to the first: moving them can change which, so
    // the order is taken again until it holds.
    for (int pass = 0; pass < 4; ++pass) {
        const auto rows = ductsys::outline(ductsys::calculate(segments, state_.settings));
        std::vector<std::size_t> position(segments.size());
        std::vector<ductsys::Segment> ordered;
        ordered.reserve(segments.size());
        for (const ductsys::OutlineRow& row : rows) {
            position[row.segment] = ordered.size();
            ordered.push_back(std::move(segments[row.segment]));
        }
        segments = std::move(ordered);
        const bool again = std::any_of(rows.begin(), rows.end(), [&](const auto& row) {
            return row.segment != position[row.segment];
        });
        if (!again) {
            break;
        }
        moved = true;
        for (std::size_t& row : rowOf) {
            row = position[row];
        }
    }
    if (!moved) {
        rowOf.clear();
    }
    return segments;
}

void SystemDocument::push(const QString& text, State after) {
    Rows before{state_.segments, {}};
    Rows arranged;
    arranged.segments = inTreeOrder(std::move(after.segments), arranged.rowOf);
    // Only a change that keeps the number of rows moves them; undoing it moves them back.
    if (arranged.segments.size() == before.segments.size() && !arranged.rowOf.empty()) {
        before.rowOf.resize(arranged.rowOf.size());
        for (std::size_t row = 0; row < arranged.rowOf.size(); ++row) {
            before.rowOf[arranged.rowOf[row]] = row;
        }
    } else {
        arranged.rowOf.clear();
    }
    undoStack_.push(new ValueCommand<Rows>(
        text, std::move(before), std::move(arranged),
        [this](const Rows& rows) { applySegments(rows); }, -1));
}

std::optional<QString> SystemDocument::setCell(int row, Column column, const QString& text) {
    const QString editText = QString::fromUtf8("编辑单元格");
    ductsys::Segment after = state_.segments[std::size_t(row)];
    after.cells[column] = text.toStdString();
    if (column == Column::Zeta) {
        after.fittings = ductsys::typedFittings(after.cells[column]);
    }
    // The tree may change shape: the whole system, rows kept in tree order.
    if (column == Column::Id || column == Column::Upstream) {
        State whole = state_;
        whole.segments[std::size_t(row)] = std::move(after);
        if (column == Column::Id) {
            if (auto refused = renameFollowers(whole, row)) {
                return refused;
            }
        }
        push(editText, std::move(whole));
        return std::nullopt;
    }
    pushSegment(row, editText, std::move(after));
    return std::nullopt;
}

// The segments that started from the row's old 编号 start from its new one.
std::optional<QString> SystemDocument::renameFollowers(State& state, int row) const {
    const std::string id(ductsys::trimmed(state.segments[std::size_t(row)].cells[Column::Id]));
    for (std::size_t i = 0; i < state.segments.size(); ++i) {
        if (!id.empty() && int(i) != row && ductsys::trimmed(state.segments[i].cells[Column::Id]) == id) {
            return QString::fromUtf8("编号“%1”已被第 %2 行的管段使用。")
                .arg(QString::fromStdString(id))
                .arg(i + 1);
        }
    }
    if (id.empty()) {
        return std::nullopt; // a cleared 编号 is marked; its segments keep the old one
    }
    for (std::size_t i = 0; i < state.segments.size(); ++i) {
        if (result_.segments[i].upstream == std::size_t(row)) {
            state.segments[i].cells[Column::Upstream] = id;
        }
    }
    return std::nullopt;
}

void SystemDocument::clearCells(const std::vector<std::pair<int, Column>>& cells) {
    State after = state_;
    bool changed = false;
    for (const auto& [row, column] : cells) {
        ductsys::Segment& segment = after.segments[std::size_t(row)];
        changed = changed || !segment.cells[column].empty();
        segment.cells[column].clear();
        if (column == Column::Zeta) {
            segment.fittings.clear();
        }
    }
    if (changed) {
        push(QString::fromUtf8("清除单元格"), std::move(after));
    }
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
    std::vector<std::size_t> rowOf;
    // A file from before the rows kept tree order opens in it.
    applySegments({inTreeOrder(std::move(project.segments), rowOf), {}});
}

files::Project SystemDocument::project() const {
    return {state_.segments, state_.settings, unknownKeys_};
}

} // namespace ui

#include "exports/system_sheet.h"

#include "files/damper_suggestion.h"
#include "files/file_access.h"
#include "files/qt_text.h"
#include "system/system_table.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>
#include <list>

namespace exports {

namespace {

using ductsys::Column;
using files::qString;

constexpr qreal tablePoints = 7;    // the table's text, before it shrinks to fit the width
constexpr qreal smallestPoints = 4; // and no smaller
constexpr int resolution = 300;     // dots per inch of the layout; the text stays vector

// A table: its header's lines per column, its columns' widths and alignments.
struct Table {
    std::vector<QStringList> header;
    std::vector<qreal> widths;
    std::vector<Qt::Alignment> alignments;
    qreal points = tablePoints; // the size of its text
};

// A piece of the sheet, laid out whole on one page: a line of text, or a row of a table,
// under whose header it goes on every page.
struct Block {
    qreal height;
    std::function<void(QPainter&, qreal y)> paint;
    const Table* table = nullptr;
};

class SheetBuilder {
public:
    SheetBuilder(QPdfWriter& writer, const files::SystemReport& report)
        : report_(report)
        , writer_(writer)
        , page_(writer.pageLayout().paintRectPixels(resolution))
        , dotsPerPoint_(resolution / 72.0) {}

    // The whole sheet, page by page: the heading and settings, the table, the summary, then
    // the fittings.
    void build() {
        heading();
        segmentTable();
        summary();
        fittingsTable();
    }

    void paint(QPdfWriter& writer, QPainter& painter) const {
        const auto pages = paginate();
        for (std::size_t page = 0; page < pages.size(); ++page) {
            if (page > 0) {
                writer.newPage();
            }
            for (const Placed& placed : pages[page]) {
                if (placed.header) {
                    paintHeader(painter, *placed.header, placed.y);
                } else {
                    placed.block->paint(painter, placed.y);
                }
            }
            painter.setFont(font(8, false));
            painter.drawText(
                QRectF(0, page_.height() - footerHeight(), page_.width(), footerHeight()),
                Qt::AlignHCenter | Qt::AlignBottom,
                QString::fromUtf8("第 %1 页 / 共 %2 页").arg(page + 1).arg(pages.size()));
        }
    }

private:
    QFont font(qreal points, bool bold) const {
        QFont font = QGuiApplication::font();
        font.setPointSizeF(points);
        font.setBold(bold);
        return font;
    }
    qreal lineHeight(const QFont& font) const {
        return QFontMetricsF(font, &writer_).height() * 1.3;
    }
    qreal footerHeight() const { return lineHeight(font(8, false)) * 1.5; }

    // A paragraph, wrapped at its blanks.
    void line(const QString& text, qreal points, bool bold, qreal spaceAfter = 0) {
        const QFont face = font(points, bold);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const qreal leading = lineHeight(face) - QFontMetricsF(face, &writer_).height();
        const qreal height =
            QFontMetricsF(face, &writer_)
                .boundingRect(QRectF(0, 0, page_.width(), page_.height()), flags, text)
                .height() +
            leading;
        blocks_.push_back({std::max(height, lineHeight(face)) + spaceAfter,
                           [this, face, text, flags, leading](QPainter& p, qreal y) {
                               p.setFont(face);
                               p.drawText(QRectF(0, y + leading / 2, page_.width(), page_.height()),
                                          flags, text);
                           }});
    }

    void heading() {
        line(QString::fromUtf8("管网水力计算书"), 16, true, 6 * dotsPerPoint_);
        line(QString::fromUtf8("系统：%1　　日期：%2　　程序：%3")
                 .arg(report_.name, report_.date.toString(Qt::ISODate), files::programAndVersion()),
             9, false);
        QStringList settings;
        for (const auto& [caption, value] : files::settingLines(report_.settings)) {
            settings << caption + QString::fromUtf8("：") + value;
        }
        // Four settings a line.
        for (qsizetype first = 0; first < settings.size(); first += 4) {
            line(settings.mid(first, 4).join(QString::fromUtf8("　　")), 9, false);
        }
        const QString notice =
            qString(ductsys::incompleteNotice(report_.segments, report_.result));
        if (!notice.isEmpty()) {
            line(notice, 10, true);
        }
        line(QString(), 6, false);
    }

    // Columns as wide as their widest text, shrunk together to the page's width.
    Table makeTable(const std::vector<QStringList>& header,
                    const std::vector<std::vector<QString>>& rows,
                    const std::vector<Qt::Alignment>& alignments) {
        Table table{header, std::vector<qreal>(header.size(), 0), alignments};
        const QFontMetricsF metrics(font(tablePoints, true), &writer_);
        for (std::size_t c = 0; c < header.size(); ++c) {
            for (const QString& part : header[c]) {
                table.widths[c] = std::max(table.widths[c], metrics.horizontalAdvance(part));
            }
            for (const auto& row : rows) {
                table.widths[c] = std::max(table.widths[c], metrics.horizontalAdvance(row[c]));
            }
            table.widths[c] += metrics.horizontalAdvance(QLatin1Char('0')) * 1.5;
        }
        qreal total = 0;
        for (const qreal width : table.widths) {
            total += width;
        }
        const qreal scale =
            std::max(smallestPoints / tablePoints, std::min(1.0, page_.width() / total));
        for (qreal& width : table.widths) {
            width *= scale;
        }
        table.points = tablePoints * scale;
        return table;
    }

    void tableRows(const Table* table, const std::vector<std::vector<QString>>& rows,
                   const std::vector<bool>& emphasised) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const QFont face = font(table->points, emphasised[r]);
            const qreal height = lineHeight(face);
            blocks_.push_back(
                {height,
                 [this, table, face, height, cells = rows[r], tint = emphasised[r]](QPainter& p,
                                                                                    qreal y) {
                     if (tint) {
                         p.fillRect(QRectF(0, y, rowWidth(*table), height), QColor(230, 240, 255));
                     }
                     p.setFont(face);
                     cellsAt(p, *table, y, height, cells);
                     p.drawLine(QPointF(0, y + height), QPointF(rowWidth(*table), y + height));
                 },
                 table});
        }
    }

    static qreal rowWidth(const Table& table) {
        qreal width = 0;
        for (const qreal column : table.widths) {
            width += column;
        }
        return width;
    }

    static void cellsAt(QPainter& p, const Table& table, qreal y, qreal height,
                        const std::vector<QString>& cells) {
        const qreal pad = p.fontMetrics().horizontalAdvance(QLatin1Char('0')) * 0.5;
        qreal x = 0;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            p.drawText(QRectF(x + pad, y, table.widths[c] - 2 * pad, height),
                       table.alignments[c] | Qt::AlignVCenter, cells[c]);
            x += table.widths[c];
        }
    }

    qreal headerHeight(const Table& table) const {
        qsizetype lines = 1;
        for (const QStringList& parts : table.header) {
            lines = std::max(lines, parts.size());
        }
        return lineHeight(font(table.points, true)) * qreal(lines);
    }

    void paintHeader(QPainter& p, const Table& table, qreal y) const {
        const qreal height = headerHeight(table);
        p.fillRect(QRectF(0, y, rowWidth(table), height), QColor(217, 217, 217));
        p.setFont(font(table.points, true));
        qreal x = 0;
        for (std::size_t c = 0; c < table.header.size(); ++c) {
            p.drawText(QRectF(x, y, table.widths[c], height), Qt::AlignCenter,
                       table.header[c].join(QLatin1Char('\n')));
            x += table.widths[c];
        }
    }

    void segmentTable() {
        std::vector<QStringList> header;
        std::vector<Qt::Alignment> alignments;
        for (int c = 0; c < ductsys::tableColumnCount; ++c) {
            // The unit under the name, which keeps the columns narrow.
            const ductsys::TableColumn& column = ductsys::tableColumn(c);
            header.push_back(column.unit.empty()
                                 ? QStringList{qString(column.name)}
                                 : QStringList{qString(column.name), qString(column.unit)});
            alignments.push_back(column.alignRight ? Qt::AlignRight : Qt::AlignLeft);
        }
        std::vector<std::vector<QString>> rows;
        std::vector<bool> critical;
        for (std::size_t i = 0; i < report_.segments.size(); ++i) {
            std::vector<QString> cells;
            for (int c = 0; c < ductsys::tableColumnCount; ++c) {
                cells.push_back(
                    qString(ductsys::shownText(report_.segments, report_.result, i, c)));
            }
            rows.push_back(std::move(cells));
            critical.push_back(report_.result.segments[i].onCriticalPath);
        }
        tables_.push_back(makeTable(header, rows, alignments));
        tableRows(&tables_.back(), rows, critical);
    }

    void summary() {
        const auto& result = report_.result;
        line(QString(), 6, false);
        if (result.totalFlow) {
            line(QString::fromUtf8("总风量 %1 m3/h")
                     .arg(qString(ductsys::figureText(*result.totalFlow))),
                 9, false);
        }
        if (result.fanPressure) {
            line(QString::fromUtf8("最不利环路 %1，阻力 %2 Pa（风机所需全压）")
                     .arg(files::criticalPathText(report_),
                          qString(ductsys::figureText(*result.fanPressure))),
                 9, true);
        } else {
            line(QString::fromUtf8("最不利环路与风机所需全压：计算不完整，无法确定"), 9, true);
        }
        const auto& balance = result.balance;
        line(QString::fromUtf8("并联管路平衡：超过限值 %1 % 的支管 %2 个")
                 .arg(report_.settings.balanceLimit)
                 .arg(result.branchesOverLimit),
             9, false);
        if (balance.empty()) {
            return;
        }
        std::vector<std::vector<QString>> rows;
        std::vector<bool> over;
        for (const ductsys::BalanceRow& branch : balance) {
            const auto id = [this](std::size_t i) {
                return qString(report_.segments[i].cells[Column::Id]);
            };
            const auto figure = [](double value) { return qString(ductsys::figureText(value)); };
            const auto& damper = branch.damper;
            rows.push_back({id(branch.branchPoint), id(branch.branch), figure(branch.loss),
                            figure(branch.largest), figure(branch.imbalance),
                            QString::fromUtf8(branch.overLimit ? "是" : "否"),
                            damper ? figure(damper->pressure) : QString(),
                            damper ? files::damperText(*damper) : QString()});
            over.push_back(branch.overLimit);
        }
        const auto caption = [](const char* name, const char* unit = nullptr) {
            return unit ? QStringList{QString::fromUtf8(name), QString::fromUtf8(unit)}
                        : QStringList{QString::fromUtf8(name)};
        };
        tables_.push_back(
            makeTable({caption("分支点"), caption("支管"), caption("支管阻力", "Pa"),
                       caption("最大支管阻力", "Pa"), caption("不平衡率", "%"), caption("超过限值"),
                       caption("需加阻力", "Pa"), caption("调节阀")},
                      rows,
                      {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight, Qt::AlignRight,
                       Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft}));
        tableRows(&tables_.back(), rows, over);
    }

    // Each segment's fittings with their coefficients and sources.
    void fittingsTable() {
        const auto lines = files::fittingLines(report_.segments);
        if (lines.empty()) {
            return;
        }
        line(QString(), 6, false);
        line(QString::fromUtf8("管件局部阻力系数"), 9, true);
        std::vector<std::vector<QString>> rows;
        for (const files::FittingLine& fitting : lines) {
            rows.push_back({fitting.segment, fitting.name, fitting.parameters,
                            QString::number(fitting.count),
                            qString(ductsys::figureText(fitting.zeta)), fitting.source});
        }
        std::vector<QStringList> header;
        for (const QString& caption : files::fittingHeaders()) {
            header.push_back({caption});
        }
        tables_.push_back(makeTable(header, rows,
                                    {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight,
                                     Qt::AlignRight, Qt::AlignLeft}));
        tableRows(&tables_.back(), rows, std::vector<bool>(rows.size(), false));
    }

    // A block, or a table's header, where it goes on its page.
    struct Placed {
        const Block* block;
        const Table* header;
        qreal y;
    };

    // Which blocks go on which page, at which height: a block never splits, and a table's
    // header heads its rows on every page.
    std::vector<std::vector<Placed>> paginate() const {
        std::vector<std::vector<Placed>> pages(1);
        const qreal bottom = page_.height() - footerHeight();
        qreal y = 0;
        const Table* headed = nullptr;
        for (const Block& block : blocks_) {
            const bool needsHeader = block.table && block.table != headed;
            const qreal header = needsHeader ? headerHeight(*block.table) : 0;
            if (y + header + block.height > bottom && !pages.back().empty()) {
                pages.emplace_back();
                y = 0;
                headed = nullptr;
            }
            if (block.table && block.table != headed) {
                pages.back().push_back({nullptr, block.table, y});
                y += headerHeight(*block.table);
                headed = block.table;
            }
            pages.back().push_back({&block, nullptr, y});
            y += block.height;
        }
        return pages;
    }

    const files::SystemReport& report_;
    QPdfWriter& writer_; // which measures the text at the sheet's resolution
    QRectF page_;
    qreal dotsPerPoint_;
    std::list<Table> tables_;
    std::vector<Block> blocks_;
};

} // namespace

std::optional<QString> writeSystemSheet(const QString& path, const files::SystemReport& report) {
    // Until commit() the sheet goes to a temporary file beside the target.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return files::saveErrorText(file);
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(12, 12, 12, 10), QPageLayout::Millimeter);
        writer.setResolution(resolution);
        writer.setTitle(QString::fromUtf8("管网水力计算书 - ") + report.name);
        writer.setCreator(files::programAndVersion());
        SheetBuilder sheet(writer, report);
        sheet.build();
        QPainter painter(&writer);
        if (!painter.isActive()) {
            return QString::fromUtf8("无法生成 PDF。");
        }
        sheet.paint(writer, painter);
    }
    if (!file.commit()) {
        return files::saveErrorText(file);
    }
    return std::nullopt;
}

} // namespace exports

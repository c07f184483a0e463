#include "files/system_workbook.h"

#include "files/damper_suggestion.h"
#include "files/file_access.h"
#include "files/xlsxwriter_library.h"
#include "system/system_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cerrno>
#include <cmath>
#include <map>

namespace files {

namespace {

using ductsys::Column;

// How a cell looks: a header, an input or a computed figure, on the critical path or not.
struct Style {
    std::string numberFormat;
    bool header = false;
    bool computed = false;
    bool critical = false;
    auto operator<=>(const Style&) const = default;
};

Style cellStyle(bool computed, bool critical) {
    Style style;
    style.computed = computed;
    style.critical = critical;
    return style;
}

// The number format that shows a figure as the window's text does: as many decimals, no 0
// before the point where the text has none, an exponent where it has one.
std::string numberFormat(std::string_view text) {
    const auto exponent = text.find('E');
    const std::string_view mantissa = text.substr(0, exponent);
    const auto point = mantissa.find('.');
    std::string format(1, point == 0 || mantissa.starts_with("-.") ? '#' : '0');
    if (point != std::string_view::npos) {
        format.append(1, '.').append(mantissa.size() - point - 1, '0');
    }
    return exponent == std::string_view::npos ? format : format.append("E+00");
}

// A formula over cells by their names, as "=%1+%2".
std::string formula(const char* pattern, std::initializer_list<std::string> cells) {
    QString text = QString::fromLatin1(pattern);
    for (const std::string& cell : cells) {
        text = text.arg(QString::fromStdString(cell));
    }
    return text.toStdString();
}

// The library's functions; the workbook is only begun once they are found.
const XlsxwriterFunctions& lxw() {
    return *xlsxwriterFunctions();
}

std::string cellName(lxw_row_t row, lxw_col_t column) {
    char name[LXW_MAX_CELL_NAME_LENGTH];
    lxw().lxw_rowcol_to_cell(name, row, column);
    return name;
}

// A worksheet written cell by cell, its columns as wide as their widest text.
class Sheet {
public:
    Sheet(lxw_workbook* book, const char* name, std::map<Style, lxw_format*>& formats)
        : book_(book)
        , sheet_(lxw().workbook_add_worksheet(book, name))
        , formats_(formats) {}

    void text(lxw_row_t row, lxw_col_t column, const std::string& text, const Style& style) {
        lxw().worksheet_write_string(sheet_, row, column, text.c_str(), format(style));
        fit(column, text);
    }
    // A figure as the window shows it; a text such as 溢出 stays text.
    void figure(lxw_row_t row, lxw_col_t column, double value, Style style) {
        const std::string shown = ductsys::figureText(value);
        if (!std::isfinite(float(value))) {
            text(row, column, shown, style);
            return;
        }
        style.numberFormat = numberFormat(shown);
        lxw().worksheet_write_number(sheet_, row, column, value, format(style));
        fit(column, shown);
    }
    // A formula with the value the program computed, which a spreadsheet shows until it
    // calculates again.
    void formula(lxw_row_t row, lxw_col_t column, const std::string& formula, double value,
                 Style style) {
        const std::string shown = ductsys::figureText(value);
        style.numberFormat = numberFormat(shown);
        lxw().worksheet_write_formula_num(sheet_, row, column, formula.c_str(), format(style),
                                          value);
        fit(column, shown);
    }
    void headers(const std::vector<std::string>& captions) {
        for (lxw_col_t column = 0; column < captions.size(); ++column) {
            Style header;
            header.header = true;
            text(0, column, captions[column], header);
        }
        lxw().worksheet_freeze_panes(sheet_, 1, 0);
    }
    void setWidths() {
        for (lxw_col_t column = 0; column < widths_.size(); ++column) {
            lxw().worksheet_set_column(sheet_, column, column, widths_[column] + 2, nullptr);
        }
    }

private:
    lxw_format* format(const Style& style) {
        auto [found, added] = formats_.try_emplace(style, nullptr);
        if (added) {
            found->second = lxw().workbook_add_format(book_);
            if (!style.numberFormat.empty()) {
                lxw().format_set_num_format(found->second, style.numberFormat.c_str());
            }
            if (style.header || style.critical) {
                lxw().format_set_bold(found->second);
            }
            // Inputs white, computed figures grey; the critical path tinted blue like the window.
            const lxw_color_t fill = style.header     ? 0xD9D9D9
                                     : style.critical ? (style.computed ? 0xC9DAF8 : 0xE6F0FF)
                                     : style.computed ? 0xF2F2F2
                                                      : LXW_COLOR_UNSET;
            if (fill != LXW_COLOR_UNSET) {
                lxw().format_set_bg_color(found->second, fill);
            }
        }
        return found->second;
    }

    // Columns fit their texts: a CJK character is as wide as two others.
    void fit(lxw_col_t column, const std::string& text) {
        if (widths_.size() <= column) {
            widths_.resize(column + 1, 8);
        }
        const QString shown = QString::fromStdString(text);
        double width = 0;
        for (const QChar c : shown) {
            width += c.unicode() < 0x2E80 ? 1 : 2;
        }
        widths_[column] = std::max(widths_[column], width);
    }

    lxw_workbook* book_;
    lxw_worksheet* sheet_;
    std::map<Style, lxw_format*>& formats_;
    std::vector<double> widths_;
};

void writeSegments(Sheet& sheet, const SystemReport& report) {
    std::vector<std::string> captions;
    for (int column = 0; column < ductsys::tableColumnCount; ++column) {
        captions.emplace_back(ductsys::columnHeader(column));
    }
    // An incomplete system says so at the end of the title row, which every page repeats.
    if (std::string notice = ductsys::incompleteNotice(report.segments, report.result);
        !notice.empty()) {
        captions.push_back(std::move(notice));
    }
    sheet.headers(captions);
    const auto column = [](auto c) { return lxw_col_t(c); };
    for (std::size_t i = 0; i < report.segments.size(); ++i) {
        const auto& result = report.result.segments[i];
        const lxw_row_t row = lxw_row_t(i + 1);
        const Style input = cellStyle(false, result.onCriticalPath);
        const Style computed = cellStyle(true, result.onCriticalPath);
        for (int c = 0; c < Column::ColumnCount; ++c) {
            const std::string shown = ductsys::shownText(report.segments, report.result, i, c);
            // Σζ exactly as typed or summed, shown rounded by its format.
            const auto number = ductsys::cellNumber(
                c == Column::Zeta ? report.segments[i].cells[Column::Zeta] : shown);
            if (ductsys::tableColumn(c).numeric && number) {
                sheet.figure(row, column(c), *number, input);
            } else if (!shown.empty()) {
                sheet.text(row, column(c), shown, input);
            }
        }
        if (result.imbalance) {
            sheet.figure(row, column(ductsys::computedColumn(ductsys::Imbalance)),
                         *result.imbalance, computed);
        }
        if (!result.computed) {
            continue;
        }
        const auto at = [row](int c) { return cellName(row, lxw_col_t(c)); };
        const auto& figures = result.figures;
        for (const auto& [c, value] :
             {std::pair{ductsys::EquivalentDiameter, figures.equivalentDiameter},
              {ductsys::Velocity, figures.velocity},
              {ductsys::FrictionLoss, figures.frictionLoss},
              {ductsys::DynamicPressure, figures.dynamicPressure}}) {
            sheet.figure(row, column(ductsys::computedColumn(c)), value, computed);
        }
        // The losses follow the inputs when the spreadsheet calculates: R·L, Σζ·Pd, their sum
        // with the terminal's, and the sum from the fan.
        const int friction = ductsys::computedColumn(ductsys::Friction);
        const int local = ductsys::computedColumn(ductsys::Local);
        const int total = ductsys::computedColumn(ductsys::Total);
        const lxw_col_t sum = column(ductsys::computedColumn(ductsys::Cumulative));
        sheet.formula(row, column(friction),
                      formula("=%1*%2", {at(ductsys::computedColumn(ductsys::FrictionLoss)),
                                         at(Column::Length)}),
                      result.friction, computed);
        sheet.formula(row, column(local),
                      formula("=%1*%2", {at(Column::Zeta),
                                         at(ductsys::computedColumn(ductsys::DynamicPressure))}),
                      result.local, computed);
        sheet.formula(row, column(total),
                      formula("=%1+%2+%3", {at(friction), at(local), at(Column::TerminalLoss)}),
                      result.total, computed);
        if (!result.fromFan) {
            continue; // not known past a segment that could not be computed
        }
        if (result.upstream) {
            sheet.formula(
                row, sum,
                formula("=%1+%2", {cellName(lxw_row_t(*result.upstream + 1), sum), at(total)}),
                result.cumulative, computed);
        } else {
            sheet.formula(row, sum, formula("=%1", {at(total)}), result.cumulative, computed);
        }
    }
}

void writeCriticalPath(Sheet& sheet, const SystemReport& report) {
    sheet.headers({"序号", "编号", "管段阻力 Pa", "累计阻力 Pa"});
    const Style plain;
    lxw_row_t row = 1;
    for (const std::size_t i : report.result.criticalPath) {
        const auto& result = report.result.segments[i];
        sheet.figure(row, 0, double(row), plain);
        sheet.text(row, 1, report.segments[i].cells[Column::Id], plain);
        sheet.figure(row, 2, result.total, plain);
        const std::string sum = row == 1
                                    ? formula("=%1", {cellName(row, 2)})
                                    : formula("=%1+%2", {cellName(row - 1, 3), cellName(row, 2)});
        sheet.formula(row, 3, sum, result.cumulative, plain);
        ++row;
    }
}

void writeBalance(Sheet& sheet, const SystemReport& report) {
    sheet.headers({"分支点", "支管", "支管阻力 Pa", "最大支管阻力 Pa", "不平衡率 %", "超过限值",
                   "需加阻力 Pa", "调节阀"});
    const Style plain;
    lxw_row_t row = 1;
    for (const ductsys::BalanceRow& branch : report.result.balance) {
        const Style marked = cellStyle(false, branch.overLimit);
        sheet.text(row, 0, report.segments[branch.branchPoint].cells[Column::Id], plain);
        sheet.text(row, 1, report.segments[branch.branch].cells[Column::Id], plain);
        sheet.figure(row, 2, branch.loss, plain);
        sheet.figure(row, 3, branch.largest, plain);
        sheet.figure(row, 4, branch.imbalance, marked);
        sheet.text(row, 5, branch.overLimit ? "是" : "否", marked);
        if (const auto& damper = branch.damper) {
            sheet.figure(row, 6, damper->pressure, marked);
            sheet.text(row, 7, damperText(*damper).toStdString(), marked);
        }
        ++row;
    }
}

void writeFittings(Sheet& sheet, const SystemReport& report) {
    std::vector<std::string> headers;
    for (const QString& header : fittingHeaders()) {
        headers.push_back(header.toStdString());
    }
    sheet.headers(headers);
    lxw_row_t row = 1;
    for (const FittingLine& line : fittingLines(report.segments)) {
        sheet.text(row, 0, line.segment.toStdString(), {});
        sheet.text(row, 1, line.name.toStdString(), {});
        sheet.text(row, 2, line.parameters.toStdString(), {});
        sheet.figure(row, 3, line.count, {});
        sheet.figure(row, 4, line.zeta, {});
        sheet.text(row, 5, line.source.toStdString(), {});
        ++row;
    }
}

void writeSettings(Sheet& sheet, const SystemReport& report) {
    sheet.headers({"项目", "内容"});
    auto lines = settingLines(report.settings);
    lines.insert(lines.begin(), {QString::fromUtf8("系统"), report.name});
    if (const std::string notice = ductsys::incompleteNotice(report.segments, report.result);
        !notice.empty()) {
        lines.insert(lines.begin() + 1, {QString::fromUtf8("计算"), QString::fromStdString(notice)});
    }
    lines.emplace_back(QString::fromUtf8("程序"), programAndVersion());
    lines.emplace_back(QString::fromUtf8("日期"), report.date.toString(Qt::ISODate));
    lxw_row_t row = 1;
    for (const auto& [caption, value] : lines) {
        sheet.text(row, 0, caption.toStdString(), {});
        sheet.text(row, 1, value.toStdString(), {});
        ++row;
    }
}

// The library's failures in the words of any other save: short of memory, it could not
// create or write a file, and the C library's errno keeps why.
QString workbookErrorText(lxw_error error, int cause, const QString& path) {
    if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) {
        return QString::fromUtf8("内存不足。");
    }
    return saveErrorText(path,
                         cause == ENOSPC ? QFileDevice::ResourceError : QFileDevice::WriteError);
}

// Writes into a file of a temporary folder, which the library needs for its own work too.
std::optional<QString> writeWorkbook(const QString& path, const SystemReport& report,
                                     const QString& scratch) {
    const QByteArray folder = QDir::toNativeSeparators(scratch).toLocal8Bit();
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(folder.constData());
    lxw_workbook* book = lxw().workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book) {
        return QString::fromUtf8("无法创建工作簿。");
    }
    std::map<Style, lxw_format*> formats;
    const std::array<std::pair<const char*, void (*)(Sheet&, const SystemReport&)>, 5> sheets{
        {{"管段明细", writeSegments},
         {"最不利环路", writeCriticalPath},
         {"并联平衡", writeBalance},
         {"管件", writeFittings},
         {"参数", writeSettings}}};
    for (const auto& [name, write] : sheets) {
        Sheet sheet(book, name, formats);
        write(sheet, report);
        sheet.setWidths();
    }
    errno = 0;
    if (const lxw_error error = lxw().workbook_close(book); error != LXW_NO_ERROR) {
        return workbookErrorText(error, errno, path);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> writeSystemWorkbook(const QString& path, const SystemReport& report) {
    if (QString error; !xlsxwriterFunctions(&error)) {
        return QString::fromUtf8("无法载入生成工作簿的程序库（%1）。").arg(error);
    }
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return QString::fromUtf8("无法创建临时文件。");
    }
    const QString built = scratch.filePath(QStringLiteral("system.xlsx"));
    if (auto reason = writeWorkbook(built, report, scratch.path())) {
        return reason;
    }
    QFile file(built);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString::fromUtf8("无法读取临时文件。");
    }
    return writeFileAtomically(path, file.readAll());
}

} // namespace files

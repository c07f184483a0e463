#include "files/system_csv.h"

#include "files/system_report.h"
#include "system/system_table.h"

namespace files {

namespace {

void appendField(QByteArray& csv, std::string_view text) {
    const QByteArray field = QByteArray::fromRawData(text.data(), qsizetype(text.size()));
    if (field.contains(',') || field.contains('"') || field.contains('\n') ||
        field.contains('\r')) {
        csv.append('"').append(QByteArray(field).replace('"', "\"\"")).append('"');
    } else {
        csv.append(field);
    }
}

void appendLine(QByteArray& csv, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            csv.append(',');
        }
        appendField(csv, fields[i]);
    }
    csv.append("\r\n");
}

// A caption followed by its values, one per field.
std::vector<std::string> summaryLine(std::string caption, std::vector<std::string> values) {
    values.insert(values.begin(), std::move(caption));
    return values;
}

// Each segment's fittings, after a blank line, where there are any.
void appendFittings(QByteArray& csv, const std::vector<ductsys::Segment>& segments) {
    const std::vector<FittingLine> fittings = fittingLines(segments);
    if (fittings.empty()) {
        return;
    }
    appendLine(csv, {});
    std::vector<std::string> headers;
    for (const QString& header : fittingHeaders()) {
        headers.push_back(header.toStdString());
    }
    appendLine(csv, headers);
    for (const FittingLine& line : fittings) {
        appendLine(csv, {line.segment.toStdString(), line.name.toStdString(),
                         line.parameters.toStdString(), std::to_string(line.count),
                         ductsys::figureText(line.zeta), line.source.toStdString()});
    }
}

} // namespace

QByteArray systemCsv(const std::vector<ductsys::Segment>& segments,
                     const ductsys::SystemResult& result) {
    QByteArray csv("\xEF\xBB\xBF");
    if (const std::string notice = ductsys::incompleteNotice(segments, result); !notice.empty()) {
        appendLine(csv, {notice});
    }
    std::vector<std::string> line;
    for (int column = 0; column < ductsys::tableColumnCount; ++column) {
        line.emplace_back(ductsys::columnHeader(column));
    }
    appendLine(csv, line);
    for (std::size_t row = 0; row < segments.size(); ++row) {
        for (int column = 0; column < ductsys::tableColumnCount; ++column) {
            line[std::size_t(column)] = ductsys::shownText(segments, result, row, column);
        }
        appendLine(csv, line);
    }
    appendLine(csv, {});
    appendLine(csv, summaryLine("总风量 m3/h", {ductsys::figureText(result.totalFlow)}));
    appendLine(csv, summaryLine("最不利环路", ductsys::criticalPathIds(segments, result)));
    appendLine(csv, summaryLine("最不利环路阻力 Pa", {ductsys::figureText(result.fanPressure)}));
    appendLine(csv, summaryLine("超过平衡限值的支管", ductsys::overBalanceIds(segments, result)));
    appendFittings(csv, segments);
    return csv;
}

} // namespace files

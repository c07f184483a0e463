#include "ui/main_window/report_sheet.h"

#include "files/file_access.h"
#include "files/system_report.h"
#include "ui/core_text.h"

#include <QDate>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace ui {

namespace {

QString sheetTitle() {
    return QString::fromUtf8("风管计算书");
}

// Lays the sheet out from the top of the page's printable area down; lengths in millimetres.
class SheetPainter {
public:
    SheetPainter(QPdfWriter& writer, const QFont& font)
        : painter_(&writer)
        , dotsPerMm_(writer.resolution() / 25.4)
        , width_(writer.width())
        , font_(font) {}

    bool isActive() const { return painter_.isActive(); }
    // A failed write shows in the file's commit.
    void end() { painter_.end(); }

    void text(const QString& text, qreal pointSize, bool bold, qreal spaceAfter) {
        painter_.setFont(font(pointSize, bold));
        QRectF bounds;
        painter_.drawText(QRectF(0, y_, width_, mm(100)), Qt::TextWordWrap, text, &bounds);
        y_ += bounds.height() + mm(spaceAfter);
    }

    // Caption and value columns between thin rules.
    void table(const calc::ReportRows& rows) {
        painter_.setFont(font(10.5, false));
        const qreal height = painter_.fontMetrics().height() * 1.7;
        const qreal valueLeft = mm(42);
        painter_.setPen(QPen(Qt::darkGray, mm(0.2)));
        for (const calc::ReportRow& row : rows) {
            painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
            const auto cell = [&](qreal left, const std::string& text) {
                painter_.drawText(QRectF(left + mm(2), y_, width_ - left - mm(2), height),
                                  Qt::AlignLeft | Qt::AlignVCenter, qString(text));
            };
            painter_.setPen(Qt::black);
            cell(0, row.caption);
            cell(valueLeft, row.value);
            painter_.setPen(QPen(Qt::darkGray, mm(0.2)));
            y_ += height;
        }
        painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
        painter_.setPen(Qt::black);
        y_ += mm(6);
    }

    // One pixel of the window's picture is 0.3 mm, so the formula reads at the text's size.
    void picture(const QPixmap& pixmap) {
        const QSizeF size = pixmap.deviceIndependentSize() * mm(0.3);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.drawPixmap(QRectF(QPointF(mm(2), y_), size), pixmap, QRectF(pixmap.rect()));
        y_ += size.height() + mm(6);
    }

private:
    qreal mm(qreal length) const { return length * dotsPerMm_; }

    QFont font(qreal pointSize, bool bold) const {
        QFont font = font_;
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        return font;
    }

    QPainter painter_;
    qreal dotsPerMm_;
    int width_;
    QFont font_;
    qreal y_ = 0;
};

void compose(SheetPainter& sheet, const calc::Report& report, const QPixmap& formula) {
    sheet.text(sheetTitle(), 18, true, 2);
    sheet.text(QString::fromUtf8("日期 %1　　%2")
                   .arg(QDate::currentDate().toString(Qt::ISODate), files::programAndVersion()),
               9, false, 6);
    sheet.text(QString::fromUtf8("输入条件"), 12, true, 2);
    sheet.table(report.inputs);
    sheet.text(QString::fromUtf8("沿程阻力系数计算公式"), 12, true, 2);
    sheet.picture(formula);
    sheet.text(QString::fromUtf8("计算结果"), 12, true, 2);
    sheet.table(report.results);
    sheet.text(QString::fromUtf8("参考"), 12, true, 2);
    sheet.text(qString(report.reference), 10.5, false, 0);
}

} // namespace

QMimeData* reportMimeData(const calc::Report& report) {
    QString text;
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">");
    for (const calc::ReportRows* rows : {&report.inputs, &report.results}) {
        for (const calc::ReportRow& row : *rows) {
            const QString caption = qString(row.caption);
            const QString value = qString(row.value);
            text += caption + QLatin1Char('\t') + value + QLatin1Char('\n');
            html += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                        .arg(caption.toHtmlEscaped(), value.toHtmlEscaped());
        }
    }
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html + QStringLiteral("</table>"));
    return data;
}

QString writeReportPdf(const QString& path, const calc::Report& report, const SheetArt& art) {
    // Until commit() the sheet goes to a temporary file beside the target, which is removed
    // when anything fails, so no partial sheet is ever left under the target's name.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return files::saveErrorText(file);
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setTitle(sheetTitle());
        writer.setCreator(files::programAndVersion());
        SheetPainter sheet(writer, art.font);
        if (!sheet.isActive()) {
            return QString::fromUtf8("无法生成 PDF。");
        }
        compose(sheet, report, art.formula);
        sheet.end();
    }
    if (!file.commit()) {
        return files::saveErrorText(file);
    }
    return {};
}

} // namespace ui

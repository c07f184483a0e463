#pragma once

#include "calc/report.h"

#include <QFont>
#include <QPixmap>
#include <QString>

class QMimeData;

// The calculator's inputs and results out of the window: on the clipboard and as a one-page
// calculation sheet.
namespace ui {

// Plain text, a caption, a tab and the value on each line, inputs first; and HTML, the same
// rows as a two-column table for word processors.
QMimeData* reportMimeData(const calc::Report& report);

// What the sheet shows beside the report: the formula as the window draws it, and the
// face of its text (one with CJK glyphs).
struct SheetArt {
    QPixmap formula;
    QFont font;
};

// Writes the sheet as an A4 PDF at the path, completely or not at all. Returns why it could
// not, or an empty text.
QString writeReportPdf(const QString& path, const calc::Report& report, const SheetArt& art);

} // namespace ui

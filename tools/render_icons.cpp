// Build tool: writes the airliner icon as the files desktops and installers expect.
//   ductcalc_render_icons <dir>  ->  <dir>/<size>x<size>.png for every size the window icon
//   has, <dir>/ductcalc.ico
// Windows icon files hold PNG images since Vista, so the .ico is a directory of PNGs.

#include "ui/main_window/airliner_icon.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {

QByteArray pngOf(const QPixmap& pixmap) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    return png;
}

bool writeIco(const QString& path, const QList<QPair<int, QByteArray>>& images) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size()); // reserved, type icon, count
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const auto& [side, png] : images) {
        const quint8 dimension = side >= 256 ? 0 : quint8(side); // 0 stands for 256
        out << dimension << dimension << quint8(0) << quint8(0)  // no palette, reserved
            << quint16(1) << quint16(32) << quint32(png.size()) << offset;
        offset += quint32(png.size());
    }
    for (const auto& image : images) {
        out.writeRawData(image.second.constData(), int(image.second.size()));
    }
    return out.status() == QDataStream::Ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        qCritical("usage: ductcalc_render_icons <output directory>");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    const QIcon icon = ui::airlinerIcon();
    QList<QPair<int, QByteArray>> images;
    for (const QSize& size : icon.availableSizes()) {
        const int side = size.width();
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        const QString name = QStringLiteral("%1x%1.png").arg(side);
        if (!pixmap.save(dir.filePath(name), "PNG")) {
            qCritical("cannot write %s", qPrintable(dir.filePath(name)));
            return 1;
        }
        images.append({side, pngOf(pixmap)});
    }
    return writeIco(dir.filePath(QStringLiteral("ductcalc.ico")), images) ? 0 : 1;
}

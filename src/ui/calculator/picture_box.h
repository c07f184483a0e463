#pragma once

#include <QFrame>
#include <QPixmap>

namespace ui {

// A picture box: shows a bitmap unscaled from its top-left corner on the highlight-text
// colour. The bitmap is drawn for the box's size and device pixel ratio when it is first
// needed (the first paint), and again only if that ratio changes, so it stays sharp on
// every screen and start-up does not wait for it.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    using Artist = QPixmap (*)(QSize boxSize, qreal devicePixelRatio);

    PictureBox(Artist artist, QWidget* parent);

    // The bitmap as it is shown at the box's current device pixel ratio.
    const QPixmap& pixmap() const;
    // The same bitmap drawn afresh at another device pixel ratio, e.g. for print.
    QPixmap picture(qreal devicePixelRatio) const { return artist_(size(), devicePixelRatio); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Artist artist_;
    mutable QPixmap drawn_;
};

} // namespace ui

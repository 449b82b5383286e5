#include "layout.h"

#include "chrome/twipswidget.h"


namespace tarvelo {

void layoutframe(const FramePieces& f, int W, int H)
{
    f.top11.setTop(0);
    f.top11.setLeft(0);
    f.uctop1.setTop(-35);
    f.uctop1.setWidth(W);
    f.ucbottom1.setTop(H - f.ucbottom1.Height());
    f.ucbottom1.setWidth(W);
    f.ucright1.setLeft(W - f.ucright1.Width() + 20);
    f.ucright1.setTop(0);
    f.ucright1.setHeight(H);
    f.ucleft1.setLeft(-9);
    f.ucleft1.setHeight(H);
    f.topcent1.setLeft(f.top11.Width() + f.top11.Left() - 10);
    f.topcent1.setTop(f.uctop1.Height() + f.uctop1.Top() - 100);
    f.topcent1.setWidth(W);
}

void layoutcorner(const FramePieces& f, int W, int H)
{
    f.top31.setTop(H - f.top31.Height());
    f.top41.setLeft(W - f.top41.Width());
    f.top41.setTop(H - f.top41.Height());
    f.top21.setLeft(W - f.top21.Width());
    layoutframe(f, W, H);
}

QRect layoutweb(const FramePieces& f, int W, int H)
{
    const int top = f.top21.Height() - 230;
    const int left = f.ucleft1.Width() - 90;
    const int width = W - f.ucleft1.Width() - f.ucright1.Width() + 210;
    const int height = H - f.uctop1.Height() - f.ucbottom1.Height() - 800;
    return QRect(left, top, width, height);
}

QRegion cornerrgn(int w, int h)
{
    // From pixel (4, 3) up to, not including, (w − 2, h − 12).
    const QRect box(QPoint(4, 3), QPoint(w - 3, h - 13));
    constexpr int d = 8; // corner ellipse width and height
    QRegion region = QRegion(box.adjusted(d / 2, 0, -d / 2, 0)) | QRegion(box.adjusted(0, d / 2, 0, -d / 2));
    for (const QPoint corner : {box.topLeft(), QPoint(box.right() - d + 1, box.top()),
                                QPoint(box.left(), box.bottom() - d + 1),
                                QPoint(box.right() - d + 1, box.bottom() - d + 1)})
        region |= QRegion(QRect(corner, QSize(d, d)), QRegion::Ellipse);
    return region;
}

} // namespace tarvelo

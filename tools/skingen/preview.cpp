// A mock-up of the windows built from the written pictures, placed as the
// program places its controls, to look at the skin as a whole.
#include "paint.h"
#include "theme.h"

#include <QDir>
#include <QFont>
#include <QPainterPath>
#include <cmath>

namespace skingen {

namespace {

class Pictures {
public:
    explicit Pictures(const QString& folder) : dir_(folder) {}
    QImage operator()(const QString& name) const
    {
        QImage img(dir_.filePath(name));
        if (img.isNull())
            ok_ = false;
        return img;
    }
    bool ok() const { return ok_; }

private:
    QDir dir_;
    mutable bool ok_ = true;
};

int px(double twips) { return static_cast<int>(std::lround(twips / 15.0)); }

QFont cjk(int pixels, bool bold = false)
{
    QFont f(cjkFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void label(QPainter& p, const QRect& r, const QString& text, const QColor& colour, int pixels = 14,
           Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.setFont(cjk(pixels));
    p.setPen(colour);
    p.drawText(r, align | Qt::TextDontClip, text);
}

// The main window in its normal state, W x H pixels, with the Commodity tab
// selected; `hover` shows the hover looks of close and search.
QImage mainWindow(const Pictures& pic, int W, int H, bool hover)
{
    QImage win = blank(W, H, Qt::black);
    QPainter p(&win);
    antialias(p);
    const int Wt = W * 15, Ht = H * 15;

    // Back to front.
    p.drawImage(QRect(px(2075), px(1183), W, 87), pic("skin/band.png"));
    p.drawImage(QRect(px(-9), px(2280), 134, H), pic("skin/edge_left.png"));
    p.drawImage(QRect(px(Wt - 345 + 20), 0, 23, H), pic("skin/edge_right.png"));
    p.drawImage(QRect(px(2040), H - 34, W, 34), pic("skin/edge_bottom.png"));

    // Tab bar.
    {
        const QPoint o(px(2040), px(-35));
        p.save();
        p.translate(o);
        p.setClipRect(QRect(0, 0, W, px(1318)));
        p.drawImage(QRect(0, 0, W, 88), pic("skin/tabbar_bg.png"));
        const char* captions[] = {"法规政策", "商品编码", "海关税则", "出口退税"};
        const int selected = 1;
        const QImage normal = pic("skin/tab_normal.png"), sel = pic("skin/tab_selected.png");
        for (int i = 0; i < 4; ++i) {
            const int left = 120 + i * 1520;
            if (i != selected)
                p.drawImage(QRect(px(left), px(615), 100, 35), normal);
        }
        p.drawImage(QRect(px(120 + selected * 1520), px(645), 100, 35), sel);
        for (int i = 0; i < 4; ++i) {
            const int left = 120 + i * 1520 + 340;
            label(p, QRect(px(left), px(810), px(840), px(210)), QString::fromUtf8(captions[i]),
                  i == selected ? QColor(128, 128, 128) : QColor(0, 0, 128));
        }
        p.restore();
    }

    p.drawImage(QPoint(0, 0), pic("skin/corner_top_left.png"));

    // Title piece with its buttons and home button.
    {
        p.save();
        p.translate(W - 139, 0);
        p.drawImage(QPoint(0, 0), pic("skin/title_bg.png"));
        p.drawImage(QPoint(px(1290), px(45)), pic(hover ? "skin/close_hover.png" : "skin/close.png"));
        p.drawImage(QPoint(px(865), px(45)), pic("skin/maximise.png"));
        p.drawImage(QPoint(px(415), px(45)), pic("skin/minimise.png"));
        p.drawImage(QRect(0, px(580), 100, 35), pic("skin/tab_normal.png"));
        label(p, QRect(px(340), px(800), px(975), px(255)), QStringLiteral("返回主页"), QColor(0, 0, 192));
        p.restore();
    }

    p.drawImage(QPoint(W - 139, px(Ht - 2340)), pic("skin/corner_bottom_right.png"));
    p.drawImage(QPoint(0, px(Ht - 2325)), pic("skin/corner_bottom_left.png"));
    p.drawImage(QPoint(px(130), px(1320)), pic("skin/left_picture.png"));

    // Browser with a home-like page.
    {
        const QRect r(px(2010 - 90), px(2520 - 230), px(Wt - 2010 - 345 + 210), px(Ht - 1318 - 510 - 800));
        p.fillRect(r, Qt::white);
        p.save();
        p.setClipRect(r);
        p.translate(r.topLeft());
        p.fillRect(QRect(10, 10, r.width() - 20, 24), QColor(236, 243, 251));
        p.fillRect(QRect(10, 33, r.width() - 20, 1), QColor(120, 160, 212));
        label(p, QRect(18, 10, 200, 24), QStringLiteral("海关资讯"), QColor(24, 70, 140), 14);
        const char* news[] = {"关于调整部分商品进出口关税的公告", "商品归类决定（第三批）发布",
                              "出口退税率调整的通知", "海关税则商品及品目注释修订", "进出口商品编码查询指引"};
        for (int i = 0; i < 5; ++i) {
            const int y = 44 + i * 22;
            p.fillRect(QRect(20, y + 9, 3, 3), QColor(64, 142, 226));
            label(p, QRect(30, y, 360, 20), QString::fromUtf8(news[i]), QColor(0, 51, 153), 13);
            label(p, QRect(r.width() - 100, y, 80, 20), QStringLiteral("2024-0%1-1%2").arg(5 - i % 3).arg(i),
                  QColor(120, 120, 120), 12, Qt::AlignRight | Qt::AlignVCenter);
        }
        p.restore();
    }

    // Search bar and box.
    {
        p.save();
        p.translate(px(2280), px(1320));
        p.drawImage(QPoint(0, 0), pic("skin/search_bg.png"));
        p.drawImage(QPoint(px(5950), px(200)), pic(hover ? "skin/search_button_hover.png" : "skin/search_button.png"));
        p.restore();
        const QRect box(px(2520), px(1560), px(5655), px(375));
        p.fillRect(box, Qt::white);
        label(p, box.adjusted(3, 0, 0, 0), QStringLiteral("请输入货品名称或税则号列"), QColor(128, 128, 128), 14);
    }
    p.end();

    // Window region: rounded rectangle (4, 3)-(W - 2, H - 12), 8 x 8 corners.
    QImage out = blank(W, H);
    QPainter q(&out);
    antialias(q);
    QPainterPath region;
    region.addRoundedRect(QRectF(4, 3, W - 6, H - 15), 4, 4);
    q.setClipPath(region);
    q.drawImage(0, 0, win);
    return out;
}

QImage bubbleWindow(const Pictures& pic)
{
    QImage win = blank(182, 158, Qt::white);
    QPainter p(&win);
    antialias(p);
    p.drawImage(QRect(0, 0, 182, 158), pic("skin/bubble_bg.png"));
    p.drawImage(QRectF(0, 0, 153, 17.3), pic("skin/bubble_title.png"));
    p.drawImage(QRect(148, 0, 32, 15), pic("skin/bubble_close.png"));
    label(p, QRect(8, 2, 137, 15), QStringLiteral("中国Veloria"), QColor(0, 0, 0), 12);
    const QRect r(5, 21, 169, 129);
    p.fillRect(r, Qt::white);
    const char* news[] = {"出口退税率调整通知", "归类决定发布", "关税调整公告"};
    for (int i = 0; i < 3; ++i)
        label(p, QRect(r.left() + 8, r.top() + 8 + i * 20, 150, 18), QString::fromUtf8(news[i]),
              QColor(0, 51, 153), 12);
    return win;
}

void shadowed(QPainter& p, const QPoint& at, const QImage& img)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 1; i <= 6; ++i) {
        p.setBrush(QColor(0, 0, 0, 8));
        p.drawRoundedRect(QRectF(at.x() + 4 - i, at.y() + 6 - i, img.width() - 8 + 2 * i, img.height() - 12 + 2 * i),
                          6 + i, 6 + i);
    }
    p.restore();
    p.drawImage(at, img);
}

} // namespace

bool writePreview(const QString& folder, const QString& file)
{
    const Pictures pic(folder);
    const QImage start = mainWindow(pic, place::startWidth, place::startHeight, false);
    const QImage wide = mainWindow(pic, 900, 470, true);
    const QImage bubble = bubbleWindow(pic);

    QImage sheet = blank(960, 1120, QColor(96, 108, 124));
    QPainter p(&sheet);
    antialias(p);
    QLinearGradient desk(0, 0, 0, sheet.height());
    desk.setColorAt(0, QColor(118, 134, 152));
    desk.setColorAt(1, QColor(70, 82, 98));
    p.fillRect(sheet.rect(), desk);

    label(p, QRect(24, 8, 600, 20), QStringLiteral("Tarvelo 主窗口 695 × 407"), Qt::white, 13);
    shadowed(p, QPoint(24, 30), start);
    label(p, QRect(24, 446, 600, 20), QStringLiteral("拉伸到 900 × 470（关闭与搜索按钮为悬停样式）"), Qt::white, 13);
    shadowed(p, QPoint(24, 468), wide);

    const int y = 960;
    label(p, QRect(24, y - 22, 200, 20), QStringLiteral("气泡窗口"), Qt::white, 13);
    shadowed(p, QPoint(24, y), bubble);

    label(p, QRect(240, y - 22, 300, 20), QStringLiteral("托盘菜单图标"), Qt::white, 13);
    const char* menu[] = {"menu_exit", "menu_about", "menu_home", "menu_link1",
                          "menu_link2", "menu_link3", "menu_link4", "menu_link5"};
    p.fillRect(QRect(240, y, 8 * 26 + 8, 34), QColor(244, 246, 250));
    for (int i = 0; i < 8; ++i) {
        QImage icon = pic(QStringLiteral("icons/%1.png").arg(QLatin1String(menu[i])));
        // As the menu shows it: magenta is transparent.
        icon = icon.convertToFormat(QImage::Format_ARGB32);
        for (int yy = 0; yy < icon.height(); ++yy)
            for (int xx = 0; xx < icon.width(); ++xx)
                if ((icon.pixel(xx, yy) & 0xffffff) == 0xff00ff)
                    icon.setPixel(xx, yy, 0);
        p.drawImage(QPoint(248 + i * 26, y + 9), icon);
    }
    for (int i = 0; i < 8; ++i) {
        const QImage icon = pic(QStringLiteral("icons/%1.png").arg(QLatin1String(menu[i])));
        p.drawImage(QRect(240 + i * 26, y + 44, 24, 24), icon);
    }

    label(p, QRect(480, y - 22, 400, 20), QStringLiteral("程序图标与关于框标志"), Qt::white, 13);
    int x = 480;
    for (int s : {16, 32, 48, 128}) {
        p.drawImage(QPoint(x, y), pic(QStringLiteral("icons/tarvelo_%1.png").arg(s)));
        x += s + 14;
    }
    p.fillRect(QRect(x, y, 72, 67), QColor(192, 255, 192));
    p.drawImage(QPoint(x + 8, y + 8), pic("icons/about_logo.png"));
    p.end();
    return pic.ok() && sheet.save(file);
}

} // namespace skingen

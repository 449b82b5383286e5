// tarvelo-skingen: writes every skin picture and icon of Tarvelo as PNG.
//
//   tarvelo-skingen <folder>                    writes <folder>/skin/*.png and
//                                               <folder>/icons/*.png
//   tarvelo-skingen --preview <file> <folder>   composes a mock-up of the
//                                               windows from those pictures
#include "paint.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <functional>

using namespace skingen;

namespace {

struct Output {
    const char* name;     // relative to the output folder
    int width;
    int height;
    std::function<QImage()> draw;
    // Also written at twice the size as NAME@2x.png, for high-DPI screens.
    bool twice = true;
};

const Output outputs[] = {
    // Tab bar.
    {"skin/tab_normal.png", 100, 35, [] { return tab(false); }},
    {"skin/tab_selected.png", 100, 35, [] { return tab(true); }},
    {"skin/tabbar_bg.png", 27, 88, tabBarBackground},
    // Search bar.
    {"skin/search_bg.png", 500, 55, searchBackground},
    {"skin/search_button.png", 94, 28, [] { return searchButton(false); }},
    {"skin/search_button_hover.png", 94, 28, [] { return searchButton(true); }},
    // Title bar.
    {"skin/title_bg.png", 139, 168, titleBackground},
    {"skin/minimise.png", 31, 19, [] { return captionButton(CaptionButton::Minimise, false); }},
    {"skin/minimise_hover.png", 31, 19, [] { return captionButton(CaptionButton::Minimise, true); }},
    {"skin/maximise.png", 30, 19, [] { return captionButton(CaptionButton::Maximise, false); }},
    {"skin/maximise_hover.png", 30, 19, [] { return captionButton(CaptionButton::Maximise, true); }},
    {"skin/restore.png", 30, 19, [] { return captionButton(CaptionButton::Restore, false); }},
    {"skin/restore_hover.png", 30, 19, [] { return captionButton(CaptionButton::Restore, true); }},
    {"skin/close.png", 41, 19, [] { return captionButton(CaptionButton::Close, false); }},
    {"skin/close_hover.png", 41, 19, [] { return captionButton(CaptionButton::Close, true); }},
    // Frame pieces.
    {"skin/corner_top_left.png", 139, 168, topLeftCorner},
    {"skin/corner_bottom_left.png", 139, 155, bottomLeftCorner},
    {"skin/corner_bottom_right.png", 139, 156, bottomRightCorner},
    {"skin/left_picture.png", 112, 199, leftPicture},
    {"skin/edge_left.png", 134, 37, leftEdge},
    {"skin/edge_right.png", 23, 35, rightEdge},
    {"skin/edge_bottom.png", 42, 34, bottomEdge},
    {"skin/band.png", 38, 87, band},
    // Bubble window.
    {"skin/bubble_bg.png", 150, 150, bubbleBackground},
    {"skin/bubble_title.png", 242, 27, bubbleTitle},
    {"skin/bubble_close.png", 40, 17, bubbleClose},
    // Tray menu pictures, on magenta.
    {"icons/menu_exit.png", 16, 16, [] { return menuIcon(MenuIcon::Exit, true); }},
    {"icons/menu_about.png", 16, 16, [] { return menuIcon(MenuIcon::About, true); }},
    {"icons/menu_home.png", 16, 16, [] { return menuIcon(MenuIcon::Home, true); }},
    {"icons/menu_link1.png", 16, 16, [] { return menuIcon(MenuIcon::Link1, true); }},
    {"icons/menu_link2.png", 16, 16, [] { return menuIcon(MenuIcon::Link2, true); }},
    {"icons/menu_link3.png", 16, 16, [] { return menuIcon(MenuIcon::Link3, true); }},
    {"icons/menu_link4.png", 16, 16, [] { return menuIcon(MenuIcon::Link4, true); }},
    {"icons/menu_link5.png", 16, 16, [] { return menuIcon(MenuIcon::Link5, true); }},
    // Program icon and about logo.
    {"icons/tarvelo_16.png", 16, 16, [] { return programIcon(16); }, false},
    {"icons/tarvelo_32.png", 32, 32, [] { return programIcon(32); }, false},
    {"icons/tarvelo_48.png", 48, 48, [] { return programIcon(48); }, false},
    {"icons/tarvelo_128.png", 128, 128, [] { return programIcon(128); }, false},
    {"icons/tarvelo_256.png", 256, 256, [] { return programIcon(256); }, false},
    {"icons/about_logo.png", 56, 51, aboutLogo},
};

int usage()
{
    QTextStream(stderr) << "usage: tarvelo-skingen <output folder>\n"
                           "       tarvelo-skingen --preview <file.png> <folder with skin/ and icons/>\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);

    if (args.size() == 3 && args[0] == QLatin1String("--preview")) {
        if (!writePreview(args[2], args[1])) {
            QTextStream(stderr) << "could not compose " << args[1] << " from " << args[2] << "\n";
            return 1;
        }
        out << args[1] << "\n";
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1String("-")))
        return usage();

    const QDir dir(args[0]);
    int failures = 0;
    for (const int scale : {1, 2})
    for (const Output& o : outputs) {
        if (scale > 1 && !o.twice)
            continue;
        setPictureScale(scale);
        QString name = QString::fromLatin1(o.name);
        if (scale > 1)
            name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage img = o.draw();
        if (img.width() != o.width * scale || img.height() != o.height * scale) {
            QTextStream(stderr) << name << ": drawn " << img.width() << "x" << img.height() << ", wanted "
                                << o.width * scale << "x" << o.height * scale << "\n";
            ++failures;
            continue;
        }
        // Opaque pictures are stored without alpha.
        const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
        bool opaque = true;
        for (int y = 0; y < argb.height() && opaque; ++y)
            for (int x = 0; x < argb.width() && opaque; ++x)
                opaque = qAlpha(argb.pixel(x, y)) == 255;
        img = opaque ? argb.convertToFormat(QImage::Format_RGB32) : argb;
        if (!img.save(path, "PNG")) {
            QTextStream(stderr) << "cannot write " << path << "\n";
            ++failures;
            continue;
        }
        out << name << "  " << img.width() << "x" << img.height() << "\n";
    }
    return failures == 0 ? 0 : 1;
}

#include "traymenu.h"

#include "assets/skin.h"
#include "links.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>

namespace tarvelo {
namespace {

// Thirteen hyphens: the caption of both separator lines.
const QString separatorCaption = QStringLiteral("-------------");

QFont menuFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return font;
}

QAction* item(QMenu& menu, const char* name, const QString& caption, const char* picture = nullptr)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (picture)
        action->setIcon(QIcon(skin::menuPixmap(picture)));
    return action;
}

void separatorLine(QMenu& menu, const char* name)
{
    QAction* line = menu.addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    line->setText(separatorCaption);
}

} // namespace

TrayMenu buildTrayMenu()
{
    TrayMenu tray;
    tray.menum = std::make_unique<QMenu>();
    QMenu& menu = *tray.menum;
    menu.setObjectName(QStringLiteral("menum"));
    menu.setFont(menuFont());

    tray.mopen = item(menu, "mopen", QStringLiteral("打开Tarvelo"));
    tray.minrw = item(menu, "minrw", QStringLiteral("最小化任务栏"));
    tray.mabout = item(menu, "mabout", QStringLiteral("关于Tarvelo"), skin::menuAbout);
    tray.mbatch = item(menu, "mbatch", QStringLiteral("批量查询"));
    tray.mwatch = item(menu, "mwatch", QStringLiteral("关注"));
    separatorLine(menu, "no02");
    tray.murl = item(menu, "murl", QStringLiteral("Veloria"), skin::menuHome);
    static constexpr const char* names[] = {"murlno1", "murlno2", "murlno3", "murlno4", "murlno5"};
    static constexpr const char* pictures[] = {skin::menuLink1, skin::menuLink2, skin::menuLink3, skin::menuLink4,
                                               skin::menuLink5};
    for (std::size_t i = 0; i < tray.murlno.size(); ++i)
        tray.murlno[i] = item(menu, names[i], links::entries[i].caption, pictures[i]);
    separatorLine(menu, "no01");
    tray.mexit = item(menu, "mexit", QStringLiteral("退出"), skin::menuExit);
    return tray;
}

} // namespace tarvelo

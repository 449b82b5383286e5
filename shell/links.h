#pragma once
#include <QString>

#include <array>

// The web links of the tray menu. The pages live on the maker's sites; they
// are fixed in the build.
namespace tarvelo::links {

struct Link {
    QString caption;
    QString url;
};

// murl: the maker's home page.
inline const QString makerHome = QStringLiteral("http://www.veloria.example/");

// murlno1 to murlno5: three sibling sites, then search and questions on the
// maker's home site.
inline const std::array<Link, 5> entries = {{
    {QStringLiteral("Veloria 关务资讯"), QStringLiteral("http://news.veloria.example/")},
    {QStringLiteral("Veloria 外贸论坛"), QStringLiteral("http://bbs.veloria.example/")},
    {QStringLiteral("Veloria 报关培训"), QStringLiteral("http://edu.veloria.example/")},
    {QStringLiteral("站内搜索"), makerHome + QStringLiteral("so/Search.asp")},
    {QStringLiteral("在线提问"), makerHome + QStringLiteral("gs/Ask/Add_Question.asp")},
}};

} // namespace tarvelo::links

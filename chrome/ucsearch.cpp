#include "ucsearch.h"

#include "mainwindowhost.h"
#include "picture.h"
#include "assets/skin.h"
#include "platform/qt/hubapi.h"

#include <QThread>

namespace tarvelo {
namespace {

// Places and sizes of the search bar's elements, in twips relative to the bar.
namespace place {
constexpr int barWidth = 7500;
constexpr int barHeight = 825;
constexpr int buttonLeft = 5950;
constexpr int buttonTop = 200;
constexpr int buttonWidth = 1410;
constexpr int buttonHeight = 420;
} // namespace place

// Pause before a lookup starts, in milliseconds.
constexpr unsigned long submitPause = 10;

// The text without leading and trailing space characters; other white space stays.
QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace

bool placeholders::isPlaceholder(const QString& text)
{
    return text == goods || text == law;
}

ucsearch::ucsearch(QWidget* parent, HubApi& hub, MainWindowHost& host)
    : TwipsWidget(parent), hub_(hub), host_(host)
{
    // Created back to front: a later child is drawn over an earlier one.
    Image1 = new Picture(this, skin::searchBackground);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setTwipsGeometry(0, 0, place::barWidth, place::barHeight);
    Image2 = new Picture(this, skin::searchButtonHover);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setTwipsGeometry(place::buttonLeft, place::buttonTop, place::buttonWidth, place::buttonHeight);
    Image2->hide();
    Image3 = new Picture(this, skin::searchButton);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setTwipsGeometry(place::buttonLeft, place::buttonTop, place::buttonWidth, place::buttonHeight);

    connect(Image3, &Picture::mouseMoved, this, [this] { showHoverLook(true); });
    connect(Image1, &Picture::mouseMoved, this, [this] { showHoverLook(false); });
    connect(Image2, &Picture::clicked, this, &ucsearch::rukong);

    setTwipsGeometry(0, 0, Image1->Width(), Image1->Height());
}

void ucsearch::rukong()
{
    const QString text = host_.searchText();
    const QString trimmed = trimSpaces(text);
    if (trimmed.isEmpty() || placeholders::isPlaceholder(trimmed))
        return;
    QThread::msleep(submitPause);
    // The flag is set first, so it stays set even when the lookup finds nothing.
    switch (static_cast<QueryCategory>(hub_.currentCategory())) {
    case QueryCategory::pe_article:
        hub_.setCategorySearched(static_cast<int16_t>(QueryCategory::pe_article));
        hub_.pe_article(text);
        break;
    case QueryCategory::Commodity:
        hub_.setCategorySearched(static_cast<int16_t>(QueryCategory::Commodity));
        hub_.Commodity(text);
        break;
    case QueryCategory::Tariff:
        hub_.setCategorySearched(static_cast<int16_t>(QueryCategory::Tariff));
        hub_.Tariff(text);
        break;
    default:
        hub_.setCategorySearched(static_cast<int16_t>(QueryCategory::Export));
        hub_.Export(text);
        break;
    }
}

void ucsearch::resizeTwips()
{
    Image1->setLeft(0);
    Image1->setTop(0);
    setWidth(Image1->Width());
    setHeight(Image1->Height());
}

void ucsearch::showHoverLook(bool hover)
{
    Image2->setLeft(Image3->Left());
    Image2->setTop(Image3->Top());
    Image3->setVisible(!hover);
    Image2->setVisible(hover);
}

} // namespace tarvelo

#include "webbrowser.h"

#include "guardedpage.h"

#include <QDir>

namespace tarvelo::platform {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent), page_(new GuardedPage(this))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setPage(page_);
    connect(this, &QWebEngineView::loadFinished, this, &WebBrowser::pageLoaded);
}

void WebBrowser::Navigate(const std::string& location)
{
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(QString::fromStdString(location)));
    page_->expect(url);
    load(url);
}

} // namespace tarvelo::platform

#include "webbrowser.h"

#include "guardedpage.h"

#include <QChildEvent>
#include <QDir>
#include <QKeyEvent>

namespace tarvelo::platform {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent), page_(new GuardedPage(this))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setPage(page_);
    connect(this, &QWebEngineView::loadFinished, this, &WebBrowser::pageLoaded);
    for (QObject* child : children())
        child->installEventFilter(this);
}

void WebBrowser::childEvent(QChildEvent* event)
{
    if (event->added())
        event->child()->installEventFilter(this);
    QWebEngineView::childEvent(event);
}

bool WebBrowser::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        page_->noteUserGesture();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
            page_->noteUserGesture();
        break;
    }
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, event);
}

void WebBrowser::Navigate(const std::string& location)
{
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(QString::fromStdString(location)));
    page_->expect(url);
    load(url);
}

} // namespace tarvelo::platform

#include "webbrowser.h"

#include "guardedpage.h"

#include <QChildEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWebEngineScript>

namespace tarvelo::platform {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent), page_(new GuardedPage(this))
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setPage(page_);
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        busy_ = false;
        emit pageLoaded(ok);
    });
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
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            askRowAt(mouse->position().toPoint(), mouse->globalPosition().toPoint());
        break;
    }
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

void WebBrowser::askRowAt(const QPoint& pos, const QPoint& globalPos)
{
    // Run apart from the page's own scripts; the page is not changed.
    const QString script = QStringLiteral(
        "(function () {"
        "  var at = document.elementFromPoint(%1, %2);"
        "  var row = at && at.closest ? at.closest('tr') : null;"
        "  return row ? Array.prototype.map.call(row.cells, function (c) { return c.innerText.trim(); }) : [];"
        "})()").arg(pos.x()).arg(pos.y());
    page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [this, globalPos](const QVariant& cells) {
        const QStringList texts = cells.toStringList();
        if (!texts.isEmpty())
            emit rowMenuRequested(texts, globalPos);
    });
}

void WebBrowser::Navigate(const std::string& location)
{
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(QString::fromStdString(location)));
    page_->expect(url);
    busy_ = true;
    load(url);
}

} // namespace tarvelo::platform

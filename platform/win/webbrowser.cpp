#include "webbrowser.h"

#include "platform/qt/desktoplinks.h"
#include "platform/win/htmlcontrol.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvelo::platform {
namespace {

// How long the control may take to show its first, empty page before it
// counts as missing (Wine without its HTML engine never shows one).
constexpr std::chrono::milliseconds controlWait{2000};

// A click or key press this recent makes a link the user's.
constexpr DWORD userGestureMs = 1000;

bool followsUserInput()
{
    LASTINPUTINFO last{sizeof(LASTINPUTINFO), 0};
    return GetLastInputInfo(&last) && GetTickCount() - last.dwTime <= userGestureMs;
}

QUrl urlOf(const std::wstring& url)
{
    const QString text = QString::fromStdWString(url);
    // The control reports local files as paths as often as file: URLs.
    return QDir::isAbsolutePath(text) && !text.contains(QLatin1String("://")) ? QUrl::fromLocalFile(text)
                                                                               : QUrl(text);
}

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent)
{
    // The control lives in a native window of this widget's own.
    setAttribute(Qt::WA_NativeWindow);
    win::BrowserEventHandlers handlers;
    handlers.navigating = [this](const std::wstring& url, bool topLevel) { return allows(url, topLevel); };
    handlers.newWindow = [](const std::wstring& url, bool byUser) {
        if (byUser)
            openInUserBrowser(urlOf(url));
    };
    handlers.loaded = [this](bool ok) { emit pageLoaded(ok); };
    handlers.rowMenu = [this](const std::vector<std::wstring>& cells, POINT screen) {
        QStringList texts;
        for (const std::wstring& cell : cells)
            texts.append(QString::fromStdWString(cell));
        // Screen points of the system are physical pixels; Qt's are scaled.
        emit rowMenuRequested(texts, QPoint(screen.x, screen.y) / devicePixelRatioF());
    };
    std::string failure;
    control_ = win::HtmlControl::create(reinterpret_cast<HWND>(winId()), controlWait, failure, std::move(handlers));
    if (!control_)
        showNotice(QString::fromStdString(failure));
}

WebBrowser::~WebBrowser() = default;

QString WebBrowser::unavailableReason() const
{
    return reason_;
}

void WebBrowser::showNotice(const QString& reason)
{
    reason_ = reason;
    notice_ = new QLabel(QStringLiteral("此处无法显示网页：本机没有可用的网页控件。\n(%1)").arg(reason), this);
    notice_->setAlignment(Qt::AlignCenter);
    notice_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice_);
}

void WebBrowser::Navigate(const std::string& location)
{
    const QString path = QDir::toNativeSeparators(QString::fromStdString(location));
    expected_ = QUrl::fromLocalFile(QDir::fromNativeSeparators(path)).toString();
    if (!control_ || !control_->navigate(path.toStdWString()))
        QTimer::singleShot(0, this, [this] { emit pageLoaded(false); });
}

bool WebBrowser::allows(const std::wstring& url, bool topLevel) const
{
    const QUrl target = urlOf(url);
    if (isWebUrl(target)) {
        if (topLevel && followsUserInput())
            openInUserBrowser(target);
        return false;
    }
    if (target.toString() == QLatin1String("about:blank"))
        return true;
    // Our own file, also when a link jumps to an anchor in it; file names
    // are compared as Windows does, whatever their case.
    return topLevel && target.isLocalFile() &&
           target.adjusted(QUrl::RemoveFragment).toString().compare(expected_, Qt::CaseInsensitive) == 0;
}

void WebBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (control_)
        control_->fit();
}

} // namespace tarvelo::platform

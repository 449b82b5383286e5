#include "desktoplinks.h"

#include <QDesktopServices>

namespace tarvelo::platform {

bool isWebUrl(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

bool openInUserBrowser(const QUrl& url)
{
    return isWebUrl(url) && QDesktopServices::openUrl(url);
}

} // namespace tarvelo::platform

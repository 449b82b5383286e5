#pragma once
#include <QUrl>

namespace tarvelo::platform {

// Hands an http or https URL to the user's browser through the desktop.
// Other schemes are refused; the answer says whether the URL was handed on.
bool openInUserBrowser(const QUrl& url);

bool isWebUrl(const QUrl& url);

} // namespace tarvelo::platform

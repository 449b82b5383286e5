#include "platform/browserengine.h"

#include <QCoreApplication>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tarvelo::platform {

void prepareBrowserEngine()
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0) {
        const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    }
#endif
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace tarvelo::platform

#include "application.h"

#include "version.h"

#include <QLibraryInfo>
#include <QLocale>

namespace tarvelo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(version::title));
    setApplicationVersion(QString::fromLatin1(version::text));
    // No display name: Qt would append it to every window caption that does
    // not already end with it (" Tarvelo " would read " Tarvelo  — Tarvelo").

    // The program speaks Chinese whatever the desktop's language.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qtTexts_.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"), folder))
        installTranslator(&qtTexts_);
    else
        qWarning("Tarvelo: Qt's Chinese texts (qtbase_zh_CN.qm) are not in %s; standard buttons stay in English "
                 "(install qt6-translations-l10n)",
                 qPrintable(folder));
}

} // namespace tarvelo

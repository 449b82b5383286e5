#include "qtmessagebox.h"

#include <QMessageBox>

namespace tarvelo::platform {
namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// CR LF and lone CR both end a line.
QString lineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Choice QtMessageBox::show(std::string_view text, std::string_view caption, Buttons buttons)
{
    QMessageBox box;
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(fromUtf8(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(lineBreaks(fromUtf8(text)));
    if (buttons == Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Ok ? Choice::Ok : Choice::Cancel;
}

} // namespace tarvelo::platform

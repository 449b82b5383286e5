#pragma once
#include <QApplication>
#include <QTranslator>

namespace tarvelo {

// The program's application object: its name and version, and Qt's own
// Chinese texts for the standard dialogs (确定, 取消).
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

private:
    QTranslator qtTexts_;
};

} // namespace tarvelo

#include "program.h"

namespace tarvelo {

Program::Program(platform::MessageBox& messageBox, platform::ProcessExit& processExit, platform::Clock& clock,
                 platform::ProgramFolder& programFolder)
    : seams_{messageBox, processExit, clock, programFolder, hub_}, hub_(seams_), bubble_(seams_, hub_),
      main_(hub_, seams_)
{
    hub_.setBubbleCycle([this] { bubble_.mmaopao(); });
    QObject::connect(&hub_, &Hub::showMainWindow, &main_, &mainn::Show);
    QObject::connect(&hub_, &Hub::openMainWindow, &main_, &mainn::open);
    QObject::connect(&hub_, &Hub::unloadMainWindow, &main_, &mainn::Unload);
    QObject::connect(&hub_, &Hub::minimizeMainWindow, &main_, &mainn::minimize);
    QObject::connect(&hub_, &Hub::aboutRequested, &main_, [this] { showAbout(); });
}

Program::~Program()
{
    delete about_.data();
}

// Not modal; an open box is brought forward, a closed one is made anew.
void Program::showAbout()
{
    if (!about_) {
        about_ = new frmAbout;
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace tarvelo

#include "program.h"

#include "chrome/ucsearch.h"
#include "commandline.h"
#include "mainwindow.h"
#include "service/envelope.h"

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
    QObject::connect(&hub_, &Hub::batchRequested, &main_, [this] { showBatch(); });
}

void Program::lookUp(const QStringList& arguments)
{
    const CommandLine command = parseCommandLine(arguments);
    if (command.batch)
        return showBatch(command.batch->file);
    const std::optional<LookupRequest>& request = command.lookup;
    if (!request)
        return;
    main_.Show();
    const QString text = request->fromSelection ? selectedText() : request->text;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || placeholders::isPlaceholder(trimmed))
        return;
    main_.window()->searchFor(request->category.value_or(hub_.currentCategory()), text);
}

Program::~Program()
{
    delete about_.data();
    delete batch_.data();
}

void Program::showBatch(const QString& file)
{
    if (!batch_) {
        batch::Connection connection;
        connection.endpoint = seams_.endpointOverride.empty() ? std::string(service::defaultEndpoint())
                                                              : seams_.endpointOverride;
        connection.timeouts = seams_.timeouts;
        connection.caFile = seams_.caFileOverride;
        batch_ = new BatchWindow(std::move(connection));
        batch_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!file.isEmpty())
        batch_->openList(file);
    batch_->show();
    batch_->raise();
    batch_->activateWindow();
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

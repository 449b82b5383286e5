#include "program.h"

#include "chrome/ucsearch.h"
#include "commandline.h"
#include "mainwindow.h"
#include "service/envelope.h"

#include <QDate>
#include <QTimer>

namespace tarvelo {

Program::Program(platform::MessageBox& messageBox, platform::ProcessExit& processExit, platform::Clock& clock,
                 platform::ProgramFolder& programFolder)
    : seams_{messageBox, processExit, clock, programFolder, hub_}, hub_(seams_), bubble_(seams_, hub_), watchBubble_(seams_, bubble_),
      main_(hub_, seams_)
{
    hub_.setBubbleCycle([this] { bubble_.mmaopao(); });
    QObject::connect(&hub_, &Hub::showMainWindow, &main_, &mainn::Show);
    QObject::connect(&hub_, &Hub::openMainWindow, &main_, &mainn::open);
    QObject::connect(&hub_, &Hub::unloadMainWindow, &main_, &mainn::Unload);
    QObject::connect(&hub_, &Hub::minimizeMainWindow, &main_, &mainn::minimize);
    QObject::connect(&hub_, &Hub::aboutRequested, &main_, [this] { showAbout(); });
    QObject::connect(&hub_, &Hub::batchRequested, &main_, [this] { showBatch(); });
    QObject::connect(&hub_, &Hub::watchRequested, &main_,
                     [this](const QString& code, const QString& name) { showWatch(code, name); });
}

void Program::lookUp(const QStringList& arguments)
{
    const CommandLine command = parseCommandLine(arguments);
    if (command.batch)
        return showBatch(command.batch->file);
    if (command.watch)
        return showWatch(*command.watch);
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
    delete watchWindow_.data();
}

std::string Program::endpoint() const
{
    return seams_.endpointOverride.empty() ? std::string(service::defaultEndpoint()) : seams_.endpointOverride;
}

void Program::watchList(const std::filesystem::path& file)
{
    watch_ = std::make_unique<watch::WatchMonitor>(
        file, watch::Connection{endpoint(), seams_.timeouts, seams_.caFileOverride},
        [] { return QDate::currentDate().toString(Qt::ISODate).toStdString(); });
    QObject::connect(watch_.get(), &watch::WatchMonitor::changesFound, &main_,
                     [this](const std::vector<watch::RateChange>& changes) { watchBubble_.show(changes); });
    if (const std::string problem = watch_->loadProblem(); !problem.empty())
        QTimer::singleShot(0, &main_, [this, problem] {
            seams_.messageBox.show(problem, "关注", platform::Buttons::Ok);
        });
    watch_->start();
}

void Program::showWatch(const QString& code, const QString& name)
{
    if (!watch_)
        return;
    if (!watchWindow_) {
        watchWindow_ = new WatchWindow(*watch_);
        watchWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (!code.isEmpty())
        watchWindow_->addLine(code, name);
    watchWindow_->show();
    watchWindow_->raise();
    watchWindow_->activateWindow();
}

void Program::showBatch(const QString& file)
{
    if (!batch_) {
        batch::Connection connection;
        connection.endpoint = endpoint();
        connection.timeouts = seams_.timeouts;
        connection.caFile = seams_.caFileOverride;
        batch_ = new BatchWindow(std::move(connection));
        batch_->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(batch_, &BatchWindow::watchRequested, &main_,
                         [this](const QString& code, const QString& name) { showWatch(code, name); });
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

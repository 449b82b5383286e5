#include "mainn.h"

#include "hub.h"
#include "mainwindow.h"
#include "searchbox.h"

#include <QScreen>

namespace tarvelo {

mainn::mainn(Hub& hub, platform::Seams& seams, QObject* parent) : QObject(parent), hub_(hub), seams_(seams)
{
    setObjectName(QStringLiteral("mainn"));
}

mainn::~mainn()
{
    hub_.setView(nullptr);
    for (const QPointer<MainWindow>& window : unloaded_)
        delete window.data();
    delete window_.data();
}

MainWindow* mainn::window() const
{
    return window_;
}

void mainn::load()
{
    auto* window = new MainWindow(hub_, seams_);
    window_ = window;
    connect(window, &MainWindow::unloadRequested, this, &mainn::Unload);
    hub_.setView(window);
    window->searchBox().setHistory(hub_.history());
    const QPointer<MainWindow> outer = loading_;
    loading_ = window;
    window->Form_Load();
    loading_ = outer;
    if (window_ != window) {
        // Unloaded while a prompt in its load steps was open: the remaining
        // steps are skipped, and the window, no longer in use, goes.
        delete window;
        return;
    }
    const QRect screen = window->screen()->geometry();
    window->move(screen.center() - window->rect().center());
}

void mainn::start()
{
    load();
    if (!window_)
        return;
    window_->layoutframe();
    window_->show();
}

void mainn::Show()
{
    if (!window_)
        load();
    if (!window_)
        return;
    // A window minimised to the taskbar comes back as it was before.
    if (window_->isMinimized())
        window_->showNormal();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void mainn::open()
{
    Show();
    if (window_)
        window_->setWindowState(WindowState::Normal);
}

void mainn::minimize()
{
    if (window_)
        window_->setWindowState(WindowState::Minimized);
}

void mainn::Unload()
{
    if (!window_)
        return;
    hub_.setView(nullptr);
    window_->hide();
    // A window in its load steps is deleted by the load, once they return.
    if (window_ != loading_) {
        std::erase_if(unloaded_, [](const QPointer<MainWindow>& w) { return w.isNull(); });
        unloaded_.push_back(window_);
        window_->deleteLater();
    }
    window_ = nullptr;
}

} // namespace tarvelo

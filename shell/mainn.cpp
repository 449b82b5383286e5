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
    delete window_.data();
}

MainWindow* mainn::window() const
{
    return window_;
}

void mainn::load()
{
    window_ = new MainWindow(hub_, seams_);
    connect(window_, &MainWindow::unloadRequested, this, &mainn::Unload);
    hub_.setView(window_);
    window_->searchBox().setHistory(hub_.history());
    window_->Form_Load();
    const QRect screen = window_->screen()->geometry();
    window_->move(screen.center() - window_->rect().center());
}

void mainn::start()
{
    load();
    window_->layoutframe();
    window_->show();
}

void mainn::Show()
{
    if (!window_)
        load();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void mainn::open()
{
    Show();
    window_->setWindowState(WindowState::Normal);
}

void mainn::Unload()
{
    if (!window_)
        return;
    hub_.setView(nullptr);
    window_->hide();
    window_->deleteLater();
    window_ = nullptr;
}

} // namespace tarvelo

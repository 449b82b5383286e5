#pragma once
#include "bubble/bubblehost.h"
#include "platform/qt/hubapi.h"
#include "platform/hubcontrol.h"
#include "traymenu.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tarvelo {

namespace platform {
struct Seams;
}

class MainView;
class SearchHistory;
class cshtml;

// The hub "menu": a hidden object that lives for the whole run. It holds the
// state shared by the main window, the tab bar and the search bar, runs the
// page commands, carries the tray icon with its menu, and owns the bubble
// timer Timer1.
class Hub : public QObject, public HubApi, public platform::HubControl, public BubbleHost {
    Q_OBJECT
public:
    explicit Hub(platform::Seams& seams, QObject* parent = nullptr);
    ~Hub() override;

    // The loaded main window, or nullptr while it is unloaded.
    void setView(MainView* view) { view_ = view; }
    // Where lookups are recorded; nullptr records nothing.
    void setHistory(SearchHistory* history) { history_ = history; }
    SearchHistory* history() const { return history_; }

    // First use by the main window's load: clears any old tray icon and adds
    // ours, then keeps watching for a tray. Later calls do nothing.
    void load();

    // Whether the desktop offers a tray now: the system's answer unless a
    // test gives another.
    void setTrayProbe(std::function<bool()> probe) { trayAvailable_ = std::move(probe); }
    bool trayAvailable() const { return trayAvailable_(); }
    // Whether our icon is in the tray. Without it the window stays reachable:
    // it minimises to the taskbar and offers the tray menu itself.
    bool trayShown() const;
    QTimer& trayWatch() { return trayWatch_; }

    // HubApi
    int16_t currentCategory() const override { return currentCategory_; }
    void setCurrentCategory(int16_t index) override { currentCategory_ = index; }
    bool categorySearched(int16_t index) const override;
    void setCategorySearched(int16_t index) override;
    void GetText1(int16_t index) override;
    void SetText1(int16_t index) override;
    void mdefaut() override;
    void Tariff(const QString& str) override;
    void Export(const QString& str) override;
    void Commodity(const QString& str) override;
    void pe_article(const QString& str) override;
    void mainqh(int16_t index) override;
    // HubApi and HubControl
    void deltubiao() override;
    // HubControl and BubbleHost
    void setTimerEnabled(bool enabled) override;
    // BubbleHost: one run of the bubble cycle, handed in by the program.
    void mmaopao() override;
    void setBubbleCycle(std::function<void()> cycle) { bubbleCycle_ = std::move(cycle); }

    QTimer& Timer1() { return Timer1_; }
    const QString& traytipText() const { return tip_; }
    QMenu& menum() const { return *trayMenu_.menum; }

    // The exit entry: asks first, then removes the icon and ends the process.
    void mexit();

signals:
    // A left click on the tray icon: show the main window, loading it if needed.
    void showMainWindow();
    // mopen: show the main window in its normal state.
    void openMainWindow();
    // minrw: unload the main window; the program stays in the tray.
    void unloadMainWindow();
    // minrw without a tray: minimise the main window to the taskbar.
    void minimizeMainWindow();
    // A tray appeared or went, and our icon with it.
    void trayShownChanged(bool shown);
    // mabout: show the about box.
    void aboutRequested();
    // mbatch: show the goods-list window.
    void batchRequested();
    // mwatch, or a line chosen on a page: show the watch window, watching
    // code (with its name) when one is given.
    void watchRequested(const QString& code, const QString& name);

private:
    using Content = std::string (cshtml::*)(std::string_view);
    // Runs the steps of a command the user or the timer started.
    template <typename Steps>
    void command(Steps steps);
    void homePage();
    void lookup(QueryCategory category, std::string_view file, Content content, const QString& str);
    void show(const std::string& path);
    void addtubiao();
    void watchTray();
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void Timer1_Timer();
    static void openurl(const QString& url);

    platform::Seams& seams_;
    MainView* view_ = nullptr;
    SearchHistory* history_ = nullptr;
    bool loaded_ = false;

    int16_t currentCategory_ = 0;
    std::array<int16_t, 4> categorySearched_{};
    // Text1(0..3): the saved search text of each category.
    std::array<QString, 4> Text1_;

    QTimer Timer1_;
    std::function<void()> bubbleCycle_;
    QString tip_;
    TrayMenu trayMenu_;
    QSystemTrayIcon* tray_ = nullptr;
    std::function<bool()> trayAvailable_ = &QSystemTrayIcon::isSystemTrayAvailable;
    // A desktop may start its tray after us, or end it.
    QTimer trayWatch_;
};

} // namespace tarvelo

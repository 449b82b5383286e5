#pragma once
// Stand-ins for the hub and the main window that record every call, in order,
// into one shared log.
#include "chrome/mainwindowhost.h"
#include "chrome/ucsearch.h"
#include "platform/messagebox.h"
#include "platform/processexit.h"
#include "platform/qt/hubapi.h"

#include <QPoint>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>

namespace tarvelo::testing {

class RecordingHost : public MainWindowHost {
public:
    explicit RecordingHost(QStringList& log) : log_(log) {}

    WindowState windowState() const override { return state; }
    void setWindowState(WindowState s) override;
    void hideWindow() override { log_ << QStringLiteral("host hideWindow"); }
    QPoint positionTwips() const override { return position; }
    void moveTwips(QPoint topLeft) override;
    void image4n() override;
    void qhno() override { log_ << QStringLiteral("host qhno"); }
    QString searchText() const override { return text; }

    WindowState state = WindowState::Normal;
    QPoint position{3000, 2000};
    QString text;
    // Runs inside image4n(), to look at the controls at that moment.
    std::function<void()> onImage4n;

private:
    QStringList& log_;
};

class RecordingHub : public HubApi {
public:
    RecordingHub(QStringList& log, RecordingHost& host) : log_(log), host_(host) {}

    int16_t currentCategory() const override { return category; }
    void setCurrentCategory(int16_t index) override;
    bool categorySearched(int16_t index) const override { return searched.at(index); }
    void setCategorySearched(int16_t index) override;
    void GetText1(int16_t index) override;
    void SetText1(int16_t index) override;
    void mdefaut() override { log_ << QStringLiteral("mdefaut"); }
    void Tariff(const QString& str) override { log_ << QStringLiteral("Tariff «%1»").arg(str); }
    void Export(const QString& str) override { log_ << QStringLiteral("Export «%1»").arg(str); }
    void Commodity(const QString& str) override { log_ << QStringLiteral("Commodity «%1»").arg(str); }
    void pe_article(const QString& str) override { log_ << QStringLiteral("pe_article «%1»").arg(str); }
    void mainqh(int16_t index) override { log_ << QStringLiteral("mainqh %1").arg(index); }
    void deltubiao() override { log_ << QStringLiteral("deltubiao"); }

    int16_t category = 0;
    std::array<bool, 4> searched{};
    std::array<QString, 4> texts{placeholders::law, placeholders::goods, placeholders::goods,
                                 placeholders::goods};

private:
    QStringList& log_;
    RecordingHost& host_;
};

class RecordingMessageBox : public platform::MessageBox {
public:
    explicit RecordingMessageBox(QStringList& log) : log_(log) {}
    platform::Choice show(std::string_view text, std::string_view caption,
                          platform::Buttons buttons) override;
    std::deque<platform::Choice> answers;

private:
    QStringList& log_;
};

class RecordingExit : public platform::ProcessExit {
public:
    explicit RecordingExit(QStringList& log) : log_(log) {}
    void exitNow(int code) override { log_ << QStringLiteral("exit %1").arg(code); }

private:
    QStringList& log_;
};

} // namespace tarvelo::testing

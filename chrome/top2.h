#pragma once
#include "twipswidget.h"

namespace tarvelo {

namespace platform {
class MessageBox;
class ProcessExit;
} // namespace platform

class Caption;
class HubApi;
class MainWindowHost;
class Picture;

// The top-right corner of the main window: minimise (hides the window),
// maximise/restore, close with confirmation, and the home button shown while
// the window is in its normal state.
class top2 : public TwipsWidget {
    Q_OBJECT
public:
    top2(QWidget* parent, HubApi& hub, MainWindowHost& host);

    // Visibility of the home button's normal picture, selected picture and caption.
    void image4n(bool fale1, bool fale2, bool fale3);
    // Part of the control's operations but called by nothing (the right strip's mrefresh is).
    void mrefresh();
    // The confirmation box and the process end used by the close button; until
    // they are set the close button does nothing.
    void setExitSeams(platform::MessageBox& messageBox, platform::ProcessExit& processExit);

protected:
    void resizeTwips() override;

private:
    void imixshow(bool normal, bool hover);
    void minimiseClicked();
    void maximiseClicked();
    void closeClicked();
    void homeClicked();
    void hoverMinimise();
    void hoverMaximise();
    void hoverClose();
    void hoverBackground();

    HubApi& hub_;
    MainWindowHost& host_;
    platform::MessageBox* messageBox_ = nullptr;
    platform::ProcessExit* processExit_ = nullptr;
    Picture* imix_3 = nullptr;
    Picture* imix_2 = nullptr;
    Picture* Image4 = nullptr;
    Picture* Image4_1 = nullptr;
    Caption* txtn4 = nullptr;
    Picture* imin = nullptr;
    Picture* imix = nullptr;
    Picture* iclose = nullptr;
    Picture* imin_1 = nullptr;
    Picture* imix_1 = nullptr;
    Picture* iclose_1 = nullptr;
    Picture* ptop2 = nullptr;
};

} // namespace tarvelo

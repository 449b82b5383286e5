#pragma once
#include "twipswidget.h"

#include <array>
#include <cstdint>

namespace tarvelo {

class Caption;
class HubApi;
class MainWindowHost;
class Picture;

// The category tab bar across the top of the main window: four tabs, the
// home button shown while the window is not in its normal state, and the
// background by which the borderless window is dragged.
class uctop : public TwipsWidget {
    Q_OBJECT
public:
    uctop(QWidget* parent, HubApi& hub, MainWindowHost& host);

    // Shows tab index as selected.
    void qh(int16_t index);
    // Shows all four tabs unselected.
    void qhno();
    // Visibility of the home button's normal picture, selected picture and caption.
    void image4n(bool fale1, bool fale2, bool fale3);

protected:
    void resizeTwips() override;

private:
    void tabClicked(int16_t index);
    void homeClicked();
    void backgroundPressed(double x, double y);
    void backgroundMoved(double x, double y);
    void backgroundDoubleClicked();

    HubApi& hub_;
    MainWindowHost& host_;
    Picture* Image1 = nullptr;
    Picture* Image2_0 = nullptr;
    std::array<Picture*, 4> Image3{};
    std::array<Caption*, 4> txtn{};
    Picture* Image4 = nullptr;
    Picture* Image4_1 = nullptr;
    Caption* txtn4 = nullptr;
    // Drag of the main window by the background: where the press was, in twips
    // within the tab bar (x kept as given, y rounded to a whole twip).
    bool dragging_ = false;
    float dragX_ = 0;
    int16_t dragY_ = 0;
};

} // namespace tarvelo

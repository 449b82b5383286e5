#pragma once
#include <QWidget>

#include <cstdint>

class QTimer;

namespace tarvelo {

class BubbleHost;
class Desktop;
class DragLabel;
class Picture;
namespace platform {
class WebBrowser;
}

// The bubble window: frameless, always on top, without a taskbar button. Once
// loaded it sits just above the taskbar at the bottom right, grows upward into
// view (Timer1), stays 20 seconds (Timer2) and closes with a fade-out; the
// close picture closes it earlier, the title strip and the label drag it.
// While it is loaded the hub timer is off.
//
// The object outlives a close: the next load sets its state anew, except
// dragging and closeCount.
class loading : public QWidget {
    Q_OBJECT
public:
    loading(BubbleHost& host, const Desktop& desktop);

    // The browser control. Touching it while the window is not loaded loads
    // the window first.
    platform::WebBrowser& WebBrowser1();
    // Runs the load steps, unless the window is loaded (or being loaded).
    void Load();
    bool isLoaded() const { return loaded_; }

    int16_t revealEdge() const { return revealEdge_; }
    int16_t closeCount() const { return closeCount_; }
    bool dragging() const { return dragging_ != 0; }

public slots:
    // Reveal tick, every 10 ms while the window grows into view.
    void Timer1_Timer();
    // Auto-close tick, every 1000 ms once the window is fully visible.
    void Timer2_Timer();
    void Image3_Click();
    // The drag handlers of Image2 and Label1; x and y in twips relative to the
    // control.
    void dragMouseDown(double x, double y);
    void dragMouseMove(double x, double y);
    void dragMouseUp();
    // Closes the window with the close steps.
    void Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();
    void fadeout();
    void place();
    // Shows the full-width band from row revealEdge down to the bottom.
    void setRevealRegion();

    BubbleHost& host_;
    const Desktop& desktop_;

    platform::WebBrowser* browser_;
    DragLabel* Label1;
    Picture* Image3;
    Picture* Image2;
    Picture* Image1;
    QTimer* Timer1;
    QTimer* Timer2;

    // Size of the window in twips, that of Image1.
    int widthTwips_ = 0;
    int heightTwips_ = 0;

    bool loaded_ = false;
    int16_t dragging_ = 0;
    float dragX_ = 0;
    int16_t dragY_ = 0;
    int16_t revealEdge_ = 0;
    int16_t revealStep_ = 0;
    int16_t fadeDelay_ = 0;
    int16_t autoCloseSeconds_ = 0;
    int16_t closeCount_ = 0;
};

} // namespace tarvelo

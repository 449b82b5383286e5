#pragma once
#include <QRect>

namespace tarvelo {

// The screen the bubble rises on, in pixels of the virtual desktop: the whole
// screen and its work area (the screen without the taskbar).
class Desktop {
public:
    virtual ~Desktop() = default;
    virtual QRect screen() const = 0;
    virtual QRect workArea() const = 0;
};

// The primary screen as the window system reports it.
class PrimaryScreen : public Desktop {
public:
    QRect screen() const override;
    QRect workArea() const override;

    // The one instance the program uses.
    static const PrimaryScreen& instance();
};

} // namespace tarvelo

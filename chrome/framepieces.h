#pragma once
#include "twipswidget.h"

#include <QSize>

namespace tarvelo {

class Picture;

// The frame pieces of the main window: each holds one skin picture at its
// top-left corner and keeps its size by its own rule, which runs when the
// piece is created and whenever its size is set from outside.

// Corner and fixed pieces: the control always has its picture's size.
class FixedPiece : public TwipsWidget {
    Q_OBJECT
protected:
    // elementTwips: the size of the picture element.
    FixedPiece(QWidget* parent, const QString& resource, bool stretch, QSize elementTwips);
    void resizeTwips() override;
    Picture* picture = nullptr;
};

class top1 : public FixedPiece {
    Q_OBJECT
public:
    explicit top1(QWidget* parent);
};
class top3 : public FixedPiece {
    Q_OBJECT
public:
    explicit top3(QWidget* parent);
};
class top4 : public FixedPiece {
    Q_OBJECT
public:
    explicit top4(QWidget* parent);
};
class lefttext : public FixedPiece {
    Q_OBJECT
public:
    explicit lefttext(QWidget* parent);
};

// Side strips: keep their picture's width, take the height they are given.
class SideStrip : public TwipsWidget {
    Q_OBJECT
protected:
    // elementTwips: the size of the stretched picture element at creation.
    SideStrip(QWidget* parent, const QString& resource, QSize elementTwips);
    void resizeTwips() override;
    Picture* picture = nullptr;
};

class ucleft : public SideStrip {
    Q_OBJECT
public:
    explicit ucleft(QWidget* parent);
};
class ucright : public SideStrip {
    Q_OBJECT
public:
    explicit ucright(QWidget* parent);
    void mrefresh();

protected:
    void resizeTwips() override;
};

// Horizontal strips: keep their picture's height, take the width they are given.
class BandStrip : public TwipsWidget {
    Q_OBJECT
protected:
    // elementTwips: the size of the stretched picture element at creation.
    BandStrip(QWidget* parent, const QString& resource, QSize elementTwips);
    void resizeTwips() override;
    Picture* picture = nullptr;
};

class ucbottom : public BandStrip {
    Q_OBJECT
public:
    explicit ucbottom(QWidget* parent);
};
class topcent : public BandStrip {
    Q_OBJECT
public:
    explicit topcent(QWidget* parent);
};

} // namespace tarvelo

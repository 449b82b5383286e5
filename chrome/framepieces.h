#pragma once
#include "twipswidget.h"

namespace tarvelo {

class Picture;

// The frame pieces of the main window: each holds one skin picture and keeps
// its size by its own rule.

// Corner and fixed pieces: the control always has its picture's size.
class FixedPiece : public TwipsWidget {
    Q_OBJECT
public:
    FixedPiece(QWidget* parent, const QString& resource, bool stretch);

protected:
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
public:
    SideStrip(QWidget* parent, const QString& resource);

protected:
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
public:
    BandStrip(QWidget* parent, const QString& resource);

protected:
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

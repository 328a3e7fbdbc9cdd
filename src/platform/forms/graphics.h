#pragma once

#include "platform/forms/control.h"

#include <QImage>

// A straight line from (x1, y1) to (x2, y2) in twips of its container.
class Line : public Control {
public:
    Line(Container *parent, const QString &name) : Control(parent, name, Kind::Line) { setForeColor(colors::Black); }

    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    void setPoints(int x1, int y1, int x2, int y2);
    void setX1(int v) { setPoints(v, y1_, x2_, y2_); }
    void setY1(int v) { setPoints(x1_, v, x2_, y2_); }
    void setX2(int v) { setPoints(x1_, y1_, v, y2_); }
    void setY2(int v) { setPoints(x1_, y1_, x2_, v); }
    // The line's bounding box; moving it moves both ends.
    void move(int left, int top, int width, int height) override;

    // Border colour is the fore colour; width in pixels.
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);

private:
    int x1_ = 0;
    int y1_ = 0;
    int x2_ = 0;
    int y2_ = 0;
    int borderWidth_ = 1;
};

// A rectangle or similar figure; its border colour is the fore colour, its fill the back colour when filled.
class Shape : public Control {
public:
    enum class Figure { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4, RoundedSquare = 5 };

    Shape(Container *parent, const QString &name) : Control(parent, name, Kind::Shape) { setForeColor(colors::Black); }

    Figure figure() const { return figure_; }
    void setFigure(Figure f);
    bool filled() const { return filled_; }
    void setFilled(bool f);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);

private:
    Figure figure_ = Figure::Rectangle;
    bool filled_ = false;
    int borderWidth_ = 1;
};

// A picture from a file, drawn into the control's area (stretched when asked, else at its own size).
// Reads a picture file for a control: an empty path or an unreadable file gives no picture and no path.
bool readPictureFile(const QString &path, QImage &picture, QString &picturePath);

class Image : public Control {
public:
    Image(Container *parent, const QString &name) : Control(parent, name, Kind::Image) {}

    // False, and no picture, when the file is missing or unreadable; never fails otherwise.
    bool loadPicture(const QString &path);
    void setPicture(const QImage &image);
    const QImage &picture() const { return picture_; }
    const QString &picturePath() const { return picturePath_; }
    bool stretch() const { return stretch_; }
    void setStretch(bool s);

    void userClick();

private:
    QImage picture_;
    QString picturePath_;
    bool stretch_ = false;
};

#include "platform/forms/graphics.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

void Line::setPoints(int x1, int y1, int x2, int y2)
{
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    Control::move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    notify(Prop::Geometry);
}

void Line::move(int left, int top, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // Keep the direction of the line within its new box.
    const int nx1 = x1_ <= x2_ ? left : left + width;
    const int nx2 = x1_ <= x2_ ? left + width : left;
    const int ny1 = y1_ <= y2_ ? top : top + height;
    const int ny2 = y1_ <= y2_ ? top + height : top;
    setPoints(nx1, ny1, nx2, ny2);
}

void Line::setBorderWidth(int w)
{
    borderWidth_ = std::max(1, w);
    notify(Prop::Style);
}

void Shape::setFigure(Figure f)
{
    figure_ = f;
    notify(Prop::Style);
}

void Shape::setFilled(bool f)
{
    filled_ = f;
    notify(Prop::Style);
}

void Shape::setBorderWidth(int w)
{
    borderWidth_ = std::max(1, w);
    notify(Prop::Style);
}

bool readPictureFile(const QString &path, QImage &picture, QString &picturePath)
{
    QImage image;
    // Reading a pipe would wait for a writer for good; a folder or a device holds no picture either.
    const bool ok = QFileInfo(path).isFile() && image.load(path);
    picture = ok ? image : QImage();
    picturePath = ok ? path : QString();
    return ok;
}

bool Image::loadPicture(const QString &path)
{
    const bool ok = readPictureFile(path, picture_, picturePath_);
    notify(Prop::Picture);
    return ok;
}

void Image::setPicture(const QImage &image)
{
    picture_ = image;
    picturePath_.clear();
    notify(Prop::Picture);
}

void Image::setStretch(bool s)
{
    stretch_ = s;
    notify(Prop::Style);
}

void Image::userClick()
{
    if (isShownAndEnabled())
        raise(Click);
}

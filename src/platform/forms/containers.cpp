#include "platform/forms/containers.h"

#include "platform/forms/form.h"
#include "platform/forms/graphics.h"
#include "platform/forms/label.h"

Frame::Frame(Container *parent, const QString &name)
    : Control(parent, name, Kind::Frame), Container(&parent->containerForm())
{
}

void Frame::setCaption(const QString &c)
{
    if (c == caption_)
        return;
    caption_ = c;
    notify(Prop::Caption);
}

void Frame::setBorder(bool b)
{
    border_ = b;
    notify(Prop::Style);
}

PictureBox::PictureBox(Container *parent, const QString &name)
    : Control(parent, name, Kind::PictureBox), Container(&parent->containerForm())
{
}

bool PictureBox::loadPicture(const QString &path)
{
    const bool ok = readPictureFile(path, picture_, picturePath_);
    notify(Prop::Picture);
    return ok;
}

void PictureBox::setPicture(const QImage &image)
{
    picture_ = image;
    picturePath_.clear();
    notify(Prop::Picture);
}

void PictureBox::setBorder(bool b)
{
    border_ = b;
    notify(Prop::Style);
}

void PictureBox::userClick()
{
    if (isShownAndEnabled())
        raise(Click);
}

void Label::userClick()
{
    if (isShownAndEnabled())
        raise(Click);
}

#pragma once

#include "platform/forms/control.h"

#include <QImage>

// A titled frame that holds controls; option buttons inside form one group.
class Frame : public Control, public Container {
public:
    Frame(Container *parent, const QString &name);
    Control *asControl() override { return this; }

    const QString &caption() const { return caption_; }
    void setCaption(const QString &c);
    bool border() const { return border_; }
    void setBorder(bool b);

private:
    QString caption_;
    bool border_ = true;
};

// A picture area that can hold controls (the start screen): a picture from a file and a click.
class PictureBox : public Control, public Container {
public:
    PictureBox(Container *parent, const QString &name);
    Control *asControl() override { return this; }

    // Loads a picture file (JPEG, PNG, BMP); false, with no picture, when it cannot be read.
    bool loadPicture(const QString &path);
    void setPicture(const QImage &image);
    const QImage &picture() const { return picture_; }
    const QString &picturePath() const { return picturePath_; }
    bool border() const { return border_; }
    void setBorder(bool b);

    void userClick();

private:
    QImage picture_;
    QString picturePath_;
    bool border_ = false;
};

#pragma once

// The widgets that mirror the controls of a form, and how each kind takes its model's content over. Every sync
// function compares before it sets: a widget whose property already shows the model's value is left alone, so
// that a control being typed in keeps its cursor and selection.

#include "platform/forms/control.h"

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QWidget>

class CheckBox;
class ComboBox;
class CommandButton;
class Frame;
class Label;
class ListBox;
class OptionButton;
class TextBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace qtui {

inline int px(int twips)
{
    return twips / kTwipsPerPixel;
}

QColor toQColor(int value);
QRect toRect(int left, int top, int width, int height);

// Lines, shapes, pictures and picture boxes, painted from the model.
class PaintedWidget : public QWidget {
public:
    PaintedWidget(Control &control, QWidget *parent) : QWidget(parent), control_(&control) {}
    void forget() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    Control *control_;
};

// A titled frame as the layouts expect it: an etched line whose top edge runs through the middle of the title,
// nothing filled, so that the controls inside stand on the window's own colour.
class FrameWidget : public QWidget {
public:
    explicit FrameWidget(QWidget *parent) : QWidget(parent) {}

    QString title() const { return title_; }
    void setTitle(const QString &title);
    bool hasBorder() const { return border_; }
    void setBorder(bool border);
    // Where the title's text may stand (its width is the room the title has).
    QRect titleRect() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QString title_;
    bool border_ = true;
};

// A label that draws its caption whole: a number wider than the label (a tiny value in the general format has up
// to 15 digits and an exponent) is shown with fewer significant digits, its exponent kept, rather than cut at the
// edge. Any other caption is shown as it stands.
class CaptionLabel : public QLabel {
public:
    explicit CaptionLabel(QWidget *parent) : QLabel(parent) {}

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void fit();
    QString caption_;
};

void syncLabel(const Label &model, CaptionLabel &widget);
// Only a change of the selection (Prop::Selection) moves the cursor; other changes leave it where the user put it.
void syncTextBox(const TextBox &model, QLineEdit &widget, Prop what);
void syncComboBox(const ComboBox &model, QComboBox &widget);
void syncListBox(const ListBox &model, QListWidget &widget);
void syncCheckBox(const CheckBox &model, QCheckBox &widget);
void syncOptionButton(const OptionButton &model, QRadioButton &widget);
void syncCommandButton(const CommandButton &model, QPushButton &widget);
void syncFrame(const Frame &model, FrameWidget &widget);

// Graphical controls (lines, shapes, labels, pictures) are painted on their container beneath every windowed
// control; among them lines and shapes lie lowest, so a caption covers the frame edge or guide line it stands on.
int stackingLayer(Control::Kind kind);

} // namespace qtui

#include "platform/qt/control_widgets.h"

#include "platform/core/number_text.h"
#include "platform/forms/forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <algorithm>

namespace qtui {

QColor toQColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QRect toRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

int stackingLayer(Control::Kind kind)
{
    switch (kind) {
    case Control::Kind::Line:
    case Control::Kind::Shape:
        return 0;
    case Control::Kind::Label:
    case Control::Kind::Image:
        return 1;
    default:
        return 2;
    }
}

void PaintedWidget::paintEvent(QPaintEvent *)
{
    if (!control_)
        return;
    QPainter p(this);
    switch (control_->kind()) {
    case Control::Kind::Line: {
        auto *l = static_cast<Line *>(control_);
        p.setPen(QPen(toQColor(colors::isSystem(l->foreColor()) ? 0 : l->foreColor()), l->borderWidth()));
        const QPoint origin = pos();
        p.drawLine(QPoint(px(l->x1()), px(l->y1())) - origin, QPoint(px(l->x2()), px(l->y2())) - origin);
        break;
    }
    case Control::Kind::Shape: {
        auto *s = static_cast<Shape *>(control_);
        const int w = s->borderWidth();
        p.setPen(QPen(toQColor(colors::isSystem(s->foreColor()) ? 0 : s->foreColor()), w));
        if (s->filled() && !colors::isSystem(s->backColor()))
            p.setBrush(toQColor(s->backColor()));
        QRectF r = QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0 - 0.5, -w / 2.0 - 0.5);
        switch (s->figure()) {
        case Shape::Figure::Square:
        case Shape::Figure::Circle:
        case Shape::Figure::RoundedSquare: {
            const double side = std::min(r.width(), r.height());
            r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
            break;
        }
        default:
            break;
        }
        if (s->figure() == Shape::Figure::Oval || s->figure() == Shape::Figure::Circle)
            p.drawEllipse(r);
        else if (s->figure() == Shape::Figure::RoundedRectangle || s->figure() == Shape::Figure::RoundedSquare)
            p.drawRoundedRect(r, 6, 6);
        else
            p.drawRect(r);
        break;
    }
    case Control::Kind::Image: {
        auto *i = static_cast<Image *>(control_);
        if (!i->picture().isNull()) {
            if (i->stretch())
                p.drawImage(rect(), i->picture());
            else
                p.drawImage(QPoint(0, 0), i->picture());
        }
        break;
    }
    case Control::Kind::PictureBox: {
        auto *b = static_cast<PictureBox *>(control_);
        if (!colors::isSystem(b->backColor()))
            p.fillRect(rect(), toQColor(b->backColor()));
        if (!b->picture().isNull())
            p.drawImage(QPoint(0, 0), b->picture());
        if (b->border()) {
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        break;
    }
    default:
        break;
    }
}

namespace {
// The title starts a little in from the frame's left edge and keeps as much room on the right.
constexpr int kTitleIndent = 8;
constexpr int kTitleGap = 2;
} // namespace

void FrameWidget::setTitle(const QString &title)
{
    if (title == title_)
        return;
    title_ = title;
    update();
}

void FrameWidget::setBorder(bool border)
{
    if (border == border_)
        return;
    border_ = border;
    update();
}

QRect FrameWidget::titleRect() const
{
    return QRect(kTitleIndent, 0, std::max(0, width() - 2 * kTitleIndent), fontMetrics().height());
}

void FrameWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect title = titleRect();
    const int lineTop = title.height() / 2;
    if (border_) {
        QRegion clip(rect());
        if (!title_.isEmpty()) {
            const int textWidth = std::min(fontMetrics().horizontalAdvance(title_), title.width());
            clip -= QRect(title.left() - kTitleGap, 0, textWidth + 2 * kTitleGap, title.height());
        }
        p.setClipRegion(clip);
        const QRect box(0, lineTop, width() - 2, height() - lineTop - 2);
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(box.translated(1, 1));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(box);
        p.setClipping(false);
    }
    if (!title_.isEmpty())
        style()->drawItemText(&p, title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title_, QPalette::WindowText);
}

void CaptionLabel::setCaption(const QString &caption)
{
    caption_ = caption;
    fit();
}

void CaptionLabel::resizeEvent(QResizeEvent *e)
{
    QLabel::resizeEvent(e);
    fit();
}

void CaptionLabel::changeEvent(QEvent *e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fit();
}

void CaptionLabel::fit()
{
    // The room the label gives its text: inside the frame and margins, less the indent a framed label keeps.
    int width = contentsRect().width() - 2 * margin();
    if (indent() < 0 && frameWidth() > 0)
        width -= fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    else if (indent() > 0)
        width -= indent();
    const QFontMetrics metrics = fontMetrics();
    const QString shown =
        numtext::numberThatFits(caption_, [&](const QString &s) { return metrics.horizontalAdvance(s) <= width; });
    if (text() != shown)
        setText(shown);
}

void syncLabel(const Label &m, CaptionLabel &q)
{
    if (q.wordWrap() != m.wordWrap())
        q.setWordWrap(m.wordWrap());
    const Qt::Alignment h = m.alignment() == Label::Alignment::Right    ? Qt::AlignRight
                            : m.alignment() == Label::Alignment::Center ? Qt::AlignHCenter
                                                                        : Qt::AlignLeft;
    if (q.alignment() != (h | Qt::AlignTop))
        q.setAlignment(h | Qt::AlignTop);
    const QFrame::Shape frame = m.border() ? QFrame::Box : QFrame::NoFrame;
    if (q.frameShape() != frame)
        q.setFrameShape(frame);
    if (q.autoFillBackground() != m.opaque())
        q.setAutoFillBackground(m.opaque());
    // Last, so that the frame just set counts against the room.
    q.setCaption(m.caption());
}

void syncTextBox(const TextBox &t, QLineEdit &e, Prop what)
{
    // Every setter of a line edit that touches its text puts the cursor at the end, even one that sets the same
    // value again; only a real change may do that.
    if (e.text() != t.text())
        e.setText(t.text());
    if (e.isReadOnly() != t.locked())
        e.setReadOnly(t.locked());
    if (e.hasFrame() != (t.borderStyle() != 0))
        e.setFrame(t.borderStyle() != 0);
    const int maxLength = t.maxLength() > 0 ? t.maxLength() : 32767;
    if (e.maxLength() != maxLength)
        e.setMaxLength(maxLength);
    const QLineEdit::EchoMode echo = t.passwordChar().isNull() ? QLineEdit::Normal : QLineEdit::Password;
    if (e.echoMode() != echo)
        e.setEchoMode(echo);
    const Qt::Alignment align = t.alignment() == TextBox::Alignment::Right    ? Qt::AlignRight
                                : t.alignment() == TextBox::Alignment::Center ? Qt::AlignHCenter
                                                                              : Qt::AlignLeft;
    if ((e.alignment() & Qt::AlignHorizontal_Mask) != align)
        e.setAlignment(align | (e.alignment() & Qt::AlignVertical_Mask));
    if (what != Prop::Selection)
        return;
    if (t.selLength() > 0) {
        if (e.selectionStart() != t.selStart() || e.selectionLength() != t.selLength())
            e.setSelection(t.selStart(), t.selLength());
    } else if (e.hasSelectedText() || e.cursorPosition() != t.selStart()) {
        e.setCursorPosition(t.selStart());
    }
}

namespace {

// Keeps the text, cursor and selection of an editable combo's edit line across a change of its entries or
// position, which would otherwise write the entry's text into the line and put the cursor at its end.
class EditLineKeeper {
public:
    explicit EditLineKeeper(QComboBox &combo) : edit_(combo.lineEdit())
    {
        if (!edit_)
            return;
        text_ = edit_->text();
        cursor_ = edit_->cursorPosition();
        selStart_ = edit_->selectionStart();
        selLength_ = edit_->selectionLength();
    }
    ~EditLineKeeper()
    {
        if (!edit_ || edit_->text() == text_)
            return;
        edit_->setText(text_);
        if (selStart_ >= 0 && selLength_ > 0)
            edit_->setSelection(selStart_, selLength_);
        else
            edit_->setCursorPosition(cursor_);
    }
    EditLineKeeper(const EditLineKeeper &) = delete;
    EditLineKeeper &operator=(const EditLineKeeper &) = delete;

private:
    QLineEdit *edit_;
    QString text_;
    int cursor_ = 0;
    int selStart_ = -1;
    int selLength_ = 0;
};

} // namespace

void syncComboBox(const ComboBox &m, QComboBox &b)
{
    QStringList shown;
    shown.reserve(b.count());
    for (int i = 0; i < b.count(); ++i)
        shown << b.itemText(i);
    if (shown != m.items()) {
        EditLineKeeper keep(b);
        b.clear();
        b.addItems(m.items());
    }
    if (b.currentIndex() != m.listIndex()) {
        EditLineKeeper keep(b);
        b.setCurrentIndex(m.listIndex());
    }
    if (m.editable() && b.currentText() != m.text())
        b.setEditText(m.text());
}

void syncListBox(const ListBox &m, QListWidget &l)
{
    QStringList shown;
    shown.reserve(l.count());
    for (int i = 0; i < l.count(); ++i)
        shown << l.item(i)->text();
    if (shown != m.items()) {
        l.clear();
        l.addItems(m.items());
        // A list without a current row that gets the keyboard focus makes its first row current, which would pick
        // that entry for the user; a current index set through the view, even none, keeps the list as it is.
        l.setCurrentIndex(QModelIndex());
    }
    if (l.currentRow() != m.listIndex())
        l.setCurrentRow(m.listIndex());
}

void syncCheckBox(const CheckBox &m, QCheckBox &b)
{
    if (b.text() != m.caption())
        b.setText(m.caption());
    if (b.isTristate() != (m.value() == 2))
        b.setTristate(m.value() == 2);
    const Qt::CheckState state = m.value() == 0 ? Qt::Unchecked : m.value() == 1 ? Qt::Checked : Qt::PartiallyChecked;
    if (b.checkState() != state)
        b.setCheckState(state);
}

void syncOptionButton(const OptionButton &m, QRadioButton &b)
{
    if (b.text() != m.caption())
        b.setText(m.caption());
    if (b.isChecked() != m.value())
        b.setChecked(m.value());
}

void syncCommandButton(const CommandButton &m, QPushButton &b)
{
    if (b.text() != m.caption())
        b.setText(m.caption());
    if (b.isDefault() != m.isDefault())
        b.setDefault(m.isDefault());
}

void syncFrame(const Frame &m, FrameWidget &f)
{
    f.setTitle(m.caption());
    f.setBorder(m.border());
}

} // namespace qtui

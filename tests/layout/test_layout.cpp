// Every caption of every window fits its control, in all six languages: the layout test.
//
// Each row loads one window in one variant and language, draws it with the renderer (its fonts, its widgets) and
// measures, with the font the renderer chose, the text of every visible label, option button, check box, command
// button, frame title and list entry against the room its control gives that text, and against the controls
// stacked above it that would hide part of it. A failure names the window, the variant, the language, the
// control, its text and the pixels missing or hidden.
//
// How a window joins: add a file to tests/layout (CMake picks it up; a window of a library not linked yet adds
// that library to LIBS in CMakeLists.txt) with a Scene that loads the window for a variant and language, and a
// Registration naming the window and its variants (each state in which other captions or rows show):
//
//     class FluidListScene : public layout::Scene {
//     public:
//         FluidListScene(const QString &variant, int Sprache) : main_(layout::startProgram({Sprache, 0, 0}))
//         {
//             // ... bring the window up as the user does (menu entry, handler), for this variant
//         }
//         ~FluidListScene() override { /* unload the window */ layout::endProgram(main_); }
//         Form &form() override { return frmIdealesGas(); }
//     private:
//         std::unique_ptr<frmMDIMain> main_;
//     };
//     const layout::Registration fluidList{{"frmIdealesGas", {"standard"}, [](const QString &v, int Sprache) {
//         return std::make_unique<FluidListScene>(v, Sprache); }}};
//
// A text that does not fit is mended in data/texts (a shorter translation), not by moving controls; only a German
// text that must stand as it is may widen its control, by as little as it needs.
#include "layout_forms.h"

#include "platform/forms/forms.h"
#include "platform/qt/control_widgets.h"
#include "platform/qt/form_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTest>

namespace {

const char *const kLanguages[6] = {"de", "en", "fr", "it", "es", "cs"};

// Visible with every container up to the form.
bool shown(const Control &c)
{
    for (const Control *k = &c; k; k = k->container() ? k->container()->asControl() : nullptr) {
        if (!k->visible())
            return false;
    }
    return true;
}

// A caption as buttons, options, check boxes and frames draw it: "&&" is one "&", a single "&" marks the mnemonic.
QString withoutMnemonic(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text.at(i);
    }
    return out;
}

// What one text needs against the room it has, and where its ink lies in its container.
struct Fit {
    QString control;
    QString text;
    int needWidth = 0;
    int roomWidth = 0;
    int needHeight = 0;
    int roomHeight = 0;
    QRect ink;
    const QWidget *widget = nullptr;
};

// The part of room the text covers, in the container's coordinates.
QRect inkOf(const QWidget &w, const QRect &room, int textWidth, int textHeight, Qt::Alignment alignment)
{
    const int width = std::min(textWidth, room.width());
    const int height = std::min(textHeight, room.height());
    int left = room.left();
    if (alignment & Qt::AlignRight)
        left = room.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        left = room.left() + (room.width() - width) / 2;
    const int top = alignment & Qt::AlignTop ? room.top() : room.top() + (room.height() - height) / 2;
    return QRect(w.mapToParent(QPoint(left, top)), QSize(width, height));
}

Fit singleLine(const QString &control, const QString &text, const QFont &font, const QRect &room)
{
    const QFontMetrics fm(font);
    return {control, text, fm.horizontalAdvance(text), room.width(), fm.height(), room.height(), QRect(), nullptr};
}

// A word-wrapped label may use several lines where its height has room for them; it needs the least width at
// which the wrapped text fits its height.
Fit wrapped(const QString &control, const QString &text, const QFont &font, const QRect &room)
{
    const QFontMetrics fm(font);
    const int oneLine = fm.horizontalAdvance(text);
    auto heightAt = [&](int width) {
        return fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::AlignLeft, text).height();
    };
    int need = room.width();
    while (need < oneLine && heightAt(need) > room.height())
        ++need;
    // Either the wrapped text fits at that width, or it stands on one line and only its height can fail.
    return {control, text, need, room.width(), heightAt(need), room.height(), QRect(), nullptr};
}

QRect labelRoom(const QLabel &l)
{
    QRect r = l.contentsRect().marginsRemoved(QMargins(l.margin(), l.margin(), l.margin(), l.margin()));
    // A framed label indents its text by half an "x" when no indent is set.
    if (l.indent() < 0 && l.frameWidth() > 0)
        r.setWidth(r.width() - l.fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    else if (l.indent() > 0)
        r.setWidth(r.width() - l.indent());
    return r;
}

QRect buttonContents(const QWidget &w, QStyle::SubElement element)
{
    QStyleOptionButton opt;
    opt.initFrom(&w);
    return w.style()->subElementRect(element, &opt, &w);
}

// Options, check boxes and buttons: the text stands in the style's contents rectangle.
Fit button(const QString &control, const QString &caption, const QWidget &w, QStyle::SubElement element,
           Qt::Alignment alignment)
{
    const QRect room = buttonContents(w, element);
    Fit fit = singleLine(control, withoutMnemonic(caption), w.font(), room);
    fit.widget = &w;
    fit.ink = inkOf(w, room, fit.needWidth, fit.needHeight, alignment | Qt::AlignVCenter);
    return fit;
}

QRect comboTextRoom(const QComboBox &b)
{
    if (const QLineEdit *edit = b.lineEdit())
        return edit->geometry().adjusted(1, 0, -1, 0); // the edit line keeps a pixel on each side
    QStyleOptionComboBox opt;
    opt.initFrom(&b);
    opt.editable = false;
    opt.frame = b.hasFrame();
    // The entry's text stands in the edit field less a pixel on each side.
    return b.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &b).adjusted(1, 0, -1, 0);
}

QRect listTextRoom(const QListWidget &l)
{
    const int margin = l.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &l) + 1;
    return l.viewport()->rect().adjusted(margin, 0, -margin, 0);
}

// A caption whose ink reaches under a sibling stacked above it is hidden there: an opaque label or a windowed
// control covers its whole area, a transparent label only its own ink. Lines, shapes and pictures lie beneath.
QStringList collisions(const qtui::FormView &view, const Form &form, const std::vector<Fit> &fits)
{
    struct Cover {
        const QWidget *widget;
        QString name;
        QRect area;
    };
    std::vector<Cover> covers;
    for (const Control *c : form.controls()) {
        const QWidget *w = view.widgetFor(*c);
        if (!w || !shown(*c))
            continue;
        switch (c->kind()) {
        case Control::Kind::Label:
            if (static_cast<const Label &>(*c).opaque()) {
                covers.push_back({w, c->name(), w->geometry()});
            } else {
                for (const Fit &f : fits)
                    if (f.widget == w)
                        covers.push_back({w, c->name(), f.ink});
            }
            break;
        case Control::Kind::Line:
        case Control::Kind::Shape:
        case Control::Kind::Image:
        case Control::Kind::Timer:
        case Control::Kind::Menu:
        case Control::Kind::StatusBar:
            break;
        default:
            covers.push_back({w, c->name(), w->geometry()});
            break;
        }
    }
    QStringList found;
    for (const Fit &f : fits) {
        if (!f.widget || f.ink.isEmpty())
            continue;
        const QObjectList &stack = f.widget->parentWidget()->children();
        for (const Cover &cover : covers) {
            if (cover.widget == f.widget || cover.widget->parentWidget() != f.widget->parentWidget() ||
                stack.indexOf(cover.widget) < stack.indexOf(f.widget))
                continue;
            const QRect overlap = f.ink.intersected(cover.area);
            if (!overlap.isEmpty())
                found << QStringLiteral("%1 \"%2\": %3 px hidden under %4")
                             .arg(f.control, f.text)
                             .arg(overlap.width())
                             .arg(cover.name);
        }
    }
    return found;
}

struct Measured {
    std::vector<Fit> fits;
    QStringList collisions;
};

Measured measure(Form &form)
{
    qtui::FormView view(form);
    QWidget *window = view.window();
    window->setAttribute(Qt::WA_DontShowOnScreen);
    window->show();
    QApplication::processEvents();

    std::vector<Fit> fits;
    for (Control *c : form.controls()) {
        QWidget *w = view.widgetFor(*c);
        if (!w || !shown(*c))
            continue;
        switch (c->kind()) {
        case Control::Kind::Label: {
            // The text the label draws, which may show a number of its caption with fewer digits.
            const auto &m = static_cast<const Label &>(*c);
            const auto &l = *static_cast<const QLabel *>(w);
            if (l.text().isEmpty())
                break;
            const QRect room = labelRoom(l);
            Fit fit = m.wordWrap() ? wrapped(c->name(), l.text(), l.font(), room)
                                   : singleLine(c->name(), l.text(), l.font(), room);
            fit.widget = w;
            fit.ink = inkOf(*w, room, fit.needWidth, fit.needHeight, l.alignment());
            fits.push_back(fit);
            break;
        }
        case Control::Kind::OptionButton: {
            const QString text = static_cast<const OptionButton &>(*c).caption();
            if (!text.isEmpty())
                fits.push_back(button(c->name(), text, *w, QStyle::SE_RadioButtonContents, Qt::AlignLeft));
            break;
        }
        case Control::Kind::CheckBox: {
            const QString text = static_cast<const CheckBox &>(*c).caption();
            if (!text.isEmpty())
                fits.push_back(button(c->name(), text, *w, QStyle::SE_CheckBoxContents, Qt::AlignLeft));
            break;
        }
        case Control::Kind::CommandButton: {
            const QString text = static_cast<const CommandButton &>(*c).caption();
            if (!text.isEmpty())
                fits.push_back(button(c->name(), text, *w, QStyle::SE_PushButtonContents, Qt::AlignHCenter));
            break;
        }
        case Control::Kind::Frame: {
            const QString text = static_cast<const Frame &>(*c).caption();
            if (!text.isEmpty())
                fits.push_back(singleLine(c->name(), withoutMnemonic(text), w->font(),
                                          static_cast<const qtui::FrameWidget *>(w)->titleRect()));
            break;
        }
        case Control::Kind::ComboBox: {
            const QRect room = comboTextRoom(*static_cast<const QComboBox *>(w));
            for (const QString &item : static_cast<const ComboBox &>(*c).items())
                fits.push_back(singleLine(c->name(), item, w->font(), room));
            break;
        }
        case Control::Kind::ListBox: {
            const QRect room = listTextRoom(*static_cast<const QListWidget *>(w));
            for (const QString &item : static_cast<const ListBox &>(*c).items())
                fits.push_back(singleLine(c->name(), item, w->font(), room));
            break;
        }
        default:
            break;
        }
    }
    return {fits, collisions(view, form, fits)};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionFitsItsControl_data();
    void everyCaptionFitsItsControl();
};

void LayoutTest::everyCaptionFitsItsControl_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<int>("language");
    const std::vector<layout::FormEntry> &entries = layout::forms();
    for (int f = 0; f < static_cast<int>(entries.size()); ++f)
        for (const QString &variant : entries[f].variants)
            for (int language = 0; language < 6; ++language)
                QTest::addRow("%s, %s, %s", qPrintable(entries[f].name), qPrintable(variant), kLanguages[language])
                    << f << variant << language;
}

void LayoutTest::everyCaptionFitsItsControl()
{
    QFETCH(int, form);
    QFETCH(QString, variant);
    QFETCH(int, language);
    const layout::FormEntry &entry = layout::forms().at(static_cast<size_t>(form));
    std::unique_ptr<layout::Scene> scene = entry.open(variant, language);
    const Measured measured = measure(scene->form());
    const std::vector<Fit> &fits = measured.fits;
    QVERIFY2(!fits.empty(), "the window shows no caption at all");

    QStringList faults;
    for (const Fit &f : fits) {
        QString fault;
        if (f.needWidth > f.roomWidth)
            fault += QStringLiteral(" %1 px too narrow (text %2 px, room %3 px)")
                         .arg(f.needWidth - f.roomWidth)
                         .arg(f.needWidth)
                         .arg(f.roomWidth);
        if (f.needHeight > f.roomHeight)
            fault += QStringLiteral(" %1 px too low (text %2 px, room %3 px)")
                         .arg(f.needHeight - f.roomHeight)
                         .arg(f.needHeight)
                         .arg(f.roomHeight);
        if (!fault.isEmpty())
            faults << QStringLiteral("%1 [%2] %3: %4 \"%5\":%6")
                          .arg(entry.name, variant, QLatin1String(kLanguages[language]), f.control, f.text, fault);
    }
    for (const QString &c : measured.collisions)
        faults << QStringLiteral("%1 [%2] %3: %4").arg(entry.name, variant, QLatin1String(kLanguages[language]), c);
    QVERIFY2(faults.isEmpty(), qPrintable(QLatin1Char('\n') + faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"

// The three fluid dialogs rendered offscreen for a person to look at (German, with a chosen entry), and every
// caption of them checked against its control in the six languages.
#include "fluid_fixture.h"
#include "platform/qt/form_view.h"
#include "platform/qt/render_png.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

using namespace fluidfixture;

namespace {

// Captions that do not fit their control: "control: caption".
QStringList overflowingCaptions(Form &form)
{
    qtui::FormView view(form);
    QWidget *w = view.window();
    w->setAttribute(Qt::WA_DontShowOnScreen);
    w->show();
    QApplication::processEvents();
    QStringList out;
    for (Control *c : form.controls()) {
        QWidget *widget = view.widgetFor(*c);
        if (!widget)
            continue;
        const QFontMetrics fm = widget->fontMetrics();
        QString text;
        int room = widget->width();
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            text = label->text();
            // A label may wrap: every word must fit the width, all lines the height.
            const QRect need = fm.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text);
            bool fits = need.height() <= widget->height() || !label->wordWrap();
            for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                fits = fits && fm.horizontalAdvance(word) <= room;
            if (!label->wordWrap())
                fits = fm.horizontalAdvance(text) <= room;
            // Result cells are filled by the program, not captions.
            if (!fits && !c->name().endsWith(QStringLiteral("Gemisch")))
                out << c->name() + QStringLiteral(": ") + text;
            continue;
        }
        if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            text = button->text();
            room -= 8; // the button's frame
        } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
            text = box->title();
            room -= 16;
        }
        if (!text.isEmpty() && fm.horizontalAdvance(text) > room)
            out << c->name() + QStringLiteral(": ") + text;
    }
    w->hide();
    return out;
}

} // namespace

class TestFluidScreenshots : public QObject {
    Q_OBJECT
    Fixture f;

    QString shot(const QString &name) const
    {
        return QStringLiteral(QUENDRA_TEST_OUTPUT_DIR) + QStringLiteral("/fluids_") + name + QStringLiteral(".png");
    }

private slots:
    void initTestCase() { f.initSuite(); }
    void init() { f.start(); }
    void cleanup() { f.endCase(); }

    void dialogsRendered();
    void captionsFitInEveryLanguage_data();
    void captionsFitInEveryLanguage();
};

void TestFluidScreenshots::dialogsRendered()
{
    frmIdealesGas &g = frmIdealesGasInstance().get();
    QVERIFY(pick(g.lstSubstanz, QStringLiteral("Methan")));
    QVERIFY(qtui::renderFormToPng(g, shot(QStringLiteral("ideal_gas_list"))));
    g.cmdNeu.userClick();
    g.txtMedium.userType(QStringLiteral("Biogas"));
    QVERIFY(qtui::renderFormToPng(g, shot(QStringLiteral("ideal_gas_list_new"))));
    frmIdealesGasInstance().unload();

    frmFlüssigkeit &l = frmFlüssigkeitInstance().get();
    QVERIFY(pick(l.lstSubstanz, QStringLiteral("Wasser @ 20°C")));
    QVERIFY(qtui::renderFormToPng(l, shot(QStringLiteral("liquid_list"))));
    frmFlüssigkeitInstance().unload();

    frmGasgemisch &m = frmGasgemischInstance().get();
    for (const char *name : {"Methan", "Ethan"}) {
        QVERIFY(pick(m.lstSubstanz, QString::fromUtf8(name)));
        m.cmdÜbernahme.userClick();
    }
    m.txtVolAnteil[0].setText(QStringLiteral("60"));
    m.txtVolAnteil[1].setText(QStringLiteral("40"));
    QVERIFY(m.cmdOK.enabled());
    const QImage image = qtui::renderForm(m);
    QVERIFY(!image.isNull());
    QVERIFY(image.save(shot(QStringLiteral("gas_mixture"))));
    QCOMPARE(image.width(), m.width() / kTwipsPerPixel);
}

void TestFluidScreenshots::captionsFitInEveryLanguage_data()
{
    QTest::addColumn<int>("Sprache");
    for (int i = 0; i < 6; ++i)
        QTest::newRow(qPrintable(QStringLiteral("language %1").arg(i))) << i;
}

void TestFluidScreenshots::captionsFitInEveryLanguage()
{
    QFETCH(int, Sprache);
    shared().Sprache = Sprache;
    // The editing buttons show only while editing: they are measured in that state.
    frmIdealesGas &g = frmIdealesGasInstance().get();
    g.cmdNeu.userClick();
    QStringList overflow = overflowingCaptions(g);
    frmIdealesGasInstance().unload();
    frmFlüssigkeit &l = frmFlüssigkeitInstance().get();
    l.cmdNeu.userClick();
    overflow << overflowingCaptions(l);
    frmFlüssigkeitInstance().unload();
    overflow << overflowingCaptions(frmGasgemischInstance().get());
    QVERIFY2(overflow.isEmpty(), qPrintable(overflow.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestFluidScreenshots)
#include "test_fluid_screenshots.moc"

#include "tools_fixture.h"

#include "platform/qt/form_view.h"
#include "platform/qt/qt_table_curve_display.h"
#include "platform/qt/render_png.h"
#include "support/program_state.h"
#include "tools/characteristic_display.h"
#include "units/texts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

// The user-defined valve dialog and the characteristic window as the renderer draws them, saved as pictures for
// a person to look at; and every caption of the dialog fits its control in each of the six languages.

using toolsfixture::Fixture;

namespace {

const char *const kLanguages[6] = {"de", "en", "fr", "it", "es", "cs"};

QString shot(const QString &name)
{
    return QStringLiteral(QUENDRA_TEST_OUTPUT_DIR "/") + name;
}

// The width a caption needs in its widget, in pixels.
int neededWidth(QWidget *w, const QString &text)
{
    const QFontMetrics fm(w->font());
    if (qobject_cast<QRadioButton *>(w))
        return w->sizeHint().width();
    if (qobject_cast<QPushButton *>(w))
        return fm.horizontalAdvance(text) + 8;
    return fm.horizontalAdvance(text);
}

} // namespace

class TestToolsScreens : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void init()
    {
        f.start();
        testsupport::openShippedTexts();
    }
    void cleanup() { f.stop(); }
    void cleanupTestCase() { testsupport::closeShippedTexts(); }

    void dialogCaptionsFitInEveryLanguage_data();
    void dialogCaptionsFitInEveryLanguage();
    void characteristicWindowShowsTableAndCurve_data();
    void characteristicWindowShowsTableAndCurve();
};

void TestToolsScreens::dialogCaptionsFitInEveryLanguage_data()
{
    QTest::addColumn<int>("sprache");
    for (int i = 0; i < 6; ++i)
        QTest::newRow(kLanguages[i]) << i;
}

void TestToolsScreens::dialogCaptionsFitInEveryLanguage()
{
    QFETCH(int, sprache);
    SharedData &d = shared();
    d.Sprache = sprache;
    d.Kennlinie = 1;
    frmBenutzerdefiniert &w = f.open();
    QCOMPARE(w.caption(), getText(QStringLiteral("Benutzerdefiniertes Ventil"), sprache));
    {
        qtui::FormView view(w);
        view.window()->setAttribute(Qt::WA_DontShowOnScreen);
        view.window()->show();
        QApplication::processEvents();
        QStringList tooNarrow;
        for (Control *c : w.controls()) {
            QWidget *widget = view.widgetFor(*c);
            if (!widget || !c->visible())
                continue;
            QStringList texts;
            if (auto *l = dynamic_cast<Label *>(c))
                texts << l->caption();
            else if (auto *o = dynamic_cast<OptionButton *>(c))
                texts << o->caption();
            else if (auto *b = dynamic_cast<CommandButton *>(c))
                texts << b->caption();
            else if (auto *cb = dynamic_cast<ComboBox *>(c))
                texts = cb->items();
            for (const QString &t : texts) {
                int needed = neededWidth(widget, t);
                if (qobject_cast<QComboBox *>(widget))
                    needed += 20; // the drop-down button
                if (needed > widget->width())
                    tooNarrow << QStringLiteral("%1 \"%2\": %3 px missing").arg(c->name(), t).arg(needed - widget->width());
            }
        }
        QVERIFY2(tooNarrow.isEmpty(), qPrintable(tooNarrow.join(QStringLiteral("; "))));
    }
    if (sprache == 0 || sprache == 2 || sprache == 5) {
        const QString path = shot(QStringLiteral("tools_user_defined_valve_%1.png").arg(kLanguages[sprache]));
        QFile::remove(path);
        QVERIFY(qtui::renderFormToPng(w, path));
        QVERIFY(!QImage(path).isNull());
    }
}

void TestToolsScreens::characteristicWindowShowsTableAndCurve_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<int>("columns");
    QTest::newRow("Kv") << "Kv" << 3;
    QTest::newRow("FL") << "FL" << 2;
}

void TestToolsScreens::characteristicWindowShowsTableAndCurve()
{
    QFETCH(QString, art);
    QFETCH(int, columns);
    SharedData &d = shared();
    testsupport::openSeries(QStringLiteral("9999"));
    d.Ventiltyp = QStringLiteral("9999");
    d.Bezeichnung = Variant(QStringLiteral("Eigenbau 1"));
    d.KvsCv = 40.0f;
    d.Kennlinie = 1;
    const double a[12] = {0.02, 0.08277823, 0.07145153, 0.64708711, -0.77914652, 0.95782965, 0.8, 0, 0, 0.6, 0, 0};
    Variant *targets[12] = {&d.A0, &d.A1, &d.A2, &d.A3, &d.A4, &d.A5, &d.AFL, &d.BFL, &d.CFL, &d.AxT, &d.BxT, &d.CxT};
    for (int i = 0; i < 12; ++i)
        *targets[i] = Variant(a[i]);

    // The desktop's window, shown twice: one window, the second content in it.
    QtTableCurveDisplay display;
    {
        TableCurveDisplayScope scope(display);
        show_Kenndaten_Excel(Variant(QStringLiteral("xT")));
        QWidget *first = display.window();
        QVERIFY(first);
        show_Kenndaten_Excel(Variant(art));
        QCOMPARE(display.window(), first);
        QCOMPARE(first->windowTitle(),
                 getText(art == QLatin1String("FL") ? QStringLiteral("Anzeige Druckrückgewinn-Faktor FL")
                                                    : QStringLiteral("Anzeige Kennlinie"),
                         0));
        auto *table = first->findChild<QTableWidget *>();
        QVERIFY(table);
        QCOMPARE(table->columnCount(), columns);
        QCOMPARE(table->rowCount(), 11);
        QCOMPARE(table->item(5, 0)->text(), QStringLiteral("50"));
        auto *save = first->findChild<QPushButton *>();
        QVERIFY(save && !save->isHidden());
        QCOMPARE(save->text(), QStringLiteral("Arbeitsmappe speichern"));
        // The button runs the save: a cancelled file dialog writes nothing.
        save->click();
        QCOMPARE(f.ui.fileRequests().size(), std::size_t(1));
    }

    const kenndaten::Kurve k = *kenndaten::kurveAus(Variant(art));
    const QImage image = qtui::renderTableCurve(kenndaten::anzeige(kenndaten::parameterZellen(k), k, [] {}));
    QVERIFY(image.width() >= 500 && image.height() >= 300);
    const QString path = shot(QStringLiteral("tools_characteristic_%1.png").arg(art));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(image.save(path, "PNG"));
}

QTEST_MAIN(TestToolsScreens)
#include "test_tools_screens.moc"

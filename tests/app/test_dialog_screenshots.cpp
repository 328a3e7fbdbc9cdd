// The access-code and information dialogs and the help window as a user sees them, drawn offscreen into PNGs under
// the build tree for a person to look at (the layout test measures their captions).
#include "app/access_code_dialog.h"
#include "app/info_dialogs.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/qt/help_window.h"
#include "platform/qt/render_png.h"
#include "state/shared_data.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTextBrowser>

namespace {

const QString kOutput = QStringLiteral(QUENDRA_TEST_OUTPUT_DIR);

// Share of the pixels of a rectangle of the image close to the colour.
double shareOf(const QImage &image, const QRect &rect, const QColor &colour, int tolerance = 60)
{
    int hits = 0;
    int all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x, ++all) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) + std::abs(p.green() - colour.green()) +
                    std::abs(p.blue() - colour.blue()) < tolerance)
                ++hits;
        }
    return all ? double(hits) / all : 0.0;
}

} // namespace

class TestDialogScreenshots : public QObject {
    Q_OBJECT
    ScriptedUiServices ui_;

private slots:
    void initTestCase()
    {
        // A fresh build tree has no output folder until some suite makes one.
        QVERIFY(QDir().mkpath(kOutput));
        setUiServices(&ui_);
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        openLanguageDatabase(QStringLiteral(QUENDRA_SEED_DIR "/dbSprache.mdb"));
    }
    void cleanupTestCase()
    {
        closeLanguageDatabase();
        setUiServices(nullptr);
    }

    void accessCodeDialog_data();
    void accessCodeDialog();
    void informationDialogsShowLogoAndLinks_data();
    void informationDialogsShowLogoAndLinks();
    void helpWindowShowsTheStartPage_data();
    void helpWindowShowsTheStartPage();
};

void TestDialogScreenshots::accessCodeDialog_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("German") << 0;
    QTest::newRow("English") << 1;
}

void TestDialogScreenshots::accessCodeDialog()
{
    QFETCH(int, language);
    shared().Sprache = language;
    frmPasswort &d = frmPasswortInstance().get();
    d.txtPasswort.setText(QStringLiteral("6417"));
    const QImage image = qtui::renderForm(d);
    QCOMPARE(image.size(), QSize(320, 116));
    QVERIFY(image.save(kOutput + QStringLiteral("/app_password_%1.png").arg(language)));
    frmPasswortInstance().unload();
    formruntime::collect();
}

void TestDialogScreenshots::informationDialogsShowLogoAndLinks_data()
{
    QTest::addColumn<bool>("partner");
    QTest::addColumn<QColor>("logo");
    QTest::newRow("maker") << false << QColor(61, 111, 182);
    QTest::newRow("partner") << true << QColor(255, 128, 0);
}

void TestDialogScreenshots::informationDialogsShowLogoAndLinks()
{
    QFETCH(bool, partner);
    QFETCH(QColor, logo);
    InfoDialog &d = partner ? static_cast<InfoDialog &>(frmInfoTrelvanInstance().get())
                            : static_cast<InfoDialog &>(frmInfoInstance().get());
    const QImage image = qtui::renderForm(d);
    QVERIFY(image.save(kOutput + (partner ? QStringLiteral("/app_info_partner.png") : QStringLiteral("/app_info.png"))));
    QCOMPARE(image.size(), QSize(d.width() / 15, d.height() / 15));
    // The logo's frame colour in the picture's box, the link colour in the link fields, no white field behind them.
    QVERIFY(shareOf(image, QRect(16, 16, 96, 96), logo) > 0.05);
    for (TextBox *link : {&d.txtHyperlink, &d.txtHyperlinkMail}) {
        const QRect box(link->left() / 15, link->top() / 15, link->width() / 15, link->height() / 15);
        QVERIFY(shareOf(image, box, QColor(57, 107, 165)) > 0.02);
        QVERIFY(shareOf(image, box, Qt::white, 6) < 0.05);
    }
    d.unload();
    formruntime::collect();
}

void TestDialogScreenshots::helpWindowShowsTheStartPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::newRow("German") << "hilfe.html" << QString::fromUtf8("Quendra – Hilfe");
    QTest::newRow("English") << "help.html" << QString::fromUtf8("Quendra – Help");
}

void TestDialogScreenshots::helpWindowShowsTheStartPage()
{
    QFETCH(QString, page);
    QFETCH(QString, title);
    qtui::HelpViewer viewer;
    viewer.show(programFolder() + QLatin1Char('/') + page, QStringLiteral("Hilfe"), QStringLiteral("fehlt:"));
    viewer.window()->setAttribute(Qt::WA_DontShowOnScreen);
    QApplication::processEvents();
    QCOMPARE(viewer.window()->windowTitle(), title);
    QVERIFY(viewer.browser()->toPlainText().contains(QStringLiteral("IEC 60534")));
    const QImage image = viewer.window()->grab().toImage();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(kOutput + QStringLiteral("/app_help_%1.png").arg(page.section(QLatin1Char('.'), 0, 0))));
}

QTEST_MAIN(TestDialogScreenshots)
#include "test_dialog_screenshots.moc"

// The renderer's share of the link fields (frameless fields, the pointing hand, the mouse capture) and the help
// window: its pages, a missing file, its use over a modal dialog, and F1 in any window.
#include "platform/forms/forms.h"
#include "platform/qt/form_view.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QWindow>

// Qt's own test hook: false while a modal window blocks the widget's window.
Q_WIDGETS_EXPORT bool qt_tryModalHelper(QWidget *widget, QWidget **rettop);

namespace {

class LinkDialog : public Form {
public:
    TextBox txtHyperlink{this, "txtHyperlink"};
    TextBox txtName{this, "txtName"};
    LinkDialog() : Form("frmLinks")
    {
        move(0, 0, 4500, 1500);
        txtHyperlink.move(120, 120, 3000, 255);
        txtName.move(120, 600, 3000, 315);
    }
};

bool usable(QWidget *w)
{
    return qt_tryModalHelper(w, nullptr);
}

QString writePage(const QTemporaryDir &dir, const QString &name, const QString &body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(body.toUtf8());
    return path;
}

} // namespace

class TestLinksAndHelpWindow : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;

private slots:
    void linkFieldLook_data();
    void linkFieldLook();
    void captureFollowsTheModel();
    void helpWindowShowsPagesAndFollowsLinks();
    void helpWindowOpensAtTheSection();
    void helpWindowNamesAMissingFile();
    void helpWindowStaysUsableOverAModalDialog_data();
    void helpWindowStaysUsableOverAModalDialog();
    void f1ReachesTheHelpFromAnyWindow();
};

void TestLinksAndHelpWindow::linkFieldLook_data()
{
    QTest::addColumn<int>("borderStyle");
    QTest::addColumn<int>("pointer");
    QTest::addColumn<int>("backColor");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("baseIsWindow");
    QTest::newRow("link field") << 0 << 99 << colors::ButtonFace << false << int(Qt::PointingHandCursor) << true;
    QTest::newRow("ordinary field") << 1 << 0 << colors::Window << true << int(Qt::IBeamCursor) << false;
    QTest::newRow("unknown border style keeps the frame") << 2 << 0 << colors::Window << true
                                                          << int(Qt::IBeamCursor) << false;
}

void TestLinksAndHelpWindow::linkFieldLook()
{
    QFETCH(int, borderStyle);
    QFETCH(int, pointer);
    QFETCH(int, backColor);
    QFETCH(bool, frame);
    QFETCH(int, cursor);
    QFETCH(bool, baseIsWindow);
    QtUiServices ui;
    UiServicesScope scope(ui);
    LinkDialog d;
    d.show();
    auto *edit = qobject_cast<QLineEdit *>(ui.viewOf(d)->widgetFor(d.txtHyperlink));
    QVERIFY(edit);
    d.txtHyperlink.setText("www.example.com");
    d.txtHyperlink.setBorderStyle(borderStyle);
    d.txtHyperlink.setMousePointer(pointer);
    d.txtHyperlink.setBackColor(backColor);
    d.txtHyperlink.setForeColor(0xA56B39);
    d.txtHyperlink.setFontUnderline(true);
    QCOMPARE(edit->hasFrame(), frame);
    QCOMPARE(int(edit->cursor().shape()), cursor);
    QCOMPARE(edit->palette().color(QPalette::Base) == edit->palette().color(QPalette::Window), baseIsWindow);
    QCOMPARE(edit->palette().color(QPalette::Text), QColor(57, 107, 165));
    QVERIFY(edit->font().underline());
    // Back to the ordinary pointer.
    d.txtHyperlink.setMousePointer(0);
    QCOMPARE(int(edit->cursor().shape()), int(Qt::IBeamCursor));
}

void TestLinksAndHelpWindow::captureFollowsTheModel()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    LinkDialog d;
    QStringList moves;
    d.txtHyperlink.MouseMove = [&](int, int, float x, float y) { moves << QString("%1,%2").arg(x).arg(y); };
    d.show();
    QWidget *link = ui.viewOf(d)->widgetFor(d.txtHyperlink);
    QWidget *name = ui.viewOf(d)->widgetFor(d.txtName);
    QVERIFY(QTest::qWaitForWindowExposed(link->window()));
    d.txtHyperlink.captureMouse();
    QCOMPARE(QWidget::mouseGrabber(), link);
    // Taken by another control, then released by whichever holds it.
    d.txtName.captureMouse();
    QCOMPARE(QWidget::mouseGrabber(), name);
    d.txtHyperlink.releaseMouse();
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    // A move over the field reaches the model in twips relative to the field.
    QTest::mouseMove(link, QPoint(10, 4));
    QTRY_COMPARE(moves.value(0), QString("150,60"));
    d.txtHyperlink.captureMouse();
    d.unload();
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestLinksAndHelpWindow::helpWindowShowsPagesAndFollowsLinks()
{
    QVERIFY(tmp_.isValid());
    const QString start = writePage(tmp_, "start.html",
                                    "<html><head><meta charset=\"utf-8\"><title>Hilfe – Übersicht</title></head>"
                                    "<body><p><a href=\"menues.html#optionen\">Menüs</a></p></body></html>");
    writePage(tmp_, "menues.html",
              "<html><head><meta charset=\"utf-8\"><title>Menüs</title></head>"
              "<body><h2 id=\"optionen\">Optionen</h2></body></html>");
    qtui::HelpViewer viewer;
    QVERIFY(!viewer.window());
    viewer.show(start, "Hilfe", "Die Hilfedatei ist nicht vorhanden:");
    QVERIFY(viewer.window()->isVisible());
    QCOMPARE(viewer.window()->windowTitle(), QString("Hilfe – Übersicht"));
    QVERIFY(viewer.browser()->toPlainText().contains("Menüs"));
    // A link within the help, as a click on it would follow it.
    viewer.browser()->setSource(QUrl("menues.html#optionen"));
    QCOMPARE(viewer.browser()->source().fileName(), QString("menues.html"));
    QCOMPARE(viewer.window()->windowTitle(), QString("Menüs"));
    // Showing the help again starts at the page, in the same window.
    QWidget *window = viewer.window();
    viewer.show(start, "Hilfe", "Die Hilfedatei ist nicht vorhanden:");
    QCOMPARE(viewer.window(), window);
    QCOMPARE(viewer.browser()->source().fileName(), QString("start.html"));
    QVERIFY(!viewer.browser()->isBackwardAvailable());
}

void TestLinksAndHelpWindow::helpWindowOpensAtTheSection()
{
    QString body = "<html><head><meta charset=\"utf-8\"><title>Lang</title></head><body>";
    for (int i = 0; i < 200; ++i)
        body += QString("<p>Absatz %1</p>").arg(i);
    body += "<h2 id=\"ende\">Ende</h2>";
    for (int i = 0; i < 200; ++i)
        body += QString("<p>Schluss %1</p>").arg(i);
    body += "</body></html>";
    const QString page = writePage(tmp_, "lang.html", body);
    qtui::HelpViewer viewer;
    viewer.show(page, "Hilfe", "fehlt:", "ende");
    viewer.window()->resize(400, 300);
    QApplication::processEvents();
    QTextBrowser *browser = viewer.browser();
    QCOMPARE(browser->source().fragment(), QString("ende"));
    // The section's heading is at the top of the view, far below the page's start.
    QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
    const QTextCursor atTop = browser->cursorForPosition(QPoint(4, 4));
    QVERIFY2(atTop.block().text().contains("Ende") || atTop.block().next().text().contains("Ende"),
             qPrintable(atTop.block().text()));
    // The page again without a section starts at its top; the same section twice lands there twice.
    viewer.show(page, "Hilfe", "fehlt:");
    QTRY_COMPARE(browser->verticalScrollBar()->value(), 0);
    viewer.show(page, "Hilfe", "fehlt:", "ende");
    QTRY_VERIFY(browser->verticalScrollBar()->value() > 0);
}

void TestLinksAndHelpWindow::helpWindowNamesAMissingFile()
{
    const QString missing = tmp_.filePath("fehlt/hilfe.html");
    qtui::HelpViewer viewer;
    viewer.show(missing, "Help", "The help file does not exist:");
    QVERIFY(viewer.window()->isVisible());
    QCOMPARE(viewer.window()->windowTitle(), QString("Help"));
    const QString text = viewer.browser()->toPlainText();
    QVERIFY2(text.contains("The help file does not exist:"), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(missing)), qPrintable(text));
    // A name that looks like markup is shown as it stands.
    viewer.show("<b>x</b>.html", "Help", "The help file does not exist:");
    QVERIFY(viewer.browser()->toPlainText().contains("<b>x</b>.html"));
}

void TestLinksAndHelpWindow::helpWindowStaysUsableOverAModalDialog_data()
{
    QTest::addColumn<bool>("helpFirst");
    QTest::newRow("help opened over the dialog") << false;
    QTest::newRow("dialog opened over the help") << true;
}

void TestLinksAndHelpWindow::helpWindowStaysUsableOverAModalDialog()
{
    QFETCH(bool, helpFirst);
    const QString start = writePage(tmp_, "modal.html", "<html><head><title>T</title></head><body>x</body></html>");
    QWidget mainWindow;
    mainWindow.show();
    qtui::HelpViewer viewer;
    if (helpFirst)
        viewer.show(start, "Help", "missing:");
    QWidget dialog(nullptr, Qt::Dialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!usable(&mainWindow));
    if (!helpFirst)
        viewer.show(start, "Help", "missing:");
    QVERIFY(usable(viewer.window()));
    QVERIFY(usable(&dialog));
    dialog.hide();
    QVERIFY(usable(viewer.window()));
    QVERIFY(usable(&mainWindow));
}

void TestLinksAndHelpWindow::f1ReachesTheHelpFromAnyWindow()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    int shown = 0;
    QString window, control;
    LinkDialog d;
    d.show();
    QWidget *field = ui.viewOf(d)->widgetFor(d.txtName);
    QWidget plain;
    {
        qtui::HelpKey key([&](const QString &w, const QString &c) {
            ++shown;
            window = w;
            control = c;
        });
        // The form and its control that hold the focus name the section.
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(shown, 1);
        QCOMPARE(window, QString("frmLinks"));
        QCOMPARE(control, QString("txtName"));
        QTest::keyClick(ui.viewOf(d)->window(), Qt::Key_F1);
        QCOMPARE(shown, 2);
        QCOMPARE(window, QString("frmLinks"));
        QCOMPARE(control, QString());
        // A window that is no form of the program (the help window itself) names nothing.
        QTest::keyClick(&plain, Qt::Key_F1);
        QCOMPARE(shown, 3);
        QCOMPARE(window, QString());
        QCOMPARE(control, QString());
        shown = 2;
        // Only F1 itself: not typed into the field, no other key, no modifier.
        QTest::keyClick(field, Qt::Key_F1, Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_F2);
        QTest::keyClick(field, Qt::Key_A);
        QCOMPARE(shown, 2);
        QCOMPARE(d.txtName.text(), QString("a"));
    }
    // Without the key's owner F1 does nothing.
    QTest::keyClick(field, Qt::Key_F1);
    QCOMPARE(shown, 2);
}

QTEST_MAIN(TestLinksAndHelpWindow)
#include "test_links_and_help_window.moc"

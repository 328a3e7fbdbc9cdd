// A multi-line text box in the renderer: lines in the editor, CR LF in the model, Enter types a line end there
// (and presses no default button), positions translated both ways.
#include "platform/forms/forms.h"
#include "platform/qt/form_view.h"
#include "platform/qt/multi_line_edit.h"
#include "platform/qt/qt_ui_services.h"

#include <QApplication>
#include <QTest>

namespace {

class Dialog : public Form {
public:
    TextBox txtInfo{this, "txtInfo"};
    TextBox txtPosition{this, "txtPosition"};
    CommandButton cmdOK{this, "cmdOK"};
    QStringList log;

    Dialog() : Form("frmDialog")
    {
        move(0, 0, 6000, 3000);
        txtInfo.move(120, 120, 4000, 900);
        txtInfo.setMultiLine(true);
        txtPosition.move(120, 1200, 4000, 315);
        cmdOK.move(120, 1800, 1200, 375);
        cmdOK.setDefault(true);
        txtInfo.Change = [this] { log << "Change:" + txtInfo.text(); };
        cmdOK.Click = [this] { log << "cmdOK_Click"; };
    }
};

qtui::MultiLineEdit *editorOf(QtUiServices &ui, Dialog &d)
{
    return qobject_cast<qtui::MultiLineEdit *>(ui.viewOf(d)->widgetFor(d.txtInfo));
}

} // namespace

class MultiLineTextBoxTest : public QObject {
    Q_OBJECT

private slots:
    void positions_data();
    void positions();
    void modelTextShownAsLines();
    void enterTypesALineEnd();
};

void MultiLineTextBoxTest::positions_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("modelPosition");
    QTest::addColumn<int>("editorPosition");
    QTest::newRow("before the line end") << "ab\r\ncd" << 2 << 2;
    QTest::newRow("after the line end") << "ab\r\ncd" << 4 << 3;
    QTest::newRow("end of the text") << "ab\r\ncd" << 6 << 5;
    QTest::newRow("two line ends") << "a\r\n\r\nb" << 6 << 4;
    QTest::newRow("no line end") << "abc" << 3 << 3;
}

void MultiLineTextBoxTest::positions()
{
    QFETCH(QString, model);
    QFETCH(int, modelPosition);
    QFETCH(int, editorPosition);
    const QString editor = qtui::MultiLineEdit::toEditorText(model);
    QCOMPARE(qtui::MultiLineEdit::toModelText(editor), model);
    QCOMPARE(qtui::MultiLineEdit::toEditorPosition(model, modelPosition), editorPosition);
    QCOMPARE(qtui::MultiLineEdit::toModelPosition(editor, editorPosition), modelPosition);
}

void MultiLineTextBoxTest::modelTextShownAsLines()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.txtInfo.setText("Firma\r\nWerk 2");
    d.show();
    qtui::MultiLineEdit *e = editorOf(ui, d);
    QVERIFY(e);
    QCOMPARE(e->toPlainText(), QString("Firma\nWerk 2"));
    QCOMPARE(e->document()->blockCount(), 2);
    // The model's caret after the line end is the editor's after the line break.
    d.txtInfo.setSelStart(7);
    d.txtInfo.setSelLength(2);
    QCOMPARE(e->textCursor().selectionStart(), 6);
    QCOMPARE(e->textCursor().selectionEnd(), 8);
    d.txtInfo.setText("neu");
    QCOMPARE(e->toPlainText(), QString("neu"));
    d.unload();
}

void MultiLineTextBoxTest::enterTypesALineEnd()
{
    QtUiServices ui;
    UiServicesScope scope(ui);
    Dialog d;
    d.show();
    qtui::MultiLineEdit *e = editorOf(ui, d);
    QWidget *window = ui.viewOf(d)->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    e->setFocus();
    QTest::keyClicks(e, "ab");
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClicks(e, "c");
    QCOMPARE(d.txtInfo.text(), QString("ab\r\nc"));
    QCOMPARE(d.txtInfo.selStart(), 5);
    QCOMPARE(d.log, (QStringList{"Change:a", "Change:ab", "Change:ab\r\n", "Change:ab\r\nc"}));
    // In a one-line box Enter still presses the default button.
    QTest::keyClick(ui.viewOf(d)->widgetFor(d.txtPosition), Qt::Key_Return);
    QVERIFY(d.log.contains("cmdOK_Click"));
    d.unload();
}

QTEST_MAIN(MultiLineTextBoxTest)
#include "test_multi_line_text_box.moc"

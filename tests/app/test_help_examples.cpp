#include "menu_fixture.h"

#include "app/access_code_dialog.h"
#include "platform/core/number_text.h"
#include "platform/forms/buttons.h"
#include "platform/print/print_recorder.h"
#include "platform/print/print_session.h"
#include "reports/print_dialog.h"
#include "support/help_page_text.h"

#include <QRegularExpression>

// The worked examples of the help pages, done by the program: each example marks in its page what the user
// chooses ("menu:"), types or picks ("in:") and reads ("out:"), window by window, and what the printout of the
// result gives in a row (“print:” with the row's text key); the suite does the same on the real main window and
// sheets with the seed data, in the page's language, prints the sheet, and compares every result the page gives
// with what the program shows and prints. Page and program cannot drift apart.

using namespace menufixture;

namespace {

struct Step {
    enum class Kind { Menu, In, Out, Print } kind;
    QString window; // a form's name; empty for the main window's menus and the active sheet's controls
    QString control;
    QString value; // as the page writes it

    // A step in a dialog that a menu entry opens (the main window is always there).
    bool inDialog() const { return !window.isEmpty() && window != QLatin1String("frmMDIMain"); }
};

using testsupport::plainText;

// The section of the page from the element with the anchor to the next heading of the same or a higher level.
QString section(const QString &html, const QString &anchor)
{
    const QRegularExpression start(QStringLiteral("<h([1-6])[^>]*\\bid=\"%1\"").arg(anchor));
    const QRegularExpressionMatch m = start.match(html);
    if (!m.hasMatch())
        return QString();
    const int level = m.captured(1).toInt();
    const QRegularExpression end(QStringLiteral("<h[1-%1][\\s>]").arg(level));
    const qsizetype from = m.capturedEnd();
    const qsizetype to = html.indexOf(end, from);
    return html.mid(m.capturedStart(), to < 0 ? -1 : to - m.capturedStart());
}

std::vector<Step> stepsOf(const QString &html)
{
    std::vector<Step> steps;
    const QRegularExpression marker(QStringLiteral("<(\\w+)\\s+class=\"(menu|in|out|print):([^\"]+)\"\\s*>(.*?)</\\1>"),
                                    QRegularExpression::DotMatchesEverythingOption);
    for (auto it = marker.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString kind = m.captured(2);
        const QString target = m.captured(3);
        Step s{kind == QLatin1String("menu")    ? Step::Kind::Menu
               : kind == QLatin1String("in")    ? Step::Kind::In
               : kind == QLatin1String("print") ? Step::Kind::Print
                                                : Step::Kind::Out,
               target.contains(QLatin1Char('.')) ? target.section(QLatin1Char('.'), 0, 0) : QString(),
               target.section(QLatin1Char('.'), -1), plainText(m.captured(4))};
        steps.push_back(s);
    }
    return steps;
}

// A number of the page in the user's notation; any other text as it stands.
QString asUserWrites(const QString &value, QChar pageDecimal)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]*[.,]?[0-9]+(:1)?$"));
    if (!number.match(value).hasMatch())
        return value;
    QString out = value;
    out.replace(pageDecimal, numtext::userLocale().decimalPoint());
    return out;
}

class ExampleRun {
public:
    ExampleRun(Fixture &f, QChar pageDecimal) : f_(f), decimal_(pageDecimal) {}

    void run(const std::vector<Step> &steps)
    {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step &s = steps[i];
            if (s.kind == Step::Kind::Print) {
                printed_.push_back(s);
                continue;
            }
            if (s.kind != Step::Kind::Menu) {
                QVERIFY2(!s.inDialog(), qPrintable(where(s) + ": a dialog's step without its menu entry"));
                Form *form = s.window.isEmpty() ? f_.sheet() : f_.w.get();
                QVERIFY2(form, qPrintable(where(s) + ": no sheet"));
                apply(*form, s);
                if (QTest::currentTestFailed())
                    return;
                // No form code runs here: windows the step unloaded can go.
                formruntime::collect();
                continue;
            }
            // The steps of the dialog that this entry opens run while it is open.
            std::vector<Step> dialog;
            while (i + 1 < steps.size() && steps[i + 1].inDialog())
                dialog.push_back(steps[++i]);
            if (!dialog.empty()) {
                f_.ui.onNextModal([this, dialog](Form &form) {
                    // A dialog the example leaves open, or a step that failed, closes it unchanged.
                    struct Close {
                        Form &form;
                        ~Close()
                        {
                            if (form.isLoaded())
                                form.unload();
                        }
                    } close{form};
                    for (const Step &d : dialog) {
                        if (d.window != form.name()) {
                            QFAIL(qPrintable(where(d) + ": the entry opened " + form.name()));
                            return;
                        }
                        apply(form, d);
                        if (QTest::currentTestFailed())
                            return;
                    }
                });
            }
            auto *entry = dynamic_cast<Menu *>(f_.w->control(s.control));
            QVERIFY2(entry, qPrintable(where(s) + ": no such menu entry"));
            QVERIFY2(f_.choose(*entry), qPrintable(where(s) + ": not chosen"));
            if (QTest::currentTestFailed())
                return;
        }
    }

    int compared() const { return compared_; }

    // Prints the sheet as it stands, every section chosen, and compares the rows the page quotes from the
    // printout: a printed line that begins with the row's text gives the value.
    void comparePrintout(int Sprache)
    {
        if (printed_.empty())
            return;
        RecordingBackEnd recorder;
        PrintBackEndScope scope(recorder);
        for (Variant *flag : {&shared().DruckProzessdaten, &shared().DruckVentildaten, &shared().DruckRohrleitung,
                              &shared().DruckSchalldruck, &shared().DruckStoffdaten})
            *flag = Variant(true);
        f_.ui.onNextModal([](Form &form) { dynamic_cast<frmDruck &>(form).cmdOK.userClick(); });
        QVERIFY2(f_.choose(f_.w->mnuDrucken), "File > Print");
        QVERIFY(!recorder.documents().empty());
        const QStringList lines = recorder.last().allLines();
        for (const Step &s : printed_) {
            const QString label = getText(s.control, Sprache);
            const QString value = asUserWrites(s.value, decimal_);
            const bool found = std::any_of(lines.begin(), lines.end(), [&](const QString &line) {
                const QString row = line.trimmed();
                return row.startsWith(label) &&
                       row.mid(label.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(value);
            });
            QVERIFY2(found, qPrintable(QStringLiteral("the printout has no row \"%1\" with %2:\n%3")
                                           .arg(label, value, lines.join(QLatin1Char('\n')))));
            ++compared_;
        }
    }

private:
    static QString where(const Step &s) { return (s.window.isEmpty() ? QString() : s.window + '.') + s.control; }

    void apply(Form &form, const Step &s)
    {
        Control *c = form.control(s.control);
        QVERIFY2(c, qPrintable(where(s) + ": no such control in " + form.name()));
        const QString value = asUserWrites(s.value, decimal_);
        if (s.kind == Step::Kind::Out) {
            QString shown;
            if (auto *l = dynamic_cast<Label *>(c))
                shown = l->caption();
            else if (auto *t = dynamic_cast<TextBox *>(c))
                shown = t->text();
            else if (auto *cb = dynamic_cast<ComboBox *>(c))
                shown = cb->text();
            else if (auto *bar = dynamic_cast<StatusBar *>(c))
                shown = bar->text();
            else
                QFAIL(qPrintable(where(s) + ": shows nothing to compare"));
            QVERIFY2(c->visible(), qPrintable(where(s) + ": hidden"));
            QVERIFY2(shown.trimmed() == value,
                     qPrintable(QStringLiteral("%1: the program shows \"%2\", the page \"%3\"")
                                    .arg(where(s), shown, s.value)));
            ++compared_;
            return;
        }
        if (auto *t = dynamic_cast<TextBox *>(c)) {
            // As the user types over the field's selected text and leaves it with Tab.
            QVERIFY2(t->enabled() && t->visible(), qPrintable(where(s) + ": cannot be typed into"));
            QVERIFY(t->setFocus());
            t->setSelStart(0);
            t->setSelLength(static_cast<int>(t->text().size()));
            t->userType(value);
            QCOMPARE(t->text(), value);
            form.pressTab();
        } else if (auto *cb = dynamic_cast<ComboBox *>(c)) {
            const int i = cb->items().indexOf(value);
            if (i >= 0) {
                QVERIFY2(cb->enabled(), qPrintable(where(s) + ": disabled"));
                cb->userPick(i);
            } else {
                QVERIFY2(cb->editable(), qPrintable(where(s) + ": no entry \"" + value + "\" in " +
                                                        cb->items().join(QLatin1Char('|'))));
                QVERIFY(cb->setFocus());
                cb->userEdited(value);
                form.pressTab();
            }
        } else if (auto *o = dynamic_cast<OptionButton *>(c)) {
            // The page names the option as the window captions it.
            QCOMPARE(o->caption(), s.value);
            QVERIFY2(o->enabled(), qPrintable(where(s) + ": disabled"));
            o->userClick();
        } else if (auto *b = dynamic_cast<CommandButton *>(c)) {
            QCOMPARE(b->caption(), s.value);
            QVERIFY2(b->enabled(), qPrintable(where(s) + ": disabled"));
            b->userClick();
        } else {
            QFAIL(qPrintable(where(s) + ": cannot be used"));
        }
    }

    Fixture &f_;
    QChar decimal_;
    int compared_ = 0;
    std::vector<Step> printed_;
};

} // namespace

class TestHelpExamples : public QObject {
    Q_OBJECT
    Fixture f;

private slots:
    void initTestCase() { f.initSuite(); }
    void cleanup() { f.stop(); }

    void examplesAreWhatTheProgramShows_data();
    void examplesAreWhatTheProgramShows();
};

void TestHelpExamples::examplesAreWhatTheProgramShows_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<int>("Sprache");
    // The page names the access code's extended display as a condition of the example.
    QTest::addColumn<bool>("extended");
    QTest::newRow("water valve, German") << "hilfe_dimensionierung.html" << "beispiel-wasser" << 0 << false;
    QTest::newRow("water valve, English") << "help_sizing.html" << "example-water" << 1 << false;
    QTest::newRow("steam valve, German") << "hilfe_werkzeuge.html" << "beispiel-dampf" << 0 << false;
    QTest::newRow("steam valve, English") << "help_tools.html" << "example-steam" << 1 << false;
    QTest::newRow("gas valve, German") << "hilfe_durchfluss.html" << "beispiel-luft" << 0 << false;
    QTest::newRow("gas valve, English") << "help_flow.html" << "example-air" << 1 << false;
    QTest::newRow("choked water valve, German") << "hilfe_berechnungsgrundlagen.html" << "beispiel-verblockt" << 0
                                                << true;
    QTest::newRow("choked water valve, English") << "help_calculation_basis.html" << "example-choked" << 1 << true;
}

void TestHelpExamples::examplesAreWhatTheProgramShows()
{
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    QFETCH(int, Sprache);
    QFETCH(bool, extended);
    QFile file(QStringLiteral(QUENDRA_PROGRAM_DIR "/") + page);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
    const QString example = section(QString::fromUtf8(file.readAll()), anchor);
    QVERIFY2(!example.isEmpty(), qPrintable(page + '#' + anchor));
    const std::vector<Step> steps = stepsOf(example);

    // The program speaks the page's language; its numbers follow the regional settings of the suite's run (the
    // suite runs under a German locale too).
    f.start([Sprache, extended](SharedData &d) {
        d.Sprache = Sprache;
        if (extended)
            d.KD_Version = frmPasswort::accessCode;
    });
    ExampleRun run(f, Sprache == 0 ? QLatin1Char(',') : QLatin1Char('.'));
    run.run(steps);
    if (QTest::currentTestFailed())
        return;
    const QString status = f.w->StatusBar.text();
    run.comparePrintout(Sprache);
    if (QTest::currentTestFailed())
        return;
    // An example that printed few results would prove little.
    QVERIFY2(run.compared() >= 12, qPrintable(QString::number(run.compared())));
    QVERIFY2(status.startsWith(getText(QStringLiteral("Berechnung aktualisiert"), Sprache)), qPrintable(status));
}

QTEST_MAIN(TestHelpExamples)
#include "test_help_examples.moc"

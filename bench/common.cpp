#include "common.h"

#include "platform/db/database.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/print_recorder.h"
#include "platform/print/print_session.h"
#include "platform/print/qt_print_back_end.h"
#include "platform/qt/form_view.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"
#include "support/program_state.h"
#include "units/data_folder.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <clocale>
#include <cstdio>
#include <cstring>

namespace bench {

namespace {

volatile double g_sink = 0.0;

const QString kCatalogueFiles[] = {QStringLiteral("dbKenndaten.mdb"), QStringLiteral("dbSchalldaten.mdb")};

} // namespace

bool quick(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") == 0)
            return true;
    return false;
}

double median(std::vector<double> figures)
{
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

double medianMs(int runs, const std::function<void()> &step)
{
    return medianPerCall<std::milli>(runs, 1, step);
}

double medianNsPerCall(const std::function<double()> &call, int rounds, int callsPerRound)
{
    double sum = 0.0;
    const double ns = medianPerCall<std::nano>(rounds, callsPerRound, [&] { sum += call(); });
    g_sink = g_sink + sum;
    return ns;
}

QString summary(std::vector<double> ms, int decimals, double aim)
{
    std::sort(ms.begin(), ms.end());
    return QStringLiteral("median %1 ms (min %2, max %3, %4 runs; aim < %5 ms)")
        .arg(QString::number(ms[ms.size() / 2], 'f', decimals), QString::number(ms.front(), 'f', decimals),
             QString::number(ms.back(), 'f', decimals), QString::number(ms.size()), QString::number(aim));
}

OffscreenApplication::OffscreenApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!home_.isValid())
        return;
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral(".config"))));

    app_ = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
    QString error;
    if (!ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error)) {
        QTextStream(stderr) << error << "\n";
        return;
    }
    ok_ = true;
}

OffscreenApplication::~OffscreenApplication() = default;

void drawOffscreen(Form &form)
{
    qtui::FormView view(form);
    view.window()->setAttribute(Qt::WA_DontShowOnScreen);
    view.window()->show();
    QApplication::processEvents();
    (void)view.window()->grab();
}

bool copyShippedCatalogue(const QString &folder, const char *program)
{
    for (const QString &file : kCatalogueFiles) {
        if (!testsupport::copySeedFile(file, folder + QLatin1Char('/') + file)) {
            std::fprintf(stderr, "%s: cannot copy %s\n", program, qPrintable(testsupport::seedFile(file)));
            return false;
        }
    }
    return true;
}

void openShippedSizing(const QString &folder)
{
    testsupport::openShippedTexts();
    SharedData &s = shared();
    s.dbKenndaten = Database::open(folder + QStringLiteral("/dbKenndaten.mdb"));
    s.dbSchalldaten = Database::open(folder + QStringLiteral("/dbSchalldaten.mdb"));
    testsupport::openSeries(QStringLiteral("4627_71"));
    s.MIN = s.NORM = true;
    s.KD_Version = 6417;
    s.DNVentil = s.DN1Rohr = s.DN2Rohr = QStringLiteral("50");
    s.KvsCv = 40;
}

void printHeader(SharedData &s, const QString &subject)
{
    s.TextInfo = Variant(QStringLiteral("Angebot 2024-117\r\nRevision B"));
    s.TextFirma = Variant(QStringLiteral("Stadtwerke Musterstadt"));
    s.TextBetrifft = Variant(subject);
    s.TextPosition = Variant(QStringLiteral("Pos. 12"));
    s.TextMStelle = Variant(QStringLiteral("TIC 4711"));
}

bool timePrintout(ScriptedUiServices &ui, const QString &pdfFile, int rounds, const std::function<void()> &print,
                  const std::function<bool()> &printed, const char *program, PrintoutTimes &times)
{
    RecordingBackEnd recorder;
    {
        PrintBackEndScope scope(recorder);
        print(); // first use opens caches; not counted
        times.recorderMs = medianMs(rounds, [&] {
            recorder.clear();
            print();
        });
    }
    times.texts = recorder.last().texts.size();

    QtPrintBackEnd qt;
    PrintBackEndScope scope(qt);
    selectPrinter(QStringLiteral("PDF"));
    auto once = [&] {
        ui.answerNextFileDialog(pdfFile);
        print();
    };
    once();
    times.pdfMs = medianMs(rounds, once);
    if (!printed()) {
        std::fprintf(stderr, "%s: the PDF was not written\n", program);
        return false;
    }
    return true;
}

} // namespace bench

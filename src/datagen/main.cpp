// quendra_datagen --data <data folder> --seed <seed folder> --program <program folder> [--stamp <file>]
// Turns the text sources of data/ into the database files of the seed and the program folder and draws the
// pictures. Exits with 1 and a message naming the source file and line on any fault.

#include "pictures.h"
#include "sources.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    // Pictures are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QString dataDir, seedDir, programDir, stamp;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString &opt = args[i];
        if (opt == QLatin1String("--data"))
            dataDir = args[i + 1];
        else if (opt == QLatin1String("--seed"))
            seedDir = args[i + 1];
        else if (opt == QLatin1String("--program"))
            programDir = args[i + 1];
        else if (opt == QLatin1String("--stamp"))
            stamp = args[i + 1];
        else
            dataDir.clear();
    }
    QTextStream err(stderr);
    if (dataDir.isEmpty() || seedDir.isEmpty() || programDir.isEmpty() || args.size() % 2 == 0) {
        err << "usage: quendra_datagen --data <dir> --seed <dir> --program <dir> [--stamp <file>]\n";
        return 2;
    }

    QString error;
    QStringList written;
    if (!datagen::generateAll(dataDir, seedDir, programDir, &written, &error)) {
        err << "quendra_datagen: error: " << error << "\n";
        return 1;
    }
    if (!generatePictures(programDir, &error)) {
        err << "quendra_datagen: error: pictures: " << error << "\n";
        return 1;
    }
    if (!stamp.isEmpty()) {
        QFile f(stamp);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << "quendra_datagen: error: " << stamp << ": cannot be written\n";
            return 1;
        }
        f.write(written.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    return 0;
}

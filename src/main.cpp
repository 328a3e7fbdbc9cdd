#include <QApplication>
#include <QTextStream>
#include <clocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Qt sets the C library's numeric locale from the environment; our number text never goes through it.
    std::setlocale(LC_NUMERIC, "C");
    QTextStream(stdout) << "Quendra " << QStringLiteral(QUENDRA_VERSION_TEXT) << "\n";
    return 0;
}

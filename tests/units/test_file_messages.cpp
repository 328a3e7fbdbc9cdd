#include "units/file_messages.h"

#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/texts.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <stdexcept>

// The reason a message gives for a failed file or database operation is in the user's language, never in the
// words of the system or the database engine, as long as the cause is one the user can act on.

class TestFileMessages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        openLanguageDatabase(QStringLiteral(QUENDRA_PROGRAM_DIR "/seed/dbSprache.mdb"));
        QVERIFY(shared().rsSprache);
    }
    void cleanupTestCase() { closeLanguageDatabase(); }

    void reasonsSpeakTheUserLanguage_data();
    void reasonsSpeakTheUserLanguage();
};

void TestFileMessages::reasonsSpeakTheUserLanguage_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message"); // the whole message, or for a system error the reason
    QTest::newRow("file missing") << "errno ENOENT" << 0 << "Die Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("a folder on the path is a file") << "errno ENOTDIR" << 2
                                                    << "Le fichier ou son dossier n'existe pas.";
    QTest::newRow("a folder in place of the file") << "errno EISDIR" << 1
                                                   << "The name does not denote an ordinary file but a folder or a "
                                                      "device.";
    QTest::newRow("the name taken") << "errno EEXIST" << 3 << "Esiste già un file con questo nome.";
    QTest::newRow("a read error of the medium") << "errno EIO" << 4
                                                << "El disco informa de un error de lectura o escritura.";
    QTest::newRow("database file missing")
        << "db NoSuchFile" << 0 << "Datenbankfehler\n/d/dbKenndaten.mdb\n\nDie Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("database table missing")
        << "db NoSuchTable" << 5
        << QStringLiteral("Chyba databáze\n/d/dbKenndaten.mdb\n\nV souboru chybějí tabulky nebo pole, které program "
                          "potřebuje. Tabulka: 3652");
    QTest::newRow("anything else") << "runtime" << 0 << "some failure";
}

void TestFileMessages::reasonsSpeakTheUserLanguage()
{
    QFETCH(QString, failure);
    QFETCH(int, language);
    QFETCH(QString, message);
    const QString file = QDir::toNativeSeparators(QStringLiteral("/d/dbKenndaten.mdb"));
    QString text;
    if (failure.startsWith(QLatin1String("errno"))) {
        const QString name = failure.mid(6);
        const int error = name == QLatin1String("ENOENT")    ? ENOENT
                          : name == QLatin1String("ENOTDIR") ? ENOTDIR
                          : name == QLatin1String("EISDIR")  ? EISDIR
                          : name == QLatin1String("EEXIST")  ? EEXIST
                                                             : EIO;
        text = fileProblemText(FileFailure::ofErrno(error), language);
    } else if (failure == QLatin1String("db NoSuchFile")) {
        text = uncaughtFailureMessage(DbError(DbError::Kind::NoSuchFile, file, QString(), QStringLiteral("gone")),
                                      language);
    } else if (failure == QLatin1String("db NoSuchTable")) {
        text = uncaughtFailureMessage(
            DbError(DbError::Kind::NoSuchTable, file, QStringLiteral("3652"), QStringLiteral("no table")), language);
    } else {
        text = uncaughtFailureMessage(std::runtime_error("some failure"), language);
    }
    QCOMPARE(text, message);
}

QTEST_GUILESS_MAIN(TestFileMessages)
#include "test_file_messages.moc"

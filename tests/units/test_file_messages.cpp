#include "units/file_messages.h"

#include "platform/db/database.h"
#include "state/shared_data.h"
#include "units/data_recovery.h"
#include "units/texts.h"

#include <QDir>
#include <QTest>

#include <cerrno>
#include <new>
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
    void everyDatabaseFailureSaysWhereAndWhat_data();
    void everyDatabaseFailureSaysWhereAndWhat();
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
                                                   << "The name does not denote an ordinary file but a folder, a "
                                                      "named pipe or a device.";
    QTest::newRow("the name taken") << "errno EEXIST" << 3 << "Esiste già un file con questo nome.";
    QTest::newRow("a read error of the medium") << "errno EIO" << 4
                                                << "El disco informa de un error de lectura o escritura.";
    QTest::newRow("database file missing")
        << "db NoSuchFile" << 0 << "Datenbankfehler\n/d/dbKenndaten.mdb\n\nDie Datei oder ihr Ordner ist nicht vorhanden.";
    QTest::newRow("database table missing")
        << "db NoSuchTable" << 5
        << QStringLiteral("Chyba databáze\n/d/dbKenndaten.mdb\n\nV souboru chybějí tabulky nebo pole, které program "
                          "potřebuje. Tabulka: 3652");
    QTest::newRow("a name too long") << "errno ENAMETOOLONG" << 0
                                     << "Der Name der Datei oder ihres Ordners ist länger, als das System erlaubt.";
    // The system's words are English whatever the user's language; its number is not.
    QTest::newRow("any other system error") << "errno ELOOP" << 5
                                            << QStringLiteral("Při přístupu k souboru hlásí systém chybu číslo %1.")
                                                   .arg(ELOOP);
    QTest::newRow("anything else") << "runtime" << 0 << "Ein unerwarteter Fehler ist aufgetreten.";
    QTest::newRow("out of memory") << "memory" << 1 << "There is not enough memory.";
    QTest::newRow("a recovery that failed tells its own reasons") << "recovery" << 0 << "Grund\n\nWarum";
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
        const int error = name == QLatin1String("ENOENT")         ? ENOENT
                          : name == QLatin1String("ENOTDIR")      ? ENOTDIR
                          : name == QLatin1String("EISDIR")       ? EISDIR
                          : name == QLatin1String("EEXIST")       ? EEXIST
                          : name == QLatin1String("ENAMETOOLONG") ? ENAMETOOLONG
                          : name == QLatin1String("ELOOP")        ? ELOOP
                                                                  : EIO;
        text = fileProblemText(FileFailure::ofErrno(error), language);
    } else if (failure == QLatin1String("db NoSuchFile")) {
        text = uncaughtFailureMessage(DbError(DbError::Kind::NoSuchFile, file, QString(), QStringLiteral("gone")),
                                      language);
    } else if (failure == QLatin1String("db NoSuchTable")) {
        text = uncaughtFailureMessage(
            DbError(DbError::Kind::NoSuchTable, file, QStringLiteral("3652"), QStringLiteral("no table")), language);
    } else if (failure == QLatin1String("memory")) {
        text = uncaughtFailureMessage(std::bad_alloc(), language);
    } else if (failure == QLatin1String("recovery")) {
        text = uncaughtFailureMessage(RecoveryFailure("Grund\n\nWarum"), language);
    } else {
        text = uncaughtFailureMessage(std::runtime_error("some failure"), language);
    }
    QCOMPARE(text, message);
}

// Whatever the database layer found, the user reads in the screen language what is wrong and where: the table, the
// field or index, and the value, as far as the failure has them; a cause that concerns the file as a whole is told
// without them. The status line names file and table itself and keeps the rest.
void TestFileMessages::everyDatabaseFailureSaysWhereAndWhat_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("problem"); // FileProblem; None: the one the kind implies
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("inTable"); // failureReasonInTable
    QTest::addColumn<QString>("companion");

    using K = DbError::Kind;
    using F = DbError::Fault;
    auto row = [](const char *name, K kind, FileProblem problem, const char *table, const char *column, F fault,
                  const QString &value, int language, const QString &reason, const QString &inTable,
                  const char *companion = "") {
        QTest::newRow(name) << int(kind) << int(problem) << QString::fromUtf8(table) << QString::fromUtf8(column)
                            << int(fault) << value << language << reason << inTable << QString::fromUtf8(companion);
    };
    const FileProblem implied = FileProblem::None;
    const QString noTablesDe = QStringLiteral("In der Datei fehlen Tabellen oder Felder, die das Programm braucht.");
    const QString noTablesCs = QStringLiteral("V souboru chybějí tabulky nebo pole, které program potřebuje.");

    row("file missing", K::NoSuchFile, implied, "", "", F::None, {}, 0,
        "Die Datei oder ihr Ordner ist nicht vorhanden.", "Die Datei oder ihr Ordner ist nicht vorhanden.");
    row("not a database", K::NotADatabase, implied, "", "", F::None, {}, 5, "Soubor je poškozen.",
        "Soubor je poškozen.");
    row("table missing", K::NoSuchTable, implied, "3652", "", F::None, {}, 0, noTablesDe + " Tabelle: 3652",
        noTablesDe);
    row("column missing", K::NoSuchColumn, implied, "3264", "Kvs", F::None, {}, 5,
        noTablesCs + " Tabulka: 3264, Pole: Kvs", noTablesCs + " Pole: Kvs");
    row("index missing", K::NoSuchIndex, implied, "strings_sprache", "PrimaryKey", F::None, {}, 1,
        "The file lacks tables or fields that the program needs. Table: strings_sprache, Index: PrimaryKey",
        "The file lacks tables or fields that the program needs. Index: PrimaryKey");
    row("duplicate key", K::DuplicateKey, implied, "IdealeGase_f", "", F::None, {}, 2,
        "Un enregistrement avec la même clé existe déjà. Table: IdealeGase_f",
        "Un enregistrement avec la même clé existe déjà.");
    // An empty table of a project or of the default project.
    row("no record, German", K::NoCurrentRecord, implied, "Betriebsdaten", "", F::None, {}, 0,
        "In der Tabelle fehlt der Datensatz, den das Programm braucht. Tabelle: Betriebsdaten",
        "In der Tabelle fehlt der Datensatz, den das Programm braucht.");
    row("no record in a damaged file, Czech", K::NoCurrentRecord, FileProblem::Damaged, "_Programmparameter", "",
        F::None, {}, 5, "Soubor je poškozen. V tabulce chybí záznam, který program potřebuje. Tabulka: _Programmparameter",
        "Soubor je poškozen. V tabulce chybí záznam, který program potřebuje.");
    row("read-only", K::ReadOnly, implied, "", "", F::None, {}, 4,
        "Acceso denegado: falta el permiso, o el archivo o su carpeta es de solo lectura.",
        "Acceso denegado: falta el permiso, o el archivo o su carpeta es de solo lectura.");
    // A text where a project holds a number: the project is damaged.
    row("text for a number in a damaged file", K::TypeMismatch, FileProblem::Damaged, "Betriebsdaten", "QMax",
        F::NotANumber, "viel", 0,
        "Die Datei ist beschädigt. Der Wert ist keine Zahl. Tabelle: Betriebsdaten, Feld: QMax, Wert: \"viel\"",
        "Die Datei ist beschädigt. Der Wert ist keine Zahl. Feld: QMax, Wert: \"viel\"");
    // The same in a catalogue series, which the user may have edited.
    row("text for a number in a series", K::TypeMismatch, implied, "3264", "a1", F::NotANumber, "viel", 0,
        "Der Wert ist keine Zahl. Tabelle: 3264, Feld: a1, Wert: \"viel\"",
        "Der Wert ist keine Zahl. Feld: a1, Wert: \"viel\"");
    row("no value", K::TypeMismatch, FileProblem::Damaged, "Stoffdaten", "NameMedium", F::NoValue, {}, 5,
        "Soubor je poškozen. Pole neobsahuje žádnou hodnotu. Tabulka: Stoffdaten, Pole: NameMedium",
        "Soubor je poškozen. Pole neobsahuje žádnou hodnotu. Pole: NameMedium");
    // The program's own value that the file cannot take: the file is not at fault.
    row("out of range on saving", K::TypeMismatch, FileProblem::Other, "Einheiten", "QUnit", F::OutOfRange,
        "70000", 3,
        "Il valore è al di fuori dell'intervallo che il campo può contenere. Tabella: Einheiten, Campo: QUnit, "
        "Valore: \"70000\"",
        "Il valore è al di fuori dell'intervallo che il campo può contenere. Campo: QUnit, Valore: \"70000\"");
    row("not finite", K::TypeMismatch, FileProblem::Other, "Betriebsdaten", "p1Max", F::NotFinite, "inf", 1,
        "The value is not a finite number. Table: Betriebsdaten, Field: p1Max, Value: \"inf\"",
        "The value is not a finite number. Field: p1Max, Value: \"inf\"");
    row("not a Boolean", K::TypeMismatch, implied, "Parameter", "MIN", F::NotBoolean, "vielleicht", 0,
        "Der Wert ist weder Ja noch Nein. Tabelle: Parameter, Feld: MIN, Wert: \"vielleicht\"",
        "Der Wert ist weder Ja noch Nein. Feld: MIN, Wert: \"vielleicht\"");
    row("a mismatch the engine found", K::TypeMismatch, implied, "_aktuell", "", F::None, {}, 0,
        "Der Wert passt nicht zum Typ des Feldes. Tabelle: _aktuell", "Der Wert passt nicht zum Typ des Feldes.");
    row("a code no list knows", K::Other, FileProblem::Damaged, "Stoffdaten", "Medium", F::NotAllowed, "42", 0,
        "Die Datei ist beschädigt. Der Wert ist an dieser Stelle nicht zulässig. Tabelle: Stoffdaten, Feld: Medium, "
        "Wert: \"42\"",
        "Die Datei ist beschädigt. Der Wert ist an dieser Stelle nicht zulässig. Feld: Medium, Wert: \"42\"");
    const QString longText = QStringLiteral("Eine Bemerkung, die viel länger ist als das, was eine Meldung zeigt");
    row("a long value shows its beginning", K::TypeMismatch, FileProblem::Damaged, "Ausdruck", "TextInfo",
        F::NotANumber, longText, 0,
        "Die Datei ist beschädigt. Der Wert ist keine Zahl. Tabelle: Ausdruck, Feld: TextInfo, Wert: "
        "\"Eine Bemerkung, die viel länger ist als \u2026\"",
        "Die Datei ist beschädigt. Der Wert ist keine Zahl. Feld: TextInfo, Wert: "
        "\"Eine Bemerkung, die viel länger ist als \u2026\"");
    // Causes the user acts on for the file as a whole: the table does not matter to them.
    row("locked", K::Other, FileProblem::Locked, "_aktuell", "", F::None, {}, 0,
        "Die Datei wird von einem anderen Programm verwendet.", "Die Datei wird von einem anderen Programm verwendet.");
    row("disk full", K::Other, FileProblem::DiskFull, "_aktuell", "", F::None, {}, 5, "Na disku není dostatek místa.",
        "Na disku není dostatek místa.");
    row("damage the engine found on the way", K::Other, FileProblem::Damaged, "", "", F::None, {}, 0,
        "Die Datei ist beschädigt.", "Die Datei ist beschädigt.");
    row("anything else the engine says", K::Other, FileProblem::Other, "9999", "", F::None, {}, 0,
        "Die Datenbank meldet einen unerwarteten Fehler. Tabelle: 9999", "Die Datenbank meldet einen unerwarteten Fehler.");
    // A companion at fault is the file to act on: it is named, and what is wrong with it.
    const QString link = QStringLiteral("The log file that belongs to it is not an ordinary file but a folder, a link, a "
                                        "named pipe or a device:\n/d/dbKenndaten.mdb-wal");
    row("a link at the write-ahead log", K::NoSuchFile, FileProblem::NotRegularFile, "", "", F::None, {}, 1, link, link,
        "/d/dbKenndaten.mdb-wal");
    const QString unreadable = QStringLiteral(
        "Die zugehörige Protokolldatei kann nicht gelesen werden:\n/d/dbKenndaten.mdb-journal\n\nZugriff verweigert: "
        "Es fehlt die Berechtigung, oder die Datei oder ihr Ordner ist schreibgeschützt.");
    row("an unreadable journal", K::Other, FileProblem::NoPermission, "", "", F::None, {}, 0, unreadable, unreadable,
        "/d/dbKenndaten.mdb-journal");
}

void TestFileMessages::everyDatabaseFailureSaysWhereAndWhat()
{
    QFETCH(int, kind);
    QFETCH(int, problem);
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(int, fault);
    QFETCH(QString, value);
    QFETCH(int, language);
    QFETCH(QString, reason);
    QFETCH(QString, inTable);
    QFETCH(QString, companion);
    DbError e(DbError::Kind(kind), QStringLiteral("/d/dbKenndaten.mdb"), table, QStringLiteral("what the layer says"),
              FileProblem(problem));
    if (!column.isEmpty())
        e.inColumn(column);
    if (fault != int(DbError::Fault::None))
        e.withValue(DbError::Fault(fault), value);
    if (!companion.isEmpty())
        e.atCompanion(companion);
    QCOMPARE(failureReason(e, language), reason);
    QCOMPARE(failureReasonInTable(e, language), inTable);
    // A message box names the file, then the same reason.
    QCOMPARE(uncaughtFailureMessage(e, language),
             getText(QStringLiteral("Datenbankfehler"), language) + QLatin1Char('\n') +
                 QDir::toNativeSeparators(QStringLiteral("/d/dbKenndaten.mdb")) + QStringLiteral("\n\n") + reason);
}

QTEST_GUILESS_MAIN(TestFileMessages)
#include "test_file_messages.moc"

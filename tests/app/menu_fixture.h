#pragma once

// The main window with the real calculation sheets on the generated seed data in a temporary documents folder,
// scripted desktop services and a fixed printer list. Shared by the suites of the file commands and the menus.

#include "app/main_window.h"
#include "app/program_parameters.h"
#include "app/project_file.h"
#include "app/sheet_host.h"
#include "platform/forms/scripted_ui_services.h"
#include "platform/print/printer_list.h"
#include "sheets/calc_flow.h"
#include "sheets/calc_size.h"
#include "state/shared_data.h"
#include "support/exec_sql.h"
#include "support/full_disk.h"
#include "units/data_folder.h"
#include "units/texts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace menufixture {

inline void resetShared()
{
    closeLanguageDatabase();
    SharedData &d = shared();
    d.rsVentil.reset();
    d.rsSprache.reset();
    d = SharedData();
}

inline QString defaultFile()
{
    return dataFile(QStringLiteral("Default.vls"));
}

using testsupport::fileBytes;

inline SharedData loaded(const QString &folder, const QString &base)
{
    SharedData d;
    LoadParameter(folder, base, d);
    return d;
}

// The first of the 134 project items in which two data sets differ, or an empty text.
inline QString firstDifference(const SharedData &a, const SharedData &b)
{
    for (const FileItem &item : projectItems())
        if (!fileitems::equal(a, b, item))
            return item.column;
    return QString();
}

using testsupport::execSql;
using testsupport::HeldDatabase;
using testsupport::holdExclusively;

// The characteristic database of the data folder, damaged while the program runs: "bytes" puts a text file in its
// place, "folder" a folder at its name (no regular file: nothing mends that), "locked" leaves it to another program
// (catalogueHolder), "writing" drops the table of series 3548 while another program writes the file (its
// write-ahead log holds an update of "9999" that is not yet committed); anything else is SQL run on it.
inline void damageCatalogue(const QString &damage)
{
    const QString catalogue = dataFile(QStringLiteral("dbKenndaten.mdb"));
    if (damage == QLatin1String("bytes")) {
        QFile file(catalogue);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Einkaufsliste: Ventile, Dichtungen\n");
    } else if (damage == QLatin1String("locked")) {
        return; // held by catalogueHolder for as long as the command runs
    } else if (damage == QLatin1String("writing")) {
        execSql(catalogue, QStringLiteral("PRAGMA journal_mode = WAL; DROP TABLE \"3548\""));
    } else if (damage == QLatin1String("folder")) {
        QVERIFY(QFile::remove(catalogue));
        QVERIFY(QDir().mkpath(catalogue));
    } else {
        execSql(catalogue, damage);
    }
}

// Another program holding the catalogue while the holder lives, for the damage "locked"; else nothing is held.
inline HeldDatabase catalogueHolder(const QString &damage)
{
    if (damage == QLatin1String("writing")) {
        HeldDatabase held(nullptr, &sqlite3_close);
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(dataFile(QStringLiteral("dbKenndaten.mdb"))).constData(), &db);
        held.reset(db);
        if (sqlite3_exec(db, "BEGIN IMMEDIATE; UPDATE \"9999\" SET Kvs = 66.6", nullptr, nullptr, nullptr) != SQLITE_OK)
            held.reset();
        return held;
    }
    if (damage != QLatin1String("locked"))
        return HeldDatabase(nullptr, &sqlite3_close);
    return holdExclusively(dataFile(QStringLiteral("dbKenndaten.mdb")));
}

// The one message of a command that met a damaged catalogue names the catalogue, then either the reason it cannot
// be opened (`reason`) or, when it was mended, the file it was kept as and the user-defined valve only that holds.
inline void checkCatalogueNamed(const std::vector<ScriptedUiServices::Message> &messages, const QString &reason)
{
    QCOMPARE(messages.size(), std::size_t(1));
    const QString text = messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("Eine Datei des Programms kann nicht geöffnet werden:\n") +
                             QDir::toNativeSeparators(dataFile(QStringLiteral("dbKenndaten.mdb"))) +
                             QStringLiteral("\n\n")),
             qPrintable(text));
    if (!reason.isEmpty()) {
        QVERIFY2(text.endsWith(QStringLiteral("\n\n") + reason), qPrintable(text));
        return;
    }
    const QStringList kept = QDir(dataFolder()).entryList({QStringLiteral("dbKenndaten *.mdb")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(text.contains(QStringLiteral("\n\nSie wurde aufbewahrt als:\n") +
                           QDir::toNativeSeparators(dataFile(kept.at(0))) + QStringLiteral("\n\n")) &&
                 text.endsWith(QStringLiteral("Das benutzerdefinierte Ventil 9999 mit Ihren Werten steht nur in der "
                                              "aufbewahrten Datei.")),
             qPrintable(text));
}

// Everything a sheet shows, control by control, for comparing two loads of it.
inline QStringList sheetPicture(const Form &sheet)
{
    QStringList out;
    for (const Control *c : sheet.controls()) {
        QString v;
        if (const auto *t = dynamic_cast<const TextBox *>(c))
            v = t->text();
        else if (const auto *cb = dynamic_cast<const ComboBox *>(c))
            v = QString::number(cb->listIndex()) + QLatin1Char(' ') + cb->text() + QLatin1Char(' ') +
                cb->items().join(QLatin1Char('|'));
        else if (const auto *l = dynamic_cast<const Label *>(c))
            v = l->caption();
        else if (const auto *o = dynamic_cast<const OptionButton *>(c))
            v = QString::number(o->value()) + QLatin1Char(' ') + QString::number(o->enabled());
        else if (const auto *k = dynamic_cast<const CheckBox *>(c))
            v = QString::number(k->value());
        else
            continue;
        out << c->name() + QLatin1Char('=') + v + (c->visible() ? QString() : QStringLiteral(" (hidden)"));
    }
    return out;
}

// Whether a form was unloaded, learnt without keeping a pointer to it: collect() may destroy it at any time.
class UnloadWatch : public FormObserver {
public:
    explicit UnloadWatch(Form &form) : form_(&form) { form.addObserver(this); }
    ~UnloadWatch() override
    {
        if (form_)
            form_->removeObserver(this);
    }
    UnloadWatch(const UnloadWatch &) = delete;
    UnloadWatch &operator=(const UnloadWatch &) = delete;

    bool unloaded() const { return unloaded_; }

    void formChanged(Form &form, Prop what) override
    {
        if (what == Prop::Loaded && !form.isLoaded())
            unloaded_ = true;
        if (what == Prop::Destroyed) {
            unloaded_ = true;
            form_ = nullptr;
        }
    }
    void controlChanged(Control &, Prop) override {}

private:
    Form *form_;
    bool unloaded_ = false;
};

class Fixture {
public:
    QTemporaryDir tmp;
    ScriptedUiServices ui;
    FixedPrinterList printers;
    // The printers the machine has when the main window starts (the default is the first).
    QStringList installedPrinters{QStringLiteral("Office")};
    std::unique_ptr<frmMDIMain> w;
    // The beeps of the start and of its first New, which shows the first sheet.
    int startUpBeeps = 0;

    // Once per suite: a documents folder of our own and the build tree's program folder.
    void initSuite()
    {
        QVERIFY(tmp.isValid());
        QDir().mkpath(tmp.filePath(QStringLiteral("home")));
        QDir().mkpath(tmp.filePath(QStringLiteral("config")));
        qputenv("HOME", QFile::encodeName(tmp.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(tmp.filePath(QStringLiteral("config"))));
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        uiScope_ = std::make_unique<UiServicesScope>(ui);
        printerScope_ = std::make_unique<PrinterListScope>(printers);
        QDir().mkpath(projects());
    }

    // Per case: a fresh data folder from the seed, the main window started and New chosen (the sizing sheet of
    // the default project is showing). `change` edits the stored default project before the start.
    void start(const std::function<void(SharedData &)> &change = {})
    {
        resetShared();
        QDir(dataFolder()).removeRecursively();
        QDir(projects()).removeRecursively();
        QDir().mkpath(projects());
        QString error;
        QVERIFY2(ensureDataFolder(QStringLiteral(QUENDRA_SEED_DIR), &error), qPrintable(error));
        {
            SharedData d;
            LoadProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
            LoadParameter(dataFolder(), QStringLiteral("Default"), d);
            d.Benutzername = QStringLiteral("Tester"); // no name question on New
            if (change)
                change(d);
            SaveProgrammParameter(dataFolder(), QStringLiteral("Default"), d);
            SaveParameter(dataFolder(), QStringLiteral("Default"), d);
        }
        ui.reset();
        printers.set(installedPrinters.value(0), installedPrinters);
        sheethost::registerSheet(SheetKind::CalcSize, sheethost::hooksFor(calcSizeSheet()));
        sheethost::registerSheet(SheetKind::CalcFlow, sheethost::hooksFor(frmCalcFlow()));
        w = std::make_unique<frmMDIMain>();
        w->load();
        QVERIFY(!w->startFailed());
        QVERIFY(w->mnuNeu.userChoose());
        formruntime::collect();
        startUpBeeps = ui.beepCount();
        // The cases count their own beeps and messages (the sheet's first recalculation may warn).
        ui.reset();
    }

    void stop()
    {
        calcSizeSheet().unload();
        frmCalcFlow().unload();
        w.reset();
        formruntime::collect();
        sheethost::registerSheet(SheetKind::CalcSize, {});
        sheethost::registerSheet(SheetKind::CalcFlow, {});
        setProgramFolder(QStringLiteral(QUENDRA_PROGRAM_DIR));
        if (QFile::exists(defaultFile()))
            QFile::setPermissions(defaultFile(), QFile::ReadOwner | QFile::WriteOwner);
        resetShared();
    }

    // A folder for the user's project files.
    QString projects() const { return tmp.filePath(QStringLiteral("projects")); }

    // The sheet of the current mode, while loaded.
    Form *sheet() const
    {
        if (shared().Modus == 0)
            return calcSizeSheet().ifLoaded();
        if (shared().Modus == 1)
            return frmCalcFlow().ifLoaded();
        return nullptr;
    }

    ComboBox &list(const char *name) const
    {
        Form *s = sheet();
        Q_ASSERT(s);
        auto *c = dynamic_cast<ComboBox *>(s->control(QString::fromLatin1(name)));
        Q_ASSERT(c);
        return *c;
    }

    // The user opens the menus on the way to an entry (each title's Click runs) and chooses it.
    bool choose(Menu &entry)
    {
        std::vector<Menu *> path;
        for (Menu *m = entry.parentMenu(); m; m = m->parentMenu())
            path.insert(path.begin(), m);
        for (Menu *m : path)
            m->userOpen();
        const bool chosen = entry.userChoose();
        formruntime::collect();
        return chosen;
    }

    // A project file in the projects folder holding the shared data as `change` leaves them.
    QString saveProject(const QString &base, const std::function<void(SharedData &)> &change)
    {
        const QString path = QDir(projects()).filePath(base + QStringLiteral(".vls"));
        QFile::copy(QStringLiteral(QUENDRA_PROGRAM_DIR "/blank.vls"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        SharedData d = loaded(dataFolder(), QStringLiteral("Default"));
        change(d);
        SaveParameter(projects(), base, d);
        return path;
    }

private:
    std::unique_ptr<UiServicesScope> uiScope_;
    std::unique_ptr<PrinterListScope> printerScope_;
};

} // namespace menufixture

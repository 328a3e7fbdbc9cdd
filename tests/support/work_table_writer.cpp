// Rebuilds the work table of a characteristic database through the program's own code and is killed there, so
// that the test that kills it finds the file as a killed program leaves it.
// Usage: work_table_writer <file> <series> hold|loop
//   hold: one rebuild that changes the table; as its commit begins, prints "ready" and waits to be killed.
//   loop: rebuilds the table again and again, alternating between two requests; prints "running" after the
//         first rebuild and goes on until killed.

#include "engine/candidate_table.h"
#include "platform/db/database.h"
#include "state/shared_data.h"
#include "support/fixture_catalogue.h"

#include <QCoreApplication>
#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Every row of characteristic 1, or the rows of one size: two requests whose tables differ.
void rebuild(bool allSizes)
{
    SharedData &s = shared();
    update_Tabelle_aktuell(*s.rsVentil, 1, QStringLiteral("50"), 0, 0.0f, 0, allSizes, true);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4 || (std::strcmp(argv[3], "hold") != 0 && std::strcmp(argv[3], "loop") != 0)) {
        std::fprintf(stderr, "usage: work_table_writer <file> <series> hold|loop\n");
        return 2;
    }
    try {
        SharedData &s = shared();
        s.dbKenndaten = Database::open(QString::fromLocal8Bit(argv[1]));
        testsupport::openSeries(QString::fromLocal8Bit(argv[2]));
        if (std::strcmp(argv[3], "hold") == 0) {
            // The table is made to hold the other request first, so that the rebuild below changes it.
            rebuild(false);
            s.dbKenndaten->useWriteAheadLog(); // done by the rebuild already; its own commit must not reach the hook
            sqlite3_commit_hook(
                s.dbKenndaten->handle(),
                [](void *) -> int {
                    std::printf("ready\n");
                    std::fflush(stdout);
                    for (;;)
                        pause();
                },
                nullptr);
            rebuild(true);
            std::fprintf(stderr, "the rebuild committed without reaching the hook\n");
            return 1;
        }
        for (long i = 0;; ++i) {
            rebuild(i % 2 == 0);
            if (i == 0) {
                std::printf("running\n");
                std::fflush(stdout);
            }
        }
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
}

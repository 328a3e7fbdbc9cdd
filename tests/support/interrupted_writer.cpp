// Starts a large write transaction on a database file and waits inside it to be killed, so that the test that
// killed it finds the journal of an interrupted save beside the file, as a killed program leaves it.
// Usage: interrupted_writer <file> <SQL run first inside the transaction>
// Prints "ready" once the uncommitted change has reached the file itself.

#include <sqlite3.h>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: interrupted_writer <file> <sql>\n");
        return 2;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    // A page cache of a few pages: the changed pages spill into the file long before the commit.
    const char *steps[] = {
        "PRAGMA cache_size = 2",
        "BEGIN",
        argv[2],
        "CREATE TABLE q_ballast (b)",
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
        "INSERT INTO q_ballast SELECT randomblob(3000) FROM n",
    };
    for (const char *sql : steps) {
        char *error = nullptr;
        if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, error ? error : "?");
            return 1;
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        pause();
}

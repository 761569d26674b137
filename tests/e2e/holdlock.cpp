// Holds an exclusive lock on a database file until killed: another program's open
// transaction, as the programs meet it in the field.
#include <sqlite3.h>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: e2e_holdlock DATABASE\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot lock %s\n", argv[1]);
        return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    for (;;)
        pause();
}

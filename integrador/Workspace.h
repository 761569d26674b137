#pragma once
// The host's workspace: its folder, its database and its entry in KZ000.INI.
#include <QString>
#include <QList>
#include <QStringList>

namespace integrador {

inline constexpr const char* kDbName = "ZAV.MDB";
inline constexpr const char* kIniName = "KZ000.INI";
inline constexpr const char* kIniSection = "Options";
inline constexpr const char* kSysVersion = "1.0";
inline constexpr const char* kSysMenu = "1";

struct DatabaseOptions {
    bool demo = false;          // taxpayers in CONT
    bool moduleTables = true;   // F0947_PTCEA and HF0947_PTCEA, made by the module's
                                // installer (left out to stand for a database it has not
                                // run on yet)
};

// Creates a new database file with every table and the reference rows, in one
// transaction. Refuses an existing file. On failure no file is left behind and error
// holds the reason.
bool CreateDatabase(const QString& file, const DatabaseOptions& options, QString* error = nullptr);

struct InitResult {
    bool ok = false;
    QString message;   // the reason of a refusal or failure
    QString sysPath;   // the host folder, with a trailing "/"
    QString dbFile;    // the database file
    QString iniFile;   // KZ000.INI in the Windows folder
};

// Makes dir the host folder: RPT/, TMP/ (an existing "tmp" of any case serves), 0947/,
// the database with the module installed by TAB947's installer from tmp/env947.txt
// (written with the demonstration descriptors when missing), and the keys SysPath, SysVersion, DBPath, DBName, SysMenu and SysUser of
// KZ000.INI. Refuses a folder that already holds the database.
InitResult InitWorkspace(const QString& dir, bool demo);

// SysPath as KZ000.INI holds it; empty when unset.
QString ConfiguredSysPath();

// The database file KZ000.INI names (DBPath & DBName); empty when unset.
QString ConfiguredDatabase();

// Names of the files in the TMP folder of sysPath, sorted; empty when it is missing.
QStringList TmpEntries(const QString& sysPath);

// A declaration stored in CAB, as the batch programs' command line names it.
struct StoredDeclaration {
    int tipDoc = 0;
    QString docId;
    QString periodo;    // "YYYYMM", or "YYYY" for a yearly one
    QString formulario;
    int semana = 0;
};

// The declarations of CAB, in key order. Empty with the reason when the file cannot be read.
QList<StoredDeclaration> StoredDeclarations(const QString& dbFile, QString* error = nullptr);

// The 36-character line the host hands to 0947REP and 0947CNSINF: type (2 digits),
// number (15, blank-padded), form (4), period (6, "YYYY00" for a yearly one), week (1)
// and receipt number (8, zero-padded on the left when shorter).
QString BatchCommandLine(const StoredDeclaration& d, const QString& nroConstancia);

// The program of the folder this program runs from; empty with the reason when it is
// not there. Only a bare name is taken.
QString FindProgram(const QString& program, QString* error = nullptr);

// Starts a program of the folder this program runs from, detached. Only a bare name is
// taken. False with the reason when it is missing or does not start.
bool StartProgram(const QString& program, const QStringList& arguments, QString* error = nullptr);

// Exit status of a program that did not start: a shell's "command not found".
inline constexpr int kProgramNotStarted = 127;

// Runs a program of the folder this program runs from and waits for it to end, its
// output and error output passed through: its exit status. When it is missing or does
// not start, kProgramNotStarted; when it ends abnormally, 128 plus the signal, as a
// shell reports it; the reason in both cases.
int RunProgram(const QString& program, const QStringList& arguments, QString* error = nullptr);

} // namespace integrador

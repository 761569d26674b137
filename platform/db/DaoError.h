#pragma once

#include <QString>

#include <stdexcept>

namespace dao {

// Error numbers callers test for; the numbers are the engine's own.
namespace err {
constexpr int ReservedError = 3000;
constexpr int InvalidArgument = 3001;
constexpr int TableExists = 3010;
constexpr int UpdateWithoutEdit = 3020;
constexpr int NoCurrentRecord = 3021;
constexpr int DuplicateKey = 3022;
constexpr int FileNotFound = 3024;
constexpr int DiskFull = 3026;
constexpr int ReadOnly = 3027;
constexpr int NoTransaction = 3034;
constexpr int DiskError = 3043;
constexpr int InvalidPath = 3044;
constexpr int CorruptDatabase = 3049;
constexpr int FileLocked = 3051;
constexpr int TooFewParameters = 3061;
constexpr int SelectInExecute = 3065;
constexpr int SyntaxError = 3075;
constexpr int TableNotFound = 3078;
constexpr int TextAfterStatement = 3142;
constexpr int FieldTooSmall = 3163;
constexpr int RecordDeleted = 3167;
constexpr int DatabaseExists = 3204;
constexpr int InvalidOperation = 3219;
constexpr int ItemNotFound = 3265;
constexpr int PrimaryKeyExists = 3283;
constexpr int FieldRequired = 3314;
constexpr int UnrecognizedFormat = 3343;
constexpr int NumericOverflow = 3349;
constexpr int IndexExists = 3375;
constexpr int ObjectInvalid = 3420;
constexpr int ConversionError = 3421;
} // namespace err

class DaoError : public std::runtime_error {
public:
    // Description is the standard text of the number (in Spanish, the users' language),
    // with arg filling its placeholder; detail (the engine's own message) goes to what()
    // only.
    explicit DaoError(int number, const QString& arg = {}, const QString& detail = {});

    int Number;
    QString Description;

    static QString StandardDescription(int number, const QString& arg = {});
};

} // namespace dao

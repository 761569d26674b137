#pragma once

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <functional>
#include <memory>

namespace dbtest {

// The error number a call throws, 0 when it throws none.
inline int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const dao::DaoError& e) {
        return e.Number;
    }
    return 0;
}

// A plain second connection, as another program on the same file would hold it.
class RawConnection {
public:
    explicit RawConnection(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(db_); }
    int exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3* db_ = nullptr;
};

// A fresh database in a temporary folder with a few tables shaped like the module's.
class DbFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("base.db"));
        dao::Database::CreateEmpty(path_);
        db_ = dao::Database::Open(path_);
        db_->Execute(QStringLiteral(
            "CREATE TABLE F0947_PTCEA ([tip_doc_d] Byte, [doc_id_d] text(15), [periodo] Text(6), "
            "[formulario] Text (4), [Anho] text(4), [Importe] text(15), [cnumero] Text(6), "
            "CONSTRAINT PK_F0947_PTCEA PRIMARY KEY ([tip_doc_d], [doc_id_d], [periodo], [formulario], [Anho]))"));
        db_->Execute(QStringLiteral(
            "CREATE TABLE CONT (TIP_DOC_D BYTE, DOC_ID_D TEXT(15), SEMANA LONG NOT NULL DEFAULT 0, "
            "NOMBRE TEXT(60), ESTADO TEXT(1) DEFAULT '0')"));
    }

    void addLoss(const QString& doc, const QString& anho, const QString& importe)
    {
        db_->Execute(QStringLiteral("INSERT INTO F0947_PTCEA VALUES (6, ?, '201305', '0947', ?, ?, '0')"), 0,
                     {doc, anho, importe});
    }

    int count(const QString& table)
    {
        auto rs = db_->OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") + table, dao::dbOpenSnapshot);
        return static_cast<int>(rs->Fields(0).Value().toInt64());
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<dao::Database> db_;
};

} // namespace dbtest

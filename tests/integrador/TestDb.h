#pragma once
// Reads a database made by the host stand-in straight through SQLite.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace integrador::test {

class TestDb {
public:
    explicit TestDb(const QString& file)
    {
        if (sqlite3_open_v2(file.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr)
            != SQLITE_OK) {
            ADD_FAILURE() << "cannot open " << file.toStdString();
        }
    }
    ~TestDb() { sqlite3_close(db_); }
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    sqlite3* handle() const { return db_; }

    struct ColumnInfo {
        QString name;
        QString type;
        bool notNull;
        QString defaultValue;
        int pk; // position in the primary key, from 1; 0 when not part of it
    };

    std::vector<ColumnInfo> columns(const QString& table)
    {
        std::vector<ColumnInfo> out;
        for (const QVariantList& r : rows(QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk "
                                                         "FROM pragma_table_info(?1)"),
                                          {table}))
            out.push_back({r[0].toString(), r[1].toString(), r[2].toInt() != 0, r[3].toString(),
                           r[4].toInt()});
        return out;
    }

    QStringList columnNames(const QString& table)
    {
        QStringList n;
        for (const ColumnInfo& c : columns(table))
            n << c.name;
        return n;
    }

    // Every row of a query; parameters are bound in order.
    std::vector<QVariantList> rows(const QString& sql, const QVariantList& params = {})
    {
        std::vector<QVariantList> out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
            return out;
        }
        bind(st, params);
        while (sqlite3_step(st) == SQLITE_ROW) {
            QVariantList r;
            for (int i = 0; i < sqlite3_column_count(st); ++i) {
                switch (sqlite3_column_type(st, i)) {
                case SQLITE_NULL: r << QVariant(); break;
                case SQLITE_INTEGER: r << QVariant(qlonglong(sqlite3_column_int64(st, i))); break;
                case SQLITE_FLOAT: r << QVariant(sqlite3_column_double(st, i)); break;
                default:
                    r << QVariant(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
                }
            }
            out.push_back(r);
        }
        sqlite3_finalize(st);
        return out;
    }

    QVariant value(const QString& sql, const QVariantList& params = {})
    {
        const auto r = rows(sql, params);
        return r.empty() || r.front().isEmpty() ? QVariant() : r.front().front();
    }

    // The SQLite result code of running a statement once.
    int exec(const QString& sql, const QVariantList& params = {})
    {
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr);
        if (rc != SQLITE_OK)
            return rc;
        bind(st, params);
        rc = sqlite3_step(st);
        sqlite3_finalize(st);
        return rc;
    }

private:
    static void bind(sqlite3_stmt* st, const QVariantList& params)
    {
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& p = params[i];
            if (p.typeId() == QMetaType::Int || p.typeId() == QMetaType::LongLong) {
                sqlite3_bind_int64(st, i + 1, p.toLongLong());
            } else if (p.typeId() == QMetaType::Double) {
                sqlite3_bind_double(st, i + 1, p.toDouble());
            } else if (p.isNull()) {
                sqlite3_bind_null(st, i + 1);
            } else {
                const QByteArray u = p.toString().toUtf8();
                sqlite3_bind_text(st, i + 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            }
        }
    }

    sqlite3* db_ = nullptr;
};

} // namespace integrador::test

#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <vector>

// Small real database files for the store's tests, written and read through a
// connection of their own so the code under test is not used to check itself.
namespace tavrin::fixture {

// One row of gupiao: ID (null: let the database choose), mingcheng, daima, cjjg,
// cjsl, yjjg, yjnr. A null QVariant is a NULL.
using Row = QVariantList;

// Creates the database file with table gupiao as a first run makes it, and the rows.
// Returns false on failure.
bool createDatabase(const QString& path, const std::vector<Row>& rows = {});

// A connection of the test's own.
class RawDatabase {
public:
    explicit RawDatabase(const QString& path);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    bool exec(const QString& sql, const QVariantList& bindings = {});
    // The first column of the first row; an invalid QVariant when there is none.
    QVariant value(const QString& sql, const QVariantList& bindings = {});

private:
    QString m_name;
};

QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

} // namespace tavrin::fixture

#pragma once
// The pass-through tables: record buffers through which SQL text is run and its rows read.
// Columns of a result set fill the record's fields by position (the select list is written to
// match), each field keeping its declared type:
//
//   ZAPYTANIESQL  (ZAP:)   1 DECIMAL(15,2); 2, 3 CSTRING(151); 4 to 12 DECIMAL(15,2);
//                          13 to 20 CSTRING(256)
//   ZAPYTANIESQL1 (ZAP2:)  1 to 4 DECIMAL(15,2); 5 to 20 CSTRING(256)
//   VAX_FK        (VAX:)   1 to 30 CSTRING(256)
//   VAY_FK        (VAY:)   1 CSTRING(501); 2 to 30 CSTRING(256)
//
// A text field keeps at most its width (CSTRING(n): n-1 characters). A number arriving in a
// text field is written in plain decimal ("12", "1234.50"), a null as an empty text. A numeric
// field takes numbers, numeric text and null (as 0); text that is not a number becomes 0, as the
// old runtime stored it, and so does a number beyond DECIMAL(15,2). Columns beyond the last
// field are dropped; fields beyond the last column are blank (0 or empty).
//
// Each thread has its own buffers, each buffer one open result set at a time: running a new
// statement on a buffer discards the rows of the previous one. The execution calls that fill
// them are utilka's (siblings/utilka/Gateway.h).
#include "platform/Decimal.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace pravik::sql {
class Cursor;
}

namespace korda {

enum class PassThroughId { ZAPYTANIESQL, ZAPYTANIESQL1, VAX_FK, VAY_FK };

enum class FieldType { Decimal, Text };

struct FieldDef {
    FieldType type = FieldType::Text;
    int width = 0; // characters a text field holds
};

// One thread's record and open result set of a pass-through table.
class PassThroughRecord {
public:
    explicit PassThroughRecord(PassThroughId id);
    ~PassThroughRecord();
    PassThroughRecord(const PassThroughRecord&) = delete;
    PassThroughRecord& operator=(const PassThroughRecord&) = delete;

    PassThroughId id() const { return m_id; }
    QString name() const;       // "ZAPYTANIESQL"
    QString prefix() const;     // "ZAP"
    FieldDef field(int position) const; // 1-based

    // Fields, 1-based. Texts come without trailing blanks. A position outside the record gives
    // an empty text or 0.
    QString text(int position) const;
    // A numeric field's amount, or a text field's numeric text converted (0 when not a number).
    pravik::Decimal dec(int position) const;
    // The same as a whole number (decimals dropped).
    qint64 number(int position) const;
    // How many columns the current row had (0 when the record is blank).
    int columnsFilled() const { return m_filled; }

    // Fills the record from one row, by position, as the header describes.
    void fill(const QList<QVariant>& values);
    void clear();

    // The open result set (owned by the record from now on), replacing any earlier one.
    void attach(std::unique_ptr<pravik::sql::Cursor> cursor);
    // Reads the next row into the record. 0 when a row was read; otherwise the error code the
    // runtime gave for NEXT: 33 past the last row (or with no result set at all), a driver error
    // code when reading failed (errorText() says why). Sets runtimeStatus(); a failed read
    // counts as a failure of the statement and is reported to the error sink.
    int next();
    QString errorText() const { return m_errorText; }
    // Frees the open result set.
    void close();

private:
    int readNext();

    PassThroughId m_id;
    QList<FieldDef> m_layout;
    QList<pravik::Decimal> m_amounts;
    QList<QString> m_texts;
    int m_filled = 0;
    std::unique_ptr<pravik::sql::Cursor> m_cursor;
    QString m_errorText;
};

// The calling thread's record of a pass-through table.
PassThroughRecord& passThrough(PassThroughId id);
// Closes the calling thread's open result sets and blanks its records.
void closeAllPassThrough();

// A pass-through table as the module names it: ZAPYTANIESQL.text(2), VAX_FK.next() work on the
// calling thread's record.
class PassThroughTable {
public:
    constexpr explicit PassThroughTable(PassThroughId id) : m_id(id) {}

    PassThroughRecord& record() const { return passThrough(m_id); }
    PassThroughRecord* operator->() const { return &record(); }

    PassThroughId id() const { return m_id; }
    int next() const { return record().next(); }
    QString text(int position) const { return record().text(position); }
    pravik::Decimal dec(int position) const { return record().dec(position); }
    qint64 number(int position) const { return record().number(position); }
    int columnsFilled() const { return record().columnsFilled(); }
    void close() const { record().close(); }

private:
    PassThroughId m_id;
};

inline constexpr PassThroughTable ZAPYTANIESQL{PassThroughId::ZAPYTANIESQL};
inline constexpr PassThroughTable ZAPYTANIESQL1{PassThroughId::ZAPYTANIESQL1};
inline constexpr PassThroughTable VAX_FK{PassThroughId::VAX_FK};
inline constexpr PassThroughTable VAY_FK{PassThroughId::VAY_FK};

// A database value as a text field receives it: null -> "", whole numbers and integers in plain
// decimal, fractional numbers to two decimals when they are amounts ("1234.50"), true/false as
// 1/0, text as it is.
QString valueAsText(const QVariant& value);

} // namespace korda

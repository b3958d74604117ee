#include "siblings/korda/PassThrough.h"

#include "siblings/korda/RuntimeStatus.h"

#include "platform/ErrorSink.h"
#include "platform/sql/Cursor.h"
#include "platform/sql/ErrorCodes.h"

#include <QDate>
#include <QDateTime>
#include <array>
#include <cmath>

namespace korda {

namespace {

constexpr int kZapFields = 20;
constexpr int kVaxFields = 30;

QList<FieldDef> layoutOf(PassThroughId id)
{
    QList<FieldDef> l;
    const FieldDef dec{FieldType::Decimal, 0};
    const FieldDef text255{FieldType::Text, 255};
    switch (id) {
    case PassThroughId::ZAPYTANIESQL:
        l.append(dec);
        l.append({FieldType::Text, 150});
        l.append({FieldType::Text, 150});
        while (l.size() < 12)
            l.append(dec);
        while (l.size() < kZapFields)
            l.append(text255);
        break;
    case PassThroughId::ZAPYTANIESQL1:
        while (l.size() < 4)
            l.append(dec);
        while (l.size() < kZapFields)
            l.append(text255);
        break;
    case PassThroughId::VAX_FK:
        while (l.size() < kVaxFields)
            l.append(text255);
        break;
    case PassThroughId::VAY_FK:
        l.append({FieldType::Text, 500});
        while (l.size() < kVaxFields)
            l.append(text255);
        break;
    }
    return l;
}

QString rightTrimmed(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return n == s.size() ? s : s.left(n);
}

QString clipTo(const QString& s, int width)
{
    if (s.size() <= width)
        return s;
    qsizetype n = width;
    if (n > 0 && s.at(n - 1).isHighSurrogate())
        --n;
    return s.left(n);
}

} // namespace

QString valueAsText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        const double hundredths = v * 100.0;
        // An amount stored as REAL: two decimals give it back exactly.
        if (std::isfinite(v) && std::fabs(hundredths) < 9.0e17
            && std::fabs(hundredths - std::round(hundredths)) < 1e-6 * std::max(1.0, std::fabs(hundredths))) {
            if (const auto d = pravik::Decimal::fromVariant(value))
                return d->toSqlLiteral();
        }
        return QString::number(v, 'g', 15);
    }
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    default:
        return value.toString();
    }
}

PassThroughRecord::PassThroughRecord(PassThroughId id) : m_id(id), m_layout(layoutOf(id))
{
    m_amounts.resize(m_layout.size());
    m_texts.resize(m_layout.size());
}

PassThroughRecord::~PassThroughRecord() = default;

QString PassThroughRecord::name() const
{
    switch (m_id) {
    case PassThroughId::ZAPYTANIESQL: return QStringLiteral("ZAPYTANIESQL");
    case PassThroughId::ZAPYTANIESQL1: return QStringLiteral("ZAPYTANIESQL1");
    case PassThroughId::VAX_FK: return QStringLiteral("VAX_FK");
    case PassThroughId::VAY_FK: return QStringLiteral("VAY_FK");
    }
    return QString();
}

QString PassThroughRecord::prefix() const
{
    switch (m_id) {
    case PassThroughId::ZAPYTANIESQL: return QStringLiteral("ZAP");
    case PassThroughId::ZAPYTANIESQL1: return QStringLiteral("ZAP2");
    case PassThroughId::VAX_FK: return QStringLiteral("VAX");
    case PassThroughId::VAY_FK: return QStringLiteral("VAY");
    }
    return QString();
}

FieldDef PassThroughRecord::field(int position) const
{
    if (position < 1 || position > m_layout.size())
        return {};
    return m_layout.at(position - 1);
}

QString PassThroughRecord::text(int position) const
{
    if (position < 1 || position > m_layout.size())
        return QString();
    const int i = position - 1;
    if (m_layout.at(i).type == FieldType::Decimal)
        return m_amounts.at(i).toSqlLiteral();
    return rightTrimmed(m_texts.at(i));
}

pravik::Decimal PassThroughRecord::dec(int position) const
{
    if (position < 1 || position > m_layout.size())
        return {};
    const int i = position - 1;
    if (m_layout.at(i).type == FieldType::Decimal)
        return m_amounts.at(i);
    return pravik::Decimal::parse(m_texts.at(i)).value_or(pravik::Decimal());
}

qint64 PassThroughRecord::number(int position) const
{
    return dec(position).units();
}

void PassThroughRecord::fill(const QList<QVariant>& values)
{
    clear();
    const qsizetype n = std::min(values.size(), m_layout.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QVariant& v = values.at(i);
        if (m_layout.at(i).type == FieldType::Decimal) {
            // Text that is not a number, and a number too large for the field, store 0.
            m_amounts[i] = pravik::Decimal::fromVariant(v).value_or(pravik::Decimal());
        } else {
            m_texts[i] = clipTo(valueAsText(v), m_layout.at(i).width);
        }
    }
    m_filled = int(n);
}

void PassThroughRecord::clear()
{
    for (qsizetype i = 0; i < m_layout.size(); ++i) {
        m_amounts[i] = pravik::Decimal();
        m_texts[i].clear();
    }
    m_filled = 0;
}

void PassThroughRecord::attach(std::unique_ptr<pravik::sql::Cursor> cursor)
{
    close();
    m_cursor = std::move(cursor);
}

RuntimeStatus& runtimeStatus()
{
    thread_local RuntimeStatus status;
    return status;
}

int PassThroughRecord::next()
{
    const int code = readNext();
    RuntimeStatus& st = runtimeStatus();
    st.errorCode = code;
    if (code == pravik::sql::kNoError || code == pravik::sql::kRecordNotAvailable) {
        st.errorText.clear();
        return code;
    }
    // Rows lost half-way (a dropped connection) must not pass for the end of the result set.
    st.errorText = m_errorText;
    st.statementFailed = true;
    st.failureShown = false;
    st.noteFailure(m_errorText);
    pravik::errorSink().report(pravik::ErrorKind::Sql, st.statement, m_errorText);
    return code;
}

int PassThroughRecord::readNext()
{
    m_errorText.clear();
    if (!m_cursor)
        return pravik::sql::kRecordNotAvailable;
    if (m_cursor->next()) {
        const int columns = m_cursor->columnCount();
        QList<QVariant> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(m_cursor->value(c));
        fill(row);
        return pravik::sql::kNoError;
    }
    const int code = m_cursor->errorCode();
    if (code != pravik::sql::kNoError) {
        m_errorText = m_cursor->errorText();
        m_cursor.reset();
        return code;
    }
    // The end of the rows: the server's side of the result set is no longer needed.
    m_cursor.reset();
    return pravik::sql::kRecordNotAvailable;
}

void PassThroughRecord::close()
{
    if (m_cursor) {
        m_cursor->close();
        m_cursor.reset();
    }
}

PassThroughRecord& passThrough(PassThroughId id)
{
    thread_local std::array<std::unique_ptr<PassThroughRecord>, 4> records;
    auto& slot = records[static_cast<size_t>(id)];
    if (!slot)
        slot = std::make_unique<PassThroughRecord>(id);
    return *slot;
}

void closeAllPassThrough()
{
    for (PassThroughId id : {PassThroughId::ZAPYTANIESQL, PassThroughId::ZAPYTANIESQL1,
                             PassThroughId::VAX_FK, PassThroughId::VAY_FK}) {
        PassThroughRecord& r = passThrough(id);
        r.close();
        r.clear();
    }
}

} // namespace korda

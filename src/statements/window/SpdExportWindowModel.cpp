#include "statements/window/SpdExportWindowModel.h"

#include "siblings/korda/Session.h"

#include <QDate>

namespace pravik::statements {

namespace {

QString shown(DayNumber d)
{
    return dateFromDay(d).toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

const QString SpdExportWindowModel::kTitle = QStringLiteral("Eksport do pliku wg formatu SPD");

SpdExportWindowModel::SpdExportWindowModel(DayNumber to, int periodType, DayNumber yearStart) : m_to(to), m_yearStart(yearStart)
{
    m_settings.fields[2] = QStringLiteral("|");
    m_settings.fields[3] = QStringLiteral("\"");
    m_settings.businessDate = spdBusinessDate(to, periodType);
}

QString SpdExportWindowModel::load(sql::Database& db, qint32 company)
{
    QString error;
    const DayNumber date = m_settings.businessDate;
    m_settings = loadSpdSettings(db, company, &error);
    m_settings.businessDate = date;
    return error;
}

std::optional<QString> SpdExportWindowModel::accept() const
{
    if (const auto p = m_settings.problem())
        return p;
    const DayNumber d = m_settings.businessDate;
    if (d <= 0 || !dateFromDay(d).isValid())
        return QStringLiteral("Proszę podać datę biznesową.");
    if (m_to > 0 && d > m_to)
        return QStringLiteral("Data biznesowa %1 jest późniejsza niż koniec okresu sprawozdania (%2).").arg(shown(d), shown(m_to));
    if (m_yearStart > 0 && d < m_yearStart)
        return QStringLiteral("Data biznesowa %1 jest wcześniejsza niż początek roku obrotowego (%2).").arg(shown(d), shown(m_yearStart));
    return std::nullopt;
}

void SpdExportWindowModel::toSession(::korda::Session& s) const
{
    for (size_t i = 0; i < m_settings.fields.size(); ++i)
        s.GGG_SPEC_EKSPORT[i] = m_settings.fields[i];
    s.GGG_SPEC_EKSPORT[10] = m_settings.businessDate > 0 ? shown(m_settings.businessDate) : QString();
}

void SpdExportWindowModel::fromSession(const ::korda::Session& s)
{
    for (size_t i = 0; i < m_settings.fields.size(); ++i)
        m_settings.fields[i] = s.GGG_SPEC_EKSPORT[i].text();
    const QDate d = QDate::fromString(QString(s.GGG_SPEC_EKSPORT[10]).trimmed(), Qt::ISODate);
    m_settings.businessDate = d.isValid() ? dayFromDate(d) : 0;
}

} // namespace pravik::statements

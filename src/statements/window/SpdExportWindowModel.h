#pragma once
// "Eksport do pliku wg formatu SPD" without widgets: the company's stored SPD settings with their
// defaults, the business date proposed for the period, and the checks of "Wykonaj". The settings
// travel to and from the session's GGG:SPEC_EKSPORT_1..11, where a host reads them.
#include "platform/DayNumber.h"
#include "statements/export/SpdExport.h"

#include <QString>
#include <optional>

namespace korda {
struct Session;
}

namespace pravik {

namespace sql {
class Database;
}

namespace statements {

class SpdExportWindowModel {
public:
    static const QString kTitle;

    // yearStart: the first day of the fiscal year; a business date before it is refused (0: not checked).
    SpdExportWindowModel(DayNumber to, int periodType, DayNumber yearStart);

    // The company's stored settings; the database's error text when they could not be read
    // (the defaults stand then).
    QString load(sql::Database& db, qint32 company);

    const SpdSettings& settings() const { return m_settings; }
    DayNumber to() const { return m_to; }
    void setSdCode(const QString& v) { m_settings.fields[0] = v; }
    void setEntityCode(const QString& v) { m_settings.fields[1] = v; }
    void setSeparator(const QString& v) { m_settings.fields[2] = v; }
    void setQualifier(const QString& v) { m_settings.fields[3] = v; }
    void setAccountNames(bool on) { m_settings.fields[4] = on ? QStringLiteral("1") : QString(); }
    void setBusinessDate(DayNumber d) { m_settings.businessDate = d; }

    // "Wykonaj": the message to show, or nullopt when the settings can be used.
    std::optional<QString> accept() const;

    void toSession(::korda::Session& s) const;
    // The settings as a host or a window left them in the session.
    void fromSession(const ::korda::Session& s);

private:
    SpdSettings m_settings;
    DayNumber m_to = 0;
    DayNumber m_yearStart = 0;
};

} // namespace statements
} // namespace pravik

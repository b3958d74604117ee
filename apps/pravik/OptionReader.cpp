#include "OptionReader.h"

#include "platform/Picture.h"
#include "platform/PrintableText.h"

namespace pravik::cli {

OptionReader::OptionReader(CommandContext& ctx, QString command, const QStringList& args)
    : m_ctx(ctx), m_command(std::move(command)), m_args(args)
{
}

bool OptionReader::next()
{
    if (++m_index >= m_args.size())
        return false;
    m_name = m_args.at(m_index);
    m_inline.clear();
    m_hasInline = false;
    const qsizetype eq = m_name.indexOf(QLatin1Char('='));
    if (m_name.startsWith(QLatin1String("--")) && eq > 0) {
        m_inline = m_name.mid(eq + 1);
        m_name = m_name.left(eq);
        m_hasInline = true;
    }
    return true;
}

bool OptionReader::value(QString* v)
{
    if (m_hasInline) {
        *v = m_inline;
        return true;
    }
    if (m_index + 1 >= m_args.size()) {
        m_ctx.error(QStringLiteral("%1: %2 needs a value").arg(m_command, printableText(m_name)));
        return false;
    }
    *v = m_args.at(++m_index);
    return true;
}

bool OptionReader::number(qint64 low, qint64 high, qint64* n)
{
    QString v;
    if (!value(&v))
        return false;
    bool ok = false;
    *n = v.toLongLong(&ok);
    if (!ok || *n < low || *n > high) {
        m_ctx.error(QStringLiteral("%1: %2 takes a whole number from %3 to %4, not %5")
                        .arg(m_command, m_name).arg(low).arg(high).arg(quotedInput(v)));
        return false;
    }
    return true;
}

bool OptionReader::number(int low, int high, int* n)
{
    qint64 wide = 0;
    if (!number(qint64(low), qint64(high), &wide))
        return false;
    *n = int(wide);
    return true;
}

bool OptionReader::date(std::optional<DayNumber>* d)
{
    QString v;
    if (!value(&v))
        return false;
    *d = parseDate(v);
    if (!*d || **d <= 0) {
        m_ctx.error(QStringLiteral("%1: %2 takes a date (dd-mm-yyyy or yyyy-mm-dd), not %3").arg(m_command, m_name, quotedInput(v)));
        return false;
    }
    return true;
}

QString OptionReader::optionalValue()
{
    if (m_hasInline)
        return m_inline;
    if (m_index + 1 < m_args.size() && !m_args.at(m_index + 1).startsWith(QLatin1String("--")))
        return m_args.at(++m_index);
    return QString();
}

bool OptionReader::unknown()
{
    m_ctx.error(QStringLiteral("%1: unknown option %2").arg(m_command, quotedInput(m_args.at(m_index))));
    return false;
}

bool OptionReader::fail(const QString& message)
{
    m_ctx.error(m_command + QStringLiteral(": ") + message);
    return false;
}

} // namespace pravik::cli

#include "server/src/procedures/ProcedureArgs.h"

namespace pravik::server {

std::optional<qint64> argNumber(const QVariantList& args, int index)
{
    if (index < 0 || index >= args.size() || args.at(index).isNull())
        return std::nullopt;
    const QVariant& v = args.at(index);
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    if (ok)
        return n;
    // "12.0" from a caller that formats numbers with decimals.
    const double d = v.toString().trimmed().toDouble(&ok);
    if (ok && d == static_cast<double>(static_cast<qint64>(d)))
        return static_cast<qint64>(d);
    return std::nullopt;
}

QString argText(const QVariantList& args, int index)
{
    if (index < 0 || index >= args.size() || args.at(index).isNull())
        return {};
    return args.at(index).toString();
}

} // namespace pravik::server

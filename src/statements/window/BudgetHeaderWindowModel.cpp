#include "statements/window/BudgetHeaderWindowModel.h"

#include "statements/forms/BudgetHeader.h"

namespace pravik::statements {

namespace {

const QString kUnit = QStringLiteral("Jednostka sprawozdawcza");
const QString kSymbols = QStringLiteral("Symbole");
const QString kNames = QStringLiteral("Nazwy");

QString frameOf(const QString& field)
{
    static const QStringList unit = {QStringLiteral("PRN_FIRMA_NAZWA"), QStringLiteral("PRN_FIRMA_ADRES1"),
                                     QStringLiteral("PRN_FIRMA_ADRES2"), QStringLiteral("PRN_FIRMA_REGON1"),
                                     QStringLiteral("PRN_FIRMA_REGON2")};
    static const QStringList names = {QStringLiteral("PRN_FIRMA_WOJEWODZTWO"), QStringLiteral("PRN_FIRMA_POWIAT"),
                                      QStringLiteral("PRN_FIRMA_GMINA")};
    if (unit.contains(field))
        return kUnit;
    if (names.contains(field))
        return kNames;
    if (field.startsWith(QLatin1String("PRN_FIRMA_KOD_")) || field.startsWith(QLatin1String("PRN_FIRMA_TYP_")) ||
        field == QLatin1String("PRN_FIRMA_ZWIAZEK") || field == QLatin1String("PRN_FIRMA_CZESC"))
        return kSymbols;
    return {};
}

} // namespace

const QString BudgetHeaderWindowModel::kTitle = QStringLiteral("Dane nagłówkowe wydruku");

BudgetHeaderWindowModel::BudgetHeaderWindowModel()
{
    const BudgetHeaderValues now = budgetHeader();
    for (const HeaderField& f : budgetHeaderFields()) {
        const QString name = QString::fromLatin1(f.name);
        m_fields << Field{name, QString::fromUtf8(f.label), f.width, frameOf(name), now.value(name)};
        m_opened << now.value(name);
    }
}

QStringList BudgetHeaderWindowModel::frames()
{
    return {kUnit, kSymbols, kNames};
}

QList<BudgetHeaderWindowModel::Field> BudgetHeaderWindowModel::fieldsOf(const QString& frame) const
{
    QList<Field> out;
    for (const Field& f : m_fields)
        if (f.frame == frame)
            out << f;
    return out;
}

BudgetHeaderWindowModel::Field* BudgetHeaderWindowModel::find(const QString& name)
{
    for (Field& f : m_fields)
        if (f.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QString BudgetHeaderWindowModel::value(const QString& name) const
{
    for (const Field& f : m_fields)
        if (f.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return f.value;
    return {};
}

bool BudgetHeaderWindowModel::setValue(const QString& name, const QString& value)
{
    Field* f = find(name);
    if (!f)
        return false;
    f->value = value.left(f->width);
    return true;
}

QStringList BudgetHeaderWindowModel::changed() const
{
    QStringList out;
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).value != m_opened.at(i))
            out << m_fields.at(i).name;
    return out;
}

void BudgetHeaderWindowModel::close()
{
    // Only what the user changed becomes an entry; a field left as the database gave it is not
    // claimed as typed.
    for (const QString& name : changed())
        setBudgetHeaderField(name, value(name));
    for (qsizetype i = 0; i < m_fields.size(); ++i)
        m_opened[i] = m_fields.at(i).value;
}

} // namespace pravik::statements

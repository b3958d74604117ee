// "pravik budget-header": the header data a budget form prints for the unit (BT_DANE_FIRMY in
// mode 0), with the user's own entries (--set) applied the way the header window applies them.
#include "Command.h"
#include "Options.h"

#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "statements/forms/BudgetHeader.h"

namespace pravik::cli {

namespace {

int runBudgetHeader(CommandContext& ctx, const QStringList& args)
{
    QString form;
    // The report's to date is the working date (--date, a global option).
    const std::optional<DayNumber> date = ctx.date;
    QList<QPair<QString, QString>> sets;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a != QLatin1String("--form") && a != QLatin1String("--set")) {
            ctx.error(QStringLiteral("budget-header: unknown argument %1").arg(a));
            return kExitUsage;
        }
        if (i + 1 >= args.size()) {
            ctx.error(QStringLiteral("budget-header: %1 needs a value").arg(a));
            return kExitUsage;
        }
        const QString v = args.at(++i);
        if (a == QLatin1String("--form")) {
            form = v;
        } else {
            const qsizetype eq = v.indexOf(QLatin1Char('='));
            const QString name = eq < 0 ? v : v.left(eq);
            const auto field = statements::budgetHeaderField(name);
            if (eq < 0 || !field) {
                ctx.error(QStringLiteral("budget-header: --set takes FIELD=VALUE with one of the fields: %1").arg([] {
                    QStringList names;
                    for (const auto& f : statements::budgetHeaderFields())
                        names << QLatin1String(f.name);
                    return names.join(QStringLiteral(", "));
                }()));
                return kExitUsage;
            }
            if (v.size() - eq - 1 > field->width) {
                ctx.error(QStringLiteral("budget-header: %1 holds at most %2 characters").arg(QLatin1String(field->name)).arg(field->width));
                return kExitUsage;
            }
            sets << qMakePair(name, v.mid(eq + 1));
        }
    }
    if (form.isEmpty() || !date) {
        ctx.error(QStringLiteral("budget-header: give --form CODE and --date DATE"));
        return kExitUsage;
    }
    if (statements::budgetFormOf(form).isEmpty()) {
        ctx.error(QStringLiteral("budget-header: \"%1\" is no budget form code (Rb27S, Rb27ZZ, Rb28S, Rb28S70, RbN, RbZ, RbZN, "
                                 "Rb50W, Rb50D, F-01/I-01, RbWS or one of their section codes)").arg(form));
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;
    sql::Database& db = sql::Database::forThread();
    const qint32 company = korda::session().DANE_ID_FIRMY;
    QStringList errors = statements::loadBudgetHeader(db, company, *date, form);
    for (const auto& s : sets)
        statements::setBudgetHeaderField(s.first, s.second);
    // A second load, as the printout does after the window: the user's entries stay.
    if (!sets.isEmpty())
        errors << statements::loadBudgetHeader(db, company, *date, form);
    for (const QString& e : errors)
        ctx.error(QStringLiteral("budget-header: %1").arg(e));
    for (const auto& f : statements::budgetHeader().fields)
        ctx.out(QStringLiteral("%1=%2").arg(f.first, f.second));
    ctx.out(QStringLiteral("PRN_ZA_OKRES=%1").arg(statements::budgetPeriodText(form, *date)));
    return errors.isEmpty() ? kExitOk : kExitFailure;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("budget-header"),
               QStringLiteral("the header data of a budget form for the company (BT_DANE_FIRMY)"),
               QStringLiteral(
                   "pravik [--db DB] [--company N] budget-header --form CODE --date DATE [--set FIELD=VALUE ...]\n"
                   "\n"
                   "Loads the reporting unit's header for the form code (Rb28S, or a section code such as\n"
                   "Rb28SPozycje) on the date: titles, name, address, REGON in two parts (digits 1-9, 10-14),\n"
                   "territorial codes (global parameters BeKodW, BeKodP, BeKodG, BeTypG, BeKodMSWiA) and names.\n"
                   "--set enters a field as the header window would (PRN_FIRMA_RIO, PRN_FIRMA_ZWIAZEK, ...); it\n"
                   "is kept over a reload. Prints FIELD=VALUE lines and the period text PRN_ZA_OKRES. A failed\n"
                   "read is reported, its fields stay empty, and the exit code is 1.\n"),
               &runBudgetHeader)

} // namespace pravik::cli

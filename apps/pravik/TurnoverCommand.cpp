// "pravik turnover": the statements of the turnover window, run without a screen into a PDF, PNG
// pages, a text-printer file, a printer, or the browse rows into an XLSX workbook. Every option
// of the window has a readable name; the window's own rules (forced and disabled options, the
// closed period, the "Na dzień" month check) decide exactly as on the desktop.
#include "Command.h"
#include "ReportDriver.h"

#include "siblings/korda/Session.h"
#include "turnover/browse/StatementBrowseRows.h"
#include "turnover/browse/XlsxExport.h"
#include "turnover/window/TurnoverWindowModel.h"
#include "platform/PrintableText.h"

#include <functional>
#include <optional>

namespace pravik::cli {

namespace {

using turnover::TurnoverOptions;
using turnover::TurnoverWindowModel;
using Model = TurnoverWindowModel;

// The window's tick boxes by name; "--NAME" ticks, "--no-NAME" unticks.
struct FlagOption {
    const char* name;
    std::function<bool(Model&, bool)> set;
    const char* label;
};

std::function<bool(Model&, bool)> member(bool TurnoverOptions::*m)
{
    return [m](Model& w, bool on) { return w.setFlag(m, on); };
}

const QList<FlagOption>& flagOptions()
{
    using O = TurnoverOptions;
    static const QList<FlagOption> options = {
        {"card-index", member(&O::cardIndexAccounts), "Drukuj konta kartotekowe"},
        {"approved", member(&O::approvedOnly), "Drukuj z zatwierdzonych dokumentów"},
        {"cumulative-with-bo", member(&O::cumulativeWithOpening), "Sumuj obroty narastająco z uwzględnieniem BO"},
        {"nonzero-turnovers", member(&O::nonZeroTurnoversOnly), "Drukuj konta o obrotach różnych od zera"},
        {"only-mismatched", [](Model& w, bool on) { return w.setOnlyMismatched(on); }, "Drukuj tylko niezgodne zapisy"},
        {"nonzero-analytic", member(&O::nonZeroBalanceLeaves), "Drukuj konta o saldach różnych od zera (analityka)"},
        {"nonzero-synthetic", member(&O::nonZeroBalanceSynthetic), "(syntetyka)"},
        {"last-level", member(&O::lastLevelOnly), "Drukuj tylko ostatni poziom analityczny"},
        {"group-totals", [](Model& w, bool on) { return w.setGroupTotals(on); }, "Drukuj podsumowania zespołów kont"},
        {"net-balances", member(&O::netBalances), "Drukuj persaldo dla kont syntetycznych"},
        {"account-per-page", member(&O::accountPerPage), "Drukuj każde konto na osobnej stronie"},
        {"mpk-entries", member(&O::mpkEntries), "Drukuj zapisy MPK"},
        {"budget", member(&O::budgetClassification), "Drukuj klasyfikację budżetową"},
        {"group-mpk", member(&O::groupMpk), "Grupuj MPK"},
        {"entries", member(&O::entries), "Drukuj zapisy księgowe"},
        {"all-entries", [](Model& w, bool on) { return w.setEntriesRange(on ? 1 : 0); }, "wszystkie (else z wybranego miesiąca)"},
        {"contra", member(&O::contraAccount), "Drukuj konto przeciwstawne"},
        {"krs", member(&O::printKrs), "Drukuj informacje o KRS"},
        {"thousands", member(&O::thousands), "Drukuj kwoty w tysiącach jednostek pieniężnych"},
        {"wrap", member(&O::wrapLines), "Zawijaj wiersze"},
        {"hide-zeros", member(&O::hideZeros), "Ukryj kwoty zerowe"},
        {"balance-sheet", member(&O::balanceSheet), "Bilansowe"},
        {"profit-loss", member(&O::profitAndLoss), "Wynikowe"},
        {"off-balance", member(&O::offBalance), "Pozabilansowe"},
        {"settlement", member(&O::settlement), "Rozrachunkowe"},
        {"currency-accounts", member(&O::currencyAccounts), "Walutowe"},
        {"two-balance", member(&O::twoBalance), "Dwusaldowe"},
        {"mpk", member(&O::mpk), "MPK"},
        {"date-range", member(&O::dateRange), "Zakres dat"},
        {"font-amounts-only", member(&O::fontForAmountsOnly), "użyj tylko dla kwot"},
        {"bold", member(&O::boldAggregates), "Zastosuj pogrubioną czcionkę dla wierszy agregujących"},
        {"complete", [](Model& w, bool on) { return w.cardIndexComplete() == on || w.toggleCardIndexComplete(); },
         "every card-index entry, not only those with turnovers (Ctrl+Shift+S)"},
    };
    return options;
}

struct TurnoverArgs {
    int kind = 3;
    int synthetic = 0;
    QString saved;
    QList<std::pair<const FlagOption*, bool>> flags;
    std::optional<int> variant;
    QString currency;
    QString title;
    QString description;
    std::optional<QList<int>> groups;
    std::optional<int> rangeFrom;
    std::optional<int> rangeTo;
    std::optional<QString> mask;
    std::optional<int> fontSize;
    std::optional<DayNumber> asOf;
    std::optional<DayNumber> from;
    std::optional<DayNumber> to;
    std::optional<int> dateKind;
    std::optional<DayNumber> printDate;
};

// Applies the options in the window's order: the saved variant first, then each option given.
bool applyOptions(CommandContext& ctx, Model& w, const TurnoverArgs& a)
{
    auto refused = [&](const QString& option) {
        ctx.error(QStringLiteral("turnover: %1 is not offered here (this kind of statement, the period or the "
                                 "installation does not allow it)").arg(option));
        return false;
    };
    if (!a.saved.isEmpty() && !w.chooseVariantName(a.saved)) {
        ctx.error(QStringLiteral("turnover: no saved variant %1 of %2 for this user").arg(quotedInput(a.saved), w.reportKey()));
        return false;
    }
    if (a.variant && !w.setVariant(*a.variant))
        return refused(QStringLiteral("--variant"));
    if (a.asOf && (!w.setAsOf(true) || !w.setAsOfDate(*a.asOf)))
        return refused(QStringLiteral("--as-of"));
    for (const auto& [flag, on] : a.flags)
        if (!flag->set(w, on))
            return refused(QStringLiteral("--%1%2").arg(on ? QString() : QStringLiteral("no-"), QLatin1String(flag->name)));
    if (!a.currency.isEmpty() && !w.setCurrency(a.currency))
        return refused(QStringLiteral("--currency %1").arg(a.currency));
    if (!a.title.isEmpty())
        w.setTitle(a.title);
    if (!a.description.isEmpty())
        w.setDescription(a.description);
    if (a.groups) {
        for (int g = 0; g < 10; ++g)
            w.setGroup(g, a.groups->contains(g));
    }
    if ((a.rangeFrom || a.rangeTo)
        && !w.setRange(a.rangeFrom.value_or(w.options().rangeFrom), a.rangeTo.value_or(w.options().rangeTo)))
        return refused(QStringLiteral("--range-from/--range-to"));
    if (a.mask && !w.setMask(*a.mask))
        return refused(QStringLiteral("--mask"));
    if (a.fontSize && !w.setFontSize(*a.fontSize))
        return refused(QStringLiteral("--font-size"));
    if ((a.from || a.to) && !w.setDateRange(a.from.value_or(w.dateFrom()), a.to.value_or(w.dateTo())))
        return refused(QStringLiteral("--from/--to (with --date-range, statement kind 1)"));
    if (a.dateKind && !w.setDateKind(*a.dateKind))
        return refused(QStringLiteral("--by-document-date"));
    if (a.printDate && !w.setPrintDate(*a.printDate))
        return refused(QStringLiteral("--print-date"));
    return true;
}

// "Zapisz do tabeli": the browse rows of the statement written as a spreadsheet.
int saveToTable(CommandContext& ctx, Model& w, const QString& path)
{
    bool written = false;
    w.openBrowse = [&](int mode, int, const QString& title) {
        const turnover::BrowseRows rows = turnover::readBrowseRows(korda::session().DANE_ID_UZYTKOWNIKA_NR, 0);
        QString error;
        written = rows.ok && turnover::writeBrowseXlsx(path, title, turnover::browseCaptions(mode), rows.rows, &error);
        if (!error.isEmpty())
            ctx.error(QStringLiteral("turnover: ") + error);
        else if (written)
            ctx.note(QStringLiteral("%1 rows written to %2").arg(rows.rows.size()).arg(path));
    };
    if (!w.run(Model::Command::SaveToTable))
        return kExitFailure;
    return written ? kExitOk : kExitFailure;
}

int runWithWindow(CommandContext& ctx, const ReportCommand& c, const TurnoverArgs& a, const ReportOutput& out)
{
    Model w(a.kind, a.synthetic);
    if (!w.open()) {
        ctx.error(QStringLiteral("turnover: the company has no fiscal year"));
        return kExitFailure;
    }
    if (const int rc = chooseYearAndPeriod(ctx, c, w))
        return rc;
    if (!applyOptions(ctx, w, a) || !chooseOutput(ctx, c, w, out))
        return kExitUsage;
    if (!out.xlsx.isEmpty())
        return saveToTable(ctx, w, out.xlsx);
    if (out.mail.wanted()) {
        // The recipient and the attachment kind; the window's e-mail button does the rest.
        applyMailOptions(out.mail);
        w.setMailFormat(korda::session().GGG_EMAILPDF);
        w.setMailClient(korda::session().outputRequests.mailClientKind == 1 ? QStringLiteral("Microsoft Outlook") : QString());
    }
    return runWindow(ctx, c, w, out);
}

// A value option of the window.
template <typename Take>
ReportOption valueOption(const char* name, const char* value, const char* help, Take take)
{
    return {QLatin1String(name), QLatin1String(value), QString::fromUtf8(help), take};
}

ReportCommand turnoverCommand(TurnoverArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("turnover");
    c.noun = QStringLiteral("statement");
    c.synopsis = QStringLiteral("turnover and balance statements (kinds 1, 2, 3) to PDF, PNG, text, a printer, or XLSX (kind 3)");
    c.usage = QStringLiteral("[--kind 1|2|3] [--synthetic] [--saved NAME] [options]");
    c.description = QStringLiteral(
        "Runs the turnover window (\"Parametry wydruku\") of the company without a screen:\n"
        "  --kind 1      statement of entries on accounts (\"Zestawienie zapisów na kontach\")\n"
        "  --kind 2      reconciliation of balances with settlements\n"
        "  --kind 3      turnover and balance statement (the default), of synthetic accounts\n"
        "                with --synthetic\n"
        "--saved NAME loads the user's saved variant first; the options below change it.\n"
        "Each tick box is --NAME (ticked) or --no-NAME (cleared). --xlsx is for kind 3 only.\n");
    c.offersXlsx = true;
    c.maxCopies = Model::kMaxCopies;
    auto date = [](std::optional<DayNumber>* d) { return [d](OptionReader& in) { return in.date(d); }; };
    c.options = {
        valueOption("kind", "1|2|3", "the statement", [&a](OptionReader& in) { return in.number(0, 255, &a.kind); }),
        valueOption("synthetic", "", "synthetic accounts only (kind 3)", [&a](OptionReader&) { return (a.synthetic = 1); }),
        valueOption("saved", "NAME", "the user's saved variant", [&a](OptionReader& in) { return in.value(&a.saved); }),
        valueOption("variant", "period|net|simple", "\"Obroty w okresie\", \"Persaldo\", \"Wydruk prosty (BO i obroty)\"",
                    [&a](OptionReader& in) {
                        QString v;
                        if (!in.value(&v))
                            return false;
                        static const QList<QPair<QString, int>> names = {{"period", 1}, {"1", 1}, {"net", 2},
                                                                         {"2", 2},      {"simple", 3}, {"3", 3}};
                        for (const auto& [text, kindNumber] : names)
                            if (v == text)
                                a.variant = kindNumber;
                        return a.variant.has_value()
                               || in.fail(QStringLiteral("--variant takes period (1), net (2) or simple (3), not %1").arg(quotedInput(v)));
                    }),
        valueOption("currency", "CODE", "the currency", [&a](OptionReader& in) { return in.value(&a.currency); }),
        valueOption("title", "TEXT", "the report title", [&a](OptionReader& in) { return in.value(&a.title); }),
        valueOption("description", "TEXT", "a description line", [&a](OptionReader& in) { return in.value(&a.description); }),
        valueOption("groups", "0,2,5", "the account groups", [&a](OptionReader& in) {
            QString v;
            if (!in.value(&v))
                return false;
            QList<int> groups;
            for (const QString& part : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                const int g = part.trimmed().toInt(&ok);
                if (!ok || g < 0 || g > 9)
                    return in.fail(QStringLiteral("--groups takes digits 0 to 9 separated by commas, not %1").arg(quotedInput(v)));
                groups << g;
            }
            a.groups = groups;
            return true;
        }),
        valueOption("range-from", "N", "the start of the account range", [&a](OptionReader& in) {
            int n = 0;
            return in.number(0, 999, &n) && (a.rangeFrom = n, true);
        }),
        valueOption("range-to", "N", "the end of the account range", [&a](OptionReader& in) {
            int n = 0;
            return in.number(0, 999, &n) && (a.rangeTo = n, true);
        }),
        valueOption("mask", "TEXT", "account mask (? one character, * any)", [&a](OptionReader& in) {
            QString v;
            return in.value(&v) && (a.mask = v, true);
        }),
        valueOption("font-size", "N", "the font size of the printout", [&a](OptionReader& in) {
            int n = 0;
            return in.number(4, 72, &n) && (a.fontSize = n, true);
        }),
        valueOption("as-of", "DATE", "\"Na dzień\" (within the chosen month)", date(&a.asOf)),
        valueOption("from", "DATE", "the date range of kind 1 (with --date-range)", date(&a.from)),
        valueOption("to", "DATE", "the end of the date range", date(&a.to)),
        valueOption("by-document-date", "", "the range by document date", [&a](OptionReader&) { return (a.dateKind = 1, true); }),
        valueOption("print-date", "DATE", "the print date", date(&a.printDate)),
    };
    for (const FlagOption& f : flagOptions())
        for (const bool on : {true, false})
            c.options.append({(on ? QString() : QStringLiteral("no-")) + QLatin1String(f.name), QString(),
                              QString::fromUtf8(f.label),
                              [&a, &f, on](OptionReader&) {
                                  a.flags.append({&f, on});
                                  return true;
                              },
                              on ? QStringLiteral("[no-]") + QLatin1String(f.name) : QString(), !on});
    // The on-screen list ("Zapisz do tabeli") exists for the turnover statement only; the other
    // kinds have rows of other shapes and no list to export.
    c.check = [&a](CommandContext& ctx, const ReportOutput& out) {
        if (!out.xlsx.isEmpty() && (a.kind == 1 || a.kind == 2)) {
            ctx.error(QStringLiteral("turnover: --xlsx writes the on-screen list of the turnover statement (--kind 3);"
                                     " statement kind %1 has none: choose --pdf FILE, --png DIR or --text [FILE]")
                          .arg(a.kind));
            return false;
        }
        return true;
    };
    c.run = [&a](CommandContext& ctx, const ReportCommand& self, const ReportOutput& out) {
        return runWithWindow(ctx, self, a, out);
    };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(TurnoverArgs, turnoverCommand)

} // namespace pravik::cli

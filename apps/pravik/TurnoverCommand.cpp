// "pravik turnover": the statements of the turnover window, run without a screen into a PDF, PNG
// pages, a text-printer file, a printer, or the browse rows into an XLSX workbook. Every option
// of the window has a readable name; the window's own rules (forced and disabled options, the
// closed period, the "Na dzień" month check) decide exactly as on the desktop.
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"
#include "TextPrinterChoice.h"

#include "platform/PrintableText.h"
#include "siblings/korda/Session.h"
#include "turnover/browse/StatementBrowseRows.h"
#include "turnover/browse/XlsxExport.h"
#include "turnover/window/TurnoverWindowModel.h"

#include <QFileInfo>
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
    MailOptions mail;
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
    bool textPrinting = false;
    QString printer;
    std::optional<int> copies;
    QString pdf;
    QString pngFolder;
    QString textFile;
    QString xlsx;
    bool print = false;
};

bool parseArgs(CommandContext& ctx, const QStringList& args, TurnoverArgs* out)
{
    OptionReader in(ctx, QStringLiteral("turnover"), args);
    while (in.next()) {
        const QString& name = in.name();
        int n = 0;
        const FlagOption* flag = nullptr;
        bool flagOn = true;
        for (const FlagOption& f : flagOptions()) {
            const QString plain = QStringLiteral("--") + QLatin1String(f.name);
            if (name == plain || name == QStringLiteral("--no-") + QLatin1String(f.name)) {
                flag = &f;
                flagOn = name == plain;
            }
        }
        if (flag) {
            out->flags.append({flag, flagOn});
        } else if (name == QLatin1String("--kind")) {
            if (!in.number(0, 255, &out->kind))
                return false;
        } else if (name == QLatin1String("--synthetic")) {
            out->synthetic = 1;
        } else if (name == QLatin1String("--saved")) {
            if (!in.value(&out->saved))
                return false;
        } else if (name == QLatin1String("--variant")) {
            QString v;
            if (!in.value(&v))
                return false;
            static const QList<QPair<QString, int>> names = {{"period", 1}, {"1", 1}, {"net", 2}, {"2", 2}, {"simple", 3}, {"3", 3}};
            for (const auto& [text, kindNumber] : names)
                if (v == text)
                    out->variant = kindNumber;
            if (!out->variant) {
                ctx.error(QStringLiteral("turnover: --variant takes period (1), net (2) or simple (3), not %1").arg(quotedInput(v)));
                return false;
            }
        } else if (name == QLatin1String("--currency")) {
            if (!in.value(&out->currency))
                return false;
        } else if (name == QLatin1String("--title")) {
            if (!in.value(&out->title))
                return false;
        } else if (name == QLatin1String("--description")) {
            if (!in.value(&out->description))
                return false;
        } else if (name == QLatin1String("--groups")) {
            QString v;
            if (!in.value(&v))
                return false;
            QList<int> groups;
            for (const QString& part : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                const int g = part.trimmed().toInt(&ok);
                if (!ok || g < 0 || g > 9) {
                    ctx.error(QStringLiteral("turnover: --groups takes digits 0 to 9 separated by commas, not %1").arg(quotedInput(v)));
                    return false;
                }
                groups << g;
            }
            out->groups = groups;
        } else if (name == QLatin1String("--range-from")) {
            if (!in.number(0, 999, &n))
                return false;
            out->rangeFrom = n;
        } else if (name == QLatin1String("--range-to")) {
            if (!in.number(0, 999, &n))
                return false;
            out->rangeTo = n;
        } else if (name == QLatin1String("--mask")) {
            QString v;
            if (!in.value(&v))
                return false;
            out->mask = v;
        } else if (name == QLatin1String("--font-size")) {
            if (!in.number(4, 72, &n))
                return false;
            out->fontSize = n;
        } else if (name == QLatin1String("--as-of")) {
            if (!in.date(&out->asOf))
                return false;
        } else if (name == QLatin1String("--from")) {
            if (!in.date(&out->from))
                return false;
        } else if (name == QLatin1String("--to")) {
            if (!in.date(&out->to))
                return false;
        } else if (name == QLatin1String("--by-document-date")) {
            out->dateKind = 1;
        } else if (name == QLatin1String("--print-date")) {
            if (!in.date(&out->printDate))
                return false;
        } else if (name == QLatin1String("--text")) {
            out->textPrinting = true;
            out->textFile = in.optionalValue();
        } else if (name == QLatin1String("--printer")) {
            if (!in.value(&out->printer))
                return false;
        } else if (name == QLatin1String("--copies")) {
            if (!in.number(1, Model::kMaxCopies, &n))
                return false;
            out->copies = n;
        } else if (name == QLatin1String("--pdf")) {
            if (!in.value(&out->pdf))
                return false;
        } else if (name == QLatin1String("--png")) {
            if (!in.value(&out->pngFolder))
                return false;
        } else if (name == QLatin1String("--xlsx")) {
            if (!in.value(&out->xlsx))
                return false;
        } else if (name == QLatin1String("--print")) {
            out->print = true;
        } else {
            return in.unknown();
        }
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print)
        + int(out->textPrinting) + int(!out->xlsx.isEmpty()) + int(out->mail.wanted());
    if (targets == 0) {
        ctx.error(QStringLiteral("turnover: the preview needs a screen; choose --pdf FILE, --png DIR, --text [FILE], --print, --xlsx FILE or --mail ADDRESS"));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("turnover: --mail sends the statement; it does not go with another output"));
        return false;
    }
    if (!out->xlsx.isEmpty() && targets > 1) {
        ctx.error(QStringLiteral("turnover: --xlsx writes the browse rows and goes alone"));
        return false;
    }
    // The on-screen list ("Zapisz do tabeli") exists for the turnover statement only; the other
    // kinds have rows of other shapes and no list to export.
    if (!out->xlsx.isEmpty() && (out->kind == 1 || out->kind == 2)) {
        ctx.error(QStringLiteral("turnover: --xlsx writes the on-screen list of the turnover statement (--kind 3);"
                                 " statement kind %1 has none: choose --pdf FILE, --png DIR or --text [FILE]")
                      .arg(out->kind));
        return false;
    }
    if (out->textPrinting && (!out->pdf.isEmpty() || !out->pngFolder.isEmpty())) {
        ctx.error(QStringLiteral("turnover: a text-printer statement goes to --text FILE or to the printer, not to --pdf or --png"));
        return false;
    }
    return true;
}

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
        return refused(QStringLiteral("--currency %1").arg(quotedInput(a.currency)));
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
    w.setOutputKind(a.textPrinting ? Model::kText : Model::kGraphic);
    if (!a.printer.isEmpty())
        w.setPrinterName(a.printer);
    if (a.copies)
        w.setCopies(*a.copies);
    return true;
}

int runTurnover(CommandContext& ctx, const QStringList& args)
{
    TurnoverArgs a;
    QStringList rest = args;
    if (!takeMailOptions(ctx, QStringLiteral("turnover"), rest, a.mail) || !parseArgs(ctx, rest, &a))
        return kExitUsage;
    if (!ctx.openSession())
        return kExitFailure;
    korda::Session& s = korda::session();
    korda::OutputRequests& out = s.outputRequests;
    out.pdfPath = a.pdf.isEmpty() ? QString() : QFileInfo(a.pdf).absoluteFilePath();
    out.pngFolder = a.pngFolder.isEmpty() ? QString() : QFileInfo(a.pngFolder).absoluteFilePath();
    out.textFile = a.textFile.isEmpty() ? QString() : QFileInfo(a.textFile).absoluteFilePath();
    out.printerName = a.print && !a.textPrinting ? a.printer : QString();

    Model w(a.kind, a.synthetic);
    if (!w.open()) {
        ctx.error(QStringLiteral("turnover: the company has no fiscal year"));
        return kExitFailure;
    }
    if (ctx.year && !w.selectYearId(*ctx.year)) {
        ctx.error(QStringLiteral("turnover: the company has no fiscal year %1").arg(*ctx.year));
        return kExitFailure;
    }
    if (!ctx.period.isEmpty()) {
        const bool closing = ctx.period.trimmed().compare(QLatin1String("BZ"), Qt::CaseInsensitive) == 0;
        if (!(closing ? w.selectPeriodText(QStringLiteral("BZ")) : w.selectPeriodDate(s.DANE_DATA_OKRESU))) {
            ctx.error(QStringLiteral("turnover: the year has no period %1").arg(quotedInput(ctx.period)));
            return kExitFailure;
        }
    }
    if (!applyOptions(ctx, w, a))
        return kExitUsage;
    if (a.textPrinting) {
        QString printer;
        if (!resolveTextPrinter(ctx, QStringLiteral("turnover"), a.printer, &printer))
            return kExitFailure;
        w.setPrinterName(printer);
    }

    bool written = false;
    if (!a.xlsx.isEmpty()) {
        const QString path = QFileInfo(a.xlsx).absoluteFilePath();
        w.openBrowse = [&](int mode, int, const QString& title) {
            const turnover::BrowseRows rows = turnover::readBrowseRows(s.DANE_ID_UZYTKOWNIKA_NR, 0);
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

    const bool toFiles = !out.pdfPath.isEmpty() || !out.pngFolder.isEmpty() || !out.textFile.isEmpty();
    Model::Command command = toFiles ? Model::Command::Preview : Model::Command::Print;
    if (a.mail.wanted()) {
        // The recipient and the attachment kind; the window's e-mail button does the rest.
        applyMailOptions(a.mail);
        w.setMailFormat(s.GGG_EMAILPDF);
        w.setMailClient(s.outputRequests.mailClientKind == 1 ? QStringLiteral("Microsoft Outlook") : QString());
        command = Model::Command::SendEmail;
    }
    if (!w.run(command))
        return kExitFailure;
    if (s.globalResponse != 1) {
        ctx.error(QStringLiteral("turnover: %1 did not complete").arg(w.lastProcedure()));
        return kExitFailure;
    }
    ctx.note(doneNote(ctx, w.options().title.isEmpty() ? w.defaultTitle() : w.options().title, w.lastProcedure()));
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
        return kExitFailure;
    return kExitOk;
}

QString turnoverHelp()
{
    QString flags;
    for (const FlagOption& f : flagOptions())
        flags += QStringLiteral("  --[no-]%1  %2\n").arg(QString::fromLatin1(f.name), -22).arg(QString::fromUtf8(f.label));
    return QStringLiteral(
               "Usage: pravik turnover [--kind 1|2|3] [--synthetic] [--saved NAME] [options]\n"
               "                       (--pdf FILE | --png DIR | --text [FILE] | --print | --xlsx FILE)\n"
               "\n"
               "Runs the turnover window (\"Parametry wydruku\") of the company without a screen:\n"
               "  --kind 1      statement of entries on accounts (\"Zestawienie zapisów na kontach\")\n"
               "  --kind 2      reconciliation of balances with settlements\n"
               "  --kind 3      turnover and balance statement (the default), of synthetic accounts\n"
               "                with --synthetic\n"
               "The year and period come from --year and --period (\"BZ\" for the closing period).\n"
               "--saved NAME loads the user's saved variant first; the options below change it.\n"
               "\n"
               "Values:\n"
               "  --variant period|net|simple   \"Obroty w okresie\", \"Persaldo\", \"Wydruk prosty (BO i obroty)\"\n"
               "  --as-of DATE                  \"Na dzień\" (within the chosen month)\n"
               "  --currency CODE  --title TEXT  --description TEXT  --print-date DATE\n"
               "  --groups 0,2,5   --range-from N  --range-to N  --mask TEXT (? one character, * any)\n"
               "  --from DATE --to DATE [--by-document-date]   the date range of kind 1 (with --date-range)\n"
               "  --font-size N    --printer NAME  --copies N\n"
               "Tick boxes:\n")
        + flags
        + QStringLiteral(
            "\nOutput: --pdf FILE, --png DIR (one PNG per page), --print (the printer --printer names),\n"
            "--text [FILE] for a text (matrix) printer, or --xlsx FILE (kind 3 only): the statement's\n"
            "rows as the on-screen list shows them (\"Zapisz do tabeli\"), written as a spreadsheet.\n"
            "\nE-mail:\n")
        + mailOptionsHelp()
        + QStringLiteral(
            "\n"
            "Exit code 0 when the statement was produced, 1 when it was refused or failed, 2 for wrong\n"
            "options or an option the window does not offer for this statement.");
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("turnover"),
               QStringLiteral("turnover and balance statements (kinds 1, 2, 3) to PDF, PNG, text, a printer, or XLSX (kind 3)"),
               turnoverHelp(), &runTurnover)

} // namespace pravik::cli

// "pravik lists": the element lists of a statement's list rows (accounts for 'K' rows,
// budget classifications for 'B' rows), as the window "Lista pozycji raportu" builds them, and
// the user's saved lists. Prints the lists as they stand at the end, one element a line.
#include "Command.h"
#include "OptionReader.h"
#include "Options.h"

#include "siblings/korda/Session.h"
#include "statements/lists/UserLists.h"

namespace pravik::cli {

namespace {

using statements::AccountFilter;
using statements::ClassificationFilter;
using statements::ListKind;
using statements::UserLists;

struct ListArgs {
    std::optional<qint64> id;
    std::optional<DayNumber> from, to;
    bool rebuild = false;
    bool clear = false;
    std::optional<AccountFilter> accounts;
    std::optional<ClassificationFilter> classifications;
    AccountFilter::Show show = AccountFilter::Show::Full;
    int level = 1;
    ClassificationFilter::Show group = ClassificationFilter::Show::Full;
    bool revenues = false;
    bool plan = false;
    std::optional<ListKind> kind;
    QString save;
    qint64 replace = 0;
    qint64 load = 0;
    qint64 removeSaved = 0;
    bool saved = false;
    bool noNames = false;
};

bool parse(CommandContext& ctx, const QStringList& args, ListArgs& a)
{
    OptionReader in(ctx, QStringLiteral("lists"), args);
    auto accounts = [&]() -> AccountFilter& {
        if (!a.accounts)
            a.accounts = AccountFilter{};
        return *a.accounts;
    };
    while (in.next()) {
        const QString& n = in.name();
        QString v;
        qint64 number = 0;
        if (n == QLatin1String("--id")) {
            if (!in.number(1, std::numeric_limits<qint32>::max(), &number))
                return false;
            a.id = number;
        } else if (n == QLatin1String("--from")) {
            if (!in.date(&a.from))
                return false;
        } else if (n == QLatin1String("--to")) {
            if (!in.date(&a.to))
                return false;
        } else if (n == QLatin1String("--rebuild")) {
            a.rebuild = true;
        } else if (n == QLatin1String("--clear")) {
            a.clear = true;
        } else if (n == QLatin1String("--accounts-all")) {
            accounts().scope = AccountFilter::Scope::All;
        } else if (n == QLatin1String("--accounts-mask")) {
            if (!in.value(&v))
                return false;
            accounts().scope = AccountFilter::Scope::Mask;
            accounts().mask = v;
        } else if (n == QLatin1String("--accounts-range")) {
            if (!in.value(&v))
                return false;
            const QStringList parts = v.split(QStringLiteral(".."));
            if (parts.size() != 2) {
                ctx.error(QStringLiteral("lists: --accounts-range takes FROM..TO, not \"%1\"").arg(v));
                return false;
            }
            accounts().scope = AccountFilter::Scope::Range;
            accounts().rangeFrom = parts.at(0);
            accounts().rangeTo = parts.at(1);
        } else if (n == QLatin1String("--accounts")) {
            if (!in.value(&v))
                return false;
            accounts().scope = AccountFilter::Scope::Chosen;
            accounts().chosen = v.split(u',', Qt::SkipEmptyParts);
        } else if (n == QLatin1String("--synthetic")) {
            a.show = AccountFilter::Show::Synthetic;
        } else if (n == QLatin1String("--level")) {
            if (!in.number(1, 9, &number))
                return false;
            a.show = AccountFilter::Show::Level;
            a.level = int(number);
        } else if (n == QLatin1String("--classifications-all") || n == QLatin1String("--classification-mask")
                   || n == QLatin1String("--classifications")) {
            if (!a.classifications)
                a.classifications = ClassificationFilter{};
            if (n == QLatin1String("--classification-mask")) {
                // "SEC.CHAPT.PARA[SUB]": an empty part is any ("dowolny").
                if (!in.value(&v))
                    return false;
                const QStringList parts = v.split(u'.');
                if (parts.size() < 3) {
                    ctx.error(QStringLiteral("lists: --classification-mask takes SECTION.CHAPTER.PARAGRAPH[SUB], not \"%1\"").arg(v));
                    return false;
                }
                a.classifications->section = parts.at(0);
                a.classifications->chapter = parts.at(1);
                a.classifications->paragraph = parts.mid(2).join(u'.').left(4);
                a.classifications->subAnalytics = parts.mid(2).join(u'.').mid(4);
            } else if (n == QLatin1String("--classifications")) {
                if (!in.value(&v))
                    return false;
                a.classifications->chosen = v.split(u',', Qt::SkipEmptyParts);
            }
        } else if (n == QLatin1String("--revenues")) {
            a.revenues = true;
        } else if (n == QLatin1String("--plan")) {
            a.plan = true;
        } else if (n == QLatin1String("--group")) {
            if (!in.value(&v))
                return false;
            if (v == QLatin1String("section"))
                a.group = ClassificationFilter::Show::Section;
            else if (v == QLatin1String("chapter"))
                a.group = ClassificationFilter::Show::Chapter;
            else if (v == QLatin1String("paragraph"))
                a.group = ClassificationFilter::Show::Paragraph;
            else if (v == QLatin1String("full"))
                a.group = ClassificationFilter::Show::Full;
            else {
                ctx.error(QStringLiteral("lists: --group takes section, chapter, paragraph or full"));
                return false;
            }
        } else if (n == QLatin1String("--kind")) {
            if (!in.value(&v))
                return false;
            if (v.compare(QLatin1String("K"), Qt::CaseInsensitive) == 0)
                a.kind = ListKind::Accounts;
            else if (v.compare(QLatin1String("B"), Qt::CaseInsensitive) == 0)
                a.kind = ListKind::Classifications;
            else {
                ctx.error(QStringLiteral("lists: --kind takes K or B"));
                return false;
            }
        } else if (n == QLatin1String("--save")) {
            if (!in.value(&a.save))
                return false;
        } else if (n == QLatin1String("--replace")) {
            if (!in.number(1, std::numeric_limits<qint32>::max(), &a.replace))
                return false;
        } else if (n == QLatin1String("--load")) {
            if (!in.number(1, std::numeric_limits<qint32>::max(), &a.load))
                return false;
        } else if (n == QLatin1String("--remove-saved")) {
            if (!in.number(1, std::numeric_limits<qint32>::max(), &a.removeSaved))
                return false;
        } else if (n == QLatin1String("--no-names")) {
            a.noNames = true;
        } else if (n == QLatin1String("--saved")) {
            a.saved = true;
        } else {
            return in.unknown();
        }
    }
    if (!a.id) {
        ctx.error(QStringLiteral("lists: --id N (the statement) is required"));
        return false;
    }
    if (a.save.size() > UserLists::kNameLength) {
        ctx.error(QStringLiteral("lists: a list name has at most %1 characters").arg(UserLists::kNameLength));
        return false;
    }
    if (a.replace && a.save.isNull()) {
        ctx.error(QStringLiteral("lists: --replace ID goes with --save NAME"));
        return false;
    }
    return true;
}

int runLists(CommandContext& ctx, const QStringList& args)
{
    ListArgs a;
    if (!parse(ctx, args, a))
        return kExitUsage;
    if (!ctx.openSession())
        return kExitFailure;
    const korda::Session& s = korda::session();
    UserLists lists(s.DANE_ID_FIRMY, s.DANE_ID_UZYTKOWNIKA_NR, *a.id, a.from.value_or(s.DANE_POCZATEK_ROKU),
                    a.to.value_or(s.DANE_KONIEC_ROKU));
    if (!a.noNames)
        lists.setAccountNames(s.DANE_LATA_OBROTOWE);
    auto fail = [&](const QString& text) {
        ctx.error(QStringLiteral("lists: %1").arg(text));
        return kExitFailure;
    };
    if (a.rebuild) {
        if (!lists.rebuildAll())
            return fail(lists.error());
    }
    if (!lists.open())
        return fail(lists.error());
    bool changed = false;
    const ListKind kind = a.kind.value_or(lists.needs(ListKind::Accounts) ? ListKind::Accounts : ListKind::Classifications);
    if (a.removeSaved) {
        if (!lists.removeSaved(a.removeSaved))
            return fail(lists.error());
    }
    if (a.load) {
        if (!lists.load(kind, a.load))
            return fail(lists.error());
        changed = true;
    }
    if (a.clear) {
        for (ListKind k : {ListKind::Accounts, ListKind::Classifications})
            lists.clear(k);
        changed = true;
    }
    if (a.accounts) {
        if (!lists.needs(ListKind::Accounts))
            return fail(QStringLiteral("the statement has no account list rows ('K')"));
        a.accounts->show = a.show;
        a.accounts->level = a.level;
        if (lists.addAccounts(*a.accounts) < 0)
            return fail(lists.error());
        changed = true;
    }
    if (a.classifications) {
        if (!lists.needs(ListKind::Classifications))
            return fail(QStringLiteral("the statement has no classification list rows ('B')"));
        a.classifications->show = a.group;
        a.classifications->includePlan = a.plan;
        a.classifications->type = a.revenues ? ClassificationFilter::Type::Revenues : ClassificationFilter::Type::Expenses;
        if (lists.addClassifications(*a.classifications) < 0)
            return fail(lists.error());
        changed = true;
    }
    if (changed && !lists.save())
        return fail(lists.error());
    if (!a.save.isNull()) {
        const qint64 id = lists.saveAs(kind, a.save, a.replace);
        if (id == 0)
            return fail(lists.error());
        ctx.note(QStringLiteral("saved list %1").arg(id));
    }
    ctx.out(lists.heading());
    for (ListKind k : {ListKind::Accounts, ListKind::Classifications}) {
        if (!lists.needs(k))
            continue;
        ctx.out(QStringLiteral("%1 %2").arg(k == ListKind::Accounts ? QStringLiteral("Konta księgowe") : QStringLiteral("Klasyfikacja budżetowa"),
                                            lists.counter(k)));
        for (const QString& e : lists.elements(k))
            ctx.out(QStringLiteral("%1\t%2").arg(statements::listType(k)).arg(e));
    }
    if (a.saved) {
        for (ListKind k : {ListKind::Accounts, ListKind::Classifications})
            for (const statements::SavedList& l : lists.savedLists(k))
                ctx.out(QStringLiteral("saved\t%1\t%2\t%3").arg(statements::listType(k)).arg(l.id).arg(l.name));
    }
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("lists"), QStringLiteral("build, save and show the element lists of a statement's list rows"),
               QStringLiteral(
                   "Usage: pravik lists --id N [--from DATE --to DATE] [--rebuild] [--clear]\n"
                   "         [--accounts-all | --accounts-mask MASK | --accounts-range FROM..TO | --accounts A,B,...]\n"
                   "         [--synthetic | --level N]\n"
                   "         [--classifications-all | --classification-mask SEC.CHAPT.PARA[SUB] | --classifications C,...]\n"
                   "         [--revenues] [--plan] [--group section|chapter|paragraph|full]\n"
                   "         [--kind K|B] [--load ID] [--save NAME [--replace ID]] [--remove-saved ID] [--saved]\n"
                   "         [--no-names]\n"
                   "\n"
                   "The lists of statement N for the user: accounts posted in the date range (default the fiscal\n"
                   "year) for its 'K' rows, budget classifications for its 'B' rows, as the statement generation\n"
                   "expands them. --rebuild replaces every list with all elements of the range (what the\n"
                   "statement window does before generating with the full range). The filters add the elements\n"
                   "they find that a list does not hold yet; --clear empties the lists first. A changed list is\n"
                   "saved for the generation. --accounts-range compares the first three characters (\"1\" is\n"
                   "\"001\"); --synthetic and --level N show the accounts cut to their synthetic part or to N\n"
                   "analytic levels. Classifications are expenses unless --revenues; --plan adds those of the\n"
                   "budget plan; --group cuts them to the section, chapter or paragraph. Account rows carry the\n"
                   "account's name for the printout unless --no-names (then the row's own name is printed).\n"
                   "--save NAME saves the list of --kind (default: the accounts when the statement has 'K' rows)\n"
                   "under NAME (a new name, or --replace ID); --load ID takes a saved list; --saved lists them.\n"
                   "Output: the heading, each list's count, then \"K<TAB>element\" / \"B<TAB>element\" lines.\n"
                   "Exit code 0 when done, 1 when refused or failed (the message says why), 2 for wrong options."),
               &runLists)

} // namespace pravik::cli

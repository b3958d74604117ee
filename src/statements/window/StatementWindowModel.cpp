#include "statements/window/StatementWindowModel.h"

#include "platform/Settings.h"
#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "siblings/utilka/Messages.h"
#include "statements/generation/StatementGeneration.h"
#include "statements/headings/StatementHeadings.h"
#include "statements/lists/UserLists.h"
#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementProcedures.h"
#include "statements/variants/StatementVariant.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMap>
#include <QMutex>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace pravik::statements {

const QString StatementWindowModel::kReportKey = kStatementVariantKey;

namespace {

using sql::sqlNumber;

const QString kBoldOff = QStringLiteral("Wyłączono pogrubianie czcionki.");
const QString kBoldOn = QStringLiteral("Włączono pogrubianie czcionki.");
const QString kProgressTitle = QStringLiteral("Przygotowanie danych do wydruku...");
const QString kProgressText = QStringLiteral("Proszę czekać. Trwa przygotowanie danych do wydruku...");

// What the window keeps between its openings while the module stays loaded (the dates are
// chosen afresh each time). Per thread, as the module's other storage.
struct WindowMemory {
    int periodType = StatementWindowModel::kAsOf;
    int periodYear = 0;
    int periodIndex = -1;
    bool cumulative = false;
    bool approvedOnly = false;
    bool accountNames = false;
    QString description;
    QMap<qint64, int> listRange;
};

WindowMemory& memory()
{
    thread_local WindowMemory m;
    return m;
}

QString dateText(DayNumber day)
{
    return dateFromDay(day).toString(QStringLiteral("dd-MM-yyyy"));
}

QString roman(int quarter)
{
    static const QStringList r = {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III"), QStringLiteral("IV")};
    return r.value(quarter - 1);
}

// One value of a one-row read; empty for no row. A failed read is shown and gives nullopt.
std::optional<QVariant> scalar(const QString& tsql)
{
    sql::Cursor c = sql::Database::forThread().exec(tsql);
    const bool row = c.next();
    if (!c.ok()) {
        utilka::MSG_OST(c.errorText());
        return std::nullopt;
    }
    return row ? c.value(0) : QVariant();
}

struct Printout {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
};
// Neither is ever destroyed: a host that ends the process without waiting would otherwise have
// the runtime stop it for a thread not joined, or that thread lock a mutex already gone.
QBasicMutex printoutsMutex;
std::vector<Printout>& printouts = *new std::vector<Printout>;

} // namespace

void resetStatementWindowMemory()
{
    memory() = WindowMemory();
}

StatementWindowHooks& statementWindowHooks()
{
    static StatementWindowHooks hooks;
    return hooks;
}

// ---- printout threads ----

void startStatementPrintout(std::function<void()> fn)
{
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([copy = korda::session(), options = statementPrintOptions(), fn = std::move(fn), done]() mutable {
        korda::session() = std::move(copy);
        statementPrintOptions() = options;
        // Nobody above this thread would catch what escapes it, and the process would end with
        // every window of the desktop.
        try {
            fn();
        } catch (const std::exception& e) {
            utilka::MSG_OST(QStringLiteral("Wydruk przerwany: %1").arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            utilka::MSG_OST(QStringLiteral("Wydruk przerwany: nieoczekiwany błąd."));
        }
        korda::releaseThread();
        done->store(true);
    });
    std::vector<Printout> ended;
    {
        QMutexLocker lock(&printoutsMutex);
        // Ended threads are joined as new ones start, so that a long day of printouts does not
        // keep a stack for each of them.
        const auto split = std::stable_partition(printouts.begin(), printouts.end(), [](const Printout& p) { return !p.done->load(); });
        std::move(split, printouts.end(), std::back_inserter(ended));
        printouts.erase(split, printouts.end());
        printouts.push_back({std::move(thread), std::move(done)});
    }
    for (Printout& p : ended)
        p.thread.join();
}

bool waitForStatementPrintouts(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    const QCoreApplication* app = QCoreApplication::instance();
    // A printout that shows its preview or a message needs the application's thread: serve it.
    const bool serve = app && QThread::currentThread() == app->thread();
    auto running = [] {
        QMutexLocker lock(&printoutsMutex);
        return std::any_of(printouts.begin(), printouts.end(), [](const Printout& p) { return !p.done->load(); });
    };
    while (running()) {
        if (deadline.hasExpired())
            return false;
        if (serve)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    // Joined, not merely flagged: a thread that has left the printout still frees its copy of the
    // session and its share of Qt, and the module must not be unloaded under it.
    std::vector<Printout> finished;
    {
        QMutexLocker lock(&printoutsMutex);
        finished.swap(printouts);
    }
    for (Printout& p : finished)
        p.thread.join();
    return true;
}

// ---- opening ----

StatementWindowModel::StatementWindowModel(qint64 statementId, const QString& statementName, QObject* parent)
    : ReportWindowModel(parent), startPrintout(startStatementPrintout), m_statementId(statementId),
      m_statementName(statementName.trimmed())
{
    const StatementWindowHooks& hooks = statementWindowHooks();
    openList = hooks.openList;
    openHeaderData = hooks.openHeaderData;
    openSpdExport = hooks.openSpdExport;
    openXmlExport = hooks.openXmlExport;
}

StatementWindowModel::~StatementWindowModel() = default;

qint32 StatementWindowModel::columnYear() const
{
    return m_budget ? s().GGG_BAZAKRES_IDROKU : s().DANE_LATA_OBROTOWE;
}

bool StatementWindowModel::open()
{
    korda::Session& ses = s();
    ses.GGG_PRN_EXPORT_XML = 0;
    openOutput();
    m_mailClient = defaultMailClient();
    if (m_mailClient.trimmed().isEmpty())
        m_mailClient = QStringLiteral("Outlook Express");
    if (!readStatement())
        return false;
    if (!loadYears())
        return false;

    // The dates: a budget statement's from the host's budget range, else today when it lies in
    // the working year, or the year's last day.
    if (m_budget) {
        m_from = ses.GGG_BAZAKRES_DAT[0];
        m_to = ses.GGG_BAZAKRES_DAT[1];
    } else {
        const DayNumber t = today();
        m_to = (t >= ses.DANE_POCZATEK_ROKU && t <= ses.DANE_KONIEC_ROKU) || ses.DANE_KONIEC_ROKU <= 0 ? t : ses.DANE_KONIEC_ROKU;
        m_from = 0;
    }
    if (ses.GGG_WERSJA_DLA_KRAB_PRIORYTET < 2)
        ses.DANE_DATA_WYDRUKU = today();
    ses.DANE_NAGLOWEK_WYDRUKU = m_statementName;

    for (const GroupStatement& g : std::as_const(m_group))
        if (!readColumns(g.id))
            return false;
    m_scope = scopes().value(0).value;

    m_open = true;
    const WindowMemory& mem = memory();
    if (!m_budget) {
        const int type = mem.periodType;
        m_rememberedFrom = type == kRange ? firstDayOfMonth(m_to) : 0;
        setPeriodType(type);
        if (type >= kQuarters) {
            if (mem.periodYear > 0)
                setPeriodYear(mem.periodYear);
            if (mem.periodIndex >= 0)
                choosePeriod(mem.periodIndex);
        }
    } else {
        applyDates();
    }
    applyFormCode();
    updatePeriodText();
    const VariantValues last = openVariants(kReportKey);
    if (!last.isEmpty())
        applyVariant(last);
    applyRules();
    emit changed();
    return true;
}

bool StatementWindowModel::readStatement()
{
    const korda::Session& ses = s();
    sql::Database& db = sql::Database::forThread();
    sql::Cursor head = db.exec(QStringLiteral("select nazwa, wariant, upper(isnull(typ,'')) from ZESTAW_NAG where id_zestaw_nag=%1 AND id_firmy=%2")
                                   .arg(sqlNumber(m_statementId), sqlNumber(ses.DANE_ID_FIRMY)));
    const bool found = head.next();
    if (!head.ok()) {
        utilka::MSG_OST(head.errorText());
        return false;
    }
    if (!found) {
        utilka::MSG_INF(QStringLiteral("Zestawienie nr %1 nie istnieje w bieżącej firmie.").arg(m_statementId));
        return false;
    }
    if (m_statementName.isEmpty())
        m_statementName = head.value(0).toString().trimmed();
    const QString ownCode = head.value(1).toString().trimmed();
    m_budget = head.value(2).toString().trimmed() == QLatin1String("BA");
    head.close();

    const auto group = scalar(QStringLiteral("select a.id_zestaw_grupa from ZESTAW_NAG a inner join ZESTAW_GRUPA b on a.id_zestaw_grupa = "
                                             "b.id_zestaw_grupa where a.id_zestaw_nag=%1").arg(sqlNumber(m_statementId)));
    m_groupId = group ? group->toLongLong() : 0;
    const QString levelSql = m_groupId > 0
        ? QStringLiteral("select max(abs(a.poziom)) from ZESTAW_POZ a inner join ZESTAW_NAG b on a.id_zestaw_nag = b.id_zestaw_nag "
                         "where b.id_zestaw_grupa = %1").arg(sqlNumber(m_groupId))
        : QStringLiteral("select max(abs(poziom)) from ZESTAW_POZ where id_zestaw_nag = %1").arg(sqlNumber(m_statementId));
    m_highestLevel = qMax(1, scalar(levelSql).value_or(QVariant()).toInt());

    m_group.clear();
    if (m_groupId > 0) {
        sql::Cursor g = db.exec(QStringLiteral("select nazwa, typ from ZESTAW_GRUPA where id_zestaw_grupa =%1").arg(sqlNumber(m_groupId)));
        if (g.next()) {
            m_groupName = g.value(0).toString().trimmed();
            m_groupCode = g.value(1).toString().trimmed();
        }
        if (!g.ok())
            utilka::MSG_OST(g.errorText());
        g.close();
        // Ties by id, so that statements of one name keep one order.
        sql::Cursor list = db.exec(QStringLiteral("select nazwa,id_zestaw_nag,wariant from ZESTAW_NAG where id_firmy=%1 AND id_zestaw_grupa=%2 "
                                                  "order by nazwa, id_zestaw_nag").arg(sqlNumber(ses.DANE_ID_FIRMY), sqlNumber(m_groupId)));
        while (list.next()) {
            GroupStatement member;
            member.name = list.value(0).toString().trimmed();
            member.id = list.value(1).toLongLong();
            member.formCode = list.value(2).toString().trimmed();
            m_group << member;
        }
        if (!list.ok()) {
            utilka::MSG_OST(list.errorText());
            return false;
        }
    }
    if (m_group.isEmpty())
        m_group << GroupStatement{m_statementId, m_statementName, ownCode};
    m_selected = 0;
    for (int i = 0; i < m_group.size(); ++i) {
        GroupStatement& g = m_group[i];
        if (g.id == m_statementId)
            m_selected = i;
        sql::Cursor kinds = db.exec(QStringLiteral("select upper(typ) from ZESTAW_POZ where id_zestaw_nag = %1 AND isnull(typ,'') <> '' group by upper(typ)")
                                        .arg(sqlNumber(g.id)));
        while (kinds.next()) {
            g.hasListRows = true;
            g.accountRows = g.accountRows || kinds.value(0).toString().trimmed() == QLatin1String("K");
        }
        if (!kinds.ok())
            utilka::MSG_OST(kinds.errorText());
        g.listRange = memory().listRange.value(g.id, 0);
    }

    const qint32 year = columnYear();
    m_previousYear = scalar(QStringLiteral("select isnull((select top 1 l.id_lata_obrot from LATA_OBROTOWE l where l.id_firmy=%1 AND "
                                           "l.poczatek_roku < isnull((select o.poczatek_roku from LATA_OBROTOWE o where o.id_lata_obrot=%2),0) "
                                           "order by l.poczatek_roku desc),0)").arg(sqlNumber(ses.DANE_ID_FIRMY), sqlNumber(year)))
                         .value_or(QVariant()).toInt();
    m_boInFirstFive = scalar(QStringLiteral("select 1 from ZESTAW_NAG where id_zestaw_nag=%1 AND (CZY_BO_1=1 OR CZY_BO_2=1 OR CZY_BO_3=1 "
                                            "OR CZY_BO_4=1 OR CZY_BO_5=1)").arg(sqlNumber(m_statementId)))
                          .value_or(QVariant()).toInt() == 1;
    return true;
}

bool StatementWindowModel::readColumns(qint64 statementId)
{
    const korda::Session& ses = s();
    sql::Database& db = sql::Database::forThread();
    QStringList cols = {QStringLiteral("ilosc_kolumn")};
    for (int c = 1; c <= kMaxAmountColumns; ++c)
        cols << QStringLiteral("id_lo_%1").arg(c) << QStringLiteral("czy_BO_%1").arg(c);
    sql::Cursor head = db.exec(QStringLiteral("select %1 from ZESTAW_NAG where id_zestaw_nag=%2").arg(cols.join(QLatin1Char(',')), sqlNumber(statementId)));
    if (!head.next()) {
        if (!head.ok())
            utilka::MSG_OST(head.errorText());
        return head.ok();
    }
    const int count = qBound(0, head.value(0).toInt(), kMaxAmountColumns);
    QList<StatementColumn> found;
    for (int c = 1; c <= count; ++c) {
        StatementColumn col;
        col.number = c;
        col.statementId = statementId;
        col.yearId = head.value(2 * c - 1).toInt();
        if (col.yearId == 0)
            col.yearId = columnYear();
        col.openingBalance = head.value(2 * c).toInt() == 1;
        found << col;
    }
    head.close();
    QMap<qint32, QString> years;
    sql::Cursor names = db.exec(QStringLiteral("select id_lata_obrot, rok_obrotowy from LATA_OBROTOWE where id_firmy=%1").arg(sqlNumber(ses.DANE_ID_FIRMY)));
    while (names.next())
        years.insert(names.value(0).toInt(), names.value(1).toString().trimmed());
    if (!names.ok())
        utilka::MSG_OST(names.errorText());
    for (StatementColumn& col : found)
        col.yearName = years.value(col.yearId);
    m_columns << found;
    return true;
}

// ---- group list, columns and scope ----

QString StatementWindowModel::formCode() const
{
    return m_group.value(m_selected).formCode;
}

QString StatementWindowModel::printGroupCaption() const
{
    return QStringLiteral("Drukuj grupę raportów ") + m_groupName;
}

QString StatementWindowModel::listFrameCaption() const
{
    if (m_groupId > 0)
        return QStringLiteral("Grupa raportów ") + m_groupName;
    return s().DANE_CZY_WERSJA_BUDZET == 1 ? QStringLiteral("Lista klasyfikacji budżetowej / kont księgowych")
                                           : QStringLiteral("Lista kont księgowych");
}

bool StatementWindowModel::selectStatement(int index)
{
    if (!m_open || index < 0 || index >= m_group.size())
        return false;
    m_selected = index;
    m_scope = scopes().value(0).value;
    applyFormCode();
    applyRules();
    emit changed();
    return true;
}

QList<StatementColumn> StatementWindowModel::shownColumns() const
{
    QList<StatementColumn> out;
    const qint64 id = m_group.value(m_selected).id;
    for (const StatementColumn& c : m_columns)
        if (c.statementId == id)
            out << c;
    return out;
}

QList<ScopeEntry> StatementWindowModel::scopes() const
{
    QList<ScopeEntry> out;
    if (m_groupId > 0)
        out << ScopeEntry{QStringLiteral("wszystkie raporty"), -1};
    out << ScopeEntry{QStringLiteral("wybrany raport"), 0};
    for (const StatementColumn& c : shownColumns())
        if (!c.openingBalance)
            out << ScopeEntry{QStringLiteral("%1 kolumna wybranego raportu").arg(c.number), c.number};
    return out;
}

bool StatementWindowModel::setScope(int value)
{
    if (!editable(Control::Scope))
        return false;
    for (const ScopeEntry& e : scopes())
        if (e.value == value) {
            m_scope = value;
            emit changed();
            return true;
        }
    return false;
}

// ---- period ----

int StatementWindowModel::periodType() const
{
    return memory().periodType;
}

bool StatementWindowModel::setPeriodType(int type)
{
    if (!editable(Control::PeriodType) || type < kAsOf || type > kMonths)
        return false;
    WindowMemory& mem = memory();
    if (mem.periodType != kAsOf && m_from > 0)
        m_rememberedFrom = m_from;
    mem.periodType = type;
    if (type == kAsOf) {
        m_from = 0;
    } else if (type == kRange) {
        m_from = m_rememberedFrom > 0 ? m_rememberedFrom : firstDayOfMonth(m_to);
    } else {
        mem.periodYear = yearOf(m_to);
        rebuildPeriodList();
        // The period holding the to date, unless one was chosen before in this list.
        const int within = monthOf(m_to) - 1;
        mem.periodIndex = type == kQuarters ? within / 3 : within;
        applyPeriodChoice();
    }
    applyDates();
    return true;
}

bool StatementWindowModel::setDateFrom(DayNumber day)
{
    if (!editable(Control::DateFrom) || day <= 0)
        return false;
    m_from = day;
    m_rememberedFrom = day;
    applyDates();
    return true;
}

bool StatementWindowModel::setDateTo(DayNumber day)
{
    if (!editable(Control::DateTo) || day <= 0)
        return false;
    m_to = day;
    applyDates();
    return true;
}

int StatementWindowModel::periodYear() const
{
    return memory().periodYear;
}

bool StatementWindowModel::setPeriodYear(int year)
{
    if (!editable(Control::PeriodYear) || year < 1801 || year > 9999)
        return false;
    memory().periodYear = year;
    rebuildPeriodList();
    applyPeriodChoice();
    applyDates();
    return true;
}

int StatementWindowModel::periodListIndex() const
{
    const int i = memory().periodIndex;
    return i >= 0 && i < m_periodList.size() ? i : -1;
}

bool StatementWindowModel::choosePeriod(int index)
{
    if (!editable(Control::PeriodList) || index < 0 || index >= m_periodList.size())
        return false;
    memory().periodIndex = index;
    applyPeriodChoice();
    applyDates();
    return true;
}

bool StatementWindowModel::cumulative() const
{
    return memory().cumulative;
}

bool StatementWindowModel::setCumulative(bool on)
{
    if (!editable(Control::Cumulative))
        return false;
    memory().cumulative = on;
    applyPeriodChoice();
    applyDates();
    return true;
}

void StatementWindowModel::rebuildPeriodList()
{
    m_periodList.clear();
    const int year = memory().periodYear;
    if (year <= 0)
        return;
    if (periodType() == kQuarters) {
        for (int q = 0; q < 4; ++q)
            m_periodList << StatementPeriod{quarterName(q + 1), dayFromYmd(year, 3 * q + 1, 1), lastDayOfMonth(dayFromYmd(year, 3 * q + 3, 1))};
    } else {
        for (int m = 0; m < 12; ++m)
            m_periodList << StatementPeriod{monthName(m + 1), dayFromYmd(year, m + 1, 1), lastDayOfMonth(dayFromYmd(year, m + 1, 1))};
    }
}

void StatementWindowModel::applyPeriodChoice()
{
    const int i = periodListIndex();
    if (i < 0)
        return;
    const StatementPeriod& p = m_periodList[i];
    m_to = p.last;
    m_from = cumulative() ? dayFromYmd(memory().periodYear, 1, 1) : p.first;
}

// The window's dates on the columns of the chosen scope; opening-balance columns keep none.
void StatementWindowModel::applyDates()
{
    const qint64 selected = m_group.value(m_selected).id;
    for (StatementColumn& c : m_columns) {
        if (c.openingBalance)
            continue;
        const bool inScope = m_scope == -1 || (c.statementId == selected && (m_scope == 0 || m_scope == c.number));
        if (inScope) {
            c.from = m_from;
            c.to = m_to;
        }
    }
    updatePeriodText();
    applyRules();
    emit changed();
}

void StatementWindowModel::updatePeriodText()
{
    if (!m_budget || m_to <= 0)
        return;
    const QString code = m_groupCode.isEmpty() ? formCode() : m_groupCode;
    const QString quarter = roman((monthOf(m_to) - 1) / 3 + 1);
    const QString year = QString::number(yearOf(m_to));
    QString text;
    if (code == QLatin1String("Rb27S") || code == QLatin1String("Rb28S") || code == QLatin1String("Rb28S70"))
        text = QStringLiteral("za okres od początku roku do dnia ") + dateText(m_to) + QStringLiteral(" roku");
    else if (code == QLatin1String("Rb27ZZ") || code == QLatin1String("F-01/I-01"))
        text = QStringLiteral("za okres od początku roku do końca ") + quarter + QStringLiteral(" kwartału roku ") + year;
    else if (code == QLatin1String("RbN") || code == QLatin1String("RbZ"))
        text = QStringLiteral("wg stanu na koniec ") + quarter + QStringLiteral(" kwartału ") + year + QStringLiteral(" roku");
    else if (code == QLatin1String("Rb50D") || code == QLatin1String("Rb50W"))
        text = QStringLiteral("za ") + quarter + QStringLiteral(" kwartał ") + year + QStringLiteral(" roku");
    else if (code == QLatin1String("RbWS"))
        text = QStringLiteral("w roku ") + year;
    else
        return;
    statementPrintOptions().periodText = text.left(200);
}

// "RbWS" prints ordinals, thousands and no decimals.
void StatementWindowModel::applyFormCode()
{
    if (formCode() != QLatin1String("RbWS") && m_groupCode != QLatin1String("RbWS"))
        return;
    StatementPrintOptions& o = statementPrintOptions();
    o.ordinal = true;
    o.thousands = true;
    o.noDecimals = true;
}

void StatementWindowModel::applyRules()
{
    if (m_to != s().DANE_KONIEC_ROKU)
        m_skipBz = false;
    if (!(m_previousYear != 0 && m_boInFirstFive))
        m_computeBo = false;
    StatementPrintOptions& o = statementPrintOptions();
    o.totalsLevel = qBound(1, o.totalsLevel, qMax(1, m_highestLevel));
    if (s().GGG_WERSJA_DLA_KRAB_PRIORYTET < 1)
        memory().approvedOnly = true;
}

// ---- options ----

bool StatementWindowModel::setSkipBz(bool on)
{
    if (!editable(Control::SkipBz))
        return false;
    m_skipBz = on;
    emit changed();
    return true;
}

bool StatementWindowModel::approvedOnly() const
{
    return memory().approvedOnly;
}

bool StatementWindowModel::setApprovedOnly(bool on)
{
    if (!editable(Control::ApprovedOnly))
        return false;
    memory().approvedOnly = on;
    emit changed();
    return true;
}

bool StatementWindowModel::setComputeBo(bool on)
{
    if (!editable(Control::ComputeBo))
        return false;
    m_computeBo = on;
    emit changed();
    return true;
}

bool StatementWindowModel::setPrintGroup(bool on)
{
    if (!editable(Control::PrintGroup))
        return false;
    statementPrintOptions().wholeGroup = on;
    emit changed();
    return true;
}

int StatementWindowModel::listRange() const
{
    return m_group.value(m_selected).listRange;
}

bool StatementWindowModel::setListRange(int range)
{
    if (!editable(Control::ListRange) || range < 0 || range > 1)
        return false;
    GroupStatement& g = m_group[m_selected];
    g.listRange = range;
    memory().listRange.insert(g.id, range);
    emit changed();
    return true;
}

bool StatementWindowModel::accountNames() const
{
    return memory().accountNames;
}

bool StatementWindowModel::setAccountNames(bool on)
{
    if (!editable(Control::AccountNames))
        return false;
    memory().accountNames = on;
    emit changed();
    return true;
}

const StatementPrintOptions& StatementWindowModel::options() const
{
    return statementPrintOptions();
}

StatementWindowModel::Control StatementWindowModel::controlOf(bool StatementPrintOptions::*member)
{
    using O = StatementPrintOptions;
    if (member == &O::thousands) return Control::Thousands;
    if (member == &O::round) return Control::Round;
    if (member == &O::noDecimals) return Control::NoDecimals;
    if (member == &O::ordinal) return Control::Ordinal;
    if (member == &O::wrap) return Control::Wrap;
    if (member == &O::reportTotal) return Control::ReportTotal;
    if (member == &O::pageTotals) return Control::PageTotals;
    if (member == &O::broughtForward) return Control::BroughtForward;
    if (member == &O::carriedForward) return Control::CarriedForward;
    if (member == &O::skipZeroRows) return Control::SkipZeroRows;
    return Control::PrintGroup; // wholeGroup, and boldOff (Ctrl+B) which no control shows
}

bool StatementWindowModel::setOption(bool StatementPrintOptions::*member, bool on)
{
    if (member == &StatementPrintOptions::boldOff || !editable(controlOf(member)))
        return false;
    statementPrintOptions().*member = on;
    emit changed();
    return true;
}

bool StatementWindowModel::setTotalsMode(TotalsMode mode)
{
    if (!editable(Control::TotalsMode) || int(mode) < 1 || int(mode) > 3)
        return false;
    statementPrintOptions().totalsMode = mode;
    emit changed();
    return true;
}

bool StatementWindowModel::setTotalsLevel(int level)
{
    if (!editable(Control::TotalsLevel) || level < 1 || level > qMax(1, m_highestLevel))
        return false;
    statementPrintOptions().totalsLevel = level;
    emit changed();
    return true;
}

bool StatementWindowModel::setPeriodText(const QString& text)
{
    if (!editable(Control::PeriodText))
        return false;
    statementPrintOptions().periodText = text.left(200);
    emit changed();
    return true;
}

bool StatementWindowModel::krs() const
{
    return s().GGG_PRN_KRS != 0;
}

bool StatementWindowModel::setKrs(bool on)
{
    if (!editable(Control::Krs))
        return false;
    s().GGG_PRN_KRS = on ? 1 : 0;
    emit changed();
    return true;
}

int StatementWindowModel::mailFormat() const
{
    return s().GGG_EMAILPDF;
}

bool StatementWindowModel::setMailFormat(int format)
{
    if (!m_open || format < 0 || format > 1)
        return false;
    s().GGG_EMAILPDF = quint8(format);
    emit changed();
    return true;
}

bool StatementWindowModel::toggleBold()
{
    StatementPrintOptions& o = statementPrintOptions();
    o.boldOff = !o.boldOff;
    utilka::MSG_INF(o.boldOff ? kBoldOff : kBoldOn);
    emit changed();
    return o.boldOff;
}

QString StatementWindowModel::title() const
{
    return s().DANE_NAGLOWEK_WYDRUKU;
}

void StatementWindowModel::storeTitle(const QString& title)
{
    s().DANE_NAGLOWEK_WYDRUKU = title;
}

QString StatementWindowModel::description() const
{
    return memory().description;
}

void StatementWindowModel::storeDescription(const QString& text)
{
    memory().description = text;
}

// ---- control states ----

StatementWindowModel::ControlState StatementWindowModel::control(Control c) const
{
    const bool inGroup = m_groupId > 0;
    const bool scopeFrame = !m_budget; // a budget statement's range comes from the host
    const int type = periodType();
    const GroupStatement& g = m_group.isEmpty() ? GroupStatement() : m_group[m_selected];
    switch (c) {
    case Control::Scope: return {true, scopeFrame && scopes().size() != 2};
    case Control::PrintGroup: return {inGroup, scopeFrame};
    case Control::GroupList: return {inGroup, scopeFrame && printGroup()};
    case Control::Columns: return {true, scopeFrame};
    case Control::PeriodType: return {true, scopeFrame};
    case Control::DateFrom: return {type != kAsOf, scopeFrame && type <= kRange};
    case Control::DateTo: return {true, scopeFrame && type <= kRange};
    case Control::PeriodYear:
    case Control::PeriodList:
    case Control::Cumulative: return {type >= kQuarters, scopeFrame};
    case Control::SkipBz: return {m_to > 0 && m_to == s().DANE_KONIEC_ROKU, true};
    case Control::ApprovedOnly: return {true, s().GGG_WERSJA_DLA_KRAB_PRIORYTET >= 1};
    case Control::ComputeBo: return {true, m_previousYear != 0 && m_boInFirstFive};
    case Control::ListRange: return {g.hasListRows, true};
    case Control::ListButton: return {g.hasListRows, g.listRange == 1};
    case Control::AccountNames: return {g.accountRows, true};
    case Control::PeriodText: return {inGroup, true};
    case Control::Title: return {!inGroup, true};
    case Control::PrintDate: return {true, s().GGG_WERSJA_DLA_KRAB_PRIORYTET >= 2};
    case Control::CalendarButton: return {s().GGG_WERSJA_DLA_KRAB_PRIORYTET >= 2, true};
    case Control::TotalsLevel: return {true, options().totalsMode == TotalsMode::ChosenLevel};
    case Control::ExportSpd: return {true, bool(openSpdExport)};
    case Control::ExportXml: return {s().DANE_CZY_WERSJA_BUDZET == 1, bool(openXmlExport)};
    case Control::HeaderData: return {m_budget, bool(openHeaderData)};
    case Control::DeleteVariant: return {true, currentVariantId() != 0};
    default: return {};
    }
}

// ---- heading lines and titles ----

QList<HeadingColumn> StatementWindowModel::headingColumns() const
{
    QList<HeadingColumn> out;
    for (const StatementColumn& c : m_columns)
        if (c.statementId == m_statementId)
            out << HeadingColumn{c.openingBalance, c.from, c.to, c.yearName};
    return out;
}

HeadingPeriod StatementWindowModel::headingPeriod() const
{
    HeadingPeriod p;
    p.type = HeadingPeriod::Type(periodType());
    const int i = periodListIndex();
    p.number = i >= 0 ? i + 1 : 0;
    p.year = periodYear();
    p.cumulative = cumulative();
    return p;
}

QStringList StatementWindowModel::headingLines() const
{
    if (m_groupId > 0)
        return {};
    return statementHeadingLines(headingColumns(), headingPeriod(), description());
}

QString StatementWindowModel::showTitle() const
{
    // The rows shown are the opened statement's, so its name heads them.
    return statementBrowseTitle(m_statementName, headingColumns(), headingPeriod());
}

// ---- generation ----

QPair<DayNumber, DayNumber> StatementWindowModel::listDateRange(qint64 statementId) const
{
    QList<GenerationColumn> columns;
    for (const StatementColumn& c : m_columns)
        if (c.statementId == statementId)
            columns << GenerationColumn{c.statementId, c.number, c.openingBalance, c.from, c.to, c.yearId};
    QString error;
    const auto range = statements::listDateRange(columns, s().DANE_ID_FIRMY, columnYear(), &error);
    if (!range) {
        utilka::MSG_OST(error);
        return {0, 0};
    }
    return {range->first, range->second};
}

QList<qint64> StatementWindowModel::statementsToGenerate(bool forShow) const
{
    if (forShow || !printGroup() || m_groupId <= 0)
        return {m_statementId};
    QList<qint64> ids;
    for (const GroupStatement& g : m_group)
        ids << g.id;
    return ids;
}

bool StatementWindowModel::generate(bool forShow)
{
    korda::Session& ses = s();
    const QList<qint64> ids = statementsToGenerate(forShow);
    for (const StatementColumn& c : std::as_const(m_columns))
        if (ids.contains(c.statementId) && !c.openingBalance && (c.to <= 0 || c.from > c.to)) {
            utilka::MSG_INF(QStringLiteral("Kolumna nr %1 zestawienia ma niepoprawny okres: data początkowa jest późniejsza niż końcowa.")
                                .arg(c.number));
            return false;
        }
    std::unique_ptr<ProgressSink> progress = ui().openProgress(kTitleInformation);
    progress->setText(kProgressTitle + u'\n' + kProgressText);
    progress->setPercent(0);

    // The automatic lists, rebuilt over the columns' range: a list left as an earlier period
    // built it would give its rows that period's elements.
    for (const GroupStatement& g : std::as_const(m_group)) {
        if (!ids.contains(g.id) || !g.hasListRows || g.listRange != 0)
            continue;
        const auto [from, to] = listDateRange(g.id);
        UserLists lists(ses.DANE_ID_FIRMY, ses.DANE_ID_UZYTKOWNIKA_NR, g.id, from, to);
        if (accountNames())
            lists.setAccountNames(columnYear());
        if (!lists.rebuildAll()) {
            utilka::MSG_INF(lists.error());
            return false;
        }
    }
    progress->setPercent(10);

    GenerationRequest request;
    request.company = ses.DANE_ID_FIRMY;
    request.year = columnYear();
    request.user = ses.DANE_ID_UZYTKOWNIKA_NR;
    request.statements = ids;
    for (const StatementColumn& c : std::as_const(m_columns))
        request.columns << GenerationColumn{c.statementId, c.number, c.openingBalance, c.from, c.to, c.yearId};
    // A budget form's period is the form's own range, not the window's dates.
    request.ordinary = !m_budget;
    request.from = m_budget ? ses.GGG_BAZAKRES_DAT[0] : m_from;
    request.to = m_budget ? ses.GGG_BAZAKRES_DAT[1] : m_to;
    request.approvedOnly = approvedOnly();
    request.computeBo = m_computeBo;
    request.skipBz = m_skipBz;
    const bool several = ids.size() > 1 || (!forShow && printGroup() && m_groupId > 0);
    const auto failure = generateStatements(request, [&](int done, int total) {
        if (done == 0)
            progress->setPercent(15);
        else if (several)
            progress->setPercent(15 + 85 * done / total);
    });
    if (failure && failure->statementId == 0) {
        utilka::MSG_OST(failure->text);
        return false;
    }
    if (failure) {
        QString text = failure->text;
        if (several) {
            QString name;
            for (const GroupStatement& g : std::as_const(m_group))
                if (g.id == failure->statementId)
                    name = g.name;
            text = QStringLiteral("Zestawienie \"%1\". %2").arg(name, text);
        }
        utilka::MSG_INF(text);
        return false;
    }
    const qint32 year = request.year;
    m_printYearName = ses.DANE_LATA_OBROT_NAZWA;
    for (const FiscalYearEntry& y : std::as_const(m_years))
        if (y.id == year)
            m_printYearName = y.name;
    progress->setPercent(100);
    ses.DANE_OPIS_PRN.clear();
    for (const QString& line : headingLines())
        ses.DANE_OPIS_PRN.add(line);
    return true;
}

// ---- actions ----

bool StatementWindowModel::refused(Command command) const
{
    return command == Command::SaveToTable;
}

StatementWindowModel::MailRoute StatementWindowModel::mailRoute() const
{
    return {0, quint8(m_mailClient == QLatin1String("Microsoft Outlook") ? 1 : 0)};
}

bool StatementWindowModel::dispatch(Command command)
{
    Q_UNUSED(command);
    korda::Session& ses = s();
    rememberVariant();
    storePrinterChoice();
    ses.GGG_PRN_EXPORT_XML = 0;
    if (!generate(false))
        return false;
    outlik::USTAL_ADRES_FIRMY();
    const QString filter = StatementPrintRequest::userRowsFilter(ses.DANE_ID_UZYTKOWNIKA_NR);
    const QString group = QString::number(m_groupId);
    const QString statement = QString::number(m_statementId);
    m_lastProcedure = QStringLiteral("PRN_ZESTAW_MULTIKOL_NEW");
    startPrintout([filter, group, statement, year = m_printYearName] {
        korda::session().DANE_LATA_OBROT_NAZWA = year;
        PRN_ZESTAW_MULTIKOL_NEW(filter, group, statement);
    });
    // The printout took its copy of the heading lines.
    ses.DANE_OPIS_PRN.clear();
    emit finished();
    return true;
}

bool StatementWindowModel::show()
{
    if (!m_open || !editable(Control::Show))
        return false;
    if (!generate(true))
        return false;
    m_lastProcedure = QStringLiteral("ZESTAW_BROWSER");
    if (openRows)
        openRows(m_statementId, showTitle());
    return true;
}

bool StatementWindowModel::exportCsv()
{
    if (!m_open || !editable(Control::ExportCsv))
        return false;
    korda::Session& ses = s();
    ses.GGG_XML_Q.clear();
    ses.DANE_DRUKARKA_EKRAN = 1;
    ses.outputRequests.printRequest = 1;
    ses.outputRequests.emailRequest = 0;
    if (!generate(false))
        return false;
    ses.GGG_PRN_EXPORT_XML = 1;
    const QString yearName = ses.DANE_LATA_OBROT_NAZWA;
    ses.DANE_LATA_OBROT_NAZWA = m_printYearName;
    const int response = PRN_ZESTAW_MULTIKOL_NEW(StatementPrintRequest::userRowsFilter(ses.DANE_ID_UZYTKOWNIKA_NR),
                                                 QString::number(m_groupId), QString::number(m_statementId));
    ses.GGG_PRN_EXPORT_XML = 0;
    ses.DANE_LATA_OBROT_NAZWA = yearName;
    m_lastProcedure = QStringLiteral("PRN_ZESTAW_MULTIKOL_NEW");
    if (response != 1) {
        ses.GGG_XML_Q.clear();
        return false;
    }
    // A statement's name may hold a slash ("Bilans 2025/2026"): not a folder in the suggestion.
    QString suggested = m_statementName;
    suggested.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    const auto path = ui().askSaveFile(QStringLiteral("Eksport do pliku (CSV)"), suggested + QStringLiteral(".csv"),
                                       QStringLiteral("Pliki CSV (*.csv)"));
    bool written = false;
    if (path && !path->trimmed().isEmpty()) {
        QString error;
        written = writeExportCsv(QFileInfo(*path).absoluteFilePath(), ses.GGG_XML_Q, &error);
        if (!written)
            utilka::MSG_OST(error);
    }
    ses.GGG_XML_Q.clear();
    return written;
}

BudgetHandOver StatementWindowModel::handOver() const
{
    BudgetHandOver h;
    h.statementId = m_statementId;
    h.groupId = m_groupId;
    h.formCode = formCode();
    h.groupCode = m_groupCode;
    h.from = m_budget ? s().GGG_BAZAKRES_DAT[0] : m_from;
    h.to = m_budget ? s().GGG_BAZAKRES_DAT[1] : m_to;
    h.periodType = periodType();
    h.periodText = options().periodText;
    h.reportName = m_groupId > 0 ? m_groupName : m_statementName;
    return h;
}

bool StatementWindowModel::exportSpd()
{
    if (!m_open || !editable(Control::ExportSpd) || !generate(false))
        return false;
    openSpdExport(handOver());
    return true;
}

bool StatementWindowModel::exportXml()
{
    if (!m_open || !editable(Control::ExportXml) || !generate(false))
        return false;
    openXmlExport(handOver());
    return true;
}

bool StatementWindowModel::headerData()
{
    if (!m_open || !editable(Control::HeaderData))
        return false;
    openHeaderData(handOver());
    return true;
}

bool StatementWindowModel::openListWindow()
{
    if (!m_open || !editable(Control::ListButton))
        return false;
    const qint64 id = m_group[m_selected].id;
    const auto [from, to] = listDateRange(id);
    if (openList)
        openList(id, from, to);
    else
        DEFINIOWANA_LISTA_RU(qint32(id), from, to, 0);
    return true;
}

// ---- saved variants: parameters 1 to 13 of "RU" ----

VariantValues StatementWindowModel::variantValues() const
{
    return statementVariantValues({options(), krs()});
}

void StatementWindowModel::applyVariant(const VariantValues& values)
{
    StatementVariantOptions o{options(), krs()};
    applyStatementVariant(values, &o);
    statementPrintOptions() = o.print;
    s().GGG_PRN_KRS = o.krs ? 1 : 0;
    applyRules();
}

} // namespace pravik::statements

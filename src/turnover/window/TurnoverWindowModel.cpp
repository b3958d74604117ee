#include "turnover/window/TurnoverWindowModel.h"

#include "platform/Settings.h"
#include "turnover/TurnoverVariables.h"
#include "platform/UiServices.h"
#include "platform/sql/Quote.h"
#include "siblings/kontar/AccountPicker.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/ScratchRows.h"
#include "turnover/window/TurnoverDescriptionLines.h"

#include <algorithm>
#include <optional>

namespace pravik::turnover {

namespace {

using sql::sqlNumber;

const QString kAsOfOutsideMonth = QStringLiteral("Data \"na dzień\" wykracza poza wybrany miesiąc obrotowy.");
const QString kPln = QStringLiteral("PLN");

bool sameMonth(DayNumber a, DayNumber b)
{
    return yearOf(a) == yearOf(b) && monthOf(a) == monthOf(b);
}

// The day moved into the month of `period`, keeping its day of the month where it exists.
DayNumber intoMonth(DayNumber day, DayNumber period)
{
    const int y = yearOf(period);
    const int m = monthOf(period);
    const int last = dayOfMonth(lastDayOfMonth(period));
    return dayFromYmd(y, m, qMin(dayOfMonth(day), last));
}

// The number in the leading digits of a text ("20-" -> 20); nullopt when it has none.
std::optional<int> leadingNumber(const QString& text)
{
    int n = 0;
    int digits = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            break;
        n = n * 10 + c.digitValue();
        ++digits;
    }
    return digits > 0 ? std::optional<int>(n) : std::nullopt;
}

} // namespace

TurnoverWindowModel::TurnoverWindowModel(int kind, int synthetic, TurnoverProcedureTable procedures, QObject* parent)
    : ReportWindowModel(parent), m_kind(kind), m_synthetic(kind != 1 && kind != 2 && synthetic != 0),
      m_procedures(std::move(procedures))
{
}

TurnoverWindowModel::~TurnoverWindowModel() = default;

QString TurnoverWindowModel::defaultTitle() const
{
    if (m_kind == 1)
        return QStringLiteral("Zestawienie zapisów na kontach");
    if (m_kind == 2)
        return QStringLiteral("Uzgodnienie sald kont z rozrachunkami");
    return m_synthetic ? QStringLiteral("Zestawienie obrotów i sald kont syntetycznych")
                       : QStringLiteral("Zestawienie obrotów i sald kont analitycznych");
}

QString TurnoverWindowModel::reportKey() const
{
    if (m_kind == 1)
        return QStringLiteral("OBR_ZAP");
    if (m_kind == 2)
        return QStringLiteral("OBR_UZG");
    return m_synthetic ? QStringLiteral("OBR_S") : QStringLiteral("OBR_A");
}

QString TurnoverWindowModel::procedure() const
{
    if (m_kind == 1)
        return QStringLiteral("PRN_RAPORT_KONTO_SQL");
    if (m_kind == 2)
        return QStringLiteral("PRN_OBROTY_SQL_UZGODNIENIE");
    return simpleVariant() ? QStringLiteral("PRN_OBROTY_SQL_PROSTY") : QStringLiteral("PRN_OBROTY_SQL");
}

bool TurnoverWindowModel::open()
{
    openOutput();
    m_mailClient = defaultMailClient();
    if (!loadYears())
        return false;
    loadCurrencies();
    applyDefaults();
    m_open = true;
    applyVariantValuesShown(openVariants(reportKey()));
    evaluatePeriod();
    applyRules();
    emit changed();
    return true;
}

void TurnoverWindowModel::applyDefaults()
{
    const korda::Session& ses = s();
    m_options = TurnoverOptions();
    m_options.title = defaultTitle();
    m_options.currency = ses.DANE_AKTYWNA_WALUTA.trimmed().isEmpty() ? kPln : ses.DANE_AKTYWNA_WALUTA.trimmed();
    m_options.cardIndexAccounts = analyticStatement();
    m_options.settlement = m_kind == 2;
    m_options.printKrs = ses.GGG_PRN_KRS != 0;
    m_asOf = false;
    m_asOfDate = ses.DANE_DATA_BIEZACA > 0 ? ses.DANE_DATA_BIEZACA : today();
    m_dateFrom = firstDayOfMonth(m_asOfDate);
    m_dateTo = lastDayOfMonth(m_asOfDate);
}

// ---- lists ----

void TurnoverWindowModel::loadCurrencies()
{
    m_currencies.clear();
    if (utilka::EXECVAX(QStringLiteral("select sym_waluty, nazwa from WALUTY"))) {
        while (utilka::NEXT(korda::VAX_FK) == 0)
            m_currencies.append({korda::VAX_FK.text(1).trimmed(), korda::VAX_FK.text(2).trimmed()});
        korda::VAX_FK.close();
    }
    utilka::checkSql();
    const bool hasPln = std::any_of(m_currencies.begin(), m_currencies.end(),
                                    [](const TurnoverCurrency& c) { return c.code == kPln; });
    if (!hasPln)
        m_currencies.prepend({kPln, QStringLiteral("Polski złoty")});
}

void TurnoverWindowModel::yearChosen(DayNumber previousPeriod)
{
    // Keep the same month when the new year has it.
    const int same = periodIndexFor(m_periods, previousPeriod);
    if (same >= 0)
        m_periodIndex = same;
}

void TurnoverWindowModel::periodChosen()
{
    const DayNumber period = m_periods[m_periodIndex].date;
    if (m_asOfDate > 0 && !sameMonth(m_asOfDate, period))
        m_asOfDate = intoMonth(m_asOfDate, period);
    evaluatePeriod();
    applyRules();
}

void TurnoverWindowModel::evaluatePeriod()
{
    const FiscalYearEntry* y = currentYear();
    const FiscalPeriodEntry* p = currentPeriod();
    m_periodOpen = true;
    if (!y || !p)
        return;
    DayNumber closedThrough = 0;
    int status = 0;
    if (utilka::EXECVAX(QStringLiteral("select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=") + sqlNumber(y->id))) {
        if (utilka::NEXT(korda::VAX_FK) == 0) {
            closedThrough = DayNumber(korda::VAX_FK.number(1));
            status = int(korda::VAX_FK.number(2));
        }
        korda::VAX_FK.close();
    }
    utilka::checkSql();
    switch (periodKind(p->date)) {
    case PeriodKind::Month:
        m_periodOpen = p->date > closedThrough;
        break;
    case PeriodKind::Closing:
        m_periodOpen = status != 2;
        break;
    case PeriodKind::OpeningBalance:
        m_periodOpen = false;
        break;
    }
}

// ---- rules ----

bool TurnoverWindowModel::approvedForced() const
{
    return !m_periodOpen || s().GGG_WERSJA_DLA_KRAB_PRIORYTET < 2;
}

void TurnoverWindowModel::applyRules()
{
    korda::Session& ses = s();
    if (!turnoverStatement())
        m_asOf = false;
    if (m_kind == 2 || m_asOf)
        m_options.currency = kPln;
    if (m_synthetic)
        m_options.cardIndexAccounts = false;
    if (approvedForced())
        m_options.approvedOnly = true;
    if (ses.GGG_WERSJA_DLA_KRAB_PRIORYTET < 2)
        ses.DANE_DATA_WYDRUKU = today();
    if (simpleVariant())
        m_options.netBalances = false;
    // Listings are printed under analytic accounts only, never by the simple statement.
    if (simpleVariant() || m_synthetic) {
        m_options.mpkEntries = false;
        m_options.budgetClassification = false;
        m_options.entries = false;
    }
    if (ses.DANE_CZY_WERSJA_MPK != 1) {
        m_options.mpkEntries = false;
        m_options.mpk = false;
    }
    if (ses.DANE_CZY_WERSJA_BUDZET != 1)
        m_options.budgetClassification = false;
    if (ses.DANE_RODZAJ_WYDRUKU == kText)
        m_options.entries = false;
    if (m_options.nonZeroTurnoversOnly)
        m_complete = false;
}

TurnoverWindowModel::ControlState TurnoverWindowModel::control(Control c) const
{
    const korda::Session& ses = s();
    const bool mpkKept = ses.DANE_CZY_WERSJA_MPK == 1;
    const bool budgetKept = ses.DANE_CZY_WERSJA_BUDZET == 1;
    const bool listings = !simpleVariant() && !m_synthetic && ses.DANE_RODZAJ_WYDRUKU != kText;
    const bool fullDates = ses.GGG_WERSJA_DLA_KRAB_PRIORYTET >= 2;
    ControlState st;
    switch (c) {
    case Control::AsOf:
        st.visible = turnoverStatement();
        break;
    case Control::AsOfDate:
        st.visible = turnoverStatement();
        st.enabled = m_asOf;
        break;
    case Control::DateRange:
        st.visible = m_kind == 1;
        break;
    case Control::DateFrom:
    case Control::DateTo:
    case Control::DateKind:
        st.visible = m_kind == 1;
        st.enabled = m_options.dateRange;
        break;
    case Control::Currency:
        st.enabled = m_kind != 2 && !m_asOf;
        break;
    case Control::CardIndexAccounts:
        st.visible = turnoverStatement();
        st.enabled = !m_synthetic;
        break;
    case Control::ApprovedOnly:
        st.enabled = !approvedForced();
        break;
    case Control::OnlyMismatched:
        st.visible = m_kind == 2;
        break;
    case Control::NonZeroBalanceLeaves:
    case Control::LastLevelOnly:
        st.enabled = !m_synthetic;
        break;
    case Control::NonZeroBalanceSynthetic:
        st.enabled = m_synthetic && !m_options.nonZeroBalanceLeaves;
        break;
    case Control::NetBalances:
        st.enabled = !simpleVariant();
        break;
    case Control::AccountPerPage:
        st.visible = m_kind == 1;
        break;
    case Control::MpkEntries:
        st.visible = mpkKept;
        st.enabled = listings;
        break;
    case Control::BudgetClassification:
        st.visible = budgetKept;
        st.enabled = listings;
        break;
    case Control::GroupMpk:
        st.visible = mpkKept || budgetKept;
        st.enabled = listings && (m_options.mpkEntries || m_options.budgetClassification);
        break;
    case Control::Entries:
    case Control::ContraAccount:
        st.enabled = listings;
        break;
    case Control::EntriesRange:
        st.enabled = listings && m_options.entries;
        break;
    case Control::PrintDate:
        st.enabled = fullDates;
        break;
    case Control::CalendarButton:
        st.visible = fullDates;
        break;
    case Control::Mpk:
        st.visible = mpkKept;
        break;
    case Control::SaveToTable:
        st.visible = turnoverStatement();
        break;
    case Control::Help:
        st.visible = m_kind != 2;
        break;
    case Control::DeleteVariant:
        st.enabled = currentVariantId() != 0;
        break;
    default:
        break;
    }
    return st;
}

QString TurnoverWindowModel::groupMpkLabel() const
{
    return s().DANE_CZY_WERSJA_BUDZET == 1 ? QStringLiteral("Grupuj MPK/klasyfikację budżetową") : QStringLiteral("Grupuj MPK");
}

TurnoverWindowModel::Control TurnoverWindowModel::controlOf(bool TurnoverOptions::*member)
{
    using O = TurnoverOptions;
    static const QList<std::pair<bool O::*, Control>> table = {
        {&O::cardIndexAccounts, Control::CardIndexAccounts},
        {&O::approvedOnly, Control::ApprovedOnly},
        {&O::cumulativeWithOpening, Control::CumulativeWithOpening},
        {&O::nonZeroTurnoversOnly, Control::NonZeroTurnovers},
        {&O::nonZeroBalanceLeaves, Control::NonZeroBalanceLeaves},
        {&O::nonZeroBalanceSynthetic, Control::NonZeroBalanceSynthetic},
        {&O::lastLevelOnly, Control::LastLevelOnly},
        {&O::accountPerPage, Control::AccountPerPage},
        {&O::mpkEntries, Control::MpkEntries},
        {&O::budgetClassification, Control::BudgetClassification},
        {&O::entries, Control::Entries},
        {&O::contraAccount, Control::ContraAccount},
        {&O::groupMpk, Control::GroupMpk},
        {&O::printKrs, Control::Krs},
        {&O::thousands, Control::Thousands},
        {&O::balanceSheet, Control::AccountTypes},
        {&O::profitAndLoss, Control::AccountTypes},
        {&O::offBalance, Control::AccountTypes},
        {&O::settlement, Control::Settlement},
        {&O::currencyAccounts, Control::CurrencyAccounts},
        {&O::twoBalance, Control::TwoBalance},
        {&O::mpk, Control::Mpk},
        {&O::dateRange, Control::DateRange},
        {&O::wrapLines, Control::WrapLines},
        {&O::fontForAmountsOnly, Control::FontForAmountsOnly},
        {&O::netBalances, Control::NetBalances},
        {&O::boldAggregates, Control::BoldAggregates},
        {&O::hideZeros, Control::HideZeros},
    };
    for (const auto& [m, c] : table)
        if (m == member)
            return c;
    return Control::Groups;
}

// ---- options ----

bool TurnoverWindowModel::setFlag(bool TurnoverOptions::*member, bool on)
{
    const Control c = controlOf(member);
    if (c == Control::Groups || !editable(c))
        return false;
    m_options.*member = on;
    if (member == &TurnoverOptions::printKrs)
        s().GGG_PRN_KRS = on ? 1 : 0;
    if (member == &TurnoverOptions::nonZeroTurnoversOnly && on)
        m_complete = false;
    applyRules();
    emit changed();
    return true;
}

bool TurnoverWindowModel::setVariant(int variant)
{
    if (!editable(Control::Variant) || variant < 1 || variant > 3)
        return false;
    m_options.variant = variant;
    if (variant == 1)
        m_asOf = false;
    applyRules();
    emit changed();
    return true;
}

bool TurnoverWindowModel::setEntriesRange(int range)
{
    if (!editable(Control::EntriesRange) || range < 0 || range > 1)
        return false;
    m_options.entriesRange = range;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setCurrency(const QString& code)
{
    const QString wanted = code.trimmed().toUpper();
    if (!editable(Control::Currency))
        return false;
    const bool listed = std::any_of(m_currencies.begin(), m_currencies.end(),
                                    [&](const TurnoverCurrency& c) { return c.code.compare(wanted, Qt::CaseInsensitive) == 0; });
    if (!listed)
        return false;
    m_options.currency = wanted;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setGroup(int group, bool on)
{
    if (!editable(Control::Groups) || group < 0 || group > 9)
        return false;
    m_options.groups[group] = on;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setRange(int from, int to)
{
    if (!editable(Control::Range) || from < 0 || from > 999 || to < 0 || to > 999)
        return false;
    m_options.rangeFrom = from;
    m_options.rangeTo = to;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setMask(const QString& mask)
{
    if (!editable(Control::Mask))
        return false;
    m_options.mask = mask.trimmed().left(60);
    emit changed();
    return true;
}

bool TurnoverWindowModel::setDateKind(int kind)
{
    if (!editable(Control::DateKind) || kind < 0 || kind > 1)
        return false;
    m_options.dateKind = kind;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setFontSize(int size)
{
    if (!editable(Control::FontSize) || size < 4 || size > 72)
        return false;
    m_options.fontSize = size;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setAsOf(bool on)
{
    if (!editable(Control::AsOf))
        return false;
    m_asOf = on;
    if (on) {
        if (m_asOfDate <= 0)
            m_asOfDate = s().DANE_DATA_BIEZACA > 0 ? s().DANE_DATA_BIEZACA : today();
        if (m_options.variant == 1)
            m_options.variant = 2;
    }
    applyRules();
    emit changed();
    return true;
}

bool TurnoverWindowModel::setAsOfDate(DayNumber date)
{
    if (!editable(Control::AsOfDate) || date <= 0)
        return false;
    m_asOfDate = date;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setDateRange(DayNumber from, DayNumber to)
{
    if (!editable(Control::DateFrom) || from <= 0 || to <= 0)
        return false;
    m_dateFrom = from;
    m_dateTo = to;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setGroupTotals(bool on)
{
    if (!editable(Control::GroupTotals))
        return false;
    m_groupTotals = on;
    emit changed();
    return true;
}

bool TurnoverWindowModel::setOnlyMismatched(bool on)
{
    if (!editable(Control::OnlyMismatched))
        return false;
    m_onlyMismatched = on;
    emit changed();
    return true;
}

bool TurnoverWindowModel::toggleCardIndexComplete()
{
    if (!m_open || m_options.nonZeroTurnoversOnly)
        return false;
    m_complete = !m_complete;
    emit changed();
    return true;
}

bool TurnoverWindowModel::clearRange()
{
    return setRange(0, 999);
}

bool TurnoverWindowModel::clearAccountFilter()
{
    if (!editable(Control::NoFilter))
        return false;
    m_options.groups.fill(false);
    m_options.balanceSheet = m_options.profitAndLoss = m_options.offBalance = false;
    m_options.settlement = m_options.currencyAccounts = m_options.twoBalance = false;
    m_options.mpk = false;
    m_options.rangeFrom = 0;
    m_options.rangeTo = 999;
    m_options.mask.clear();
    emit changed();
    return true;
}

QString TurnoverWindowModel::chooseAccount()
{
    korda::Session& ses = s();
    ses.DANE_STATUS_WYBORU = 0;
    // The picker lists the chart of the year chosen here, not only the session's.
    const qint32 sessionYear = ses.DANE_LATA_OBROTOWE;
    if (currentYear())
        ses.DANE_LATA_OBROTOWE = currentYear()->id;
    const QString chosen = kontar::PLAN_KONT();
    ses.DANE_LATA_OBROTOWE = sessionYear;
    return chosen;
}

bool TurnoverWindowModel::pickRangeAccount(RangeEnd end)
{
    if (!editable(Control::RangePickers))
        return false;
    const QString account = chooseAccount();
    const std::optional<int> number = leadingNumber(account.left(3));
    if (!number)
        return false;
    if (end == RangeEnd::From)
        m_options.rangeFrom = *number;
    else
        m_options.rangeTo = *number;
    emit changed();
    return true;
}

bool TurnoverWindowModel::pickMaskAccount()
{
    if (!editable(Control::MaskPicker))
        return false;
    const QString account = chooseAccount();
    if (account.isEmpty())
        return false;
    m_options.mask = account.left(60);
    emit changed();
    return true;
}

bool TurnoverWindowModel::krs() const
{
    return m_options.printKrs;
}

bool TurnoverWindowModel::setKrs(bool on)
{
    return setFlag(&TurnoverOptions::printKrs, on);
}

int TurnoverWindowModel::mailFormat() const
{
    return s().GGG_EMAILPDF == 1 ? 1 : 0;
}

bool TurnoverWindowModel::setMailFormat(int format)
{
    if (!m_open || format < 0 || format > 1)
        return false;
    s().GGG_EMAILPDF = quint8(format);
    emit changed();
    return true;
}

void TurnoverWindowModel::applyVariantValuesShown(const VariantValues& values)
{
    if (values.isEmpty())
        return;
    TurnoverOptions loaded = m_options;
    const QStringList problems = applyVariantValues(loaded, values);
    m_options = loaded;
    s().GGG_PRN_KRS = m_options.printKrs ? 1 : 0;
    for (const QString& p : problems)
        utilka::MSG_INF(p);
}

void TurnoverWindowModel::applyVariant(const VariantValues& values)
{
    applyVariantValuesShown(values);
    applyRules();
}

// ---- commands and dispatch ----

TurnoverParameters TurnoverWindowModel::parameters() const
{
    const TurnoverOptions& o = m_options;
    TurnoverParameters p;
    p.cumulativeWithOpening = o.cumulativeWithOpening;
    p.cardIndexAccounts = o.cardIndexAccounts;
    p.approvedOnly = o.approvedOnly;
    p.nonZeroTurnoversOnly = o.nonZeroTurnoversOnly;
    p.mask = o.mask.trimmed();
    p.yearName = currentYear() ? currentYear()->name : QString();
    p.variant = o.variant;
    p.thousands = o.thousands;
    p.title = o.title;
    p.syntheticOnly = m_synthetic;
    p.nonZeroBalanceLeaves = o.nonZeroBalanceLeaves;
    p.nonZeroBalanceSynthetic = o.nonZeroBalanceSynthetic;
    p.lastLevelOnly = o.lastLevelOnly;
    return p;
}

QString TurnoverWindowModel::browseTitle() const
{
    const QString month = currentPeriod() ? currentPeriod()->monthName : QString();
    const QString year = currentYear() ? currentYear()->name : QString();
    return QStringLiteral("Zestawienie obrotów i sald (") + month + QLatin1Char(' ') + year + QLatin1Char(')');
}

QStringList TurnoverWindowModel::descriptionLines() const
{
    DescriptionFacts f;
    f.kind = m_kind;
    f.synthetic = m_synthetic;
    f.options = m_options;
    f.periodName = currentPeriod() ? currentPeriod()->monthName : QString();
    f.periodOpen = m_periodOpen;
    f.asOf = m_asOf;
    f.asOfDate = m_asOfDate;
    f.dateFrom = m_dateFrom;
    f.dateTo = m_dateTo;
    f.hideServiceLines = s().GGG_SERWIS_UKRYJ_OPISY_WYDRUKU != 0;
    return turnoverDescriptionLines(f);
}

bool TurnoverWindowModel::refused(Command command) const
{
    if (command == Command::SaveToTable && !turnoverStatement())
        return true;
    if (m_asOf && !sameMonth(m_asOfDate, currentPeriod()->date)) {
        utilka::MSG_INF(kAsOfOutsideMonth);
        return true;
    }
    return false;
}

TurnoverWindowModel::MailRoute TurnoverWindowModel::mailRoute() const
{
    return {0, quint8(m_mailClient == QLatin1String("Microsoft Outlook") ? 1 : 0)};
}

bool TurnoverWindowModel::dispatch(Command command)
{
    applyRules();
    const bool ran = runStatement(command);
    applyRules();
    return ran;
}

bool TurnoverWindowModel::runStatement(Command command)
{
    korda::Session& ses = s();
    const FiscalYearEntry& year = *currentYear();
    const FiscalPeriodEntry& period = *currentPeriod();
    const QString name = procedure();
    const TurnoverProcedureTable::Statement* statement = m_procedures.entry(name);
    if (!statement || !*statement) {
        utilka::MSG_OST(procedureMissingText(m_options.title.isEmpty() ? defaultTitle() : m_options.title));
        return false;
    }

    rememberVariant();
    storePrinterChoice();
    ses.DANE_NAGLOWEK_WYDRUKU = m_options.title;
    ses.GGG_PRN_KRS = m_options.printKrs ? 1 : 0;

    const AccountListResult list =
        buildAccountList(ses.DANE_ID_FIRMY, year.id, AccountSelection::from(m_options, m_synthetic));
    if (!list.ok()) {
        utilka::MSG_INF(list.problem);
        return false;
    }

    TurnoverSettings st;
    st.yearId = year.id;
    st.period = period.date;
    st.currency = m_options.currency;
    st.asOf = m_asOf;
    st.asOfDate = m_asOf ? m_asOfDate : 0;
    st.groupTotals = m_groupTotals;
    st.netBalances = m_options.netBalances;
    st.boldAggregates = m_options.boldAggregates;
    st.wrapLines = m_options.wrapLines;
    st.hideZeros = m_options.hideZeros;
    st.fontSize = m_options.fontSize;
    st.fontForAmountsOnly = m_options.fontForAmountsOnly;
    st.mpkEntries = m_options.mpkEntries;
    st.budgetClassification = m_options.budgetClassification;
    st.groupMpk = m_options.groupMpk;
    st.entries = m_options.entries;
    st.allEntries = m_options.entriesRange != 0;
    st.contraAccount = m_options.contraAccount;
    st.onlyMismatched = m_kind == 2 && m_onlyMismatched;
    st.cardIndexComplete = m_complete;
    st.dateRange = m_kind == 1 && m_options.dateRange;
    st.dateKind = m_options.dateKind;
    st.dateFrom = m_dateFrom;
    st.dateTo = m_dateTo;
    st.accountPerPage = m_kind == 1 && m_options.accountPerPage;
    st.accounts = list.accounts;

    if (command == Command::SaveToTable)
        deleteBrowseRows(ses.DANE_ID_UZYTKOWNIKA_NR); // a failure is shown; the statement still runs

    for (const QString& line : descriptionLines())
        ses.DANE_OPIS_PRN.add(line);
    outlik::USTAL_ADRES_FIRMY();

    setTurnoverVariables(st);
    m_lastProcedure = name;
    ses.globalResponse = 0;
    m_lastResponse = (*statement)(turnoverRequest(parameters(), st, ses));

    if (command == Command::SaveToTable) {
        ses.outputRequests.browseRequest = 0;
        if (m_lastResponse != 2 && openBrowse)
            openBrowse(m_options.variant, m_options.lastLevelOnly ? 1 : 0, browseTitle());
    }
    return true;
}

} // namespace pravik::turnover

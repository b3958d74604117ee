#include "journals/window/JournalWindowModel.h"

#include "delivery/MailSettings.h"

#include "journals/JournalVariables.h"
#include "platform/Settings.h"
#include "platform/UiServices.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"
#include "siblings/utilka/TextServices.h"


namespace pravik::journals {

namespace {

using sql::sqlNumber;

const QString kPartialJournals = QStringLiteral("dzienniki częściowe");
const QString kChooseJournal = QStringLiteral("Proszę wybrać dziennik.");

QString clipped(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

// The value of a LATA_OBROTOWE column of one year, 0 when absent or null.
qint64 yearNumber(const QString& column, qint32 yearId)
{
    return utilka::FUNCVAY(QStringLiteral("select isnull((select %1 from LATA_OBROTOWE where ID_LATA_OBROT=%2),0)")
                               .arg(column, sqlNumber(yearId)))
        .toLongLong();
}

QString companyOption(qint32 yearId, int option, bool withLeadingOne)
{
    const QString sql = QStringLiteral("select %1nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=%2 AND id_lata_obrot=%3"
                                       " AND id_opcje=%4")
                            .arg(withLeadingOne ? QStringLiteral("1,") : QString(), sqlNumber(korda::session().DANE_ID_FIRMY),
                                 sqlNumber(yearId), sqlNumber(option));
    if (!utilka::EXECVAX(sql)) {
        utilka::checkSql();
        return {};
    }
    QString value;
    if (utilka::NEXT(korda::VAX_FK) == 0)
        value = korda::VAX_FK.text(withLeadingOne ? 2 : 1);
    korda::VAX_FK.close();
    utilka::checkSql();
    return clipped(value);
}

} // namespace

JournalWindowModel::JournalWindowModel(qint32 kind, JournalProcedureTable procedures, QObject* parent)
    : ReportWindowModel(parent), m_kind(kind), m_procedures(std::move(procedures)), m_variables(journalVariables())
{
}

void JournalWindowModel::keepVariables()
{
    setJournalVariables(m_variables);
}

bool JournalWindowModel::open()
{
    // A kind with no journal behind it would offer commands that print nothing.
    if (m_kind != Postings && m_kind != Documents && m_kind != Batches)
        return false;
    korda::Session& ses = s();
    ses.DANE_NAGLOWEK_WYDRUKU = m_kind == Batches ? QStringLiteral("Zestawienie dzienników księgowań")
                                                  : QStringLiteral("Dziennik księgowań");
    openOutput();
    m_approvedOnly = ses.GGG_WERSJA_DLA_KRAB_PRIORYTET < 2;
    if (m_approvedOnly) {
        m_variables.CZY_NUMEROWANIE = 0;
        keepVariables();
        ses.DANE_DATA_WYDRUKU = today();
    }
    m_open = loadYears();
    if (m_open) {
        loadBatches();
        evaluateRenumbering();
    }
    emit changed();
    return m_open;
}

// ---- lists ----

void JournalWindowModel::loadBatches()
{
    m_partial = false;
    m_batches.clear();
    m_batchIndex = -1;
    const FiscalYearEntry* y = currentYear();
    if (!y || m_kind == Batches)
        return;
    if (companyOption(y->id, 120, true) != kPartialJournals)
        return;
    m_partial = true;
    m_batches.append(JournalBatch{});
    const QString sql = QStringLiteral("select id_paczka, kod_paczki, opis_paczki from PACZKA where id_firmy=%1"
                                       " AND id_lata_obrot=%2 order by id_firmy, id_lata_obrot, kod_paczki, id_paczka")
                            .arg(sqlNumber(s().DANE_ID_FIRMY), sqlNumber(y->id));
    if (utilka::EXECVAX(sql)) {
        while (utilka::NEXT(korda::VAX_FK) == 0) {
            JournalBatch b;
            b.id = qint32(korda::VAX_FK.number(1));
            b.code = korda::String<11>(korda::VAX_FK.text(2)).trimmed();
            b.name = korda::String<101>(korda::VAX_FK.text(3)).trimmed();
            m_batches.append(b);
        }
        korda::VAX_FK.close();
    }
    utilka::checkSql();
    m_batchIndex = 0;
}

void JournalWindowModel::yearChosen(DayNumber)
{
    loadBatches();
}

qint32 JournalWindowModel::chosenBatchId() const
{
    return m_partial && m_batchIndex >= 0 && m_batchIndex < m_batches.size() ? m_batches[m_batchIndex].id : 0;
}

bool JournalWindowModel::selectBatch(int index)
{
    if (!editable(Control::Batch) || index < 0 || index >= m_batches.size())
        return false;
    m_batchIndex = index;
    emit changed();
    return true;
}

bool JournalWindowModel::selectBatchCode(const QString& code)
{
    for (int i = 1; i < m_batches.size(); ++i)
        if (m_batches[i].code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return selectBatch(i);
    return false;
}

// ---- renumbering ----

DayNumber JournalWindowModel::closedThrough(qint32 yearId, DayNumber period) const
{
    switch (periodKind(period)) {
    case PeriodKind::OpeningBalance:
        return yearNumber(QStringLiteral("ZAMKNIETE_BO"), yearId) == 1 ? period : 0;
    case PeriodKind::Closing:
        return yearNumber(QStringLiteral("status"), yearId) == 2 ? period : 0;
    case PeriodKind::Month:
        break;
    }
    return DayNumber(yearNumber(QStringLiteral("ZAMKNIETY_OKRES"), yearId));
}

void JournalWindowModel::evaluateRenumbering()
{
    const FiscalYearEntry* y = currentYear();
    const FiscalPeriodEntry* p = currentPeriod();
    JournalOptions& o = m_variables;
    m_renumberOffered = y && p && m_kind != Batches && p->date > closedThrough(y->id, p->date);
    if (m_renumberOffered) {
        o.CZY_NUMEROWANIE_WARTOSC = 1;
    } else {
        o.CZY_NUMEROWANIE = 0;
        o.CZY_NUMEROWANIE_WARTOSC = 0;
    }
    keepVariables();
    utilka::checkSql();
}

// ---- options ----

JournalWindowModel::ControlState JournalWindowModel::control(Control c) const
{
    ControlState st;
    switch (c) {
    case Control::BatchLabel:
    case Control::Batch:
        st.enabled = m_partial;
        break;
    case Control::SumDocuments:
        st.visible = m_kind == Postings;
        break;
    case Control::SumOffBalance:
        st.visible = m_kind != Documents;
        break;
    case Control::Renumber:
        st.visible = !m_approvedOnly;
        st.enabled = m_renumberOffered;
        break;
    case Control::RenumberFrom:
        st.visible = !m_approvedOnly;
        st.enabled = m_renumberOffered && m_variables.CZY_NUMEROWANIE != 0;
        break;
    case Control::PrintDate:
        st.enabled = !m_approvedOnly;
        break;
    case Control::CalendarButton:
        st.visible = !m_approvedOnly;
        break;
    default:
        break;
    }
    return st;
}

bool JournalWindowModel::sumDocuments() const
{
    return m_variables.CZY_SUMOWANIE != 0;
}

bool JournalWindowModel::setSumDocuments(bool on)
{
    if (!editable(Control::SumDocuments))
        return false;
    m_variables.CZY_SUMOWANIE = on ? 1 : 0;
    keepVariables();
    emit changed();
    return true;
}

bool JournalWindowModel::sumOffBalance() const
{
    return m_variables.PRN_SUMUJ_POZABILANSOWE != 0;
}

bool JournalWindowModel::setSumOffBalance(bool on)
{
    if (!editable(Control::SumOffBalance))
        return false;
    m_variables.PRN_SUMUJ_POZABILANSOWE = on ? 1 : 0;
    keepVariables();
    emit changed();
    return true;
}

bool JournalWindowModel::renumber() const
{
    return m_variables.CZY_NUMEROWANIE != 0;
}

bool JournalWindowModel::setRenumber(bool on)
{
    if (!editable(Control::Renumber))
        return false;
    m_variables.CZY_NUMEROWANIE = on ? 1 : 0;
    keepVariables();
    emit changed();
    return true;
}

qint32 JournalWindowModel::renumberFrom() const
{
    return m_variables.CZY_NUMEROWANIE_WARTOSC;
}

bool JournalWindowModel::setRenumberFrom(qint32 first)
{
    if (!editable(Control::RenumberFrom) || first < 0)
        return false;
    m_variables.CZY_NUMEROWANIE_WARTOSC = first;
    keepVariables();
    emit changed();
    return true;
}

QString JournalWindowModel::title() const
{
    return s().DANE_NAGLOWEK_WYDRUKU;
}

void JournalWindowModel::storeTitle(const QString& title)
{
    s().DANE_NAGLOWEK_WYDRUKU = title;
}

bool JournalWindowModel::printDateAccepted(DayNumber) const
{
    return editable(Control::PrintDate);
}

bool JournalWindowModel::krs() const
{
    return s().GGG_PRN_KRS != 0;
}

bool JournalWindowModel::setKrs(bool on)
{
    if (!m_open)
        return false;
    s().GGG_PRN_KRS = on ? 1 : 0;
    emit changed();
    return true;
}

// ---- commands and dispatch ----

bool JournalWindowModel::refused(Command command) const
{
    if (ReportWindowModel::refused(command))
        return true;
    if (!m_partial || (m_kind != Postings && m_kind != Documents) || chosenBatchId() != 0)
        return false;
    if (command == Command::Print || command == Command::Preview)
        ui().message(MessageIcon::Information, kTitleInformation, kChooseJournal);
    else
        utilka::MSG_INF(kChooseJournal);
    return true;
}

JournalWindowModel::MailRoute JournalWindowModel::mailRoute() const
{
    return {2, m_mailClientKind.value_or(delivery::mailClientKind())};
}

QStringList JournalWindowModel::descriptionLines(qint32 yearId, const FiscalPeriodEntry& period) const
{
    QStringList lines;
    lines << QStringLiteral("Okres obrotowy: ") + period.name;
    if (periodKind(period.date) == PeriodKind::Month) {
        DayNumber closed = 0;
        if (utilka::EXECVAX(QStringLiteral("select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=")
                            + sqlNumber(yearId))) {
            if (utilka::NEXT(korda::VAX_FK) == 0)
                closed = DayNumber(korda::VAX_FK.number(1));
            korda::VAX_FK.close();
        }
        utilka::checkSql();
        if (closed < period.date) {
            if (!s().GGG_SERWIS_UKRYJ_OPISY_WYDRUKU)
                lines << QStringLiteral("Otwarty okres obrotowy");
        } else {
            lines << QStringLiteral("Zamknięty okres obrotowy");
        }
    }
    if (m_partial && m_batchIndex >= 0 && m_batchIndex < m_batches.size()) {
        const JournalBatch& b = m_batches[m_batchIndex];
        lines << QStringLiteral("Dziennik: ") + clipped(b.code) + QStringLiteral("  ") + b.name;
    }
    if (!m_description.trimmed().isEmpty())
        lines << m_description;
    return lines;
}

quint8 JournalWindowModel::documentOrder(qint32 yearId) const
{
    const QString value = companyOption(yearId, 123, false);
    if (value == QLatin1String("data dokumentu i numer dokumentu"))
        return 1;
    if (value == QLatin1String("data dokumentu i numer ewidencyjny"))
        return 2;
    if (value == QStringLiteral("data księgowania i numer dokumentu"))
        return 3;
    return 4;
}

bool JournalWindowModel::dispatch(Command)
{
    korda::Session& ses = s();
    const FiscalYearEntry& year = *currentYear();
    const FiscalPeriodEntry& period = *currentPeriod();
    const qint32 batch = chosenBatchId();

    storePrinterChoice();
    JournalOptions& o = m_variables;
    o.yearId = year.id;
    o.periodDate = period.date;
    o.yearName = year.name;
    o.batchId = batch;
    keepVariables();

    const DayNumber yearFirst =
        DayNumber(utilka::FUNCVAY(QStringLiteral("select poczatek_roku from LATA_OBROTOWE where id_lata_obrot = ")
                                  + sqlNumber(year.id))
                      .toLongLong());
    utilka::checkSql();
    const QString yearStart = sqlNumber(yearFirst > 0 ? firstDayOfMonth(yearFirst) : 0);

    for (const QString& line : descriptionLines(year.id, period))
        ses.DANE_OPIS_PRN.add(line);
    outlik::USTAL_ADRES_FIRMY();

    JournalRequest request;
    request.options = m_variables;
    request.yearStart = yearStart;
    request.title = ses.DANE_NAGLOWEK_WYDRUKU;
    request.sort = documentOrder(year.id);
    request.company = ses.DANE_ID_FIRMY;
    request.output = frame::OutputTarget::fromSession(ses);
    const bool text = ses.DANE_RODZAJ_WYDRUKU == kText;
    QString& filter = request.filter;
    auto call = [this, &request](const QString& name, const JournalProcedureTable::Journal& procedure) {
        m_lastProcedure = name;
        m_lastResponse = procedure ? procedure(request) : 0;
    };

    switch (m_kind) {
    case Postings:
        filter = QStringLiteral("PDD:id_lata_obrot=%1 AND PDD:data_okresu=%2").arg(sqlNumber(year.id), sqlNumber(period.date));
        if (m_partial)
            filter += QStringLiteral(" AND PDD:id_paczka=") + sqlNumber(batch);
        m_lastFilter = filter;
        if (text) {
            request.whole = !m_partial;
            call(QStringLiteral("PRN_71_DZIENNIK_P_TXT"), m_procedures.PRN_71_DZIENNIK_P_TXT);
        } else if (m_partial) {
            call(QStringLiteral("PRN_71_DZIENNIK_P_K"), m_procedures.PRN_71_DZIENNIK_P_K);
        } else {
            call(QStringLiteral("PRN_71_DZIENNIK_P_J"), m_procedures.PRN_71_DZIENNIK_P_J);
        }
        break;
    case Documents:
        filter = QStringLiteral("NAG:id_lata_obrot=%1 AND NAG:data_okresu=%2 AND NAG:status<>0")
                     .arg(sqlNumber(year.id), sqlNumber(period.date));
        if (m_partial)
            filter += QStringLiteral(" AND NAG:id_paczka=") + sqlNumber(batch);
        m_lastFilter = filter;
        if (m_partial)
            call(QStringLiteral("PRN_72_DZIENNIK_S_K"), m_procedures.PRN_72_DZIENNIK_S_K);
        else
            call(QStringLiteral("PRN_72_DZIENNIK_S_J"), m_procedures.PRN_72_DZIENNIK_S_J);
        break;
    case Batches:
        filter = QStringLiteral("PAC:id_lata_obrot=") + sqlNumber(year.id);
        m_lastFilter = filter;
        call(QStringLiteral("PRN_73_DZIENNIK"), m_procedures.PRN_73_DZIENNIK);
        break;
    default:
        m_lastFilter.clear();
        m_lastProcedure.clear();
        break;
    }
    return true;
}

} // namespace pravik::journals

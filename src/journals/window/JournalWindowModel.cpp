#include "journals/window/JournalWindowModel.h"

#include "delivery/MailSettings.h"

#include "journals/JournalOptions.h"
#include "platform/Settings.h"
#include "platform/UiServices.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/CompanyAddress.h"
#include "siblings/tekston/TextReport.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"
#include "siblings/utilka/TextServices.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace pravik::journals {

namespace {

using sql::sqlNumber;

const QString kPartialJournals = QStringLiteral("dzienniki częściowe");
const QString kChooseJournal = QStringLiteral("Proszę wybrać dziennik.");

korda::Session& s()
{
    return korda::session();
}

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
                            .arg(withLeadingOne ? QStringLiteral("1,") : QString(), sqlNumber(s().DANE_ID_FIRMY),
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
    : QObject(parent), m_kind(kind), m_procedures(std::move(procedures))
{
}

bool JournalWindowModel::open()
{
    // A kind with no journal behind it would offer commands that print nothing.
    if (m_kind != Postings && m_kind != Documents && m_kind != Batches)
        return false;
    korda::Session& ses = s();
    ses.DANE_NAGLOWEK_WYDRUKU = m_kind == Batches ? QStringLiteral("Zestawienie dzienników księgowań")
                                                  : QStringLiteral("Dziennik księgowań");
    ses.GGG_EMAILPDFSAVEAS = 0;
    m_printerName = clipped(ses.DANE_NAZWA_DRUKARKI);
    if (m_printerName.isEmpty())
        m_printerName = QPrinterInfo::defaultPrinterName();
    m_copies = qBound(1, int(ses.GGG_NUMCOPY), kMaxCopies);
    m_approvedOnly = ses.GGG_WERSJA_DLA_KRAB_PRIORYTET < 2;
    if (m_approvedOnly) {
        journalOptions().CZY_NUMEROWANIE = 0;
        ses.DANE_DATA_WYDRUKU = today();
    }
    m_open = loadYears();
    emit changed();
    return m_open;
}

// ---- lists ----

bool JournalWindowModel::loadYears()
{
    m_years = companyFiscalYears(s().DANE_ID_FIRMY);
    m_yearIndex = -1;
    if (m_years.isEmpty())
        return false;
    m_yearIndex = 0;
    for (int i = 0; i < m_years.size(); ++i)
        if (m_years[i].id == s().DANE_LATA_OBROTOWE)
            m_yearIndex = i;
    loadPeriods();
    loadBatches();
    evaluateRenumbering();
    return true;
}

void JournalWindowModel::loadPeriods()
{
    const JournalYear* y = currentYear();
    m_periods = y ? fiscalYearPeriodList(*y) : QList<JournalPeriod>();
    m_periodIndex = -1;
    if (m_periods.isEmpty())
        return;
    m_periodIndex = 0;
    for (int i = 0; i < m_periods.size(); ++i)
        if (m_periods[i].date == s().DANE_DATA_OKRESU)
            m_periodIndex = i;
}

void JournalWindowModel::loadBatches()
{
    m_partial = false;
    m_batches.clear();
    m_batchIndex = -1;
    const JournalYear* y = currentYear();
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

const JournalYear* JournalWindowModel::currentYear() const
{
    return m_yearIndex >= 0 && m_yearIndex < m_years.size() ? &m_years[m_yearIndex] : nullptr;
}

bool JournalWindowModel::selectYear(int index)
{
    if (!m_open || index < 0 || index >= m_years.size())
        return false;
    if (index != m_yearIndex) {
        m_yearIndex = index;
        loadPeriods();
        loadBatches();
        evaluateRenumbering();
    }
    emit changed();
    return true;
}

bool JournalWindowModel::selectYearId(qint32 id)
{
    for (int i = 0; i < m_years.size(); ++i)
        if (m_years[i].id == id)
            return selectYear(i);
    return false;
}

const JournalPeriod* JournalWindowModel::currentPeriod() const
{
    return m_periodIndex >= 0 && m_periodIndex < m_periods.size() ? &m_periods[m_periodIndex] : nullptr;
}

bool JournalWindowModel::selectPeriod(int index)
{
    if (!m_open || index < 0 || index >= m_periods.size())
        return false;
    m_periodIndex = index;
    evaluateRenumbering();
    emit changed();
    return true;
}

bool JournalWindowModel::selectPeriodDate(DayNumber date)
{
    for (int i = 0; i < m_periods.size(); ++i)
        if (m_periods[i].date == date)
            return selectPeriod(i);
    return false;
}

bool JournalWindowModel::selectPeriodText(const QString& name)
{
    const QString wanted = name.simplified();
    for (int i = 0; i < m_periods.size(); ++i)
        if (m_periods[i].name.simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return selectPeriod(i);
    return false;
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
    const JournalYear* y = currentYear();
    const JournalPeriod* p = currentPeriod();
    JournalOptions& o = journalOptions();
    m_renumberOffered = y && p && m_kind != Batches && p->date > closedThrough(y->id, p->date);
    if (m_renumberOffered) {
        o.CZY_NUMEROWANIE_WARTOSC = 1;
    } else {
        o.CZY_NUMEROWANIE = 0;
        o.CZY_NUMEROWANIE_WARTOSC = 0;
    }
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
        st.enabled = m_renumberOffered && journalOptions().CZY_NUMEROWANIE != 0;
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

bool JournalWindowModel::editable(Control c) const
{
    const ControlState st = control(c);
    return m_open && st.visible && st.enabled;
}

bool JournalWindowModel::sumDocuments() const
{
    return journalOptions().CZY_SUMOWANIE != 0;
}

bool JournalWindowModel::setSumDocuments(bool on)
{
    if (!editable(Control::SumDocuments))
        return false;
    journalOptions().CZY_SUMOWANIE = on ? 1 : 0;
    emit changed();
    return true;
}

bool JournalWindowModel::sumOffBalance() const
{
    return journalOptions().PRN_SUMUJ_POZABILANSOWE != 0;
}

bool JournalWindowModel::setSumOffBalance(bool on)
{
    if (!editable(Control::SumOffBalance))
        return false;
    journalOptions().PRN_SUMUJ_POZABILANSOWE = on ? 1 : 0;
    emit changed();
    return true;
}

bool JournalWindowModel::renumber() const
{
    return journalOptions().CZY_NUMEROWANIE != 0;
}

bool JournalWindowModel::setRenumber(bool on)
{
    if (!editable(Control::Renumber))
        return false;
    journalOptions().CZY_NUMEROWANIE = on ? 1 : 0;
    emit changed();
    return true;
}

qint32 JournalWindowModel::renumberFrom() const
{
    return journalOptions().CZY_NUMEROWANIE_WARTOSC;
}

bool JournalWindowModel::setRenumberFrom(qint32 first)
{
    if (!editable(Control::RenumberFrom) || first < 0)
        return false;
    journalOptions().CZY_NUMEROWANIE_WARTOSC = first;
    emit changed();
    return true;
}

QString JournalWindowModel::title() const
{
    return s().DANE_NAGLOWEK_WYDRUKU;
}

bool JournalWindowModel::setTitle(const QString& title)
{
    if (!m_open)
        return false;
    s().DANE_NAGLOWEK_WYDRUKU = title.left(150);
    emit changed();
    return true;
}

bool JournalWindowModel::setDescription(const QString& text)
{
    if (!m_open)
        return false;
    m_description = text.left(150);
    emit changed();
    return true;
}

DayNumber JournalWindowModel::printDate() const
{
    return s().DANE_DATA_WYDRUKU;
}

bool JournalWindowModel::setPrintDate(DayNumber date)
{
    if (!editable(Control::PrintDate))
        return false;
    s().DANE_DATA_WYDRUKU = date;
    emit changed();
    return true;
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

quint8 JournalWindowModel::outputKind() const
{
    return s().DANE_RODZAJ_WYDRUKU;
}

bool JournalWindowModel::setOutputKind(quint8 kind)
{
    if (!m_open || (kind != kGraphic && kind != kText))
        return false;
    s().DANE_RODZAJ_WYDRUKU = kind;
    emit changed();
    return true;
}

bool JournalWindowModel::setPrinterName(const QString& name)
{
    if (!m_open)
        return false;
    m_printerName = name.left(300);
    emit changed();
    return true;
}

bool JournalWindowModel::setCopies(int copies)
{
    if (!m_open || copies < 1 || copies > kMaxCopies)
        return false;
    m_copies = copies;
    emit changed();
    return true;
}

bool JournalWindowModel::chooseDate()
{
    if (!editable(Control::CalendarButton))
        return false;
    const auto chosen = ui().askDate(QStringLiteral("Data wydruku"), dateFromDay(printDate()));
    if (!chosen || !chosen->isValid())
        return false;
    return setPrintDate(dayFromDate(*chosen));
}

bool JournalWindowModel::choosePrinter()
{
    if (!m_open)
        return false;
    if (outputKind() == kGraphic) {
        QPrinter printer;
        if (!m_printerName.isEmpty())
            printer.setPrinterName(m_printerName);
        printer.setCopyCount(m_copies);
        if (!ui().choosePrinter(printer, QStringLiteral("Wybierz Drukarkę")))
            return false;
        m_printerName = printer.printerName().left(300);
        m_copies = qBound(1, printer.copyCount(), kMaxCopies);
    } else {
        const QString chosen = tekston::DRUKARKA_TXT();
        if (chosen.isEmpty())
            return false;
        m_printerName = chosen.left(300);
    }
    emit changed();
    return true;
}

// ---- commands and dispatch ----

bool JournalWindowModel::refusedForWantOfJournal(Command command) const
{
    if (!m_partial || (m_kind != Postings && m_kind != Documents) || chosenBatchId() != 0)
        return false;
    if (command == Command::Print || command == Command::Preview)
        ui().message(MessageIcon::Information, kTitleInformation, kChooseJournal);
    else
        utilka::MSG_INF(kChooseJournal);
    return true;
}

bool JournalWindowModel::run(Command command)
{
    if (!m_open || !currentYear() || !currentPeriod())
        return false;
    if (refusedForWantOfJournal(command))
        return false;
    korda::Session& ses = s();
    korda::OutputRequests& out = ses.outputRequests;
    out.browseRequest = 0;
    switch (command) {
    case Command::Print:
    case Command::Preview:
        ses.DANE_DRUKARKA_EKRAN = command == Command::Preview ? 1 : 0;
        // A PDF run that ended before delivery leaves its flag set; a plain print must not
        // turn into a PDF.
        ses.GGG_EMAILPDFSAVEAS = 0;
        out.printRequest = 1;
        out.emailRequest = 0;
        break;
    case Command::SavePdf:
    case Command::SendEmail:
        // A PDF or a mail is made of graphic pages; the text-printer journal would end in the
        // text viewer and never reach the mail.
        ses.DANE_RODZAJ_WYDRUKU = kGraphic;
        ses.GGG_EMAILPDFSAVEAS = command == Command::SavePdf ? 1 : 2;
        out.printRequest = 0;
        out.emailRequest = 1;
        out.mailClientKind = m_mailClientKind.value_or(delivery::mailClientKind());
        break;
    }
    dispatch();
    emit changed();
    return true;
}

QStringList JournalWindowModel::descriptionLines(qint32 yearId, const JournalPeriod& period) const
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

void JournalWindowModel::dispatch()
{
    korda::Session& ses = s();
    const JournalYear& year = *currentYear();
    const JournalPeriod& period = *currentPeriod();
    const qint32 batch = chosenBatchId();

    ses.GGG_NUMCOPY = quint8(m_copies);
    ses.DANE_NAZWA_DRUKARKI = m_printerName;
    JournalOptions& o = journalOptions();
    o.yearId = year.id;
    o.periodDate = period.date;
    o.yearName = year.name;
    o.batchId = batch;

    const DayNumber yearFirst =
        DayNumber(utilka::FUNCVAY(QStringLiteral("select poczatek_roku from LATA_OBROTOWE where id_lata_obrot = ")
                                  + sqlNumber(year.id))
                      .toLongLong());
    utilka::checkSql();
    const QString yearStart = sqlNumber(yearFirst > 0 ? firstDayOfMonth(yearFirst) : 0);

    for (const QString& line : descriptionLines(year.id, period))
        ses.DANE_OPIS_PRN.add(line);
    outlik::USTAL_ADRES_FIRMY();

    const quint8 sort = documentOrder(year.id);
    const QString title = ses.DANE_NAGLOWEK_WYDRUKU;
    const bool text = ses.DANE_RODZAJ_WYDRUKU == kText;
    QString filter;
    auto call = [this](const QString& name, const auto& procedure, auto&&... args) {
        m_lastProcedure = name;
        if (procedure)
            procedure(args...);
    };

    switch (m_kind) {
    case Postings:
        filter = QStringLiteral("PDD:id_lata_obrot=%1 AND PDD:data_okresu=%2").arg(sqlNumber(year.id), sqlNumber(period.date));
        if (m_partial)
            filter += QStringLiteral(" AND PDD:id_paczka=") + sqlNumber(batch);
        m_lastFilter = filter;
        if (text)
            call(QStringLiteral("PRN_71_DZIENNIK_P_TXT"), m_procedures.PRN_71_DZIENNIK_P_TXT, yearStart, filter, title, sort,
                 quint8(m_partial ? 0 : 1));
        else if (m_partial)
            call(QStringLiteral("PRN_71_DZIENNIK_P_K"), m_procedures.PRN_71_DZIENNIK_P_K, yearStart, filter, title, sort);
        else
            call(QStringLiteral("PRN_71_DZIENNIK_P_J"), m_procedures.PRN_71_DZIENNIK_P_J, yearStart, filter, title, sort);
        break;
    case Documents:
        filter = QStringLiteral("NAG:id_lata_obrot=%1 AND NAG:data_okresu=%2 AND NAG:status<>0")
                     .arg(sqlNumber(year.id), sqlNumber(period.date));
        if (m_partial)
            filter += QStringLiteral(" AND NAG:id_paczka=") + sqlNumber(batch);
        m_lastFilter = filter;
        if (m_partial)
            call(QStringLiteral("PRN_72_DZIENNIK_S_K"), m_procedures.PRN_72_DZIENNIK_S_K, yearStart, filter, title, sort);
        else
            call(QStringLiteral("PRN_72_DZIENNIK_S_J"), m_procedures.PRN_72_DZIENNIK_S_J, yearStart, filter, title, sort);
        break;
    case Batches:
        filter = QStringLiteral("PAC:id_lata_obrot=") + sqlNumber(year.id);
        m_lastFilter = filter;
        call(QStringLiteral("PRN_73_DZIENNIK"), m_procedures.PRN_73_DZIENNIK, yearStart, filter, title);
        break;
    default:
        m_lastFilter.clear();
        m_lastProcedure.clear();
        break;
    }
}

} // namespace pravik::journals

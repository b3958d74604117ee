#pragma once
// The band printer. A report prints named bands one after another; the writer places each under
// the previous one, starts a new page when a band would not fit, prints the layout's page header
// and footer bands on every page itself, and spools every finished page to a file so that memory
// stays flat however many pages the report has.
//
// Reports do their own page-break checks (carry-over totals must be printed before the break);
// the automatic break only guards against a band running off the page.
#include "platform/Decimal.h"
#include "platform/report/Fonts.h"
#include "platform/report/Layout.h"
#include "platform/report/PageRecord.h"
#include "platform/report/Spool.h"

#include <QHash>
#include <QString>

#include <memory>
#include <variant>

namespace pravik::report {

// A field's value; formatted by the field's picture. A whole number under a date picture is a
// day number.
using FieldValue = std::variant<std::monostate, QString, Decimal, qint64>;
using FieldValues = QHash<QString, FieldValue>;

class ReportWriter {
public:
    // Pages are spooled to spoolPath (in the run's temporary folder); the writer removes that
    // file when it is destroyed. Throws ReportError when the file cannot be created.
    ReportWriter(Layout layout, const QString& spoolPath);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // The run's own layout: changes made here apply to the bands printed after them.
    Layout& layout() { return m_layout; }
    const Layout& layout() const { return m_layout; }

    // A value that stays until replaced: fields of every band with that name use it when the
    // band's own values do not name them (company data, titles in page headers and footers).
    void setValue(const QString& field, FieldValue value);

    // Throws ReportError for a band the layout does not have.
    Units bandHeight(const QString& band) const;
    Units pageBodyHeight() const;
    // Height of the bands printed on the current page so far (0 on a new page).
    Units verticalPosition() const { return m_position; }

    // Prints a band with the given field values. Throws ReportError for an unknown band, a field
    // picture the runtime does not know, or a spool that cannot be written.
    void printBand(const QString& band, const FieldValues& values = {});
    // Ends the current page; the next band starts a new one. No blank pages are made.
    void newPage();

    // Pages begun so far, the current one included.
    int pageCount() const { return m_finishedPages + (m_pageOpen ? 1 : 0); }
    // Ends the last page and closes the spool; the spool can then be replayed (PageSink.h).
    void finish();
    bool isFinished() const { return m_spool.isFinished(); }
    QString spoolPath() const { return m_spool.path(); }

private:
    void beginPage();
    void endPage();
    // Lays a band out at vertical offset top (from the sheet's top edge).
    void placeBand(const Band& band, Units top, const FieldValues& values);
    void placeText(const Element& e, Units left, Units top, const QString& given, quint8 extraFlags);
    QString fieldText(const Element& e, const FieldValues& values) const;

    Layout m_layout;
    SpoolWriter m_spool;
    FontBook m_fonts;
    FieldValues m_persistent;
    PageRecord m_page;
    Units m_position = 0;
    bool m_pageOpen = false;
    int m_finishedPages = 0;
};

} // namespace pravik::report

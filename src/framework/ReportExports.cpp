// The C exports and the procedure table, both made from the one list in ReportProcedures.h.
//
// A host calls PRN_73_DZIENNIK("46023", "PDD:id_lata_obrot=2", "Dziennik", ...) with UTF-8 texts
// (NULL counts as empty), BYTE as unsigned char and LONG as a 32-bit int; the export turns them
// into the C++ procedure's types and calls pravik::PRN_73_DZIENNIK.
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "framework/ReportProcedures.h"
#include "framework/ReportRegistry.h"

#include "delivery/MailRoutes.h"
#include "journals/JournalProcedures.h"
#include "journals/window/ParamPrnDziennik.h"
#include "ledger/LedgerProcedures.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/forms/BudgetHeader.h"
#include "statements/print/StatementProcedures.h"
#include "statements/window/ParamPrnZestaw.h"
#include "siblings/korda/Session.h"
#include "statements/definitions/DefinitionReports.h"
#include "statements/lists/UserLists.h"
#include "turnover/OtherStatements.h"
#include "turnover/browse/StatementBrowseWindow.h"
#include "turnover/print/PrnObrotySql.h"
#include "turnover/window/ParamPrnObroty.h"

#include <QMetaType>
#include <cstdint>
#include <functional>
#include <limits>

namespace pravik {
using turnover::Bro_zestawienie_ois;
}

namespace pravik::reports {

namespace c {
using BYTE = unsigned char;
using LONG = int32_t;
using STRING = const char*;
} // namespace c

namespace cpp {
using BYTE = quint8;
using LONG = qint32;
using STRING = QString;
} // namespace cpp

namespace {

quint8 fromC(unsigned char value)
{
    return value;
}
qint32 fromC(int32_t value)
{
    return value;
}
QString fromC(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

template <typename T>
T argument(const QVariantList& arguments, qsizetype i)
{
    if constexpr (std::is_same_v<T, QString>)
        return arguments.at(i).toString();
    else
        return T(arguments.at(i).toLongLong());
}

// Whether the value fits the parameter: a whole number in range for BYTE and LONG.
bool fits(const QString& type, const QVariant& value)
{
    if (type == QLatin1String("STRING"))
        return value.canConvert<QString>();
    bool ok = false;
    const qlonglong n = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                              : value.toLongLong(&ok);
    if (!ok)
        return false;
    if (type == QLatin1String("BYTE"))
        return n >= 0 && n <= 255;
    return n >= std::numeric_limits<qint32>::min() && n <= std::numeric_limits<qint32>::max();
}

} // namespace

// A report called by a host through the C interface: refused when the module cannot run it
// (CEntry.h).
void hostCall(const char* procedure, const std::function<void()>& report)
{
    capi::runReport(procedure, report);
}

} // namespace pravik::reports

// Parameter lists from the type list: (BYTE, STRING) gives "unsigned char p1, const char* p2"
// for the export, "fromC(p1), fromC(p2)" for its call and the typed arguments for the table.
#define PRV_CAT2(a, b) a##b
#define PRV_CAT(a, b) PRV_CAT2(a, b)
#define PRV_COUNT(...) PRV_COUNT_I(__VA_ARGS__ __VA_OPT__(, ) 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define PRV_COUNT_I(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, _13, N, ...) N

#define PRV_P(t, i) ::pravik::reports::c::t p##i
#define PRV_PARAMS_0() void
#define PRV_PARAMS_1(a) PRV_P(a, 1)
#define PRV_PARAMS_2(a, b) PRV_PARAMS_1(a), PRV_P(b, 2)
#define PRV_PARAMS_3(a, b, c) PRV_PARAMS_2(a, b), PRV_P(c, 3)
#define PRV_PARAMS_4(a, b, c, d) PRV_PARAMS_3(a, b, c), PRV_P(d, 4)
#define PRV_PARAMS_5(a, b, c, d, e) PRV_PARAMS_4(a, b, c, d), PRV_P(e, 5)
#define PRV_PARAMS_6(a, b, c, d, e, f) PRV_PARAMS_5(a, b, c, d, e), PRV_P(f, 6)
#define PRV_PARAMS_7(a, b, c, d, e, f, g) PRV_PARAMS_6(a, b, c, d, e, f), PRV_P(g, 7)
#define PRV_PARAMS_8(a, b, c, d, e, f, g, h) PRV_PARAMS_7(a, b, c, d, e, f, g), PRV_P(h, 8)
#define PRV_PARAMS_9(a, b, c, d, e, f, g, h, i) PRV_PARAMS_8(a, b, c, d, e, f, g, h), PRV_P(i, 9)
#define PRV_PARAMS_10(a, b, c, d, e, f, g, h, i, j) PRV_PARAMS_9(a, b, c, d, e, f, g, h, i), PRV_P(j, 10)
#define PRV_PARAMS_11(a, b, c, d, e, f, g, h, i, j, k) PRV_PARAMS_10(a, b, c, d, e, f, g, h, i, j), PRV_P(k, 11)
#define PRV_PARAMS_12(a, b, c, d, e, f, g, h, i, j, k, l) PRV_PARAMS_11(a, b, c, d, e, f, g, h, i, j, k), PRV_P(l, 12)
#define PRV_PARAMS_13(a, b, c, d, e, f, g, h, i, j, k, l, m)                                                            \
    PRV_PARAMS_12(a, b, c, d, e, f, g, h, i, j, k, l), PRV_P(m, 13)
#define PRV_PARAMS(...) PRV_CAT(PRV_PARAMS_, PRV_COUNT(__VA_ARGS__))(__VA_ARGS__)

#define PRV_F(i) ::pravik::reports::fromC(p##i)
#define PRV_FROMC_0()
#define PRV_FROMC_1(a) PRV_F(1)
#define PRV_FROMC_2(a, b) PRV_FROMC_1(a), PRV_F(2)
#define PRV_FROMC_3(a, b, c) PRV_FROMC_2(a, b), PRV_F(3)
#define PRV_FROMC_4(a, b, c, d) PRV_FROMC_3(a, b, c), PRV_F(4)
#define PRV_FROMC_5(a, b, c, d, e) PRV_FROMC_4(a, b, c, d), PRV_F(5)
#define PRV_FROMC_6(a, b, c, d, e, f) PRV_FROMC_5(a, b, c, d, e), PRV_F(6)
#define PRV_FROMC_7(a, b, c, d, e, f, g) PRV_FROMC_6(a, b, c, d, e, f), PRV_F(7)
#define PRV_FROMC_8(a, b, c, d, e, f, g, h) PRV_FROMC_7(a, b, c, d, e, f, g), PRV_F(8)
#define PRV_FROMC_9(a, b, c, d, e, f, g, h, i) PRV_FROMC_8(a, b, c, d, e, f, g, h), PRV_F(9)
#define PRV_FROMC_10(a, b, c, d, e, f, g, h, i, j) PRV_FROMC_9(a, b, c, d, e, f, g, h, i), PRV_F(10)
#define PRV_FROMC_11(a, b, c, d, e, f, g, h, i, j, k) PRV_FROMC_10(a, b, c, d, e, f, g, h, i, j), PRV_F(11)
#define PRV_FROMC_12(a, b, c, d, e, f, g, h, i, j, k, l) PRV_FROMC_11(a, b, c, d, e, f, g, h, i, j, k), PRV_F(12)
#define PRV_FROMC_13(a, b, c, d, e, f, g, h, i, j, k, l, m) PRV_FROMC_12(a, b, c, d, e, f, g, h, i, j, k, l), PRV_F(13)
#define PRV_FROMC(...) PRV_CAT(PRV_FROMC_, PRV_COUNT(__VA_ARGS__))(__VA_ARGS__)

#define PRV_A(t, i) ::pravik::reports::argument<::pravik::reports::cpp::t>(a, i)
#define PRV_ARGS_0()
#define PRV_ARGS_1(a1) PRV_A(a1, 0)
#define PRV_ARGS_2(a1, b) PRV_ARGS_1(a1), PRV_A(b, 1)
#define PRV_ARGS_3(a1, b, c) PRV_ARGS_2(a1, b), PRV_A(c, 2)
#define PRV_ARGS_4(a1, b, c, d) PRV_ARGS_3(a1, b, c), PRV_A(d, 3)
#define PRV_ARGS_5(a1, b, c, d, e) PRV_ARGS_4(a1, b, c, d), PRV_A(e, 4)
#define PRV_ARGS_6(a1, b, c, d, e, f) PRV_ARGS_5(a1, b, c, d, e), PRV_A(f, 5)
#define PRV_ARGS_7(a1, b, c, d, e, f, g) PRV_ARGS_6(a1, b, c, d, e, f), PRV_A(g, 6)
#define PRV_ARGS_8(a1, b, c, d, e, f, g, h) PRV_ARGS_7(a1, b, c, d, e, f, g), PRV_A(h, 7)
#define PRV_ARGS_9(a1, b, c, d, e, f, g, h, i) PRV_ARGS_8(a1, b, c, d, e, f, g, h), PRV_A(i, 8)
#define PRV_ARGS_10(a1, b, c, d, e, f, g, h, i, j) PRV_ARGS_9(a1, b, c, d, e, f, g, h, i), PRV_A(j, 9)
#define PRV_ARGS_11(a1, b, c, d, e, f, g, h, i, j, k) PRV_ARGS_10(a1, b, c, d, e, f, g, h, i, j), PRV_A(k, 10)
#define PRV_ARGS_12(a1, b, c, d, e, f, g, h, i, j, k, l) PRV_ARGS_11(a1, b, c, d, e, f, g, h, i, j, k), PRV_A(l, 11)
#define PRV_ARGS_13(a1, b, c, d, e, f, g, h, i, j, k, l, m)                                                             \
    PRV_ARGS_12(a1, b, c, d, e, f, g, h, i, j, k, l), PRV_A(m, 12)
#define PRV_ARGS(...) PRV_CAT(PRV_ARGS_, PRV_COUNT(__VA_ARGS__))(__VA_ARGS__)

#define PRV_EXPORT(NAME, COMMAND, HELP, ...)                                                                           \
    PRAVIK_EXPORT void NAME(PRV_PARAMS(__VA_ARGS__))                                                                   \
    {                                                                                                                  \
        ::pravik::reports::hostCall(#NAME, [&] { ::pravik::NAME(PRV_FROMC(__VA_ARGS__)); });                          \
    }

extern "C" {
PRAVIK_REPORT_PROCEDURES(PRV_EXPORT)
}

#define PRV_ENTRY(NAME, COMMAND, HELP, ...)                                                                            \
    ReportProcedure{QStringLiteral(#NAME), QStringLiteral(COMMAND), QStringLiteral(HELP),                              \
                    QString::fromLatin1(#__VA_ARGS__).split(QLatin1Char(','), Qt::SkipEmptyParts),                     \
                    []([[maybe_unused]] const QVariantList& a) { ::pravik::NAME(PRV_ARGS(__VA_ARGS__)); }},

namespace pravik::reports {

const QList<ReportProcedure>& reportProcedures()
{
    static const QList<ReportProcedure> table = [] {
        QList<ReportProcedure> list{PRAVIK_REPORT_PROCEDURES(PRV_ENTRY)};
        for (ReportProcedure& p : list)
            for (QString& type : p.parameters)
                type = type.trimmed();
        return list;
    }();
    return table;
}

const ReportProcedure* findReportProcedure(const QString& name)
{
    for (const ReportProcedure& p : reportProcedures())
        if (p.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

bool opensWindow(const ReportProcedure& procedure)
{
    return procedure.name.startsWith(QLatin1String("PARAM_")) || procedure.name.startsWith(QLatin1String("Bro_"));
}

QString signature(const ReportProcedure& procedure)
{
    return procedure.name + QLatin1Char('(') + procedure.parameters.join(QStringLiteral(", ")) + QLatin1Char(')');
}

bool call(const QString& name, const QVariantList& arguments, QString* error)
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const ReportProcedure* p = findReportProcedure(name);
    if (!p)
        return refuse(QStringLiteral("no report procedure %1").arg(name));
    if (arguments.size() != p->parameters.size())
        return refuse(QStringLiteral("%1 takes %2 argument(s), not %3")
                          .arg(signature(*p))
                          .arg(p->parameters.size())
                          .arg(arguments.size()));
    for (qsizetype i = 0; i < arguments.size(); ++i)
        if (!fits(p->parameters.at(i), arguments.at(i)))
            return refuse(QStringLiteral("%1: argument %2 (\"%3\") is not a %4")
                              .arg(p->name)
                              .arg(i + 1)
                              .arg(arguments.at(i).toString(), p->parameters.at(i)));
    QVariantList values = arguments;
    for (qsizetype i = 0; i < values.size(); ++i)
        if (p->parameters.at(i) != QLatin1String("STRING") && values.at(i).typeId() == QMetaType::QString)
            values[i] = values.at(i).toString().trimmed().toLongLong();
    p->invoke(values);
    return true;
}

} // namespace pravik::reports

#include "TextPrinterChoice.h"

#include "Options.h"

#include "platform/PrintableText.h"
#include "platform/Settings.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/tekston/TextPageSetup.h"
#include "siblings/utilka/Gateway.h"

#include <QStringList>

namespace pravik::cli {

namespace {

bool pageFitsAReport(const QString& printer)
{
    const tekston::TextPageSetup setup = tekston::readTextPageSetup(printer);
    return setup.linesPerPage > 0 && !setup.tooFewLines();
}

} // namespace

TextPrinterChoice defaultTextPrinter()
{
    TextPrinterChoice choice;
    if (const QString named = korda::session().DANE_NAZWA_DRUKARKI.trimmed(); !named.isEmpty())
        return {named, QStringLiteral("DANE_NAZWA_DRUKARKI"), {}};
    if (const QString set = moduleSettings().text(QStringLiteral("TextPrinter"), QStringLiteral("Name")).trimmed();
        !set.isEmpty())
        return {set, QStringLiteral("Name in [TextPrinter] of the settings file"), {}};

    QStringList names;
    if (utilka::EXECVAX(QStringLiteral("select nazwa from DRUKARKA order by nazwa"))) {
        while (utilka::NEXT(korda::VAX_FK) == 0) {
            const QString name = korda::VAX_FK.text(1).trimmed();
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
    }
    for (const QString& name : names)
        if (pageFitsAReport(name))
            return {name, QStringLiteral("the first printer of DRUKARKA with control codes"), {}};
    choice.problem = names.isEmpty()
                         ? QStringLiteral("the database defines no text printer (DRUKARKA); name one with --printer NAME")
                         : QStringLiteral("no text printer of DRUKARKA has the control code \"Ilość linii wydruku\" for a "
                                          "page long enough; name one with --printer NAME");
    return choice;
}

bool resolveTextPrinter(const CommandContext& ctx, const QString& command, const QString& named, QString* chosen)
{
    QString printer = named.trimmed();
    if (printer.isEmpty()) {
        const TextPrinterChoice choice = defaultTextPrinter();
        if (choice.name.isEmpty()) {
            ctx.error(command + QStringLiteral(": ") + choice.problem);
            return false;
        }
        printer = choice.name;
        ctx.note(QStringLiteral("%1: text printer %2 (%3)").arg(command, quotedInput(printer), choice.source));
    }
    if (const QString problem = textPrinterProblem(printer); !problem.isEmpty())
        ctx.error(command + QStringLiteral(": ") + problem);
    *chosen = printer;
    return true;
}

QString textPrinterProblem(const QString& printer)
{
    const tekston::TextPageSetup setup = tekston::readTextPageSetup(printer);
    if (setup.linesPerPage <= 0)
        return QStringLiteral("the text printer %1 has no control code \"Ilość linii wydruku\" in KOD_STERUJACY; "
                              "each row will be a page of its own")
            .arg(quotedInput(printer));
    if (setup.tooFewLines())
        return QStringLiteral("the text printer %1 has %2 lines per page (\"Ilość linii wydruku\"), too few for a "
                              "report with its margins")
            .arg(quotedInput(printer))
            .arg(setup.linesPerPage);
    return {};
}

} // namespace pravik::cli

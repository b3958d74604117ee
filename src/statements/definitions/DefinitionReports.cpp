#include "statements/definitions/DefinitionReports.h"

#include "framework/Lifecycle.h"
#include "framework/RunFrame.h"
#include "platform/UiServices.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"

namespace pravik::statements {

namespace {

// tallest: the highest band a line may need.
frame::ReportDefinition definition(const QString& procedure, const QString& mixedCase, const QString& title, const QString& tallest)
{
    frame::ReportDefinition d;
    d.procedure = procedure;
    d.mixedCaseName = mixedCase;
    d.textTitle = title;
    d.carry.pageTotals = false;
    // A page takes lines while one more and the page end still fit.
    d.pageFull = [tallest](const frame::RunFrame& f) { return f.position() + 2 * f.bandHeight(tallest) + 40 > f.bodyHeight(); };
    d.onOpen = [title](frame::RunFrame& f) {
        f.setValue(QStringLiteral("NAZWA_ZESTAWIENIA"), title.left(100));
        f.setValue(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA"), title.left(150));
    };
    return d;
}

// Streams prepared lines into the frame; headings move right by their level.
int printLines(frame::ReportDefinition def, const frame::OutputTarget& output, const QList<PrintLine>& lines,
               const QString& failure)
{
    def.closing = [](frame::RunFrame& f) {
        f.keepTogether(f.bandHeight(QStringLiteral("KONIEC_WYDRUKU")) + 40);
        f.printBand(QStringLiteral("KONIEC_WYDRUKU"), {}, frame::TextRole::Plain);
    };
    frame::RunFrame frame(std::move(def), output);
    if (!frame.start())
        return frame::kResponseCancelled;
    if (!failure.isEmpty()) {
        ::utilka::MSG_OST(failure);
        return frame.abandon();
    }
    if (lines.isEmpty()) {
        const frame::DisplayStrings& s = frame.strings();
        ui().choose(MessageIcon::Information, frame.previewing() ? s.NothingToPrvwTitle : s.NothingToPrntTitle,
                    frame::messageLines(frame.previewing() ? s.NothingToPrvwText : s.NothingToPrntText),
                    frame::buttonLabels(s.ButtonOk), 0);
        return frame.abandon();
    }
    qsizetype next = 0;
    const PrintLine* current = nullptr;
    return frame.run({[&] {
                          if (next >= lines.size())
                              return false;
                          current = &lines.at(next++);
                          return true;
                      },
                      [&](frame::RunFrame& f) {
                          if (current->band == kHeadingBand)
                              f.layout().move(QStringLiteral("NAZWA1"), current->indent, f.layout().element(QStringLiteral("NAZWA1")).y);
                          f.printBand(current->band, current->values);
                      },
                      lines.size()});
}

} // namespace

StatementDefinitionRequest statementDefinitionRequest(qint64 statementId, const QString& name, const korda::Session& s)
{
    StatementDefinitionRequest r;
    r.statementId = statementId;
    r.name = name;
    r.company = s.DANE_ID_FIRMY;
    r.output = frame::OutputTarget::fromSession(s);
    return r;
}

DeclarationDefinitionsRequest declarationDefinitionsRequest(const korda::Session& s)
{
    DeclarationDefinitionsRequest r;
    r.title = s.DANE_NAGLOWEK_WYDRUKU.trimmed();
    r.queue = s.DANE_KOLEJKA_UNIWERS;
    r.output = frame::OutputTarget::fromSession(s);
    return r;
}

int printStatementDefinition(const StatementDefinitionRequest& request)
{
    enterProcedure(QStringLiteral("Prn_Zestaw_Def"));
    const StatementDefinition data = readStatementDefinition(request, request.company);
    const QString title = data.name.isEmpty() ? QStringLiteral("Definicja zestawienia") : data.name;
    return printLines(definition(QStringLiteral("PRN_ZESTAW_DEF"), QStringLiteral("Prn_Zestaw_Def"), title, kRowNameBand),
                      request.output, data.lines, data.error);
}

int printDeclarationDefinitions(const DeclarationDefinitionsRequest& request)
{
    enterProcedure(QStringLiteral("Prn_Deklaracje_Def"));
    const QString title = request.title.isEmpty() ? QStringLiteral("Definicje deklaracji") : request.title;
    return printLines(definition(QStringLiteral("PRN_DEKLARACJE_DEF"), QStringLiteral("Prn_Deklaracje_Def"), title, kItemBand),
                      request.output, declarationLines(request.queue), QString());
}

} // namespace pravik::statements

namespace pravik {

void PRN_ZESTAW_DEF(qint32 statementId, const QString& name)
{
    statements::printStatementDefinition(statements::statementDefinitionRequest(statementId, name, korda::session()));
}

void PRN_DEKLARACJE_DEF()
{
    statements::printDeclarationDefinitions(statements::declarationDefinitionsRequest(korda::session()));
}

} // namespace pravik

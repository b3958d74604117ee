#include "turnover/print/TurnoverPrintOptions.h"

#include "platform/Picture.h"

#include <cmath>

namespace pravik::turnover {

TurnoverPrintOptions TurnoverPrintOptions::from(const TurnoverRequest& request)
{
    const TurnoverParameters& p = request.parameters;
    const TurnoverSettings& s = request.settings;
    TurnoverPrintOptions o;
    o.variant = p.variant;
    o.syntheticOnly = p.syntheticOnly;
    o.lastLevelOnly = p.lastLevelOnly;
    o.thousands = p.thousands;
    o.yearName = p.yearName;
    o.wrapLines = s.wrapLines;
    o.hideZeros = s.hideZeros;
    o.boldAggregates = s.boldAggregates;
    o.fontSize = s.fontSize;
    o.fontForAmountsOnly = s.fontForAmountsOnly;
    o.noShading = request.noShading;
    o.mpkEntries = s.mpkEntries;
    o.budgetClassification = s.budgetClassification;
    o.groupMpk = s.groupMpk;
    o.entries = s.entries;
    o.allEntries = s.allEntries;
    o.contraAccount = s.contraAccount;
    o.approvedOnly = p.approvedOnly;
    o.asOf = s.asOf;
    o.asOfDate = s.asOfDate;
    o.yearId = s.yearId;
    o.period = s.period;
    o.currency = s.currency;
    o.company = request.company;
    o.browse = request.browse;
    return o;
}

QStringList variableHeadings(int variant, bool textPrinter)
{
    if (variant == int(TurnoverVariant::NetBalance))
        return textPrinter ? QStringList{QStringLiteral("Obr. nar."), QStringLiteral("Saldo"), QStringLiteral("Persaldo")}
                           : QStringList{QStringLiteral("Obroty narastająco"), QStringLiteral("Saldo"),
                                         QStringLiteral("Persaldo")};
    return textPrinter ? QStringList{QStringLiteral("Obr. w okr."), QStringLiteral("Obr. nar."), QStringLiteral("Saldo")}
                       : QStringList{QStringLiteral("Obroty w okresie"), QStringLiteral("Obroty narastająco"),
                                     QStringLiteral("Saldo")};
}

namespace {

// The page furniture keeps its own type whatever size the table is printed in.
bool isFurniture(const report::Band& band)
{
    static const QStringList furniture{QStringLiteral("NAGLOWEK1"), QStringLiteral("NAGLOWEK2"),
                                       QStringLiteral("NAGLOWEK3"), QStringLiteral("OPIS")};
    return band.kind != report::BandKind::Detail || furniture.contains(band.name);
}

bool isAmount(const report::Element& e)
{
    return e.kind == report::ElementKind::Field && !e.picture.isEmpty()
        && cachedPicture(e.picture).kind == Picture::Kind::Number && e.picture.contains(u'`');
}

} // namespace

void applyLayoutOptions(report::Layout& layout, const TurnoverPrintOptions& o, bool textPrinter)
{
    const double points = o.fontSize > 0 ? o.fontSize : 8;
    // A line of the chosen type needs about 1.3 of its size; bands grow to hold it, never shrink.
    const report::Units lineHeight = report::Units(std::ceil(points * report::kUnitsPerInch / 72.0 * 1.3));
    layout.forEachElement([&](report::Band& band, report::Element& e) {
        if (isFurniture(band) || !e.isTextLike() || e.id == QLatin1String("KW_UWAGA"))
            return;
        if (o.fontForAmountsOnly ? !isAmount(e) : e.kind != report::ElementKind::Field)
            return;
        e.font.size = points;
        if (e.height < lineHeight) {
            e.height = lineHeight;
            band.height = qMax(band.height, e.y + lineHeight + 10);
        }
    });
    if (o.hideZeros)
        layout.forEachElement([](report::Band&, report::Element& e) {
            if (e.kind == report::ElementKind::Field && e.picture == kAmountPicture)
                e.picture = kAmountPictureBlankZero;
        });
    if (o.noShading)
        layout.removeShading();
    if (!o.lastLevelOnly && layout.findElement(QStringLiteral("NAZWA_ZESPOLU")) && layout.findElement(QStringLiteral("PRN_NUMER"))) {
        const report::Element& number = layout.element(QStringLiteral("PRN_NUMER"));
        const report::Element& label = layout.element(QStringLiteral("NAZWA_ZESPOLU"));
        layout.move(QStringLiteral("NAZWA_ZESPOLU"), number.x + 10, label.y);
    }
    const QStringList headings = variableHeadings(o.variant, textPrinter);
    for (int i = 0; i < headings.size(); ++i) {
        const QString id = QStringLiteral("NS_KOL%1").arg(i + 1);
        if (layout.findElement(id))
            layout.setText(id, headings[i]);
    }
}

} // namespace pravik::turnover

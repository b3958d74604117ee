#pragma once
// A graphic band turned into lines of a character printer (see docs/text-printing.md).
//
// Horizontal: a position of x report units (thousandths of an inch) goes to column
// x * scale / 10000. The scale figure is the printer's pitch in tenths of a character per inch:
// 100 is pica (10 cpi), 170 condensed (17 cpi), 190 a 136-column line from a 7160-unit band.
// An element with its own text columns in the layout is placed there instead.
// Vertical: one line is 1/6 inch (the printers' 6 lpi); an element starts on the line nearest
// to its top, a wrapping text field takes as many lines as its height holds.
#include "platform/report/Layout.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tekston {

using pravik::report::Band;
using pravik::report::Element;
using pravik::report::Units;

constexpr Units kUnitsPerTextLine = 1000 / 6;

struct BandTextOptions {
    int scale = 100;        // the scale figure
    Units bandWidth = 0;    // report units; the line is cut at bandWidth * scale / 10000 columns (0: not cut)
    // First flag: a heading block. Its horizontal rules print as lines of "-", and its empty
    // lines are kept so that the block keeps its shape.
    bool heading = false;
    // Second flag: a table band (column headings, rows, totals). Every text is cut to its own
    // column width so the columns line up; without it a text runs on to the next element.
    bool table = false;
};

int toColumn(Units x, int scale);

// The band's lines. text(element) gives an element's printed text (fields formatted by their
// pictures; static texts as they are). A band that starts a new page gives one line holding a
// form feed. Trailing blanks are removed; a band with no text gives no lines unless it is a
// heading block.
QStringList bandToText(const Band& band, const std::function<QString(const Element&)>& text,
                       const BandTextOptions& options);

} // namespace tekston

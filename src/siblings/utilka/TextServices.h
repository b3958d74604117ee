#pragma once
// Text services of the utility library: cutting texts into print lines, counting, finding and
// replacing, month names. Positions are counted from 1; a width or a position is in characters.
#include <QString>
#include <QStringList>

namespace utilka {

// The leading piece of `text` that the caller prints on the current line, at most `width`
// characters:
//  - the whole text when it fits;
//  - otherwise the text up to and including the last `separator` within the width (so an
//    account "201-01-0001" cut to 8 prints "201-01-" and continues with "0001", and a
//    description keeps its words whole); with a blank separator also exactly `width`
//    characters when a blank follows them (a word that fits exactly);
//  - a word longer than the width (no separator in reach) is cut hard at the width.
// The caller removes the piece (text.mid(piece.size())) and calls again for the next line.
// A width of 0 or less gives "" and an empty separator cuts hard. A surrogate pair is never split.
QString STRING_CUT(const QString& separator, const QString& text, int width);

// The whole text spread over lines by STRING_CUT. With a blank separator the blanks at each
// break are dropped (a continuation line never starts with a blank, a piece never ends with
// one). A width of 0 or less gives the text as one piece (nothing is lost);
// an empty text gives no pieces. maxPieces > 0 stops after that many pieces.
QStringList cutIntoPieces(const QString& separator, const QString& text, int width, int maxPieces = 0);

// Every occurrence of `what`, from left to right and not overlapping, replaced by
// `replacement`; the replacement itself is not searched again. Case matters; an empty `what`
// leaves the text as it is.
QString ZAMIEN_WYRAZENIE(const QString& text, const QString& what, const QString& replacement);

// The text fit for one printed line: each run of control characters (below 32, and DEL) inside
// the text becomes one blank (so "a\r\nb" prints "a b"); runs at either end are removed.
QString USUN_ZNAKI_STERUJACE(const QString& text);

// Occurrences of `part` in `text`, counted from left to right without overlapping ("aaaa"
// holds "aa" twice). Case matters; an empty part occurs 0 times.
int LICZBA_WYSTAPIEN(const QString& text, const QString& part);

// Position (from 1) of the n-th occurrence of `part`, counted as LICZBA_WYSTAPIEN counts;
// 0 when there are fewer than n occurrences, n < 1 or the part is empty.
int STR_POZYCJA_WYSTAPIENIA(const QString& text, const QString& part, int n);

// The text reversed character by character (surrogate pairs kept whole).
QString STRING_ODWROC(const QString& text);

// The text before the n-th `separator` ("201-01-0001", n = 2 gives "201-01"); the whole text
// when it has fewer than n separators; "" for n < 1. An empty separator gives the whole text.
QString STRING_WYTNIJ_DO(const QString& separator, const QString& text, int n);

// The Polish name of month 1..12 as the reports print it: form 0 is the nominative with a
// capital ("Styczeń"), form 1 the genitive used in dates ("stycznia"); any other form is
// taken as 0. A month outside 1..12 gives "".
QString NAZWA_MIESIACA(int month, int form = 0);

} // namespace utilka

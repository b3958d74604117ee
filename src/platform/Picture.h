#pragma once
// Display pictures of report fields and window entries, in the runtime's notation:
//
//   numbers  "@N-19_`2"  width 19, leading minus, digit groups split by a space, comma + 2 decimals
//            "N-14_`2B"  the same in 14 positions, blank when zero
//            "@N-19_"    no decimals;  "@N3", "n5_", "N14_B" counters and numbers
//   dates    "@D6-"      dd-mm-yyyy;  "D6-B" blank when no date;  "@D10-" yyyy-mm-dd
//   strings  "@s10"      clipped or padded to 10;  "@S" as it is
//   patterns "P###P"     digits into the # positions, zero-filled ("<" positions blank-filled)
//
// The leading "@" is optional and the letters may be in either case. A number picture's width
// counts every position (sign, group spaces, comma); the number is right-aligned in it. A number
// that does not fit prints as a row of "#" as wide as the field: an amount is never clipped.
// Without grouping ("_", "." before the decimal mark) digits are not grouped. A negative number
// always shows its minus (trailing when the picture ends in "-"), even where the picture has no
// sign: a counter or amount must never print as positive when it is not.
// Decimals beyond the value's hundredths are zeros; fewer round half away from zero.
// A day number below 1 ("no date") prints blank with or without "B".
//
// Formatting is allocation-light and regex-free; parse a Picture once and keep it for a report.
#include "platform/DayNumber.h"
#include "platform/Decimal.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <stdexcept>

namespace pravik {

class Picture {
public:
    enum class Kind { Number, Date, String, Pattern };
    enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

    // nullopt when the text is not a picture this runtime knows.
    static std::optional<Picture> parse(QStringView text);

    Kind kind = Kind::String;
    int width = 0;                 // 0: as wide as the value needs (never clipped, never padded)
    bool blankWhenZero = false;    // trailing "B"

    // numbers
    int decimals = 0;
    QChar decimalMark = u',';      // "`" comma, "." point
    QChar groupSeparator;          // null: no grouping; "_" gives a space
    bool leadingMinus = false;     // "-" before the width
    bool trailingMinus = false;    // "-" after the decimals

    // dates
    DateOrder dateOrder = DateOrder::DayMonthYear;
    int yearDigits = 4;
    QChar dateSeparator = u'/';    // null for the compact forms (yyyymmdd)

    // patterns: the picture between the "P"s
    QString pattern;

    // The picture as it was written.
    QString text;
};

struct PictureError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// Number pictures format the amount; a date picture reads the whole units as a day number; a
// string picture takes the plain text ("-1234.50").
QString format(const Picture& picture, const Decimal& value);
// Number, date (the value is a day number), pattern, or string picture (the digits as text).
QString format(const Picture& picture, qint64 value);
// The same as format(picture, day) with a date picture; spelled out where it reads better.
QString formatDate(const Picture& picture, DayNumber day);
// String pictures clip or pad on the right; number and date pictures read the text as a number
// first and show it clipped like a string when it is not one.
QString format(const Picture& picture, QStringView text);

// Parses the picture (cached per thread) and formats. Throws PictureError for an unknown picture:
// a layout with a bad picture must fail when it is loaded, not print something else.
QString formatPicture(QStringView picture, const Decimal& value);
QString formatPicture(QStringView picture, qint64 value);
QString formatPicture(QStringView picture, QStringView text);
// The cached parse behind formatPicture; throws PictureError.
const Picture& cachedPicture(QStringView picture);

// A date as typed in a window, in the picture's order: "05-03-2026", "5.3.2026", "05032026".
// Any of "-", ".", "/" or a space separates the parts. Blank text is "no date" (0); a date that
// does not exist, or text that is not a date, is nullopt.
std::optional<DayNumber> parseDate(const Picture& picture, QStringView text);
// Day-month-year input, the form of "@D6-".
std::optional<DayNumber> parseDate(QStringView text);

} // namespace pravik

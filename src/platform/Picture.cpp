#include "platform/Picture.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace pravik {

namespace {

constexpr int kMaxWidth = 255;
constexpr int kMaxDecimals = 9;

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads a run of digits at i; -1 when there is none or it is absurdly long.
int readNumber(QStringView s, qsizetype& i)
{
    const qsizetype start = i;
    int value = 0;
    while (i < s.size() && isDigit(s[i])) {
        value = value * 10 + (s[i].unicode() - u'0');
        if (value > 100000)
            return -1;
        ++i;
    }
    return i == start ? -1 : value;
}

std::optional<Picture> parseNumber(QStringView s, qsizetype i, Picture p)
{
    p.kind = Picture::Kind::Number;
    if (i < s.size() && s[i] == u'-') {
        p.leadingMinus = true;
        ++i;
    }
    const qsizetype widthAt = i;
    p.width = readNumber(s, i);
    if (p.width < 0) {
        if (i != widthAt)
            return std::nullopt;
        p.width = 0; // "@N": as wide as needed
    }
    if (p.width > kMaxWidth)
        return std::nullopt;
    auto isDecimalMark = [](QChar c) { return c == u'.' || c == u'`' || c == u'v' || c == u'V'; };
    if (i < s.size()) {
        if (s[i] == u'_') {
            p.groupSeparator = u' ';
            ++i;
        } else if (s[i] == u'.' && i + 1 < s.size() && isDecimalMark(s[i + 1])) {
            p.groupSeparator = u'.';
            ++i;
        }
    }
    if (i < s.size() && isDecimalMark(s[i])) {
        const QChar mark = s[i++];
        p.decimalMark = mark == u'`' ? QChar(u',') : mark == u'.' ? QChar(u'.') : QChar();
        p.decimals = readNumber(s, i);
        if (p.decimals < 0 || p.decimals > kMaxDecimals)
            return std::nullopt;
    }
    if (i < s.size() && s[i] == u'-') {
        p.trailingMinus = true;
        p.leadingMinus = false;
        ++i;
    }
    if (i < s.size() && (s[i] == u'B' || s[i] == u'b')) {
        p.blankWhenZero = true;
        ++i;
    }
    if (i != s.size())
        return std::nullopt;
    return p;
}

std::optional<Picture> parseDatePicture(QStringView s, qsizetype i, Picture p)
{
    p.kind = Picture::Kind::Date;
    const int form = readNumber(s, i);
    switch (form) {
    case 1: // mm/dd/yy
        p.dateOrder = Picture::DateOrder::MonthDayYear;
        p.yearDigits = 2;
        break;
    case 2: // mm/dd/yyyy
        p.dateOrder = Picture::DateOrder::MonthDayYear;
        break;
    case 5: // dd/mm/yy
        p.yearDigits = 2;
        break;
    case 6: // dd/mm/yyyy
        break;
    case 9: // yy/mm/dd
        p.dateOrder = Picture::DateOrder::YearMonthDay;
        p.yearDigits = 2;
        break;
    case 10: // yyyy/mm/dd
        p.dateOrder = Picture::DateOrder::YearMonthDay;
        break;
    case 11: // yymmdd
        p.dateOrder = Picture::DateOrder::YearMonthDay;
        p.yearDigits = 2;
        p.dateSeparator = QChar();
        break;
    case 12: // yyyymmdd
        p.dateOrder = Picture::DateOrder::YearMonthDay;
        p.dateSeparator = QChar();
        break;
    default:
        return std::nullopt;
    }
    if (i < s.size() && !p.dateSeparator.isNull()) {
        switch (s[i].unicode()) {
        case u'.': p.dateSeparator = u'.'; ++i; break;
        case u'-': p.dateSeparator = u'-'; ++i; break;
        case u'_': p.dateSeparator = u' '; ++i; break;
        case u'`': p.dateSeparator = u','; ++i; break;
        default: break;
        }
    }
    if (i < s.size() && (s[i] == u'B' || s[i] == u'b')) {
        p.blankWhenZero = true;
        ++i;
    }
    if (i != s.size())
        return std::nullopt;
    p.width = 2 + 2 + p.yearDigits + (p.dateSeparator.isNull() ? 0 : 2);
    return p;
}

QString blank(int width) { return QString(width, u' '); }

QString overflowMarks(int width) { return QString(width, u'#'); }

// The number is magnitude / 10^scale with the given sign. Builds right to left in a fixed buffer.
QString formatScaled(const Picture& p, quint64 magnitude, bool negative, int scale)
{
    int zerosToAppend = 0;
    if (p.decimals < scale) {
        quint64 divisor = 1;
        for (int k = p.decimals; k < scale; ++k)
            divisor *= 10;
        const quint64 rest = magnitude % divisor;
        magnitude /= divisor;
        if (rest >= divisor - rest) // half away from zero, on the magnitude
            ++magnitude;
        scale = p.decimals;
    } else {
        zerosToAppend = p.decimals - scale;
    }
    if (magnitude == 0)
        negative = false;

    char16_t buffer[96];
    char16_t* const end = buffer + std::size(buffer);
    char16_t* out = end;
    if (negative && p.trailingMinus)
        *--out = u'-';
    for (int k = 0; k < zerosToAppend; ++k)
        *--out = u'0';
    for (int k = 0; k < scale; ++k) {
        *--out = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    if (p.decimals > 0 && !p.decimalMark.isNull())
        *--out = p.decimalMark.unicode();
    int inGroup = 0;
    const bool grouping = !p.groupSeparator.isNull();
    do {
        if (grouping && inGroup == 3) {
            *--out = p.groupSeparator.unicode();
            inGroup = 0;
        }
        *--out = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (negative && !p.trailingMinus)
        *--out = u'-';

    const qsizetype length = end - out;
    if (p.width == 0)
        return QString(reinterpret_cast<const QChar*>(out), length);
    if (length > p.width)
        return overflowMarks(p.width);
    QString result(p.width, u' ');
    std::copy(out, end, reinterpret_cast<char16_t*>(result.data()) + (p.width - length));
    return result;
}

QString formatNumber(const Picture& p, qint64 value, int scale)
{
    if (value == 0 && p.blankWhenZero)
        return blank(p.width);
    const bool negative = value < 0;
    const quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
    return formatScaled(p, magnitude, negative, scale);
}

QString formatPattern(const Picture& p, qint64 value)
{
    const qsizetype width = p.pattern.size();
    if (value == 0 && p.blankWhenZero)
        return blank(int(width));
    const bool negative = value < 0;
    quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
    QString result = p.pattern;
    bool firstDigit = true;
    for (qsizetype k = width - 1; k >= 0; --k) {
        const QChar c = result[k];
        if (c != u'#' && c != u'<')
            continue;
        if (c == u'<' && magnitude == 0 && !firstDigit)
            result[k] = u' ';
        else
            result[k] = QChar(u'0' + int(magnitude % 10));
        magnitude /= 10;
        firstDigit = false;
    }
    if (magnitude != 0)
        return overflowMarks(int(width));
    if (negative)
        result.prepend(u'-');
    return result;
}

QString formatString(const Picture& p, QStringView text)
{
    if (p.width == 0)
        return text.toString();
    if (text.size() >= p.width)
        return text.left(p.width).toString();
    QString result = text.toString();
    result.resize(p.width, u' ');
    return result;
}

void putDigits(char16_t*& out, int value, int digits)
{
    for (int k = digits - 1; k >= 0; --k) {
        out[k] = char16_t(u'0' + value % 10);
        value /= 10;
    }
    out += digits;
}

int centuryWindow(int twoDigitYear)
{
    // The century that puts the year within 80 years before and 20 after this year.
    const int current = QDate::currentDate().year();
    int year = (current / 100) * 100 + twoDigitYear;
    if (year > current + 20)
        year -= 100;
    else if (year <= current - 80)
        year += 100;
    return year;
}

} // namespace

std::optional<Picture> Picture::parse(QStringView text)
{
    QStringView s = text.trimmed();
    if (s.startsWith(u'@'))
        s = s.mid(1);
    if (s.isEmpty())
        return std::nullopt;
    Picture p;
    p.text = text.toString();
    const QChar kind = s[0].toUpper();
    if (kind == u'N')
        return parseNumber(s, 1, p);
    if (kind == u'D')
        return parseDatePicture(s, 1, p);
    if (kind == u'S') {
        qsizetype i = 1;
        p.kind = Kind::String;
        p.width = readNumber(s, i);
        if (p.width < 0) {
            if (i != 1)
                return std::nullopt;
            p.width = 0;
        }
        if (p.width > kMaxWidth * 16 || i != s.size())
            return std::nullopt;
        return p;
    }
    if (kind == u'P') {
        // "P###P", or "P<<#PB" blank when zero.
        qsizetype close = s.lastIndexOf(u'P', -1, Qt::CaseInsensitive);
        if (close <= 0)
            return std::nullopt;
        QStringView rest = s.mid(close + 1);
        if (rest.compare(u"B", Qt::CaseInsensitive) == 0)
            p.blankWhenZero = true;
        else if (!rest.isEmpty())
            return std::nullopt;
        p.kind = Kind::Pattern;
        p.pattern = s.mid(1, close - 1).toString();
        if (!p.pattern.contains(u'#') && !p.pattern.contains(u'<'))
            return std::nullopt;
        p.width = int(p.pattern.size());
        return p;
    }
    return std::nullopt;
}

QString format(const Picture& picture, const Decimal& value)
{
    switch (picture.kind) {
    case Picture::Kind::Number:
        return formatNumber(picture, value.cents(), 2);
    case Picture::Kind::Date:
        return formatDate(picture, static_cast<DayNumber>(value.units()));
    case Picture::Kind::Pattern:
        return formatPattern(picture, value.units());
    case Picture::Kind::String:
        break;
    }
    return formatString(picture, value.toString());
}

QString format(const Picture& picture, qint64 value)
{
    switch (picture.kind) {
    case Picture::Kind::Number:
        return formatNumber(picture, value, 0);
    case Picture::Kind::Date:
        if (value < 1 || value > std::numeric_limits<DayNumber>::max())
            return blank(picture.width);
        return formatDate(picture, static_cast<DayNumber>(value));
    case Picture::Kind::Pattern:
        return formatPattern(picture, value);
    case Picture::Kind::String:
        break;
    }
    return formatString(picture, QString::number(value));
}

QString formatDate(const Picture& picture, DayNumber day)
{
    if (picture.kind != Picture::Kind::Date)
        return format(picture, qint64(day));
    const QDate date = dateFromDay(day);
    if (!date.isValid() || date.year() > 9999)
        return blank(picture.width);
    char16_t buffer[16];
    char16_t* out = buffer;
    const bool separated = !picture.dateSeparator.isNull();
    const char16_t sep = picture.dateSeparator.unicode();
    const int year = picture.yearDigits == 2 ? date.year() % 100 : date.year();
    auto part = [&](int which) { // 0 day, 1 month, 2 year
        if (which == 2)
            putDigits(out, year, picture.yearDigits);
        else
            putDigits(out, which == 0 ? date.day() : date.month(), 2);
    };
    int order[3] = {0, 1, 2};
    if (picture.dateOrder == Picture::DateOrder::MonthDayYear) {
        order[0] = 1;
        order[1] = 0;
    } else if (picture.dateOrder == Picture::DateOrder::YearMonthDay) {
        order[0] = 2;
        order[2] = 0;
    }
    for (int k = 0; k < 3; ++k) {
        if (k > 0 && separated)
            *out++ = sep;
        part(order[k]);
    }
    return QString(reinterpret_cast<const QChar*>(buffer), out - buffer);
}

QString format(const Picture& picture, QStringView text)
{
    switch (picture.kind) {
    case Picture::Kind::String:
        return formatString(picture, text);
    case Picture::Kind::Number:
        if (text.trimmed().isEmpty())
            return format(picture, Decimal());
        if (const auto value = Decimal::parse(text))
            return format(picture, *value);
        break;
    case Picture::Kind::Date:
    case Picture::Kind::Pattern: {
        bool ok = false;
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (ok)
            return format(picture, value);
        if (text.trimmed().isEmpty())
            return format(picture, qint64(0));
        break;
    }
    }
    Picture asString;
    asString.width = picture.width;
    return formatString(asString, text);
}

const Picture& cachedPicture(QStringView picture)
{
    // Node-based, so a returned reference outlives later insertions. One picture in a row is the
    // common case (a column formatted for every line), so it is checked before the hash.
    thread_local std::unordered_map<QString, Picture> cache;
    thread_local const Picture* last = nullptr;
    if (last && last->text == picture)
        return *last;
    auto found = cache.find(picture.toString());
    if (found == cache.end()) {
        auto parsed = Picture::parse(picture);
        if (!parsed)
            throw PictureError("unknown display picture: " + picture.toString().toStdString());
        found = cache.emplace(picture.toString(), std::move(*parsed)).first;
    }
    last = &found->second;
    return *last;
}

QString formatPicture(QStringView picture, const Decimal& value)
{
    return format(cachedPicture(picture), value);
}

QString formatPicture(QStringView picture, qint64 value)
{
    return format(cachedPicture(picture), value);
}

QString formatPicture(QStringView picture, QStringView text)
{
    return format(cachedPicture(picture), text);
}

std::optional<DayNumber> parseDate(const Picture& picture, QStringView text)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty())
        return kNoDate;

    // Up to three runs of digits; separators only between them.
    QStringView parts[3];
    int count = 0;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype start = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        if (i == start || count == 3)
            return std::nullopt;
        parts[count++] = s.mid(start, i - start);
        if (i < s.size()) {
            const QChar c = s[i];
            if (c != u'-' && c != u'.' && c != u'/' && c != u' ')
                return std::nullopt;
            ++i;
            if (i == s.size())
                return std::nullopt;
        }
    }

    const Picture::DateOrder order =
        picture.kind == Picture::Kind::Date ? picture.dateOrder : Picture::DateOrder::DayMonthYear;
    const int dayAt = order == Picture::DateOrder::YearMonthDay ? 2 : order == Picture::DateOrder::MonthDayYear ? 1 : 0;
    const int monthAt = order == Picture::DateOrder::MonthDayYear ? 0 : 1;
    const int yearAt = order == Picture::DateOrder::YearMonthDay ? 0 : 2;

    if (count == 1) {
        // Digits typed without separators: ddmmyyyy, ddmmyy (or the picture's order).
        const QStringView all = parts[0];
        const qsizetype yearLength = all.size() - 4;
        if (yearLength != 2 && yearLength != 4)
            return std::nullopt;
        qsizetype at = 0;
        for (int k = 0; k < 3; ++k) {
            const qsizetype length = k == yearAt ? yearLength : 2;
            parts[k] = all.mid(at, length);
            at += length;
        }
    } else if (count != 3) {
        return std::nullopt;
    }

    if (parts[dayAt].size() > 2 || parts[monthAt].size() > 2)
        return std::nullopt;
    const QStringView yearText = parts[yearAt];
    int year = yearText.toInt();
    if (yearText.size() <= 2)
        year = centuryWindow(year);
    else if (yearText.size() != 4)
        return std::nullopt;
    const DayNumber day = dayFromYmd(year, parts[monthAt].toInt(), parts[dayAt].toInt());
    if (day == kNoDate)
        return std::nullopt;
    return day;
}

std::optional<DayNumber> parseDate(QStringView text)
{
    static const Picture dayMonthYear = *Picture::parse(u"@D6-");
    return parseDate(dayMonthYear, text);
}

} // namespace pravik

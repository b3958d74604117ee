#pragma once
// Item lists: several values packed into one text argument, such as the control list that the
// ledger browse passes with a ledger print ("61|0|3|1|1|Konto: 201-01|0").
//
// Syntax: items are separated by "|" and numbered from 1. Inside an item a backslash makes the
// next character literal, so "\|" is a "|" that belongs to the text and "\\" a backslash; a
// backslash before any other character, or at the very end, stands for itself (a path such as
// "C:\dane" survives unescaped). buildItemList writes every "|" and "\" escaped, so any texts
// round-trip, free-text items (the description of up to 200 characters) included.
// Items are taken as they stand: blanks around a value are kept; itemNumber ignores them.
#include <QString>
#include <QStringList>

namespace utilka {

inline constexpr QChar kItemSeparator = u'|';
inline constexpr QChar kItemEscape = u'\\';

// Item n (from 1) of the list; "" when the list has fewer items or n < 1.
QString WYTNIJ_STR(int n, const QString& list);

// Item n as a whole number: blanks around it ignored, "" or anything that is not a whole number
// gives 0.
qint64 itemNumber(int n, const QString& list);

// All items of the list, unescaped ("" gives one empty item).
QStringList splitItemList(const QString& list);

// The list holding the given items, escaped so that WYTNIJ_STR reads each back unchanged.
QString buildItemList(const QStringList& items);

} // namespace utilka

#pragma once
// Arguments of a CALL arrive as the parser read them: whole numbers as qlonglong, decimals and
// texts as QString. These read them leniently, the way the module writes them.
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <optional>

namespace pravik::server {

// A whole number; a text holding one is accepted too. nullopt when missing or not a number.
std::optional<qint64> argNumber(const QVariantList& args, int index);
// Text; a number is given as its decimal text. Empty when missing.
QString argText(const QVariantList& args, int index);

} // namespace pravik::server

#pragma once
// Saved print-parameter variants: a named set of option values per user and report key, kept
// in PARAMETRY_WYDRUKU_NAG (one header per variant) and PARAMETRY_WYDRUKU_POZ (one row per
// option). Every statement goes through the SQL gateway; a failure is shown with the driver's
// text and the call reports it.
#include <QList>
#include <QMap>
#include <QString>

namespace pravik {

// Option number -> stored value (flags and numbers in plain decimal, texts without trailing
// blanks).
using VariantValues = QMap<int, QString>;

struct VariantEntry {
    QString name;
    qint32 id = 0; // 0: the empty entry, no variant
    friend bool operator==(const VariantEntry&, const VariantEntry&) = default;
};

inline constexpr int kVariantNameLength = 100;

// The user's variants for the report key by name, behind the empty entry (id 0).
QList<VariantEntry> listVariants(qint32 user, const QString& reportKey);

// The stored rows of a variant; empty when it has none (or reading failed: shown).
VariantValues loadVariant(qint32 id);

// Stores the values under the name (clipped to 100 characters, trailing blanks removed),
// replacing a variant of the same user, key and name, and returns the new id; 0 when it could
// not be stored (the reason shown) or the name is empty. The replacement, the header and the
// option rows go in one transaction, and an id that another user's save took at the same
// moment is given up for the next free one.
qint32 saveVariant(qint32 user, const QString& reportKey, const QString& name, const VariantValues& values);

// Removes the variant and its option rows; false when the statement failed (shown).
bool deleteVariant(qint32 id);

} // namespace pravik

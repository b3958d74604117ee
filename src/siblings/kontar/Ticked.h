#pragma once
// What a user ticked in a picker stays in ZAZNACZENIE, one row per element, keyed by the user and
// the picker (id_browsera), so that a filter can take "in (select opis_elementu ...)" and the
// next opening of the picker shows the same ticks.
#include <QString>
#include <QStringList>
#include <optional>

namespace kontar {

constexpr int kAccountsBrowser = 11;
constexpr int kClassificationsBrowser = 36;
// opis_elementu is varchar(200): a longer element could not be found again.
constexpr int kTickedElementLength = 200;

// The user's ticks of the picker, in the order of the text; nullopt (and *error) when the read
// failed.
std::optional<QStringList> readTicked(qint32 user, int browser, QString* error);
// Replaces the user's ticks of the picker in one transaction: on failure the old ones stay.
bool writeTicked(qint32 user, int browser, const QStringList& elements, QString* error);
// "select count(*) ..." as the windows show it; -1 (and *error) on failure.
int countTicked(qint32 user, int browser, QString* error);

} // namespace kontar

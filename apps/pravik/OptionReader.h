#pragma once
// Reads a sub-command's options one at a time: "--name VALUE", "--name=VALUE" and bare flags.
// Every complaint goes to the context, prefixed with the command's name, so each command parses
// its own options without repeating the reading rules.
#include "Options.h"

#include "platform/DayNumber.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace pravik::cli {

class OptionReader {
public:
    OptionReader(CommandContext& ctx, QString command, const QStringList& args);

    // Moves to the next word; false after the last.
    bool next();
    // The option's name without its "=VALUE" part.
    const QString& name() const { return m_name; }

    // The option's value: after "=", else the next word. False (and said) when there is none.
    bool value(QString* v);
    // A whole number within [low, high].
    bool number(qint64 low, qint64 high, qint64* n);
    bool number(int low, int high, int* n);
    // A date as dd-mm-yyyy or yyyy-mm-dd.
    bool date(std::optional<DayNumber>* d);
    // A value that may be left out: after "=", or the next word unless it is another option.
    QString optionalValue();
    // Says that the current word is not an option of the command; returns false.
    bool unknown();
    // Says what is wrong with the current option's value ("COMMAND: message"); returns false.
    bool fail(const QString& message);

private:
    CommandContext& m_ctx;
    QString m_command;
    const QStringList& m_args;
    qsizetype m_index = -1;
    QString m_name;
    QString m_inline;
    bool m_hasInline = false;
};

} // namespace pravik::cli

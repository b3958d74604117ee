#pragma once
// The global options of the command-line host, parsed once and handed to every sub-command.
//
// A sub-command that works on the company database calls openSession() first: it opens the
// database --db names and fills the session context (company, fiscal year, user, dates) from it.
// Commands that make a database ("db init") set up the connection themselves instead.
#include "platform/DayNumber.h"
#include "platform/UiServices.h"
#include "platform/sql/ConnectionSpec.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace pravik {
class BatchUi;
}

namespace pravik::cli {

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct CommandContext {
    // --db as given; empty means defaultDatabase().
    QString db;
    std::optional<qint32> company;
    std::optional<qint32> year;
    QString user;
    std::optional<qint32> userId;
    // --date: the working date (today when absent).
    std::optional<DayNumber> date;
    // --period as given: "BO", "BZ", "3-2025", "2025-03" or a date.
    QString period;
    // --set NAME=VALUE, in the order given; applied after the session is filled.
    QList<QPair<QString, QString>> sets;
    // --yes / --no: the answer to every question.
    std::optional<Answer> answer;
    bool quiet = false;
    bool verbose = false;

    // The user services of the run (installed by the host before the command runs).
    BatchUi* ui = nullptr;
    // Set once openSession() has succeeded.
    bool sessionOpen = false;

    // The database --db names; nullopt and a message when the text is malformed.
    std::optional<sql::ConnectionSpec> connectionSpec(QString* error) const;
    QString databaseText() const;

    // Opens the database and fills the session context from it. On failure prints what failed
    // on stderr and returns false; the command then exits with kExitFailure.
    bool openSession();

    // A result line on stdout.
    void out(const QString& line) const;
    // A message on stderr (always shown).
    void error(const QString& message) const;
    // A progress note on stderr (not with --quiet).
    void note(const QString& message) const;
};

// The closing note of a run: the report by the title the user knows ("Dziennik księgowań") and
// where it went; the procedure and its filter are for --verbose runs only.
QString doneNote(const CommandContext& ctx, const QString& reportTitle, const QString& procedure,
                 const QString& filter = {});

// "pravik.db" in the current folder, or what the environment variable PRAVIK_DB names.
QString defaultDatabase();

// "dd-mm-yyyy", "yyyy-mm-dd" or a day number.
std::optional<DayNumber> parseDate(const QString& text);

// What --period names: the opening ("BO") or closing ("BZ") period of the year, or a day of a
// month (day 2 of it for "M-YYYY" and "YYYY-MM"). nullopt for text that is none of these.
struct PeriodChoice {
    enum class Kind { Opening, Closing, Day };
    Kind kind = Kind::Day;
    DayNumber day = 0;
};
std::optional<PeriodChoice> parsePeriod(const QString& text);

// Parses the global options wherever they stand; what is left (the command and its arguments)
// goes to *rest. helpWanted/versionWanted report --help and --version.
struct ParsedOptions {
    QStringList rest;
    bool helpWanted = false;
    bool versionWanted = false;
};
std::optional<ParsedOptions> parseGlobalOptions(const QStringList& args, CommandContext& ctx, QString* error);

// The global options for "pravik --help".
QString globalOptionsHelp();

} // namespace pravik::cli

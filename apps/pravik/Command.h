#pragma once
// The command-line host is a set of sub-commands ("pravik sql ...", "pravik db init ...").
// Each sub-command lives in its own file and registers itself with PRAVIK_COMMAND, so adding
// one never touches main.cpp.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace pravik::cli {

struct CommandContext;  // defined in Session options (Options.h): parsed global options

struct Command {
    QString name;     // first word(s) after "pravik", e.g. "sql" or "db init"
    QString synopsis; // one line for "pravik --help"
    QString help;     // full text for "pravik help NAME" / "pravik NAME --help"
    // args: the words after the command name; returns the process exit code
    std::function<int(CommandContext&, const QStringList& args)> run;
};

std::vector<Command>& commands();

struct CommandRegistrar {
    explicit CommandRegistrar(Command c) { commands().push_back(std::move(c)); }
};

} // namespace pravik::cli

#define PRAVIK_COMMAND_CAT2(a, b) a##b
#define PRAVIK_COMMAND_CAT(a, b) PRAVIK_COMMAND_CAT2(a, b)
#define PRAVIK_COMMAND(...) \
    static ::pravik::cli::CommandRegistrar PRAVIK_COMMAND_CAT(pravikCommand_, __LINE__){::pravik::cli::Command{__VA_ARGS__}};

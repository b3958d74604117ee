// pravik-gui: the report module on the desktop, as the ledger application hosts it.
//
//   pravik-gui [--db DATABASE] [--company ID] [--year ID] [--user LOGIN] [--date DATE]
//              [--period P] [--set NAME=VALUE ...] [--journal 71|72|73]
//
// The options are those of the command-line host (pravik --help) and fill the session the same
// way; --journal opens that journal window at once. Window positions and the preview's
// placement are kept in pravik-gui.ini of the user's configuration folder, unless
// --set GGG:SCIEZKA_SET=FILE names another file.
#include "MainWindow.h"

#include "apps/pravik/Options.h"

#include "framework/Lifecycle.h"
#include "framework/RunFolders.h"
#include "platform/QtUi.h"
#include "platform/Settings.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/procedures/Procedures.h"
#include "siblings/korda/Session.h"
#include "statements/window/StatementWindowModel.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const QString kUsage = QStringLiteral(
    "Usage: pravik-gui [options] [--journal 71|72|73]\n\n"
    "The report module of the Tabulo ledger on the desktop.\n\n"
    "  --journal KIND     open the journal window at once: 71 journal of postings,\n"
    "                     72 journal of documents, 73 statement of journals\n\n");

void printErr(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

// Takes "--journal KIND" (or "--journal=KIND") out of args; 0 when absent, -1 when malformed.
int takeJournalOption(QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString value;
        if (args[i] == QLatin1String("--journal") && i + 1 < args.size()) {
            value = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(QLatin1String("--journal="))) {
            value = args[i].mid(10);
            args.remove(i);
        } else if (args[i] == QLatin1String("--journal")) {
            return -1;
        } else {
            continue;
        }
        const int kind = value.toInt();
        return kind == 71 || kind == 72 || kind == 73 ? kind : -1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pravik-gui"));
    QApplication::setOrganizationName(QStringLiteral("pravik"));
    pravik::frame::removeRunFoldersOnSignals();

    QStringList args = QApplication::arguments().mid(1);
    const int journal = takeJournalOption(args);
    pravik::cli::CommandContext ctx;
    QString error;
    const auto parsed = pravik::cli::parseGlobalOptions(args, ctx, &error);
    if (journal < 0 || !parsed || !parsed->rest.isEmpty()) {
        if (journal < 0)
            error = QStringLiteral("--journal takes 71, 72 or 73");
        else if (parsed && !parsed->rest.isEmpty())
            error = QStringLiteral("unexpected argument \"%1\"").arg(parsed->rest.first());
        printErr(QStringLiteral("pravik-gui: ") + error);
        printErr(kUsage + pravik::cli::globalOptionsHelp());
        return pravik::cli::kExitUsage;
    }
    if (parsed->helpWanted) {
        std::fputs((kUsage + pravik::cli::globalOptionsHelp()).toUtf8().constData(), stdout);
        return pravik::cli::kExitOk;
    }

    const auto dbTarget = ctx.connectionSpec(&error);
    if (!dbTarget) {
        printErr(QStringLiteral("pravik-gui: --db %1: %2").arg(ctx.databaseText(), error));
        return pravik::cli::kExitUsage;
    }

    pravik::QtUi ui;
    pravik::setUi(&ui);
    // The reference database's functions and procedures serve SQLite and PostgreSQL databases;
    // a SQL Server database brings its own.
    pravik::server::registerFunctions();
    pravik::server::registerProcedures();
    pravik::sql::Database::setCurrent(*dbTarget);
    for (const auto& [name, value] : ctx.sets)
        korda::setGlobal(name, value);

    if (!ctx.openSession()) {
        QMessageBox::warning(nullptr, pravik::kTitleWarning,
                             QStringLiteral("Nie można otworzyć bazy danych %1.\nSzczegóły na standardowym wyjściu błędów.")
                                 .arg(dbTarget->describe()));
        pravik::setUi(nullptr);
        return pravik::cli::kExitFailure;
    }

    // The host's settings manager keeps window positions, unless the session names the
    // module's own file.
    std::unique_ptr<pravik::SettingsStore> settings;
    if (korda::session().GGG_SCIEZKA_SET.isEmpty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir().mkpath(folder);
        settings = std::make_unique<pravik::SettingsStore>(QDir(folder).filePath(QStringLiteral("pravik-gui.ini")));
    }
    pravik::PRAVIK_INIT(nullptr, settings.get());

    int rc = 0;
    {
        pravik::gui::MainWindow window;
        window.show();
        if (journal > 0)
            QTimer::singleShot(0, &window, [&window, journal] { window.openJournal(journal); });
        rc = QApplication::exec();
    }
    // A statement printout still running on its own thread finishes before the module goes.
    if (!pravik::statements::waitForStatementPrintouts(120000)) {
        // Unloading the module or leaving main would free what that printout still uses; the
        // settings are written and the process ends where it stands.
        printErr(QStringLiteral("pravik-gui: wydruk zestawienia nie zakończył się w ciągu 2 minut od zamknięcia okna; "
                                "program kończy pracę bez niego."));
        pravik::moduleSettings().sync();
        if (settings)
            settings->sync();
        std::fflush(nullptr);
        std::_Exit(pravik::cli::kExitFailure);
    }
    pravik::PRAVIK_KILL();
    pravik::module::unload();
    pravik::setUi(nullptr);
    return rc;
}

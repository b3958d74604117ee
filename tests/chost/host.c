/* A host written in plain C, as the ledger application loads the module: no Qt of its own, only
   libpravik.so and its C interface. It runs a posting journal and a turnover statement to PDF
   with the session the command line would have (the "pravik context" lines), checks that the
   module refuses what no connection can use and that nothing runs after PRAVIK_KILL.

     host CONTEXT_FILE DATABASE JOURNAL_PDF TURNOVER_PDF JOURNAL_FILTER
*/
#include "framework/CApi.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The report entries this host calls (the module exports one per procedure). */
void PRN_71_DZIENNIK_P_K(const char* yearStart, const char* filter, const char* title, unsigned char sort);
void PRN_73_DZIENNIK(const char* yearStart, const char* filter, const char* title);
void PRN_OBROTY_SQL(unsigned char cumulativeWithOpening, unsigned char cardIndexAccounts, unsigned char approvedOnly,
                    unsigned char nonZeroTurnoversOnly, const char* mask, const char* yearName, unsigned char variant,
                    unsigned char thousands, const char* title, unsigned char syntheticOnly,
                    unsigned char nonZeroBalanceLeaves, unsigned char nonZeroBalanceSynthetic,
                    unsigned char lastLevelOnly);

struct Log {
    int errors;
};

static void onProcedure(void* user, const char* procedure)
{
    (void)user;
    (void)procedure;
}

static void onError(void* user, int kind, const char* procedure, const char* what, const char* detail)
{
    struct Log* log = (struct Log*)user;
    log->errors++;
    fprintf(stderr, "host: error %d in %s: %s [%.200s]\n", kind, procedure ? procedure : "-", detail ? detail : "",
            what ? what : "");
}

static int failures = 0;

static void check(int ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "host: FAILED: %s\n", what);
        failures++;
    }
}

static int fileExists(const char* path)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return 0;
    fclose(f);
    return 1;
}

/* The value of NAME in the context file, into buffer. */
static int contextValue(const char* contextFile, const char* name, char* buffer, size_t size)
{
    FILE* f = fopen(contextFile, "r");
    char line[4096];
    size_t n = strlen(name);
    int found = 0;
    if (!f)
        return 0;
    while (fgets(line, sizeof line, f)) {
        if (strncmp(line, name, n) == 0 && line[n] == '=') {
            line[strcspn(line, "\r\n")] = '\0';
            snprintf(buffer, size, "%s", line + n + 1);
            found = 1;
            break;
        }
    }
    fclose(f);
    return found;
}

/* Every NAME=VALUE line of the context file as a session global. */
static void setContext(const char* contextFile)
{
    FILE* f = fopen(contextFile, "r");
    char line[4096];
    if (!f) {
        check(0, "the context file opens");
        return;
    }
    while (fgets(line, sizeof line, f)) {
        char* eq = strchr(line, '=');
        line[strcspn(line, "\r\n")] = '\0';
        if (!eq || eq == line)
            continue;
        *eq = '\0';
        /* The settings file is the host's business, not the context's. */
        if (strcmp(line, "GGG:SCIEZKA_SET") == 0)
            continue;
        if (!pravik_set_global(line, eq + 1))
            fprintf(stderr, "host: note: %s not set from \"%s\"\n", line, eq + 1);
    }
    fclose(f);
}

int main(int argc, char** argv)
{
    struct Log log = {0};
    PravikErrorManager errors = {&log, onProcedure, onError};
    char yearStart[64] = "", yearName[128] = "";
    char* longPath;
    int before;

    if (argc != 6) {
        fprintf(stderr, "usage: host CONTEXT_FILE DATABASE JOURNAL_PDF TURNOVER_PDF JOURNAL_FILTER\n");
        return 2;
    }
    PRAVIK_INIT(&errors, NULL);

    /* A path no connection can use is refused, and the host is told. */
    longPath = (char*)malloc(1024 * 1024 + 1);
    memset(longPath, 'a', 1024 * 1024);
    longPath[1024 * 1024] = '\0';
    before = log.errors;
    check(pravik_set_database(longPath) == 0, "a 1 MB database path is refused");
    check(log.errors == before + 1, "the refusal reaches the error manager");
    free(longPath);

    check(pravik_set_database(argv[2]) == 1, "the database is accepted");
    setContext(argv[1]);
    check(contextValue(argv[1], "DANE_POCZATEK_ROKU", yearStart, sizeof yearStart), "the context names the year start");
    check(contextValue(argv[1], "DANE_LATA_OBROT_NAZWA", yearName, sizeof yearName), "the context names the year");

    before = log.errors;
    check(pravik_set_output("pdf", argv[3]) == 1, "the journal goes to a PDF file");
    pravik_set_global("DANE_NAGLOWEK_WYDRUKU", "Dziennik księgowań");
    PRN_71_DZIENNIK_P_K(yearStart, argv[5], "Dziennik księgowań", 4);
    check(pravik_last_response() == 1, "the journal completes");
    check(log.errors == before, "the journal runs without an error");
    check(fileExists(argv[3]), "the journal's PDF is written");

    before = log.errors;
    check(pravik_set_output("pdf", argv[4]) == 1, "the statement goes to a PDF file");
    /* The turnover window's defaults: card-index accounts listed, turnovers of the period. */
    PRN_OBROTY_SQL(0, 1, 0, 0, "", yearName, 1, 0, "Zestawienie obrotów i sald kont analitycznych", 0, 0, 0, 0);
    check(pravik_last_response() == 1, "the turnover statement completes");
    check(log.errors == before, "the turnover statement runs without an error");
    check(fileExists(argv[4]), "the statement's PDF is written");
    check(pravik_set_output("nothing", "x") == 0, "an unknown output kind is refused");

    /* After KILL the module runs nothing until the next INIT. */
    PRAVIK_KILL();
    pravik_set_output("pdf", NULL);
    before = log.errors;
    PRN_73_DZIENNIK(yearStart, "", "Zestawienie dzienników księgowań");
    check(log.errors == before + 1, "a report after PRAVIK_KILL is refused through the error manager");
    check(pravik_last_response() == 2, "a refused report says it did not complete");

    if (failures) {
        fprintf(stderr, "host: %d check(s) failed\n", failures);
        return 1;
    }
    printf("host: journal and turnover statement produced, refusals reported\n");
    return 0;
}

#ifndef PRAVIK_CAPI_H
#define PRAVIK_CAPI_H
/*
 * The module's C interface, for a host that loads libpravik.so and calls it by name.
 *
 *   PravikErrorManager em = { &myLog, onProcedure, onError };
 *   PravikSettingsManager sm = { "/home/ksiegowa/.config/tabulo/tabulo.ini" };
 *   PRAVIK_INIT(&em, &sm);                 // either may be NULL: the module's own are used
 *   pravik_set_database("/srv/tabulo/firma.db");
 *   pravik_set_global("DANE_ID_FIRMY", "1");
 *   pravik_set_global("DANE_DATA_WYDRUKU", "31-12-2025");
 *   ... report procedures ...
 *   PRAVIK_KILL();
 *
 * All texts are UTF-8. The report procedures join this interface with their own entry points.
 */

#if defined(__GNUC__)
#define PRAVIK_EXPORT __attribute__((visibility("default")))
#else
#define PRAVIK_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of error the module reports. */
enum { PRAVIK_ERROR_FILE = 0, PRAVIK_ERROR_SQL = 1, PRAVIK_ERROR_OTHER = 2 };

/* The host's error manager: its callbacks receive every error the module meets after INIT. */
typedef struct PravikErrorManager {
    void* userData;
    /* The procedure now running, in mixed case ("Prn_Obroty_SQL"); may be NULL. */
    void (*setProcedure)(void* userData, const char* procedure);
    /* kind: PRAVIK_ERROR_*; what: the file or the statement; detail: the driver's or the
       system's text. procedure: the procedure that was running. */
    void (*report)(void* userData, int kind, const char* procedure, const char* what, const char* detail);
} PravikErrorManager;

/* The host's settings manager: the ini file the module keeps window and preview placement in. */
typedef struct PravikSettingsManager {
    const char* iniPath;
} PravikSettingsManager;

/* errorManager: a PravikErrorManager* or NULL; settingsManager: a PravikSettingsManager* or NULL.
   The module copies what it needs; the callbacks and userData must stay valid until unload.
   A second call while the module is up does nothing; after PRAVIK_KILL it starts the module
   again. A host without a Qt application of its own needs none: the first report makes what
   it needs (offscreen without a display). */
PRAVIK_EXPORT void PRAVIK_INIT(void* errorManager, void* settingsManager);
/* A second call does nothing. After it the report procedures refuse to run (the error manager
   is told) until PRAVIK_INIT is called again. */
PRAVIK_EXPORT void PRAVIK_KILL(void);

/* Sets a session global by its name ("DANE_ID_FIRMY", "GGG:NUMCOPY"; dates as a day number,
   dd-mm-yyyy or yyyy-mm-dd) on the calling thread. 1 = set; 0 = unknown name or a value the
   global cannot hold. */
PRAVIK_EXPORT int pravik_set_global(const char* name, const char* value);
/* Copies the global's value (NUL-terminated, cut to fit) into buffer. Returns the length the
   full value needs in bytes without the NUL, or -1 for an unknown name. */
PRAVIK_EXPORT int pravik_get_global(const char* name, char* buffer, int bufferSize);
/* Appends a line to a shared queue: "DANE_OPIS_PRN", "DANE_ZAZNACZ_REK", "DANE_KOLEJKA_VAX",
   "PRINTPREVIEWFILEQUEUE" (the page image files SENDOUTLOOK mails, in page order).
   1 = added, 0 = unknown queue. */
PRAVIK_EXPORT int pravik_queue_add(const char* queue, const char* value);
/* Empties a shared queue (also "DANE_KOLEJKA_UNIWERS", "GGG:XML_Q"). 1 = emptied, 0 = unknown. */
PRAVIK_EXPORT int pravik_queue_clear(const char* queue);
/* The database every report works on: a SQLite file path, postgresql://... or odbc:...
   1 = accepted; 0 = malformed or longer than any connection takes (4096 bytes; a file name of
   more than 255), and the error manager is told why. On SQLite and PostgreSQL the module brings
   the reference database's functions and procedures to every connection it opens. */
PRAVIK_EXPORT int pravik_set_database(const char* dbTarget);

/* Where the reports go instead of the preview, for a host without a screen: kind "pdf" (a file),
   "png" (a folder, one PNG per page), "text" (the text-printer file) or "printer" (a printer
   queue). NULL or "" clears that output. 1 = set; 0 = unknown kind. */
PRAVIK_EXPORT int pravik_set_output(const char* kind, const char* path);
/* How the last report on this thread ended: 1 completed, 2 cancelled or failed, 0 none ran. */
PRAVIK_EXPORT int pravik_last_response(void);

#ifdef __cplusplus
}
#endif

#endif /* PRAVIK_CAPI_H */

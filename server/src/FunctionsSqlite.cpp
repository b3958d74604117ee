#include "server/src/Functions.h"

#include "platform/sql/Database.h"
#include "platform/sql/SqliteFunctions.h"

#include <QtGlobal>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <variant>

namespace pravik::server {

namespace {

// ---------------------------------------------------------------------------------------------
// Reading rows of the connection the function runs on
// ---------------------------------------------------------------------------------------------

struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

using Param = std::variant<std::monostate, sqlite3_int64, std::string>;

// The first column of the first row as text; nullopt when there is no row. Statements are
// prepared per call: a cached statement would keep Qt from closing the connection.
std::optional<std::string> firstText(sqlite3* db, const char* sql,
                                     std::initializer_list<Param> params, std::string* error)
{
    Statement st;
    if (sqlite3_prepare_v2(db, sql, -1, &st.handle, nullptr) != SQLITE_OK) {
        *error = sqlite3_errmsg(db);
        return std::nullopt;
    }
    int index = 1;
    for (const Param& p : params) {
        if (const auto* n = std::get_if<sqlite3_int64>(&p))
            sqlite3_bind_int64(st.handle, index, *n);
        else if (const auto* s = std::get_if<std::string>(&p))
            sqlite3_bind_text(st.handle, index, s->data(), int(s->size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(st.handle, index);
        ++index;
    }
    const int rc = sqlite3_step(st.handle);
    if (rc == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st.handle, 0));
        return std::string(text ? text : "");
    }
    if (rc != SQLITE_DONE)
        *error = sqlite3_errmsg(db);
    return std::nullopt;
}

std::string trimmed(std::string s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

bool isSmallNumber(const std::string& s)
{
    if (s.empty() || s.size() > 9)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<std::string> textArg(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return trimmed(text ? text : "");
}

std::optional<sqlite3_int64> intArg(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return std::nullopt;
    return sqlite3_value_int64(v);
}

void resultText(sqlite3_context* ctx, const std::string& text)
{
    sqlite3_result_text(ctx, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

// The synthetic account number of an account: its first segment, when it is a number.
std::optional<sqlite3_int64> syntheticNumber(const std::string& account)
{
    const std::string first = trimmed(account.substr(0, account.find('-')));
    if (!isSmallNumber(first))
        return std::nullopt;
    return std::stoll(first);
}

// ---------------------------------------------------------------------------------------------
// Account types, called for every row of a journal: kept per connection and dropped as soon
// as this connection changes a row or another connection commits.
// ---------------------------------------------------------------------------------------------

struct AccountTypeCache {
    sqlite3_int64 changes = -1;
    unsigned int dataVersion = 0;
    std::map<std::tuple<sqlite3_int64, sqlite3_int64, sqlite3_int64>, std::string> types;

    void refresh(sqlite3* db)
    {
        const sqlite3_int64 nowChanges = sqlite3_total_changes64(db);
        unsigned int nowVersion = 0;
        sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &nowVersion);
        if (nowChanges != changes || nowVersion != dataVersion) {
            types.clear();
            changes = nowChanges;
            dataVersion = nowVersion;
        }
    }
};

// The type of the account, '' when unknown; false (and an error set on ctx) when the lookup
// failed.
bool accountType(sqlite3_context* ctx, sqlite3_value** argv, std::string* type)
{
    type->clear();
    const auto company = intArg(argv[0]);
    const auto year = intArg(argv[1]);
    const auto account = textArg(argv[2]);
    if (!company || !year || !account)
        return true;
    const auto synthetic = syntheticNumber(*account);
    if (!synthetic)
        return true;

    auto* cache = static_cast<std::shared_ptr<AccountTypeCache>*>(sqlite3_user_data(ctx))->get();
    sqlite3* db = sqlite3_context_db_handle(ctx);
    cache->refresh(db);
    const auto key = std::make_tuple(*company, *year, *synthetic);
    if (auto found = cache->types.find(key); found != cache->types.end()) {
        *type = found->second;
        return true;
    }
    std::string error;
    const auto value = firstText(db,
                                 "select typ_konta from KONTA_SYNT where id_firmy=? and "
                                 "id_lata_obrot=? and nr_konta_syn=?",
                                 {*company, *year, *synthetic}, &error);
    if (!error.empty()) {
        sqlite3_result_error(ctx, error.c_str(), -1);
        return false;
    }
    *type = trimmed(value.value_or(std::string()));
    cache->types.emplace(key, *type);
    return true;
}

void getTypKonta(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    std::string type;
    if (accountType(ctx, argv, &type))
        resultText(ctx, type);
}

void sprKontoPozab(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    std::string type;
    if (accountType(ctx, argv, &type))
        sqlite3_result_int(ctx, type == "P" ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Account names
// ---------------------------------------------------------------------------------------------

// The name of a card entry of the given kind and code; nullopt when there is none.
std::optional<std::string> cardEntryName(sqlite3* db, sqlite3_int64 company,
                                         const std::string& kind, const std::string& symbol,
                                         const std::string& code, std::string* error)
{
    if (kind == "X")
        return firstText(db,
                         "select opis from ELEMENTY_KARTOT_UZYT where id_firmy=? and "
                         "symbol_kartoteki=? and wart_pola=?",
                         {company, symbol, code}, error);
    if (!isSmallNumber(code))
        return std::nullopt;
    const sqlite3_int64 number = std::stoll(code);
    if (kind == "K")
        return firstText(db, "select nazwa from KONTRAHENT where id_firmy=? and kod_kontrahenta=?",
                         {company, number}, error);
    if (kind == "P")
        return firstText(db,
                         "select trim(coalesce(nazwisko,'') || ' ' || coalesce(imie,'')) from "
                         "PRACOWNIK where id_firmy=? and kod_pracownika=?",
                         {company, number}, error);
    if (kind == "R")
        return firstText(db, "select nazwa from RACHUNEK_FIRMY where id_firmy=? and kod_rachunku=?",
                         {company, number}, error);
    if (kind == "S")
        return firstText(db, "select nazwa from MAJATEK where id_firmy=? and kod_srodka=?",
                         {company, number}, error);
    if (kind == "U")
        return firstText(db, "select nazwa from URZEDY where id_urzedu=?", {number}, error);
    return std::nullopt;
}

std::optional<std::string> accountName(sqlite3* db, sqlite3_int64 company, sqlite3_int64 year,
                                       const std::string& account, std::string* error)
{
    if (auto name = firstText(db,
                              "select nazwa_konta from WARTOSCI_KONT where id_firmy=? and "
                              "id_lata_obrot=? and nr_konta=?",
                              {company, year, account}, error);
        name || !error->empty())
        return name;

    // A card-index account: "201-1-15" stands under the placeholder "201-1-x".
    const auto dash = account.rfind('-');
    if (dash == std::string::npos || dash + 1 >= account.size())
        return std::nullopt;
    const std::string prefix = account.substr(0, dash);
    const std::string code = account.substr(dash + 1);
    const auto symbol = firstText(db,
                                  "select symbol_kartoteki from WARTOSCI_KONT where id_firmy=? "
                                  "and id_lata_obrot=? and nr_konta in (?, ?)",
                                  {company, year, prefix + "-x", prefix + "-X"}, error);
    if (!symbol || symbol->empty())
        return std::nullopt;
    const auto kind = firstText(db,
                                "select kartot_predef from KARTOT_UZYT where id_firmy=? and "
                                "symbol_kartoteki=?",
                                {company, *symbol}, error);
    if (!kind)
        return std::nullopt;
    return cardEntryName(db, company, trimmed(*kind), *symbol, code, error);
}

void getNazwaKonta(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto company = intArg(argv[0]);
    const auto year = intArg(argv[1]);
    const auto account = textArg(argv[2]);
    if (!company || !year || !account || account->empty())
        return resultText(ctx, {});
    std::string error;
    const auto name = accountName(sqlite3_context_db_handle(ctx), *company, *year, *account, &error);
    if (!error.empty())
        return sqlite3_result_error(ctx, error.c_str(), -1);
    resultText(ctx, name.value_or(std::string()));
}

// ---------------------------------------------------------------------------------------------
// Company address and settings
// ---------------------------------------------------------------------------------------------

void adresFirmy(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto company = intArg(argv[0]);
    const sqlite3_int64 day = intArg(argv[1]).value_or(0);
    const auto type = textArg(argv[2]);
    const auto line = intArg(argv[3]);
    if (!company || !type || !line || (*line != 1 && *line != 2))
        return resultText(ctx, {});

    const char* select = *line == 1
        ? "select trim(coalesce(nullif(trim(ulica),''), trim(miejscowosc), '') || ' ' || "
          "trim(coalesce(nr_domu,'')) || case when trim(coalesce(nr_lokalu,''))<>'' "
          "then '/' || trim(nr_lokalu) else '' end) "
          "from ADRESY_FIRMY where id_firmy=? and typ_adresu=? and (?=0 or data_od<=?) "
          "order by data_od desc, id_adresy_firmy desc limit 1"
        : "select trim(coalesce(trim(kod_pocztowy),'') || ' ' || "
          "coalesce(nullif(trim(poczta),''), trim(miejscowosc), '')) "
          "from ADRESY_FIRMY where id_firmy=? and typ_adresu=? and (?=0 or data_od<=?) "
          "order by data_od desc, id_adresy_firmy desc limit 1";
    std::string error;
    const auto text = firstText(sqlite3_context_db_handle(ctx), select,
                                {*company, *type, day, day}, &error);
    if (!error.empty())
        return sqlite3_result_error(ctx, error.c_str(), -1);
    resultText(ctx, text.value_or(std::string()));
}

void pobierzParamGlo(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto company = intArg(argv[0]);
    const auto name = textArg(argv[1]);
    if (!company || !name)
        return resultText(ctx, {});
    std::string error;
    const auto value = firstText(sqlite3_context_db_handle(ctx),
                                 "select wartosc from PARAMETRY_GLOBALNE where id_firmy=? and nazwa=?",
                                 {*company, *name}, &error);
    if (!error.empty())
        return sqlite3_result_error(ctx, error.c_str(), -1);
    resultText(ctx, value.value_or(std::string()));
}

using Implementation = void (*)(sqlite3_context*, int, sqlite3_value**);

void deleteSharedCache(void* p)
{
    delete static_cast<std::shared_ptr<AccountTypeCache>*>(p);
}

} // namespace

bool registerLedgerFunctions(QSqlDatabase& db, QString* error)
{
    sqlite3* handle = sql::sqliteHandle(db);
    if (!handle) {
        if (error)
            *error = QStringLiteral("Funkcje bazy rejestruje się tylko w otwartym połączeniu SQLite.");
        return false;
    }
    auto cache = std::make_shared<AccountTypeCache>();
    struct Entry {
        const char* name;
        int arguments;
        Implementation implementation;
        bool usesCache;
    };
    static const Entry entries[] = {
        {"TG_GetTypKonta", 3, getTypKonta, true},
        {"TG_SPR_KONTO_POZAB", 3, sprKontoPozab, true},
        {"TG_GetNazwaKonta", 3, getNazwaKonta, false},
        {"tg_AdresFirmy", 4, adresFirmy, false},
        {"fn_fk_PobierzParamGlo", 2, pobierzParamGlo, false},
    };
    for (const Entry& e : entries) {
        void* userData = e.usesCache ? new std::shared_ptr<AccountTypeCache>(cache) : nullptr;
        const int rc = sqlite3_create_function_v2(handle, e.name, e.arguments, SQLITE_UTF8,
                                                  userData, e.implementation, nullptr, nullptr,
                                                  e.usesCache ? deleteSharedCache : nullptr);
        if (rc != SQLITE_OK) {
            // On failure SQLite has already called the destructor for the user data.
            if (error)
                *error = QStringLiteral("Nie można zarejestrować funkcji %1: %2")
                             .arg(QString::fromLatin1(e.name), QString::fromUtf8(sqlite3_errmsg(handle)));
            return false;
        }
    }
    return true;
}

void registerFunctions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        sql::Database::addOpenHook([](QSqlDatabase& db, sql::Dialect dialect) {
            // Only a native SQLite connection can take functions; PostgreSQL has them from its
            // schema, and an ODBC connection to SQLite cannot register any.
            QString error;
            if (dialect == sql::Dialect::SQLite && sql::sqliteHandle(db)
                && !registerLedgerFunctions(db, &error))
                qWarning("%s", qPrintable(error));
        });
    });
}

} // namespace pravik::server

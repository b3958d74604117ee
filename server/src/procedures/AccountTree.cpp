#include "server/src/procedures/AccountTree.h"

#include "platform/sql/Quote.h"

namespace pravik::server {

bool buildAccountPrefixes(StatementRunner& run, const ServerSql& sql, const QString& accountsSelect,
                          const QString& target)
{
    run.dropTemp(target);
    run.run(QStringLiteral("create temp table %1 (leaf varchar(60), acc varchar(60))").arg(target));
    const QString rest = QStringLiteral("substr(leaf,length(acc)+2)");
    const QString nextDash = sql.position(rest, QStringLiteral("'-'"));
    run.run(QStringLiteral(
                "with recursive anc(leaf, acc) as ("
                " select cast(konto as text), cast(%1 as text) from (select distinct konto from (%2) src"
                "  where konto is not null and konto<>'') s"
                " union all"
                " select leaf, cast(case when %3>0 then substr(leaf,1,length(acc)+%3) else leaf end as text)"
                "  from anc where acc<>leaf)"
                " insert into %4 (leaf, acc) select leaf, acc from anc")
                .arg(sql.syntheticOf(QStringLiteral("konto")), accountsSelect, nextDash, target));
    run.run(QStringLiteral("create index %1_acc on %1 (acc, leaf)").arg(target));
    return run.ok();
}

QString twoBalanceFlag(const ServerSql& sql, const QString& account, qint64 company, qint64 year)
{
    return QStringLiteral("coalesce((select max(ks.czy_dwusaldowe) from KONTA_SYNT ks where ks.id_firmy=%1"
                          " and ks.id_lata_obrot=%2 and ks.nr_konta_syn=%3),0)")
        .arg(sql::sqlNumber(company), sql::sqlNumber(year), sql.syntheticNumberOf(account));
}

} // namespace pravik::server

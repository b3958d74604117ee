// The T-SQL the module writes, rewritten for SQLite and PostgreSQL. Exact texts where the shape
// matters (hints, literals, limits); what the rewritten text computes is checked by running it
// in SqlDialectSemanticsTest and the corpus.
#include "platform/sql/Translator.h"

#include <gtest/gtest.h>

using pravik::sql::Dialect;
using pravik::sql::translate;

namespace {

std::string lite(const char* tsql)
{
    return translate(QString::fromUtf8(tsql), Dialect::SQLite).toStdString();
}

std::string pg(const char* tsql)
{
    return translate(QString::fromUtf8(tsql), Dialect::PostgreSQL).toStdString();
}

} // namespace

TEST(SqlTranslator, TSqlTargetGetsTheTextUnchanged)
{
    const QString text = QStringLiteral("select top 1 isnull(a,'x')+'b' from T with (NOLOCK)");
    EXPECT_EQ(translate(text, Dialect::TSql), text);
}

TEST(SqlTranslator, LockHintsAreDroppedInAnyCaseAndSpacing)
{
    EXPECT_EQ(lite("select a from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1"),
              "select a from OBROTY_I_SALDA  where id_firmy=1");
    EXPECT_EQ(lite("select a from T a WITH(nolock) inner join U b With ( NoLock ) ON a.x=b.x"),
              "select a from T a  inner join U b  ON a.x=b.x");
    EXPECT_EQ(lite("select a from T (NOLOCK) where 1=1"), "select a from T  where 1=1");
    EXPECT_EQ(pg("select a from T with (nolock, rowlock)"), "select a from T ");
    // A CTE and a parenthesised expression are not hints.
    EXPECT_EQ(lite("with x as (select 1 a) select (a) from x"), "with x as (select 1 a) select (a) from x");
}

TEST(SqlTranslator, QuotedTextsAreNeverTouched)
{
    EXPECT_EQ(lite("select 'with (nolock)' from T where a='x+y' and b='it''s top 5'"),
              "select 'with (nolock)' from T where a='x+y' and b='it''s top 5'");
    EXPECT_EQ(lite("select 'isnull(a,b)', 'dbo.f(1)' -- isnull(x) in a comment\n"),
              "select 'isnull(a,b)', 'dbo.f(1)' -- isnull(x) in a comment\n");
    // A text with an unbalanced parenthesis does not confuse the nesting outside it.
    EXPECT_EQ(lite("select isnull((select top 1 a from T where b=')'),0)"),
              "select coalesce((select a from T where b=')' LIMIT 1),0)");
    EXPECT_EQ(lite("select N'zażółć'"), "select 'zażółć'");
}

TEST(SqlTranslator, IsnullBecomesCoalesceAlsoNestedAndAroundSubqueries)
{
    EXPECT_EQ(lite("select isnull(max(id),0)+1 from T"), "select coalesce(max(id),0)+1 from T");
    EXPECT_EQ(pg("select ISNULL(isnull(a,b),'') from T"), "select coalesce(coalesce(a,b),'') from T");
    EXPECT_EQ(pg("select isnull((select ZAMKNIETE_BO from LATA_OBROTOWE where ID_LATA_OBROT=3),0)"),
              "select coalesce((select ZAMKNIETE_BO from LATA_OBROTOWE where ID_LATA_OBROT=3),0)");
}

TEST(SqlTranslator, TopBecomesLimitAtTheEndOfItsOwnSelect)
{
    EXPECT_EQ(lite("select top 1 wojewodztwo from ADRESY_FIRMY where id_firmy=1 order by data_od asc"),
              "select wojewodztwo from ADRESY_FIRMY where id_firmy=1 order by data_od asc LIMIT 1");
    EXPECT_EQ(lite("select distinct top 10 a from T"), "select distinct a from T LIMIT 10");
    EXPECT_EQ(lite("select top (5) a from T;"), "select a from T LIMIT 5;");
    // Inside a subquery the limit stays inside it, the outer select gets none.
    EXPECT_EQ(pg("select isnull((select top 1 l.id from L l where l.p < isnull((select o.p from L o where o.id=2),0) "
                 "order by l.p desc),0)"),
              "select coalesce((select l.id from L l where l.p < coalesce((select o.p from L o where o.id=2),0) "
              "order by l.p desc LIMIT 1),0)");
    // A trailing comment cannot swallow the limit.
    EXPECT_EQ(lite("select top 2 a from T -- newest\n"), "select a from T LIMIT 2 -- newest\n");
    // "top" as a column name is left alone.
    EXPECT_EQ(lite("select a.top from T a"), "select a.top from T a");
}

TEST(SqlTranslator, TextFunctions)
{
    EXPECT_EQ(lite("select Substring(nr_konta,1,3) from T"), "select substr(nr_konta,1,3) from T");
    EXPECT_EQ(lite("select Left(KONTO,3) from T"), "select substr(KONTO, 1, 3) from T");
    EXPECT_EQ(pg("select Left(KONTO,3) from T"), "select substr(CAST(KONTO AS text), 1, 3) from T");
    EXPECT_EQ(lite("select len(isnull(arg1,'')) from T"), "select length(rtrim(coalesce(arg1,''))) from T");
    EXPECT_EQ(pg("select len('abc')"), "select length(rtrim(CAST('abc' AS text)))");
    EXPECT_EQ(lite("select upper(typ) from T"), "select upper(typ) from T");
    // "left join" is a join, not the function.
    EXPECT_EQ(lite("select a from T left join U on T.x=U.x"), "select a from T left join U on T.x=U.x");
}

TEST(SqlTranslator, Convert)
{
    EXPECT_EQ(lite("select convert(varchar(20),kod_kontrahenta) from K"),
              "select substr(CAST(kod_kontrahenta AS TEXT), 1, 20) from K");
    EXPECT_EQ(pg("select convert(varchar(20),kod_kontrahenta) from K"),
              "select CAST(kod_kontrahenta AS varchar(20)) from K");
    EXPECT_EQ(pg("select convert(int, '12')"), "select CAST('12' AS integer)");
    EXPECT_EQ(pg("select convert(decimal(15,2), x) from T"), "select CAST(x AS numeric(15,2)) from T");
    EXPECT_EQ(lite("select convert(decimal(15,2), x) from T"), "select round(CAST(x AS REAL), 2) from T");
}

TEST(SqlTranslator, PlusBetweenTextsBecomesConcatenation)
{
    EXPECT_EQ(lite("select 1,1,1,1,'K-'+convert(varchar(20),kod_kontrahenta) from KONTRAHENT"),
              "select 1,1,1,1,'K-'||substr(CAST(kod_kontrahenta AS TEXT), 1, 20) from KONTRAHENT");
    EXPECT_EQ(pg("select top 1 isnull(null, 'a') + 'b', len('abc')"),
              "select coalesce(null, 'a') || 'b', length(rtrim(CAST('abc' AS text))) LIMIT 1");
    // A column next to a text is taken as text; all links of the chain follow.
    EXPECT_EQ(lite("select nr_konta + ' ' + nazwa from T"), "select nr_konta || ' ' || nazwa from T");
    EXPECT_EQ(lite("select upper(a)+b from T"), "select upper(a)||b from T");
    // Numbers stay numbers: T-SQL adds when a number is involved.
    EXPECT_EQ(lite("select isnull(max(id),0)+1, a+b, len(x)+1, kol1+kol2 from T"),
              "select coalesce(max(id),0)+1, a+b, length(rtrim(x))+1, kol1+kol2 from T");
    // Parenthesised text and a scalar subquery returning text are text.
    EXPECT_EQ(lite("select ('a'+b)+c, (select top 1 nazwa+'' from U)+'x' from T"),
              "select ('a'||b)||c, (select nazwa||'' from U LIMIT 1)||'x' from T");
    EXPECT_EQ(lite("select case when a=1 then 'x' else 'y' end + z from T"),
              "select case when a=1 then 'x' else 'y' end || z from T");
    // Unary signs and "+" inside quotes are left alone.
    EXPECT_EQ(lite("select +1, '1+1' from T where a = -1"), "select +1, '1+1' from T where a = -1");
}

TEST(SqlTranslator, DboPrefixAndBracketedNames)
{
    EXPECT_EQ(lite("select dbo.tg_AdresFirmy(1,80000,'S',1) from FIRMA"),
              "select tg_AdresFirmy(1,80000,'S',1) from FIRMA");
    EXPECT_EQ(pg("select [nazwa], [Moja kolumna] from [dbo].[FIRMA]"),
              "select nazwa, \"moja kolumna\" from FIRMA");
}

TEST(SqlTranslator, DayOfADayNumberIsComputedInline)
{
    EXPECT_EQ(lite("select 1 from T a where day(a.data_okresu-36163)=1"),
              "select 1 from T a where CAST(strftime('%d', 2415020.5 + (a.data_okresu-36163)) AS INTEGER)=1");
    EXPECT_EQ(pg("select day(d-36163) from T"),
              "select CAST(EXTRACT(DAY FROM DATE '1900-01-01' + CAST((d-36163) AS integer)) AS integer) from T");
}

TEST(SqlTranslator, LongStatementTranslatesInLinearTime)
{
    // A statement with thousands of conditions (the zero-row filter of a statement, an account
    // list) must not blow up.
    QString sql = QStringLiteral("delete from ZESTAW_ZESTAW where id_zestaw_nag=1");
    for (int i = 0; i < 4000; ++i)
        sql += QStringLiteral(" AND isnull(kol%1,0)=0 AND nazwa<>'x+y'+'%1'").arg(i % 20 + 1);
    const QString out = translate(sql, Dialect::SQLite);
    EXPECT_EQ(out.count(QStringLiteral("coalesce(")), 4000);
    EXPECT_EQ(out.count(QStringLiteral("'x+y'||'")), 4000);
}

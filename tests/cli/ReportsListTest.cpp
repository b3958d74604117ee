// "pravik reports" against what the library really exports: a host that reads the list must find
// every procedure in the library under that name, and every report export must be listed.
#include "framework/ReportRegistry.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QString binaryDir()
{
    return qEnvironmentVariable("PRAVIK_BINARY_DIR", QStringLiteral(PRAVIK_BINARY_DIR));
}

QString run(const QString& program, const QStringList& args, int* exitCode)
{
    const pravik::test::ProcessRun r = pravik::test::runProcess(program, args, {60000});
    *exitCode = r.exitCode;
    return r.all();
}

QString libraryPath()
{
    QDirIterator it(binaryDir(), {QStringLiteral("libpravik.so")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

// The C functions the library defines, apart from its lifecycle and session interface.
QSet<QString> reportExports()
{
    int rc = -1;
    const QString out = run(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), libraryPath()}, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    QSet<QString> names;
    static const QRegularExpression line(QStringLiteral("^[0-9a-f]+ T (\\S+)$"));
    for (const QString& l : out.split(QLatin1Char('\n'))) {
        const auto m = line.match(l.trimmed());
        if (!m.hasMatch())
            continue;
        const QString name = m.captured(1);
        if (name.startsWith(QLatin1String("_Z")) || name.startsWith(QLatin1String("pravik_"))
            || name.startsWith(QLatin1String("qt_")) || name == QLatin1String("PRAVIK_INIT")
            || name == QLatin1String("PRAVIK_KILL") || name == QLatin1String("_init") || name == QLatin1String("_fini"))
            continue;
        names.insert(name);
    }
    return names;
}

TEST(ReportsList, EqualsTheLibrarysReportExportsWithTheHostsParameters)
{
    ASSERT_FALSE(libraryPath().isEmpty()) << "no libpravik.so under " << binaryDir().toStdString();
    int rc = -1;
    const QString out = run(binaryDir() + QStringLiteral("/bin/pravik"), {QStringLiteral("reports")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();

    QSet<QString> listed;
    QMap<QString, QString> parameters;
    static const QRegularExpression entry(QStringLiteral("^(\\w+)\\(([A-Z, ]*)\\)\\s+(\\S+)\\s+\\S"));
    for (const QString& l : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto m = entry.match(l);
        ASSERT_TRUE(m.hasMatch()) << l.toStdString();
        EXPECT_FALSE(listed.contains(m.captured(1))) << "listed twice: " << m.captured(1).toStdString();
        listed.insert(m.captured(1));
        parameters.insert(m.captured(1), m.captured(2));
    }
    EXPECT_EQ(listed, reportExports());

    // The host's interface table, for the procedures the module has.
    const QString byte13 = QStringLiteral("BYTE, BYTE, BYTE, BYTE, STRING, STRING, BYTE, BYTE, STRING, BYTE, BYTE, BYTE, BYTE");
    const QString byte11 = QStringLiteral("BYTE, BYTE, BYTE, BYTE, STRING, STRING, BYTE, BYTE, STRING, BYTE, BYTE");
    EXPECT_EQ(parameters.value(QStringLiteral("PARAM_PRN_OBROTY")), QStringLiteral("BYTE, BYTE"));
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_OBROTY_SQL")), byte13);
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_OBROTY_SQL_PROSTY")), byte13);
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_OBROTY_SQL_UZGODNIENIE")), byte11);
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_RAPORT_KONTO_SQL")), byte11);
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_OBROTY")), byte11);
    EXPECT_EQ(parameters.value(QStringLiteral("PARAM_PRN_DZIENNIK")), QStringLiteral("LONG"));
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_71_DZIENNIK_P_TXT")), QStringLiteral("STRING, STRING, STRING, BYTE, BYTE"));
    EXPECT_EQ(parameters.value(QStringLiteral("PRN_73_DZIENNIK")), QStringLiteral("STRING, STRING, STRING"));
    EXPECT_TRUE(parameters.contains(QStringLiteral("SENDOUTLOOK")));
    EXPECT_EQ(parameters.value(QStringLiteral("SENDOUTLOOK")), QString());
}

// A host's arguments are checked against the parameters before anything runs.
TEST(ReportsList, CallsByNameRefuseWrongArgumentsBeforeRunning)
{
    using pravik::reports::call;
    QString error;
    EXPECT_FALSE(call(QStringLiteral("PRN_NIE_MA"), {}, &error));
    EXPECT_TRUE(error.contains(QLatin1String("PRN_NIE_MA"))) << error.toStdString();
    EXPECT_FALSE(call(QStringLiteral("PRN_73_DZIENNIK"), {QStringLiteral("46023"), QString()}, &error));
    EXPECT_TRUE(error.contains(QLatin1String("PRN_73_DZIENNIK(STRING, STRING, STRING)"))) << error.toStdString();
    EXPECT_FALSE(call(QStringLiteral("PARAM_PRN_OBROTY"), {QStringLiteral("3"), QStringLiteral("256")}, &error));
    EXPECT_TRUE(error.contains(QLatin1String("argument 2"))) << error.toStdString();
    EXPECT_FALSE(call(QStringLiteral("PARAM_PRN_DZIENNIK"), {QStringLiteral("siedemdziesiąt")}, &error));
    EXPECT_FALSE(call(QStringLiteral("PARAM_PRN_DZIENNIK"), {QStringLiteral("4294967296")}, &error));
    ASSERT_NE(pravik::reports::findReportProcedure(QStringLiteral("prn_obroty_sql")), nullptr);
    EXPECT_EQ(pravik::reports::findReportProcedure(QStringLiteral("prn_obroty_sql"))->name, QStringLiteral("PRN_OBROTY_SQL"));
}

} // namespace

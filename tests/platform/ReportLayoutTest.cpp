// Layout files: reading, the faults a hand-edited file can have, and the changes reports make.
#include "platform/report/LayoutLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik::report;

namespace {

QString testLayouts()
{
    return QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test");
}

// The message of the ReportError thrown by parsing json; empty when it parses.
QString parseError(const char* json)
{
    try {
        parseLayout(QByteArray(json), QStringLiteral("proba.json"));
    } catch (const ReportError& e) {
        return e.message();
    }
    return {};
}

class LayoutFolder : public ::testing::Test {
protected:
    void TearDown() override { setLayoutFolder({}); }
};

} // namespace

TEST_F(LayoutFolder, LoadsTheSampleWithDefaultsApplied)
{
    setLayoutFolder(testLayouts());
    const Layout layout = loadLayout(QStringLiteral("ReportSample"));

    EXPECT_EQ(layout.name, QStringLiteral("ReportSample"));
    EXPECT_EQ(layout.page.size(), QSize(8268, 11693));
    // Sheet less margins (400 + 400), page header (200) and footer (250).
    EXPECT_EQ(layout.pageBodyHeight(), 11693 - 800 - 200 - 250);
    EXPECT_EQ(layout.band(QStringLiteral("POZYCJE")).height, 200);
    EXPECT_EQ(layout.band(QStringLiteral("PAGEHEADER")).kind, BandKind::PageHeader);
    EXPECT_EQ(layout.band(QStringLiteral("KONIECSTRONY")).pageBreak, PageBreak::After);

    const Element& amount = layout.element(QStringLiteral("BO_WN"));
    EXPECT_EQ(amount.kind, ElementKind::Field);
    EXPECT_EQ(amount.field, QStringLiteral("BO_WN"));
    EXPECT_EQ(amount.picture, QStringLiteral("@N-19_`2"));
    EXPECT_EQ(amount.align, HAlign::Right);
    EXPECT_EQ(amount.columns.column, 60);
    EXPECT_EQ(amount.columns.width, 19);
    // The layout's font reaches every element that does not set its own; a partial font keeps
    // the rest of the default.
    EXPECT_EQ(amount.font.family, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(amount.font.size, 8.0);
    const Element& title = layout.element(QStringLiteral("NAZWA_ZESTAWIENIA"));
    EXPECT_EQ(title.font.size, 12.0);
    EXPECT_EQ(title.font.weight, 700);
    EXPECT_EQ(title.font.family, QStringLiteral("DejaVu Sans"));
    EXPECT_TRUE(layout.element(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA")).font.italic);
    EXPECT_FALSE(layout.element(QStringLiteral("PRN_NAZWA")).columns.isSet());
}

TEST_F(LayoutFolder, MissingLayoutNamesTheProcedure)
{
    setLayoutFolder(testLayouts());
    try {
        loadLayout(QStringLiteral("PRN_NIE_MA_TAKIEGO"));
        FAIL() << "no error";
    } catch (const ReportError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Brak układu wydruku PRN_NIE_MA_TAKIEGO."));
    }
}

TEST_F(LayoutFolder, FolderCopyWinsOverResourceAndBrokenFileIsReported)
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(QStringLiteral("PRN_X.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\n  \"bands\": [\n    { \"name\": \"A\" \"height\": 10 }\n  ]\n}\n");
    file.close();
    setLayoutFolder(dir.path());
    try {
        loadLayout(QStringLiteral("PRN_X"));
        FAIL() << "no error";
    } catch (const ReportError& e) {
        // The file and the line of the fault, so that a layout author can find it.
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Błędny układ wydruku "))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("PRN_X.json"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("wiersz 3"))) << e.message().toStdString();
    }
}

TEST(LayoutParse, FaultsNameTheirPlace)
{
    const char* minimal = R"({"bands":[{"name":"A","height":100}]})";
    EXPECT_TRUE(parseError(minimal).isEmpty());

    EXPECT_TRUE(parseError("[1,2]").contains(QStringLiteral("oczekiwano obiektu JSON")));
    EXPECT_TRUE(parseError(R"({"bands":[]})").contains(QStringLiteral("układ nie ma pasm")));
    EXPECT_TRUE(parseError(R"({"bands":[{"height":100}]})").contains(QStringLiteral("pasmo 1: brak klucza \"name\"")));

    // A misspelt key is a fault, not silently ignored; keys starting with "_" are notes.
    const QString typo = parseError(R"({"bands":[{"name":"POZ","height":100,"elements":[
        {"type":"field","id":"F","x":0,"y":0,"width":10,"height":10,"pictrue":"@N3"}]}]})");
    EXPECT_TRUE(typo.contains(QStringLiteral("pasmo POZ, element 1: nieznany klucz \"pictrue\""))) << typo.toStdString();
    EXPECT_TRUE(parseError(R"({"_note":"x","bands":[{"name":"A","height":100,"_why":"y"}]})").isEmpty());

    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":100,"elements":[
        {"type":"field","id":"F","width":10,"height":10,"picture":"@Q9"}]}]})")
                    .contains(QStringLiteral("nieznany format wydruku \"@Q9\"")));
    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":100,"elements":[
        {"type":"field","id":"F","height":10}]}]})")
                    .contains(QStringLiteral("brak klucza \"width\"")));
    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":100,"elements":[
        {"type":"field","width":10,"height":10}]}]})")
                    .contains(QStringLiteral("brak klucza \"id\"")));
    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":100,"elements":[
        {"type":"circle","width":10,"height":10}]}]})")
                    .contains(QStringLiteral("nieznany rodzaj elementu \"circle\"")));
    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":10.5}]})").contains(QStringLiteral("liczbą całkowitą")));
    EXPECT_TRUE(parseError(R"({"page":{"size":"B7"},"bands":[{"name":"A","height":10}]})")
                    .contains(QStringLiteral("nieznany format papieru \"B7\"")));
    EXPECT_TRUE(parseError(R"({"page":{"margins":{"left":5000,"right":5000}},"bands":[{"name":"A","height":10}]})")
                    .contains(QStringLiteral("marginesy nie mieszczą się")));
    // Element ids address elements at run time: a repeated one, even across bands, is a fault.
    EXPECT_TRUE(parseError(R"({"bands":[
        {"name":"A","height":10,"elements":[{"type":"text","id":"T","width":1,"height":1}]},
        {"name":"B","height":10,"elements":[{"type":"text","id":"T","width":1,"height":1}]}]})")
                    .contains(QStringLiteral("element T występuje dwa razy")));
    EXPECT_TRUE(parseError(R"({"bands":[{"name":"A","height":10},{"name":"A","height":10}]})")
                    .contains(QStringLiteral("pasmo A występuje dwa razy")));
    // Furniture that leaves no room for the body would loop on page breaks.
    EXPECT_TRUE(parseError(R"({"page":{"size":"A5"},"bands":[{"name":"H","kind":"pageHeader","height":9000}]})")
                    .contains(QStringLiteral("nie zostawiają miejsca")));
}

TEST(LayoutParse, LandscapeAndCustomSheets)
{
    const Layout landscape = parseLayout(
        R"({"page":{"size":"a4","orientation":"landscape","margins":{"left":0,"top":100,"right":0,"bottom":100}},
            "bands":[{"name":"A","height":10}]})",
        QStringLiteral("x"));
    EXPECT_EQ(landscape.page.size(), QSize(11693, 8268));
    EXPECT_EQ(landscape.pageBodyHeight(), 8268 - 200);

    const Layout custom = parseLayout(R"({"page":{"width":9500,"height":11000},"bands":[{"name":"A","height":10}]})",
                                      QStringLiteral("x"));
    EXPECT_EQ(custom.page.size(), QSize(9500, 11000));
    EXPECT_EQ(custom.page.paper, QStringLiteral("custom"));
}

TEST_F(LayoutFolder, RunTimeChangesAddressElementsById)
{
    setLayoutFolder(testLayouts());
    Layout layout = loadLayout(QStringLiteral("ReportSample"));

    layout.setVisible(QStringLiteral("DATA"), false);
    layout.move(QStringLiteral("PRN_NUMER"), 80, 5);
    layout.setWidth(QStringLiteral("PRN_NAZWA"), 2000);
    layout.setFontSize(QStringLiteral("BO_WN"), 7);
    layout.setWeight(QStringLiteral("BO_WN"), 700);
    EXPECT_FALSE(layout.element(QStringLiteral("DATA")).visible);
    EXPECT_EQ(layout.element(QStringLiteral("PRN_NUMER")).x, 80);
    EXPECT_EQ(layout.element(QStringLiteral("PRN_NUMER")).y, 5);
    EXPECT_EQ(layout.element(QStringLiteral("PRN_NAZWA")).width, 2000);
    EXPECT_EQ(layout.element(QStringLiteral("BO_WN")).font.size, 7.0);
    EXPECT_EQ(layout.element(QStringLiteral("BO_WN")).font.weight, 700);
    EXPECT_THROW(layout.setVisible(QStringLiteral("NIE_MA"), false), ReportError);

    // Columns built at run time: clones get their own id and field name and can be removed.
    for (int k = 2; k <= 20; ++k)
        layout.cloneElement(QStringLiteral("BO_WN"), QStringLiteral("KOL%1").arg(k), (k - 1) * 300);
    const Element& last = layout.element(QStringLiteral("KOL20"));
    EXPECT_EQ(last.field, QStringLiteral("KOL20"));
    EXPECT_EQ(last.x, 4000 + 19 * 300);
    EXPECT_EQ(last.picture, QStringLiteral("@N-19_`2"));
    EXPECT_EQ(layout.band(QStringLiteral("POZYCJE")).elements.size(), 4 + 19);
    EXPECT_THROW(layout.cloneElement(QStringLiteral("BO_WN"), QStringLiteral("KOL2"), 0), ReportError);
    EXPECT_TRUE(layout.removeElement(QStringLiteral("KOL2")));
    EXPECT_FALSE(layout.removeElement(QStringLiteral("KOL2")));
    // Removing shifts the band's elements: the index must still find the ones after it.
    EXPECT_EQ(layout.element(QStringLiteral("KOL20")).x, 4000 + 19 * 300);

    layout.removeShading();
    EXPECT_EQ(layout.element(QStringLiteral("NS_RAMKA")).shade, 0);
    EXPECT_TRUE(layout.element(QStringLiteral("NS_RAMKA")).visible); // keeps its frame
    EXPECT_FALSE(layout.element(QStringLiteral("NS_TLO")).visible);  // a grey background only
}

TEST_F(LayoutFolder, EveryCompiledInLayoutLoads)
{
    // Without a folder the layouts come from the resources; each must be readable, so that a
    // broken layout fails here and not when a user prints.
    setLayoutFolder({});
    const QStringList files = QDir(QStringLiteral(":/layouts")).entryList({QStringLiteral("*.json")}, QDir::Files);
    const QStringList sources = QDir(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts")).entryList({QStringLiteral("*.json")}, QDir::Files);
    EXPECT_EQ(files, sources);
    for (const QString& file : files) {
        const QString procedure = file.chopped(5);
        try {
            EXPECT_GT(loadLayout(procedure).bands().size(), 0);
        } catch (const ReportError& e) {
            ADD_FAILURE() << e.message().toStdString();
        }
    }
}

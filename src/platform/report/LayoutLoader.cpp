#include "platform/report/LayoutLoader.h"

#include "platform/Picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSet>

namespace pravik::report {

namespace {

// Thrown inside the parser with the place of the fault; turned into a ReportError naming the file.
struct Fault {
    QString where;
    QString what;
};

class Reader {
public:
    Reader(const QJsonObject& object, QString where) : m_object(object), m_where(std::move(where)) {}

    // Keys the format does not know are reported: a misspelt key would otherwise be a silent
    // layout fault. Keys starting with "_" are notes for the layout's author.
    void allowOnly(std::initializer_list<const char*> keys) const
    {
        QSet<QString> known;
        for (const char* k : keys)
            known.insert(QString::fromLatin1(k));
        for (auto it = m_object.begin(); it != m_object.end(); ++it)
            if (!known.contains(it.key()) && !it.key().startsWith(u'_'))
                fail(QStringLiteral("nieznany klucz \"%1\"").arg(it.key()));
    }

    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }

    QString string(const char* key, const QString& fallback = {}, bool required = false) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined()) {
            if (required)
                missing(key);
            return fallback;
        }
        if (!v.isString())
            fail(QStringLiteral("\"%1\" musi być tekstem").arg(QLatin1String(key)));
        return v.toString();
    }

    Units units(const char* key, Units fallback = 0, bool required = false) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined()) {
            if (required)
                missing(key);
            return fallback;
        }
        const double d = v.toDouble(-1e18);
        if (!v.isDouble() || d != double(qint64(d)) || d < -1e6 || d > 1e6)
            fail(QStringLiteral("\"%1\" musi być liczbą całkowitą (tysięczne cala)").arg(QLatin1String(key)));
        return Units(d);
    }

    double number(const char* key, double fallback) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return fallback;
        if (!v.isDouble())
            fail(QStringLiteral("\"%1\" musi być liczbą").arg(QLatin1String(key)));
        return v.toDouble();
    }

    bool boolean(const char* key, bool fallback) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            fail(QStringLiteral("\"%1\" musi być true albo false").arg(QLatin1String(key)));
        return v.toBool();
    }

    QJsonObject object(const char* key) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isObject())
            fail(QStringLiteral("\"%1\" musi być obiektem").arg(QLatin1String(key)));
        return v.toObject();
    }

    QJsonArray array(const char* key) const
    {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            fail(QStringLiteral("\"%1\" musi być listą").arg(QLatin1String(key)));
        return v.toArray();
    }

    [[noreturn]] void fail(const QString& what) const { throw Fault{m_where, what}; }
    [[noreturn]] void missing(const char* key) const
    {
        fail(QStringLiteral("brak klucza \"%1\"").arg(QLatin1String(key)));
    }
    const QString& where() const { return m_where; }

private:
    QJsonObject m_object;
    QString m_where;
};

FontSpec readFont(const QJsonObject& object, const QString& where, const FontSpec& base)
{
    Reader r(object, where + QStringLiteral(", czcionka"));
    r.allowOnly({"family", "size", "weight", "bold", "italic"});
    FontSpec font = base;
    font.family = r.string("family", base.family);
    font.size = r.number("size", base.size);
    if (font.size <= 0 || font.size > 200)
        r.fail(QStringLiteral("rozmiar czcionki poza zakresem"));
    if (r.has("weight") && r.has("bold"))
        r.fail(QStringLiteral("podaj \"weight\" albo \"bold\", nie oba"));
    font.weight = int(r.number("weight", base.weight));
    if (r.has("bold"))
        font.weight = r.boolean("bold", false) ? 700 : 400;
    if (font.weight < 100 || font.weight > 900)
        r.fail(QStringLiteral("grubość czcionki poza zakresem 100-900"));
    font.italic = r.boolean("italic", base.italic);
    return font;
}

PageSetup readPage(const QJsonObject& object)
{
    Reader r(object, QStringLiteral("strona"));
    r.allowOnly({"size", "width", "height", "orientation", "margins"});
    PageSetup page;
    if (r.has("width") || r.has("height")) {
        if (r.has("size"))
            r.fail(QStringLiteral("podaj \"size\" albo \"width\" i \"height\", nie oba"));
        page.paper = QStringLiteral("custom");
        page.paperWidth = r.units("width", 0, true);
        page.paperHeight = r.units("height", 0, true);
        if (page.paperWidth <= 0 || page.paperHeight <= 0)
            r.fail(QStringLiteral("wymiary strony muszą być dodatnie"));
    } else {
        page.paper = r.string("size", QStringLiteral("A4"));
        const QSize size = namedPaperSize(page.paper);
        if (size.isEmpty())
            r.fail(QStringLiteral("nieznany format papieru \"%1\"").arg(page.paper));
        page.paperWidth = size.width();
        page.paperHeight = size.height();
    }
    const QString orientation = r.string("orientation", QStringLiteral("portrait"));
    if (orientation == u"portrait")
        page.orientation = Orientation::Portrait;
    else if (orientation == u"landscape")
        page.orientation = Orientation::Landscape;
    else
        r.fail(QStringLiteral("\"orientation\" musi być portrait albo landscape"));

    Reader m(r.object("margins"), QStringLiteral("marginesy"));
    m.allowOnly({"left", "top", "right", "bottom"});
    page.margins = {m.units("left", 250), m.units("top", 250), m.units("right", 250), m.units("bottom", 250)};
    const QSize size = page.size();
    if (page.margins.left < 0 || page.margins.top < 0 || page.margins.right < 0 || page.margins.bottom < 0
        || page.margins.left + page.margins.right >= size.width()
        || page.margins.top + page.margins.bottom >= size.height())
        m.fail(QStringLiteral("marginesy nie mieszczą się na stronie"));
    return page;
}

HAlign readAlign(const Reader& r)
{
    const QString align = r.string("align", QStringLiteral("left"));
    if (align == u"left")
        return HAlign::Left;
    if (align == u"center")
        return HAlign::Center;
    if (align == u"right")
        return HAlign::Right;
    r.fail(QStringLiteral("\"align\" musi być left, center albo right"));
}

Element readElement(const QJsonObject& object, const QString& where, const FontSpec& bandFont)
{
    Reader r(object, where);
    Element e;
    const QString type = r.string("type", {}, true);
    if (type == u"text") {
        e.kind = ElementKind::Text;
        r.allowOnly({"type", "id", "x", "y", "width", "height", "text", "align", "font", "wrap", "visible", "columns"});
    } else if (type == u"field") {
        e.kind = ElementKind::Field;
        r.allowOnly({"type", "id", "field", "x", "y", "width", "height", "picture", "align", "font", "wrap",
                     "visible", "columns"});
    } else if (type == u"rule") {
        e.kind = ElementKind::Rule;
        r.allowOnly({"type", "id", "x", "y", "width", "height", "vertical", "thickness", "visible", "columns"});
    } else if (type == u"box") {
        e.kind = ElementKind::Box;
        r.allowOnly({"type", "id", "x", "y", "width", "height", "thickness", "shade", "visible"});
    } else {
        r.fail(QStringLiteral("nieznany rodzaj elementu \"%1\" (text, field, rule, box)").arg(type));
    }

    e.id = r.string("id", {}, e.kind == ElementKind::Field);
    e.x = r.units("x", 0);
    e.y = r.units("y", 0);
    e.visible = r.boolean("visible", true);
    if (e.kind == ElementKind::Rule) {
        e.vertical = r.boolean("vertical", false);
        e.width = r.units("width", 0, !e.vertical);
        e.height = r.units("height", 0, e.vertical);
        e.thickness = r.units("thickness", 10);
        if (e.thickness <= 0)
            r.fail(QStringLiteral("grubość linii musi być dodatnia"));
    } else {
        e.width = r.units("width", 0, true);
        e.height = r.units("height", 0, true);
    }
    if (e.width < 0 || e.height < 0)
        r.fail(QStringLiteral("wymiary elementu nie mogą być ujemne"));

    if (e.isTextLike()) {
        e.text = r.string("text");
        e.field = r.string("field", e.id);
        e.picture = r.string("picture");
        if (!e.picture.isEmpty() && !Picture::parse(e.picture))
            r.fail(QStringLiteral("nieznany format wydruku \"%1\"").arg(e.picture));
        e.align = readAlign(r);
        e.font = readFont(r.object("font"), where, bandFont);
        e.wrap = r.boolean("wrap", false);
    }
    if (e.kind == ElementKind::Box) {
        e.thickness = r.units("thickness", 10);
        e.shade = int(r.number("shade", 0));
        if (e.thickness < 0 || e.shade < 0 || e.shade > 100)
            r.fail(QStringLiteral("\"thickness\" nie może być ujemna, \"shade\" to procent 0-100"));
    }
    if (r.has("columns")) {
        Reader c(r.object("columns"), where + QStringLiteral(", kolumny tekstowe"));
        c.allowOnly({"column", "width"});
        e.columns.column = c.units("column", 0, true);
        e.columns.width = c.units("width", 0, true);
        if (e.columns.column < 0 || e.columns.width <= 0)
            c.fail(QStringLiteral("kolumna od 0, szerokość dodatnia"));
    }
    return e;
}

Band readBand(const QJsonObject& object, int index, const FontSpec& layoutFont)
{
    Reader r(object, QStringLiteral("pasmo %1").arg(index + 1));
    r.allowOnly({"name", "kind", "height", "pageBreak", "font", "elements"});
    Band band;
    band.name = r.string("name", {}, true);
    const Reader named(object, QStringLiteral("pasmo %1").arg(band.name));
    const QString kind = named.string("kind", QStringLiteral("detail"));
    if (kind == u"detail")
        band.kind = BandKind::Detail;
    else if (kind == u"pageHeader")
        band.kind = BandKind::PageHeader;
    else if (kind == u"pageFooter")
        band.kind = BandKind::PageFooter;
    else
        named.fail(QStringLiteral("\"kind\" musi być detail, pageHeader albo pageFooter"));
    band.height = named.units("height", 0, true);
    if (band.height < 0)
        named.fail(QStringLiteral("wysokość pasma nie może być ujemna"));
    const QString pageBreak = named.string("pageBreak", QStringLiteral("none"));
    if (pageBreak == u"none")
        band.pageBreak = PageBreak::None;
    else if (pageBreak == u"before")
        band.pageBreak = PageBreak::Before;
    else if (pageBreak == u"after")
        band.pageBreak = PageBreak::After;
    else
        named.fail(QStringLiteral("\"pageBreak\" musi być none, before albo after"));
    if (band.kind != BandKind::Detail && band.pageBreak != PageBreak::None)
        named.fail(QStringLiteral("nagłówek i stopka strony nie łamią strony"));

    const FontSpec bandFont = readFont(named.object("font"), named.where(), layoutFont);
    const QJsonArray elements = named.array("elements");
    for (int i = 0; i < elements.size(); ++i) {
        const QString where = named.where() + QStringLiteral(", element %1").arg(i + 1);
        if (!elements[i].isObject())
            throw Fault{where, QStringLiteral("element musi być obiektem")};
        band.elements.append(readElement(elements[i].toObject(), where, bandFont));
    }
    return band;
}

QString g_folder;
QMutex g_folderMutex;

} // namespace

Layout parseLayout(const QByteArray& json, const QString& source)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        // The line makes the fault findable in a hand-edited file.
        const int line = int(json.left(error.offset).count('\n')) + 1;
        throw ReportError(QStringLiteral("Błędny układ wydruku %1: wiersz %2: %3")
                              .arg(source)
                              .arg(line)
                              .arg(error.errorString()));
    }
    if (!doc.isObject())
        throw ReportError(QStringLiteral("Błędny układ wydruku %1: oczekiwano obiektu JSON.").arg(source));

    Layout layout;
    try {
        const Reader r(doc.object(), QStringLiteral("układ"));
        r.allowOnly({"name", "page", "font", "bands"});
        layout.name = r.string("name", QFileInfo(source).completeBaseName());
        layout.page = readPage(r.object("page"));
        layout.defaultFont = readFont(r.object("font"), r.where(), FontSpec{});
        const QJsonArray bands = r.array("bands");
        if (bands.isEmpty())
            r.fail(QStringLiteral("układ nie ma pasm"));
        for (int i = 0; i < bands.size(); ++i) {
            if (!bands[i].isObject())
                throw Fault{QStringLiteral("pasmo %1").arg(i + 1), QStringLiteral("pasmo musi być obiektem")};
            layout.addBand(readBand(bands[i].toObject(), i, layout.defaultFont));
        }
    } catch (const Fault& fault) {
        throw ReportError(QStringLiteral("Błędny układ wydruku %1: %2: %3.").arg(source, fault.where, fault.what));
    } catch (const ReportError& e) {
        throw ReportError(QStringLiteral("Błędny układ wydruku %1: %2").arg(source, e.message()));
    }
    if (layout.pageBodyHeight() <= 0)
        throw ReportError(QStringLiteral("Błędny układ wydruku %1: nagłówek i stopka nie zostawiają miejsca na treść strony.")
                              .arg(source));
    return layout;
}

Layout loadLayoutFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Nie można odczytać układu wydruku %1: %2").arg(path, file.errorString()));
    return parseLayout(file.readAll(), path);
}

Layout loadLayout(const QString& procedure)
{
    const QString fileName = procedure + QStringLiteral(".json");
    const QString folder = layoutFolder();
    if (!folder.isEmpty()) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo::exists(path))
            return loadLayoutFile(path);
    }
    const QString resource = QStringLiteral(":/layouts/") + fileName;
    if (!QFileInfo::exists(resource))
        throw ReportError(QStringLiteral("Brak układu wydruku %1.").arg(procedure));
    return loadLayoutFile(resource);
}

void setLayoutFolder(const QString& folder)
{
    QMutexLocker lock(&g_folderMutex);
    g_folder = folder;
}

QString layoutFolder()
{
    QMutexLocker lock(&g_folderMutex);
    return g_folder;
}

} // namespace pravik::report

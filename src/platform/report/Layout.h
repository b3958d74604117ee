#pragma once
// A report layout: the page, the default font and the named bands with their elements, all in
// report units (thousandths of an inch). A layout is loaded once per run (LayoutLoader.h) and the
// report then changes it as its options say: hides fields, moves them, makes them bold, builds
// amount columns. Those changes are made on the run's own copy, never on a shared one.
#include "platform/report/ReportError.h"

#include <QHash>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

namespace pravik::report {

using Units = qint32;
constexpr Units kUnitsPerInch = 1000;

enum class Orientation { Portrait, Landscape };

struct Margins {
    Units left = 0;
    Units top = 0;
    Units right = 0;
    Units bottom = 0;
    friend bool operator==(const Margins&, const Margins&) = default;
};

struct PageSetup {
    QString paper = QStringLiteral("A4"); // a named size, or "custom"
    Units paperWidth = 8268;               // of the sheet held upright
    Units paperHeight = 11693;
    Orientation orientation = Orientation::Portrait;
    Margins margins;

    // The sheet as printed: width and height swapped in landscape.
    QSize size() const;
    friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

// Upright size of a named paper ("A4", "A3", "A5", "Letter", "Legal"; any case); empty if unknown.
QSize namedPaperSize(const QString& name);

struct FontSpec {
    QString family = QStringLiteral("DejaVu Sans");
    double size = 8.0;  // points
    int weight = 400;   // 400 regular, 700 bold
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};
size_t qHash(const FontSpec& font, size_t seed = 0);

enum class ElementKind { Text, Field, Rule, Box };
enum class HAlign { Left, Center, Right };

// Where the element goes when the band is converted for a character printer: the first column
// (0-based) and the width in characters. Unset when the element is not printed there.
struct TextColumns {
    int column = -1;
    int width = 0;
    bool isSet() const { return column >= 0; }
    friend bool operator==(const TextColumns&, const TextColumns&) = default;
};

struct Element {
    ElementKind kind = ElementKind::Text;
    QString id;       // unique in the layout; how the report addresses the element
    QString field;    // fields: the value name filled at print time (the id unless given)
    Units x = 0;      // within the band
    Units y = 0;
    Units width = 0;
    Units height = 0;
    QString text;     // static text; "{page}" and "{pages}" stand for the page number and count
    QString picture;  // fields: display picture ("@N-19_`2", "@D6-", "@s30"); empty prints as is
    HAlign align = HAlign::Left;
    FontSpec font;
    bool wrap = false;     // text: wrap at word boundaries within the height, else clip at width
    bool visible = true;
    bool vertical = false; // rules: a vertical line of the element's height, else horizontal
    Units thickness = 10;  // rules and box borders; 0 draws no border
    int shade = 0;         // boxes: grey fill, percent of black (0 = none)
    TextColumns columns;

    bool isTextLike() const { return kind == ElementKind::Text || kind == ElementKind::Field; }
};

enum class BandKind { Detail, PageHeader, PageFooter };
enum class PageBreak { None, Before, After };

struct Band {
    QString name;
    BandKind kind = BandKind::Detail;
    Units height = 0;
    PageBreak pageBreak = PageBreak::None;
    QList<Element> elements;
};

class Layout {
public:
    QString name;
    PageSetup page;
    FontSpec defaultFont;

    const QList<Band>& bands() const { return m_bands; }
    // Appends a band; throws ReportError when the name is taken or an element id is repeated.
    void addBand(Band band);

    const Band* findBand(const QString& name) const;
    // Throws ReportError naming the layout and the band when there is no such band.
    const Band& band(const QString& name) const;
    int bandIndex(const QString& name) const; // -1 when missing

    Element* findElement(const QString& id);
    const Element* findElement(const QString& id) const;
    // Throws ReportError naming the layout and the element when there is no such element.
    Element& element(const QString& id);
    const Element& element(const QString& id) const;

    // Height left for detail bands on a page: the sheet less margins, page headers and footers.
    Units pageBodyHeight() const;

    // ---- changes a report makes at run time ----
    void setVisible(const QString& id, bool visible);
    void move(const QString& id, Units x, Units y);
    void setWidth(const QString& id, Units width);
    void setText(const QString& id, const QString& text);
    void setPicture(const QString& id, const QString& picture);
    void setFontSize(const QString& id, double points);
    void setWeight(const QString& id, int weight);
    void setBandHeight(const QString& band, Units height);
    // Every shaded box becomes white; a box that was only a grey background disappears.
    void removeShading();
    // Visits every element of every band (report-wide options: font size, zero hiding).
    void forEachElement(const std::function<void(Band&, Element&)>& visit);

    // References returned below stay valid until the next element is added or removed.
    // Adds an element to a band; throws when the id is taken.
    Element& addElement(const QString& band, Element element);
    // A copy of an element in the same band under a new id (field name too, when the source's
    // field name was its id), shifted by dx, dy. Throws when the id is taken.
    Element& cloneElement(const QString& id, const QString& newId, Units dx, Units dy = 0);
    // Removes an element; false when there was none.
    bool removeElement(const QString& id);

private:
    struct Where {
        int band = -1;
        int element = -1;
    };
    void reindex();
    [[noreturn]] void missingElement(const QString& id) const;

    QList<Band> m_bands;
    QHash<QString, int> m_bandIndex;
    QHash<QString, Where> m_elementIndex;
};

} // namespace pravik::report

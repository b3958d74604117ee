#include "platform/report/Layout.h"

#include <QHashFunctions>

namespace pravik::report {

QSize PageSetup::size() const
{
    return orientation == Orientation::Landscape ? QSize(paperHeight, paperWidth)
                                                 : QSize(paperWidth, paperHeight);
}

QSize namedPaperSize(const QString& name)
{
    const QString key = name.trimmed().toLower();
    if (key == u"a4")
        return {8268, 11693};
    if (key == u"a3")
        return {11693, 16535};
    if (key == u"a5")
        return {5827, 8268};
    if (key == u"letter")
        return {8500, 11000};
    if (key == u"legal")
        return {8500, 14000};
    return {};
}

size_t qHash(const FontSpec& font, size_t seed)
{
    return qHashMulti(seed, font.family, qRound(font.size * 100), font.weight, font.italic);
}

void Layout::addBand(Band band)
{
    if (m_bandIndex.contains(band.name))
        throw ReportError(QStringLiteral("Układ wydruku %1: pasmo %2 występuje dwa razy.").arg(name, band.name));
    QHash<QString, Where> ids = m_elementIndex;
    for (const Element& e : band.elements) {
        if (e.id.isEmpty())
            continue;
        if (ids.contains(e.id))
            throw ReportError(QStringLiteral("Układ wydruku %1: element %2 występuje dwa razy.").arg(name, e.id));
        ids.insert(e.id, {});
    }
    for (Element& e : band.elements)
        if (e.kind == ElementKind::Field && e.field.isEmpty())
            e.field = e.id;
    m_bands.append(std::move(band));
    reindex();
}

const Band* Layout::findBand(const QString& bandName) const
{
    const int i = bandIndex(bandName);
    return i < 0 ? nullptr : &m_bands[i];
}

const Band& Layout::band(const QString& bandName) const
{
    if (const Band* b = findBand(bandName))
        return *b;
    throw ReportError(QStringLiteral("Układ wydruku %1 nie ma pasma %2.").arg(name, bandName));
}

int Layout::bandIndex(const QString& bandName) const
{
    return m_bandIndex.value(bandName, -1);
}

Element* Layout::findElement(const QString& id)
{
    const auto it = m_elementIndex.constFind(id);
    if (it == m_elementIndex.constEnd())
        return nullptr;
    return &m_bands[it->band].elements[it->element];
}

const Element* Layout::findElement(const QString& id) const
{
    return const_cast<Layout*>(this)->findElement(id);
}

Element& Layout::element(const QString& id)
{
    if (Element* e = findElement(id))
        return *e;
    missingElement(id);
}

const Element& Layout::element(const QString& id) const
{
    if (const Element* e = findElement(id))
        return *e;
    missingElement(id);
}

void Layout::missingElement(const QString& id) const
{
    throw ReportError(QStringLiteral("Układ wydruku %1 nie ma elementu %2.").arg(name, id));
}

Units Layout::pageBodyHeight() const
{
    Units body = page.size().height() - page.margins.top - page.margins.bottom;
    for (const Band& b : m_bands)
        if (b.kind != BandKind::Detail)
            body -= b.height;
    return qMax<Units>(body, 0);
}

void Layout::setVisible(const QString& id, bool visible) { element(id).visible = visible; }

void Layout::move(const QString& id, Units x, Units y)
{
    Element& e = element(id);
    e.x = x;
    e.y = y;
}

void Layout::setWidth(const QString& id, Units width) { element(id).width = qMax<Units>(width, 0); }
void Layout::setText(const QString& id, const QString& text) { element(id).text = text; }
void Layout::setPicture(const QString& id, const QString& picture) { element(id).picture = picture; }
void Layout::setFontSize(const QString& id, double points) { element(id).font.size = points; }
void Layout::setWeight(const QString& id, int weight) { element(id).font.weight = weight; }

void Layout::setBandHeight(const QString& bandName, Units height)
{
    const int i = bandIndex(bandName);
    if (i < 0)
        band(bandName); // throws with the message
    m_bands[i].height = qMax<Units>(height, 0);
}

void Layout::removeShading()
{
    for (Band& b : m_bands)
        for (Element& e : b.elements)
            if (e.kind == ElementKind::Box && e.shade > 0) {
                e.shade = 0;
                if (e.thickness <= 0)
                    e.visible = false;
            }
}

void Layout::forEachElement(const std::function<void(Band&, Element&)>& visit)
{
    for (Band& b : m_bands)
        for (Element& e : b.elements)
            visit(b, e);
}

Element& Layout::addElement(const QString& bandName, Element e)
{
    const int i = bandIndex(bandName);
    if (i < 0)
        band(bandName);
    if (!e.id.isEmpty() && m_elementIndex.contains(e.id))
        throw ReportError(QStringLiteral("Układ wydruku %1: element %2 już istnieje.").arg(name, e.id));
    if (e.kind == ElementKind::Field && e.field.isEmpty())
        e.field = e.id;
    m_bands[i].elements.append(std::move(e));
    if (!m_bands[i].elements.last().id.isEmpty())
        m_elementIndex.insert(m_bands[i].elements.last().id, {i, int(m_bands[i].elements.size() - 1)});
    return m_bands[i].elements.last();
}

Element& Layout::cloneElement(const QString& id, const QString& newId, Units dx, Units dy)
{
    const Where at = m_elementIndex.value(id);
    if (at.band < 0)
        missingElement(id);
    Element copy = m_bands[at.band].elements[at.element];
    if (copy.field == copy.id)
        copy.field = newId;
    copy.id = newId;
    copy.x += dx;
    copy.y += dy;
    return addElement(m_bands[at.band].name, std::move(copy));
}

bool Layout::removeElement(const QString& id)
{
    const auto it = m_elementIndex.constFind(id);
    if (it == m_elementIndex.constEnd())
        return false;
    m_bands[it->band].elements.removeAt(it->element);
    reindex();
    return true;
}

void Layout::reindex()
{
    m_bandIndex.clear();
    m_elementIndex.clear();
    for (int b = 0; b < m_bands.size(); ++b) {
        m_bandIndex.insert(m_bands[b].name, b);
        const QList<Element>& elements = m_bands[b].elements;
        for (int e = 0; e < elements.size(); ++e)
            if (!elements[e].id.isEmpty())
                m_elementIndex.insert(elements[e].id, {b, e});
    }
}

} // namespace pravik::report

#include "platform/report/FastPdfFace.h"

#include <QCryptographicHash>
#include <QMap>

#include <cmath>

namespace pravik::report {

namespace {

quint16 u16(const QByteArray& data, qsizetype at)
{
    if (at < 0 || at + 2 > data.size())
        return 0;
    return quint16((quint8(data[at]) << 8) | quint8(data[at + 1]));
}

qint16 s16(const QByteArray& data, qsizetype at)
{
    return qint16(u16(data, at));
}

quint32 u32(const QByteArray& data, qsizetype at)
{
    return (quint32(u16(data, at)) << 16) | u16(data, at + 2);
}

void put16(QByteArray& data, qsizetype at, quint16 value)
{
    data[at] = char(value >> 8);
    data[at + 1] = char(value);
}

void put32(QByteArray& data, qsizetype at, quint32 value)
{
    put16(data, at, quint16(value >> 16));
    put16(data, at + 2, quint16(value));
}

void append32(QByteArray& data, quint32 value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    data.append(bytes, 4);
}

quint32 checksum(const QByteArray& data)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < data.size(); i += 4) {
        quint32 word = 0;
        for (int b = 0; b < 4; ++b)
            word = (word << 8) | (i + b < data.size() ? quint8(data[i + b]) : 0);
        sum += word;
    }
    return sum;
}

void appendHex4(QByteArray& out, quint32 value)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(digits[(value >> shift) & 0xF]);
}

QByteArray number(double value)
{
    return QByteArray::number(std::round(value * 100) / 100, 'g', 10);
}

// Glyphs a composite glyph is built from.
void appendComponents(const QByteArray& glyph, std::vector<quint32>& out)
{
    if (glyph.size() < 10 || s16(glyph, 0) >= 0)
        return;
    constexpr quint16 argsAreWords = 0x0001, haveScale = 0x0008, moreComponents = 0x0020,
                      haveXYScale = 0x0040, haveTwoByTwo = 0x0080;
    qsizetype at = 10;
    quint16 flags = 0;
    do {
        if (at + 4 > glyph.size())
            return;
        flags = u16(glyph, at);
        out.push_back(u16(glyph, at + 2));
        at += 4 + ((flags & argsAreWords) ? 4 : 2);
        if (flags & haveScale)
            at += 2;
        else if (flags & haveXYScale)
            at += 4;
        else if (flags & haveTwoByTwo)
            at += 8;
    } while (flags & moreComponents);
}

// The PostScript name from the naming table (name 6), if it has one.
QByteArray postScriptName(const QByteArray& names)
{
    const int count = u16(names, 2);
    const int strings = u16(names, 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + qsizetype(i) * 12;
        const quint16 platform = u16(names, record);
        if (u16(names, record + 6) != 6)
            continue;
        const int length = u16(names, record + 8);
        const qsizetype at = strings + u16(names, record + 10);
        if (at + length > names.size())
            continue;
        QByteArray name;
        if (platform == 1) {
            name = names.mid(at, length);
        } else if (platform == 3 || platform == 0) {
            for (int c = 0; c + 1 < length; c += 2)
                name.append(char(u16(names, at + c) & 0x7F));
        }
        QByteArray clean;
        for (char c : name)
            if (c > 32 && c < 127 && !QByteArray("[](){}<>/%#").contains(c))
                clean.append(c);
        if (!clean.isEmpty())
            return clean;
    }
    return {};
}

} // namespace

FastPdfFace::FastPdfFace(const QRawFont& face) : m_face(face)
{
    const QByteArray head = table("head");
    const QByteArray hhea = table("hhea");
    const QByteArray hmtx = table("hmtx");
    const QByteArray maxp = table("maxp");
    m_embeddable = head.size() >= 54 && hhea.size() >= 36 && !hmtx.isEmpty() && maxp.size() >= 6
        && !table("loca").isEmpty() && !table("glyf").isEmpty();
    if (!m_embeddable)
        return;
    m_unitsPerEm = qMax<int>(16, u16(head, 18));
    const int glyphs = u16(maxp, 4);
    const int metrics = qMax<int>(1, u16(hhea, 34));
    m_widths.resize(glyphs);
    m_used.assign(glyphs, false);
    m_unicode.assign(glyphs, 0);
    for (int g = 0; g < glyphs; ++g) {
        const int advance = u16(hmtx, qsizetype(qMin(g, metrics - 1)) * 4);
        m_widths[g] = std::round(advance * 100000.0 / m_unitsPerEm) / 100;
    }
    const QChar space(u' ');
    quint32 index = 0;
    int found = 1;
    if (m_face.glyphIndexesForChars(&space, 1, &index, &found) && found == 1)
        m_spaceGlyph = index;
    if (glyphs > 0)
        m_used[0] = true; // .notdef is always part of a TrueType font
}

QString FastPdfFace::key(const QRawFont& face)
{
    return face.familyName() + u'|' + face.styleName() + u'|' + QString::number(face.weight()) + u'|'
        + QString::number(int(face.style()));
}

QByteArray FastPdfFace::table(const char* tag) const
{
    return m_face.fontTable(tag);
}

QByteArray FastPdfFace::baseFontName() const
{
    QByteArray name = postScriptName(table("name"));
    if (name.isEmpty())
        name = QString(m_face.familyName() + u'-' + m_face.styleName()).remove(u' ').toLatin1();
    // A subset is tagged with six capitals derived from the glyphs it holds.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (size_t g = 0; g < m_used.size(); ++g)
        if (m_used[g])
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(&g), sizeof g));
    hash.addData(name);
    const QByteArray digest = hash.result();
    QByteArray tag;
    for (int i = 0; i < 6; ++i)
        tag.append(char('A' + quint8(digest[i]) % 26));
    return tag + '+' + name;
}

QByteArray FastPdfFace::descriptorEntries() const
{
    const QByteArray head = table("head");
    const QByteArray hhea = table("hhea");
    const QByteArray os2 = table("OS/2");
    const QByteArray post = table("post");
    const double scale = 1000.0 / m_unitsPerEm;
    const double ascent = s16(hhea, 4) * scale;
    const double descent = s16(hhea, 6) * scale;
    // Cap height is in the OS/2 table from its version 2 on.
    const double capHeight = (os2.size() >= 90 && u16(os2, 0) >= 2) ? s16(os2, 88) * scale : ascent;
    const double italicAngle = post.size() >= 8 ? qint32(u32(post, 4)) / 65536.0 : 0.0;
    int flags = 4; // symbolic: glyphs are chosen by index, not through a standard encoding
    if (italicAngle != 0 || m_face.style() != QFont::StyleNormal)
        flags |= 64;
    QByteArray out;
    out += "/Flags " + QByteArray::number(flags);
    out += " /FontBBox [" + number(s16(head, 36) * scale) + ' ' + number(s16(head, 38) * scale) + ' '
        + number(s16(head, 40) * scale) + ' ' + number(s16(head, 42) * scale) + ']';
    out += " /ItalicAngle " + number(italicAngle);
    out += " /Ascent " + number(ascent) + " /Descent " + number(descent);
    out += " /CapHeight " + number(capHeight);
    out += " /StemV " + QByteArray::number(m_face.weight() >= QFont::DemiBold ? 120 : 80);
    return out;
}

QByteArray FastPdfFace::widthsArray() const
{
    QByteArray out = "[";
    size_t g = 0;
    while (g < m_used.size()) {
        if (!m_used[g]) {
            ++g;
            continue;
        }
        out += QByteArray::number(qulonglong(g)) + " [";
        for (bool first = true; g < m_used.size() && m_used[g]; ++g, first = false) {
            if (!first)
                out += ' ';
            out += number(m_widths[g]);
        }
        out += "] ";
    }
    out += ']';
    return out;
}

QByteArray FastPdfFace::toUnicodeCMap() const
{
    QList<quint32> mapped;
    for (size_t g = 0; g < m_unicode.size(); ++g)
        if (m_used[g] && m_unicode[g] != 0)
            mapped.append(quint32(g));
    QByteArray out =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    // At most 100 entries to a block.
    for (qsizetype first = 0; first < mapped.size(); first += 100) {
        const qsizetype count = qMin<qsizetype>(100, mapped.size() - first);
        out += QByteArray::number(count) + " beginbfchar\n";
        for (qsizetype i = first; i < first + count; ++i) {
            out += '<';
            appendHex4(out, mapped[i]);
            out += "> <";
            const char32_t ucs = m_unicode[mapped[i]];
            if (QChar::requiresSurrogates(ucs)) {
                appendHex4(out, QChar::highSurrogate(ucs));
                appendHex4(out, QChar::lowSurrogate(ucs));
            } else {
                appendHex4(out, ucs);
            }
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

QByteArray FastPdfFace::subsetFontFile() const
{
    QByteArray head = table("head");
    const QByteArray loca = table("loca");
    const QByteArray glyf = table("glyf");
    const bool longOffsets = s16(head, 50) != 0;
    const auto glyphRange = [&](quint32 g, qsizetype& begin, qsizetype& end) {
        if (longOffsets) {
            begin = u32(loca, qsizetype(g) * 4);
            end = u32(loca, qsizetype(g + 1) * 4);
        } else {
            begin = qsizetype(u16(loca, qsizetype(g) * 2)) * 2;
            end = qsizetype(u16(loca, qsizetype(g + 1) * 2)) * 2;
        }
        end = qMin(end, glyf.size());
        begin = qMin(begin, end);
    };

    // The glyphs used and every glyph a used composite is made of.
    std::vector<bool> keep = m_used;
    std::vector<quint32> pending;
    for (size_t g = 0; g < keep.size(); ++g)
        if (keep[g])
            pending.push_back(quint32(g));
    while (!pending.empty()) {
        const quint32 g = pending.back();
        pending.pop_back();
        qsizetype begin = 0, end = 0;
        glyphRange(g, begin, end);
        std::vector<quint32> parts;
        appendComponents(glyf.mid(begin, end - begin), parts);
        for (quint32 part : parts)
            if (part < keep.size() && !keep[part]) {
                keep[part] = true;
                pending.push_back(part);
            }
    }

    // Glyphs past the last one kept are cut off: the font ends there, and its glyph count, the
    // location table and the metrics with it.
    size_t count = keep.size();
    while (count > 1 && !keep[count - 1])
        --count;
    QByteArray newGlyf;
    QByteArray newLoca;
    newLoca.reserve(qsizetype(count + 1) * 4);
    for (size_t g = 0; g < count; ++g) {
        append32(newLoca, quint32(newGlyf.size()));
        if (!keep[g])
            continue;
        qsizetype begin = 0, end = 0;
        glyphRange(quint32(g), begin, end);
        newGlyf.append(glyf.constData() + begin, end - begin);
        while (newGlyf.size() % 4)
            newGlyf.append('\0');
    }
    append32(newLoca, quint32(newGlyf.size()));
    put32(head, 8, 0);  // checksum adjustment, set below
    put16(head, 50, 1); // long offsets

    QByteArray maxp = table("maxp");
    put16(maxp, 4, quint16(count));
    QByteArray hhea = table("hhea");
    const QByteArray hmtx = table("hmtx");
    const int metrics = qMax<int>(1, u16(hhea, 34));
    QByteArray newHmtx;
    newHmtx.reserve(qsizetype(count) * 4);
    for (size_t g = 0; g < count; ++g) {
        const int advance = u16(hmtx, qsizetype(qMin<size_t>(g, size_t(metrics - 1))) * 4);
        const qsizetype bearing = g < size_t(metrics) ? qsizetype(g) * 4 + 2 : qsizetype(metrics) * 4 + qsizetype(g - metrics) * 2;
        newHmtx.append(char(advance >> 8)).append(char(advance));
        newHmtx.append(char(u16(hmtx, bearing) >> 8)).append(char(u16(hmtx, bearing)));
    }
    put16(hhea, 34, quint16(count));

    QMap<QByteArray, QByteArray> tables; // sorted by tag, as the directory must be
    tables.insert("head", head);
    tables.insert("loca", newLoca);
    tables.insert("glyf", newGlyf);
    tables.insert("maxp", maxp);
    tables.insert("hhea", hhea);
    tables.insert("hmtx", newHmtx);
    for (const char* tag : {"cvt ", "fpgm", "prep"}) {
        const QByteArray data = table(tag);
        if (!data.isEmpty())
            tables.insert(tag, data);
    }

    const int tableCount = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    QByteArray file;
    append32(file, 0x00010000);
    file.append(char(tableCount >> 8)).append(char(tableCount));
    file.append(char((power * 16) >> 8)).append(char(power * 16));
    file.append(char(log2 >> 8)).append(char(log2));
    file.append(char((tableCount * 16 - power * 16) >> 8)).append(char(tableCount * 16 - power * 16));
    qsizetype offset = 12 + qsizetype(tableCount) * 16;
    qsizetype headOffset = 0;
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        file.append(it.key().leftJustified(4, ' ', true));
        append32(file, checksum(it.value()));
        append32(file, quint32(offset));
        append32(file, quint32(it.value().size()));
        if (it.key() == "head")
            headOffset = offset;
        offset += (it.value().size() + 3) & ~qsizetype(3);
    }
    for (const QByteArray& data : tables) {
        file.append(data);
        while (file.size() % 4)
            file.append('\0');
    }
    put32(file, headOffset + 8, 0xB1B0AFBAu - checksum(file));
    return file;
}

} // namespace pravik::report

#include "platform/report/Spool.h"

#include <QDataStream>
#include <QtEndian>

#include <cstring>

namespace pravik::report {

namespace {

constexpr char kHead[8] = {'P', 'R', 'V', 'S', 'P', 'L', '0', '1'};
constexpr char kTail[8] = {'P', 'R', 'V', 'S', 'P', 'E', 'N', 'D'};
// A page bigger than this is a damaged length, not a page.
constexpr quint32 kMaxPageBytes = 256u * 1024u * 1024u;

QDataStream& operator<<(QDataStream& out, const FontSpec& f)
{
    return out << f.family << f.size << qint32(f.weight) << f.italic;
}

QDataStream& operator>>(QDataStream& in, FontSpec& f)
{
    qint32 weight = 400;
    in >> f.family >> f.size >> weight >> f.italic;
    f.weight = weight;
    return in;
}

} // namespace

SpoolWriter::SpoolWriter(const QString& path) : m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        writeFailed();
    if (m_file.write(kHead, sizeof kHead) != qint64(sizeof kHead))
        writeFailed();
}

SpoolWriter::~SpoolWriter() = default;

void SpoolWriter::writeFailed()
{
    throw ReportError(QStringLiteral("Nie można zapisać pliku roboczego wydruku %1: %2")
                          .arg(m_file.fileName(), m_file.errorString()));
}

void SpoolWriter::addPage(const PageRecord& page)
{
    const QByteArray bytes = page.toBytes();
    const qint64 offset = m_file.pos();
    QByteArray length(4, '\0');
    qToLittleEndian<quint32>(quint32(bytes.size()), length.data());
    if (m_file.write(length) != 4 || m_file.write(bytes) != bytes.size() || !m_file.flush())
        writeFailed();
    m_offsets.append(offset);
}

void SpoolWriter::finish(const PageSetup& page, const QList<FontSpec>& fonts)
{
    if (m_finished)
        return;
    const qint64 trailerOffset = m_file.pos();
    QByteArray trailer;
    {
        QDataStream out(&trailer, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << page.paper << page.paperWidth << page.paperHeight << qint32(page.orientation)
            << page.margins.left << page.margins.top << page.margins.right << page.margins.bottom;
        out << quint32(fonts.size());
        for (const FontSpec& f : fonts)
            out << f;
        out << quint32(m_offsets.size());
        for (qint64 o : m_offsets)
            out << o;
    }
    QByteArray end(8, '\0');
    qToLittleEndian<qint64>(trailerOffset, end.data());
    if (m_file.write(trailer) != trailer.size() || m_file.write(end) != 8 || m_file.write(kTail, 8) != 8
        || !m_file.flush())
        writeFailed();
    m_file.close();
    m_finished = true;
}

bool SpoolReader::fail(const QString& message)
{
    m_error = message;
    return false;
}

bool SpoolReader::open(const QString& path)
{
    m_file.close();
    m_offsets.clear();
    m_fonts.clear();
    m_file.setFileName(path);
    const QString damaged = QStringLiteral("Plik roboczy wydruku %1 jest uszkodzony.").arg(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Nie można odczytać pliku roboczego wydruku %1: %2").arg(path, m_file.errorString()));
    const qint64 size = m_file.size();
    char head[8];
    char tail[16];
    if (size < 24 || m_file.read(head, 8) != 8 || memcmp(head, kHead, 8) != 0 || !m_file.seek(size - 16)
        || m_file.read(tail, 16) != 16 || memcmp(tail + 8, kTail, 8) != 0) {
        m_file.close();
        return fail(damaged);
    }
    const qint64 trailerOffset = qFromLittleEndian<qint64>(tail);
    if (trailerOffset < 8 || trailerOffset > size - 16 || !m_file.seek(trailerOffset)) {
        m_file.close();
        return fail(damaged);
    }
    const QByteArray trailer = m_file.read(size - 16 - trailerOffset);
    QDataStream in(trailer);
    in.setVersion(QDataStream::Qt_6_4);
    qint32 orientation = 0;
    in >> m_page.paper >> m_page.paperWidth >> m_page.paperHeight >> orientation >> m_page.margins.left
        >> m_page.margins.top >> m_page.margins.right >> m_page.margins.bottom;
    m_page.orientation = orientation == qint32(Orientation::Landscape) ? Orientation::Landscape : Orientation::Portrait;
    quint32 fonts = 0;
    in >> fonts;
    if (in.status() != QDataStream::Ok || fonts > 65536) {
        m_file.close();
        return fail(damaged);
    }
    for (quint32 i = 0; i < fonts; ++i) {
        FontSpec f;
        in >> f;
        m_fonts.append(f);
    }
    quint32 pages = 0;
    in >> pages;
    if (in.status() != QDataStream::Ok || pages > quint32(trailer.size() / 8)) {
        m_file.close();
        return fail(damaged);
    }
    m_offsets.reserve(pages);
    for (quint32 i = 0; i < pages; ++i) {
        qint64 o = 0;
        in >> o;
        if (o < 8 || o >= trailerOffset) {
            m_file.close();
            m_offsets.clear();
            return fail(damaged);
        }
        m_offsets.append(o);
    }
    if (in.status() != QDataStream::Ok) {
        m_file.close();
        m_offsets.clear();
        return fail(damaged);
    }
    m_error.clear();
    return true;
}

bool SpoolReader::readPage(int index, PageRecord& page)
{
    page.clear();
    if (!m_file.isOpen())
        return fail(QStringLiteral("Plik roboczy wydruku nie jest otwarty."));
    if (index < 0 || index >= m_offsets.size())
        return fail(QStringLiteral("Wydruk nie ma strony %1.").arg(index + 1));
    char length[4];
    if (!m_file.seek(m_offsets[index]) || m_file.read(length, 4) != 4)
        return fail(QStringLiteral("Nie można odczytać strony %1 wydruku: %2").arg(index + 1).arg(m_file.errorString()));
    const quint32 bytes = qFromLittleEndian<quint32>(length);
    if (bytes > kMaxPageBytes)
        return fail(QStringLiteral("Plik roboczy wydruku %1 jest uszkodzony.").arg(m_file.fileName()));
    const QByteArray data = m_file.read(bytes);
    if (data.size() != qsizetype(bytes) || !PageRecord::fromBytes(data, page))
        return fail(QStringLiteral("Plik roboczy wydruku %1 jest uszkodzony.").arg(m_file.fileName()));
    return true;
}

} // namespace pravik::report

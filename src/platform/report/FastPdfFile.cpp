#include "platform/report/FastPdfFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QSaveFile>

#include "platform/FileErrors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <zlib.h>

namespace pravik::report {

namespace {
// Written to the file in pieces of about this size.
constexpr size_t kFlushSize = 1 << 20;
} // namespace

void appendPdfInt(std::string& out, long long value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void appendPdfNumber(std::string& out, double value, int decimals)
{
    static constexpr long long powers[] = {1, 10, 100, 1000, 10000};
    decimals = qBound(0, decimals, 4);
    long long scaled = std::llround(value * double(powers[decimals]));
    if (scaled < 0) {
        out += '-';
        scaled = -scaled;
    }
    appendPdfInt(out, scaled / powers[decimals]);
    long long fraction = scaled % powers[decimals];
    if (fraction == 0)
        return;
    int places = decimals;
    while (fraction % 10 == 0) {
        fraction /= 10;
        --places;
    }
    out += '.';
    char digits[8];
    for (int i = places - 1; i >= 0; --i) {
        digits[i] = char('0' + fraction % 10);
        fraction /= 10;
    }
    out.append(digits, size_t(places));
}

FastPdfFile::FastPdfFile(QString path) : m_path(std::move(path)) {}

FastPdfFile::~FastPdfFile()
{
    cancel();
    if (m_zlib) {
        deflateEnd(m_zlib);
        delete m_zlib;
    }
}

bool FastPdfFile::open()
{
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_error = m_file->errorString();
        m_failed = true;
        m_file.reset();
        return false;
    }
    m_buffer.reserve(kFlushSize + (64 << 10));
    m_offsets = {0};
    // The second line marks the file as binary for programs that guess.
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    return !m_failed;
}

int FastPdfFile::reserveObject()
{
    m_offsets.append(-1);
    return int(m_offsets.size() - 1);
}

void FastPdfFile::beginObject(int number)
{
    m_offsets[number] = m_written + qint64(m_buffer.size());
    appendPdfInt(m_buffer, number);
    m_buffer += " 0 obj\n";
}

void FastPdfFile::writeObject(int number, std::string_view body)
{
    beginObject(number);
    m_buffer += body;
    write("\nendobj\n");
}

void FastPdfFile::writeStream(int number, std::string_view data, bool compress, std::string_view extraEntries)
{
    std::string_view payload = data;
    compress = compress && m_level > 0;
    if (compress) {
        // One deflate state for the whole file: setting it up for every page costs more than
        // compressing a page at level 1.
        if (!m_zlib) {
            m_zlib = new z_stream{};
            if (deflateInit(m_zlib, m_level) != Z_OK) {
                delete m_zlib;
                m_zlib = nullptr;
            } else {
                m_zlibLevel = m_level;
            }
        } else if (m_zlibLevel != m_level) {
            deflateParams(m_zlib, m_level, Z_DEFAULT_STRATEGY);
            m_zlibLevel = m_level;
        }
        if (m_zlib) {
            deflateReset(m_zlib);
            m_deflated.resize(deflateBound(m_zlib, uLong(data.size())));
            m_zlib->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
            m_zlib->avail_in = uInt(data.size());
            m_zlib->next_out = reinterpret_cast<Bytef*>(m_deflated.data());
            m_zlib->avail_out = uInt(m_deflated.size());
            if (deflate(m_zlib, Z_FINISH) == Z_STREAM_END)
                payload = std::string_view(m_deflated.data(), m_zlib->total_out);
            else
                compress = false;
        } else {
            compress = false;
        }
    }
    beginObject(number);
    m_buffer += "<< /Length ";
    appendPdfInt(m_buffer, qint64(payload.size()));
    if (compress)
        m_buffer += " /Filter /FlateDecode";
    if (!extraEntries.empty()) {
        m_buffer += ' ';
        m_buffer += extraEntries;
    }
    m_buffer += " >>\nstream\n";
    write(payload);
    write("\nendstream\nendobj\n");
}

void FastPdfFile::write(std::string_view bytes)
{
    if (bytes.size() >= kFlushSize) {
        flush();
        if (m_file && !m_failed && m_file->write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
            m_failed = true;
            m_error = writeErrorText(*m_file, m_path);
        }
        m_written += qint64(bytes.size());
        return;
    }
    m_buffer += bytes;
    if (m_buffer.size() >= kFlushSize)
        flush();
}

void FastPdfFile::flush()
{
    if (m_buffer.empty())
        return;
    if (m_file && !m_failed && m_file->write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size())) {
        m_failed = true;
        m_error = writeErrorText(*m_file, m_path);
    }
    m_written += qint64(m_buffer.size());
    m_buffer.clear();
}

bool FastPdfFile::finish(int catalog, int info)
{
    if (!m_file)
        return false;
    flush();
    const qint64 xref = m_written;
    std::string table = "xref\n0 ";
    appendPdfInt(table, m_offsets.size());
    table += "\n0000000000 65535 f \n";
    char entry[24];
    for (qsizetype i = 1; i < m_offsets.size(); ++i) {
        // An object reserved but never written is a free entry (none should be).
        if (m_offsets[i] < 0)
            table += "0000000000 00000 f \n";
        else {
            std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(m_offsets[i]));
            table += entry;
        }
        if (table.size() >= kFlushSize) {
            write(table);
            table.clear();
        }
    }
    const QByteArray id = QCryptographicHash::hash(
                              (m_path + QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)).toUtf8(),
                              QCryptographicHash::Md5)
                              .toHex()
                              .toUpper();
    table += "trailer\n<< /Size ";
    appendPdfInt(table, m_offsets.size());
    table += " /Root ";
    appendPdfInt(table, catalog);
    table += " 0 R /Info ";
    appendPdfInt(table, info);
    table += " 0 R /ID [<" + id.toStdString() + "> <" + id.toStdString() + ">] >>\nstartxref\n";
    appendPdfInt(table, xref);
    table += "\n%%EOF\n";
    write(table);
    flush();
    // QSaveFile notices a failed write (a full disk) and refuses to commit.
    const bool committed = !m_failed && m_file->commit();
    if (!committed) {
        if (m_error.isEmpty())
            m_error = writeErrorText(*m_file, m_path);
        m_failed = true;
        m_file->cancelWriting();
    }
    m_file.reset();
    return committed;
}

void FastPdfFile::cancel()
{
    if (!m_file)
        return;
    m_file->cancelWriting();
    m_file.reset(); // removes the temporary file
    m_buffer.clear();
}

} // namespace pravik::report

#pragma once
// The object layer of the PDF writer: numbered objects appended to a file as they are made, the
// offset of each remembered for the cross-reference table written at the end. Nothing else is
// kept, so a report of any length is written in flat memory. The file is a QSaveFile: it appears
// under its name only when complete.
#include <QList>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QSaveFile;
struct z_stream_s;

namespace pravik::report {

// Numbers as PDF writes them: at most `decimals` places, no exponent, no trailing zeros.
void appendPdfNumber(std::string& out, double value, int decimals = 2);
void appendPdfInt(std::string& out, long long value);

class FastPdfFile {
public:
    explicit FastPdfFile(QString path);
    ~FastPdfFile();
    FastPdfFile(const FastPdfFile&) = delete;
    FastPdfFile& operator=(const FastPdfFile&) = delete;

    // Creates the temporary file and writes the header; false with errorString().
    bool open();
    // Deflate level of streams written with compress = true (0 stores them as they are).
    void setCompressionLevel(int level) { m_level = level; }

    int reserveObject();
    // Writes a whole object: "n 0 obj <body> endobj".
    void writeObject(int number, std::string_view body);
    // Writes a stream object; extraEntries go into its dictionary next to /Length.
    void writeStream(int number, std::string_view data, bool compress, std::string_view extraEntries = {});

    // Writes the cross-reference table and the trailer and puts the file in place.
    bool finish(int catalog, int info);
    // Discards everything written; the target file is not touched.
    void cancel();

    bool failed() const { return m_failed; }
    QString errorString() const { return m_error; }

private:
    void write(std::string_view bytes);
    void flush();
    void beginObject(int number);

    QString m_path;
    std::unique_ptr<QSaveFile> m_file;
    std::string m_buffer;
    std::string m_deflated;
    z_stream_s* m_zlib = nullptr;
    int m_zlibLevel = -1;
    int m_level = 1;
    qint64 m_written = 0;
    QList<qint64> m_offsets; // by object number; -1 until written
    bool m_failed = false;
    QString m_error;
};

} // namespace pravik::report

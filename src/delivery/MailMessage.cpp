#include "delivery/MailMessage.h"

#include "delivery/MimeEncoding.h"

#include <QFile>
#include <QIODevice>
#include <QRandomGenerator>

#include <cctype>

namespace pravik::delivery {

namespace {

// Three times 19 lines of 76 characters: base64 of whole chunks needs no carry between reads.
constexpr qint64 kChunk = 57 * 19 * 64;

QByteArray randomHex(int bytes)
{
    QByteArray raw(bytes, Qt::Uninitialized);
    for (char& c : raw)
        c = char(QRandomGenerator::global()->bounded(256));
    return raw.toHex();
}

QByteArray addressList(const QStringList& addresses)
{
    QList<QByteArray> boxes;
    for (const QString& a : addresses)
        boxes.append(mailbox(a));
    return boxes.join(", ");
}

QByteArray headerRaw(const QByteArray& name, const QByteArray& asciiValue)
{
    return foldedHeader(name, asciiValue);
}

class Writer {
public:
    Writer(QIODevice& out, QString* error) : m_out(out), m_error(error) {}

    bool put(const QByteArray& bytes)
    {
        if (m_failed)
            return false;
        if (m_out.write(bytes) != bytes.size()) {
            m_failed = true;
            if (m_error)
                *m_error = m_out.errorString();
        }
        return !m_failed;
    }

    bool part(const MailPart& p, bool isInline)
    {
        QByteArray head = "Content-Type: " + p.mimeType + ";\r\n\t" + nameParameter("name", p.fileName) + "\r\n";
        head += "Content-Transfer-Encoding: base64\r\n";
        if (isInline)
            head += "Content-ID: <" + p.contentId + ">\r\n";
        head += QByteArray(isInline ? "Content-Disposition: inline;\r\n\t" : "Content-Disposition: attachment;\r\n\t")
                + nameParameter("filename", p.fileName) + "\r\n\r\n";
        if (!put(head))
            return false;
        QFile file(p.path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: %2").arg(p.path, file.errorString()));
        while (!file.atEnd()) {
            const QByteArray chunk = file.read(kChunk);
            if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
                return fail(QStringLiteral("%1: %2").arg(p.path, file.errorString()));
            if (!put(base64Lines(chunk)))
                return false;
        }
        return true;
    }

    bool fail(const QString& message)
    {
        m_failed = true;
        if (m_error)
            *m_error = message;
        return false;
    }

private:
    QIODevice& m_out;
    QString* m_error;
    bool m_failed = false;
};

QByteArray importanceHeaders(Importance importance)
{
    switch (importance) {
    case Importance::Low: return "Importance: Low\r\nX-Priority: 5\r\n";
    case Importance::High: return "Importance: High\r\nX-Priority: 1\r\n";
    case Importance::Normal: break;
    }
    return "Importance: Normal\r\nX-Priority: 3\r\n";
}

} // namespace

QByteArray makeContentId(const QString& stem)
{
    QByteArray clean;
    for (char c : stem.toUtf8())
        clean += (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_') ? c : '_';
    return clean + '.' + randomHex(6) + "@pravik";
}

QStringList envelopeRecipients(const MailMessage& message)
{
    return message.to + message.cc + message.bcc;
}

bool writeMime(const MailMessage& m, QIODevice& out, const MimeOptions& options, QString* error)
{
    Writer w(out, error);
    const QByteArray id = randomHex(8);
    const QByteArray mixed = "=_pravik_mixed_" + id;
    const QByteArray related = "=_pravik_related_" + id;

    QByteArray head;
    head += "Date: " + options.date.toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    if (!m.from.isEmpty())
        head += headerRaw("From", mailbox(m.from, m.fromName));
    head += headerRaw("To", addressList(m.to));
    if (!m.cc.isEmpty())
        head += headerRaw("Cc", addressList(m.cc));
    if (options.includeBcc && !m.bcc.isEmpty())
        head += headerRaw("Bcc", addressList(m.bcc));
    head += headerField("Subject", m.subject);
    head += "Message-ID: <" + id + '.' + randomHex(4) + "@pravik>\r\n";
    head += importanceHeaders(m.importance);
    if (options.draft)
        head += "X-Unsent: 1\r\n";
    head += "MIME-Version: 1.0\r\n";
    if (!w.put(head))
        return false;

    const bool hasAttachments = !m.attachments.isEmpty();
    const bool hasPictures = !m.pictures.isEmpty();
    if (hasAttachments && !w.put("Content-Type: multipart/mixed;\r\n\tboundary=\"" + mixed
                                 + "\"\r\n\r\nThis is a multi-part message in MIME format.\r\n\r\n--" + mixed + "\r\n"))
        return false;
    if (hasPictures && !w.put("Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"" + related
                              + "\"\r\n\r\n" + (hasAttachments ? "" : "This is a multi-part message in MIME format.\r\n")
                              + "\r\n--" + related + "\r\n"))
        return false;
    // In a multipart body the line end before the next boundary belongs to the boundary; a body
    // of its own ends with its last line.
    QByteArray html = quotedPrintable(m.html.toUtf8());
    if (!hasPictures && !hasAttachments && !html.endsWith("\r\n"))
        html += "\r\n";
    if (!w.put("Content-Type: text/html; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" + html))
        return false;
    for (const MailPart& p : m.pictures)
        if (!w.put("\r\n--" + related + "\r\n") || !w.part(p, true))
            return false;
    if (hasPictures && !w.put("\r\n--" + related + "--\r\n"))
        return false;
    for (const MailPart& p : m.attachments)
        if (!w.put("\r\n--" + mixed + "\r\n") || !w.part(p, false))
            return false;
    if (hasAttachments && !w.put("\r\n--" + mixed + "--\r\n"))
        return false;
    return true;
}

bool writeMimeFile(const MailMessage& message, const QString& path, const MimeOptions& options, QString* error)
{
    QFile file(path);
    // A new file only: two deliveries never write into one message.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool ok = writeMime(message, file, options, error);
    if (ok && !file.flush()) {
        ok = false;
        if (error)
            *error = file.errorString();
    }
    file.close();
    if (ok && file.error() != QFileDevice::NoError) {
        ok = false;
        if (error)
            *error = file.errorString();
    }
    if (!ok)
        file.remove();
    return ok;
}

} // namespace pravik::delivery

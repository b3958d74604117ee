#include "SmtpTestServer.h"

#include <QMutexLocker>

#include <chrono>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pravik::test {

namespace {

constexpr int kAcceptPollMs = 50;
constexpr int kReadTimeoutMs = 10000;
constexpr qsizetype kMaxMessage = 64 * 1024 * 1024;

class LineReader {
public:
    explicit LineReader(int fd) : m_fd(fd) {}

    // One line without CR LF; false on timeout, close or error.
    bool line(QByteArray& out)
    {
        for (;;) {
            const qsizetype end = m_buffer.indexOf("\r\n");
            if (end >= 0) {
                out = m_buffer.left(end);
                m_buffer.remove(0, end + 2);
                return true;
            }
            if (m_buffer.size() > kMaxMessage)
                return false;
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, kReadTimeoutMs) <= 0)
                return false;
            char chunk[8192];
            const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
            if (n <= 0)
                return false;
            m_buffer.append(chunk, n);
        }
    }

private:
    int m_fd;
    QByteArray m_buffer;
};

void reply(int fd, const QByteArray& text)
{
    const QByteArray line = text + "\r\n";
    (void)::send(fd, line.constData(), size_t(line.size()), MSG_NOSIGNAL);
}

QString betweenBrackets(const QByteArray& line)
{
    const qsizetype open = line.indexOf('<');
    const qsizetype close = line.indexOf('>', open);
    return open >= 0 && close > open ? QString::fromUtf8(line.mid(open + 1, close - open - 1)) : QString();
}

} // namespace

SmtpTestServer::SmtpTestServer(Options options) : m_options(std::move(options))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listener < 0)
        return;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(m_listener, 4) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { serve(); });
}

SmtpTestServer::~SmtpTestServer()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

int SmtpTestServer::closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

QList<ReceivedMail> SmtpTestServer::received() const
{
    QMutexLocker lock(&m_mutex);
    return m_received;
}

QStringList SmtpTestServer::commands() const
{
    QMutexLocker lock(&m_mutex);
    return m_commands;
}

void SmtpTestServer::serve()
{
    while (!m_stop) {
        pollfd p{m_listener, POLLIN, 0};
        if (::poll(&p, 1, kAcceptPollMs) <= 0)
            continue;
        const int fd = ::accept(m_listener, nullptr, nullptr);
        if (fd < 0)
            continue;
        session(fd);
        ::close(fd);
    }
}

void SmtpTestServer::session(int fd)
{
    LineReader in(fd);
    const bool loginNeeded = !m_options.user.isEmpty() || m_options.refuseLogin;
    bool loggedIn = false;
    ReceivedMail mail;
    reply(fd, "220 localhost ESMTP test server");
    QByteArray line;
    while (!m_stop && in.line(line)) {
        const QByteArray verb = line.left(line.indexOf(' ') < 0 ? line.size() : line.indexOf(' ')).toUpper();
        {
            QMutexLocker lock(&m_mutex);
            m_commands.append(QString::fromLatin1(verb));
        }
        if (verb == "EHLO" || verb == "HELO") {
            reply(fd, loginNeeded ? "250-localhost\r\n250-AUTH PLAIN\r\n250 8BITMIME" : "250-localhost\r\n250 8BITMIME");
        } else if (verb == "AUTH") {
            QList<QByteArray> words = line.split(' ');
            QByteArray credentials = words.size() > 2 ? words[2] : QByteArray();
            if (credentials.isEmpty()) {
                reply(fd, "334 ");
                if (!in.line(credentials))
                    return;
            }
            const QList<QByteArray> parts = QByteArray::fromBase64(credentials).split('\0');
            const bool match = parts.size() == 3 && QString::fromUtf8(parts[1]) == m_options.user
                               && QString::fromUtf8(parts[2]) == m_options.password;
            loggedIn = match && !m_options.refuseLogin;
            reply(fd, loggedIn ? "235 2.7.0 Authentication successful" : "535 5.7.8 Authentication credentials invalid");
        } else if (verb == "MAIL") {
            if (loginNeeded && !loggedIn) {
                reply(fd, "530 5.7.0 Authentication required");
                continue;
            }
            mail = {};
            mail.from = betweenBrackets(line);
            reply(fd, "250 2.1.0 Ok");
        } else if (verb == "RCPT") {
            const QString to = betweenBrackets(line);
            if (!m_options.refuseRecipient.isEmpty() && to == m_options.refuseRecipient) {
                reply(fd, "550 5.1.1 No such user");
                continue;
            }
            mail.recipients.append(to);
            reply(fd, "250 2.1.5 Ok");
        } else if (verb == "DATA") {
            reply(fd, "354 End data with <CR><LF>.<CR><LF>");
            QByteArray data;
            QByteArray body;
            bool complete = false;
            while (in.line(data)) {
                if (data == ".") {
                    complete = true;
                    break;
                }
                body += (data.startsWith('.') ? data.mid(1) : data) + "\r\n";
            }
            if (!complete)
                return;
            if (m_options.stallAfterData) {
                // Hold the connection without a word until the client gives up or the test ends.
                const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
                while (!m_stop && std::chrono::steady_clock::now() < until) {
                    pollfd p{fd, POLLIN, 0};
                    if (::poll(&p, 1, kAcceptPollMs) > 0) {
                        char chunk[512];
                        if (::recv(fd, chunk, sizeof chunk, 0) <= 0)
                            return;
                    }
                }
                return;
            }
            mail.data = body;
            {
                QMutexLocker lock(&m_mutex);
                m_received.append(mail);
            }
            reply(fd, "250 2.0.0 Ok: queued");
        } else if (verb == "RSET" || verb == "NOOP") {
            reply(fd, "250 2.0.0 Ok");
        } else if (verb == "QUIT") {
            reply(fd, "221 2.0.0 Bye");
            return;
        } else {
            reply(fd, "502 5.5.2 Command not recognized");
        }
    }
}

} // namespace pravik::test

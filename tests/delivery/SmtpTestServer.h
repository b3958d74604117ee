#pragma once
// A throwaway SMTP server on 127.0.0.1 for the mail tests: it takes one connection at a time,
// can insist on a login (AUTH PLAIN), refuse a login or a recipient, and keeps what it received.
// Every wait is bounded, so a confused client cannot hang a test.
#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <thread>

namespace pravik::test {

struct ReceivedMail {
    QString from;
    QStringList recipients;
    QByteArray data; // as sent, dot-stuffing undone, CR LF line ends
};

class SmtpTestServer {
public:
    struct Options {
        QString user;            // empty: no login offered or needed
        QString password;
        bool refuseLogin = false; // every login gets 535
        QString refuseRecipient; // this recipient gets 550
        bool stallAfterData = false; // the message is read, then no answer comes, ever
    };

    explicit SmtpTestServer(Options options);
    SmtpTestServer() : SmtpTestServer(Options{}) {}
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    bool isListening() const { return m_listener >= 0; }
    int port() const { return m_port; }
    QList<ReceivedMail> received() const;
    // The commands the client sent, in order ("EHLO", "AUTH", "MAIL", ...).
    QStringList commands() const;

    // A port on 127.0.0.1 with nobody listening: a server that is down.
    static int closedPort();

private:
    void serve();
    void session(int fd);

    Options m_options;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable QMutex m_mutex;
    QList<ReceivedMail> m_received;
    QStringList m_commands;
};

} // namespace pravik::test

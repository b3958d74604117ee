#include "delivery/MailLayer.h"

#include "delivery/MimeEncoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <curl/curl.h>

#include <mutex>
#include <sys/socket.h>

namespace pravik::delivery {

namespace {

constexpr int kOpenerWaitMs = 30000;
constexpr int kConnectTimeoutSeconds = 15;
constexpr int kDraftAttempts = 100;

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t readFromFile(char* buffer, size_t size, size_t count, void* userdata)
{
    auto* file = static_cast<QFile*>(userdata);
    const qint64 n = file->read(buffer, qint64(size * count));
    return n < 0 ? CURL_READFUNC_ABORT : size_t(n);
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

QString plainServer(const MailSettings& s)
{
    return QStringLiteral("%1:%2").arg(s.server.trimmed()).arg(s.port);
}

// A draft file of our own in the draft folder: "vh57.eml", else "vh57-2.eml" ...
QString freeDraftPath(const QString& draftFolder, const QString& fileName)
{
    const QFileInfo info(fileName);
    const QString stem = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int i = 1; i <= kDraftAttempts; ++i) {
        const QString name = i == 1 ? fileName : QStringLiteral("%1-%2%3").arg(stem).arg(i).arg(suffix);
        const QString path = QDir(draftFolder).filePath(name);
        if (!QFileInfo::exists(path))
            return path;
    }
    return {};
}

} // namespace

QString recipientProblem(const QStringList& recipients)
{
    if (recipients.isEmpty())
        return QStringLiteral("Nie podano adresu e-mail odbiorcy.");
    for (const QString& r : recipients)
        if (!isPlainAddress(r))
            return QStringLiteral("Niepoprawny adres e-mail odbiorcy: %1").arg(r.simplified());
    return {};
}

bool sendSmtp(const MailSettings& settings, const QString& messagePath, const QStringList& recipients, QString* error)
{
    auto failed = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Nie można wysłać poczty przez serwer %1: %2").arg(plainServer(settings), reason);
        return false;
    };
    if (!isPlainAddress(settings.from))
        return failed(QStringLiteral("brak poprawnego adresu nadawcy (klucz From w sekcji [Mail] ustawień)."));
    QFile file(messagePath);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());

    initCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return failed(QStringLiteral("biblioteka curl nie daje się uruchomić."));
    curl_slist* list = nullptr;
    for (const QString& r : recipients) {
        curl_slist* next = curl_slist_append(list, ('<' + r.toUtf8() + '>').constData());
        if (!next) {
            curl_slist_free_all(list);
            return failed(QStringLiteral("brak pamięci."));
        }
        list = next;
    }
    const std::unique_ptr<curl_slist, SlistDeleter> rcpt(list);
    const QByteArray url = settings.url().toUtf8();
    const QByteArray from = '<' + settings.from.toUtf8() + '>';
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &readFromFile);
    curl_easy_setopt(c, CURLOPT_READDATA, &file);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(file.size()));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(qMin(kConnectTimeoutSeconds, settings.timeoutSeconds)));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(settings.timeoutSeconds));
    // Each answer the server owes is bounded by the same setting; libcurl's own default would
    // wait two minutes for one.
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(settings.timeoutSeconds));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    if (settings.security == MailSettings::Security::StartTls)
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!settings.user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_OK)
        return true;
    // A failed exchange may leave the connection open, and freeing the handle would then say
    // QUIT and wait for a server that has stopped answering, past the timeout. The message was
    // not taken; nothing is owed to the server, so the connection simply ends here.
    curl_socket_t socket = CURL_SOCKET_BAD;
    if (curl_easy_getinfo(c, CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK && socket != CURL_SOCKET_BAD)
        ::shutdown(socket, SHUT_RDWR);
    long response = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &response);
    QString reason = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
    if (code == CURLE_LOGIN_DENIED)
        reason = QStringLiteral("serwer odrzucił login lub hasło (%1)").arg(reason);
    if (response > 0)
        reason += QStringLiteral(" [odpowiedź serwera %1]").arg(response);
    return failed(reason);
}

bool openWithMailProgram(const MailSettings& settings, const QString& messagePath, QString* error)
{
    QStringList command = QProcess::splitCommand(settings.program);
    auto failed = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Nie można otworzyć wiadomości w programie pocztowym (%1): %2")
                         .arg(settings.program, reason);
        return false;
    };
    if (command.isEmpty())
        return failed(QStringLiteral("nie wskazano programu."));
    const QString program = command.takeFirst();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, command << messagePath);
    if (!process.waitForStarted(kOpenerWaitMs))
        return failed(process.errorString());
    if (!process.waitForFinished(kOpenerWaitMs)) {
        process.kill();
        process.waitForFinished(1000);
        return failed(QStringLiteral("program nie zakończył się w ciągu %1 s.").arg(kOpenerWaitMs / 1000));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
        return failed(output.isEmpty() ? QStringLiteral("kod wyjścia %1.").arg(process.exitCode()) : output);
    }
    return true;
}

void sweepOldDrafts(const QString& draftFolder)
{
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    const QDir dir(draftFolder);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("vh*.eml")}, QDir::Files))
        if (info.lastModified() < dayAgo)
            QFile::remove(info.filePath());
}

bool handOver(const MailMessage& message, const MailSettings& settings, const QString& workFolder,
              const QString& draftFolder, const QString& fileName, QString* error, HandOverResult* result)
{
    const QString problem = recipientProblem(envelopeRecipients(message));
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    QString reason;
    if (settings.usesSmtp()) {
        MailMessage sent = message;
        if (sent.from.isEmpty()) {
            sent.from = settings.from;
            sent.fromName = settings.fromName;
        }
        const QString path = QDir(workFolder).filePath(fileName);
        MimeOptions options;
        options.includeBcc = false;
        if (!writeMimeFile(sent, path, options, &reason)) {
            if (error)
                *error = QStringLiteral("Nie można zapisać wiadomości %1: %2").arg(QDir::toNativeSeparators(path), reason);
            return false;
        }
        if (result)
            *result = {true, path};
        const bool ok = sendSmtp(settings, path, envelopeRecipients(message), error);
        QFile::remove(path);
        return ok;
    }

    sweepOldDrafts(draftFolder);
    const QString path = freeDraftPath(draftFolder, fileName);
    MailMessage draft = message;
    if (draft.from.isEmpty()) {
        draft.from = settings.from;
        draft.fromName = settings.fromName;
    }
    MimeOptions options;
    options.draft = true;
    if (path.isEmpty() || !writeMimeFile(draft, path, options, &reason)) {
        if (error)
            *error = QStringLiteral("Nie można zapisać wiadomości %1: %2")
                         .arg(QDir::toNativeSeparators(QDir(draftFolder).filePath(fileName)), reason);
        return false;
    }
    if (result)
        *result = {false, path};
    if (!openWithMailProgram(settings, path, error)) {
        QFile::remove(path);
        return false;
    }
    return true;
}

} // namespace pravik::delivery

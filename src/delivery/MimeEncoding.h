#pragma once
// The encodings a mail message is made of, so that any mail program reads what we write:
// quoted-printable and base64 bodies in lines of at most 76 characters, header texts with
// Polish letters as RFC 2047 encoded words, file names as RFC 2231 parameters. Every line ends
// with CR LF.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pravik::delivery {

// Quoted-printable (RFC 2045) of UTF-8 text: "=" becomes "=3D", a blank before a line end
// "=20", bytes outside printable ASCII "=XX"; soft breaks keep lines at 76 characters. Line
// ends of the text (LF or CR LF) become CR LF.
QByteArray quotedPrintable(const QByteArray& utf8);

// Base64 in lines of 76 characters, each ending with CR LF.
QByteArray base64Lines(const QByteArray& data);

// A header field "Name: value" folded to lines of at most 78 characters. Plain ASCII text stays
// as it is; text with other characters becomes UTF-8 encoded words ("=?UTF-8?B?...?="), each
// under 76 characters and never splitting a letter. Line breaks in the value become blanks: a
// subject can never start a header of its own. Ends with CR LF.
QByteArray headerField(const QByteArray& name, const QString& value);

// A header field whose value is already plain ASCII (addresses with encoded names), folded at
// blanks; nothing in it is encoded again. Line breaks in the value become blanks.
QByteArray foldedHeader(const QByteArray& name, const QByteArray& asciiValue);

// One mailbox for To, Cc, From: "addr" or an encoded display name with "<addr>".
QByteArray mailbox(const QString& address, const QString& displayName = {});

// Splits a recipient text ("a@x.pl; b@y.pl, c@z.pl") into addresses; blanks dropped.
QStringList splitAddresses(const QString& text);

// Whether an address is one mailbox a server can take: local part "@" domain, no blanks, no
// line breaks, no angle brackets or quotes.
bool isPlainAddress(const QString& address);

// Parameters of Content-Type / Content-Disposition for a file name: name="..." (RFC 2047 for
// old readers) and filename*=UTF-8''... (RFC 2231) when the name is not plain ASCII.
QByteArray nameParameter(const QByteArray& parameter, const QString& fileName);

} // namespace pravik::delivery

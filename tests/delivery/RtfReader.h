#pragma once
// A small RTF reader for the tests: it walks the groups and control words the way word
// processors do and collects the pictures, so a test can check that a document opens (its
// groups balance) and that its pictures are the page images.
#include <QByteArray>
#include <QList>
#include <QStringList>

namespace pravik::test {

struct RtfPicture {
    QStringList words;  // the picture's control words ("pngblip", "picw1240" ...)
    QByteArray data;    // the decoded picture
};

struct RtfReading {
    bool startsAsRtf = false;   // "{\rtf1"
    bool balanced = false;      // every group closed, none closed too often, nothing after the end
    QStringList words;          // every control word outside pictures, with its number
    QString text;               // the text outside pictures, \uN decoded
    QList<RtfPicture> pictures;
};

RtfReading readRtf(const QByteArray& rtf);

} // namespace pravik::test

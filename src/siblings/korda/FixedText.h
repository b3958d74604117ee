#pragma once
// Text fields of a fixed width, as the host's records and globals declare them. A CSTRING(n)
// holds n-1 characters (the last byte was the terminator), a STRING(n) holds n. Assigning a
// longer text keeps its beginning, the way the old runtime stored it; widths count characters,
// not bytes, so Polish letters take one place each.
#include <QString>
#include <QStringView>

namespace korda {

template <int MaxChars>
class FixedText {
    static_assert(MaxChars > 0);

public:
    static constexpr int kMaxChars = MaxChars;

    FixedText() = default;
    FixedText(const QString& text) : m_text(clip(text)) {}          // NOLINT: fields take plain texts
    FixedText(const char* text) : m_text(clip(QString::fromUtf8(text))) {} // NOLINT
    FixedText& operator=(const QString& text)
    {
        m_text = clip(text);
        return *this;
    }
    FixedText& operator=(const char* text) { return *this = QString::fromUtf8(text); }

    operator const QString&() const { return m_text; } // NOLINT: reads as a plain text
    const QString& text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    // Without the trailing blanks a fixed-width field gives back.
    QString trimmed() const
    {
        qsizetype n = m_text.size();
        while (n > 0 && m_text.at(n - 1) == QLatin1Char(' '))
            --n;
        return m_text.left(n);
    }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.m_text == b.m_text; }
    friend bool operator==(const FixedText& a, const QString& b) { return a.m_text == b; }
    friend bool operator==(const FixedText& a, const char* b) { return a.m_text == QString::fromUtf8(b); }

private:
    static QString clip(const QString& text)
    {
        if (text.size() <= MaxChars)
            return text;
        // Never leave half of a surrogate pair behind.
        qsizetype n = MaxChars;
        if (text.at(n - 1).isHighSurrogate())
            --n;
        return text.left(n);
    }

    QString m_text;
};

// CSTRING(n) of the host's declarations.
template <int Size>
using CString = FixedText<Size - 1>;
// STRING(n) of the host's declarations.
template <int Size>
using String = FixedText<Size>;

} // namespace korda

#pragma once
// The code pages matrix printers of Polish offices take: Windows-1250 (the default, what the
// application's texts were written in) and CP852 (the DOS "Latin 2" most needle printers have in
// their ROM). Qt's converters do not offer both on every build, so the tables are our own.
#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace tekston {

enum class CodePage { Cp1250, Cp852 };

// Characters the code page lacks become "?" (one per character, surrogate pairs included).
QByteArray encode(QStringView text, CodePage page);
// Undefined bytes become "?".
QString decode(const QByteArray& bytes, CodePage page);

// The code page a printer's control code names: "1250", "CP1250", "Windows-1250" -> Cp1250;
// "852", "CP852", "IBM852", "Latin2", "Latin-2" -> Cp852 (case, blanks, "-" and "_" ignored).
// An empty name is Cp1250; any other name is nullopt (the caller warns and uses Cp1250).
std::optional<CodePage> codePageByName(const QString& name);
QString codePageName(CodePage page);

} // namespace tekston

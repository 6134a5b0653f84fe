#pragma once
// Byte-to-Unicode conversion for the 8-bit text found in RTF files and metafiles:
// Windows code pages (Windows-1252 built in, the others through Qt's codecs) and the
// Symbol font, whose letters are Greek and mathematical signs.

#include <QByteArray>
#include <QString>

namespace eh::rtf {

// A code page number as RTF writes it (\ansicpg1252, \cpg1253); kSymbolCodePage marks
// the Symbol font's own encoding.
inline constexpr int kSymbolCodePage = 2;
inline constexpr int kDefaultCodePage = 1252;

// The code page of a Windows character set (\fcharsetN, lfCharSet); `documentCodePage`
// answers for the ANSI and default sets.
int codePageForCharset(int charset, int documentCodePage);

// The Unicode character the Symbol font shows for byte `b` (also for the private-use
// form U+F0xx that Windows gives Symbol-font characters).
char16_t symbolToUnicode(unsigned char b);

// Windows-1252, byte by byte.
char16_t cp1252ToUnicode(unsigned char b);

// Decodes `bytes` in `codePage`; unknown code pages fall back to Windows-1252.
QString decodeBytes(const QByteArray& bytes, int codePage);

// True when the family name is that of the Symbol font.
bool isSymbolFontName(const QString& family);

} // namespace eh::rtf

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// Windows-1252, the code page of the seating file. Qt's codecs for it need ICU,
// which Windows builds lack, so the program carries its own table: Latin-1 plus
// the 32 bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the C1 controls of the same value and
// write back as themselves, so every file of bytes survives a read and a write.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// The bytes for text, or nothing when a character has no byte in the code page.
std::optional<QByteArray> encode(QStringView text);

bool canEncode(QChar c);

// How messages name a character: "U+0081".
QString codePoint(QChar c);

// True for the five bytes that stand for no character in Windows-1252.
bool isUndefined(char byte);

} // namespace Cp1252

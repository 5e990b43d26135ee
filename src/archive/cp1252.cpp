// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Cp1252 {
namespace {

// The characters of bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr int HighFirst = 0x80;
constexpr int HighEnd = 0xA0;

QChar charOf(uchar byte)
{
    if (byte >= HighFirst && byte < HighEnd)
        return QChar(HighTable[byte - HighFirst]);
    return QChar(char16_t(byte));
}

// The byte for c, or -1.
int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < HighFirst || (u >= HighEnd && u <= 0xFF))
        return u;
    for (int i = 0; i < int(HighTable.size()); ++i) {
        if (HighTable[size_t(i)] == u)
            return HighFirst + i;
    }
    return -1;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char byte : bytes)
        *out++ = charOf(uchar(byte));
    return text;
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (QChar c : text) {
        const int byte = byteOf(c);
        if (byte < 0)
            return std::nullopt;
        *out++ = char(byte);
    }
    return bytes;
}

bool canEncode(QChar c)
{
    return byteOf(c) >= 0;
}

QString codePoint(QChar c)
{
    return u"U+%1"_s.arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0'));
}

bool isUndefined(char byte)
{
    const uchar b = uchar(byte);
    return b >= HighFirst && b < HighEnd && HighTable[b - HighFirst] == b;
}

} // namespace Cp1252

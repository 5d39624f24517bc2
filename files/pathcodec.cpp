// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/pathcodec.h"

namespace
{
constexpr char16_t escapeBase = 0xDC00; // U+DC80..U+DCFF carry the bytes 0x80..0xFF

// Length of the valid UTF-8 sequence at s[i], or 0 when the byte there starts none.
int validSequenceLength(std::string_view s, std::size_t i, char32_t &codePoint)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int length = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, codePoint = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, codePoint = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, codePoint = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (b & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < min || codePoint > 0x10FFFF || surrogate)
        return 0;
    return length;
}
}

QString decodePath(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            text.append(QChar(char16_t(b)));
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const int length = validSequenceLength(bytes, i, codePoint);
        if (length == 0) {
            text.append(QChar(static_cast<char16_t>(escapeBase + b)));
            ++i;
        } else {
            // Appended in place: QString::fromUcs4 would drop a lone U+FEFF as a
            // byte-order mark, and a QString per character costs more than the decoding.
            if (QChar::requiresSurrogates(codePoint)) {
                text.append(QChar(QChar::highSurrogate(codePoint)));
                text.append(QChar(QChar::lowSurrogate(codePoint)));
            } else {
                text.append(QChar(static_cast<char16_t>(codePoint)));
            }
            i += static_cast<std::size_t>(length);
        }
    }
    return text;
}

std::string encodePath(const QString &text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    const auto put = [&bytes](unsigned value) { bytes.push_back(static_cast<char>(value)); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        char32_t c = u;
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            c = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
            ++i;
        } else if (u >= 0xDC80 && u <= 0xDCFF) {
            put(u - escapeBase); // an escaped byte goes back as itself
            continue;
        }
        if (c < 0x80) {
            put(c);
        } else if (c < 0x800) {
            put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
        } else {
            put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F)),
                put(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

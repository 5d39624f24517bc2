// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/numbertext.h"

#include <charconv>
#include <string>

// Both directions use "." whatever the desktop's locale: the reading side
// understands nothing else, so the round trip must never produce a ",".

QString numberToText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    return text.replace(u'e', u'E');
}

double textToNumber(const QString &text)
{
    std::string number;
    qsizetype i = 0;
    const auto digits = [&] {
        qsizetype count = 0;
        for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i, ++count)
            number.push_back(static_cast<char>(text.at(i).unicode()));
        return count;
    };
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    qsizetype mantissaDigits = digits();
    if (i < text.size() && text.at(i) == u'.') {
        number.push_back('.');
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        const qsizetype mark = i;
        const std::size_t kept = number.size();
        number.push_back('e');
        ++i;
        if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
            number.push_back(static_cast<char>(text.at(i++).unicode()));
        if (digits() == 0) { // "1e" or "1e+": the exponent is not part of the number
            number.resize(kept);
            i = mark;
        }
    }
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

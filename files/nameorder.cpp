// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Collation through ICU (which Qt itself uses): QCollator falls back to plain
// code-point order in the C locale and cannot hand out its sort keys as
// bytes, and a folder of 100,000 names is sorted fastest by comparing keys
// computed once per name.
#include "files/nameorder.h"

#include "files/pathcodec.h"

#include <QVarLengthArray>

#include <unicode/ucol.h>

namespace
{
// The ICU locale for `locale`'s collation; "" is ICU's root locale, the
// common Unicode order, which is what C, C.UTF-8 and POSIX get.
std::string icuLocaleId(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return {};
    QString id = QLocale::languageToCode(locale.language());
    if (locale.script() != QLocale::AnyScript)
        id += u'_' + QLocale::scriptToCode(locale.script());
    if (locale.territory() != QLocale::AnyTerritory)
        id += u'_' + QLocale::territoryToCode(locale.territory());
    return id.toStdString();
}

UCollator *openCollator(const std::string &localeId)
{
    UErrorCode status = U_ZERO_ERROR;
    UCollator *collator = ucol_open(localeId.c_str(), &status);
    if (U_FAILURE(status))
        return nullptr;
    // Secondary strength: accents count, case does not.
    ucol_setStrength(collator, UCOL_SECONDARY);
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return nullptr;
    }
    return collator;
}

bool isEscapedByte(const char16_t *text, qsizetype i)
{
    return text[i] >= 0xDC80 && text[i] <= 0xDCFF && (i == 0 || !QChar::isHighSurrogate(text[i - 1]));
}
}

NameOrder::NameOrder(const QLocale &locale) : m_collator(openCollator(icuLocaleId(locale)))
{
    if (!m_collator)
        m_collator = openCollator({});
}

NameOrder::~NameOrder()
{
    if (m_collator)
        ucol_close(m_collator);
}

const NameOrder &NameOrder::user()
{
    static const NameOrder order(QLocale::system().collation());
    return order;
}

bool NameOrder::less(const QString &a, const QString &b) const
{
    std::string keyA, keyB;
    appendKey(a, keyA);
    appendKey(b, keyB);
    return keyA < keyB;
}

void NameOrder::appendKey(QStringView name, std::string &key) const
{
    appendKey(name, encodePath(name.toString()), key);
}

void NameOrder::appendKey(QStringView name, std::string_view bytes, std::string &key) const
{
    // The key is the collation key, which ends in its only zero byte, then the
    // exact bytes: those decide only between names that collate equal.
    const qsizetype n = name.size();
    const char16_t *text = name.utf16();
    QVarLengthArray<char16_t, 256> replaced;
    for (qsizetype i = 0; i < n; ++i) {
        if (!isEscapedByte(text, i))
            continue;
        if (replaced.isEmpty())
            replaced.append(text, n);
        replaced[i] = u'\uFFFD';
    }
    if (!replaced.isEmpty())
        text = replaced.data();
    const std::size_t start = key.size();
    auto room = static_cast<std::size_t>(2 * n + 16);
    for (int attempt = 0; m_collator && attempt < 2; ++attempt) {
        key.resize(start + room);
        const int32_t needed = ucol_getSortKey(m_collator, reinterpret_cast<const UChar *>(text),
            static_cast<int32_t>(n), reinterpret_cast<uint8_t *>(key.data() + start), static_cast<int32_t>(room));
        if (needed > 0 && static_cast<std::size_t>(needed) <= room) {
            key.resize(start + static_cast<std::size_t>(needed));
            key.append(bytes);
            return;
        }
        room = static_cast<std::size_t>(needed);
    }
    // No collator (ICU without its data): exact bytes alone.
    key.resize(start);
    key.push_back('\0');
    key.append(bytes);
}

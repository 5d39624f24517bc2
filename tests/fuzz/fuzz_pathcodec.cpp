// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The path codec must carry every name exactly: bytes -> text -> bytes gives
// the same bytes, and text it produced survives text -> bytes -> text. Any
// UTF-16 text, even one the codec never produces, must encode without harm.
#include "files/pathcodec.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const QString text = decodePath(bytes);
    if (encodePath(text) != bytes)
        std::abort();
    if (decodePath(encodePath(text)) != text)
        std::abort();

    // The same input read as UTF-16 units: whatever bytes it encodes to must
    // then round-trip like any name read from the disk.
    QString units(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(units.data(), data, size / 2 * 2);
    const std::string encoded = encodePath(units);
    if (encodePath(decodePath(encoded)) != encoded)
        std::abort();
    return 0;
}

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>

// The registry that the system information lookup reads, emulated in memory:
// values by root, key path and value name, read with the statuses, value types
// and buffer rule of the original host's calls. This system keeps no registry,
// so the desktop host's stays empty and every read answers "absent", as a
// missing key would; tests fill one. Key paths and value names match in any case.
class Registry
{
public:
    static constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
    static constexpr long ERROR_SUCCESS = 0;
    static constexpr long ERROR_FILE_NOT_FOUND = 2;
    static constexpr long ERROR_ACCESS_DENIED = 5;
    static constexpr long ERROR_INVALID_HANDLE = 6;
    static constexpr long ERROR_MORE_DATA = 234;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_EXPAND_SZ = 2;
    static constexpr std::uint32_t REG_DWORD = 4;

    struct Value {
        std::uint32_t type = REG_SZ;
        QByteArray data;
    };

    // Stores `value` as `name` of key `key` below `root`, making the key.
    void setValue(std::uint32_t root, const QString &key, const QString &name, const Value &value);
    // The only rights the account holds on `key`; without this call it holds all.
    void grant(std::uint32_t root, const QString &key, std::uint32_t rights);

    // Opens `subKey` below `root` for `access`: ERROR_SUCCESS with its handle in `key`;
    // ERROR_FILE_NOT_FOUND for a key that is not there; ERROR_ACCESS_DENIED when the
    // account lacks any of the rights asked for.
    long openKey(std::uint32_t root, const QByteArray &subKey, std::uint32_t access, std::uint32_t &key);
    // Reads value `name` of the open `key`. `data` comes in as the buffer, `size` as its
    // capacity; on success they hold the value's bytes and byte count. A value larger than
    // `size` answers ERROR_MORE_DATA with its byte count in `size`.
    long queryValue(
        std::uint32_t key, const QByteArray &name, std::uint32_t &type, QByteArray &data, std::uint32_t &size) const;
    long closeKey(std::uint32_t key);

    // How many opens were asked for in all, and how many keys are open now.
    [[nodiscard]] int opensAsked() const { return m_opensAsked; }
    [[nodiscard]] int keysOpen() const { return int(m_open.size()); }

private:
    QHash<QString, Value> m_values; // by root, key path and value name
    QSet<QString> m_keys; // root and key path of every key, parents included
    QHash<QString, std::uint32_t> m_rights; // by root and key path; a key not listed grants all
    QHash<std::uint32_t, QString> m_open; // handle to root and key path
    std::uint32_t m_nextHandle = 1;
    int m_opensAsked = 0;
};

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/registry.h"

namespace
{
// One spelling per key, whatever the case it is asked in.
QString keyPath(std::uint32_t root, const QString &key)
{
    return QString::number(root) + u'\\' + key.toCaseFolded();
}

// A value's place: its key's path, then its name behind a character no name holds.
QString valuePath(const QString &key, const QString &name)
{
    return key + QChar(u'\0') + name.toCaseFolded();
}
}

void Registry::setValue(std::uint32_t root, const QString &key, const QString &name, const Value &value)
{
    const QString path = keyPath(root, key);
    m_values.insert(valuePath(path, name), value);
    for (qsizetype end = path.size(); end > 0; end = path.lastIndexOf(u'\\', end - 1))
        m_keys.insert(path.left(end));
}

void Registry::grant(std::uint32_t root, const QString &key, std::uint32_t rights)
{
    m_rights.insert(keyPath(root, key), rights);
}

long Registry::openKey(std::uint32_t root, const QByteArray &subKey, std::uint32_t access, std::uint32_t &key)
{
    ++m_opensAsked;
    const QString path = keyPath(root, QString::fromLatin1(subKey));
    if (!m_keys.contains(path))
        return ERROR_FILE_NOT_FOUND;
    if ((access & ~m_rights.value(path, ~std::uint32_t {0})) != 0)
        return ERROR_ACCESS_DENIED;
    key = m_nextHandle++;
    m_open.insert(key, path);
    return ERROR_SUCCESS;
}

long Registry::queryValue(
    std::uint32_t key, const QByteArray &name, std::uint32_t &type, QByteArray &data, std::uint32_t &size) const
{
    const auto open = m_open.constFind(key);
    if (open == m_open.cend())
        return ERROR_INVALID_HANDLE;
    const auto found = m_values.constFind(valuePath(*open, QString::fromLatin1(name)));
    if (found == m_values.cend())
        return ERROR_FILE_NOT_FOUND;
    type = found->type;
    const auto bytes = static_cast<std::uint32_t>(found->data.size());
    if (bytes > size || found->data.size() > data.size()) {
        size = bytes;
        return ERROR_MORE_DATA;
    }
    data.replace(0, found->data.size(), found->data);
    size = bytes;
    return ERROR_SUCCESS;
}

long Registry::closeKey(std::uint32_t key)
{
    return m_open.remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The System Info button: locate the host's system information tool in two
// places, the registry's or this desktop's, and start it.
#include "about_box/frmabout.h"

#include "host/host.h"

#include <algorithm>

namespace
{
// READ_CONTROL with the six key rights from query value to create link.
constexpr std::uint32_t KeyAccess = 0x2003F;
constexpr std::uint32_t BufferSize = 1024;
// The registry root as the 32-bit signed handle callers pass (the bit pattern of 0x80000002).
constexpr std::int32_t HKeyLocalMachine = static_cast<std::int32_t>(Registry::HKEY_LOCAL_MACHINE);

// An open key, closed whichever way the lookup ends.
class OpenKey
{
public:
    explicit OpenKey(Registry &registry) : m_registry(registry) { }
    ~OpenKey()
    {
        if (m_open)
            m_registry.closeKey(m_key);
    }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    [[nodiscard]] bool open(std::int32_t root, const QString &path)
    {
        m_open = m_registry.openKey(static_cast<std::uint32_t>(root), path.toLatin1(), KeyAccess, m_key)
            == Registry::ERROR_SUCCESS;
        return m_open;
    }
    [[nodiscard]] std::uint32_t handle() const { return m_key; }

private:
    Registry &m_registry;
    std::uint32_t m_key = 0;
    bool m_open = false;
};

// A number stored as a DWORD, as decimal text: the kept bytes are read as an
// unsigned little-endian number. Bytes beyond eight cannot form a number; they
// give "&h" and two hex digits per byte, most significant first.
QString dwordText(const QByteArray &bytes)
{
    if (bytes.size() > 8) {
        QByteArray reversed(bytes);
        std::reverse(reversed.begin(), reversed.end());
        return QStringLiteral("&h") + QString::fromLatin1(reversed.toHex().toUpper());
    }
    quint64 value = 0;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(i));
    return QString::number(value);
}
}

bool frmAbout::GetKeyValue(
    const std::int32_t &KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    OpenKey key(m_host.registry());
    if (!key.open(KeyRoot, KeyName)) {
        KeyVal.clear();
        return false;
    }
    QByteArray buffer(BufferSize, '\0');
    std::uint32_t type = 0;
    std::uint32_t size = BufferSize;
    const long status = m_host.registry().queryValue(key.handle(), SubKeyRef.toLatin1(), type, buffer, size);
    // A size beyond the buffer can only mean the data did not fit: absent, like ERROR_MORE_DATA.
    if (status != Registry::ERROR_SUCCESS || size > static_cast<std::uint32_t>(buffer.size())) {
        KeyVal.clear();
        return false;
    }
    if (size == 0)
        throw HostError(HostError::Code::InvalidCall, tr("Invalid procedure call or argument"));
    // Only the one terminating NUL goes; a second one stays part of the value.
    const qsizetype kept = buffer.at(size - 1) == '\0' ? size - 1 : size;
    buffer.truncate(kept);
    if (type == Registry::REG_SZ)
        KeyVal = QString::fromLatin1(buffer);
    else if (type == Registry::REG_DWORD)
        KeyVal = dwordText(buffer);
    return true;
}

std::optional<Command> frmAbout::namedSysInfoTool(QString &SysInfoPath)
{
    if (GetKeyValue(HKeyLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
            QStringLiteral("PATH"), SysInfoPath))
        return Command {SysInfoPath, {}};
    return m_host.desktopSysInfoTool();
}

QStringList frmAbout::installedSysInfoTools(QString &SysInfoPath)
{
    if (GetKeyValue(HKeyLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
            QStringLiteral("MSINFO"), SysInfoPath))
        return {SysInfoPath + QStringLiteral("\\MSINFO32.EXE")};
    return m_host.installedSysInfoTools();
}

bool frmAbout::launchSysInfo(QString &SysInfoPath)
{
    // The first place names the program itself, launched untested; the second only where it exists.
    if (const std::optional<Command> named = namedSysInfoTool(SysInfoPath)) {
        m_host.launch(named->program, named->arguments);
        return true;
    }
    for (const QString &tool : installedSysInfoTools(SysInfoPath)) {
        if (!m_host.fileExists(tool).isEmpty()) {
            m_host.launch(tool, {});
            return true;
        }
    }
    return false;
}

void frmAbout::StartSysInfo()
{
    // Test-after: every failure on the way, found or raised, ends in the one message.
    QString SysInfoPath;
    bool launched = false;
    const auto failure = ErrorMode::testAfter([&] { launched = launchSysInfo(SysInfoPath); });
    if (failure || !launched)
        m_host.messageBox(
            tr("System Information Is Unavailable At This Time"), MsgBoxStyle::OkOnly, m_host.app().Title);
}

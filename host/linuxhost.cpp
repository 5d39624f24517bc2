// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/linuxhost.h"

#include "files/pathcodec.h"
#include "pictures/pictureloader.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The documents folder's path below the home folder, from the user's
// XDG user-dirs file; "Documents" when it says nothing.
QString documentsName(const QString &home)
{
    const QString configHome = qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME") ? home + QLatin1String("/.config")
                                                                              : qEnvironmentVariable("XDG_CONFIG_HOME");
    QFile file(configHome + QLatin1String("/user-dirs.dirs"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression line(QStringLiteral("^\\s*XDG_DOCUMENTS_DIR\\s*=\\s*\"\\$HOME/?([^\"]*)\""));
        while (!file.atEnd()) {
            const auto match = line.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch())
                return match.captured(1);
        }
    }
    return QStringLiteral("Documents");
}
}

LinuxHost::LinuxHost() = default;
LinuxHost::~LinuxHost() = default;

bool LinuxHost::userName(QString &buffer, std::uint32_t &size)
{
    const passwd *entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        return false;
    const QString name = decodePath(entry->pw_name);
    if (static_cast<std::uint32_t>(name.size()) + 1 > size)
        return false;
    buffer = name + QChar(u'\0');
    size = static_cast<std::uint32_t>(buffer.size());
    return true;
}

QString LinuxHost::documentsFolder(const QString &user)
{
    if (user.isEmpty())
        return {};
    const passwd *entry = getpwnam(encodePath(user).c_str());
    if (!entry || !entry->pw_dir)
        return {};
    const QString home = decodePath(entry->pw_dir);
    const QString name = documentsName(home);
    return name.isEmpty() ? home : home + u'/' + name;
}

void LinuxHost::messageBox(const QString &text, int style, const QString &title)
{
    QMessageBox box(style & MsgBoxStyle::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
        title.isEmpty() ? app().Title : title, text, QMessageBox::Ok);
    box.exec();
}

void LinuxHost::endProgram()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void LinuxHost::rename(const QString &from, const QString &to, const CopyProgress &progress)
{
    renameFile(from, to, progress);
}

Picture LinuxHost::loadPicture(const QString &path, QSize boxPixels)
{
    return loadPictureFile(path, boxPixels);
}

long LinuxHost::regOpenKeyEx(std::uint32_t, const QByteArray &, std::uint32_t, std::uint32_t, std::uint32_t &key)
{
    key = 0;
    return Registry::ERROR_FILE_NOT_FOUND; // no registry on this host
}

long LinuxHost::regQueryValueEx(std::uint32_t, const QByteArray &, std::uint32_t &, QByteArray &, std::uint32_t &)
{
    return Registry::ERROR_FILE_NOT_FOUND;
}

long LinuxHost::regCloseKey(std::uint32_t)
{
    return Registry::ERROR_SUCCESS;
}

QString LinuxHost::fileExists(const QString &path)
{
    struct stat st {
    };
    const QString name = path.section(u'/', -1);
    if (name.isEmpty() || name.startsWith(u'.') || stat(encodePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return name;
}

void LinuxHost::shell(const QString &program, int)
{
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        throw HostError::fromErrno(ENOENT);
}

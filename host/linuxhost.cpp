// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/linuxhost.h"

#include "files/filehandle.h"
#include "files/pathcodec.h"
#include "pictures/pictureloader.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ; // NOLINT: POSIX declares it nowhere else

namespace
{
// Starts `program` (looked up on PATH when it names no folder) with `arguments`
// in a session of its own, without waiting for it, and reaps it when it ends.
// posix_spawn runs nothing of this threaded process in the child but the exec.
bool startDetached(const QString &program, const QStringList &arguments)
{
    std::vector<std::string> words {encodePath(program)};
    for (const QString &argument : arguments)
        words.push_back(encodePath(argument));
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const bool started = ::posix_spawnp(&pid, words[0].c_str(), &actions, &attributes, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (started) {
        std::thread([pid] {
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
        }).detach();
    }
    return started;
}

// The word a shell assignment `name=word` gives its variable, with double quotes and
// backslash escapes undone; nothing when the line assigns another variable or none.
std::optional<QByteArray> assignedWord(const QByteArray &line, const QByteArray &name)
{
    QByteArray assignment = line.trimmed();
    if (assignment.startsWith("export "))
        assignment = assignment.mid(7).trimmed();
    if (!assignment.startsWith(QByteArray(name + '=')))
        return std::nullopt;
    const QByteArray raw = assignment.mid(name.size() + 1);
    QByteArray word;
    bool quoted = false;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (c == ' ' || c == '\t' || c == ';'))
            break;
        // Within double quotes a backslash escapes only these; outside, any character.
        if (c == '\\' && i + 1 < raw.size() && (!quoted || QByteArrayView("$`\"\\").contains(raw[i + 1])))
            c = raw[++i];
        word += c;
    }
    return word;
}

// The documents folder that the user's XDG user-dirs file names, "$HOME/…" taken in
// `home`, or an absolute path; the last such assignment wins, as the shell would have
// it. Without one, "Documents" in `home`. Names keep their exact bytes.
QString documentsFolderIn(const QString &home)
{
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QString config
        = configHome.isEmpty() ? home + QLatin1String("/.config") : decodePath(configHome.toStdString());
    std::ifstream file(encodePath(config + QLatin1String("/user-dirs.dirs")));
    QString folder = home + QLatin1String("/Documents");
    for (std::string line; std::getline(file, line);) {
        const auto word = assignedWord(QByteArray::fromStdString(line), "XDG_DOCUMENTS_DIR");
        if (word && word->startsWith("$HOME") && (word->size() == 5 || word->at(5) == '/'))
            folder = home + decodePath(word->mid(5).toStdString());
        else if (word && word->startsWith('/'))
            folder = decodePath(word->toStdString());
    }
    return folder;
}
}

LinuxHost::LinuxHost() = default;
LinuxHost::~LinuxHost() = default;

QString LinuxHost::userName()
{
    const passwd *entry = getpwuid(geteuid());
    return entry && entry->pw_name ? decodePath(entry->pw_name) : QString();
}

QString LinuxHost::documentsFolder(const QString &user)
{
    if (user.isEmpty())
        return {};
    const passwd *entry = getpwnam(encodePath(user).c_str());
    if (!entry || !entry->pw_dir)
        return {};
    return documentsFolderIn(decodePath(entry->pw_dir));
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

Registry &LinuxHost::registry()
{
    return m_registry;
}

std::optional<Command> LinuxHost::desktopSysInfoTool()
{
    return SysInfoTools::ofDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

QStringList LinuxHost::installedSysInfoTools()
{
    return SysInfoTools::onSearchPath(decodePath(qgetenv("PATH").toStdString()));
}

std::optional<FileId> LinuxHost::fileId(const QString &path)
{
    struct statx st {
    };
    if (::statx(AT_FDCWD, encodePath(path).c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &st) != 0)
        return std::nullopt;
    const std::int64_t born
        = st.stx_mask & STATX_BTIME ? st.stx_btime.tv_sec * 1'000'000'000LL + st.stx_btime.tv_nsec : 0;
    const FileId id {
        makedev(st.stx_dev_major, st.stx_dev_minor), st.stx_ino, born, fileHandle(AT_FDCWD, encodePath(path))};
    if (id.handle.empty() && !(st.stx_mask & STATX_BTIME))
        return std::nullopt;
    return id;
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

bool LinuxHost::isSpecialFile(const QString &path)
{
    struct stat st {
    };
    return stat(encodePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode);
}

void LinuxHost::launch(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty() || !startDetached(program, arguments))
        throw HostError::fromErrno(ENOENT);
}

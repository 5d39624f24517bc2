// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/appidentity.h"
#include "controls/appicon.h"
#include "controls/copyprogress.h"
#include "files/pathcodec.h"
#include "host/linuxhost.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{
// The arguments as text, each through the lossless codec, so that a path whose
// bytes are not valid UTF-8 still names the same file.
QStringList decodedArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(decodePath(argv[i]));
    return arguments;
}

// A relative path is taken from the current folder, as a shell user means it.
QString absolutePath(const QString &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(encodePath(path), error);
    return error ? path : decodePath(absolute.native());
}

// A command line that cannot be understood: say why on stderr, as command-line tools do.
int usageError(const QString &reason)
{
    std::fprintf(stderr, "zindle: %s\nTry 'zindle --help' for more information.\n", qPrintable(reason));
    return 2;
}

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Renames one file at a time, and can move it into another folder."));
    // Single-dash words are options, as the toolkit's own (-platform, -reverse) are, not runs of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("path"),
        QStringLiteral("A folder to open, or a file to choose in its folder."), QStringLiteral("[path]"));
}
}

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Zindle"));
    QApplication::setApplicationVersion(QLatin1String(AppIdentity::Version));
    QCommandLineParser parser;
    describe(parser);

    // Help and version are answered before the window system is reached, so
    // that they work without a display. The toolkit's own options (-platform,
    // -display...) are unknown here and do not stop them.
    parser.parse(decodedArguments(argc, argv));
    for (const QString &option : {QStringLiteral("version"), QStringLiteral("help"), QStringLiteral("help-all")}) {
        if (parser.isSet(option)) {
            const QCoreApplication core(argc, argv); // names the program in the usage line
            parser.process(
                {QCoreApplication::arguments().constFirst(), QStringLiteral("--") + option}); // prints, exits
        }
    }

    QApplication app(argc, argv); // takes its own options out of argv
    QGuiApplication::setDesktopFileName(QLatin1String(AppIdentity::Id));
    QApplication::setWindowIcon(appIcon()); // message boxes show it too
    if (!parser.parse(decodedArguments(argc, argv)))
        return usageError(parser.errorText());
    if (parser.positionalArguments().size() > 1)
        return usageError(QStringLiteral("Give one folder or file at most."));

    LinuxHost host;
    Form1 window(host);
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.openPath(absolutePath(parser.positionalArguments().constFirst()));
    const int status = QApplication::exec();
    // A move stuck in the system cannot be waited for, and must not find the program half taken
    // down should it wake: the program ends here, as if killed, which every move survives.
    if (movesRunning()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

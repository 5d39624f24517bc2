// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/appidentity.h"
#include "controls/appicon.h"
#include "controls/copyprogress.h"
#include "files/pathcodec.h"
#include "host/linuxhost.h"
#include "host/translations.h"
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
    std::fprintf(stderr, "zindle: %s\n%s\n", qPrintable(reason),
        qPrintable(QCoreApplication::translate("CommandLine", "Try 'zindle --help' for more information.")));
    return 2;
}

void hidden(QCommandLineParser &parser, const char *name, bool takesValue)
{
    QCommandLineOption option {QString::fromLatin1(name)};
    if (takesValue)
        option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Renames one file at a time, and can move it into another folder."));
    // Single-dash words are options, as the toolkit's own (-platform, -reverse) are, not runs of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QCoreApplication::translate("CommandLine", "path"),
        QCoreApplication::translate("CommandLine", "A folder to open, or a file to choose in its folder."),
        QCoreApplication::translate("CommandLine", "[path]"));
    // The toolkit's own options, taken out of the arguments later by the application object:
    // known here, so that the command line can be checked before a display is needed.
    for (const char *flag : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        hidden(parser, flag, false);
    for (const char *option :
        {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
            "session", "display", "geometry", "name", "title", "style", "stylesheet", "qmljsdebugger", "visual"})
        hidden(parser, option, true);
}

// Whether the program starts its window: a command line it understands and that asks for no answer.
bool startsWindow(int argc, char **argv)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(decodedArguments(argc, argv)))
        return false;
    for (const char *option : {"version", "help", "help-all"}) {
        if (parser.isSet(QLatin1String(option)))
            return false;
    }
    return parser.positionalArguments().size() <= 1;
}

// Answers --help and --version, or says why the command line cannot be understood, in the user's
// language and without a display; the exit status.
int answerCommandLine(int argc, char **argv)
{
    const QCoreApplication core(argc, argv); // names the program in the usage line
    Translations::installForUser();
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(decodedArguments(argc, argv)))
        return usageError(parser.errorText());
    for (const QString &option : {QStringLiteral("version"), QStringLiteral("help"), QStringLiteral("help-all")}) {
        if (parser.isSet(option))
            parser.process(
                {QCoreApplication::arguments().constFirst(), QStringLiteral("--") + option}); // prints, exits
    }
    return usageError(QCoreApplication::translate("CommandLine", "Give one folder or file at most."));
}
}

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Zindle"));
    QApplication::setApplicationVersion(QLatin1String(AppIdentity::Version));
    // The command line is settled before the window system is reached: help, version
    // and a command line that cannot be understood need no display.
    if (!startsWindow(argc, argv))
        return answerCommandLine(argc, argv);

    QApplication app(argc, argv); // takes its own options out of argv
    Translations::installForUser();
    QGuiApplication::setDesktopFileName(QLatin1String(AppIdentity::Id));
    QApplication::setWindowIcon(appIcon()); // message boxes show it too
    QCommandLineParser parser;
    describe(parser);
    parser.parse(decodedArguments(argc, argv)); // understood above; now without the toolkit's options

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

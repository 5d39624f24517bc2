// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: each run is a fresh process, timed from its start to its window's
// first paint, with its peak memory. The floor is a window of the same
// controls that reads the folder once with readdir and sorts the names' bytes.
#include "parts.h"
#include "probe.h"

#include "controls/lists.h"
#include "host/translations.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <dirent.h>
#include <sys/resource.h>

namespace
{
constexpr int Runs = 7;

QStringList toList(std::vector<std::string> &names)
{
    std::sort(names.begin(), names.end());
    QStringList list;
    list.reserve(qsizetype(names.size()));
    for (const std::string &name : names)
        list.append(QString::fromUtf8(name.data(), qsizetype(name.size())));
    return list;
}

// The floor's listing: one readdir, folders and the rest apart, names sorted by their bytes.
std::pair<QStringList, QStringList> sortedNames(const QString &folder)
{
    std::vector<std::string> folders, files;
    if (DIR *dir = ::opendir(folder.toLocal8Bit().constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                (entry->d_type == DT_DIR ? folders : files).emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    return {toList(folders), toList(files)};
}

// A window with the main window's controls at their places (in pixels), its file list returned.
QListView *floorWindow(QMainWindow &window, const QString &folder)
{
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Exit"));
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("Help"));
    help->addAction(QStringLiteral("About"));
    auto *central = new QWidget(&window);
    window.setCentralWidget(central);
    const auto at = [](QWidget *control, int left, int top, int width, int height) {
        control->setGeometry(left, top, width, height);
    };
    auto *drives = new QComboBox(central);
    drives->addItem(QStringLiteral("/"));
    at(drives, 8, 92, 193, 24);
    const auto list = [&](const QStringList &names, int left, int top, int width, int height) {
        auto *view = new QListView(central);
        view->setUniformItemSizes(true);
        view->setModel(new QStringListModel(names, view));
        at(view, left, top, width, height);
        return view;
    };
    const auto [folderNames, fileNames] = sortedNames(folder);
    list(folderNames, 8, 112, 193, 240);
    QListView *files = list(fileNames, 208, 94, 201, 258);
    at(new QLabel(central), 424, 64, 482, 320); // the preview
    auto *frame = new QGroupBox(central);
    at(frame, 24, 415, 881, 105);
    for (int i = 0; i < 3; ++i)
        at(new QFrame(frame), 8 + 280 * i, 8, 270, 90);
    for (int i = 0; i < 10; ++i)
        at(new QLabel(QStringLiteral("Label"), i < 4 ? frame : central), 24 + 80 * i, i < 4 ? 40 : 528, 75, 25);
    for (int i = 0; i < 6; ++i)
        at(new QLineEdit(central), 62 + 140 * i, 472, 130, 27);
    at(new QCheckBox(central), 40, 472, 17, 25);
    at(new QPushButton(QStringLiteral("Rename"), central), 709, 452, 188, 49);
    window.resize(924, 644 + window.menuBar()->sizeHint().height());
    return files;
}

// Reports once `view` has first been painted, then quits.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *view) { view->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // After the paint, and the window's flush that follows it.
            QTimer::singleShot(0, [] {
                rusage usage {};
                ::getrusage(RUSAGE_SELF, &usage);
                std::printf("%.3f %ld\n", monotonicMs(), usage.ru_maxrss);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

struct StartUp {
    double ms = 0;
    double peakKiB = 0;
};

StartUp runChild(const QString &self, const QString &which, const QString &folder, const QString &config)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    child.setProcessEnvironment(environment);
    const double started = monotonicMs();
    child.start(self, {QStringLiteral("--start-up"), which, folder});
    if (!child.waitForFinished(60000) || child.exitCode() != 0)
        std::fprintf(stderr, "start-up child failed: %s\n", child.readAllStandardError().constData());
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 2)
        return {};
    return {figures[0].toDouble() - started, figures[1].toDouble()};
}
}

int runStartupChild(const QString &which, const QString &folder)
{
    if (which == QLatin1String("program")) {
        Translations::installForUser(); // in the user's language, as the program starts
        BenchHost host;
        Form1 window(host);
        FirstPaint painted(window.File1->viewport());
        window.show();
        return QApplication::exec();
    }
    QMainWindow window;
    FirstPaint painted(floorWindow(window, folder)->viewport());
    window.show();
    return QApplication::exec();
}

bool benchStartup(const QString &folder, const QString &self)
{
    // The program finds its documents folder in the user's XDG settings.
    QTemporaryDir config;
    QFile dirs(config.path() + QStringLiteral("/user-dirs.dirs"));
    if (!dirs.open(QIODevice::WriteOnly) || dirs.write("XDG_DOCUMENTS_DIR=\"" + folder.toUtf8() + "\"\n") <= 0)
        return false;
    dirs.close();
    std::vector<double> programMs, floorMs, programKiB, floorKiB;
    runChild(self, QStringLiteral("floor"), folder, config.path()); // warm the caches alike for both
    for (int run = 0; run < Runs; ++run) {
        const StartUp floor = runChild(self, QStringLiteral("floor"), folder, config.path());
        const StartUp program = runChild(self, QStringLiteral("program"), folder, config.path());
        floorMs.push_back(floor.ms);
        floorKiB.push_back(floor.peakKiB);
        programMs.push_back(program.ms);
        programKiB.push_back(program.peakKiB);
    }
    std::printf("1. Start-up with %d files, median of %d fresh processes each\n", FileCount, Runs);
    const bool fast = reportBar("start-up to the painted window", median(programMs), median(floorMs), 1.2, "ms");
    const bool small = reportBar("peak memory", median(programKiB) / 1024, median(floorKiB) / 1024, 1.2, "MiB");
    return fast && small;
}

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"
#include "testsupport/fakehost.h"

#include "testsupport/testfiles.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace
{
const QString key1 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString key2 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");
constexpr std::uint32_t HKLM = Registry::HKEY_LOCAL_MACHINE;

// Answers its own application title.
class TitledHost : public FakeHost
{
public:
    [[nodiscard]] AppInfo app() const override { return {QStringLiteral("Renamer Test"), 3, 1, 4}; }
};

// The desktop host, that reads the environment and starts real programs; only its message box is replaced.
class DesktopHost : public LinuxHost
{
public:
    QList<QString> messages;
    void messageBox(const QString &text, int, const QString &) override { messages.append(text); }
};
}

class TestSysInfo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void getKeyValue_data();
    void getKeyValue();
    void getKeyValueOfNoData();
    void startSysInfo_data();
    void startSysInfo();
    void desktopTools_data();
    void desktopTools();
    void cleanup()
    {
        qputenv("PATH", m_path);
        QDir::setCurrent(m_folder);
    }

private:
    const QByteArray m_path = qgetenv("PATH");
    const QString m_folder = QDir::currentPath();
};

void TestSysInfo::getKeyValue_data()
{
    QTest::addColumn<int>("type"); // 0: the value does not exist
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<uint>("rights"); // the account's rights on the key; 0: all
    QTest::addColumn<QString>("keyValIn");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("keyValOut");

    const QString junk = QStringLiteral("junk");
    QTest::newRow("string with its terminating NUL")
        << 1 << QByteArray("C:\\x.exe\0", 9) << 0u << junk << true << QStringLiteral("C:\\x.exe");
    QTest::newRow("string without terminator")
        << 1 << QByteArray("C:\\x.exe") << 0u << junk << true << QStringLiteral("C:\\x.exe");
    QTest::newRow("two trailing NULs keep one")
        << 1 << QByteArray("ab\0\0", 4) << 0u << QString() << true << QStringLiteral("ab") + QChar(u'\0');
    QTest::newRow("bytes are Latin-1 characters")
        << 1 << QByteArray("caf\xe9\0", 5) << 0u << QString() << true << QStringLiteral("caf\u00e9");
    QTest::newRow("NUL alone gives empty text") << 1 << QByteArray(1, '\0') << 0u << junk << true << QString();
    QTest::newRow("exactly 1024 bytes") << 1 << QByteArray(1024, 'a') << 0u << QString() << true << QString(1024, u'a');
    QTest::newRow("over 1024 bytes is absent") << 1 << QByteArray(1025, 'a') << 0u << junk << false << QString();
    QTest::newRow("expandable string leaves KeyVal") << 2 << QByteArray("%x%\0", 4) << 0u << junk << true << junk;
    QTest::newRow("number 12345") << 4 << QByteArray("\x39\x30\0\0", 4) << 0u << QString() << true
                                  << QStringLiteral("12345");
    QTest::newRow("number with every byte set")
        << 4 << QByteArray("\x12\x34\x56\x78", 4) << 0u << QString() << true << QStringLiteral("2018915346");
    QTest::newRow("value absent") << 0 << QByteArray() << 0u << junk << false << QString();
    QTest::newRow("open refused for a right reading does not need")
        << 1 << QByteArray("x\0", 2) << 0x20019u << junk << false << QString();
    QTest::newRow("exactly the rights asked for")
        << 1 << QByteArray("x\0", 2) << 0x2003Fu << junk << true << QStringLiteral("x");
}

void TestSysInfo::getKeyValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(uint, rights);
    QFETCH(QString, keyValIn);
    FakeHost host;
    Registry &registry = host.registry();
    const QString keyPath = QStringLiteral("SOFTWARE\\Test");
    registry.setValue(HKLM, keyPath, QStringLiteral("Other"), {1, QByteArray("o\0", 2)});
    if (type != 0)
        registry.setValue(HKLM, keyPath, QStringLiteral("Value"), {std::uint32_t(type), data});
    if (rights != 0)
        registry.grant(HKLM, keyPath, rights);
    frmAbout box(host, nullptr);

    // The key asked in another case: the registry's names know no case.
    QString keyVal = keyValIn;
    const bool found = box.GetKeyValue(
        static_cast<std::int32_t>(0x80000002u), QStringLiteral("Software\\test"), QStringLiteral("VALUE"), keyVal);

    QTEST(found, "found");
    QTEST(keyVal, "keyValOut");
    QCOMPARE(registry.keysOpen(), 0);
}

void TestSysInfo::getKeyValueOfNoData()
{
    FakeHost host;
    host.registry().setValue(1, QStringLiteral("K"), QStringLiteral("V"), {1, QByteArray()});
    frmAbout box(host, nullptr);
    QString keyVal;
    QVERIFY_THROWS_EXCEPTION(HostError, box.GetKeyValue(1, QStringLiteral("K"), QStringLiteral("V"), keyVal));
    QCOMPARE(host.registry().keysOpen(), 0);
}

void TestSysInfo::startSysInfo_data()
{
    QTest::addColumn<int>("type1"); // 0: location absent
    QTest::addColumn<QByteArray>("value1");
    QTest::addColumn<int>("type2");
    QTest::addColumn<QByteArray>("value2");
    QTest::addColumn<QStringList>("desktop"); // the desktop's own tool and its arguments; empty: none
    QTest::addColumn<QStringList>("onPath"); // the tools found on the search path
    QTest::addColumn<QStringList>("files"); // files that exist, and can be started
    QTest::addColumn<QStringList>("launched"); // program and arguments; empty: nothing starts, the message shows
    QTest::addColumn<int>("keysOpened");

    const QByteArray tools("C:\\Tools\0", 9);
    const QStringList toolFile {QStringLiteral("C:\\Tools\\MSINFO32.EXE")};
    const QString program = QStringLiteral("C:\\Win\\msinfo32.exe");
    const QStringList kinfo {QStringLiteral("kinfocenter"), QStringLiteral("--about")};
    const QStringList hardinfo {QStringLiteral("/usr/bin/hardinfo")};
    const QStringList none;
    const auto row = [&](const char *name, int type1, const QByteArray &value1, int type2, const QByteArray &value2,
                         const QStringList &files, const QStringList &launched, int keysOpened,
                         const QStringList &desktop = {}, const QStringList &onPath = {}) {
        QTest::newRow(name) << type1 << value1 << type2 << value2 << desktop << onPath << files << launched
                            << keysOpened;
    };
    const QByteArray missing;
    row("location 1 startable", 1, QByteArray("C:\\Win\\msinfo32.exe\0", 20), 1, tools,
        toolFile + QStringList {program}, {program}, 1, kinfo);
    row("location 1 names a missing program", 1, QByteArray("C:\\gone.exe\0", 12), 1, tools, toolFile, none, 1, kinfo);
    row("location 2 folder holds the tool", 0, missing, 1, tools, toolFile, toolFile, 2, none, hardinfo);
    row("location 2 folder lacks the tool", 0, missing, 1, tools, hardinfo, none, 2, none, hardinfo);
    row("both absent", 0, missing, 0, missing, toolFile, none, 2);
    row("no data at location 1", 1, QByteArray(), 1, tools, toolFile, none, 1);
    row("no data at location 2", 0, missing, 1, QByteArray(), toolFile + hardinfo, none, 2, none, hardinfo);
    row("location 1 too long, location 2 used", 1, QByteArray(2000, 'x'), 1, tools, toolFile, toolFile, 2);
    row("location 1 expandable string launches empty path", 2, QByteArray("C:\\Win\\msinfo32.exe\0", 20), 1, tools,
        toolFile + QStringList {program}, none, 1);
    row("no registry: the desktop's own tool", 0, missing, 0, missing, kinfo.mid(0, 1) + hardinfo, kinfo, 1, kinfo,
        hardinfo);
    row("the desktop's tool missing: no search", 0, missing, 0, missing, hardinfo, none, 1, kinfo, hardinfo);
    row("no registry, no desktop tool: the first tool that exists", 0, missing, 0, missing, hardinfo, hardinfo, 2, none,
        QStringList {QStringLiteral("/opt/gone")} + hardinfo);
}

void TestSysInfo::startSysInfo()
{
    QFETCH(int, type1);
    QFETCH(QByteArray, value1);
    QFETCH(int, type2);
    QFETCH(QByteArray, value2);
    QFETCH(QStringList, desktop);
    QFETCH(QStringList, onPath);
    QFETCH(QStringList, files);
    QFETCH(QStringList, launched);
    TitledHost host;
    if (type1 != 0)
        host.registry().setValue(HKLM, key1, QStringLiteral("PATH"), {std::uint32_t(type1), value1});
    if (type2 != 0)
        host.registry().setValue(HKLM, key2, QStringLiteral("MSINFO"), {std::uint32_t(type2), value2});
    if (!desktop.isEmpty())
        host.desktopTool = Command {desktop.first(), desktop.mid(1)};
    host.searchPathTools = onPath;
    host.existingFiles = files;
    host.startable = files;
    frmAbout box(host, nullptr);

    box.cmdSysInfo->click();

    QTEST(host.registry().opensAsked(), "keysOpened");
    QCOMPARE(host.registry().keysOpen(), 0);
    if (launched.isEmpty()) {
        QVERIFY(host.launched.isEmpty());
        QCOMPARE(host.messages.size(), 1);
        QCOMPARE(host.messages[0].text, unavailable);
        QCOMPARE(host.messages[0].style, 0);
        QCOMPARE(host.messages[0].title, host.app().Title);
    } else {
        const FakeHost::Launch expected {launched.first(), launched.mid(1)};
        QCOMPARE(host.launched, QList<FakeHost::Launch> {expected});
        QVERIFY(host.messages.isEmpty());
    }
}

// The desktop host's own places: real programs that record how they were started, found through
// XDG_CURRENT_DESKTOP and a search path of folders in a temporary folder.
void TestSysInfo::desktopTools_data()
{
    QTest::addColumn<QString>("desktop"); // XDG_CURRENT_DESKTOP
    QTest::addColumn<QString>("searchPath"); // PATH, its folders below the temporary folder unless relative
    QTest::addColumn<QStringList>("programs"); // the recorders installed; "!" marks one that may not be run
    QTest::addColumn<QStringList>("recorded"); // how the launched one was started; empty: the message shows

    const QStringList gnome {QStringLiteral("bin/gnome-control-center"), QStringLiteral("info-overview")};
    const QString bin = QStringLiteral("/bin");
    const QString both = QStringLiteral("/bin:/bin2");
    const auto list = [](const char *text) { return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts); };
    QTest::newRow("GNOME Settings' About panel")
        << "GNOME" << bin << list("bin/gnome-control-center bin/hardinfo") << gnome;
    QTest::newRow("the first known of several desktops")
        << "ubuntu:GNOME" << bin << list("bin/gnome-control-center") << gnome;
    QTest::newRow("KDE Info Center") << "KDE" << bin << list("bin/kinfocenter") << list("bin/kinfocenter");
    QTest::newRow("Xfce's about") << "XFCE" << bin << list("bin/xfce4-about") << list("bin/xfce4-about");
    QTest::newRow("Cinnamon's system info")
        << "X-Cinnamon" << bin << list("bin/cinnamon-settings") << list("bin/cinnamon-settings info");
    QTest::newRow("MATE's system tab") << "MATE" << bin << list("bin/mate-system-monitor")
                                       << list("bin/mate-system-monitor --show-system-tab");
    QTest::newRow("the desktop's program missing: no search")
        << "GNOME" << bin << list("bin/hardinfo") << QStringList();
    QTest::newRow("unknown desktop: the most complete tool on the path")
        << "sway" << both << list("bin/gnome-system-monitor bin2/hardinfo") << list("bin2/hardinfo");
    QTest::newRow("no desktop: the first folder that has it")
        << "" << both << list("bin/kinfocenter bin2/kinfocenter") << list("bin/kinfocenter");
    QTest::newRow("one that may not be run is passed over")
        << "" << both << list("!bin/hardinfo bin2/hardinfo") << list("bin2/hardinfo");
    QTest::newRow("a relative folder is not searched") << ""
                                                       << "bin" << list("bin/hardinfo") << QStringList();
    QTest::newRow("nothing anywhere") << "" << both << QStringList() << QStringList();
}

void TestSysInfo::desktopTools()
{
    QFETCH(QString, desktop);
    QFETCH(QString, searchPath);
    QFETCH(QStringList, programs);
    QFETCH(QStringList, recorded);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString root = dir.path() + u'/';
    const QString record = root + QStringLiteral("record");
    for (QString program : programs) {
        const bool runnable = !program.startsWith(u'!');
        program.remove(u'!');
        QVERIFY(QDir(root).mkpath(program.section(u'/', 0, -2)));
        QFile script(root + program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        // Shell built-ins only: the search path is the test's. The last line says the record is whole.
        script.write("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" end >'" + record.toUtf8() + "'\n");
        script.setPermissions(runnable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner : QFile::ReadOwner);
    }
    QStringList folders;
    for (const QString &folder : searchPath.split(u':'))
        folders << (folder.startsWith(u'/') ? dir.path() + folder : folder);
    qputenv("PATH", folders.join(u':').toUtf8());
    qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
    QVERIFY(QDir::setCurrent(dir.path()));
    DesktopHost host;
    frmAbout box(host, nullptr);

    box.cmdSysInfo->click();

    if (recorded.isEmpty()) {
        QCOMPARE(host.messages, QList<QString> {unavailable});
        QTest::qWait(300); // time for a program started anyway to leave its record
        QVERIFY(!TestFiles::exists(record));
        return;
    }
    QVERIFY(host.messages.isEmpty());
    QTRY_VERIFY(TestFiles::read(record).endsWith("end\n"));
    recorded[0].prepend(root);
    recorded << QStringLiteral("end");
    QCOMPARE(QString::fromUtf8(TestFiles::read(record)).split(u'\n', Qt::SkipEmptyParts), recorded);
}

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box/frmabout.h"
#include "testsupport/fakehost.h"

#include <QPushButton>
#include <QTest>

namespace
{
const QString key1 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString key2 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

// Records the registry root of every open, and answers its own application title.
class RecordingHost : public FakeHost
{
public:
    QList<std::uint32_t> roots;
    [[nodiscard]] AppInfo app() const override { return {QStringLiteral("Renamer Test"), 3, 1, 4}; }
    long regOpenKeyEx(std::uint32_t root, const QByteArray &subKey, std::uint32_t options, std::uint32_t access,
        std::uint32_t &key) override
    {
        roots.append(root);
        return FakeHost::regOpenKeyEx(root, subKey, options, access, key);
    }
};

// The desktop host with no registry; only its message box is replaced.
class DesktopHost : public LinuxHost
{
public:
    QList<QString> messages;
    void messageBox(const QString &text, int, const QString &) override { messages.append(text); }
    void shell(const QString &program, int) override { messages.append(QStringLiteral("launched ") + program); }
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
    void startSysInfoWithoutRegistry();
};

void TestSysInfo::getKeyValue_data()
{
    QTest::addColumn<int>("type"); // 0: the value does not exist
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("keyValIn");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("keyValOut");

    const QString junk = QStringLiteral("junk");
    QTest::newRow("string with its terminating NUL")
        << 1 << QByteArray("C:\\x.exe\0", 9) << false << junk << true << QStringLiteral("C:\\x.exe");
    QTest::newRow("string without terminator")
        << 1 << QByteArray("C:\\x.exe") << false << junk << true << QStringLiteral("C:\\x.exe");
    QTest::newRow("two trailing NULs keep one")
        << 1 << QByteArray("ab\0\0", 4) << false << QString() << true << QStringLiteral("ab") + QChar(u'\0');
    QTest::newRow("bytes are Latin-1 characters")
        << 1 << QByteArray("caf\xe9\0", 5) << false << QString() << true << QStringLiteral("caf\u00e9");
    QTest::newRow("NUL alone gives empty text") << 1 << QByteArray(1, '\0') << false << junk << true << QString();
    QTest::newRow("exactly 1024 bytes") << 1 << QByteArray(1024, 'a') << false << QString() << true
                                        << QString(1024, u'a');
    QTest::newRow("over 1024 bytes is absent") << 1 << QByteArray(1025, 'a') << false << junk << false << QString();
    QTest::newRow("expandable string leaves KeyVal") << 2 << QByteArray("%x%\0", 4) << false << junk << true << junk;
    QTest::newRow("number 12345") << 4 << QByteArray("\x39\x30\0\0", 4) << false << QString() << true
                                  << QStringLiteral("12345");
    QTest::newRow("number with every byte set")
        << 4 << QByteArray("\x12\x34\x56\x78", 4) << false << QString() << true << QStringLiteral("2018915346");
    QTest::newRow("value absent") << 0 << QByteArray() << false << junk << false << QString();
    QTest::newRow("open refused") << 1 << QByteArray("x\0", 2) << true << junk << false << QString();
}

void TestSysInfo::getKeyValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, refused);
    QFETCH(QString, keyValIn);
    RecordingHost host;
    const QString keyPath = QStringLiteral("SOFTWARE\\Test");
    host.registry.insert(keyPath + QStringLiteral("\\Other"), {1, QByteArray("o\0", 2)});
    if (type != 0)
        host.registry.insert(keyPath + QStringLiteral("\\Value"), {std::uint32_t(type), data});
    if (refused)
        host.refusedKeys.append(keyPath);
    frmAbout box(host, nullptr);

    QString keyVal = keyValIn;
    const bool found
        = box.GetKeyValue(static_cast<std::int32_t>(0x80000002u), keyPath, QStringLiteral("Value"), keyVal);

    QTEST(found, "found");
    QTEST(keyVal, "keyValOut");
    QCOMPARE(host.roots, QList<std::uint32_t> {0x80000002u});
    QCOMPARE(host.openAccess, QList<std::uint32_t> {0x2003Fu});
    QCOMPARE(host.openKeys, 0);
}

void TestSysInfo::getKeyValueOfNoData()
{
    RecordingHost host;
    host.registry.insert(QStringLiteral("K\\V"), {1, QByteArray()});
    frmAbout box(host, nullptr);
    QString keyVal;
    QVERIFY_THROWS_EXCEPTION(HostError, box.GetKeyValue(1, QStringLiteral("K"), QStringLiteral("V"), keyVal));
    QCOMPARE(host.openKeys, 0);
}

void TestSysInfo::startSysInfo_data()
{
    QTest::addColumn<int>("type1"); // 0: location absent
    QTest::addColumn<QByteArray>("value1");
    QTest::addColumn<int>("type2");
    QTest::addColumn<QByteArray>("value2");
    QTest::addColumn<QStringList>("files"); // files that exist, and can be started
    QTest::addColumn<QString>("launched"); // empty: nothing starts, the message shows
    QTest::addColumn<int>("keysOpened");

    const QByteArray tools("C:\\Tools\0", 9);
    const QStringList toolFile {QStringLiteral("C:\\Tools\\MSINFO32.EXE")};
    const QString program = QStringLiteral("C:\\Win\\msinfo32.exe");
    QTest::newRow("location 1 startable") << 1 << QByteArray("C:\\Win\\msinfo32.exe\0", 20) << 1 << tools
                                          << (toolFile + QStringList {program}) << program << 1;
    QTest::newRow("location 1 names a missing program")
        << 1 << QByteArray("C:\\gone.exe\0", 12) << 1 << tools << toolFile << QString() << 1;
    QTest::newRow("location 2 folder holds the tool")
        << 0 << QByteArray() << 1 << tools << toolFile << toolFile[0] << 2;
    QTest::newRow("location 2 folder lacks the tool")
        << 0 << QByteArray() << 1 << tools << QStringList() << QString() << 2;
    QTest::newRow("both absent") << 0 << QByteArray() << 0 << QByteArray() << toolFile << QString() << 2;
    QTest::newRow("no data at location 1") << 1 << QByteArray() << 1 << tools << toolFile << QString() << 1;
    QTest::newRow("no data at location 2") << 0 << QByteArray() << 1 << QByteArray() << toolFile << QString() << 2;
    QTest::newRow("location 1 too long, location 2 used")
        << 1 << QByteArray(2000, 'x') << 1 << tools << toolFile << toolFile[0] << 2;
    QTest::newRow("location 1 expandable string launches empty path")
        << 2 << QByteArray("C:\\Win\\msinfo32.exe\0", 20) << 1 << tools << (toolFile + QStringList {program})
        << QString() << 1;
}

void TestSysInfo::startSysInfo()
{
    QFETCH(int, type1);
    QFETCH(QByteArray, value1);
    QFETCH(int, type2);
    QFETCH(QByteArray, value2);
    QFETCH(QStringList, files);
    QFETCH(QString, launched);
    RecordingHost host;
    if (type1 != 0)
        host.registry.insert(key1 + QStringLiteral("\\PATH"), {std::uint32_t(type1), value1});
    if (type2 != 0)
        host.registry.insert(key2 + QStringLiteral("\\MSINFO"), {std::uint32_t(type2), value2});
    host.existingFiles = files;
    host.startable = files;
    frmAbout box(host, nullptr);

    box.cmdSysInfo->click();

    QTEST(int(host.openedKeys.size()), "keysOpened");
    QCOMPARE(host.openKeys, 0);
    if (launched.isEmpty()) {
        QVERIFY(host.launched.isEmpty());
        QCOMPARE(host.messages.size(), 1);
        QCOMPARE(host.messages[0].text, unavailable);
        QCOMPARE(host.messages[0].style, 0);
        QCOMPARE(host.messages[0].title, host.app().Title);
    } else {
        QCOMPARE(host.launched, QList<QString> {launched});
        QCOMPARE(host.launchStyles, QList<int> {1});
        QVERIFY(host.messages.isEmpty());
    }
}

void TestSysInfo::startSysInfoWithoutRegistry()
{
    DesktopHost host;
    frmAbout box(host, nullptr);
    box.StartSysInfo();
    QCOMPARE(host.messages, QList<QString> {unavailable});
}

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The manual and the README list every key the program answers, and no other:
// each is held to the program's key table, and the table to the shortcuts and
// access keys the windows really have. A key added to the program fails here
// until both documents describe it.
#include "about_box/frmabout.h"
#include "main_window/form1.h"
#include "main_window/keytable.h"
#include "testsupport/fakehost.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace
{
// A key where it acts: "Ctrl+Z (main window)".
using Keys = QSet<QString>;

Keys expand(const QString &keys, const QString &where)
{
    Keys expanded;
    for (const QString &key : keys.split(QStringLiteral(", ")))
        expanded.insert(key + QStringLiteral(" (") + where + u')');
    return expanded;
}

Keys ofTable()
{
    Keys keys;
    for (const KeyRow &row : keyTable())
        keys += expand(QLatin1String(row.keys), QLatin1String(row.where));
    return keys;
}

QString sourceText(const char *file)
{
    QFile source(QStringLiteral(ZINDLE_SOURCE_DIR "/") + QLatin1String(file));
    return source.open(QIODevice::ReadOnly) ? QString::fromUtf8(source.readAll()) : QString();
}

// The section from `heading` to the next heading of the same kind.
QString section(const QString &text, const QString &heading, const QString &next)
{
    const qsizetype start = text.indexOf(heading);
    return start < 0 ? QString() : text.mid(start, text.indexOf(next, start + heading.size()) - start);
}

// The man page's KEYS: after each .TP, `.BR "keys" " (where)"`.
Keys ofManual(QStringList &malformed)
{
    Keys keys;
    const QStringList lines
        = section(sourceText("data/zindle.1.in"), QStringLiteral(".SH KEYS"), QStringLiteral("\n.SH ")).split(u'\n');
    static const QRegularExpression entry(QStringLiteral("^\\.BR \"([^\"]+)\" \" \\(([^)]+)\\)\"$"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i - 1] != QLatin1String(".TP"))
            continue;
        const QRegularExpressionMatch match = entry.match(lines[i]);
        if (match.hasMatch())
            keys += expand(match.captured(1), match.captured(2));
        else
            malformed.append(lines[i]);
    }
    return keys;
}

// The README's keyboard table: | keys | where | what |.
Keys ofReadme(QStringList &malformed)
{
    Keys keys;
    const QString table = section(sourceText("README.md"), QStringLiteral("## Keyboard"), QStringLiteral("\n## "));
    for (const QString &line : table.split(u'\n')) {
        if (!line.startsWith(u'|') || line.startsWith(QLatin1String("| Key |")) || line.startsWith(QLatin1String("|-")))
            continue;
        const QStringList cells = line.split(u'|');
        if (cells.size() == 5)
            keys += expand(cells[1].trimmed(), cells[2].trimmed());
        else
            malformed.append(line);
    }
    return keys;
}

QString listed(const Keys &keys)
{
    QStringList sorted(keys.begin(), keys.end());
    sorted.sort();
    return sorted.join(QStringLiteral("; "));
}

// The access key a caption gives ("&System Info..." gives Alt+S), if any.
QString accessKey(const QString &caption)
{
    return keyName(QKeySequence::mnemonic(caption));
}
}

class TestKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void documentsListTheTable_data()
    {
        QTest::addColumn<QString>("document");
        QTest::newRow("man page") << "man page";
        QTest::newRow("README") << "README";
    }

    void documentsListTheTable()
    {
        QFETCH(QString, document);
        QStringList malformed;
        const Keys listed = document == QLatin1String("README") ? ofReadme(malformed) : ofManual(malformed);
        QVERIFY2(malformed.isEmpty(), qPrintable(QStringLiteral("not read as a key: ") + malformed.join(u'\n')));
        QVERIFY2(!listed.isEmpty(), "no keys found");
        const Keys table = ofTable();
        QVERIFY2((table - listed).isEmpty(), qPrintable(QStringLiteral("missing: ") + ::listed(table - listed)));
        QVERIFY2(
            (listed - table).isEmpty(), qPrintable(QStringLiteral("not the program's: ") + ::listed(listed - table)));
    }

    // The windows' shortcuts are the table's, and every access key they have is in it, where it acts.
    void windowsHaveTheTablesKeys()
    {
        FakeHost host;
        Form1 main(host);
        frmAbout about(host, &main);
        for (const QAction *action : main.findChildren<QAction *>())
            QCOMPARE(action->shortcuts(), shortcutsOf(qPrintable(action->objectName())));
        QVERIFY(about.cmdOK->isDefault()); // Enter and Esc press it
        Keys real {QStringLiteral("Enter (About box)"), QStringLiteral("Esc (About box)")};
        for (const QAction *menu : main.menuBar()->actions())
            real.insert(accessKey(menu->text()) + QStringLiteral(" (main window)"));
        for (const QAbstractButton *button : about.findChildren<QAbstractButton *>()) {
            if (!accessKey(button->text()).isEmpty())
                real.insert(accessKey(button->text()) + QStringLiteral(" (About box)"));
        }
        QVERIFY2((real - ofTable()).isEmpty(),
            qPrintable(QStringLiteral("not in the key table: ") + listed(real - ofTable())));
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"

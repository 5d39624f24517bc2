// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard's ways through a batch of files: rename and go on to the next
// file, choose the next or previous one from the name box, jump to the name or
// the destination, pick a recent destination. The window's keys come from the
// key table, which the manual follows.
#include "main_window/form1.h"

#include "controls/controls.h"
#include "controls/lists.h"
#include "controls/recentfolders.h"
#include "main_window/keytable.h"
#include "main_window/previewdecoder.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>

void Form1::createKeys()
{
    const std::pair<QAction *, const char *> named[] {{renameNext, "renameNext"}, {nextFile, "nextFile"},
        {previousFile, "previousFile"}, {findName, "findName"}, {findDestination, "findDestination"},
        {openRecent, "openRecent"}};
    for (const auto &[action, name] : named)
        action->setObjectName(QLatin1String(name));
    // Actions of the window itself; those of the boxes act only while their box has the focus.
    const QList<QWidget *> nameBoxes {Text2, Text3};
    const std::initializer_list<std::pair<QAction *, QList<QWidget *>>> keyed {{exIt, {}}, {hep, {}}, {undoRename, {}},
        {redoRename, {}}, {refresh, {this}}, {findName, {this}}, {findDestination, {this}},
        {renameNext, {Text2, Text3, Command1}}, {nextFile, nameBoxes}, {previousFile, nameBoxes},
        {openRecent, {Text5}}};
    for (const auto &[action, widgets] : keyed) {
        action->setShortcuts(shortcutsOf(qPrintable(action->objectName())));
        for (QWidget *widget : widgets)
            widget->addAction(action);
        if (!widgets.isEmpty() && widgets.constFirst() != this)
            action->setShortcutContext(Qt::WidgetShortcut);
    }
    connect(renameNext, &QAction::triggered, this, &Form1::renameAndNext);
    connect(nextFile, &QAction::triggered, this, [this] { chooseNeighbour(1); });
    connect(previousFile, &QAction::triggered, this, [this] { chooseNeighbour(-1); });
    connect(findName, &QAction::triggered, this, &Form1::editName);
    connect(findDestination, &QAction::triggered, this, &Form1::editDestination);
    connect(openRecent, &QAction::triggered, m_recent, &RecentFolders::showAll);
    m_recent->setLoader([this] { return m_host.recentDestinations(); });
    connect(m_recent, &RecentFolders::Changed, this, [this] { m_host.keepRecentDestinations(m_recent->folders()); });
}

void Form1::renameAndNext()
{
    Command1->click();
    if (!m_pressRenamed)
        return;
    const QModelIndex next = File1->currentIndex();
    if (!next.isValid())
        return;
    File1->setFileName(next.data().toString());
    File1_Click();
}

int Form1::neighbourRow(int step) const
{
    const int count = File1->fileCount();
    const QString chosen = File1->FileName();
    int row = -1;
    if (!chosen.isEmpty() && File1->rowOfFile(chosen) >= 0)
        row = File1->rowOfFile(chosen) + step;
    else if (const int highlighted = File1->currentIndex().row(); highlighted >= 0)
        row = step > 0 ? highlighted : highlighted - 1; // what a press left highlighted is next
    else
        row = step > 0 ? 0 : count - 1;
    return row >= 0 && row < count ? row : -1;
}

void Form1::chooseNeighbour(int step)
{
    const int row = neighbourRow(step);
    if (row < 0)
        return;
    File1->setFileName(File1->fileAt(row));
    File1_Click();
}

void Form1::editName()
{
    Text2->setFocus(Qt::ShortcutFocusReason);
    Text2->selectAll();
}

void Form1::editDestination()
{
    Text5->setFocus(Qt::ShortcutFocusReason);
    Text5->selectAll();
}

QStringList Form1::recentDestinations() const
{
    return m_recent->folders();
}

QString Form1::followerOf(const QString &chosen) const
{
    const int row = File1->rowOfFile(chosen);
    if (row < 0)
        return {};
    return row + 1 < File1->fileCount() ? File1->fileAt(row + 1) : File1->fileAt(row - 1);
}

void Form1::highlightAfterPress(const QString &name)
{
    File1->highlight(name);
    readAhead();
}

QString Form1::previewSourceOf(const QString &name) const
{
    // As File1_Click loads it: the file itself while held, else the target path it composes,
    // which a name split at its first "." and joined again makes the destination plus the name.
    if (Check1->checkState() != Qt::Unchecked)
        return File1->Path() + u'/' + name;
    return destinationFolder() + name;
}

void Form1::setReadAhead(bool on)
{
    m_readAhead = on;
    if (!on)
        m_preview->readAhead({}, {});
}

void Form1::readAhead()
{
    if (!m_readAhead)
        return;
    // What Alt+Down and Alt+Up would choose; Ctrl+Enter chooses what Alt+Down would after its press.
    QStringList paths;
    for (const int step : {1, -1}) {
        if (const int row = neighbourRow(step); row >= 0)
            paths.append(previewSourceOf(File1->fileAt(row)));
    }
    m_preview->readAhead(paths, previewBox());
}

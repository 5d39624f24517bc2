// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Browsing: drive and folder changes, the destination hold, and the click
// on a file that splits its name.
#include "main_window/form1.h"

#include "controls/controls.h"
#include "controls/lists.h"
#include "host/host.h"
#include "main_window/previewdecoder.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

namespace
{
// Length of the root folder's path, "/": the only folder path that ends in the separator.
constexpr int RootLength = 1;
}

void Form1::Drive1_Change()
{
    const auto error = ErrorMode::testAfter([&] { Dir1->setPath(Drive1->Drive()); });
    if (error)
        m_host.messageBox(tr("Directory does not exist"), MsgBoxStyle::Critical, error->text());
}

void Form1::Dir1_Change()
{
    ErrorMode::none([&] {
        FileChosen = 0;
        m_preview->forget(); // pictures read ahead belong to the folder left
        DirPathLen = static_cast<std::int16_t>(Dir1->Path().size());
        // The folder list has accepted the folder; it can still vanish before the file list reads it.
        if (const auto error = ErrorMode::testAfter([&] { listBrowsedFiles(); })) {
            returnToShownFolder();
            m_host.messageBox(tr("Directory does not exist"), MsgBoxStyle::Critical, error->text());
            return;
        }
        const QString separator = DirPathLen > RootLength ? QStringLiteral("/") : QString();
        if (Check1->checkState() == Qt::Unchecked)
            Text5->assignText(Dir1->Path() + separator);
        Label1->assignCaption(File1->Path() + separator + File1->FileName());
        Label2->assignCaption(Text5->text() + Text2->text());
    });
}

void Form1::listBrowsedFiles()
{
    // The folder list has read the files with the sub-folders.
    if (auto contents = Dir1->takeContents())
        File1->showContents(Dir1->Path(), std::move(*contents));
    else
        File1->setPath(Dir1->Path());
}

void Form1::returnToShownFolder()
{
    // Quietly: nothing else changed, so there is nothing to bring along.
    const QSignalBlocker quiet(Dir1);
    ErrorMode::skip([&] { Dir1->setPath(File1->Path()); });
    DirPathLen = static_cast<std::int16_t>(Dir1->Path().size());
}

void Form1::refreshLists()
{
    // Not a click and not a folder change: the choice, the boxes and the preview stay. A folder
    // that has gone or cannot be read keeps the lists as they were.
    File1->Reload();
}

void Form1::showSubFolders(const std::vector<QString> &folders)
{
    // The file list has read the folder again; the folder list shows its sub-folders when it shows that folder.
    if (Dir1->Path() == File1->Path())
        Dir1->showSubFolders(folders);
}

void Form1::File1_Click()
{
    ErrorMode::exitOnError([&] {
        FileChosen = 1;
        const QString N = File1->FileName();
        const qsizetype D = N.indexOf(u'.') + 1;
        // A name without "." is all base name, with no extension.
        Text2->assignText(D == 0 ? N : N.left(D - 1));
        Text3->assignText(D == 0 ? QString() : N.mid(D));
        Label2->assignCaption(targetPath());
        const bool held = Check1->checkState() != Qt::Unchecked;
        // The picture shows when decoded; a file that is no picture keeps the previous
        // one. The click ends ready for typing at once, picture or not.
        preview(held ? File1->Path() + u'/' + File1->FileName() : Label2->text(), true, false);
        readAhead();
        editBaseName();
    });
}

void Form1::editBaseName()
{
    Text2->setFocus();
    Text2->setSelLength(static_cast<int>(Text2->text().size()));
    applyCaptionRule();
}

void Form1::applyCaptionRule()
{
    // The destination as the rename will use it, against the browsed folder.
    const QString browsed = DirPathLen > RootLength ? Dir1->Path() + u'/' : Dir1->Path();
    Command1->setText(destinationFolder() == browsed ? tr("Rename") : tr("Rename and Move"));
}

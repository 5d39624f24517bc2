// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/form1.h"

#include "controls/accessibility.h"
#include "controls/controls.h"
#include "controls/imagebox.h"
#include "controls/lists.h"
#include "controls/recentfolders.h"
#include "host/host.h"
#include "main_window/module1.h"
#include "main_window/previewdecoder.h"
#include "main_window/renamehistory.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>

Form1::Form1(Host &host, QWidget *parent)
    : QMainWindow(parent)
    , central(new QWidget(this))
    , Label9(new Label(tr("Drive and Directory"), central))
    , Drive1(new DriveList(central))
    , Dir1(new DirList(central))
    , Label10(new Label(tr("File Name"), central))
    , File1(new FileList(central))
    , Image1(new ImageBox(central))
    , Frame1(new QGroupBox(central))
    , Shape2(new QFrame(Frame1))
    , Shape1(new QFrame(Frame1))
    , Shape3(new QFrame(Frame1))
    , Label6(new Label(tr("Hold"), Frame1))
    , Label5(new Label(tr("Destination Directory and Folder"), Frame1))
    , Label3(new Label(tr("File Name"), Frame1))
    , Label4(new Label(tr("Extension"), Frame1))
    , Check1(new QCheckBox(QStringLiteral("Check1"), central))
    , Text5(new TextBox(central))
    , Text2(new TextBox(central))
    , Text3(new TextBox(central))
    , Command1(new QPushButton(tr("Rename"), central))
    , Label7(new Label(tr("From"), central))
    , Label1(new Label(QString(), central))
    , Label8(new Label(tr("To"), central))
    , Label2(new Label(QString(), central))
    , Text6(new TextBox(central))
    , Text4(new TextBox(central))
    , Text1(new TextBox(central))
    , fIle(menuBar()->addMenu(tr("&File")))
    , exIt(fIle->addAction(tr("E&xit")))
    , heLp(menuBar()->addMenu(tr("&Help")))
    , hep(heLp->addAction(tr("&Help")))
    , aBout(heLp->addAction(tr("&About")))
    , undoRename(new QAction(tr("&Undo Rename"), this))
    , redoRename(new QAction(tr("&Redo Rename"), this))
    , refresh(new QAction(tr("Refresh"), this))
    , renameNext(new QAction(tr("Rename and Choose the Next File"), this))
    , nextFile(new QAction(tr("Choose the Next File"), this))
    , previousFile(new QAction(tr("Choose the Previous File"), this))
    , findName(new QAction(tr("Edit the File Name"), this))
    , findDestination(new QAction(tr("Edit the Destination"), this))
    , openRecent(new QAction(tr("Recent Destinations"), this))
    , m_host(host)
    , m_history(std::make_unique<RenameHistory>())
    , m_recent(new RecentFolders(Text5))
    , m_preview(std::make_unique<PreviewDecoder>(host))
{
    createLayout();
    createMenus();
    createKeys();
    Drive1->showVolumeOf(Dir1->Path());
    connectHandlers();
    Form_Load();
}

void Form1::connectHandlers()
{
    connect(Drive1, &DriveList::Change, this, &Form1::Drive1_Change);
    connect(Dir1, &DirList::Change, this, &Form1::Dir1_Change);
    // The drive list keeps the browsed folder's volume listed, whatever its kind.
    connect(Dir1, &DirList::Change, Drive1, [this] { Drive1->keepVolumeOf(Dir1->Path()); });
    connect(File1, &FileList::Click, this, &Form1::File1_Click);
    connect(Text2, &TextBox::Change, this, &Form1::Text2_Change);
    connect(Text3, &TextBox::Change, this, &Form1::Text3_Change);
    connect(Text5, &TextBox::Change, this, &Form1::Text5_Change);
    connect(Label2, &Label::Change, this, &Form1::Label2_Change);
    connect(Check1, &QCheckBox::clicked, this, &Form1::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    // Enter in the name boxes presses the button: the rename runs as a click runs it.
    for (TextBox *box : {Text2, Text3})
        connect(box, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    connect(File1, &FileList::FolderChanged, this, &Form1::refreshLists);
    connect(File1, &FileList::Reloaded, this, &Form1::showSubFolders);
}

void Form1::Form_Load()
{
    FileChosen = 0;
    ErrorMode::skip([&] { Text6->assignText(Module1::CurrentUserName(m_host)); });
    ErrorMode::skip([&] { Dir1->setPath(m_host.documentsFolder(Text6->text())); });
    // Without a documents folder the window stays on its start folder, which then gets the
    // source and destination any browsed folder gets: a file clicked there can be renamed.
    if (DirPathLen == 0)
        ErrorMode::skip([&] { Dir1->setPath(Dir1->Path()); });
    // Dir1_Change has listed the folder's files with its sub-folders: no second listing.
    if (File1->Path() != Dir1->Path())
        ErrorMode::skip([&] { File1->setPath(Dir1->Path()); });
}

QString Form1::destinationFolder() const
{
    QString folder = Text5->text();
    // A destination typed without its trailing "/" must not merge into the file's name.
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

bool Form1::composesDot() const
{
    // "README" stays "README", while "trail." keeps its "." though nothing follows it.
    return !Text3->text().isEmpty() || File1->FileName().contains(u'.');
}

QString Form1::targetPath() const
{
    return destinationFolder() + Text2->text() + (composesDot() ? QStringLiteral(".") : QString()) + Text3->text();
}

void Form1::Text2_Change()
{
    ErrorMode::none([&] {
        Label2->setForeColor(255);
        Label2->assignCaption(targetPath());
    });
}

void Form1::Text3_Change()
{
    ErrorMode::none([&] { Label2->assignCaption(targetPath()); });
}

void Form1::Text5_Change()
{
    ErrorMode::none([&] { Label2->assignCaption(targetPath()); });
}

void Form1::Check1_Click()
{
    ErrorMode::none([&] { Label2->assignCaption(targetPath()); });
}

void Form1::Label2_Change()
{
    ErrorMode::none([&] {
        const QString caption = Label2->text();
        FirstDot = static_cast<std::int16_t>(caption.indexOf(u'.') + 1);
        LastDot = static_cast<std::int16_t>(caption.lastIndexOf(u'.') + 1);
        // The composition puts in one "." (or none for a name without any); every other is one too many.
        const bool tooMany = composesDot() ? FirstDot != LastDot : FirstDot != 0;
        ManyDots = tooMany ? 1 : 0;
        // Screen readers hear that the path cannot be renamed to, as the user sees it in the refusal.
        Accessibility::setInvalidEntry(Label2, tooMany);
    });
}

void Form1::exIt_Click()
{
    ErrorMode::none([&] { m_host.endProgram(); });
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the run, even with the help window or About box open or hidden.
    event->accept();
    m_host.endProgram();
}

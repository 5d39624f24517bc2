// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/host.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TextBox;
class Label;
class DriveList;
class DirList;
class FileList;
class ImageBox;
class QGroupBox;
class QFrame;
class QCheckBox;
class QPushButton;
class QMenu;
class QAction;
class Hellp;
class frmAbout;
class PreviewDecoder;
struct Picture;
enum class MoveEnd;
struct LateMoveEnd;

// The main window. Its controls' values are the working state; the seven
// window variables below complete it.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(Host &host, QWidget *parent = nullptr);
    ~Form1() override;

    // Window variables.
    QString OldFile;
    QString NewFile;
    std::int16_t DirPathLen = 0;
    std::int16_t FileChosen = 0;
    std::int16_t FirstDot = 0;
    std::int16_t LastDot = 0;
    std::int16_t ManyDots = 0;

    // Handlers, named control + event.
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Text2_Change();
    void Label2_Change();
    void Check1_Click();
    void Command1_Click();
    void exIt_Click();
    void hep_Click();
    void aBout_Click();
    void shopic();
    // Renames the last renamed file back to its old path, never replacing a file there.
    void undoRename_Click();

    // Shows the folder as it now is in both lists, keeping what is chosen, typed and
    // previewed; runs no handler. The watched folder's changes and F5 come here.
    void refreshLists();

    // Opens `path`, an absolute path, as the program's start: a folder as if browsed to;
    // a file's folder, then the file chosen there as a click would choose it.
    void openPath(const QString &path);

    // The target path composed from the destination folder, base name and extension.
    [[nodiscard]] QString targetPath() const;
    // The destination folder as the target path uses it: the text of Text5, ending in "/".
    [[nodiscard]] QString destinationFolder() const;

    // Whether a picture for the preview is still decoding; it is fitted and
    // shown when done, unless a later click or press has superseded it.
    [[nodiscard]] bool previewPending() const;

    // The help window and About box while they exist (null before first use or after they were destroyed).
    [[nodiscard]] Hellp *helpWindow() const;
    [[nodiscard]] frmAbout *aboutBox() const;

    // Controls, owned by the window.
    QWidget *const central;
    Label *const Label9;
    DriveList *const Drive1;
    DirList *const Dir1;
    Label *const Label10;
    FileList *const File1;
    ImageBox *const Image1;
    QGroupBox *const Frame1;
    QFrame *const Shape2;
    QFrame *const Shape1;
    QFrame *const Shape3;
    Label *const Label6;
    Label *const Label5;
    Label *const Label3;
    Label *const Label4;
    QCheckBox *const Check1;
    TextBox *const Text5;
    TextBox *const Text2;
    TextBox *const Text3;
    QPushButton *const Command1;
    Label *const Label7;
    Label *const Label1;
    Label *const Label8;
    Label *const Label2;
    TextBox *const Text6;
    TextBox *const Text4;
    TextBox *const Text1;

    QMenu *const fIle;
    QAction *const exIt;
    QMenu *const heLp;
    QAction *const hep;
    QAction *const aBout;
    QAction *const undoRename;
    QAction *const refresh;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Fits the window to the screen once more when its frame becomes known, after it is shown.
    bool event(QEvent *event) override;

private:
    void createLayout();
    // Puts the client area into a scroll area, which scrolls only when the window is smaller.
    void scrollClientArea();
    // At its designed place, moved just enough to lie within the screen's available area,
    // and shrunk to that area when larger.
    void placeOnScreen();
    void createMenus();
    // The one place that decides which actions are enabled.
    void updateActions();
    void connectHandlers();
    void applyCaptionRule();
    // Whether the composition puts a "." between base name and extension: not for a clicked
    // name without any "." and an empty extension box.
    [[nodiscard]] bool composesDot() const;
    // The picture steps shared by File1_Click and shopic: the picture at `source` is
    // decoded on a worker thread, then fitted and shown (and with `thenEdit` the
    // base name made ready for editing). `roundHeight` rounds the display height
    // to a 16-bit integer.
    void preview(const QString &source, bool roundHeight, bool thenEdit);
    void fitPicture(Picture &PreviewPicture, bool roundHeight);
    // How a file click and a shown rename end: the base name focused and selected, the caption by the rule.
    void editBaseName();
    // Renames or moves `from` to `to` through the host, a move to another folder off the
    // window's thread, with a progress dialog for a long one; how it ended. A move left
    // running ends in moveEndedLate; `undoing` says it takes the last rename back.
    MoveEnd moveFile(const QString &from, const QString &to, bool undoing);
    // While a move's dialog is up, the window answers only what cannot disturb the move.
    void holdForMove(bool held);
    // The end of a move that was left running: shown in the lists and told to the user.
    void moveEndedLate(const QString &from, const QString &to, bool undoing, const LateMoveEnd &end);
    // Shows in the file list that the file at `from` now lies at `to`.
    void listRenamed(const QString &from, const QString &to, bool copied);
    // After a rename: what Undo takes back, and the boxes' own undo forgotten.
    void rememberRename(const QString &from, const QString &to);
    // Dir1_Change's listing of the browsed folder's files.
    void listBrowsedFiles();
    // After a folder the file list could not read: the folder list goes back to the folder the window shows.
    void returnToShownFolder();
    void showSubFolders(const std::vector<QString> &folders);

    // The last rename, for Undo: where the file went from and to, and which file it was.
    struct LastRename {
        QString from;
        QString to;
        FileId file;
    };

    Host &m_host;
    std::optional<LastRename> m_lastRename;
    const std::unique_ptr<PreviewDecoder> m_preview;
    QPointer<Hellp> m_help;
    QPointer<frmAbout> m_about;
    bool m_framed = false; // fitted to the screen with the frame counted
    bool m_waiting = false; // for a move, in moveFile
    bool m_held = false; // a move's dialog is up: the window answers only quitting, Help and About
    QPointer<QWidget> m_focusBeforeMove;
};

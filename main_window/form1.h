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
class RenameHistory;
class RecentFolders;
class HostError;
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
    // The extension and the destination recompose the target path as the base name does,
    // so that it always shows where a press puts the file.
    void Text3_Change();
    void Text5_Change();
    void Label2_Change();
    void Check1_Click();
    void Command1_Click();
    void exIt_Click();
    void hep_Click();
    void aBout_Click();
    void shopic();
    // Takes back the newest rename or move of the history (up to 20), never replacing a
    // file, and only while the file at its new path is still the one it moved.
    void undoRename_Click();
    // Does again the newest rename or move that Undo took back, on the same conditions.
    void redoRename_Click();
    // Presses the rename button as Enter does; when that renamed the file, chooses the
    // next file of the list as a click would.
    void renameAndNext();
    // Chooses the file `step` rows after the chosen one (before it when negative), as a
    // click would. With none chosen, the highlighted file counts as the next one: a press
    // leaves highlighted the file that stands where the renamed one stood.
    void chooseNeighbour(int step);
    // The keyboard focus in the base-name box (F2) or the destination box (Ctrl+L), its text selected.
    void editName();
    void editDestination();
    // Decodes the pictures of the files before and after the chosen one, so that
    // choosing either shows its picture at once. On by default.
    void setReadAhead(bool on);

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

    // Whether a picture for the preview is still decoding, for a choice or read
    // ahead; a chosen one is fitted and shown when done, unless a later click or
    // press has superseded it.
    [[nodiscard]] bool previewPending() const;
    // The destination folders a move went to lately, newest first, as kept between runs.
    [[nodiscard]] QStringList recentDestinations() const;

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
    QAction *const redoRename;
    QAction *const refresh;
    // Keys of the boxes, the button and the window, without a menu item.
    QAction *const renameNext;
    QAction *const nextFile;
    QAction *const previousFile;
    QAction *const findName;
    QAction *const findDestination;
    QAction *const openRecent;

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
    // Gives every action its keys, from the table of the program's keys.
    void createKeys();
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
    // The preview box in device pixels: what a picture is decoded for.
    [[nodiscard]] QSize previewBox() const;
    // How a file click and a shown rename end: the base name focused and selected, the caption by the rule.
    void editBaseName();
    // Renames or moves `from` to `to` through the host, a move to another folder off the
    // window's thread, with a progress dialog for a long one; how it ended. A move left
    // running ends in moveEndedLate; `undoing` says it is a step of the history, taken
    // back or done again, rather than a new rename.
    MoveEnd moveFile(const QString &from, const QString &to, bool undoing);
    // While a move's dialog is up, the window answers only what cannot disturb the move.
    void holdForMove(bool held);
    // The end of a move that was left running: shown in the lists and told to the user.
    void moveEndedLate(const QString &from, const QString &to, bool undoing, const LateMoveEnd &end);
    // Shows in the file list that the file at `from` now lies at `to`.
    void listRenamed(const QString &from, const QString &to, bool copied);
    // After a rename: what Undo takes back, the destination among the recent ones when
    // the file moved, and the boxes' own undo forgotten.
    void rememberRename(const QString &from, const QString &to);
    // After the host refused a press: the file stays chosen, the typed name stays, ready for a new name.
    void keepTheWork(const QString &chosen);
    // Undo (`back`) or redo of the history's newest step.
    void takeStep(bool back);
    // The refusal's plain second line for a rename or move to `target` that the host refused.
    [[nodiscard]] static QString refusalReason(const HostError &error, const QString &target);
    // Why a move that Cancel could not stop is not done, for the second line of the refusal.
    [[nodiscard]] static QString leftRunningReason();
    // Where a click on `name` in the file list loads its picture from.
    [[nodiscard]] QString previewSourceOf(const QString &name) const;
    // Has the pictures read ahead that Alt+Down and Alt+Up would show.
    void readAhead();
    // The row chooseNeighbour(step) would choose; -1 when none.
    [[nodiscard]] int neighbourRow(int step) const;
    // The file a press leaves highlighted: the one after `chosen` in the list, else the one before.
    [[nodiscard]] QString followerOf(const QString &chosen) const;
    // After a press: the file `name` highlighted, not chosen, where it is listed.
    void highlightAfterPress(const QString &name);
    // Dir1_Change's listing of the browsed folder's files.
    void listBrowsedFiles();
    // After a folder the file list could not read: the folder list goes back to the folder the window shows.
    void returnToShownFolder();
    void showSubFolders(const std::vector<QString> &folders);

    Host &m_host;
    const std::unique_ptr<RenameHistory> m_history;
    RecentFolders *const m_recent;
    bool m_pressRenamed = false; // the last press left the chosen file at the target path
    bool m_readAhead = true;
    const std::unique_ptr<PreviewDecoder> m_preview;
    QPointer<Hellp> m_help;
    QPointer<frmAbout> m_about;
    bool m_framed = false; // fitted to the screen with the frame counted
    QMetaObject::Connection m_followFocus; // the scroll area brings the focused control into view
    bool m_waiting = false; // for a move, in moveFile
    bool m_held = false; // a move's dialog is up: the window answers only quitting, Help and About
    QPointer<QWidget> m_focusBeforeMove;
};

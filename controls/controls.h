// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QLineEdit>

// Host text box. Change fires synchronously whenever its text is assigned
// (assignText, even to the same text) and whenever its text changes otherwise:
// typed, undone, picked from a completion list, or set through QLineEdit::setText.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);
    ~TextBox() override;

    // Sets the text as the program assigns it: the selection start goes to 0,
    // and Change fires once, even when the text stays the same.
    void assignText(const QString &text);
    [[nodiscard]] int SelStart() const;
    // Selects `length` characters from the selection start.
    void setSelLength(int length);
    // Forgets the typing that Ctrl+Z would undo, keeping text, cursor and selection.
    void clearUndo();

Q_SIGNALS:
    void Change();

protected:
    // Ctrl+Z undoes the box's own typing, and its redo keys do it again; with none to
    // undo or redo, the key goes to the window's shortcuts.
    bool event(QEvent *event) override;
};

// Host label. Change fires synchronously whenever its caption is assigned
// through assignCaption; QLabel::setText sets it silently.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(const QString &caption = {}, QWidget *parent = nullptr);
    ~Label() override;

    void assignCaption(const QString &caption);
    // Text colour as the host writes colours: 0xBBGGRR.
    void setForeColor(unsigned bgr);

Q_SIGNALS:
    void Change();

protected:
    void paintEvent(QPaintEvent *event) override;
};

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The help window: one fixed page of instructions and an Exit button that
// hides it. Closing it through its frame destroys it.
class Hellp : public QWidget
{
    Q_OBJECT
public:
    explicit Hellp(QWidget *parent = nullptr);
    ~Hellp() override;

    // The page the window shows, exactly as written (CR LF after every line).
    [[nodiscard]] static QString helpText();

    // Hides the window; it keeps its text, caret and selection for the next show.
    void Command1_Click();

    // Read-only but selectable; Tab leaves it for the Exit button.
    QPlainTextEdit *const Text1;
    // Neither default nor cancel button: Enter and Esc do not press it.
    QPushButton *const Command1;

private:
    void createLayout();
};

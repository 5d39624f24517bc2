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

    void Command1_Click();

    QPlainTextEdit *const Text1;
    QPushButton *const Command1;
};

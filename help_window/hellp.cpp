// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_window/hellp.h"

#include <QPlainTextEdit>
#include <QPushButton>

Hellp::Hellp(QWidget *parent)
    : QWidget(parent), Text1(new QPlainTextEdit(this)), Command1(new QPushButton(QStringLiteral("Exit"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help"));
    connect(Command1, &QPushButton::clicked, this, &Hellp::Command1_Click);
}

Hellp::~Hellp() = default;

QString Hellp::helpText()
{
    return {};
}

void Hellp::Command1_Click()
{
    hide();
}

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include <QSignalBlocker>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &TextBox::Change);
}

TextBox::~TextBox() = default;

void TextBox::setText(const QString &text)
{
    {
        // The change is announced once, below, whether or not the text differs.
        const QSignalBlocker blocker(this);
        QLineEdit::setText(text);
        setCursorPosition(0);
    }
    Q_EMIT Change();
}

int TextBox::SelStart() const
{
    return hasSelectedText() ? static_cast<int>(selectionStart()) : static_cast<int>(cursorPosition());
}

void TextBox::setSelLength(int length)
{
    setSelection(SelStart(), length);
}

Label::Label(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setTextFormat(Qt::PlainText); // file names are never markup
}

Label::~Label() = default;

void Label::setText(const QString &caption)
{
    QLabel::setText(caption);
    Q_EMIT Change();
}

void Label::setForeColor(unsigned bgr)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)));
    setPalette(p);
}

// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextOption>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    // assignText announces its own change, with signals blocked meanwhile.
    connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

TextBox::~TextBox() = default;

void TextBox::assignText(const QString &text)
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

void TextBox::clearUndo()
{
    const QSignalBlocker blocker(this);
    const int start = selectionStart(), length = int(selectedText().size()), cursor = cursorPosition();
    QLineEdit::setText(text()); // the one way to clear a line edit's undo history
    if (start >= 0)
        setSelection(cursor == start ? start + length : start, cursor == start ? -length : length);
    else
        setCursorPosition(cursor);
}

bool TextBox::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->matches(QKeySequence::Undo) && !isUndoAvailable())
            || (key->matches(QKeySequence::Redo) && !isRedoAvailable()))
            return QWidget::event(event); // not taken: the shortcut runs
    }
    return QLineEdit::event(event);
}

Label::Label(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(true);
    setTextFormat(Qt::PlainText); // file names are never markup
}

Label::~Label() = default;

void Label::assignCaption(const QString &caption)
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

void Label::paintEvent(QPaintEvent *)
{
    // Wrapped like the host's labels, but a word longer than the line (a path)
    // breaks anywhere rather than running out of sight; a caption that needs
    // more lines than the box holds is drawn condensed when that makes it fit.
    QTextOption option(alignment());
    option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    const QRectF box = contentsRect();
    QFont font = this->font();
    for (const int stretch : {QFont::SemiCondensed, QFont::Condensed}) {
        const QFontMetricsF metrics(font);
        const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
        if (metrics.boundingRect(box, flags, text()).height() <= box.height())
            break;
        font.setStretch(stretch);
    }
    QPainter painter(this);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, text(), option);
}

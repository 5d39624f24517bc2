// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/imagebox.h"

#include <QEvent>
#include <QObject>

// Notes which picture the preview last painted.
class Paints : public QObject
{
public:
    explicit Paints(ImageBox *image) : m_image(image) { image->installEventFilter(this); }
    [[nodiscard]] bool showsItsPicture() const { return m_painted == m_image->picture().image.cacheKey(); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = m_image->picture().image.cacheKey();
        return false;
    }

private:
    ImageBox *m_image;
    qint64 m_painted = 0;
};

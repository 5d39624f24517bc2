// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/picture.h"

#include <QPixmap>
#include <QWidget>

// Host image control: draws its picture stretched to its own width and
// height, which are kept in twips as single-precision numbers.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);
    ~ImageBox() override;

    [[nodiscard]] int Left() const { return m_left; }
    [[nodiscard]] float Top() const { return m_top; }
    [[nodiscard]] float Width() const { return m_width; }
    [[nodiscard]] float Height() const { return m_height; }
    void setLeft(int twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);

    [[nodiscard]] const Picture &picture() const { return m_picture; }
    // Takes the picture; the one held before is released.
    void setPicture(Picture picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();
    [[nodiscard]] const QPixmap &scaledPixmap();

    int m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    Picture m_picture;
    // The picture smoothly scaled to the control's device pixels, kept until
    // the picture or the control's size changes.
    QPixmap m_scaled;
};

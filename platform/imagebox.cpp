// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/imagebox.h"

#include "platform/twips.h"

#include <QPainter>

ImageBox::ImageBox(QWidget *parent) : QWidget(parent)
{
}

ImageBox::~ImageBox() = default;

void ImageBox::setLeft(int twips)
{
    m_left = twips;
    place();
}

void ImageBox::setTop(float twips)
{
    m_top = twips;
    place();
}

void ImageBox::setWidth(float twips)
{
    m_width = twips;
    place();
}

void ImageBox::setHeight(float twips)
{
    m_height = twips;
    place();
}

void ImageBox::setPicture(Picture picture)
{
    m_picture = std::move(picture);
    update();
}

void ImageBox::place()
{
    setGeometry(twipsToPixels(m_left), twipsToPixels(m_top), twipsToPixels(m_width), twipsToPixels(m_height));
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture.image);
}

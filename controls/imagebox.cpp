// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/imagebox.h"

#include "controls/accessibility.h"
#include "controls/twips.h"

#include <QPainter>

ImageBox::ImageBox(QWidget *parent) : QWidget(parent)
{
    Accessibility::installInterfaces(); // read as a graphic
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
    m_scaled = QPixmap();
    update();
}

void ImageBox::place()
{
    setGeometry(twipsToPixels(m_left), twipsToPixels(m_top), twipsToPixels(m_width), twipsToPixels(m_height));
}

const QPixmap &ImageBox::scaledPixmap()
{
    const QSize device = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (m_scaled.size() != device) {
        const QImage scaled = m_picture.image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaled = QPixmap::fromImage(scaled);
        m_scaled.setDevicePixelRatio(devicePixelRatioF());
    }
    return m_scaled;
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.image.isNull() || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), scaledPixmap());
}

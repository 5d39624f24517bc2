// SPDX-FileCopyrightText: 2026 The Zindle developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture preview: the picture fitted into the preview box, its left
// edge fixed, centred vertically. The fit ratio and the offset travel through
// the hidden boxes Text1 and Text4 as text. Pictures are decoded on a worker
// thread; the window keeps answering, and the previous picture stays until the
// new one is ready.
#include "main_window/form1.h"

#include "controls/controls.h"
#include "controls/imagebox.h"
#include "controls/twips.h"
#include "host/host.h"
#include "main_window/numbertext.h"
#include "main_window/previewdecoder.h"

#include <cerrno>
#include <cmath>

namespace
{
constexpr double BoxWidth = 7233; // twips
constexpr double BoxHeight = 4800;
constexpr double BoxTop = 960;
constexpr double FitThreshold = 1;
constexpr double Half = 0.5;

// Division as the preview's arithmetic does it: by zero is a failure, not infinity.
double divide(double numerator, double denominator)
{
    if (denominator == 0)
        throw HostError(HostError::Code::DivisionByZero, Form1::tr("Division by zero"));
    return numerator / denominator;
}

// Round half to even into a 16-bit integer.
std::int16_t toInt16(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode is to nearest, ties to even
    if (rounded < -32768 || rounded > 32767)
        throw HostError(HostError::Code::Overflow, Form1::tr("Overflow"));
    return static_cast<std::int16_t>(rounded);
}
}

QSize Form1::previewBox() const
{
    const qreal ratio = devicePixelRatioF();
    return {static_cast<int>(std::ceil(twipsToPixels(BoxWidth) * ratio)),
        static_cast<int>(std::ceil(twipsToPixels(BoxHeight) * ratio))};
}

void Form1::preview(const QString &source, bool roundHeight, bool thenEdit)
{
    m_preview->request(source, previewBox(), [this, roundHeight, thenEdit](Picture &PreviewPicture) {
        ErrorMode::exitOnError([&] {
            fitPicture(PreviewPicture, roundHeight);
            if (thenEdit)
                editBaseName();
        });
    });
}

void Form1::fitPicture(Picture &PreviewPicture, bool roundHeight)
{
    Image1->setVisible(true);
    const double W = PreviewPicture.Width;
    const double H = PreviewPicture.Height;

    Text1->assignText(numberToText(divide(BoxWidth, divide(W, divide(H, BoxHeight)))));
    double S = BoxHeight;
    if (textToNumber(Text1->text()) < FitThreshold) {
        S = textToNumber(Text1->text()) * BoxHeight;
        if (roundHeight)
            S = toInt16(S);
    }
    Text4->assignText(numberToText((BoxHeight - divide(H, divide(H, S))) * Half));
    Image1->setTop(static_cast<float>(textToNumber(Text4->text()) + BoxTop));
    Image1->setHeight(static_cast<float>(divide(H, divide(H, S))));
    Image1->setWidth(static_cast<float>(divide(W, divide(H, S))));
    Image1->setPicture(std::move(PreviewPicture));
}

bool Form1::previewPending() const
{
    return m_preview->busy();
}

void Form1::shopic()
{
    // The focus and the caption wait for the picture: without one they stay as they were.
    ErrorMode::exitOnError([&] { preview(Label2->text(), false, true); });
}

#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QStringList>

class QPainter;

namespace tavrin {

// The service panel's texts.
QString serviceHeading();
QStringList serviceLines(); // without their "☆ " prefix
QString interfaceHeading();
QString contactText(); // three lines separated by CR LF
QString saying();      // the box of "使用介绍"

// Where the contact picture goes on a canvas of that size: 130 x 130, centred in
// the right half and vertically, coordinates truncated toward zero.
QRect contactPictureRect(QSize canvas);

// Draws the service panel from scratch on a canvas of that size, in the face of
// font, with the contact picture stretched into its place.
void paintServicePanel(QPainter& painter, QSize canvas, const QFont& font, const QImage& contact);

// The canvas's own background: dark, so that the white and yellow texts read.
inline constexpr QRgb servicePanelBackground = 0xff25304a;

} // namespace tavrin

#pragma once
// Repeats a picture over a target, column by column, each column from top to bottom, starting at the
// top-left corner. Column i is painted while i <= targetWidth / pictureWidth taken as a real quotient
// (rows likewise), so the last column and row usually stick out and are clipped, and an exact multiple
// paints one column (row) more, wholly outside.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QVector>

class QPainter;

// The top-left corners, in pixels of the target, in painting order.
QVector<QPoint> tileOrigins(const QSize &target, const QSize &picture);
// Paints the picture at every origin into a target of the given size.
void TilePicture(QPainter &target, const QSize &targetSize, const QImage &picture);

#include "card/TilePicture.h"

#include <QPainter>

QVector<QPoint> tileOrigins(const QSize &target, const QSize &picture)
{
    QVector<QPoint> origins;
    if (picture.width() <= 0 || picture.height() <= 0 || target.isEmpty())
        return origins;
    const double columns = double(target.width()) / picture.width();
    const double rows = double(target.height()) / picture.height();
    origins.reserve(int((columns + 1) * (rows + 1)));
    for (int i = 0; i <= columns; ++i)
        for (int j = 0; j <= rows; ++j)
            origins.append(QPoint(i * picture.width(), j * picture.height()));
    return origins;
}

void TilePicture(QPainter &target, const QSize &targetSize, const QImage &picture)
{
    for (const QPoint &origin : tileOrigins(targetSize, picture.size()))
        target.drawImage(origin, picture);
}

#include "output/CardArt.h"

#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/TilePicture.h"

#include <QPainter>
#include <cmath>

namespace {
// True when the painted layer is the held picture tiled from the card's corner, so the tiles can go on.
bool layerIsTiledStore(const CardModel &card)
{
    const QImage &layer = card.paintedLayer();
    const QImage &tile = card.pictureStore();
    if (layer.isNull() || tile.isNull() || layer.hasAlphaChannel() || layer.size() != card.cardSizePx())
        return false;
    QImage tiled(layer.size(), layer.format());
    tiled.fill(Qt::transparent);
    QPainter p(&tiled);
    TilePicture(p, tiled.size(), tile);
    p.end();
    return tiled == layer;
}
} // namespace

CardArt::CardArt(const CardModel &design, const QImage &picture) : m_design(&design), m_picture(picture) {}

QSize CardArt::sizePx() const
{
    return m_design ? m_design->cardSizePx() : m_picture.size();
}

void CardArt::paint(QPainter &p, const QRectF &target) const
{
    const QSize size = sizePx();
    if (size.isEmpty())
        return;
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / size.width(), target.height() / size.height());
    if (m_design) {
        paintCard(p, *m_design, CardTarget::Sharp);
    } else {
        // Otherwise a PDF gets the picture as a lossy JPEG.
        p.setRenderHint(QPainter::LosslessImageRendering);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), m_picture);
    }
    p.restore();
}

void CardArt::paintBleed(QPainter &p, const QRectF &target, double bleed) const
{
    const QSize size = sizePx();
    if (size.isEmpty() || bleed <= 0)
        return;
    const double sx = target.width() / size.width();
    const double sy = target.height() / size.height();
    const double bx = bleed / sx; // in card pixels
    const double by = bleed / sy;
    const QRectF card(QPointF(0, 0), QSizeF(size));
    const QRectF page = card.adjusted(-bx, -by, bx, by);

    p.save();
    p.translate(target.topLeft());
    p.scale(sx, sy);
    p.setRenderHint(QPainter::LosslessImageRendering);
    p.setClipRect(page, Qt::IntersectClip);
    if (m_design && layerIsTiledStore(*m_design)) {
        const QImage &tile = m_design->pictureStore();
        for (int i = int(std::floor(page.left() / tile.width())); i * tile.width() < page.right(); ++i)
            for (int j = int(std::floor(page.top() / tile.height())); j * tile.height() < page.bottom(); ++j)
                p.drawImage(QPointF(i * tile.width(), j * tile.height()), tile);
        p.restore();
        return;
    }
    if (m_design)
        p.fillRect(page, VbColors::toQColor(m_design->pageColor()));
    // The eight neighbours of the card, each the card's page mirrored across the edge it shares.
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0)
                continue;
            p.save();
            QTransform mirror;
            mirror.translate(dx == 1 ? 2 * card.width() : 0, dy == 1 ? 2 * card.height() : 0);
            mirror.scale(dx == 0 ? 1 : -1, dy == 0 ? 1 : -1);
            p.setTransform(mirror, true);
            p.setClipRect(card, Qt::IntersectClip);
            if (m_design)
                paintPage(p, *m_design);
            else
                p.drawImage(card, m_picture);
            p.restore();
        }
    }
    p.restore();
}

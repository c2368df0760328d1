#include "card/CardRenderer.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/Twips.h"

#include <QPainter>

namespace {
void paintText(QPainter &p, const TextElement &e, const QRect &cardRect, CardTarget target)
{
    const QRect box = Twips::rectToPx(e.left, e.top, e.width, e.height);
    // Lines wholly above or below the card (a long address) are not drawn at all.
    const int firstLine = std::max(0, (cardRect.top() - box.top()) / std::max(1, e.lineHeightPx) - 1);
    const int lastLine =
        std::min(int(e.lines.size()) - 1, (cardRect.bottom() - box.top()) / std::max(1, e.lineHeightPx) + 1);
    if (lastLine < firstLine)
        return;
    p.save();
    if (!e.autoSize)
        p.setClipRect(box, Qt::IntersectClip); // a fixed box cuts off what does not fit
    QFont font = CardFonts::fontFor(e);
    // The embedded bitmaps fit only the 96 ppi pixel grid; at any other scale the outlines draw.
    if (target == CardTarget::Sharp)
        font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(VbColors::toQColor(e.color));
    for (int i = firstLine; i <= lastLine; ++i) {
        const double x = e.alignRight ? box.right() + 1 - e.lineWidthsPx[i] : box.left();
        p.drawText(QPointF(x, box.top() + i * e.lineHeightPx + e.ascentPx), e.lines[i]);
    }
    p.restore();
}
} // namespace

void paintPage(QPainter &p, const CardModel &card)
{
    const QRect cardRect(QPoint(0, 0), card.cardSizePx());
    const QImage &layer = card.paintedLayer();
    // An opaque painted layer over the whole card hides the page colour and picture: they are not drawn.
    const bool layerCoversCard = !layer.isNull() && !layer.hasAlphaChannel() &&
                                 layer.width() >= cardRect.width() && layer.height() >= cardRect.height();
    if (!layerCoversCard) {
        p.fillRect(cardRect, VbColors::toQColor(card.pageColor()));
        if (!card.pagePicture().isNull())
            p.drawImage(0, 0, card.pagePicture());
    }
    if (!layer.isNull())
        p.drawImage(0, 0, layer);
}

void paintCard(QPainter &p, const CardModel &card, CardTarget target)
{
    const QRect cardRect(QPoint(0, 0), card.cardSizePx());
    p.save();
    if (target == CardTarget::Sharp) {
        p.setRenderHint(QPainter::LosslessImageRendering); // a PDF would get the pictures as JPEG
    }
    p.setClipRect(cardRect, Qt::IntersectClip);
    paintPage(p, card);

    for (ElementId id : StackingOrder) {
        const CardElement &e = card.element(id);
        if (!e.visible)
            continue;
        switch (elementInfo(id).kind) {
        case ElementKind::Text:
            paintText(p, card.textElement(id), cardRect, target);
            break;
        case ElementKind::Line: {
            // Even a line thinner than a pixel shows as a one-pixel rule.
            const QPoint at = Twips::toPx(e.left, e.top);
            const int w = std::max(1, Twips::toPx(e.width));
            const int h = std::max(1, Twips::toPx(e.height));
            p.fillRect(QRect(at.x(), at.y(), w, h), VbColors::toQColor(e.color));
            break;
        }
        case ElementKind::Logo:
            if (!card.logo().isNull())
                p.drawImage(Twips::toPx(e.left, e.top), card.logo());
            break;
        case ElementKind::Qr: {
            // Whole pixels per module on screen; exact squares at any other scale, so a print scans too.
            const QPoint at = Twips::toPx(e.left, e.top);
            if (target == CardTarget::Screen) {
                if (!card.qrImage().isNull())
                    p.drawImage(at, card.qrImage());
            } else {
                const double side = card.qrCode().sizeWithQuietZone() * card.qrOptions().modulePx;
                card.qrCode().paint(p, QRectF(at.x(), at.y(), side, side), VbColors::toQColor(e.color));
            }
            break;
        }
        }
    }
    p.restore();
}

QImage renderCard(const CardModel &card)
{
    QImage image(card.cardSizePx(), QImage::Format_RGB32);
    QPainter p(&image);
    paintCard(p, card);
    p.end();
    return image;
}

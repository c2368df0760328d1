#pragma once
// The card as it goes onto paper, into a PDF or a large PNG: drawn sharp from its design through the one
// card drawing when it has one, otherwise its picture (an old BMP, a JPEG) at 96 pixels per inch.
// Either way it fills the rectangle it is given, in whatever units the painter has.
#include <QImage>
#include <QRectF>

class CardModel;
class QPainter;

class CardArt {
public:
    explicit CardArt(const QImage &picture) : m_picture(picture) {}
    // The design is not owned and must outlive this object.
    explicit CardArt(const CardModel &design, const QImage &picture = QImage());

    bool isSharp() const { return m_design != nullptr; }
    const CardModel *design() const { return m_design; }
    const QImage &picture() const { return m_picture; }
    QSize sizePx() const; // the card's own size in 96 ppi pixels

    void paint(QPainter &painter, const QRectF &target) const;
    // The page (colour, texture, picture) carried on beyond the card's edges into a bleed of the given
    // width (painter units) around the target; the card itself is painted over it afterwards. A tiled
    // texture goes on tiling; anything else is mirrored at the edges, so no seam shows at the cut.
    void paintBleed(QPainter &painter, const QRectF &target, double bleed) const;

private:
    const CardModel *m_design = nullptr;
    QImage m_picture;
};

#include "card/CardState.h"

const CardElement &CardState::element(ElementId id) const
{
    if (isText(id))
        return texts[size_t(id)];
    if (id == ElementId::PicQr)
        return qr;
    return id == ElementId::Hline ? line : logoElement;
}

bool samePicture(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.cacheKey() == b.cacheKey() || a == b;
}

bool sameElement(const CardElement &a, const CardElement &b)
{
    return a.id == b.id && a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
           a.visible == b.visible && a.color == b.color;
}

bool sameText(const TextElement &a, const TextElement &b)
{
    // The laid-out lines follow from the rest.
    return sameElement(a, b) && a.text == b.text && a.face == b.face && a.sizePt == b.sizePt &&
           a.bold == b.bold && a.italic == b.italic && a.alignRight == b.alignRight &&
           a.autoSize == b.autoSize && a.wordWrap == b.wordWrap;
}

bool CardState::samePage(const CardState &o) const
{
    return orientation == o.orientation && cardWidth == o.cardWidth && cardHeight == o.cardHeight &&
           cardPlace == o.cardPlace && shadowPlace == o.shadowPlace && pageColor == o.pageColor &&
           backgroundShown == o.backgroundShown && samePicture(pagePicture, o.pagePicture) &&
           samePicture(paintedLayer, o.paintedLayer) && samePicture(pictureStore, o.pictureStore);
}

bool CardState::operator==(const CardState &o) const
{
    if (!samePage(o) || !sameElement(line, o.line) || !sameElement(logoElement, o.logoElement) ||
        !samePicture(logo, o.logo) || !sameElement(qr, o.qr) || qrOptions != o.qrOptions)
        return false;
    for (size_t i = 0; i < texts.size(); ++i)
        if (!sameText(texts[i], o.texts[i]))
            return false;
    return true;
}

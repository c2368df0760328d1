#pragma once
// How the browser and the print window tell a card picture's orientation and where they put it: a
// picture wider than 300 pixels is a landscape card (340 wide when saved), one narrower than 210 a
// portrait card (207 wide); a width from 210 to 300 is neither and leaves a picture where it was.
#include <QPoint>

enum class CardShape { Landscape, Portrait, Neither };

inline CardShape cardShape(int widthPx)
{
    if (widthPx > 300)
        return CardShape::Landscape;
    if (widthPx < 210)
        return CardShape::Portrait;
    return CardShape::Neither;
}

// The chosen card in the browser's viewing area, roughly centred there.
inline QPoint browserCardPlace(int widthPx, QPoint current)
{
    switch (cardShape(widthPx)) {
    case CardShape::Landscape:
        return {20, 80};
    case CardShape::Portrait:
        return {92, 8};
    case CardShape::Neither:
        break;
    }
    return current;
}

// The single card in the print window's preview area, roughly centred there.
inline QPoint previewCardPlace(int widthPx, QPoint current)
{
    switch (cardShape(widthPx)) {
    case CardShape::Landscape:
        return {204, 140};
    case CardShape::Portrait:
        return {272, 76};
    case CardShape::Neither:
        break;
    }
    return current;
}

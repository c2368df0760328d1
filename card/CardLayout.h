#pragma once
// The two fixed page layouts: where the card, its shadow and every element go in each orientation.
// Pure geometry (twips); CardModel applies them.
#include "card/CardElement.h"

#include <array>

enum class Orientation { Landscape, Portrait };

struct ElementPlaceRow {
    ElementId id;
    int left;
    int top;
};

struct PageLayout {
    int cardLeft, cardTop, cardWidth, cardHeight; // in the work area
    int shadowLeft, shadowTop;                    // the shadow has the card's size
    int lineWidthMargin;                          // the line is the card width minus this
    bool addressAutoSize;                         // landscape: auto-size, width = card width
    int addressWidthMargin;                       // portrait: card width minus this
    int addressFixedHeight;                       // portrait: two lines of 9 pt text
    // In the order the layout sets them; the QR code is not among them (it is moved in when outside).
    std::array<ElementPlaceRow, LaidOutCount> places;
};

// clang-format off
inline constexpr PageLayout LandscapeLayout{
    540, 1080, 5100, 3105, 630, 1170, 180, true, 0, 0,
    {{{ElementId::PicCardLogo, 720, 360},
      {ElementId::LabName, 4140, 135},
      {ElementId::LabJob, 4140, 585},
      {ElementId::LabOffice, 90, 1755},
      {ElementId::Hline, 90, 2100},
      {ElementId::LabAdd, 90, 2160},
      {ElementId::LabPost, 90, 2385},
      {ElementId::LabTel, 90, 2610},
      {ElementId::LabHttp, 90, 2835},
      {ElementId::LabFax, 3375, 2385},
      {ElementId::LabMail, 2835, 2835},
      {ElementId::LabMob, 3375, 2610}}}};

inline constexpr PageLayout PortraitLayout{
    1585, 180, 3105, 5100, 1675, 270, 120, false, 120, 360,
    {{{ElementId::PicCardLogo, 250, 300},
      {ElementId::LabName, 2205, 1575},
      {ElementId::LabJob, 2205, 1980},
      {ElementId::LabOffice, 45, 2900},
      {ElementId::Hline, 45, 3220},
      {ElementId::LabAdd, 45, 3310},
      {ElementId::LabPost, 45, 3750},
      {ElementId::LabTel, 45, 3960},
      {ElementId::LabFax, 45, 4180},
      {ElementId::LabMob, 45, 4395},
      {ElementId::LabMail, 45, 4610},
      {ElementId::LabHttp, 45, 4830}}}};
// clang-format on

inline constexpr const PageLayout &pageLayout(Orientation o)
{
    return o == Orientation::Landscape ? LandscapeLayout : PortraitLayout;
}

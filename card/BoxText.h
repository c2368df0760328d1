#pragma once
// Texts on the card break their lines with CR LF; a text box holds single line feeds. Positions in an
// element's text count the CR and the LF, so they are mapped onto the box.
#include "card/CardElement.h"

#include <QString>
#include <array>

namespace BoxText {
QString toBox(const QString &elementText); // CR LF, and a lone CR, become a line feed
QString fromBox(const QString &boxText);   // a line feed becomes CR LF
int boxPosition(const QString &elementText, int position);

struct Range {
    int start;
    int length;
};
// What choosing an element selects of its text, by list index, so that typing replaces it: mostly what
// follows the label's prefix ("电话：" and the like). In the element's characters; a selection past the end
// stops there.
inline constexpr std::array<Range, TextElementCount> ChosenSelection{
    {{0, 20}, {0, 20}, {0, 20}, {3, 100}, {5, 6}, {4, 20}, {4, 20}, {6, 11}, {14, 20}, {5, 20}}};
} // namespace BoxText

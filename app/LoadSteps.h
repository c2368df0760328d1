#pragma once
// What the main window's load does to controls that live on the editing panels, and the user's settings.
// The panels belong to their own folders; the load finds their controls by name under the main window,
// so a panel only has to create and name them (`ComboFont`, `ComboSize`, `LabR`, `LabG`, `LabB`,
// `HScroll1`, `HScroll2`). Controls that do not exist are skipped.
class CardModel;
class QWidget;

namespace LoadSteps {
// Every `ComboFont` gets the screen fonts in the order the font database lists them (not sorted again),
// with "宋体" first when the database does not list it (it is a substituted name); every `ComboSize`
// gets "8" to "60". The lists are filled afresh, so calling this twice does not double them, and the
// edit texts stay as they were ("宋体" and "10").
void fillFontLists(QWidget *window);
// `LabR` "R:0", `LabG` "G:58", `LabB` "B:114".
void setReadoutTexts(QWidget *window);
// `HScroll1` and `HScroll2` take the line's width and height in twips, rounded.
void setLineScrollBars(QWidget *window, const CardModel &card);
// The settings file, in this order: the motto ([Text] Title), the ten texts, the page colour, the ten
// text colours, the line colour. A text is applied as read, also when empty; a colour that is absent,
// empty, not a whole number or outside the 32-bit range keeps the colour the card has.
void applySettings(CardModel &card);
} // namespace LoadSteps

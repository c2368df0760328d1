#pragma once
// What the main window's load does to controls that live on the editing panels, and the user's settings.
// The panels belong to their own folders; the load finds these controls by name under the main window,
// so a panel only has to create and name them (`LabR`, `LabG`, `LabB`, `HScroll1`, `HScroll2`).
// Controls that do not exist are skipped.
class CardModel;
class QWidget;

namespace LoadSteps {
// `LabR` "R:0", `LabG` "G:58", `LabB` "B:114".
void setReadoutTexts(QWidget *window);
// `HScroll1` and `HScroll2` take the line's width and height in twips, rounded half to even.
void setLineScrollBars(QWidget *window, const CardModel &card);
} // namespace LoadSteps

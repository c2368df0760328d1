#pragma once
// One look for every drop-down list of the program, as the classic toolkit opens them: the list drops
// below the box, as wide as the box, in dense rows of the list's font; never a menu laid over the box.
// Qt's styles open an editable list one way and a fixed one another, so every QComboBox we make goes
// through here.
class QComboBox;

namespace DropDownList {
// Gives the list the shared style; returns it for chaining.
QComboBox *setUp(QComboBox *list);
} // namespace DropDownList

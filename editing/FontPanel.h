#pragma once
// The text panel `FrmFont`: one text element is chosen in `ComboFontObj`; the panel then copies every change
// of `TextInput` into it, and its font lists, style options and colour strip act on it. While the address is
// chosen, a scroll bar sets how many 180-twip character cells wide the address is.
// The panel keeps no copy of the card: what it shows was loaded when the element was chosen.
#include "card/CardElement.h"
#include "widgets/Panel.h"

#include <array>
#include <optional>

class CardModel;
class PaletteStrip;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

class FontPanel : public Panel {
    Q_OBJECT
public:
    explicit FontPanel(CardModel *card, QWidget *parent = nullptr);

    // Fills `ComboFont` with the screen fonts (in the order the system lists them, "宋体" first) and
    // `ComboSize` with 8 to 60; their texts stay "宋体" and "10". Run once, at the main window's load.
    void fillFontLists();
    void load() override { fillFontLists(); }

    // The element chosen in `ComboFontObj`, or none.
    std::optional<ElementId> chosenElement() const;

private:
    void choose(int listIndex);
    void showAddressRow();
    void setAddressCount(int count);
    void applyStyle(int option);
    void applyFace(int index);
    void applySize(int index);
    void setFontTexts(const TextElement &e);
    void showChosenAfresh();

    CardModel *m_card;
    QComboBox *m_comboFontObj;
    QLabel *m_labHscr;
    QScrollBar *m_hScrFontRow;
    QPlainTextEdit *m_textInput;
    PaletteStrip *m_picColor1;
    QComboBox *m_comboFont;
    QComboBox *m_comboSize;
    std::array<QRadioButton *, 4> m_optFontStyle{};
};

#pragma once
// The save panel `FrmSave` "保存名片": asks for a file name and saves the card, as the one drawing of the
// card makes it, as a BMP into the card folder, with the card's design beside it. The main window closes the
// panel when asked to.
#include "widgets/Panel.h"

class CardModel;
class QLineEdit;
class QPushButton;

class SavePanel : public Panel {
    Q_OBJECT
public:
    explicit SavePanel(CardModel *card, QWidget *parent = nullptr);

    // Focuses `TextSaveName` with the default name "名片1" selected, so typing replaces it.
    void openedByMenu() override;

    // Saves under the name in `TextSaveName`; true when the file was written. Refusals and failures are
    // reported to the user and leave the panel open and every existing file as it was. After a save or
    // a cancel the panel asks to be closed (closeRequested).
    bool save();

private:
    CardModel *m_card;
    QLineEdit *m_name;
    QPushButton *m_save;
    QPushButton *m_cancel;
};

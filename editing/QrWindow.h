#pragma once
// The contact QR code window `FrmQr` "二维码名片", opened from the card's right-click menu: which of the
// card's texts go into the code, its format, module size and dark colour, whether it shows on the card, and
// what it comes to (size in millimetres, QR version). Not modal; every change goes into the card at once
// (each one an undo step), and the window follows the card (an undo, an edit of a text). Its controls are
// its only state.
#include "widgets/SecondaryWindow.h"

#include <array>

class CardModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

class QrWindow : public SecondaryWindow {
    Q_OBJECT
public:
    QrWindow(CardModel *card, QWidget *mainWindow);
    // Shows the main window's one QR code window, made afresh when there is none.
    static QrWindow *showFor(CardModel *card, QWidget *mainWindow);

    // "尺寸 …毫米，版本 …" for the card's code as it stands (also what the readout shows).
    static QString readout(const CardModel &card);

private:
    void refresh();
    void chooseColor(unsigned color);

    CardModel *m_card;
    std::array<QCheckBox *, 9> m_fields{};
    QRadioButton *m_vcard = nullptr;
    QRadioButton *m_mecard = nullptr;
    QComboBox *m_module = nullptr;
    QLabel *m_swatch = nullptr;
    QCheckBox *m_show = nullptr;
    QLabel *m_info = nullptr;
};

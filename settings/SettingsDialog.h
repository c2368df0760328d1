#pragma once
// The settings dialog `FrmSet` "定制我的名片": makes the card on the screen the user's own default card.
// Every change goes into the card (texts, colours) and the running motto at once; "保存设置" writes the
// card as it stands into the settings file, which the next start applies. Not modal; deleted on close,
// so each opening starts afresh. The dialog keeps no copy of the card: its controls are its only state.
#include "card/VbColor.h"
#include "widgets/SecondaryWindow.h"

#include <array>

class CardModel;
class PaletteStrip;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class RgbReadout;

class SettingsDialog : public SecondaryWindow {
    Q_OBJECT
public:
    SettingsDialog(CardModel *card, QWidget *mainWindow);

private:
    void buildTextFrame();
    void buildColorFrame();
    void buildTitleFrame();
    void placeOnScreen(QWidget *mainWindow);

    void chooseElement(int listIndex);
    void textInputChanged(const QString &boxText);
    void titleChanged(const QString &boxText);
    void showTargetColor();
    void setSwatch(VbColor color);
    void pickColor(VbColor color);
    void saveSettings();

    CardModel *m_card;
    QComboBox *m_comboFontObj = nullptr;
    QPlainTextEdit *m_textInput = nullptr;
    std::array<QRadioButton *, 2> m_optCardCol{};
    QLabel *m_labColorView = nullptr;
    PaletteStrip *m_picColor = nullptr;
    RgbReadout *m_readout = nullptr;
    QPlainTextEdit *m_txtTitle = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
};

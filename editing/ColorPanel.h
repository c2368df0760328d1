#pragma once
// The colour panel `FrmColor`: the colour strip with its swatch and readout, which recolours the whole card
// (every text and the line, or the page, by the mode `OptColor`), and the logo preview, where the logo can
// be slid around and a right-click takes the page colour from it.
#include "card/VbColor.h"
#include "widgets/Panel.h"

#include <QImage>

class CardModel;
class PaletteStrip;
class QLabel;
class QRadioButton;
class RgbReadout;

class ColorPanel : public Panel {
    Q_OBJECT
public:
    explicit ColorPanel(CardModel *card, QWidget *parent = nullptr);

    // The readout starts at "R:0", "G:58", "B:114".
    void load() override;
    // The swatch shows the page colour and the preview takes a fresh copy of the logo.
    void openedByMenu() override;

    // Frame heights in twips: the full panel with the logo preview, and cut off below the option row.
    static constexpr int FullHeight = 5640;
    static constexpr int ShortHeight = 1905;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildStrip();
    void buildPreview();
    void setSwatch(VbColor color);
    void pickWholeCard(VbColor color);
    void modeChanged();
    void copyLogo();
    bool previewMouse(QEvent *event);

    CardModel *m_card;
    QLabel *m_swatch = nullptr;
    RgbReadout *m_readout = nullptr;
    PaletteStrip *m_strip = nullptr;
    QRadioButton *m_foreground = nullptr; // `OptColor` (0)
    QRadioButton *m_background = nullptr; // `OptColor` (1)
    QWidget *m_viewClient = nullptr;
    QLabel *m_logoView = nullptr;
    QImage m_logoPicture; // the copy shown in the preview, over its background
    QPoint m_dragOffset;  // where the preview was grabbed, in its own pixels
    bool m_dragging = false;
};

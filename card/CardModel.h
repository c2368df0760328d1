#pragma once
// The card being edited: page (colour, picture, painted layer, orientation) and its elements: the design's
// twelve and the contact QR code, which is encoded again whenever what it says changes.
// Panels change it through these operations and follow it through the signals; nothing else keeps a copy.
#include "card/CardElement.h"
#include "card/CardLayout.h"
#include "card/CardState.h"
#include "card/QrCode.h"

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QSize>
#include <array>
#include <optional>

class CardHistory;

class CardModel : public QObject {
    Q_OBJECT
public:
    explicit CardModel(QObject *parent = nullptr); // the default card, landscape

    // The whole card as a value, and putting one back (undo, redo, opening a saved design). A restore is
    // not itself a step; it emits the signals of what changed, then restored().
    CardState state() const;
    void restore(const CardState &state);
    // Every operation below records itself in the history as (part of) a step.
    CardHistory &history() const { return *m_history; }
    // The name steps use for an element ("名字", "直线", "标志").
    static QString elementName(ElementId id);

    // Page
    Orientation orientation() const { return m_state.orientation; }
    // Puts the card, its shadow and every element at the layout's places (also when unchanged).
    void setOrientation(Orientation o);
    QSize cardSizePx() const; // 340 x 207 or 207 x 340
    double cardWidth() const { return m_state.cardWidth; }
    double cardHeight() const { return m_state.cardHeight; }
    QPointF cardPlace() const { return m_state.cardPlace; }     // twips in the work area
    QPointF shadowPlace() const { return m_state.shadowPlace; } // twips in the work area

    VbColor pageColor() const { return m_state.pageColor; }
    void setPageColor(VbColor c); // clears the painted layer
    const QImage &pagePicture() const { return m_state.pagePicture; }
    void setPagePicture(const QImage &picture); // a null image is none; clears the painted layer
    const QImage &paintedLayer() const { return m_state.paintedLayer; }
    // Tiles the picture over the page at the card's current size into the painted layer.
    void tilePage(const QImage &picture);

    // The held page picture (the work-area tile at start, then the last texture or file chosen).
    const QImage &pictureStore() const { return m_state.pictureStore; }
    void setPictureStore(const QImage &picture);
    // The "背景" switch. Changing it runs its reaction: on puts the held picture on the page, tiled;
    // off removes the page picture. Setting the state it already has does nothing.
    bool backgroundShown() const { return m_state.backgroundShown; }
    void setBackgroundShown(bool shown);
    // A texture or a picture file chosen for the page: "背景" is ticked first (which puts the previously
    // held picture back only if it was unticked), then the picture is held, put on the page and tiled.
    void choosePagePicture(const QImage &picture);

    // Elements
    const CardElement &element(ElementId id) const;
    const TextElement &textElement(ElementId id) const;
    const QImage &logo() const { return m_state.logo; }

    void setText(ElementId id, const QString &text);
    void setFontFace(ElementId id, const QString &face);
    void setFontSize(ElementId id, double points);
    void setStyle(ElementId id, bool bold, bool italic);
    void setForeColor(ElementId id, VbColor c); // a text's colour, or the line's colour for Hline
    // One colour for the whole card's foreground: the ten texts in ForegroundOrder, then the line.
    void setAllForeColors(VbColor c);
    void setVisible(ElementId id, bool visible);
    void moveElement(ElementId id, double left, double top);
    void setLineSize(double width, double height);
    void setAddressWidth(double width); // the address keeps wrapping and grows in height
    // Auto-size on: the address keeps its width and its height follows the wrapped lines.
    void setAddressAutoSize(bool on);
    void setLogo(const QImage &picture); // shown at its natural size, Left/Top kept

    // The contact QR code: its choices, the text it says (UTF-8), the code (null when the text does not fit
    // into one) and its 96 ppi picture with the quiet zone. Its place is its element's; its size follows.
    const QrOptions &qrOptions() const { return m_state.qrOptions; }
    const QByteArray &qrText() const { return m_qrText; }
    const QrCode &qrCode() const { return m_qrCode; }
    const QImage &qrImage() const { return m_qrImage; }
    void setQrFields(unsigned fields); // ContactCode::bit() of the chosen texts
    void setQrFormat(ContactFormat format);
    void setQrModuleSize(int px); // clamped to 2..4
    // Refused (false, nothing changes) when the colour's contrast against white is too low to scan.
    bool setQrColor(VbColor c);

    // The topmost visible element under a point given in twips from the card's top-left corner.
    std::optional<ElementId> elementAt(const QPointF &twips) const;

    // The title-bar motto travels with the editing session, though it is not drawn on the card.
    QString motto() const { return m_motto; }
    void setMotto(const QString &motto);

signals:
    void changed();                    // anything that shows on the card
    void elementChanged(ElementId id); // text, font, size, place, colour or visibility of one element
    void pageChanged();                // colour, picture or painted layer
    void orientationChanged(Orientation o);
    void backgroundShownChanged(bool shown);
    void mottoChanged(const QString &motto);
    // After restore(): whatever shows the card (a panel's lists, boxes and scroll bars) shows it afresh.
    void restored();

private:
    CardElement &mutableElement(ElementId id);
    TextElement &mutableText(ElementId id);
    void relayoutText(ElementId id);
    void elementDidChange(ElementId id);
    void clearPaintedLayer();
    // The card's shape and the element places of a layout, without telling anyone.
    void applyLayout(const PageLayout &layout);
    // Encodes the code again when what it says or its look has changed; false when nothing changed.
    bool updateQr();
    void keepQrInside();
    void record(const QString &description, const QString &mergeKey = QString());
    void record(const char *what, ElementId id, const QString &mergeKey = QString());

    CardState m_state; // everything that shows on the card
    // Worked out from the state's QR code options and texts, kept until they change.
    QByteArray m_qrText;
    QrCode m_qrCode;
    QImage m_qrImage;
    int m_qrImageModulePx = 0;
    VbColor m_qrImageColor = 0;
    QString m_motto;
    CardHistory *m_history;
};

// Bottom to top: the line, the ten texts, the logo, the QR code. The renderer and the hit test both follow
// it.
inline constexpr std::array<ElementId, ElementCount> StackingOrder{
    ElementId::Hline,   ElementId::LabName,     ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,
    ElementId::LabPost, ElementId::LabFax,      ElementId::LabTel, ElementId::LabMob,    ElementId::LabHttp,
    ElementId::LabMail, ElementId::PicCardLogo, ElementId::PicQr};

// The order in which a foreground colour for the whole card recolours the texts (the line follows).
inline constexpr std::array<ElementId, TextElementCount> ForegroundOrder{
    ElementId::LabName, ElementId::LabJob, ElementId::LabAdd,  ElementId::LabOffice, ElementId::LabFax,
    ElementId::LabTel,  ElementId::LabMob, ElementId::LabPost, ElementId::LabHttp,   ElementId::LabMail};

// The motto the title bar shows before any settings are read.
inline const QString DefaultMotto =
    QStringLiteral("登山者因为山的存在而激荡起他的凌云壮志，跋涉者因为前面没有路所以他选择了前行……");

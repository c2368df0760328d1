#include "editing/QrWindow.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/ContactCode.h"
#include "widgets/Dialogs.h"
#include "widgets/DropDownList.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/PaletteStrip.h"
#include "widgets/Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {
constexpr SecondaryWindowLayout QrLayout{"FrmQr", "Velnor二维码名片", 5400, 4560, 300, 5160};
constexpr int Top = 360; // below the title bar
constexpr int FieldColumns[3] = {180, 1860, 3540};
constexpr double MmPerPixel = 25.4 / 96;
} // namespace

QrWindow *QrWindow::showFor(CardModel *card, QWidget *mainWindow)
{
    auto *window = mainWindow->findChild<QrWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new QrWindow(card, mainWindow);
        window->centreOnScreen(mainWindow);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QrWindow::QrWindow(CardModel *card, QWidget *mainWindow) : SecondaryWindow(QrLayout, mainWindow), m_card(card)
{
    QWidget *c = client();

    auto *fields = Panel::place(new Panel("FraQrFields", QStringLiteral("二维码内容"), c), "FraQrFields", 120,
                                Top + 60, 5160, 1380);
    for (int i = 0; i < ContactCode::FieldCount; ++i) {
        const ContactCode::FieldRow &row = ContactCode::FieldTable[size_t(i)];
        QString caption = QString::fromUtf8(row.caption);
        if (row.field == ContactCode::Address)
            caption += QStringLiteral("（含邮编）");
        auto *box = Panel::place(new QCheckBox(caption, fields), row.checkBox, FieldColumns[i % 3],
                                 330 + (i / 3) * 330, 1650, 255);
        m_fields[size_t(i)] = box;
        EventRules::onCheckClick(box, this, [this, bit = ContactCode::bit(row.field)](bool ticked) {
            const unsigned now = m_card->qrOptions().fields;
            m_card->setQrFields(ticked ? now | bit : now & ~bit);
        });
    }

    auto *format = Panel::place(new Panel("FraQrFormat", QStringLiteral("格式"), c), "FraQrFormat", 120,
                                Top + 1530, 5160, 630);
    m_vcard = Panel::place(new QRadioButton(QStringLiteral("vCard 3.0"), format), "OptQrVCard", 180, 300,
                           1800, 255);
    m_mecard = Panel::place(new QRadioButton(QStringLiteral("MeCard（较短，无传真）"), format), "OptQrMeCard",
                            2100, 300, 2900, 255);
    connect(m_vcard, &QRadioButton::clicked, this, [this] { m_card->setQrFormat(ContactFormat::VCard); });
    connect(m_mecard, &QRadioButton::clicked, this, [this] { m_card->setQrFormat(ContactFormat::MeCard); });

    Panel::place(new QLabel(QStringLiteral("模块大小："), c), "LabQrModule", 240, Top + 2340, 1000, 240);
    m_module =
        Panel::place(DropDownList::setUp(new QComboBox(c)), "ComboQrModule", 1260, Top + 2280, 1200, 300);
    for (int px = MinQrModulePx; px <= MaxQrModulePx; ++px)
        m_module->addItem(QStringLiteral("%1 像素").arg(px), px);
    connect(m_module, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { m_card->setQrModuleSize(m_module->itemData(index).toInt()); });

    m_show = Panel::place(new QCheckBox(QStringLiteral("在名片上显示"), c), "ChkQrShow", 2880, Top + 2310,
                          2300, 255);
    EventRules::onCheckClick(m_show, this,
                             [this](bool ticked) { m_card->setVisible(ElementId::PicQr, ticked); });

    Panel::place(new QLabel(QStringLiteral("颜色："), c), "LabQrColor", 240, Top + 2820, 700, 240);
    m_swatch = Panel::place(new QLabel(c), "PicQrColor", 960, Top + 2775, 450, 300);
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setAutoFillBackground(true);
    auto *strip = new PaletteStrip(c);
    strip->setObjectName(QStringLiteral("PicQrPalette"));
    strip->move(Twips::toPx(1560), Twips::toPx(Top + 2790));
    connect(strip, &PaletteStrip::pressed, this, [this](VbColor color, Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            chooseColor(color);
    });
    auto *black =
        Panel::place(Look::pushButton(QStringLiteral("黑色"), c), "CmdQrBlack", 4650, Top + 2745, 630, 330);
    connect(black, &QPushButton::clicked, this, [this] { chooseColor(0); });

    m_info = Panel::place(new QLabel(c), "LabQrInfo", 240, Top + 3300, 5040, 840);
    m_info->setWordWrap(true);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_info->setTextFormat(Qt::PlainText);

    refresh();
    connect(card, &CardModel::elementChanged, this, [this](ElementId) { refresh(); });
    connect(card, &CardModel::restored, this, &QrWindow::refresh);
}

void QrWindow::chooseColor(unsigned color)
{
    const double ratio = ContactCode::contrastRatio(VbColors::toQColor(color), Qt::white);
    if (m_card->setQrColor(color))
        return;
    Dialogs::message(
        this,
        Dialogs::lines(QStringLiteral("这个颜色与白色的对比度只有 %1:1，手机难以扫描，不能用作二维码的颜色。")
                           .arg(ratio, 0, 'f', 1),
                       QStringLiteral("请选择更深的颜色（对比度至少 3:1）。")),
        QStringLiteral("Velnor二维码提示："));
}

QString QrWindow::readout(const CardModel &card)
{
    const QrCode &code = card.qrCode();
    if (code.isNull())
        return QStringLiteral("文字太多，二维码装不下。请少选几项内容。");
    const double mm = code.sizeWithQuietZone() * card.qrOptions().modulePx * MmPerPixel;
    QString text = QStringLiteral("尺寸 %1 × %1 毫米（含白边），版本 %2，%3 字节")
                       .arg(mm, 0, 'f', 1)
                       .arg(code.version())
                       .arg(card.qrText().size());
    const CardElement &e = card.element(ElementId::PicQr);
    if (e.width > card.cardWidth() || e.height > card.cardHeight())
        text += QStringLiteral("\n二维码比名片还大：请少选几项内容，或选小一些的模块。");
    return text;
}

void QrWindow::refresh()
{
    const QrOptions &o = m_card->qrOptions();
    for (int i = 0; i < ContactCode::FieldCount; ++i) {
        const QSignalBlocker block(m_fields[size_t(i)]);
        m_fields[size_t(i)]->setChecked(o.fields &
                                        ContactCode::bit(ContactCode::FieldTable[size_t(i)].field));
    }
    {
        const QSignalBlocker b1(m_vcard), b2(m_mecard), b3(m_module), b4(m_show);
        (o.format == ContactFormat::VCard ? m_vcard : m_mecard)->setChecked(true);
        m_module->setCurrentIndex(m_module->findData(o.modulePx));
        m_show->setChecked(m_card->element(ElementId::PicQr).visible);
    }
    Look::fill(m_swatch, VbColors::toQColor(m_card->element(ElementId::PicQr).color));
    m_info->setText(readout(*m_card));
}

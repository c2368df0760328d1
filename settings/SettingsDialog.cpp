#include "settings/SettingsDialog.h"

#include "card/BoxText.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "card/SettingsStore.h"
#include "card/Twips.h"
#include "widgets/Dialogs.h"
#include "widgets/DropDownList.h"
#include "widgets/EscapeKey.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/PaletteStrip.h"
#include "widgets/Panel.h"
#include "widgets/RgbReadout.h"
#include "widgets/TextBoxes.h"

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {
constexpr SecondaryWindowLayout FrmSetLayout{"FrmSet", "定制我的名片", 9510, 2145, 285, 9270};

using Look::indexed;
using Look::label;
using Look::NoIndex;
} // namespace

SettingsDialog::SettingsDialog(CardModel *card, QWidget *mainWindow)
    : SecondaryWindow(FrmSetLayout, mainWindow), m_card(card)
{
    buildTextFrame();
    buildColorFrame();
    buildTitleFrame();

    m_command1 =
        Panel::place(new QPushButton(QStringLiteral("保存设置"), client()), "Command1", 7380, 1755, 960, 285);
    m_command2 =
        Panel::place(new QPushButton(QStringLiteral("取消"), client()), "Command2", 8595, 1755, 780, 285);
    for (QPushButton *b : {m_command1, m_command2})
        Look::setColor(b, QPalette::Button, Look::Grey);
    connect(m_command1, &QPushButton::clicked, this, &SettingsDialog::saveSettings);
    // Closing writes nothing and undoes nothing: what was applied stays on the card for this run.
    connect(m_command2, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes the dialog as "取消" does.
    EscapeKey::onEscape(this, [this] { close(); });

    // Load: the motto (its change reaction writes the same text back), the swatch for the preselected
    // "页面色", then the place on the screen. No element is chosen and the readout keeps its captions.
    m_txtTitle->setPlainText(BoxText::toBox(m_card->motto()));
    setSwatch(m_card->pageColor());
    placeOnScreen(mainWindow);

    // After an undo or redo on the main window the box shows the chosen text as the card now has it.
    connect(m_card, &CardModel::restored, this, [this] {
        const int index = m_comboFontObj->currentIndex();
        if (index < 0 || index >= TextElementCount)
            return;
        const QString text = BoxText::toBox(m_card->textElement(textElementAt(index)).text);
        if (m_textInput->toPlainText() != text) {
            const QSignalBlocker block(m_textInput);
            m_textInput->setPlainText(text);
        }
    });
}

void SettingsDialog::buildTextFrame()
{
    auto *frame = Panel::place(new Panel("FrmTextChange", QStringLiteral("名片内容"), client()),
                               "FrmTextChange", 90, 315, 3435, 1725);
    label(frame, "LabFontSet", 5, QStringLiteral("选择需要编辑的对象："), 135, 360);
    m_comboFontObj =
        Panel::place(DropDownList::setUp(new QComboBox(frame)), "ComboFontObj", 1890, 315, 1380, 300);
    for (int i = 0; i < TextElementCount; ++i)
        m_comboFontObj->addItem(QString::fromUtf8(elementInfo(textElementAt(i)).listEntry));
    m_comboFontObj->setPlaceholderText(QStringLiteral("文字对象"));
    m_comboFontObj->setCurrentIndex(-1);
    label(frame, "LabFontSet", 0, QStringLiteral("输入文字内容："), 135, 720);
    m_textInput = Panel::place(new QPlainTextEdit(frame), "TextInput", 135, 975, 3165, 615);

    EventRules::onPick(m_comboFontObj, this, [this](int index) { chooseElement(index); });
    EventRules::onChange(m_textInput, this, [this](const QString &text) { textInputChanged(text); });
}

void SettingsDialog::buildColorFrame()
{
    auto *frame = Panel::place(new Panel("FrmRunColor", QStringLiteral("名片色彩"), client()), "FrmRunColor",
                               3600, 315, 3210, 1725);
    label(frame, "LabChangeInfo", 1, QStringLiteral("对象："), 135, 315);
    m_optCardCol[0] = indexed(new QRadioButton(QStringLiteral("前景色"), frame), "OptCardCol", 0);
    m_optCardCol[1] = indexed(new QRadioButton(QStringLiteral("页面色"), frame), "OptCardCol", 1);
    m_optCardCol[0]->setGeometry(Twips::rectToPx(630, 270, 870, 285));
    m_optCardCol[1]->setGeometry(Twips::rectToPx(630, 540, 870, 285));
    m_optCardCol[1]->setChecked(true);

    m_labColorView = Panel::place(new QLabel(frame), "LabColorView", 2115, 225, 915, 825);
    m_labColorView->setAutoFillBackground(true);
    label(frame, "LabChangeInfo", 2, QStringLiteral("选定颜色："), 135, 945);

    m_picColor = new PaletteStrip(frame);
    m_picColor->setObjectName(QStringLiteral("PicColor"));
    m_picColor->move(Twips::toPx(90, 1170));

    QLabel *r = label(frame, "LabR", NoIndex, QStringLiteral("R：0"), 540, 1440);
    QLabel *g = label(frame, "LabG", NoIndex, QStringLiteral("G：58"), 1320, 1440);
    QLabel *b = label(frame, "LabB", NoIndex, QStringLiteral("B：114"), 2115, 1440);
    for (QLabel *l : {r, g, b}) {
        l->setAutoFillBackground(true);
        Look::setColor(l, QPalette::Window, Look::Grey);
    }
    m_readout = new RgbReadout(r, g, b, this);

    for (QRadioButton *option : m_optCardCol)
        EventRules::onOptionClick(option, this, [this] { showTargetColor(); });
    connect(m_picColor, &PaletteStrip::hovered, this, &SettingsDialog::setSwatch);
    connect(m_picColor, &PaletteStrip::draggedOver, this,
            [this](VbColor c, Qt::MouseButtons) { setSwatch(c); });
    connect(m_picColor, &PaletteStrip::pressed, this,
            [this](VbColor c, Qt::MouseButton, Qt::MouseButtons) { pickColor(c); });
}

void SettingsDialog::buildTitleFrame()
{
    auto *frame = Panel::place(new Panel("FrmTitleText", QStringLiteral("标题栏的移动文字"), client()),
                               "FrmTitleText", 6885, 315, 2535, 1365);
    addNormalLookArea(frame);
    m_txtTitle = Panel::place(new QPlainTextEdit(frame), "TxtTitle", 135, 270, 2265, 960);
    EventRules::onChange(m_txtTitle, this, [this](const QString &text) { titleChanged(text); });
}

void SettingsDialog::placeOnScreen(QWidget *mainWindow)
{
    QScreen *screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centred across, in the lower part of the screen: Top = screen height - 2 x window height + 400 twips.
    const QRect s = screen->geometry();
    move(s.x() + (s.width() - width()) / 2, s.y() + s.height() - 2 * height() + Twips::toPx(400));
}

void SettingsDialog::chooseElement(int listIndex)
{
    m_textInput->setFocus();
    if (listIndex < 0 || listIndex >= TextElementCount)
        return;
    const ElementId id = textElementAt(listIndex);
    TextBoxes::showChosenText(m_textInput, id, m_card->textElement(id).text);
}

void SettingsDialog::textInputChanged(const QString &boxText)
{
    const int index = m_comboFontObj->currentIndex();
    if (index < 0 || index >= TextElementCount)
        return;
    const ElementId id = textElementAt(index);
    // Loading the box writes the same text back; only a real change goes to the card.
    if (BoxText::toBox(m_card->textElement(id).text) != boxText)
        m_card->setText(id, BoxText::fromBox(boxText));
}

void SettingsDialog::titleChanged(const QString &boxText)
{
    if (BoxText::toBox(m_card->motto()) != boxText)
        m_card->setMotto(BoxText::fromBox(boxText));
}

void SettingsDialog::showTargetColor()
{
    setSwatch(m_optCardCol[0]->isChecked() ? m_card->element(ElementId::LabName).color : m_card->pageColor());
}

void SettingsDialog::setSwatch(VbColor color)
{
    Look::setColor(m_labColorView, QPalette::Window, VbColors::toQColor(color));
}

void SettingsDialog::pickColor(VbColor color)
{
    m_readout->show(color);
    if (m_optCardCol[0]->isChecked()) {
        // The swatch shows what the texts had before, until the pointer moves over the strip again.
        setSwatch(m_card->element(ElementId::LabName).color);
        m_card->setAllForeColors(color);
    } else {
        // Only the colour changes: a page picture stays, painted tiles go (the card's page rule).
        setSwatch(m_card->pageColor());
        m_card->setPageColor(color);
    }
}

void SettingsDialog::saveSettings()
{
    const QString title = QStringLiteral("Velnor设置提示：");
    // The card as it stands now, also what was changed on the main window while the dialog was open.
    if (!saveCardSettings(*m_card)) {
        // A settings file that cannot be written is never confirmed as saved. The store replaces the
        // file whole or not at all, so what it held stays readable; the card on screen is untouched.
        Dialogs::warning(this,
                         Dialogs::lines(QStringLiteral("抱歉！您的设置没有能够保存。"),
                                        QStringLiteral("无法写入设置文件“%1”，请确认程序所在的文件夹允许写入"
                                                       "后再保存一次。")
                                            .arg(QDir::toNativeSeparators(settingsFilePath()))),
                         title);
        return;
    }
    Dialogs::message(this,
                     Dialogs::lines(QStringLiteral("恭喜！您的设置已经替您保存好了。"),
                                    QStringLiteral("下次启动时，程序运行的将是您的设置……")),
                     title);
}

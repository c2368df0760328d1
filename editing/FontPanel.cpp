#include "editing/FontPanel.h"

#include "card/BoxText.h"
#include "card/CardModel.h"
#include "widgets/DropDownList.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/PaletteStrip.h"
#include "widgets/ScreenFonts.h"
#include "widgets/TextBoxes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
// One address character cell; the address is N cells wide, N from 1 to 28 (28 cells fit the landscape card).
constexpr int AddressCellWidth = 180;
constexpr int MaxAddressCells = 28;

struct StyleOptionRow {
    const char *name;
    const char *caption;
    int left;
    int width;
    bool bold;
    bool italic;
};
constexpr int StyleTop = 4350;
constexpr int StyleHeight = 255;
constexpr std::array<StyleOptionRow, 4> StyleOptions{{
    {"OptFontStyle1", "普通", 120, 705, false, false},
    {"OptFontStyle2", "粗体", 825, 705, true, false},
    {"OptFontStyle3", "斜体", 1530, 705, false, true},
    {"OptFontStyle4", "粗斜体", 2235, 900, true, true},
}};

// The style option choosing an element turns on, by list index (into StyleOptions).
constexpr std::array<int, TextElementCount> ChosenStyle{1, 0, 1, 0, 0, 0, 0, 0, 0, 0};

struct CaptionRow {
    int index; // in the LabFontSet group
    int left;
    int top;
    const char *text;
};
constexpr std::array<CaptionRow, 6> Captions{{
    {5, 135, 315, "选择需要编辑的对象："},
    {0, 135, 990, "输入文字内容："},
    {1, 120, 2310, "确定文字颜色："},
    {2, 120, 3090, "字体："},
    {3, 120, 3600, "字号："},
    {4, 120, 4050, "文字式样："},
}};

const QString CrLf = QStringLiteral("\r\n");

// A drop-down list with a text field that reacts only to picks from its list. Qt's editable combo box also
// "activates" an entry when Enter is pressed in the field or the field loses focus while it holds an
// entry's text, and completes typed text; here typing must apply nothing, so those paths are cut.
QComboBox *pickOnlyList(QWidget *parent)
{
    auto *list = DropDownList::setUp(new QComboBox(parent));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setMaxVisibleItems(16);
    QLineEdit *field = list->lineEdit();
    QObject::disconnect(field, &QLineEdit::returnPressed, list, nullptr);
    QObject::disconnect(field, &QLineEdit::editingFinished, list, nullptr);
    return list;
}

// Shows a text in a list's field; the list's own entry is selected when there is one, so the list opens on
// it.
void setListText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index);
    if (index < 0)
        list->setEditText(text);
}

// A font size as the shortest decimal text of its single-precision value (9, 10.5).
QString sizeText(double points)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, float(points));
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

} // namespace

FontPanel::FontPanel(CardModel *card, QWidget *parent)
    : Panel("FrmFont", QStringLiteral("文字信息编辑"), parent), m_card(card)
{
    for (const CaptionRow &c : Captions)
        // The captions form one group of labels; the index tells them apart.
        Look::label(this, "LabFontSet", c.index, QString::fromUtf8(c.text), c.left, c.top);

    m_comboFontObj = place(pickOnlyList(this), "ComboFontObj", 1905, 270, 1155, 300);
    for (const ElementRow &info : ElementTable)
        if (info.listEntry)
            m_comboFontObj->addItem(QString::fromUtf8(info.listEntry));
    m_comboFontObj->setCurrentIndex(-1);
    m_comboFontObj->setEditText(QStringLiteral("文字对象"));

    m_labHscr = place(new QLabel(QStringLiteral("确定地址"), this), "LabHscr", 135, 660, 0, 0);
    m_labHscr->adjustSize();
    m_labHscr->hide();
    m_hScrFontRow = place(new QScrollBar(this), "HScrFontRow", 1605, 630, 1455, 240);
    EventRules::setUpScrollBar(m_hScrFontRow, 1, MaxAddressCells, 1, 2);
    m_hScrFontRow->setValue(1);
    m_hScrFontRow->hide();

    m_textInput = place(new QPlainTextEdit(this), "TextInput", 90, 1245, 2985, 885);
    m_textInput->setTabChangesFocus(true);
    // The text wraps at the box's width, which holds 16 characters of 9 pt text (as the hint needs) only with
    // a narrow margin and no room kept for a horizontal scroll bar.
    m_textInput->document()->setDocumentMargin(1);
    m_textInput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textInput->setPlainText(QStringLiteral("选择文字对象后，在此处输入进行名") + CrLf +
                              QStringLiteral("片文字的修改。") + CrLf);

    m_picColor1 = place(new PaletteStrip(this), "PicColor1", 75, 2550, 3000, 255);

    m_comboFont = place(pickOnlyList(this), "ComboFont", 735, 3030, 2355, 300);
    m_comboFont->setEditText(QStringLiteral("宋体"));
    m_comboSize = place(pickOnlyList(this), "ComboSize", 735, 3510, 2355, 300);
    m_comboSize->setEditText(QStringLiteral("10"));

    for (size_t i = 0; i < StyleOptions.size(); ++i) {
        const StyleOptionRow &o = StyleOptions[i];
        m_optFontStyle[i] = place(new QRadioButton(QString::fromUtf8(o.caption), this), o.name, o.left,
                                  StyleTop, o.width, StyleHeight);
    }
    m_optFontStyle[1]->setChecked(true);

    QLabel *tip = Look::label(
        this, "LabFontSet", 6,
        QStringLiteral("    应用提示：对于文字数字较多的对象，如地址，选择对象后会出现一个可以手工进行设置"
                       "每行字数的滚动条，拖移即可设定。"),
        135, 4770);
    tip->setWordWrap(true);
    setGeometryTwips(tip, 135, 4770, 2880, 810);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Look::setColor(tip, QPalette::WindowText, VbColors::toQColor(VbColors::System(12)));

    EventRules::onPick(m_comboFontObj, this, [this](int index) { choose(index); });
    EventRules::onChange(m_textInput, this, [this](const QString &boxText) {
        if (const auto id = chosenElement())
            m_card->setText(*id, BoxText::fromBox(boxText));
    });
    EventRules::onChange(m_hScrFontRow, this, [this](int count) { setAddressCount(count); });
    EventRules::onPick(m_comboFont, this, [this](int index) { applyFace(index); });
    EventRules::onPick(m_comboSize, this, [this](int index) { applySize(index); });
    for (size_t i = 0; i < m_optFontStyle.size(); ++i)
        EventRules::onOptionClick(m_optFontStyle[i], this, [this, i] { applyStyle(int(i)); });
    connect(m_picColor1, &PaletteStrip::pressed, this, [this](VbColor color) {
        if (const auto id = chosenElement())
            m_card->setForeColor(*id, color);
    });
    connect(m_card, &CardModel::restored, this, &FontPanel::showChosenAfresh);
}

void FontPanel::showChosenAfresh()
{
    // Only what differs is set, and nothing set here runs a reaction: the card is already as shown.
    const auto id = chosenElement();
    if (!id)
        return;
    const TextElement &e = m_card->textElement(*id);
    if (BoxText::fromBox(m_textInput->toPlainText()) != e.text) {
        const QSignalBlocker block(m_textInput);
        m_textInput->setPlainText(BoxText::toBox(e.text));
        m_textInput->moveCursor(QTextCursor::End);
    }
    {
        const QSignalBlocker blockFace(m_comboFont);
        const QSignalBlocker blockSize(m_comboSize);
        setFontTexts(e);
    }
    for (size_t i = 0; i < StyleOptions.size(); ++i)
        if (StyleOptions[i].bold == e.bold && StyleOptions[i].italic == e.italic &&
            !m_optFontStyle[i]->isChecked()) {
            // The option turned off reacts to nothing; the one turned on must not restyle the element.
            const QSignalBlocker block(m_optFontStyle[i]);
            m_optFontStyle[i]->setChecked(true);
        }
    if (*id == ElementId::LabAdd && m_hScrFontRow->isVisibleTo(this)) {
        const double cells = std::nearbyint(e.width / AddressCellWidth);
        const QSignalBlocker block(m_hScrFontRow);
        m_hScrFontRow->setValue(int(std::clamp(cells, 1.0, double(MaxAddressCells))));
        m_labHscr->setText(QStringLiteral("地址每行%1个字：").arg(m_hScrFontRow->value()));
        m_labHscr->adjustSize();
    }
}

void FontPanel::fillFontLists()
{
    m_comboFont->clear();
    m_comboSize->clear();
    // The system does not list "宋体" (it is a substitute name), so it is added at the front.
    const QString song = QStringLiteral("宋体");
    m_comboFont->addItem(song);
    const QStringList families = ScreenFonts::families();
    for (const QString &family : families)
        if (family != song)
            m_comboFont->addItem(family);
    for (int size = 8; size <= 60; ++size)
        m_comboSize->addItem(QString::number(size));
    setListText(m_comboFont, song);
    setListText(m_comboSize, QStringLiteral("10"));
}

std::optional<ElementId> FontPanel::chosenElement() const
{
    const int index = m_comboFontObj->currentIndex();
    if (index < 0 || index >= TextElementCount)
        return std::nullopt;
    return textElementAt(index);
}

void FontPanel::choose(int listIndex)
{
    m_textInput->setFocus();
    if (listIndex < 0 || listIndex >= TextElementCount)
        return;
    const ElementId id = textElementAt(listIndex);

    TextBoxes::showChosenText(m_textInput, id, m_card->textElement(id).text);
    setFontTexts(m_card->textElement(id));

    // Turning on an option that was off runs its reaction, which styles the element just chosen;
    // an option already on does nothing more.
    m_optFontStyle[size_t(ChosenStyle[size_t(listIndex)])]->setChecked(true);

    if (id == ElementId::LabAdd) {
        showAddressRow();
    } else {
        m_labHscr->hide();
        m_hScrFontRow->hide();
    }
}

void FontPanel::setFontTexts(const TextElement &e)
{
    // Showing the element's font in the lists applies nothing: only picks from the lists do.
    setListText(m_comboFont, e.face);
    setListText(m_comboSize, sizeText(e.sizePt));
}

void FontPanel::showAddressRow()
{
    m_labHscr->show();
    m_hScrFontRow->show();
    m_labHscr->setText(QStringLiteral("地址每行%1个字：").arg(m_hScrFontRow->value()));
    m_labHscr->adjustSize();
    // The count nearest the address's present width, a half going to the even neighbour (4950 twips give 28).
    const double cells = std::nearbyint(m_card->textElement(ElementId::LabAdd).width / AddressCellWidth);
    // Setting a new value runs the scroll bar's reaction, which refreshes the caption and the width.
    m_hScrFontRow->setValue(int(std::clamp(cells, 1.0, double(MaxAddressCells))));
    m_card->setAddressAutoSize(true);
    m_card->setAddressWidth(m_hScrFontRow->value() * AddressCellWidth);
}

void FontPanel::setAddressCount(int count)
{
    m_card->setAddressWidth(count * AddressCellWidth);
    m_labHscr->setText(QStringLiteral("地址每行%1个字：").arg(count));
    m_labHscr->adjustSize();
}

void FontPanel::applyStyle(int option)
{
    if (const auto id = chosenElement())
        m_card->setStyle(*id, StyleOptions[size_t(option)].bold, StyleOptions[size_t(option)].italic);
}

void FontPanel::applyFace(int index)
{
    if (const auto id = chosenElement())
        m_card->setFontFace(*id, m_comboFont->itemText(index));
}

void FontPanel::applySize(int index)
{
    const auto id = chosenElement();
    if (!id)
        return;
    bool ok = false;
    const double points = m_comboSize->itemText(index).toDouble(&ok);
    if (ok && points > 0)
        m_card->setFontSize(*id, points);
}

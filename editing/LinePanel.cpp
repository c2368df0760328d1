#include "editing/LinePanel.h"

#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/Twips.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/PaletteStrip.h"

#include <QLabel>
#include <QScrollBar>
#include <cmath>

namespace {
// The application-workspace system colour of the usage notes.
constexpr VbColor NoteColor = VbColors::System(12);

struct CaptionRow {
    int index;
    int left, top;
    const char *caption;
};
constexpr CaptionRow Captions[] = {
    {3, 90, 315, "颜色设定："},
    {2, 90, 1080, "尺寸设定："},
    {0, 180, 1305, "宽度："},
    {1, 180, 1620, "高度："},
};

const char *const UsageText = "    名片中的直线可以经过拖移滚动条设置成任意大小和颜色的背景色块："
                              "拖动“宽度”滚动条到最左边、同时拖动“高度”滚动条到合适位置可以绘制出垂直线条；"
                              "同时拖动两个滚动条可以绘制出任意大小的矩形方块；"
                              "可以用鼠标把它拖移到任意合适的位置……发挥您的想象，试试看……";

// One of the `LabHScroll` labels of the usage notes.
QLabel *noteLabel(QWidget *parent, int index, const QString &text)
{
    auto *label = Look::indexed(new QLabel(text, parent), "LabHScroll", index);
    Look::setColor(label, QPalette::WindowText, VbColors::toQColor(NoteColor));
    return label;
}
} // namespace

LinePanel::LinePanel(CardModel *card, QWidget *parent)
    : Panel("FrmHLine", QStringLiteral("直线设置"), parent), m_card(card)
{
    for (const CaptionRow &entry : Captions) {
        Look::label(this, "LabHScroll", entry.index, QString::fromUtf8(entry.caption), entry.left, entry.top);
    }

    m_strip = place(new PaletteStrip(this), "PicHLineColor", 135, 585, 3000, 255);
    // Any button colours the line; the line itself shows the colour, so there is no readout here.
    connect(m_strip, &PaletteStrip::pressed, this,
            [this](VbColor c) { m_card->setForeColor(ElementId::Hline, c); });

    m_width = place(new QScrollBar(Qt::Horizontal, this), "HScroll1", 765, 1305, 2355, 195);
    m_height = place(new QScrollBar(Qt::Horizontal, this), "HScroll2", 765, 1620, 2355, 195);
    // Set up before the reactions are connected: the bars start at their design value 1 and the main
    // window's load sets them from the line, once (load).
    for (QScrollBar *bar : {m_width, m_height}) {
        EventRules::setUpScrollBar(bar, MinSize, MaxSize, ArrowStep, TrackStep);
        bar->setValue(MinSize);
    }
    // Each bar sets its own dimension from its value; the other dimension is whatever the line has now
    // (a page turn may have changed the width without moving the bar).
    EventRules::onChange(m_width, this,
                         [this](int w) { m_card->setLineSize(w, m_card->element(ElementId::Hline).height); });
    EventRules::onChange(m_height, this,
                         [this](int h) { m_card->setLineSize(m_card->element(ElementId::Hline).width, h); });

    // After an undo or redo the bars show the line as it now is (and set nothing).
    connect(m_card, &CardModel::restored, this, [this] {
        const CardElement &line = m_card->element(ElementId::Hline);
        const QSignalBlocker blockWidth(m_width);
        const QSignalBlocker blockHeight(m_height);
        m_width->setValue(int(std::nearbyint(line.width)));
        m_height->setValue(int(std::nearbyint(line.height)));
    });

    auto *title = noteLabel(this, 4, QStringLiteral("直线使用说明："));
    title->setFont(CardFonts::fontFor(QStringLiteral("宋体"), 10.5, true, true));
    title->move(Twips::toPx(135, 2520));
    title->adjustSize();

    // A one-pixel rule in the note colour.
    auto *rule = new QWidget(this);
    rule->setObjectName(QStringLiteral("LineHL"));
    rule->setAutoFillBackground(true);
    Look::setColor(rule, QPalette::Window, VbColors::toQColor(NoteColor));
    const QPoint from = Twips::toPx(135, 2790);
    rule->setGeometry(from.x(), from.y(), Twips::toPx(3015) - from.x() + 1, 1);

    auto *usage = noteLabel(this, 5, QString::fromUtf8(UsageText));
    Panel::setGeometryTwips(usage, 270, 2970, 2745, 1740);
    usage->setWordWrap(true);
    usage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void LinePanel::load()
{
    const CardElement &line = m_card->element(ElementId::Hline);
    m_width->setValue(int(std::nearbyint(line.width)));
    m_height->setValue(int(std::nearbyint(line.height)));
}

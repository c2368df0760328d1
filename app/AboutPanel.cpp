#include "app/AboutPanel.h"

#include "card/VbColor.h"
#include "widgets/Look.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace {
// The etched separator above the link, from x 240 to 3480 at y 5100 (twips).
constexpr int SeparatorLeft = 240;
constexpr int SeparatorRight = 3480;
constexpr int SeparatorTop = 5100;

const QString Description = QStringLiteral("    "
                                           "欢迎使用最实用、易用、好用的名片编辑系统！本程序用于快速编辑制作"
                                           "个性名片。所有名片元素，包括文字信息、图片、"
                                           "背景、页面等，鼠标点击间瞬即可就！形象直观、功能实用、应用方便，"
                                           "完全所见即所得！具有打印、保存、个性化设置、"
                                           "名片管理等功能。");

void setTextColor(QLabel *label, VbColor color)
{
    Look::setColor(label, QPalette::WindowText, VbColors::toQColor(color));
}

// The panel's labels are an indexed group; each child carries its index beside the shared name.
QLabel *infoLabel(QWidget *parent, int index, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("LabInfo"));
    label->setProperty("index", index);
    return label;
}
} // namespace

AboutPanel::AboutPanel(QWidget *parent) : Panel("FrmAbout", QStringLiteral("关于本程序"), parent)
{
    // The link's weight follows moves over the panel, which arrive without a button held.
    setMouseTracking(true);

    QLabel *version = infoLabel(this, 3, QStringLiteral("2.0正式版"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(version, VbColors::ActiveCaption);
    version->move(Twips::toPx(2430, 660));
    version->adjustSize();

    QLabel *description = infoLabel(this, 2, Description);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColor(description, VbColors::System(1));
    description->setGeometry(Twips::rectToPx(390, 1860, 2895, 1425));

    m_labDownload = new QLabel(QStringLiteral("下载最新版…>>"), this);
    m_labDownload->setObjectName(QStringLiteral("LabDownload"));
    m_labDownload->setAlignment(Qt::AlignCenter);
    setTextColor(m_labDownload, VbColors::System(13));
    m_labDownload->setCursor(Qt::PointingHandCursor);
    m_labDownload->setMouseTracking(true);
    m_labDownload->move(Twips::toPx(1920, 4740));
    m_labDownload->adjustSize();
    m_labDownload->installEventFilter(this);
}

bool AboutPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_labDownload) {
        switch (event->type()) {
        case QEvent::MouseMove:
            setLinkBold(true);
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            setLinkBold(false);
            return true;
        case QEvent::MouseButtonRelease:
            // Any button. The browser takes over on its own; the result is not looked at and nothing
            // here waits for it.
            QDesktopServices::openUrl(QUrl(QString::fromLatin1(DownloadAddress)));
            return true;
        default:
            break;
        }
    }
    return Panel::eventFilter(watched, event);
}

void AboutPanel::mouseMoveEvent(QMouseEvent *event)
{
    setLinkBold(false);
    Panel::mouseMoveEvent(event);
}

void AboutPanel::setLinkBold(bool bold)
{
    if (m_labDownload->font().bold() == bold)
        return;
    QFont f = m_labDownload->font();
    f.setBold(bold);
    m_labDownload->setFont(f);
    m_labDownload->adjustSize(); // sized to its text, in either weight
}

void AboutPanel::paintEvent(QPaintEvent *event)
{
    Panel::paintEvent(event);
    QPainter p(this);
    Look::paintEtchedLine(p, SeparatorLeft, SeparatorTop, SeparatorRight);
}

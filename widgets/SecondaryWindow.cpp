#include "widgets/SecondaryWindow.h"

#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/Twips.h"
#include "card/VbColor.h"
#include "widgets/Look.h"
#include "widgets/WindowMover.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
constexpr int BorderPx = 1;
constexpr int SunkenBorderPx = 2;
constexpr int TitleBarWidth = 12000; // twips: the 800 x 20 bitmap, cut off at the window's right edge
constexpr int TitleBarHeight = 300;
constexpr int LabelTop = 60;
constexpr int CloseSize = 210;

} // namespace

QSize SecondaryWindow::outerSizePx(int clientWidthTwips, int clientHeightTwips)
{
    return QSize(Twips::toPx(clientWidthTwips), Twips::toPx(clientHeightTwips)) +
           QSize(2 * BorderPx, 2 * BorderPx);
}

QLabel *SecondaryWindow::sunkenBox(QWidget *parent, const char *name, int left, int top, int width,
                                   int height)
{
    auto *frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(SunkenBorderPx);
    frame->setGeometry(Twips::rectToPx(left, top, width, height));
    auto *inner = new QLabel(frame);
    inner->setObjectName(QLatin1String(name));
    inner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    inner->setGeometry(
        frame->rect().adjusted(SunkenBorderPx, SunkenBorderPx, -SunkenBorderPx, -SunkenBorderPx));
    return inner;
}

void SecondaryWindow::centreOnScreen(const QWidget *near)
{
    QScreen *screen = near ? near->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
}

SecondaryWindow::SecondaryWindow(const SecondaryWindowLayout &entry, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QLatin1String(entry.name));
    setWindowTitle(QString::fromUtf8(entry.title));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(outerSizePx(entry.clientWidth, entry.clientHeight));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(BorderPx, BorderPx, Twips::toPx(entry.clientWidth),
                          Twips::toPx(entry.clientHeight));
    Look::fill(m_client, Look::Grey);

    m_titleBar = new QLabel(m_client);
    m_titleBar->setObjectName(QStringLiteral("PicBarBg"));
    const QPixmap bar(Assets::TitleBar);
    if (bar.isNull()) {
        // Without the bitmap the bar still reads as a title bar.
        Look::fill(m_titleBar, QColor(0xC8, 0xD8, 0xF0));
        m_titleBar->setGeometry(Twips::rectToPx(0, 0, TitleBarWidth, TitleBarHeight));
    } else {
        m_titleBar->setPixmap(bar);
        m_titleBar->setGeometry(QRect(QPoint(0, 0), bar.size()));
    }

    m_title = new QLabel(QString::fromUtf8(entry.title), m_titleBar);
    m_title->setObjectName(QStringLiteral("LabBarTitle"));
    Look::setColor(m_title, QPalette::WindowText, VbColors::toQColor(VbColors::ActiveCaption));
    m_title->adjustSize();
    m_title->move(Twips::toPx(entry.titleLeft, LabelTop));

    m_close = new QLabel(QStringLiteral("×"), m_titleBar);
    m_close->setObjectName(QStringLiteral("LabClose"));
    m_close->setGeometry(Twips::rectToPx(entry.closeLeft, LabelTop, CloseSize, CloseSize));
    m_close->setFont(CardFonts::fontFor(QStringLiteral("宋体"), 10.5, false, false));
    m_close->setCursor(Qt::PointingHandCursor);
    m_close->setToolTip(QStringLiteral("关闭"));
    m_close->setMouseTracking(true);
    m_close->installEventFilter(this);
    setCloseLook(CloseLook::Initial);

    m_mover = new WindowMover(this);
    m_mover->watch(m_titleBar);

    addNormalLookArea(m_client);
    addNormalLookArea(m_titleBar);
}

void SecondaryWindow::addNormalLookArea(QWidget *area)
{
    area->setMouseTracking(true);
    area->installEventFilter(this);
    m_normalLookAreas.append(area);
}

void SecondaryWindow::setCloseLook(CloseLook look)
{
    m_look = look;
    QFont f = m_close->font();
    f.setBold(look == CloseLook::Hover);
    m_close->setFont(f);
    switch (look) {
    case CloseLook::Initial:
        Look::setColor(m_close, QPalette::WindowText, QColor(0, 0, 255));
        break;
    case CloseLook::Normal:
        Look::setColor(m_close, QPalette::WindowText, QColor(10, 10, 255));
        break;
    case CloseLook::Hover:
        Look::setColor(m_close, QPalette::WindowText, QColor(255, 10, 10));
        break;
    case CloseLook::Pressed:
        Look::setColor(m_close, QPalette::WindowText, QColor(10, 10, 10));
        break;
    }
}

bool SecondaryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_close) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            // Taken here so the press does not reach the title bar and start moving the window.
            m_closePressed = true;
            setCloseLook(CloseLook::Pressed);
            return true;
        case QEvent::MouseMove:
            // While the button is held the label keeps its pressed look.
            if (!m_closePressed)
                setCloseLook(CloseLook::Hover);
            return true;
        case QEvent::MouseButtonRelease:
            if (m_closePressed) {
                m_closePressed = false;
                close();
            }
            return true;
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseMove && !m_closePressed && m_look != CloseLook::Normal &&
        m_normalLookAreas.contains(static_cast<QWidget *>(watched)))
        setCloseLook(CloseLook::Normal);
    return false;
}

void SecondaryWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

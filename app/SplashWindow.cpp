#include "app/SplashWindow.h"

#include "assets/Assets.h"
#include "card/Twips.h"
#include "widgets/Look.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResource>
#include <QScreen>
#include <QTimer>
#include <QtEndian>
#include <cstdlib>

namespace {
// The picture is 425 x 213 pixels; the thin frame adds one pixel on every side.
constexpr int Border = 1;
constexpr QSize PictureSize(425, 213);

QSizeF primaryScreenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSizeF(Twips::fromPx(size.width()), Twips::fromPx(size.height()));
}

// The splash picture is an uncompressed 24-bit BMP of our own making, so its pixels are taken as they
// lie in the resource. Qt's image reader would first load every image format plugin (GIF, ICO, JPEG and
// their libraries) to ask whether it reads BMP, which costs the start more than showing the picture; any
// other kind of file still goes through the reader.
QImage plainBmp(const QByteArray &file)
{
    const auto *d = reinterpret_cast<const uchar *>(file.constData());
    if (file.size() < 54 || !file.startsWith("BM") || qFromLittleEndian<quint32>(d + 14) < 40 ||
        qFromLittleEndian<quint16>(d + 26) != 1 || qFromLittleEndian<quint16>(d + 28) != 24 ||
        qFromLittleEndian<quint32>(d + 30) != 0)
        return QImage();
    const qint64 offset = qFromLittleEndian<quint32>(d + 10);
    const qint32 width = qFromLittleEndian<qint32>(d + 18);
    const qint32 height = qFromLittleEndian<qint32>(d + 22);
    if (width <= 0 || width > 4096 || height == 0 || height < -4096 || height > 4096)
        return QImage();
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    const int rows = std::abs(height);
    if (offset < 54 || offset + stride * rows > file.size())
        return QImage();
    const QImage rowsAsStored(d + offset, width, rows, int(stride), QImage::Format_BGR888);
    // Rows are stored bottom-up unless the height is negative; both make a copy that owns its pixels.
    return height > 0 ? rowsAsStored.mirrored() : rowsAsStored.copy();
}

QPixmap splashPicture()
{
    QImage image = plainBmp(QResource(Assets::Splash).uncompressedData());
    if (image.isNull())
        image = QImage(Assets::Splash);
    if (!image.isNull())
        return QPixmap::fromImage(image);
    // Without the picture file: the product name on a plain ground, so the start still looks deliberate.
    QPixmap plain(PictureSize);
    plain.fill(QColor(0x20, 0x3A, 0x60));
    QPainter p(&plain);
    QFont font = p.font();
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(plain.rect(), Qt::AlignCenter, QStringLiteral("Velnor"));
    return plain;
}
} // namespace

SplashWindow::SplashWindow(const QSizeF &screenTwips)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      m_screen(screenTwips.isEmpty() ? primaryScreenTwips() : screenTwips), m_picture(splashPicture())
{
    setObjectName(QStringLiteral("FrmWelcome"));
    setWindowTitle(QStringLiteral("Velnor"));

    m_info = new QLabel(QStringLiteral("正在启动，单击本窗口可跳过……"), this);
    m_info->setObjectName(QStringLiteral("LabRInfo"));
    Look::setColor(m_info, QPalette::WindowText, Qt::white);
    // Sized to its text once the window is on its way to the screen: measuring the text sets up the
    // fonts, which the window's first appearance need not wait for (it is painted after that anyway).
    m_info->resize(0, 0);
    QTimer::singleShot(0, m_info, &QLabel::adjustSize);
    // A click on the label is the label's own, not the window's, whatever its size at that moment.
    m_info->installEventFilter(this);
    // Places inside the window are measured from the client area, inside the frame.
    m_info->move(QPoint(Border, Border) + Twips::toPx(2340, 2940));

    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(WaitInterval);
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(StepInterval);
    connect(m_timer2, &QTimer::timeout, this, &SplashWindow::startClosing);
    connect(m_timer1, &QTimer::timeout, this, &SplashWindow::closingStep);

    const QSizeF outer(Twips::fromPx(PictureSize.width() + 2 * Border),
                       Twips::fromPx(PictureSize.height() + 2 * Border));
    m_place = QRectF(
        QPointF((m_screen.width() - outer.width()) / 2, (m_screen.height() - outer.height()) / 2), outer);
    applyPlace();
    m_timer2->start();
}

QRectF SplashWindow::shrinkStep(const QRectF &window, const QSizeF &screen)
{
    const double width = window.width() - WidthStep;
    const double left = (screen.width() - width) / 2;
    const double height = window.height() - HeightStep;
    const double top = (screen.height() - height) / 2;
    return QRectF(left, top, width, height);
}

bool SplashWindow::isLastStep(const QRectF &window)
{
    return !(window.width() > Smallest) || !(window.height() > Smallest);
}

bool SplashWindow::isClosing() const
{
    return m_timer1->isActive();
}

void SplashWindow::startClosing()
{
    // Later clicks and `Timer2` ticks find the closing under way and change nothing.
    if (!m_timer1->isActive())
        m_timer1->start();
}

void SplashWindow::closingStep()
{
    m_place = shrinkStep(m_place, m_screen);
    if (isLastStep(m_place)) {
        m_timer1->stop();
        m_timer2->stop();
        m_picture = QPixmap();
        hide();
        emit finished();
        deleteLater();
        return;
    }
    applyPlace();
}

void SplashWindow::applyPlace()
{
    const QPoint topLeft = Twips::toPx(m_place.left(), m_place.top());
    const QPoint bottomRight = Twips::toPx(m_place.right(), m_place.bottom());
    setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.drawPixmap(Border, Border, m_picture);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &SplashWindow::onScreen);
    }
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_info &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
         event->type() == QEvent::MouseButtonDblClick)) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::mousePressEvent(QMouseEvent *event)
{
    // A click on `LabRInfo` is the label's own, not the window's.
    m_pressed = childAt(event->position().toPoint()) == nullptr;
    event->accept();
}

void SplashWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && rect().contains(event->position().toPoint()))
        startClosing();
    m_pressed = false;
    event->accept();
}

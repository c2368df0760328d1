#include "widgets/MenuButton.h"

#include "assets/Assets.h"
#include "widgets/Look.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr QSize PictureSize(54, 21);

QCursor menuCursor()
{
    const QPixmap pointer(Assets::MenuCursor);
    if (pointer.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(pointer, Assets::MenuCursorHotX, Assets::MenuCursorHotY);
}
} // namespace

MenuButton::MenuButton(const char *name, const char *stem, QWidget *parent)
    : QWidget(parent), m_stem(QLatin1String(stem))
{
    setObjectName(QLatin1String(name));
    for (int state = 0; state < 3; ++state)
        m_pictures[size_t(state)] = QPixmap(Assets::menuPicture(stem, state));
    resize(PictureSize);
    setMouseTracking(true);
    setCursor(menuCursor());
}

void MenuButton::showPicture(Picture picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    update();
}

void MenuButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPixmap &picture = m_pictures[size_t(m_picture)];
    if (!picture.isNull()) {
        p.drawPixmap(0, 0, picture);
        return;
    }
    // Without the picture files the button is still usable: a plain box that shows its state.
    const QColor face[] = {Look::Grey, QColor(0xF4, 0xF4, 0xFF), QColor(0xC8, 0xC8, 0xD8)};
    p.fillRect(rect(), face[m_picture]);
    p.setPen(m_picture == Pressed ? Qt::darkGray : Qt::white);
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(m_picture == Pressed ? Qt::white : Qt::darkGray);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.setPen(Qt::black);
    p.drawText(rect(), Qt::AlignCenter, m_stem);
}

void MenuButton::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseMoved(this);
}

void MenuButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    showPicture(Pressed);
}

void MenuButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit released(this);
}

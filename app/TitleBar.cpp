#include "app/TitleBar.h"

#include "assets/Assets.h"
#include "card/Twips.h"
#include "card/VbColor.h"
#include "widgets/Look.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {
QLabel *transparentLabel(const char *name, const QString &text, VbColor color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAutoFillBackground(false);
    label->setMargin(0);
    Look::setColor(label, QPalette::WindowText, VbColors::toQColor(color));
    label->adjustSize();
    return label;
}
} // namespace

TitleBar::TitleBar(QWidget *parent) : QWidget(parent), m_picture(Assets::TitleBar)
{
    setObjectName(QStringLiteral("PicBarBg"));
    setGeometry(Twips::rectToPx(0, 0, 11850, 285));
    m_info = transparentLabel("LabBarInfo", QStringLiteral("Velnor V2.0"), VbColors::ActiveCaption, this);
    m_info->move(Twips::toPx(315, 45));
    m_motto = transparentLabel("LabBarMove", QString(), VbColors::rgb(0, 0, 0), this);
    m_motto->move(Twips::toPx(7650, 45));
}

void TitleBar::setMotto(const QString &text)
{
    m_motto->setText(text);
    m_motto->adjustSize();
}

void TitleBar::clearPicture()
{
    m_picture = QPixmap();
    update();
}

void TitleBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawPixmap(0, 0, m_picture);
        return;
    }
    // No bitmap: a plain bar in the caption's shades keeps the labels readable.
    QLinearGradient shade(0, 0, width(), 0);
    shade.setColorAt(0, QColor(0xC8, 0xD4, 0xE8));
    shade.setColorAt(1, QColor(0xE8, 0xEC, 0xF4));
    p.fillRect(rect(), shade);
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    // The press stays here: presses on the labels must not reach the window background either.
    event->accept();
}

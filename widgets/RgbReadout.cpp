#include "widgets/RgbReadout.h"

#include <QLabel>

RgbReadout::RgbReadout(QLabel *r, QLabel *g, QLabel *b, QObject *parent)
    : QObject(parent), m_r(r), m_g(g), m_b(b)
{
}

void RgbReadout::show(VbColor color)
{
    // Red, green, blue in that order, the parts taken from 0x00BBGGRR, with the ASCII colon.
    setTexts(QStringLiteral("R:%1").arg(color & 0xFFu), QStringLiteral("G:%1").arg((color & 0xFF00u) / 256),
             QStringLiteral("B:%1").arg((color & 0xFF0000u) / 65536));
}

void RgbReadout::setTexts(const QString &r, const QString &g, const QString &b)
{
    // The labels size themselves to their text.
    for (auto [label, text] : {std::pair{m_r, &r}, std::pair{m_g, &g}, std::pair{m_b, &b}}) {
        label->setText(*text);
        label->adjustSize();
    }
}

#include "card/BoxText.h"

namespace BoxText {
QString toBox(const QString &elementText)
{
    QString text = elementText;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QString fromBox(const QString &boxText)
{
    QString text = boxText;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

int boxPosition(const QString &elementText, int position)
{
    int box = 0;
    for (int i = 0; i < position && i < elementText.size(); ++i, ++box) {
        if (elementText[i] == QLatin1Char('\r') && i + 1 < elementText.size() &&
            elementText[i + 1] == QLatin1Char('\n'))
            ++i;
    }
    return box;
}
} // namespace BoxText

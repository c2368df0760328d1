#include "card/CardDesign.h"

#include "card/CardModel.h"

#include <QFile>
#include <QFileInfo>

// Placeholder until the design format lands: no picture has a design yet.
namespace CardDesign {
QString pathFor(const QString &)
{
    return QString();
}

QByteArray encode(const CardModel &)
{
    return QByteArray();
}

bool decode(const QByteArray &, CardModel &, QString *reason)
{
    if (reason)
        *reason = QStringLiteral("名片设计文件无法读取");
    return false;
}

bool readFile(const QString &path, CardModel &card, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    return decode(file.readAll(), card, reason);
}
} // namespace CardDesign

#include "output/PrintCalibration.h"

#include "card/SafeFile.h"
#include "widgets/ProgramDirectory.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace PrintCalibration {
namespace {
const QString Printers = QStringLiteral("printers");

bool valid(const Calibration &c)
{
    return std::isfinite(c.offsetXMm) && std::isfinite(c.offsetYMm) && std::abs(c.offsetXMm) <= MaxOffsetMm &&
           std::abs(c.offsetYMm) <= MaxOffsetMm && c.scalePercent >= MinScalePercent &&
           c.scalePercent <= MaxScalePercent;
}

double tenth(double value)
{
    return std::round(value * 10) / 10;
}

// The whole store; an empty object when there is none. False (with the reason) when it is damaged.
bool readStore(QJsonObject *store, QString *reason)
{
    *store = QJsonObject();
    QFile file(storePath());
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.read(1 << 20), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject() ||
        !doc.object().value(Printers).isObject()) {
        *reason = QStringLiteral("文件内容已损坏");
        return false;
    }
    *store = doc.object();
    return true;
}
} // namespace

QString storePath()
{
    return ProgramDirectory::path() + QStringLiteral("/printcal.json");
}

Calibration forPrinter(const QString &printer, QString *problem)
{
    QJsonObject store;
    QString reason;
    const QString damaged = QStringLiteral("打印校准文件“printcal.json”无法读取（%1），这次按未校准打印。");
    if (!readStore(&store, &reason)) {
        if (problem)
            *problem = damaged.arg(reason);
        return Calibration();
    }
    const QJsonValue entry = store.value(Printers).toObject().value(printer);
    if (entry.isUndefined())
        return Calibration();
    const QJsonObject o = entry.toObject();
    Calibration c;
    c.offsetXMm = o.value(QStringLiteral("offsetXMm")).toDouble(NAN);
    c.offsetYMm = o.value(QStringLiteral("offsetYMm")).toDouble(NAN);
    c.scalePercent = o.value(QStringLiteral("scalePercent")).toDouble(NAN);
    if (!entry.isObject() || !valid(c)) {
        if (problem)
            *problem = damaged.arg(QStringLiteral("打印机“%1”的校准值无效").arg(printer));
        return Calibration();
    }
    return c;
}

QString save(const QString &printer, const Calibration &calibration)
{
    const Calibration c{tenth(calibration.offsetXMm), tenth(calibration.offsetYMm),
                        tenth(calibration.scalePercent)};
    if (!valid(c))
        return QStringLiteral("校准值超出范围");
    QJsonObject store;
    QString ignored;
    readStore(&store, &ignored); // a damaged store is replaced by one that holds this printer
    QJsonObject printers = store.value(Printers).toObject();
    printers.insert(printer, QJsonObject{{QStringLiteral("offsetXMm"), c.offsetXMm},
                                         {QStringLiteral("offsetYMm"), c.offsetYMm},
                                         {QStringLiteral("scalePercent"), c.scalePercent}});
    store.insert(Printers, printers);
    return SafeFile::write(storePath(), QJsonDocument(store).toJson(QJsonDocument::Indented));
}
} // namespace PrintCalibration

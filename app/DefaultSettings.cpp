#include "app/DefaultSettings.h"

#include "app/host/ProgramDirectory.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <array>

namespace DefaultSettings {
namespace {
// The settings dialog's order: colours first (text colours in this order), then the texts.
constexpr std::array<ElementId, 11> ColorOrder{
    ElementId::LabName, ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,
    ElementId::LabPost, ElementId::LabFax, ElementId::LabHttp,   ElementId::LabTel,
    ElementId::LabMob,  ElementId::LabMail, ElementId::Hline};
constexpr std::array<ElementId, 10> TextOrder{ElementId::LabName, ElementId::LabJob,  ElementId::LabOffice,
                                              ElementId::LabAdd,  ElementId::LabPost, ElementId::LabFax,
                                              ElementId::LabTel,  ElementId::LabMob,  ElementId::LabMail,
                                              ElementId::LabHttp};
} // namespace

bool writeCard(const CardModel &card)
{
    const QString text = QStringLiteral("Text");
    const QString fColor = QStringLiteral("FColor");
    bool ok = WriteSetting(text, QStringLiteral("Title"), card.motto());
    ok &= WriteSetting(QStringLiteral("BgColor"), QStringLiteral("Bg"), VbColors::toSettingText(card.pageColor()));
    for (ElementId id : ColorOrder)
        ok &= WriteSetting(fColor, QLatin1String(elementInfo(id).colorKey),
                           VbColors::toSettingText(card.element(id).color));
    for (ElementId id : TextOrder)
        ok &= WriteSetting(text, QLatin1String(elementInfo(id).textKey), card.textElement(id).text);
    return ok;
}

bool copyIfMissing(const QString &shippedFile, const QString &dir)
{
    const QString target = QDir(dir).filePath(FileName);
    if (QFileInfo::exists(target))
        return true;
    if (shippedFile.isEmpty() || !QFileInfo::exists(shippedFile))
        return false;
    if (!QFile::copy(shippedFile, target))
        return false;
    // The installed file is read-only; the user's copy is theirs to change.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

QString shippedFile()
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/velnor/") + FileName);
    if (QFileInfo::exists(beside))
        return QDir::cleanPath(beside);
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("velnor/") + FileName);
}

void installForUser()
{
    if (ProgramDirectory::isPerUser())
        copyIfMissing(shippedFile(), ProgramDirectory::path());
}
} // namespace DefaultSettings

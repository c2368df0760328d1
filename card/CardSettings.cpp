#include "card/CardSettings.h"

#include "card/CardModel.h"
#include "card/SettingsStore.h"

#include <array>

namespace {
QString key(ElementId id)
{
    return QLatin1String(elementInfo(id).settingKey);
}

// The order of the writes. Colours first, then the texts: new keys are appended to their sections, so a
// file written from scratch still holds [Text] first (Title, then the texts), then [BgColor], then [FColor].
constexpr std::array<ElementId, 11> SavedColors{ElementId::LabName, ElementId::LabJob,  ElementId::LabOffice,
                                                ElementId::LabAdd,  ElementId::LabPost, ElementId::LabFax,
                                                ElementId::LabHttp, ElementId::LabTel,  ElementId::LabMob,
                                                ElementId::LabMail, ElementId::Hline};
constexpr std::array<ElementId, TextElementCount> SavedTexts{
    ElementId::LabName, ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,  ElementId::LabPost,
    ElementId::LabFax,  ElementId::LabTel, ElementId::LabMob,    ElementId::LabMail, ElementId::LabHttp};
// The order of the reads at start, texts and then their colours (the line's colour last).
constexpr std::array<ElementId, TextElementCount> AppliedTexts{
    ElementId::LabName, ElementId::LabJob, ElementId::LabOffice, ElementId::LabAdd,  ElementId::LabPost,
    ElementId::LabTel,  ElementId::LabFax, ElementId::LabMob,    ElementId::LabHttp, ElementId::LabMail};

void applyColor(CardModel &card, ElementId id)
{
    if (const auto color = VbColors::fromSettingText(ReadSetting(SettingKeys::ForeColors, key(id))))
        card.setForeColor(id, *color);
}
} // namespace

QString defaultText(ElementId id)
{
    return ReadSetting(SettingKeys::Texts, key(id));
}

bool saveCardSettings(const CardModel &card, QString *reason)
{
    // One batch: the file is parsed once and written once, all 23 settings or none.
    SettingsBatch batch;
    const auto write = [reason](const QString &section, const QString &key, const QString &value) {
        if (WriteSetting(section, key, value))
            return true;
        if (reason)
            *reason = QStringLiteral("设置文件无法读取或是只读的");
        return false;
    };
    if (!write(SettingKeys::Texts, SettingKeys::Motto, card.motto()) ||
        !write(SettingKeys::PageColors, SettingKeys::PageColor, VbColors::toSettingText(card.pageColor())))
        return false;
    for (ElementId id : SavedColors)
        if (!write(SettingKeys::ForeColors, key(id), VbColors::toSettingText(card.element(id).color)))
            return false;
    for (ElementId id : SavedTexts)
        if (!write(SettingKeys::Texts, key(id), card.textElement(id).text))
            return false;
    const QString failed = batch.commit();
    if (reason)
        *reason = failed;
    return failed.isEmpty();
}

void applyCardSettings(CardModel &card)
{
    card.setMotto(ReadSetting(SettingKeys::Texts, SettingKeys::Motto));
    for (ElementId id : AppliedTexts)
        card.setText(id, defaultText(id));
    if (const auto page =
            VbColors::fromSettingText(ReadSetting(SettingKeys::PageColors, SettingKeys::PageColor)))
        card.setPageColor(*page);
    for (ElementId id : AppliedTexts)
        applyColor(card, id);
    applyColor(card, ElementId::Hline);
}

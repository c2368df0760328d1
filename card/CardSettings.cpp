#include "card/CardSettings.h"

#include "card/CardModel.h"
#include "card/SettingsStore.h"

#include <array>

namespace {
// Colours first, then the texts: new keys are appended to their sections, so a file written from
// scratch still holds [Text] first (Title, then the texts), then [BgColor], then [FColor].
enum class Source { Motto, PageColor, ForeColor, Text };
struct SettingEntry {
    const char *section;
    const char *key;
    Source source;
    ElementId element;
};
constexpr std::array<SettingEntry, 23> SavedSettings{{
    {"Text", "Title", Source::Motto, ElementId::LabName},
    {"BgColor", "Bg", Source::PageColor, ElementId::LabName},
    {"FColor", "Name", Source::ForeColor, ElementId::LabName},
    {"FColor", "Job", Source::ForeColor, ElementId::LabJob},
    {"FColor", "Office", Source::ForeColor, ElementId::LabOffice},
    {"FColor", "Add", Source::ForeColor, ElementId::LabAdd},
    {"FColor", "Post", Source::ForeColor, ElementId::LabPost},
    {"FColor", "Fax", Source::ForeColor, ElementId::LabFax},
    {"FColor", "Http", Source::ForeColor, ElementId::LabHttp},
    {"FColor", "Tel", Source::ForeColor, ElementId::LabTel},
    {"FColor", "Mob", Source::ForeColor, ElementId::LabMob},
    {"FColor", "Mail", Source::ForeColor, ElementId::LabMail},
    {"FColor", "Hline", Source::ForeColor, ElementId::Hline},
    {"Text", "Name", Source::Text, ElementId::LabName},
    {"Text", "Job", Source::Text, ElementId::LabJob},
    {"Text", "Office", Source::Text, ElementId::LabOffice},
    {"Text", "Add", Source::Text, ElementId::LabAdd},
    {"Text", "Post", Source::Text, ElementId::LabPost},
    {"Text", "Fax", Source::Text, ElementId::LabFax},
    {"Text", "Tel", Source::Text, ElementId::LabTel},
    {"Text", "Mob", Source::Text, ElementId::LabMob},
    {"Text", "Mail", Source::Text, ElementId::LabMail},
    {"Text", "Http", Source::Text, ElementId::LabHttp},
}};

QString settingValue(const CardModel &card, const SettingEntry &entry)
{
    switch (entry.source) {
    case Source::Motto:
        return card.motto();
    case Source::PageColor:
        return VbColors::toSettingText(card.pageColor());
    case Source::ForeColor:
        return VbColors::toSettingText(card.element(entry.element).color);
    case Source::Text:
        break;
    }
    return card.textElement(entry.element).text;
}

// The start reads the keys as it always has ("name" in lower case); the store matches keys without
// regard to case, so the "Name" that saving writes is found.
struct LoadKey {
    ElementId id;
    const char *key;
};
constexpr std::array<LoadKey, TextElementCount> LoadKeys{{
    {ElementId::LabName, "name"},
    {ElementId::LabJob, "Job"},
    {ElementId::LabOffice, "Office"},
    {ElementId::LabAdd, "Add"},
    {ElementId::LabPost, "Post"},
    {ElementId::LabTel, "Tel"},
    {ElementId::LabFax, "Fax"},
    {ElementId::LabMob, "Mob"},
    {ElementId::LabHttp, "Http"},
    {ElementId::LabMail, "Mail"},
}};

void applyColor(CardModel &card, ElementId id, const char *key)
{
    if (const auto color =
            VbColors::fromSettingText(ReadSetting(QStringLiteral("FColor"), QLatin1String(key))))
        card.setForeColor(id, *color);
}
} // namespace

bool saveCardSettings(const CardModel &card, QString *reason)
{
    // One batch: the file is parsed once and written once, all 23 settings or none.
    SettingsBatch batch;
    for (const SettingEntry &entry : SavedSettings) {
        if (!WriteSetting(QLatin1String(entry.section), QLatin1String(entry.key),
                          settingValue(card, entry))) {
            if (reason)
                *reason = QStringLiteral("设置文件无法读取或是只读的");
            return false;
        }
    }
    const QString failed = batch.commit();
    if (reason)
        *reason = failed;
    return failed.isEmpty();
}

void applyCardSettings(CardModel &card)
{
    const QString text = QStringLiteral("Text");
    card.setMotto(ReadSetting(text, QStringLiteral("Title")));
    for (const LoadKey &k : LoadKeys)
        card.setText(k.id, ReadSetting(text, QLatin1String(k.key)));
    if (const auto page =
            VbColors::fromSettingText(ReadSetting(QStringLiteral("BgColor"), QStringLiteral("Bg"))))
        card.setPageColor(*page);
    for (const LoadKey &k : LoadKeys)
        applyColor(card, k.id, k.key);
    applyColor(card, ElementId::Hline, "Hline");
}

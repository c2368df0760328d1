#include "app/LoadSteps.h"

#include "card/CardModel.h"
#include "card/SettingsStore.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QScrollBar>
#include <array>
#include <cmath>

namespace LoadSteps {
namespace {
constexpr int SmallestSize = 8;
constexpr int LargestSize = 60;

// The load reads the keys as it always has ("name" in lower case); the store matches keys without
// regard to case, so the "Name" the settings dialog writes is found.
struct SettingKey {
    ElementId id;
    const char *key;
};
constexpr std::array<SettingKey, TextElementCount> TextKeys{{
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

// Controls of the main window itself, not of a window that happens to be its child.
template <class T> QList<T *> ownControls(QWidget *window, const char *name)
{
    QList<T *> found;
    for (T *control : window->findChildren<T *>(QLatin1String(name)))
        if (control->window() == window)
            found.append(control);
    return found;
}

void refill(QComboBox *list, const QStringList &entries)
{
    const QString editText = list->currentText();
    list->clear();
    list->addItems(entries);
    if (list->isEditable())
        list->setEditText(editText);
    else
        list->setCurrentIndex(list->findText(editText));
}

void applyColor(CardModel &card, ElementId id, const char *section, const char *key)
{
    if (const auto color = VbColors::fromSettingText(ReadSetting(QLatin1String(section), QLatin1String(key))))
        card.setForeColor(id, *color);
}
} // namespace

void fillFontLists(QWidget *window)
{
    QStringList faces = QFontDatabase::families();
    const QString song = QStringLiteral("宋体");
    if (!faces.contains(song))
        faces.prepend(song);
    QStringList sizes;
    for (int size = SmallestSize; size <= LargestSize; ++size)
        sizes.append(QString::number(size));
    for (QComboBox *list : ownControls<QComboBox>(window, "ComboFont"))
        refill(list, faces);
    for (QComboBox *list : ownControls<QComboBox>(window, "ComboSize"))
        refill(list, sizes);
}

void setReadoutTexts(QWidget *window)
{
    const std::array<std::pair<const char *, const char *>, 3> texts{
        {{"LabR", "R:0"}, {"LabG", "G:58"}, {"LabB", "B:114"}}};
    for (const auto &[name, text] : texts)
        for (QLabel *label : ownControls<QLabel>(window, name))
            label->setText(QLatin1String(text));
}

void setLineScrollBars(QWidget *window, const CardModel &card)
{
    const CardElement &line = card.element(ElementId::Hline);
    for (QScrollBar *bar : ownControls<QScrollBar>(window, "HScroll1"))
        bar->setValue(int(std::lround(line.width)));
    for (QScrollBar *bar : ownControls<QScrollBar>(window, "HScroll2"))
        bar->setValue(int(std::lround(line.height)));
}

void applySettings(CardModel &card)
{
    const QString text = QStringLiteral("Text");
    card.setMotto(ReadSetting(text, QStringLiteral("Title")));
    for (const SettingKey &k : TextKeys)
        card.setText(k.id, ReadSetting(text, QLatin1String(k.key)));
    if (const auto page = VbColors::fromSettingText(ReadSetting(QStringLiteral("BgColor"), QStringLiteral("Bg"))))
        card.setPageColor(*page);
    for (const SettingKey &k : TextKeys)
        applyColor(card, k.id, "FColor", k.key);
    applyColor(card, ElementId::Hline, "FColor", "Hline");
}
} // namespace LoadSteps

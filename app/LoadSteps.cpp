#include "app/LoadSteps.h"

#include "card/CardModel.h"

#include <QLabel>
#include <QScrollBar>
#include <array>
#include <cmath>

namespace LoadSteps {
namespace {
// Controls of the main window itself, not of a window that happens to be its child.
template <class T> QList<T *> ownControls(QWidget *window, const char *name)
{
    QList<T *> found;
    for (T *control : window->findChildren<T *>(QLatin1String(name)))
        if (control->window() == window)
            found.append(control);
    return found;
}
} // namespace

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
        bar->setValue(int(std::nearbyint(line.width)));
    for (QScrollBar *bar : ownControls<QScrollBar>(window, "HScroll2"))
        bar->setValue(int(std::nearbyint(line.height)));
}

} // namespace LoadSteps

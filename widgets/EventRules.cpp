#include "widgets/EventRules.h"

namespace EventRules {
void setUpScrollBar(QScrollBar *bar, int minimum, int maximum, int arrowStep, int trackStep)
{
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(arrowStep);
    bar->setPageStep(trackStep);
    bar->setTracking(false);
}
} // namespace EventRules

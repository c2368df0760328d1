#include "widgets/DropDownList.h"

#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QProxyStyle>

namespace DropDownList {
namespace {
// The application's style with the one difference: a list never pops up as a menu. The list then gets
// the style's plain item rows (QComboBox picks its delegate from this hint).
class ListStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *sharedStyle()
{
    static QPointer<ListStyle> style;
    if (!style) {
        style = new ListStyle;
        style->setParent(qApp); // lives as long as the application, shared by every list
    }
    return style;
}
} // namespace

QComboBox *setUp(QComboBox *list)
{
    list->setStyle(sharedStyle());
    return list;
}
} // namespace DropDownList

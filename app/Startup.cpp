#include "app/Startup.h"

#include "card/CardFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Startup {
void prepare(QApplication &app)
{
    // Qt's own dialog buttons speak Chinese ("确定", "取消", "是", "否").
    auto *qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(QStringLiteral("qtbase_zh_CN"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslator);

    CardFonts::install();
    QApplication::setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
}
} // namespace Startup

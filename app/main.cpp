#include "app/DefaultSettings.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "app/Startup.h"
#include "card/CardModel.h"
#include "card/SettingsStore.h"
#include "widgets/Dialogs.h"
#include "widgets/ProgramDirectory.h"
#include "widgets/SingleInstance.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velnor"));
    // An installed copy is known to the desktop by its entry and icon (menus, task bar, start-up notice);
    // the icon is set once the splash is on the screen, below.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELNOR_APP_ID));
    // The program ends through its exit button (or the main window being closed); the splash closing
    // before the main window appears must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    Startup::prepare(app);

    // Before anything is shown: one running copy per user.
    SingleInstance instance;
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        break;
    case SingleInstance::Result::AlreadyRunning:
        Dialogs::warning(nullptr, QStringLiteral("程序已在运行中，不要再次运行!"),
                         QApplication::applicationName());
        return 0;
    case SingleInstance::Result::Unavailable:
        std::fprintf(stderr, "velnor: 无法使用锁文件 %s，本次不检查程序是否已在运行。\n",
                     instance.lockPath().toLocal8Bit().constData());
        break;
    }

    setSettingsDirectory(ProgramDirectory::path());
    DefaultSettings::installForUser();

    // The card is laid out while the splash is on the screen rather than before it: measuring its
    // texts sets up the fonts, which the splash need not wait for.
    std::unique_ptr<CardModel> card;
    const auto makeCard = [&card] {
        if (!card)
            card = std::make_unique<CardModel>();
    };
    std::unique_ptr<MainWindow> window;
    auto *splash = new SplashWindow;
    QObject::connect(splash, &SplashWindow::onScreen, &app, [&makeCard] {
        // The icon comes from the icon theme, which takes a look through the theme's folders: done while
        // the splash is up, for the main window and the secondary windows; the splash shows none.
        QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VELNOR_APP_ID)));
        makeCard();
    });
    QObject::connect(splash, &SplashWindow::finished, &app, [&] {
        makeCard();
        window = std::make_unique<MainWindow>(card.get());
        window->load();
        window->show();
    });
    splash->show();
    const int status = app.exec();
    window.reset();
    return status;
}

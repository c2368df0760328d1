#include "assets/Assets.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be expanded outside any namespace.
static void initPictures()
{
    Q_INIT_RESOURCE(assets);
}

// Registering twice is harmless: Qt keeps one copy of a resource tree.
void Assets::init()
{
    initPictures();
}

#include "editing/FolderListing.h"

#include "editing/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace FolderListing {
bool isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

Listing readDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isDir())
        return {{}, {}, QStringLiteral("这个目录不存在，可能已被删除、移走或磁盘已取出。")};
    if (!info.isReadable() || !info.isExecutable())
        return {{}, {}, QStringLiteral("没有读取这个目录的权限。")};
    const QDir dir(path);
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase | QDir::LocaleAware;
    Listing listing;
    listing.directories = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, order);
    for (const QString &name : dir.entryList(QDir::Files, order))
        if (PictureFile::matchesPattern(name))
            listing.pictures.append(name);
    return listing;
}

QStringList driveRoots()
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        if (roots.contains(root))
            continue;
        // Removable media and data volumes the user mounts; system and pseudo filesystems stay out.
        for (const char *place : {"/media", "/mnt", "/run/media", "/home"})
            if (isUnder(root, QLatin1String(place))) {
                roots.append(root);
                break;
            }
    }
    return roots;
}

QString volumeOf(const QString &path)
{
    return QStorageInfo(path.isEmpty() ? QDir::currentPath() : path).rootPath();
}

QString driveCaption(const QString &root)
{
    const QString name = root == QLatin1String("/") ? QString() : QStorageInfo(root).name();
    return name.isEmpty() ? root : QStringLiteral("%1 [%2]").arg(root, name);
}
} // namespace FolderListing

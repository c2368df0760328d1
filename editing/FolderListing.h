#pragma once
// What the picture panel's drive, directory and file lists show, read from the file system without any
// widget: the volumes offered as drives, and a directory's subdirectories and picture files.
#include <QString>
#include <QStringList>

namespace FolderListing {
// Whether path is root itself or lies below it.
bool isUnder(const QString &path, const QString &root);

// The volumes offered as drives: the filesystem root, then removable and other data volumes.
QStringList driveRoots();
// The root of the volume holding path (the current directory for an empty path).
QString volumeOf(const QString &path);
// How a drive is shown: its root, with the volume's name when it has one.
QString driveCaption(const QString &root);

struct Listing {
    QStringList directories;
    QStringList pictures; // the names the picture panel lists (*.bmp, *.jpg, *.gif in any case)
    QString problem;      // why the directory could not be read; empty when it could
};
Listing readDirectory(const QString &path);
} // namespace FolderListing

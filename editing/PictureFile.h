#pragma once
// The picture panel's files: loading one is the card library's picture loading (shared with the card
// browser and printing), listing them is the panel's own pattern.
#include "card/PictureFile.h"

#include <QString>

namespace PictureFile {
// The file list's pattern "*.bmp;*.jpg;*.gif", whatever the letter case.
bool matchesPattern(const QString &fileName);
} // namespace PictureFile

#pragma once
// The user's settings file myset.ini in the program directory: every call reads or rewrites the file
// directly, nothing is cached. The byte behaviour follows the Windows profile functions in GBK.
#include <QString>

// The directory holding myset.ini; set once at start-up (the program directory) or by a test/probe.
void setSettingsDirectory(const QString &dir);
QString settingsDirectory();
QString settingsFilePath();

// Empty text when the file, section or key is missing.
QString ReadSetting(const QString &section, const QString &key);
// True when the file was written (or already held exactly this value).
bool WriteSetting(const QString &section, const QString &key, const QString &value);

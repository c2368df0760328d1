#pragma once
// The user's settings file myset.ini in the program directory. The byte behaviour follows the Windows
// profile functions in GBK. The file is parsed once and kept while its size, times and identity stay the
// same, so a run of reads costs one parse whatever the file's size; a write goes through SafeFile, and a
// batch of writes (SettingsBatch) writes the file once.
#include <QString>

// The settings file's name, in the program directory and wherever a default copy is kept.
inline const QString SettingsFileName = QStringLiteral("myset.ini");

// The directory holding myset.ini; set once at start-up (the program directory) or by a test/probe.
void setSettingsDirectory(const QString &dir);
QString settingsDirectory();
QString settingsFilePath();

// Empty text when the file, section or key is missing. A link named myset.ini is not followed: it reads
// as a missing file, and a write replaces it by a regular file.
QString ReadSetting(const QString &section, const QString &key);
// True when the file was written (or already held exactly this value). Inside a batch: true when the
// change was taken; the file is written by the batch's commit().
bool WriteSetting(const QString &section, const QString &key, const QString &value);

// While it lives, WriteSetting changes the parsed file only (and ReadSetting sees those changes);
// commit() writes the file once, whole or not at all. Destroyed without commit(), the changes are dropped.
// Batches do not nest.
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;
    // Empty when the file was written or nothing had changed; otherwise why not, in Chinese, and the
    // file is as it was.
    QString commit();
};

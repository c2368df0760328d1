#pragma once
// A fresh program folder for one test: the program directory (the card folder, the print image) and the
// settings file's folder both point into a new temporary folder, removed with this object.
#include "card/SettingsStore.h"
#include "widgets/ProgramDirectory.h"

#include <QTemporaryDir>

class ProgramFolder {
public:
    ProgramFolder()
    {
        if (m_dir.isValid()) {
            ProgramDirectory::setPath(m_dir.path());
            setSettingsDirectory(m_dir.path());
        }
    }
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

#pragma once

#include "platform/status.h"

#include <QString>

// Where Tavrin keeps what it writes: the stock database, the alert state file and
// the daily logs.
namespace tavrin {

// What the choice of the data directory depends on, gathered so the choice itself
// is a pure function.
struct DataDirectoryCandidates {
    QString fromEnvironment;  // TAVRIN_DATA_DIR, empty when unset
    QString programDirectory; // the executable's own directory
    bool programDirectoryWritable = false;
    QString appDataLocation; // the per-user data location
};

// TAVRIN_DATA_DIR when given; else the program's directory when writable (portable
// use); else the per-user data location. Returns a clean absolute path.
QString chooseDataDirectory(const DataDirectoryCandidates& candidates);

// True when a file can be created in the directory. Tried for real: permission bits
// do not tell the whole story (ACLs, read-only mounts, virtualised folders).
bool isWritableDirectory(const QString& directory);

class DataDirectory {
public:
    explicit DataDirectory(const QString& path);

    // Looks at the environment, the program's directory and the per-user location.
    // Needs a QCoreApplication for the last two.
    static DataDirectory resolve();

    const QString& path() const { return m_path; }
    QString databaseFile() const; // Database.db
    QString settingsFile() const; // gupiao.ini
    QString logDirectory() const; // log

    // Creates the directory when missing and, on a first run (no database file yet),
    // its log folder: a user who removed the folder to stop logging keeps it that way.
    // Never touches a file.
    Status provision() const;

private:
    QString m_path;
};

} // namespace tavrin

#include "platform/data_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace tavrin {

namespace {

QString absoluteClean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString chooseDataDirectory(const DataDirectoryCandidates& candidates) {
    if (!candidates.fromEnvironment.isEmpty())
        return absoluteClean(candidates.fromEnvironment);
    if (!candidates.programDirectory.isEmpty() && candidates.programDirectoryWritable)
        return absoluteClean(candidates.programDirectory);
    if (!candidates.appDataLocation.isEmpty())
        return absoluteClean(candidates.appDataLocation);
    // Nothing better known: the program's directory, so that failures name a real place.
    return candidates.programDirectory.isEmpty() ? QString() : absoluteClean(candidates.programDirectory);
}

bool isWritableDirectory(const QString& directory) {
    if (directory.isEmpty() || !QFileInfo(directory).isDir())
        return false;
    QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".tavrin-probe-XXXXXX")));
    return probe.open();
}

DataDirectory::DataDirectory(const QString& path) : m_path(path) {}

DataDirectory DataDirectory::resolve() {
    DataDirectoryCandidates candidates;
    candidates.fromEnvironment = qEnvironmentVariable("TAVRIN_DATA_DIR");
    if (candidates.fromEnvironment.isEmpty()) {
        candidates.programDirectory = QCoreApplication::applicationDirPath();
        candidates.programDirectoryWritable = isWritableDirectory(candidates.programDirectory);
        if (!candidates.programDirectoryWritable)
            candidates.appDataLocation = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    return DataDirectory(chooseDataDirectory(candidates));
}

QString DataDirectory::databaseFile() const {
    return QDir(m_path).filePath(QStringLiteral("Database.db"));
}

QString DataDirectory::settingsFile() const {
    return QDir(m_path).filePath(QStringLiteral("gupiao.ini"));
}

QString DataDirectory::logDirectory() const {
    return QDir(m_path).filePath(QStringLiteral("log"));
}

Status DataDirectory::provision() const {
    if (m_path.isEmpty())
        return Status::failure(QStringLiteral("没有可用的数据文件夹"),
                               QStringLiteral("no data directory is known"));
    const QString path = QDir::toNativeSeparators(m_path);
    if (!QDir().mkpath(m_path))
        return Status::failure(QStringLiteral("无法创建数据文件夹 %1").arg(path),
                               QStringLiteral("cannot create the data directory %1").arg(path));
    const QString logs = QDir::toNativeSeparators(logDirectory());
    if (!QFileInfo::exists(databaseFile()) && !QDir().mkpath(logDirectory()))
        return Status::failure(QStringLiteral("无法创建日志文件夹 %1").arg(logs),
                               QStringLiteral("cannot create the log folder %1").arg(logs));
    return {};
}

} // namespace tavrin

#include "app/update/updater.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace tavrin {

QString updaterPath(const QString& programDirectory) {
#ifdef Q_OS_WIN
    const QString name = u"自动更新.exe"_s;
#else
    const QString name = u"自动更新"_s;
#endif
    return QDir::toNativeSeparators(QDir(programDirectory).filePath(name));
}

UpdaterStart startUpdater(const QString& path) {
    if (!QFileInfo(path).isFile())
        return UpdaterStart::Missing;
    return QProcess::startDetached(path, {}) ? UpdaterStart::Started : UpdaterStart::Failed;
}

} // namespace tavrin

#include "app/petals_command/lumeve_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tavrin {
namespace {

// The export's calling convention as the library declares it.
#if defined(_WIN32)
using RoseFunction = int(__stdcall*)();
#else
using RoseFunction = int (*)();
#endif

} // namespace

QString lumeveFileName() {
#if defined(Q_OS_WIN)
    return u"Lumeve.dll"_s;
#elif defined(Q_OS_MACOS)
    return u"libLumeve.dylib"_s;
#else
    return u"libLumeve.so"_s;
#endif
}

LumeveLoader::LumeveLoader(QString folder) : m_folder(std::move(folder)) {}

LoadedEffect LumeveLoader::load() {
    const QString folder =
        QDir::toNativeSeparators(m_folder.isEmpty() ? QCoreApplication::applicationDirPath() : m_folder);
    const QString beside = QDir(folder).filePath(lumeveFileName());
    m_library.setFileName(beside);
    if (!m_library.load()) {
        const bool present = QFileInfo::exists(beside);
        const QString reason = m_library.errorString();
        m_library.setFileName(lumeveFileName());
        if (!m_library.load()) {
            if (present)
                return {.failure = LoadFailure::LibraryUnusable,
                        .library = QDir::toNativeSeparators(beside),
                        .reason = reason};
            return {.failure = LoadFailure::LibraryMissing, .library = lumeveFileName(), .folder = folder};
        }
    }
    const auto rose = reinterpret_cast<RoseFunction>(m_library.resolve(roseExportName));
    const QString loaded = QDir::toNativeSeparators(m_library.fileName());
    if (!rose)
        return {.failure = LoadFailure::ExportMissing, .library = loaded};
    return {.rose = [rose] { return rose(); }, .library = loaded};
}

} // namespace tavrin

#include "app/widgets/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavrin {

bool installChineseQtTranslations(QCoreApplication& application) {
    const QString folders[] = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
    };
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(&application);
        if (translator->load(QStringLiteral("qtbase_zh_CN"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace tavrin

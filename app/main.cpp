#include "app/main_window/program_pictures.h"
#include "app/program.h"
#include "app/start_up_trace.h"
#include "app/widgets/qt_translations.h"
#include "app/widgets/standard_font.h"

#include <QApplication>
#include <QTimer>

using namespace tavrin;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    applyStandardFont(application);
    installChineseQtTranslations(application);
    const QIcon icon = programIcon();
    QApplication::setWindowIcon(icon);

    Program program(icon);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&program, &Program::closeRequested, &application, [] { QCoreApplication::exit(0); });
    traceStartUp(program.window(), program.monitoring());
    program.window().show();
    program.start();

    // For tests driving the real program: close the main window after N ms.
    bool hasExitDelay = false;
    const int exitAfterMs = qEnvironmentVariableIntValue("TAVRIN_EXIT_AFTER_MS", &hasExitDelay);
    if (hasExitDelay)
        QTimer::singleShot(exitAfterMs, &program.window(), &QWidget::close);

    return QApplication::exec();
}

// A stand-in for the program: loads the Lumeve library by file name, resolves
// its export by the GBK bytes of its name and runs the effect once over a
// desktop-like backdrop, while a window of its own keeps counting.
//
//   lumeve-host [--end-after MS] [--pass-through-after MS]
//
// It is the model for the program's own call and makes the screenshots of
// frame_shot.sh.

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QLibrary>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr char roseExport[] = "\xC3\xB5\xB9\xE5\xBB\xA8"; // 玫瑰花

class Backdrop final : public QWidget {
public:
    Backdrop() : QWidget(nullptr, Qt::FramelessWindowHint) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient sky(0, 0, width(), height());
        sky.setColorAt(0, QColor(34, 74, 120));
        sky.setColorAt(1, QColor(96, 150, 190));
        painter.fillRect(rect(), sky);
    }
};

QWidget* findEffectWindow() {
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets)
        if (w->windowTitle() == u"Lumeve" && w->isVisible())
            return w;
    return nullptr;
}

QAction* findPassThroughEntry() {
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets)
        if (auto* menu = qobject_cast<QMenu*>(w); menu && !menu->actions().isEmpty())
            if (menu->actions().first()->text() == u"启用鼠标穿透")
                return menu->actions().first();
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption endAfter(u"end-after"_s, u"Close the effect after MS milliseconds."_s, u"MS"_s);
    const QCommandLineOption passThroughAfter(u"pass-through-after"_s,
                                              u"Choose 启用鼠标穿透 after MS milliseconds."_s, u"MS"_s);
    parser.addOptions({endAfter, passThroughAfter});
    parser.process(app);

    // Beside the program first (QLibrary adds lib…so or .dll), then the system's search.
    QLibrary library(QCoreApplication::applicationDirPath() + u"/Lumeve"_s);
    if (!library.load())
        library.setFileName(u"Lumeve"_s);
    using Rose = int (*)();
    auto rose = reinterpret_cast<Rose>(library.resolve(roseExport));
    if (!rose) {
        std::fprintf(stderr, "Lumeve: export 玫瑰花 not found in %s\n", qPrintable(library.fileName()));
        return 1;
    }

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    Backdrop backdrop;
    backdrop.setGeometry(screen);
    backdrop.show();
    QLabel counter;
    counter.setWindowTitle(u"host"_s);
    counter.setAlignment(Qt::AlignCenter);
    counter.setStyleSheet(u"QLabel { background: #f4f1ea; color: #303030; font-size: 22px; }"_s);
    counter.setGeometry(screen.x() + screen.width() / 4, screen.y() + screen.height() / 4, screen.width() / 2,
                        screen.height() / 3);
    counter.show();
    int ticks = 0;
    QTimer hostTimer;
    QObject::connect(&hostTimer, &QTimer::timeout, &counter,
                     [&] { counter.setText(u"禾岫股价监控 host\nits own timer: %1"_s.arg(++ticks)); });
    hostTimer.start(100);

    if (parser.isSet(passThroughAfter))
        QTimer::singleShot(parser.value(passThroughAfter).toInt(), &counter, [] {
            if (QAction* entry = findPassThroughEntry())
                entry->trigger();
        });
    if (parser.isSet(endAfter))
        QTimer::singleShot(parser.value(endAfter).toInt(), &counter, [] {
            if (QWidget* window = findEffectWindow())
                window->close();
        });
    // Once the host's windows are on the screen, so the snapshot shows them.
    QTimer::singleShot(500, &counter, [&] {
        const int result = rose();
        std::printf("玫瑰花 returned %d after %d host ticks\n", result, ticks);
        app.quit();
    });
    return app.exec();
}

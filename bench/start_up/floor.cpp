// One empty window, timed as Tavrin's trace times its main window: the floor of a
// Qt Widgets start on this machine.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point launchTime() {
    const QByteArray value = qgetenv("TAVRIN_STARTUP_TRACE");
    bool ok = false;
    const qlonglong ns = value.startsWith("t0=") ? value.mid(3).toLongLong(&ok) : 0;
    return ok ? Clock::time_point(std::chrono::nanoseconds(ns)) : Clock::now();
}

class FirstPaintWatch final : public QObject {
    Q_DISABLE_COPY_MOVE(FirstPaintWatch)

public:
    FirstPaintWatch(QWidget& window, Clock::time_point since) : QObject(&window), m_since(since) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - m_since);
                    std::fprintf(stderr, "first-paint %.1f\n", elapsed.count());
                    std::fflush(stderr);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    Clock::time_point m_since;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    const Clock::time_point since = launchTime();
    QApplication application(argc, argv);
    QWidget window;
    window.resize(466, 219); // the main window's design size
    new FirstPaintWatch(window, since);
    window.show();
    return QApplication::exec();
}

// One empty window, timed as Tavrin's trace times its main window: the floor of a
// Qt Widgets start on this machine.
#include "app/start_up_timing.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

using namespace tavrin::start_up_timing;

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
                this, [this] { printElapsed("first-paint", m_since); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    Clock::time_point m_since;
    bool m_seen = false;
};

} // namespace

int main(int argc, char* argv[]) {
    const Clock::time_point since = launchTime(Clock::now());
    QApplication application(argc, argv);
    QWidget window;
    window.resize(466, 219); // the main window's design size
    new FirstPaintWatch(window, since);
    window.show();
    return QApplication::exec();
}

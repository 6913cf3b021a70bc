// Frame composition of the petals effect on a 1920 x 1080 screen, and the
// memory of a run over many ticks:
//   bench_petals [frames=300] [ticks=1000]
// Compose: 21 petals, all on the screen, composed `frames` times in each mode
// (mean, median and slowest frame). Run: a real effect run (window, menu, tray
// icon, first frame) driven tick by tick with every frame painted, its resident
// memory after the first tick and after `ticks`, in snapshot mode and then in
// pass-through mode. It runs on its own offscreen screen of 1920 x 1080 unless
// QT_QPA_PLATFORM says otherwise.
#include "petals/effect_run.h"
#include "petals/effect_window.h"
#include "petals/frame_composer.h"
#include "petals/petal_field.h"
#include "petals/petal_pictures.h"
#include "petals/random.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace tavrin::petals;
using namespace Qt::StringLiterals;

namespace {

constexpr int screenW = 1920;
constexpr int screenH = 1080;

double residentMiB() {
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : -1;
}

QImage desktop() {
    QImage image(screenW, screenH, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, screenW, screenH);
    sky.setColorAt(0, QColor(34, 74, 120));
    sky.setColorAt(1, QColor(96, 150, 190));
    painter.fillRect(image.rect(), sky);
    return image;
}

void composeBench(int frames, bool passThrough, const PetalPictures& pictures,
                  const std::vector<Petal>& petals) {
    FrameComposer composer;
    composer.prepare(desktop(), QSize(screenW, screenH));
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int i = 0; i < frames; ++i) {
        timer.start();
        composer.compose(petals, pictures, passThrough, QSize(screenW, screenH));
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (const double v : ms)
        sum += v;
    std::printf("compose, %-17s %4zu petals: mean %6.2f ms, median %6.2f ms, slowest %6.2f ms per frame\n",
                passThrough ? "pass-through mode" : "snapshot mode", petals.size(), sum / double(ms.size()),
                ms[ms.size() / 2], ms.back());
}

void runBench(int ticks, const PetalPictures& pictures) {
    SystemRandom random;
    PetalField field(random);
    field.setTemplates(pictures.templates());
    EffectRun run(field, pictures, *QGuiApplication::primaryScreen());
    for (const bool passThrough : {false, true}) {
        if (passThrough)
            run.switchToPassThrough();
        QElapsedTimer timer;
        double firstMiB = 0;
        double slowest = 0;
        std::size_t most = 0;
        timer.start();
        for (int tick = 1; tick <= ticks; ++tick) {
            QElapsedTimer one;
            one.start();
            run.tick();
            run.window().repaint(); // paints the back buffer now, as the next paint event would
            slowest = std::max(slowest, double(one.nsecsElapsed()) / 1e6);
            most = std::max(most, field.petals().size());
            if (tick == 1)
                firstMiB = residentMiB();
        }
        std::printf(
            "run,     %-17s %5d ticks: %6.2f ms per tick and paint (slowest %6.2f ms); resident %.1f MiB "
            "after tick 1, %.1f MiB after tick %d; at most %zu petals alive\n",
            passThrough ? "pass-through mode" : "snapshot mode", ticks,
            double(timer.nsecsElapsed()) / 1e6 / ticks, slowest, firstMiB, residentMiB(), ticks, most);
    }
}

} // namespace

int main(int argc, char** argv) {
    // A 1920 x 1080 offscreen screen, unless the caller chose a platform.
    QTemporaryFile screenConfig;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && screenConfig.open()) {
        screenConfig.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,
                                            "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screenConfig.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screenConfig.fileName()));
    }
    QApplication app(argc, argv);
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 1000;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    std::printf("screen %d x %d\n", screen.width(), screen.height());

    const PetalPictures pictures = PetalPictures::embedded();
    // 21 petals, every one wholly on the screen: the most a frame draws.
    SystemRandom random;
    PetalField field(random);
    field.setTemplates(pictures.templates());
    field.setScreenSize(screenW, screenH);
    for (int i = 0; i < 21; ++i)
        field.addPetalAt(150 + (i * 397) % (screenW - 300), 150 + (i * 211) % (screenH - 300));
    composeBench(frames, false, pictures, field.petals());
    composeBench(frames, true, pictures, field.petals());
    runBench(ticks, pictures);
    return 0;
}

#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace tavrin::petals {

// The frameless, top-most window of one effect run. It paints the back buffer
// and reports what the user does; the run decides what follows.
class EffectWindow final : public QWidget {
    Q_OBJECT

public:
    explicit EffectWindow(const QImage& frame);
    Q_DISABLE_COPY_MOVE(EffectWindow)

    // Translucent and transparent for input from now on, at the same place.
    void becomePassThrough();

signals:
    void menuRequested(QPoint globalPos);
    void petalRequested(QPoint pos);
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const QImage& m_frame;
};

} // namespace tavrin::petals

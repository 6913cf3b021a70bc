#pragma once

#include <QWidget>
#include <functional>

namespace tavrin {

// A surface whose owner draws it from scratch on every paint.
class Canvas : public QWidget {
    Q_OBJECT

public:
    using PaintHandler = std::function<void(QPainter& painter, QSize size)>;

    explicit Canvas(QWidget* parent = nullptr);

    void setPaintHandler(PaintHandler handler);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler m_handler;
};

} // namespace tavrin

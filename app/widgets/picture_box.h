#pragma once

#include <QPixmap>
#include <QWidget>

namespace tavrin {

// A container that draws a background picture at its top-left corner, unscaled
// (a larger picture is cut at the box's edges).
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace tavrin

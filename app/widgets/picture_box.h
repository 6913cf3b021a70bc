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
    // The picture from an embedded resource, decoded when first painted or asked for:
    // a box on a page not yet shown costs the start-up nothing.
    void setPictureSource(const QString& resourcePath);
    const QPixmap& picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable QPixmap m_picture;
    mutable QString m_source;
};

} // namespace tavrin

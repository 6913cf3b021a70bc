#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

namespace tavrin {

// A balloon tip shown on request at a screen position; nothing of it is
// visible otherwise.
class BalloonTip : public QObject {
    Q_OBJECT

public:
    explicit BalloonTip(QObject* parent = nullptr);

    void showAt(QPoint globalPosition, const QString& text);

signals:
    void shown(QPoint globalPosition, const QString& text);
};

} // namespace tavrin

#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

class QWidget;

// A message box as the user saw it.
struct SeenBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool ownedByWindow = false;
    int buttons = 0;
};

// Dismisses every message box the program opens, as a user pressing Return would,
// and remembers what each said.
class MessageBoxCloser : public QObject {
    Q_OBJECT

public:
    explicit MessageBoxCloser(const QWidget* window);
    std::vector<SeenBox> seen;

private:
    void closeOpenBoxes();

    const QWidget* m_window;
    QTimer m_timer;
};

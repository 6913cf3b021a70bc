#include "app/about/designed_window.h"

#include "app/widgets/widget_builder.h"

#include <QScreen>
#include <algorithm>

namespace tavrin {

DesignedWindow::DesignedWindow(QWidget& owner, const WindowDesign& design, const QString& objectName)
    : QWidget(&owner, Qt::Window), m_designSize(design.designRect.size()) {
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(design.caption));
    resize(m_designSize);
    m_controls = ControlSet(objectName, buildControls(*this, design.controls, {}));
}

void DesignedWindow::bringForward() {
    if (!m_placed) {
        m_placed = true;
        QRect frame({}, m_designSize);
        frame.moveCenter(parentWidget()->frameGeometry().center());
        if (const QScreen* screen = parentWidget()->screen()) {
            const QRect available = screen->availableGeometry();
            frame.moveLeft(std::clamp(frame.left(), available.left(),
                                      std::max(available.left(), available.right() - frame.width())));
            frame.moveTop(std::clamp(frame.top(), available.top(),
                                     std::max(available.top(), available.bottom() - frame.height())));
        }
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void DesignedWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frameGeometry().size() != m_designSize)
        resize(m_designSize - frame);
}

} // namespace tavrin

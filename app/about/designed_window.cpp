#include "app/about/designed_window.h"

#include "app/widgets/widget_builder.h"
#include "app/widgets/window_placement.h"

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
        placeOver(*this, *parentWidget(), m_designSize);
    }
    show();
    raise();
    activateWindow();
}

void DesignedWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (frameGeometry().size() != m_designSize)
        setOuterSize(*this, m_designSize);
}

} // namespace tavrin

#pragma once

#include "app/widgets/control_entry.h"
#include "app/widgets/control_set.h"

#include <QWidget>

namespace tavrin {

// A window built from its catalogue and owned by another window: it stays in
// front of its owner and closes with it, is not modal and is deleted when
// closed. Its design size is the outer one, frame included, as for the main window.
class DesignedWindow : public QWidget {
    Q_OBJECT

public:
    DesignedWindow(QWidget& owner, const WindowDesign& design, const QString& objectName);

    template <typename T> T* control(QAnyStringView name) const { return m_controls.find<T>(name); }
    template <typename T> T* requiredControl(QAnyStringView name) const {
        return m_controls.require<T>(name);
    }

    // Shows the window over the middle of its owner, or brings it forward when shown.
    void bringForward();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSize m_designSize;
    ControlSet m_controls;
    bool m_placed = false;
};

} // namespace tavrin

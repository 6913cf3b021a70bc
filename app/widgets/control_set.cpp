#include "app/widgets/control_set.h"

#include <QtGlobal>

namespace tavrin {

void ControlSet::missing(QAnyStringView name) const {
    qFatal("%s: the control \"%s\" is missing from the catalogue", qPrintable(m_windowName),
           qPrintable(name.toString()));
}

} // namespace tavrin

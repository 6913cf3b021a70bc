#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QObject>
#include <QString>

namespace tavrin {

// The controls of a window built from its catalogue, by object name.
class ControlSet {
public:
    ControlSet() = default;
    ControlSet(QString windowName, QHash<QString, QObject*> controls)
        : m_windowName(std::move(windowName)), m_controls(std::move(controls)) {}

    // The control of that name and kind; nullptr when there is none.
    template <typename T> T* find(QAnyStringView name) const {
        return qobject_cast<T*>(m_controls.value(name.toString()));
    }
    // For code that cannot work without the control. A missing one is a fault in
    // the program, reported and fatal in every build type.
    template <typename T> T* require(QAnyStringView name) const {
        T* found = find<T>(name);
        if (!found)
            missing(name);
        return found;
    }
    QObject* any(QAnyStringView name) const { return m_controls.value(name.toString()); }

private:
    [[noreturn]] void missing(QAnyStringView name) const;

    QString m_windowName;
    QHash<QString, QObject*> m_controls;
};

} // namespace tavrin

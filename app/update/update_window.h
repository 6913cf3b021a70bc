#pragma once

#include "app/widgets/control_set.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tavrin {

// The update window: the current version, and what a check found. Owned by the
// main window (it stays in front of it and closes with it), not modal, deleted
// when closed.
class UpdateWindow : public QWidget {
    Q_OBJECT

public:
    explicit UpdateWindow(QWidget& owner);

    template <typename T> T* control(QAnyStringView name) const { return m_controls.find<T>(name); }

    QPushButton* checkButton() const { return m_checkButton; }   // 按钮1
    QPushButton* updateButton() const { return m_updateButton; } // 按钮2
    QLabel* latestVersionLabel() const { return m_latestVersion; }
    QPlainTextEdit* summaryBox() const { return m_summaryBox; }

    // A check found another version: the summary caption shown, "<version> 版",
    // the summary, and the update button enabled for the rest of the window's life.
    void showNewVersion(const QString& version, const QString& summary);

protected:
    void showEvent(QShowEvent* event) override;

private:
    ControlSet m_controls;
    QPushButton* m_checkButton;
    QPushButton* m_updateButton;
    QLabel* m_latestVersion;
    QLabel* m_summaryCaption;
    QPlainTextEdit* m_summaryBox;
    bool m_designSizeApplied = false;
};

} // namespace tavrin

#include "app/update/update_window.h"

#include "app/update/update_window_catalogue.h"
#include "app/update/update_window_names.h"
#include "app/widgets/widget_builder.h"
#include "app/widgets/window_placement.h"
#include "tavrin/version.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace names = update_window_names;

UpdateWindow::UpdateWindow(QWidget& owner) : QWidget(&owner, Qt::Window) {
    const WindowDesign& design = updateWindowDesign();
    setObjectName(u"UpdateWindow"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(design.caption));
    resize(design.designRect.size());

    QHash<QString, QObject*> built = buildControls(*this, design.controls, {});
    m_summaryBox = new QPlainTextEdit(this);
    m_summaryBox->setObjectName(QString::fromUtf8(names::summaryBox));
    m_summaryBox->setGeometry(updateSummaryBoxRect);
    m_summaryBox->setFrameShape(QFrame::StyledPanel);
    built.insert(m_summaryBox->objectName(), m_summaryBox);
    m_controls = ControlSet(objectName(), std::move(built));

    m_checkButton = m_controls.require<QPushButton>(names::checkButton);
    m_updateButton = m_controls.require<QPushButton>(names::updateButton);
    m_latestVersion = m_controls.require<QLabel>(names::latestVersion);
    m_summaryCaption = m_controls.require<QLabel>(names::summaryCaption);

    m_controls.require<QLabel>(names::currentVersion)->setText(QString::fromUtf8(currentVersionText));
    // The summary's caption appears with the first summary.
    m_summaryCaption->hide();
    m_updateButton->setEnabled(false);
}

void UpdateWindow::showNewVersion(const QString& version, const QString& summary) {
    m_summaryCaption->show();
    m_latestVersion->setText(version + u" 版"_s);
    m_updateButton->setEnabled(true);
    m_summaryBox->setPlainText(summary);
}

void UpdateWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_designSizeApplied)
        return;
    m_designSizeApplied = true;
    // The design size is the outer one, frame included, as for the main window.
    setOuterSize(*this, updateWindowDesign().designRect.size());
}

} // namespace tavrin

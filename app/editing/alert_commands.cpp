#include "app/editing/alert_commands.h"

#include "app/editing/cleaned_text.h"
#include "app/editing/edit_feedback.h"
#include "app/editing/record_lookup.h"
#include "app/editing/watch_list_reload.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/widgets/tab_control.h"
#include "monitor/alert_state.h"
#include "monitor/monitoring_cycle.h"
#include "quotes/async_quote_lookup.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QComboBox>
#include <QLineEdit>

namespace tavrin {

namespace names = main_window_names;

AlertCommands::AlertCommands(MainWindow& window, StockDatabase& database, AlertStateStore& alertState,
                             EditFeedback& feedback, MonitoringCycle& monitoring, AsyncQuoteLookup& lookup,
                             QObject* parent)
    : QObject(parent), m_window(window), m_database(database), m_alertState(alertState), m_feedback(feedback),
      m_monitoring(monitoring), m_lookup(lookup),
      m_codeBox(window.requiredControl<QLineEdit>(names::alertCodeBox)),
      m_priceBox(window.requiredControl<QLineEdit>(names::alertLatestPriceBox)),
      m_changeBox(window.requiredControl<QLineEdit>(names::alertChangeBox)),
      m_kindBox(window.requiredControl<QComboBox>(names::alertKindBox)),
      m_alertPriceBox(window.requiredControl<QLineEdit>(names::alertTargetPriceBox)) {
    connect(&m_lookup, &AsyncQuoteLookup::answered, this, &AlertCommands::lookupAnswered);
}

QString AlertCommands::selectedCode() const {
    const int row = m_window.selectedRow();
    return row < 0 ? QString() : m_window.watchListModel()->cell(row, WatchListModel::Code);
}

void AlertCommands::openEditor() {
    m_window.tabControl()->setCurrentIndex(kAlertPage);
    m_monitoring.stop();
    const QString code = selectedCode();
    m_codeBox->setText(code);
    m_lookupSequence = m_lookup.request(code);
    // The alert price can be typed while the quote is on its way.
    m_alertPriceBox->setFocus();
}

void AlertCommands::lookupAnswered(quint64 sequence, const QString& code, const QuoteResult& result) {
    // Stale when the editor was opened again or the code box has changed since.
    if (sequence != m_lookupSequence || m_codeBox->text() != code)
        return;
    m_lookupSequence = 0;
    if (result.status == FetchStatus::TooManyFields)
        m_feedback.failed(tooManyFieldsMessage());
    const bool found = result.status == FetchStatus::Fetched && result.record.code == code;
    // Without a quote for this code the boxes show nothing rather than another stock's values.
    m_priceBox->setText(found ? result.record.price : QString());
    m_changeBox->setText(found ? result.record.change : QString());
    emit quoteShown(code, found);
}

void AlertCommands::setAlert() {
    const QString alertPrice = m_alertPriceBox->text();
    if (alertPrice.isEmpty())
        return;
    const std::optional<LocateResult> located = locateForEdit(m_database, m_feedback, m_codeBox->text());
    if (!located)
        return;
    // The counter belongs to the record that is changed, whatever row is selected.
    const QString& name = located->name;
    const DbResult updated =
        m_database.update(located->id, {{StockField::Yjnr, withoutSpaces(m_kindBox->currentText())},
                                        {StockField::Yjjg, withoutSpaces(alertPrice)}});
    if (!updated) {
        m_feedback.failed(databaseFailureText(updated.reason()));
        return;
    }
    // A stock without a name has no counter to reset: its key cannot be written.
    if (!name.isEmpty() && !resetTargetCount(m_alertState, name))
        m_feedback.warned(stateNotSavedText(m_alertState.path()));
    else
        m_feedback.succeeded(u"添加预警", u"添加成功");
    reloadWatchList(m_database, *m_window.watchListModel(), m_feedback);
    m_codeBox->clear();
    m_priceBox->clear();
    m_alertPriceBox->clear();
    m_changeBox->clear();
}

void AlertCommands::removeAlert() {
    const std::optional<LocateResult> located = locateForEdit(m_database, m_feedback, selectedCode());
    if (!located)
        return;
    const QString& name = located->name;
    const DbResult updated = m_database.update(located->id, {{StockField::Yjjg, QString()}});
    if (!updated) {
        m_feedback.failed(databaseFailureText(updated.reason()));
        return;
    }
    if (!name.isEmpty() && !removeTargetCount(m_alertState, name))
        m_feedback.warned(stateNotSavedText(m_alertState.path()));
    else
        m_feedback.succeeded(u"删除预警", u"删除成功");
    reloadWatchList(m_database, *m_window.watchListModel(), m_feedback);
}

} // namespace tavrin

#include "app/editing/stock_commands.h"

#include "app/editing/cleaned_text.h"
#include "app/editing/edit_feedback.h"
#include "app/editing/record_lookup.h"
#include "app/editing/watch_list_reload.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "monitor/alert_state.h"
#include "monitor/monitoring_cycle.h"
#include "platform/gbk.h"
#include "quotes/async_quote_lookup.h"
#include "store/stock_database.h"
#include "store/watch_list_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tavrin {

namespace names = main_window_names;
namespace {

bool isStockCodeLength(const QString& text) {
    return gbk::byteLength(text) == kStockCodeBytes;
}

Message ownedMessage(const QString& text, MessageIcon icon = MessageIcon::None) {
    return Message{text, Message::defaultCaption(), icon, MessageOwner::MainWindow};
}

} // namespace

StockCommands::StockCommands(MainWindow& window, StockDatabase& database, AlertStateStore& alertState,
                             EditFeedback& feedback, MonitoringCycle& monitoring, AsyncQuoteLookup& lookup,
                             QObject* parent)
    : QObject(parent), m_window(window), m_database(database), m_alertState(alertState), m_feedback(feedback),
      m_monitoring(monitoring), m_lookup(lookup),
      m_codeBox(window.requiredControl<QLineEdit>(names::codeBox)),
      m_priceBox(window.requiredControl<QLineEdit>(names::purchasePriceBox)),
      m_quantityBox(window.requiredControl<QLineEdit>(names::quantityBox)),
      m_streakBox(window.requiredControl<QComboBox>(names::streakBox)),
      m_fallAlertBox(window.requiredControl<QCheckBox>(names::fallAlertOption)) {
    connect(&m_lookup, &AsyncQuoteLookup::answered, this, &StockCommands::lookupAnswered);
}

void StockCommands::codeEntered(const QString& text) {
    // Whatever answer is on its way belongs to an older text of the box.
    m_lookupSequence = 0;
    if (!isStockCodeLength(text))
        return;
    m_lookupCode = text;
    m_priceAtLookup = m_priceBox->text();
    m_lookupSequence = m_lookup.request(text);
}

void StockCommands::lookupAnswered(quint64 sequence, const QString& code, const QuoteResult& result) {
    if (sequence != m_lookupSequence || code != m_lookupCode)
        return;
    m_lookupSequence = 0;
    if (result.status == FetchStatus::TooManyFields)
        m_feedback.failed(tooManyFieldsMessage());
    // A quote without a name cannot key the stock's settings: as good as no quote.
    const bool found =
        result.status == FetchStatus::Fetched && result.record.code == code && !result.record.name.isEmpty();
    if (found) {
        m_pendingName = result.record.name;
        m_quotedCode = code;
        // The user may have gone on to type a price while the answer was on its way.
        if (m_priceBox->text() == m_priceAtLookup) {
            m_priceBox->setText(result.record.price);
            m_priceBox->setFocus();
        }
    } else {
        // Never keep the previous stock's name for a code that is not that stock.
        m_pendingName.clear();
        m_quotedCode.clear();
    }
    emit codeLookedUp(code, found);
}

void StockCommands::priceEntered() {
    m_quantityBox->setFocus();
}

void StockCommands::add() {
    const QString code = m_codeBox->text();
    if (isStockCodeLength(code) && !storeNewStock(code))
        return;
    m_priceBox->setText(QStringLiteral(" "));
    m_quantityBox->setText(QStringLiteral("00 "));
    m_codeBox->setText(QStringLiteral(" "));
    m_codeBox->setFocus();
    reloadAndRefresh();
}

bool StockCommands::storeNewStock(const QString& code) {
    if (m_quotedCode != code) {
        if (isLookingUp() && m_lookupCode == code)
            m_feedback.tell(ownedMessage(QStringLiteral("正在取得该股票的行情，请稍候再添加。"),
                                         MessageIcon::Information));
        else
            m_feedback.tell(
                ownedMessage(QStringLiteral("未能取得该股票的行情，无法添加。请检查股票代码和网络连接。"),
                             MessageIcon::Warning));
        return false;
    }
    const QString name = m_pendingName;
    const LocateResult located = m_database.locate(code);
    if (!located) {
        m_feedback.failed(databaseFailureText(located.reason()));
        return false;
    }
    // A refused add writes nothing anywhere, the stock's settings included.
    if (located.found()) {
        m_feedback.tell(ownedMessage(QStringLiteral("已存在，请重新添加或修改")));
        return false;
    }
    const AppendResult appended = m_database.append(
        NewStock{name, code, withoutSpaces(m_priceBox->text()), withoutSpaces(m_quantityBox->text())});
    if (!appended) {
        m_feedback.failed(databaseFailureText(appended.reason()));
        return false;
    }
    // The stock is stored: a settings file that cannot be written is no reason to lose it.
    if (!writeStockAdded(m_alertState, name, m_streakBox->currentText(), m_fallAlertBox->isChecked()))
        m_feedback.warned(stateNotSavedText(m_alertState.path()));
    else
        m_feedback.succeeded(u"添加股票", u"添加成功");
    return true;
}

void StockCommands::modify() {
    if (m_window.selectedRow() < 0) {
        m_feedback.tell(Message{QStringLiteral("请选择要修改的用户。"), QStringLiteral("系统提示"),
                                MessageIcon::Information, MessageOwner::MainWindow});
        return;
    }
    const QString quantity = m_quantityBox->text();
    if (quantity.isEmpty()) {
        m_feedback.tell(ownedMessage(QStringLiteral("买入数量为空，未作修改。"), MessageIcon::Warning));
        return;
    }
    const std::optional<LocateResult> located = locateForEdit(m_database, m_feedback, m_codeBox->text());
    if (!located)
        return;
    const DbResult updated =
        m_database.update(located->id, {{StockField::Cjjg, withoutSpaces(m_priceBox->text())},
                                        {StockField::Cjsl, withoutSpaces(quantity)}});
    if (!updated) {
        m_feedback.failed(databaseFailureText(updated.reason()));
        return;
    }
    m_feedback.succeeded(u"修改股票", u"修改成功");
    m_codeBox->setText(QStringLiteral(" "));
    m_priceBox->setText(QStringLiteral(" "));
    m_quantityBox->setText(QStringLiteral("00 "));
    m_codeBox->setFocus();
    reloadAndRefresh();
}

void StockCommands::deleteSelected() {
    if (m_monitoring.isMonitoring()) {
        m_feedback.tell(Message{QStringLiteral("请先停止刷新再删除。"), QStringLiteral("警告"),
                                MessageIcon::None, MessageOwner::MainWindow});
        return;
    }
    m_monitoring.stopTimers();
    const int row = m_window.selectedRow();
    if (row < 0) {
        m_feedback.tell(Message{QStringLiteral("什么都没选中，你删什么删")});
        return;
    }
    const RemoveResult removed =
        m_database.removeById(m_window.watchListModel()->cell(row, WatchListModel::Id));
    if (!removed) {
        m_feedback.failed(databaseFailureText(removed.reason()));
        return;
    }
    reloadWatchList(m_database, *m_window.watchListModel(), m_feedback);
}

void StockCommands::showEditRow() {
    m_window.setOuterHeight(kEditRowHeight);
    m_codeBox->setFocus();
}

void StockCommands::reloadAndRefresh() {
    if (reloadWatchList(m_database, *m_window.watchListModel(), m_feedback))
        m_monitoring.refreshNow();
}

} // namespace tavrin

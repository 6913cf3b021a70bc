#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

namespace tavrin {

class AsyncQuoteLookup;
class EditFeedback;
class MainWindow;
class MonitoringCycle;
class AlertStateStore;
class StockDatabase;
struct QuoteResult;

// Setting and removing the alert of a stock with the page "预警设置" and the
// list's menu. UI thread only; connected to the controls by connectEditCommands.
class AlertCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int kAlertPage = 2;

    AlertCommands(MainWindow& window, StockDatabase& database, AlertStateStore& alertState,
                  EditFeedback& feedback, MonitoringCycle& monitoring, AsyncQuoteLookup& lookup,
                  QObject* parent = nullptr);

    // Menu "添加/修改预警": the alert page with the selected stock and its quote;
    // monitoring is switched off.
    void openEditor();
    // 按钮3 "添加/修改".
    void setAlert();
    // Menu "删除预警".
    void removeAlert();

signals:
    // The editor's quote came in and was shown (not sent for stale answers).
    void quoteShown(const QString& code, bool found);

private:
    void lookupAnswered(quint64 sequence, const QString& code, const tavrin::QuoteResult& result);
    QString selectedCode() const;
    // The stored name of the record with that ID; false, after an error box, when
    // the table cannot be read.

    MainWindow& m_window;
    StockDatabase& m_database;
    AlertStateStore& m_alertState;
    EditFeedback& m_feedback;
    MonitoringCycle& m_monitoring;
    AsyncQuoteLookup& m_lookup;

    QLineEdit* m_codeBox;       // 编辑框1
    QLineEdit* m_priceBox;      // 编辑框3
    QLineEdit* m_changeBox;     // 编辑框5
    QComboBox* m_kindBox;       // 组合框1
    QLineEdit* m_alertPriceBox; // 编辑框4

    quint64 m_lookupSequence = 0;
};

} // namespace tavrin

#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
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

// Adding, modifying and deleting stocks with the edit row under the watch list.
// The commands read and reset the row's boxes themselves; the connections from
// the controls and the menu are made by connectEditCommands. UI thread only.
class StockCommands : public QObject {
    Q_OBJECT

public:
    StockCommands(MainWindow& window, StockDatabase& database, AlertStateStore& alertState,
                  EditFeedback& feedback, MonitoringCycle& monitoring, AsyncQuoteLookup& lookup,
                  QObject* parent = nullptr);

    // The code box's text changed (typed or set): a 6-byte code is looked up; the
    // answer fills the pending name and the price box and moves the focus there.
    void codeEntered(const QString& text);
    // Enter in the price box.
    void priceEntered();
    // 添加按钮, or Enter in the quantity box.
    void add();
    // 按钮2.
    void modify();
    // Menu "删除所选".
    void deleteSelected();
    // Menu "添加股票": the edit row brought into view.
    void showEditRow();

    // The name of the stock last looked up; empty after a failed look-up.
    const QString& pendingName() const { return m_pendingName; }
    // The code the pending name belongs to; empty after a failed look-up.
    const QString& quotedCode() const { return m_quotedCode; }
    bool isLookingUp() const { return m_lookupSequence != 0; }

    static constexpr int kEditRowHeight = 270;

signals:
    // A look-up's answer was taken in (not sent for answers dropped as stale).
    void codeLookedUp(const QString& code, bool found);

private:
    void lookupAnswered(quint64 sequence, const QString& code, const tavrin::QuoteResult& result);
    // Add's steps 2 to 6; false when it stopped with a message.
    bool storeNewStock(const QString& code);
    void reloadAndRefresh();

    MainWindow& m_window;
    StockDatabase& m_database;
    AlertStateStore& m_alertState;
    EditFeedback& m_feedback;
    MonitoringCycle& m_monitoring;
    AsyncQuoteLookup& m_lookup;

    QLineEdit* m_codeBox;
    QLineEdit* m_priceBox;
    QLineEdit* m_quantityBox;
    QComboBox* m_streakBox;
    QCheckBox* m_fallAlertBox;

    QString m_pendingName;
    QString m_quotedCode;
    quint64 m_lookupSequence = 0; // 0 when no answer is awaited
    QString m_lookupCode;
    QString m_priceAtLookup; // a price typed while waiting is not overwritten
};

} // namespace tavrin

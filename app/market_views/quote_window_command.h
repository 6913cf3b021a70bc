#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

namespace tavrin {

class HttpClient;
class MainWindow;
class QuoteWindow;

// How the open command makes room, as pure arithmetic. Each use of the command
// used to add 48 to the height and take 170 from the left edge, so a few uses
// grew the window without bound and walked it off the screen: the height now
// grows only while the cost-editing row is hidden, and the move stops at the
// left edge of the screen's available area (never moving right).
namespace quote_window_opening {

inline constexpr int kHeightStep = 48;
inline constexpr int kLeftStep = 170;

int heightAfterOpening(int outerHeight, bool editRowHidden);
int leftAfterOpening(int left, int availableLeft);

} // namespace quote_window_opening

// The watch-list command "查看分时/修改成本": uncovers the cost-editing row with the
// selected row's code in it, opens (or re-aims) the quote window on that code and
// moves the main window left so the quote window docks at its right edge.
class QuoteWindowCommand : public QObject {
    Q_OBJECT

public:
    using HttpFactory = std::function<std::unique_ptr<HttpClient>()>;

    // Each quote window gets a client of its own from the factory.
    QuoteWindowCommand(MainWindow& mainWindow, HttpFactory http, QString quoteUrl, QString chartUrl,
                       QObject* parent = nullptr);

    void open();
    // The main window moved, resized or minimized: the quote window follows, if open.
    void dockTo(const QRect& mainFrame);

    // The open quote window; nullptr before the first use and once the user closed it.
    QuoteWindow* quoteWindow() const;
    // The code the last use took from the watch list.
    const QString& codeToShow() const { return m_codeToShow; }
    // Whether the code box of the cost-editing row lies (partly) outside the main window.
    bool editRowHidden() const;

private:
    QString selectedCode() const;

    MainWindow& m_mainWindow;
    HttpFactory m_http;
    QString m_quoteUrl;
    QString m_chartUrl;
    QString m_codeToShow;
    QPointer<QuoteWindow> m_quoteWindow;
};

} // namespace tavrin

#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

namespace tavrin {

// Where the value page shows the valuation page: an embedded browser, or the
// system browser in builds without one.
class PageView : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void open(const QUrl& address) = 0;
    // The page shown before the first evaluation.
    virtual void showFirstPage(const QUrl& address) { open(address); }
    // A page of our own (no server behind it).
    virtual void showLocalPage(const QString& html) = 0;
    // The address asked for last; empty before the first.
    virtual QUrl address() const = 0;
    // The title of the page shown; empty where the view cannot tell.
    virtual QString title() const = 0;

signals:
    void loadFinished(bool ok);
};

} // namespace tavrin

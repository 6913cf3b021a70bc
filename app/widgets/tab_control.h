#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class QTabBar;

namespace tavrin {

// A tab strip over stacked pages whose children are placed relative to the
// whole control, tab strip included, so that designed positions stay exact
// whatever height the strip takes in the current font.
class TabControl : public QWidget {
    Q_OBJECT

public:
    explicit TabControl(QWidget* parent = nullptr);

    // Appends a page; note is the second text kept with it. Returns the page.
    QWidget* addPage(const QString& title, const QString& note);

    int count() const;
    QWidget* page(int index) const; // nullptr out of range
    QString pageTitle(int index) const;
    QString pageNote(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return m_bar; }

signals:
    void currentChanged(int index);
    // A double click on the tab strip or on an empty part of a page.
    void doubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void showPage(int index);
    int stripHeight() const;

    QTabBar* m_bar;
    std::vector<QWidget*> m_pages;
};

} // namespace tavrin

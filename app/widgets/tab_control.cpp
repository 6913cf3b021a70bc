#include "app/widgets/tab_control.h"

#include <QMouseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace tavrin {

namespace {

// The designed strip height: the pages' controls start right below it (the list at
// y 25), whatever height the style would give the tabs in the current font.
constexpr int kStripHeight = 25;

class TabStrip : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(kStripHeight);
        return size;
    }
    QSize minimumTabSizeHint(int index) const override {
        QSize size = QTabBar::minimumTabSizeHint(index);
        size.setHeight(kStripHeight);
        return size;
    }
};

} // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new TabStrip(this)) {
    m_bar->setObjectName(QStringLiteral("tabStrip"));
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        showPage(index);
        emit currentChanged(index);
    });
    connect(m_bar, &QTabBar::tabBarDoubleClicked, this, [this](int) { emit doubleClicked(); });
}

QWidget* TabControl::addPage(const QString& title, const QString& note) {
    auto* page = new QWidget(this);
    page->setGeometry(rect());
    const int index = m_bar->addTab(title);
    m_bar->setTabData(index, note);
    m_pages.push_back(page);
    // The strip stays above the pages, which cover the whole control.
    m_bar->raise();
    showPage(m_bar->currentIndex());
    return page;
}

int TabControl::count() const {
    return int(m_pages.size());
}

QWidget* TabControl::page(int index) const {
    return index >= 0 && index < count() ? m_pages[size_t(index)] : nullptr;
}

QString TabControl::pageTitle(int index) const {
    return m_bar->tabText(index);
}

QString TabControl::pageNote(int index) const {
    return m_bar->tabData(index).toString();
}

int TabControl::currentIndex() const {
    return m_bar->currentIndex();
}

void TabControl::setCurrentIndex(int index) {
    m_bar->setCurrentIndex(index);
}

void TabControl::showPage(int index) {
    for (int i = 0; i < count(); ++i)
        m_pages[size_t(i)]->setVisible(i == index);
}

int TabControl::stripHeight() const {
    return m_bar->sizeHint().height();
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_bar->setGeometry(0, 0, width(), stripHeight());
    for (QWidget* page : m_pages)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, stripHeight() - 1, 0, 0);
    option.tabBarSize = m_bar->sizeHint();
    option.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void TabControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

} // namespace tavrin

#include "app/tab_control.h"

#include <QMouseEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace tavrin {

TabControl::TabControl(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setObjectName(QStringLiteral("tabStrip"));
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        showPage(index);
        emit currentChanged(index);
    });
    connect(bar_, &QTabBar::tabBarDoubleClicked, this, [this](int) { emit doubleClicked(); });
}

QWidget* TabControl::addPage(const QString& title, const QString& note) {
    auto* page = new QWidget(this);
    page->setGeometry(rect());
    const int index = bar_->addTab(title);
    bar_->setTabData(index, note);
    pages_.push_back(page);
    // The strip stays above the pages, which cover the whole control.
    bar_->raise();
    showPage(bar_->currentIndex());
    return page;
}

int TabControl::count() const {
    return int(pages_.size());
}

QWidget* TabControl::page(int index) const {
    return index >= 0 && index < count() ? pages_[size_t(index)] : nullptr;
}

QString TabControl::pageTitle(int index) const {
    return bar_->tabText(index);
}

QString TabControl::pageNote(int index) const {
    return bar_->tabData(index).toString();
}

int TabControl::currentIndex() const {
    return bar_->currentIndex();
}

void TabControl::setCurrentIndex(int index) {
    bar_->setCurrentIndex(index);
}

void TabControl::showPage(int index) {
    for (int i = 0; i < count(); ++i)
        pages_[size_t(i)]->setVisible(i == index);
}

int TabControl::stripHeight() const {
    return bar_->sizeHint().height();
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    bar_->setGeometry(0, 0, width(), stripHeight());
    for (QWidget* page : pages_)
        page->setGeometry(rect());
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.rect = rect().adjusted(0, stripHeight() - 1, 0, 0);
    option.tabBarSize = bar_->sizeHint();
    option.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void TabControl::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

} // namespace tavrin

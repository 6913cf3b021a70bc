#include "app/value_page/system_browser_view.h"

#include <QDesktopServices>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tavrin {

QString systemBrowserNote() {
    return u"本版本没有内嵌浏览器：估值页面在系统浏览器中打开。"_s;
}

QString noValueServerNote() {
    return u"没有配置价值页面服务器：请设置环境变量 TAVRIN_VALUE_URL。"_s;
}

SystemBrowserView::SystemBrowserView(QWidget& host) : PageView(&host), m_note(new QLabel(&host)) {
    m_note->setObjectName(u"valuePageNote"_s);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_note->setContentsMargins(8, 8, 8, 8);
    auto* layout = new QVBoxLayout(&host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_note);
    m_note->show();
}

void SystemBrowserView::open(const QUrl& address) {
    showFirstPage(address);
    emit loadFinished(QDesktopServices::openUrl(address));
}

void SystemBrowserView::showFirstPage(const QUrl& address) {
    m_address = address;
    m_note->setText(systemBrowserNote());
}

void SystemBrowserView::showLocalPage(const QString&) {
    m_address = QUrl();
    m_note->setText(noValueServerNote());
}

} // namespace tavrin

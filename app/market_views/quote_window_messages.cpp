#include "app/market_views/quote_window_messages.h"

namespace tavrin {

using namespace Qt::StringLiterals;

QMessageBox* QuoteWindowMessages::show(const QString& text, const QString& caption, QMessageBox::Icon icon) {
    if (isOpen(text))
        return nullptr;
    auto* box = new QMessageBox(icon, caption, text, QMessageBox::Ok, &m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Not modal: the user may go on typing a code while the box is up.
    box->setModal(false);
    m_open.insert(text, box);
    box->show();
    return box;
}

bool QuoteWindowMessages::isOpen(const QString& text) const {
    const QPointer<QMessageBox> box = m_open.value(text);
    return box && box->isVisible();
}

QString informationCaption() {
    return u"信息："_s;
}

QString errorCaption() {
    return u"错误："_s;
}

} // namespace tavrin

#include "app/about/about_window.h"

#include "app/about/about_window_catalogue.h"
#include "app/about/about_window_names.h"
#include "tavrin/version.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace tavrin {

namespace names = about_window_names;

QString versionLine() {
    return u"V "_s + QString::fromUtf8(currentVersionText) + u" 版"_s;
}

AboutWindow::AboutWindow(QWidget& owner)
    : DesignedWindow(owner, aboutWindowDesign(), u"AboutWindow"_s),
      m_contactButton(requiredControl<QPushButton>(names::contactButton)),
      m_sayingButton(requiredControl<QPushButton>(names::sayingButton)),
      m_thankYouButton(requiredControl<QPushButton>(names::thankYouButton)) {
    requiredControl<QLabel>(names::versionLine)->setText(versionLine());
    connect(requiredControl<QPushButton>(names::closeButton), &QPushButton::clicked, this, &QWidget::close);
}

} // namespace tavrin

#include "app/about/thank_you_window.h"

#include "app/about/about_pictures.h"
#include "app/about/thank_you_window_catalogue.h"
#include "app/about/thank_you_window_names.h"
#include "app/widgets/embedded_picture.h"
#include "app/widgets/picture_box.h"

using namespace Qt::StringLiterals;

namespace tavrin {

ThankYouWindow::ThankYouWindow(QWidget& owner)
    : DesignedWindow(owner, thankYouWindowDesign(), u"ThankYouWindow"_s) {
    requiredControl<PictureBox>(thank_you_window_names::picture)
        ->setPicture(QPixmap::fromImage(embeddedPicture(QString::fromUtf8(thankYouPicture))));
}

} // namespace tavrin

#pragma once

namespace tavrin {

// Resource paths of the about window's, the thank-you window's and the service panel's pictures.
inline constexpr char aboutPicture[] = ":/tavrin/pictures/about.png";
inline constexpr char thankYouPicture[] = ":/tavrin/pictures/thank_you.png";
inline constexpr char contactPicture[] = ":/tavrin/pictures/contact.jpg";

} // namespace tavrin

#pragma once

// The object names of the thank-you window's controls.
namespace tavrin::thank_you_window_names {

inline constexpr char picture[] = "图片框1";

} // namespace tavrin::thank_you_window_names

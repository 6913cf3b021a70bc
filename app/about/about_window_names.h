#pragma once

// The object names of the about window's controls.
namespace tavrin::about_window_names {

inline constexpr char group[] = "分组框1";
inline constexpr char versionCaption[] = "透明标签1";
inline constexpr char versionLine[] = "透明标签3";
inline constexpr char picture[] = "图片框1";
inline constexpr char closeButton[] = "按钮6";
inline constexpr char contactButton[] = "按钮7";
inline constexpr char sayingButton[] = "按钮8";
inline constexpr char thankYouButton[] = "按钮9";

} // namespace tavrin::about_window_names

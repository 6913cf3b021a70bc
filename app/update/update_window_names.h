#pragma once

// The object names of the update window's controls.
namespace tavrin::update_window_names {

inline constexpr char currentCaption[] = "标签1";
inline constexpr char currentVersion[] = "标签6";
inline constexpr char currentSuffix[] = "标签5";
inline constexpr char latestCaption[] = "标签2";
inline constexpr char latestVersion[] = "标签3";
inline constexpr char checkButton[] = "按钮1";
inline constexpr char installOption[] = "选择框1";
inline constexpr char summaryCaption[] = "标签4";
inline constexpr char summaryBox[] = "编辑框1";
inline constexpr char updateButton[] = "按钮2";

} // namespace tavrin::update_window_names

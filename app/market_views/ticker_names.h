#pragma once

// The object names of the index ticker bar's controls.
namespace tavrin::ticker_names {

inline constexpr char frame[] = "分组框1";
inline constexpr char shanghaiCaption[] = "透明标签_上证指数标签";
inline constexpr char shanghaiValue[] = "透明标签_上证综指当前价";
inline constexpr char shenzhenCaption[] = "透明标签_深证成指";
inline constexpr char shenzhenValue[] = "透明标签_深证成指当前价";
inline constexpr char chinextCaption[] = "透明标签_创业板指1";
inline constexpr char chinextValue[] = "透明标签_创业板指当前价";
inline constexpr char closeGlyph[] = "图片框1";
inline constexpr char refreshTimer[] = "时钟_定时刷新";

} // namespace tavrin::ticker_names

#pragma once

// The object names of the quote window's controls: the catalogue builds them under
// these names, and the window, its wiring and the tests find them by these constants.
namespace tavrin::quote_window_names {

inline constexpr char window[] = "QuoteWindow";
inline constexpr char codeLabel[] = "标签1";
inline constexpr char codeBox[] = "编辑框_股票代号";
inline constexpr char nameBox[] = "编辑框_股票名称";
inline constexpr char latestCaption[] = "标签4";
inline constexpr char priceLabel[] = "标签_当前价格";
inline constexpr char queryButton[] = "按钮_查询";
inline constexpr char changeCaption[] = "标签5";
inline constexpr char changeLabel[] = "标签_涨跌";
inline constexpr char yuanCaption[] = "标签3";
inline constexpr char changePercentLabel[] = "标签_涨跌幅";
inline constexpr char percentCaption[] = "标签2";
inline constexpr char previousCloseLabel[] = "标签_昨收盘";
inline constexpr char dateLabel[] = "标签_日期时间";
inline constexpr char openLabel[] = "标签_今开盘";
inline constexpr char highLabel[] = "标签_最高价";
inline constexpr char lowLabel[] = "标签_最低价";
inline constexpr char chartCanvas[] = "画板_行情图";
inline constexpr char refreshTimer[] = "时钟_查询股票";

} // namespace tavrin::quote_window_names

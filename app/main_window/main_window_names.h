#pragma once

// The object names of the main window's controls: the catalogue builds them under
// these names, and every command, wiring and test finds them by these constants.
namespace tavrin::main_window_names {

inline constexpr char tabs[] = "高级选择夹1";
inline constexpr char stockList[] = "超级列表框_股票";
inline constexpr char codeLabel[] = "透明标签4";
inline constexpr char codeBox[] = "编辑框_股票代码";
inline constexpr char priceLabel[] = "透明标签5";
inline constexpr char purchasePriceBox[] = "编辑框_买入价格";
inline constexpr char quantityLabel[] = "透明标签6";
inline constexpr char quantityBox[] = "编辑框_买入数量";
inline constexpr char addButton[] = "添加按钮";
inline constexpr char modifyButton[] = "按钮2";
inline constexpr char servicePanel[] = "画板_我的说明";
inline constexpr char optionsGroup[] = "分组框2";
inline constexpr char balloonOption[] = "选择框_气泡信息预警";
inline constexpr char soundOption[] = "选择框_声音报警";
inline constexpr char petalsOption[] = "选择框_玫瑰花屏保";
inline constexpr char tdxLinkOption[] = "联动通达信";
inline constexpr char streakLabel[] = "标签3";
inline constexpr char streakBox[] = "组合框_时间";
inline constexpr char streakSuffixLabel[] = "标签1";
inline constexpr char fallAlertOption[] = "选择框_下跌预警";
inline constexpr char transparencyLabel[] = "标签10";
inline constexpr char transparencySlider[] = "滑块条1";
inline constexpr char balloonTip[] = "气球提示框1";
inline constexpr char alertCodeLabel[] = "标签2";
inline constexpr char alertCodeBox[] = "编辑框1";
inline constexpr char alertChangeLabel[] = "标签7";
inline constexpr char alertChangeBox[] = "编辑框5";
inline constexpr char alertPriceLabel[] = "标签6";
inline constexpr char alertLatestPriceBox[] = "编辑框3";
inline constexpr char alertLatestUnitLabel[] = "标签8";
inline constexpr char alertNoteLabel[] = "标签4";
inline constexpr char alertNoteBox[] = "编辑框2";
inline constexpr char alertTargetLabel[] = "标签5";
inline constexpr char alertKindBox[] = "组合框1";
inline constexpr char alertTargetPriceBox[] = "编辑框4";
inline constexpr char alertTargetUnitLabel[] = "标签9";
inline constexpr char alertSetButton[] = "按钮3";
inline constexpr char valueFrame[] = "图片框1";
inline constexpr char valueCodeLabel[] = "透明标签_股票代码";
inline constexpr char valueOpenCaption[] = "透明标签1";
inline constexpr char valueOpenLabel[] = "透明标签_今开盘";
inline constexpr char valuePriceCaption[] = "透明标签2";
inline constexpr char valuePriceLabel[] = "透明标签_当前价";
inline constexpr char valueChangeCaption[] = "透明标签3";
inline constexpr char valueChangeLabel[] = "透明标签_涨跌幅";
inline constexpr char valueCodeBox[] = "编辑框_价值评估";
inline constexpr char valueQueryButton[] = "图形按钮_价值评估";
inline constexpr char valueBrowser[] = "超文本浏览框_价值评估";
inline constexpr char monitorButton[] = "执行监控";
inline constexpr char trayIcon[] = "托盘图标1";
inline constexpr char databaseConnection[] = "数据库连接";
inline constexpr char recordSet[] = "记录集";
inline constexpr char monitorTimer[] = "时钟_监控时间";
inline constexpr char colourTimer[] = "时钟1";
inline constexpr char systemVolume[] = "系统音量1";

// The popup menu "菜单" and its commands.
inline constexpr char menu[] = "菜单";
inline constexpr char addStockCommand[] = "添加股票";
inline constexpr char editAlertCommand[] = "添加/修改预警";
inline constexpr char removeAlertCommand[] = "删除预警";
inline constexpr char quoteWindowCommand[] = "查看分时/修改成本";
inline constexpr char deleteStockCommand[] = "删除所选";
inline constexpr char aboutSubmenu[] = "关于程序";
inline constexpr char aboutCommand[] = "版本与作者";
inline constexpr char updateCommand[] = "程序升级";
inline constexpr char petalsCommand[] = "玫瑰花屏保";

} // namespace tavrin::main_window_names

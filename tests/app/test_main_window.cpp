#include "app/main_window/main_window.h"
#include "app/main_window/program_pictures.h"
#include "app/widgets/balloon_tip.h"
#include "app/widgets/edit_box.h"
#include "app/widgets/picture_box.h"
#include "app/widgets/standard_font.h"
#include "app/widgets/tab_control.h"
#include "store/watch_list_model.h"
#include "tests/support/shown_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <memory>

using namespace tavrin;

namespace {

// Where a control sits: "window", "<tab control>:<page>" or the container's name.
QString containerOf(const QWidget* widget, const QWidget* window) {
    const QWidget* parent = widget->parentWidget();
    if (parent == window)
        return QStringLiteral("window");
    if (auto* tabs = qobject_cast<const TabControl*>(parent ? parent->parentWidget() : nullptr)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->page(i) == parent)
                return tabs->objectName() + QLatin1Char(':') + QString::number(i);
        }
    }
    return parent ? parent->objectName() : QString();
}

using test::shownText;

std::vector<StockRecord> twoStocks() {
    return {
        StockRecord{QStringLiteral("1"), QStringLiteral("贵州茅台"), QStringLiteral("600519"),
                    QStringLiteral("1700"), QStringLiteral("100"), QString(), QString()},
        StockRecord{QStringLiteral("4"), QStringLiteral("平安银行"), QStringLiteral("000001"),
                    QStringLiteral("11.5"), QStringLiteral("00"), QStringLiteral("12"),
                    QStringLiteral("上涨到")},
    };
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WatchListModel> m_model;
    std::unique_ptr<MainWindow> m_window;

    template <typename T> T* control(const char* name) const {
        return m_window->findChild<T*>(QString::fromUtf8(name));
    }

private slots:
    // The program's own font: the designed widths and heights must hold with it.
    void initTestCase() { applyStandardFont(*qApp); }

    void init() {
        m_model = std::make_unique<WatchListModel>();
        m_window = std::make_unique<MainWindow>(m_model.get(), programIcon());
    }

    void cleanup() {
        m_window.reset();
        m_model.reset();
    }

    void everyControlAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        const auto row = [](const char* name, const char* kind, const char* container, const char* text,
                            QRect geometry) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(kind)
                                << QString::fromUtf8(container) << QString::fromUtf8(text) << geometry;
        };
        const char* p0 = "高级选择夹1:0";
        const char* p1 = "高级选择夹1:1";
        const char* p2 = "高级选择夹1:2";
        const char* p3 = "高级选择夹1:3";
        const char* group = "分组框2";
        const char* picture = "图片框1";

        row("高级选择夹1", "tavrin::TabControl", "window", "", {0, -1, 592, 264});
        row("执行监控", "QPushButton", "window", "执行监控", {370, -7, 80, 32});

        row("超级列表框_股票", "tavrin::ReportListView", p0, "", {1, 25, 583, 160});
        row("透明标签4", "QLabel", p0, "代码：", {3, 205, 37, 16});
        row("编辑框_股票代码", "tavrin::EditBox", p0, "", {40, 198, 64, 28});
        row("透明标签5", "QLabel", p0, "买入价：", {107, 205, 48, 16});
        row("编辑框_买入价格", "tavrin::EditBox", p0, "", {152, 197, 64, 28});
        row("透明标签6", "QLabel", p0, "数量：", {213, 206, 56, 16});
        row("编辑框_买入数量", "tavrin::EditBox", p0, "00", {262, 196, 66, 28});
        row("添加按钮", "QPushButton", p0, "添加", {334, 193, 56, 30});
        row("按钮2", "QPushButton", p0, "修改", {398, 193, 54, 30});

        row("画板_我的说明", "tavrin::Canvas", p1, "", {377, 29, 368, 395});
        row("分组框2", "QGroupBox", p1, "提醒方式", {8, 30, 361, 367});
        row("选择框_气泡信息预警", "QCheckBox", group, "气泡信息预警", {19, 24, 96, 24});
        row("选择框_声音报警", "QCheckBox", group, "电脑声音报警", {19, 49, 96, 24});
        row("选择框_玫瑰花屏保", "QCheckBox", group, "玫瑰花屏保", {163, 23, 96, 24});
        row("联动通达信", "QCheckBox", group, "联动通达信", {163, 48, 96, 24});
        row("标签3", "QLabel", group, "监控：连续", {8, 80, 60, 28});
        row("组合框_时间", "QComboBox", group, "3", {76, 86, 41, 20});
        row("标签1", "QLabel", group, "高于上次监控", {118, 83, 83, 24});
        row("选择框_下跌预警", "QCheckBox", group, "下跌也预警", {224, 80, 96, 28});
        row("标签10", "QLabel", group, "程序透明度", {12, 120, 60, 28});
        row("滑块条1", "QSlider", group, "", {80, 119, 240, 32});

        row("标签2", "QLabel", p2, "股票：", {22, 45, 48, 24});
        row("编辑框1", "tavrin::EditBox", p2, "", {75, 44, 88, 24});
        row("标签7", "QLabel", p2, "涨幅：", {179, 44, 32, 24});
        row("编辑框5", "tavrin::EditBox", p2, "", {217, 42, 58, 24});
        row("标签6", "QLabel", p2, "最新：", {281, 44, 48, 24});
        row("编辑框3", "tavrin::EditBox", p2, "", {328, 41, 73, 24});
        row("标签8", "QLabel", p2, "元", {408, 43, 24, 24});
        row("标签4", "QLabel", p2, "备注：", {22, 72, 46, 24});
        row("编辑框2", "tavrin::EditBox", p2, "", {75, 72, 88, 24});
        row("标签5", "QLabel", p2, "预警价格：", {184, 76, 63, 24});
        row("组合框1", "QComboBox", p2, "", {254, 75, 64, 20});
        row("编辑框4", "tavrin::EditBox", p2, "", {329, 69, 71, 24});
        row("标签9", "QLabel", p2, "元", {408, 72, 24, 24});
        row("按钮3", "QPushButton", p2, "添加/修改", {347, 135, 72, 32});

        row("图片框1", "tavrin::PictureBox", p3, "", {1, 25, 777, 381});
        row("透明标签_股票代码", "QLabel", picture, "", {71, 3, 145, 32});
        row("透明标签1", "QLabel", picture, "今开盘：", {7, 89, 45, 27});
        row("透明标签_今开盘", "QLabel", picture, "", {45, 94, 45, 16});
        row("透明标签2", "QLabel", picture, "当前价：", {6, 108, 45, 24});
        row("透明标签_当前价", "QLabel", picture, "", {51, 113, 45, 16});
        row("透明标签3", "QLabel", picture, "涨跌幅：", {6, 124, 48, 32});
        row("透明标签_涨跌幅", "QLabel", picture, "", {46, 129, 45, 21});
        row("编辑框_价值评估", "tavrin::EditBox", picture, "301072", {332, 9, 90, 20});
        row("图形按钮_价值评估", "QToolButton", picture, "", {434, 8, 20, 21});
        row("超文本浏览框_价值评估", "QWidget", picture, "", {109, 37, 663, 323});
    }

    void everyControlAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        const QList<QWidget*> found = m_window->findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QWidget* widget = found.first();
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(containerOf(widget, m_window.get()), container);
        QCOMPARE(shownText(widget), text);
        QCOMPARE(widget->geometry(), geometry);
    }

    void nonVisualComponents_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        const auto row = [](const char* name, const char* kind) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromLatin1(kind);
        };
        row("托盘图标1", "QSystemTrayIcon");
        row("数据库连接", "QObject");
        row("记录集", "QObject");
        row("时钟_监控时间", "QTimer");
        row("时钟1", "QTimer");
        row("系统音量1", "QObject");
        row("气球提示框1", "tavrin::BalloonTip");
    }

    void nonVisualComponents() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        const QList<QObject*> found = m_window->findChildren<QObject*>(name);
        QCOMPARE(found.size(), 1);
        QCOMPARE(QString::fromLatin1(found.first()->metaObject()->className()), kind);
        QVERIFY(!found.first()->isWidgetType());
    }

    void windowAsDesigned() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("禾岫股价监控"));
        QVERIFY(!m_window->windowIcon().isNull());
        QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // The design rectangle is the whole window, frame included, and nothing at
        // start-up changes it.
        QCOMPARE(m_window->frameGeometry(), QRect(50, 50, 466, 219));
        QTest::qWait(400);
        QCOMPARE(m_window->frameGeometry(), QRect(50, 50, 466, 219));
    }

    void tabPagesWithTheirSecondTexts() {
        TabControl* tabs = m_window->tabControl();
        QCOMPARE(tabs->count(), 4);
        const QStringList titles{QStringLiteral("股票监控"), QStringLiteral("功能设置"),
                                 QStringLiteral("预警设置"), QStringLiteral("投资价值")};
        const QStringList notes{QStringLiteral("股票监控"), QStringLiteral("提醒方式"),
                                QStringLiteral("预警设置"), QStringLiteral("投资价值")};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(tabs->pageTitle(i), titles[i]);
            QCOMPARE(tabs->pageNote(i), notes[i]);
        }
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void onlyTheSelectedPageShows() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(control<QWidget>("超级列表框_股票")->isVisible());
        QVERIFY(!control<QWidget>("分组框2")->isVisible());
        QVERIFY(!control<QWidget>("按钮3")->isVisible());
        QVERIFY(!control<QWidget>("图片框1")->isVisible());
        m_window->tabControl()->setCurrentIndex(2);
        QVERIFY(control<QWidget>("按钮3")->isVisible());
        QVERIFY(!control<QWidget>("超级列表框_股票")->isVisible());
    }

    void typingLimits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("code") << QStringLiteral("编辑框_股票代码") << 6;
        // A cost such as 1680.50 must fit.
        QTest::newRow("price") << QStringLiteral("编辑框_买入价格") << 10;
        QTest::newRow("quantity") << QStringLiteral("编辑框_买入数量") << 6;
        for (const char* name : {"编辑框1", "编辑框2", "编辑框3", "编辑框4", "编辑框5", "编辑框_价值评估"})
            QTest::newRow(name) << QString::fromUtf8(name) << 0;
    }

    void typingLimits() {
        QFETCH(QString, name);
        QFETCH(int, limit);
        auto* box = m_window->findChild<EditBox*>(name);
        QVERIFY(box);
        QCOMPARE(box->typingLimit(), limit);
        // The program's own texts are never cut.
        box->setText(QStringLiteral("1234567890"));
        QCOMPARE(box->text(), QStringLiteral("1234567890"));
    }

    void editBoxAlignment_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("centred");
        for (const char* name : {"编辑框_买入数量", "编辑框1", "编辑框5", "编辑框3", "编辑框4"})
            QTest::newRow(name) << QString::fromUtf8(name) << true;
        for (const char* name : {"编辑框_股票代码", "编辑框_买入价格", "编辑框2", "编辑框_价值评估"})
            QTest::newRow(name) << QString::fromUtf8(name) << false;
    }

    void editBoxAlignment() {
        QFETCH(QString, name);
        QFETCH(bool, centred);
        auto* box = m_window->findChild<QLineEdit*>(name);
        QVERIFY(box);
        QCOMPARE(box->alignment().testFlag(Qt::AlignHCenter), centred);
    }

    void checkStates_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("checked");
        QTest::newRow("balloons") << QStringLiteral("选择框_气泡信息预警") << true;
        QTest::newRow("sound") << QStringLiteral("选择框_声音报警") << true;
        QTest::newRow("petals") << QStringLiteral("选择框_玫瑰花屏保") << true;
        QTest::newRow("terminal link") << QStringLiteral("联动通达信") << false;
        QTest::newRow("falls too") << QStringLiteral("选择框_下跌预警") << true;
    }

    void checkStates() {
        QFETCH(QString, name);
        QFETCH(bool, checked);
        auto* box = m_window->findChild<QAbstractButton*>(name);
        QVERIFY(box);
        QVERIFY(box->isCheckable());
        QCOMPARE(box->isChecked(), checked);
    }

    void comboItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::newRow("streak length")
            << QStringLiteral("组合框_时间") << QStringList{"3", "5", "6", "8", "10"} << QStringLiteral("3");
        QTest::newRow("alert kind") << QStringLiteral("组合框1")
                                    << QStringList{QStringLiteral("上涨到"), QStringLiteral("下跌到"),
                                                   QStringLiteral("止盈卖"), QString()}
                                    << QString();
    }

    void comboItems() {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        auto* combo = m_window->findChild<QComboBox*>(name);
        QVERIFY(combo);
        QStringList actual;
        for (int i = 0; i < combo->count(); ++i)
            actual << combo->itemText(i);
        QCOMPARE(actual, items);
        QCOMPARE(combo->currentText(), text);
        QVERIFY(combo->isEditable());
    }

    void choosingAComboItemShowsIt() {
        auto* combo = control<QComboBox>("组合框_时间");
        combo->setCurrentIndex(4);
        QCOMPARE(combo->currentText(), QStringLiteral("10"));
        QCOMPARE(combo->count(), 5);
    }

    void transparencySlider() {
        auto* slider = control<QSlider>("滑块条1");
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 255);
        QCOMPARE(slider->value(), 200);
        QCOMPARE(slider->pageStep(), 15);
        QCOMPARE(slider->singleStep(), 15);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
    }

    void labelsAndPictures() {
        for (const char* name : {"透明标签4", "透明标签_股票代码", "透明标签1", "透明标签_涨跌幅"})
            QVERIFY2(control<QLabel>(name)->property("transparentLabel").toBool(), name);
        for (const char* name : {"标签3", "标签2", "标签9"})
            QVERIFY2(!control<QLabel>(name)->property("transparentLabel").toBool(), name);
        QCOMPARE(control<PictureBox>("图片框1")->picture().size(), QSize(857, 376));
        QVERIFY(!control<QToolButton>("图形按钮_价值评估")->icon().isNull());
        QCOMPARE(control<QWidget>("超文本浏览框_价值评估")->property("designAddress").toString(),
                 QStringLiteral("/quote/tools/ggtj_z.aspx?StockCode=002202"));
        QVERIFY(!m_window->trayIcon()->icon().isNull());
    }

    void timersAreStopped() {
        for (QTimer* timer : {m_window->monitorTimer(), m_window->colourTimer()}) {
            QVERIFY(timer);
            QCOMPARE(timer->interval(), 0);
            QVERIFY(!timer->isActive());
        }
        QCOMPARE(m_window->monitorTimer()->objectName(), QStringLiteral("时钟_监控时间"));
        QCOMPARE(m_window->colourTimer()->objectName(), QStringLiteral("时钟1"));
    }

    void accessorsName() {
        QCOMPARE(m_window->monitorButton()->objectName(), QStringLiteral("执行监控"));
        QCOMPARE(m_window->watchListView()->objectName(), QStringLiteral("超级列表框_股票"));
        QCOMPARE(m_window->trayIcon()->objectName(), QStringLiteral("托盘图标1"));
        QCOMPARE(m_window->balloonTip()->objectName(), QStringLiteral("气球提示框1"));
        QCOMPARE(m_window->popupMenu()->objectName(), QStringLiteral("菜单"));
        QCOMPARE(m_window->control<QComboBox>(u"组合框_时间"), control<QComboBox>("组合框_时间"));
        QCOMPARE(m_window->control<QComboBox>(u"滑块条1"), nullptr);
        QCOMPARE(m_window->watchListModel(), m_model.get());
    }

    void menuItemsInOrder() {
        QMenu* menu = m_window->popupMenu();
        QStringList top;
        for (QAction* action : menu->actions())
            top << action->text();
        QCOMPARE(top, (QStringList{QStringLiteral("添加股票"), QStringLiteral("添加/修改预警"),
                                   QStringLiteral("删除预警"), QStringLiteral("查看分时/修改成本"),
                                   QStringLiteral("删除所选"), QStringLiteral("关于程序")}));
        QMenu* about = menu->actions().last()->menu();
        QVERIFY(about);
        QStringList sub;
        for (QAction* action : about->actions())
            sub << action->text();
        QCOMPARE(sub, (QStringList{QStringLiteral("版本与作者"), QStringLiteral("程序升级"),
                                   QStringLiteral("玫瑰花屏保")}));
    }

    void menuActionsCanBeFound_data() {
        QTest::addColumn<QString>("text");
        for (const char* text : {"添加股票", "添加/修改预警", "删除预警", "查看分时/修改成本", "删除所选",
                                 "关于程序", "版本与作者", "程序升级", "玫瑰花屏保"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }

    void menuActionsCanBeFound() {
        QFETCH(QString, text);
        QAction* action = m_window->action(text);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->objectName(), text);
        QVERIFY(m_window->popupMenu()->findChildren<QAction*>().contains(action));
    }

    void unknownMenuTextHasNoAction() { QCOMPARE(m_window->action(u"退出"), nullptr); }

    void watchListViewInReportMode() {
        QTableView* view = m_window->watchListView();
        QVERIFY(view->verticalHeader()->isHidden());
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(view->model(), m_model.get());
        const QList<int> widths{30, 60, 60, 60, 60, 60, 60, 60, 80, 80, 80};
        QCOMPARE(m_model->columnCount(), widths.size());
        for (int column = 0; column < widths.size(); ++column)
            QCOMPARE(view->columnWidth(column), widths[column]);
        QCOMPARE(m_model->headerData(7, Qt::Horizontal).toString(), QStringLiteral("代码"));
    }

    void otherTabsHideTheMonitorButtonAndWarn_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("功能设置") << 1;
        QTest::newRow("预警设置") << 2;
        QTest::newRow("投资价值") << 3;
    }

    void otherTabsHideTheMonitorButtonAndWarn() {
        QFETCH(int, tab);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCursor::setPos(m_window->mapToGlobal(QPoint(120, 80)));
        QSignalSpy balloons(m_window->balloonTip(), &BalloonTip::shown);
        QVERIFY(m_window->monitorButton()->isVisible());

        m_window->tabControl()->tabBar()->setCurrentIndex(tab);
        QVERIFY(!m_window->monitorButton()->isVisible());
        QCOMPARE(balloons.size(), 1);
        QCOMPARE(balloons[0][0].toPoint(), QCursor::pos());
        QCOMPARE(balloons[0][1].toString(), QStringLiteral("如程序出现重影，请先关闭执行监控按钮！"));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("如程序出现重影，请先关闭执行监控按钮！"));

        m_window->tabControl()->tabBar()->setCurrentIndex(0);
        QVERIFY(m_window->monitorButton()->isVisible());
        QCOMPARE(balloons.size(), 1);
        QToolTip::hideText();
    }

    void clickingATabSwitchesPages() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTabBar* bar = m_window->tabControl()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
        QCOMPARE(m_window->tabControl()->currentIndex(), 2);
        QVERIFY(!m_window->monitorButton()->isVisible());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QVERIFY(m_window->monitorButton()->isVisible());
        QToolTip::hideText();
    }

    void doubleClickOnTheTabStripSetsHeight222_data() {
        QTest::addColumn<int>("heightBefore");
        QTest::addColumn<bool>("onATab");
        QTest::newRow("designed height, on a tab") << 219 << true;
        QTest::newRow("taller, on a tab") << 318 << true;
        QTest::newRow("beside the tabs") << 270 << false;
    }

    void doubleClickOnTheTabStripSetsHeight222() {
        QFETCH(int, heightBefore);
        QFETCH(bool, onATab);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->setOuterHeight(heightBefore);
        QTRY_COMPARE(m_window->frameGeometry().height(), heightBefore);
        QTabBar* bar = m_window->tabControl()->tabBar();
        const QPoint where =
            onATab ? bar->tabRect(1).center() : QPoint(bar->width() - 150, bar->height() / 2);
        QTest::mouseDClick(bar, Qt::LeftButton, {}, where);
        QTRY_COMPARE(m_window->frameGeometry().height(), 222);
        QCOMPARE(m_window->frameGeometry().width(), 466);
    }

    void rightClickOnAnEmptyListPopsUpTheMenu() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(m_model->rowCount(), 0);
        QWidget* viewport = m_window->watchListView()->viewport();
        const QPoint inWindow = viewport->mapTo(m_window.get(), viewport->rect().center());
        QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {}, inWindow);

        QMenu* shown = nullptr;
        QTRY_VERIFY([&shown] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* menu = qobject_cast<QMenu*>(top); menu && menu->isVisible())
                    shown = menu;
            }
            return shown != nullptr;
        }());
        QCOMPARE(shown, m_window->popupMenu());
        QCOMPARE(shown->title(), QStringLiteral("菜单"));
        shown->close();
        QTRY_VERIFY(!shown->isVisible());
    }

    void doubleClickEmitsTheRowsCode_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("code");
        QTest::newRow("first") << 0 << QStringLiteral("600519");
        QTest::newRow("second") << 1 << QStringLiteral("000001");
    }

    void doubleClickEmitsTheRowsCode() {
        QFETCH(int, row);
        QFETCH(QString, code);
        m_model->fill(twoStocks());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QSignalSpy activated(m_window.get(), &MainWindow::stockCodeActivated);
        QTableView* view = m_window->watchListView();
        const QPoint where = view->visualRect(m_model->index(row, 1)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
        QCOMPARE(m_window->selectedRow(), row);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, where);
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated[0][0].toString(), code);
    }

    void tabStripLeavesTheListFrameVisible() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        TabControl* tabs = m_window->tabControl();
        QTableView* view = m_window->watchListView();
        const QRect strip = tabs->tabBar()->geometry();
        const QRect list(view->mapTo(tabs, QPoint(0, 0)), view->size());
        QVERIFY2(
            strip.bottom() < list.top(),
            qPrintable(
                QStringLiteral("strip ends at %1, list starts at %2").arg(strip.bottom()).arg(list.top())));
        QCOMPARE(strip.height(), 25);
    }

    void clickOnEmptyListSpaceClearsTheSelection_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void clickOnEmptyListSpaceClearsTheSelection() {
        QFETCH(Qt::MouseButton, button);
        m_model->fill(twoStocks());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTableView* view = m_window->watchListView();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(m_model->index(1, 1)).center());
        QCOMPARE(m_window->selectedRow(), 1);
        const QPoint belowLastRow(20, view->visualRect(m_model->index(1, 1)).bottom() + 20);
        QVERIFY(!view->indexAt(belowLastRow).isValid());
        QTest::mouseClick(view->viewport(), button, {}, belowLastRow);
        QCOMPARE(m_window->selectedRow(), -1);
        if (auto* menu = m_window->popupMenu(); menu->isVisible())
            menu->close();
    }

    void nothingSelectedMeansNoRow() {
        m_model->fill(twoStocks());
        QCOMPARE(m_window->selectedRow(), -1);
    }

    void closingAsksToEndTheProgram() {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QSignalSpy closing(m_window.get(), &MainWindow::closeRequested);
        QVERIFY(m_window->close());
        QCOMPARE(closing.size(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"

#include "app/widgets/widget_builder.h"

#include "app/widgets/balloon_tip.h"
#include "app/widgets/canvas.h"
#include "app/widgets/edit_box.h"
#include "app/widgets/embedded_picture.h"
#include "app/widgets/picture_box.h"
#include "app/widgets/report_list_view.h"
#include "app/widgets/tab_control.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace tavrin {

namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

Qt::Alignment alignment(TextAlign align) {
    return (align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

QWidget* makeTabControl(const ControlEntry& entry) {
    auto* tabs = new TabControl;
    const QStringList titles = catalogueList(entry.items);
    const QStringList notes = catalogueList(entry.itemNotes);
    for (qsizetype i = 0; i < titles.size(); ++i)
        tabs->addPage(titles[i], notes.value(i));
    return tabs;
}

QWidget* makeLabel(const ControlEntry& entry) {
    auto* label = new QLabel(utf8(entry.text));
    label->setAlignment(alignment(entry.align));
    // Both kinds draw no background of their own; the property tells them apart.
    label->setProperty("transparentLabel", entry.kind == ControlKind::TransparentLabel);
    return label;
}

QWidget* makeEditBox(const ControlEntry& entry) {
    auto* edit = new EditBox;
    edit->setAlignment(alignment(entry.align));
    edit->setTypingLimit(entry.typingLimit);
    edit->setSelectAllOnFocus(entry.selectAllOnFocus);
    edit->setText(utf8(entry.text));
    return edit;
}

QWidget* makeCheckBox(const ControlEntry& entry) {
    auto* box = new QCheckBox(utf8(entry.text));
    box->setChecked(entry.checked);
    return box;
}

QWidget* makeComboBox(const ControlEntry& entry) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    // What the user types is a value, not a new choice.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(catalogueList(entry.items));
    const QString text = utf8(entry.text);
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
    combo->setEditText(text);
    return combo;
}

QWidget* makeSlider(const ControlEntry& entry) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(entry.slider.minimum, entry.slider.maximum);
    slider->setValue(entry.slider.position);
    slider->setPageStep(entry.slider.step);
    slider->setSingleStep(entry.slider.step);
    return slider;
}

QWidget* makeListView() {
    auto* view = new ReportListView;
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    view->setPalette(palette);
    return view;
}

QWidget* makePictureBox(const ControlEntry& entry) {
    auto* box = new PictureBox;
    box->setPictureSource(utf8(entry.picture));
    return box;
}

QWidget* makePictureButton(const ControlEntry& entry) {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(QIcon(QPixmap::fromImage(embeddedPicture(utf8(entry.picture)))));
    button->setIconSize(entry.rect.size());
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
    return button;
}

QWidget* makeWebViewPlaceholder(const ControlEntry& entry) {
    auto* placeholder = new QWidget;
    placeholder->setProperty("designAddress", utf8(entry.address));
    return placeholder;
}

QWidget* makeWidget(const ControlEntry& entry) {
    switch (entry.kind) {
    case ControlKind::TabControl:
        return makeTabControl(entry);
    case ControlKind::GroupBox:
        return new QGroupBox(utf8(entry.text));
    case ControlKind::PictureBox:
        return makePictureBox(entry);
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
        return makeLabel(entry);
    case ControlKind::LineEdit:
        return makeEditBox(entry);
    case ControlKind::Button:
        return new QPushButton(utf8(entry.text));
    case ControlKind::CheckBox:
        return makeCheckBox(entry);
    case ControlKind::ComboBox:
        return makeComboBox(entry);
    case ControlKind::Slider:
        return makeSlider(entry);
    case ControlKind::Canvas:
        return new Canvas;
    case ControlKind::ListView:
        return makeListView();
    case ControlKind::PictureButton:
        return makePictureButton(entry);
    case ControlKind::WebView:
        return makeWebViewPlaceholder(entry);
    default:
        return nullptr;
    }
}

QObject* makeComponent(const ControlEntry& entry, QWidget& window, const QIcon& trayIcon) {
    switch (entry.kind) {
    case ControlKind::BalloonTip:
        return new BalloonTip(&window);
    case ControlKind::TrayIcon:
        return new QSystemTrayIcon(trayIcon, &window);
    case ControlKind::Timer: {
        // Period 0 is the stopped state; whoever starts the timer sets its period.
        auto* timer = new QTimer(&window);
        timer->setInterval(0);
        return timer;
    }
    default:
        return new QObject(&window);
    }
}

QWidget* containerOf(const ControlEntry& entry, QWidget& window, const QHash<QString, QObject*>& built) {
    if (*entry.container == '\0')
        return &window;
    QObject* container = built.value(utf8(entry.container));
    if (auto* tabs = qobject_cast<TabControl*>(container))
        return tabs->page(entry.page);
    return qobject_cast<QWidget*>(container);
}

} // namespace

QStringList catalogueList(const char* text) {
    if (text == nullptr || *text == '\0')
        return {};
    return utf8(text).split(QLatin1Char('|'));
}

QHash<QString, QObject*> buildControls(QWidget& window, std::span<const ControlEntry> controls,
                                       const QIcon& trayIcon) {
    QHash<QString, QObject*> built;
    for (const ControlEntry& entry : controls) {
        QObject* object = nullptr;
        if (QWidget* widget = makeWidget(entry)) {
            QWidget* container = containerOf(entry, window, built);
            Q_ASSERT_X(container, "buildControls", "a container must come before what it holds");
            widget->setParent(container ? container : &window);
            widget->setGeometry(entry.rect);
            object = widget;
        } else {
            object = makeComponent(entry, window, trayIcon);
        }
        object->setObjectName(utf8(entry.name));
        built.insert(object->objectName(), object);
    }
    return built;
}

QMenu* buildMenu(QWidget& window, const char* name, std::span<const MenuItemEntry> items) {
    auto* menu = new QMenu(&window);
    menu->setObjectName(utf8(name));
    menu->setTitle(utf8(name));
    QMenu* submenu = nullptr;
    for (size_t i = 0; i < items.size(); ++i) {
        const QString text = utf8(items[i].text);
        if (items[i].level > 1 && submenu) {
            submenu->addAction(text)->setObjectName(text);
            continue;
        }
        const bool opensSubmenu = i + 1 < items.size() && items[i + 1].level > items[i].level;
        if (opensSubmenu) {
            submenu = menu->addMenu(text);
            submenu->setObjectName(text);
            submenu->menuAction()->setObjectName(text);
        } else {
            submenu = nullptr;
            menu->addAction(text)->setObjectName(text);
        }
    }
    return menu;
}

} // namespace tavrin

#include "app/widget_builder.h"

#include "app/balloon_tip.h"
#include "app/canvas.h"
#include "app/edit_box.h"
#include "app/picture_box.h"
#include "app/program_pictures.h"
#include "app/tab_control.h"

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

QWidget* makeTabControl(const ControlSpec& spec) {
    auto* tabs = new TabControl;
    const QStringList titles = catalogueList(spec.items);
    const QStringList notes = catalogueList(spec.itemNotes);
    for (qsizetype i = 0; i < titles.size(); ++i)
        tabs->addPage(titles[i], notes.value(i));
    return tabs;
}

QWidget* makeLabel(const ControlSpec& spec) {
    auto* label = new QLabel(utf8(spec.text));
    label->setAlignment(alignment(spec.align));
    // Both kinds draw no background of their own; the property tells them apart.
    label->setProperty("transparentLabel", spec.kind == ControlKind::TransparentLabel);
    return label;
}

QWidget* makeEditBox(const ControlSpec& spec) {
    auto* edit = new EditBox;
    edit->setAlignment(alignment(spec.align));
    edit->setTypingLimit(spec.typingLimit);
    edit->setText(utf8(spec.text));
    return edit;
}

QWidget* makeCheckBox(const ControlSpec& spec) {
    auto* box = new QCheckBox(utf8(spec.text));
    box->setChecked(spec.checked);
    return box;
}

QWidget* makeComboBox(const ControlSpec& spec) {
    auto* combo = new QComboBox;
    combo->setEditable(true);
    // What the user types is a value, not a new choice.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(catalogueList(spec.items));
    const QString text = utf8(spec.text);
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text));
    combo->setEditText(text);
    return combo;
}

QWidget* makeSlider(const ControlSpec& spec) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(spec.slider.minimum, spec.slider.maximum);
    slider->setValue(spec.slider.position);
    slider->setPageStep(spec.slider.step);
    slider->setSingleStep(spec.slider.step);
    return slider;
}

QWidget* makeListView() {
    auto* view = new QTableView;
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    view->setPalette(palette);
    return view;
}

QWidget* makePictureBox(const ControlSpec& spec) {
    auto* box = new PictureBox;
    box->setPicture(QPixmap::fromImage(embeddedPicture(utf8(spec.picture))));
    return box;
}

QWidget* makePictureButton(const ControlSpec& spec) {
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(QIcon(QPixmap::fromImage(embeddedPicture(utf8(spec.picture)))));
    button->setIconSize(spec.rect.size());
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; padding: 0; }"));
    return button;
}

QWidget* makeWebViewPlaceholder(const ControlSpec& spec) {
    auto* placeholder = new QWidget;
    placeholder->setProperty("designAddress", utf8(spec.address));
    return placeholder;
}

QWidget* makeWidget(const ControlSpec& spec) {
    switch (spec.kind) {
    case ControlKind::TabControl:
        return makeTabControl(spec);
    case ControlKind::GroupBox:
        return new QGroupBox(utf8(spec.text));
    case ControlKind::PictureBox:
        return makePictureBox(spec);
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
        return makeLabel(spec);
    case ControlKind::LineEdit:
        return makeEditBox(spec);
    case ControlKind::Button:
        return new QPushButton(utf8(spec.text));
    case ControlKind::CheckBox:
        return makeCheckBox(spec);
    case ControlKind::ComboBox:
        return makeComboBox(spec);
    case ControlKind::Slider:
        return makeSlider(spec);
    case ControlKind::Canvas:
        return new Canvas;
    case ControlKind::ListView:
        return makeListView();
    case ControlKind::PictureButton:
        return makePictureButton(spec);
    case ControlKind::WebView:
        return makeWebViewPlaceholder(spec);
    default:
        return nullptr;
    }
}

QObject* makeComponent(const ControlSpec& spec, QWidget& window, const QIcon& trayIcon) {
    switch (spec.kind) {
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

QWidget* containerOf(const ControlSpec& spec, QWidget& window, const QHash<QString, QObject*>& built) {
    if (*spec.container == '\0')
        return &window;
    QObject* container = built.value(utf8(spec.container));
    if (auto* tabs = qobject_cast<TabControl*>(container))
        return tabs->page(spec.page);
    return qobject_cast<QWidget*>(container);
}

} // namespace

QStringList catalogueList(const char* text) {
    if (text == nullptr || *text == '\0')
        return {};
    return utf8(text).split(QLatin1Char('|'));
}

QHash<QString, QObject*> buildControls(QWidget& window, std::span<const ControlSpec> controls,
                                       const QIcon& trayIcon) {
    QHash<QString, QObject*> built;
    for (const ControlSpec& spec : controls) {
        QObject* object = nullptr;
        if (QWidget* widget = makeWidget(spec)) {
            QWidget* container = containerOf(spec, window, built);
            Q_ASSERT_X(container, "buildControls", "a container must come before what it holds");
            widget->setParent(container ? container : &window);
            widget->setGeometry(spec.rect);
            object = widget;
        } else {
            object = makeComponent(spec, window, trayIcon);
        }
        object->setObjectName(utf8(spec.name));
        built.insert(object->objectName(), object);
    }
    return built;
}

QMenu* buildMenu(QWidget& window, const char* name, std::span<const MenuItemSpec> items) {
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

#include "app/about/about_controller.h"
#include "app/about/about_pictures.h"
#include "app/about/about_window_names.h"
#include "app/about/service_panel.h"
#include "app/about/thank_you_window_names.h"
#include "app/delivery/message_box_sink.h"
#include "app/main_window/main_window.h"
#include "app/main_window/main_window_names.h"
#include "app/main_window/program_pictures.h"
#include "app/widgets/canvas.h"
#include "app/widgets/picture_box.h"
#include "assets/assets_init.h"
#include "store/watch_list_model.h"
#include "tests/support/owner_window.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tavrin;
using namespace Qt::StringLiterals;
namespace names = tavrin::about_window_names;

namespace {

class RecordedLinks final : public LinkOpener {
public:
    void open(const QString& link) override { opened.push_back(link); }
    std::vector<QString> opened;
};

// Takes the links QDesktopServices hands to the "tencent" scheme.
class SchemeHandler : public QObject {
    Q_OBJECT

public:
    std::vector<QUrl> handled;

public slots:
    void handle(const QUrl& url) { handled.push_back(url); }
};

QByteArray pngHeader(const char* resource) {
    initAssets();
    QFile file(QString::fromUtf8(resource));
    return file.open(QIODevice::ReadOnly) ? file.read(26) : QByteArray();
}

} // namespace

class AboutWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::OwnerWindow> m_owner;
    RecordedLinks* m_links = nullptr;
    std::unique_ptr<AboutController> m_about;

    void makeController(ContactSettings contact) {
        auto links = std::make_unique<RecordedLinks>();
        m_links = links.get();
        m_about = std::make_unique<AboutController>(m_owner->window, m_owner->messages, std::move(contact),
                                                    std::move(links));
    }
    AboutWindow* about() const { return m_about->aboutWindow(); }
    QPushButton* button(const char* name) const {
        return about()->requiredControl<QPushButton>(QString::fromUtf8(name));
    }

private slots:
    void init() {
        m_owner = std::make_unique<test::OwnerWindow>();
        makeController({});
        m_owner->window.action(main_window_names::aboutCommand)->trigger();
        QVERIFY(about());
    }

    void cleanup() {
        m_about.reset();
        m_owner.reset();
    }

    void aboutWindowAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        const auto row = [](const char* name, const char* container, const char* text, QRect geometry) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(container)
                                << QString::fromUtf8(text) << geometry;
        };
        row("分组框1", "AboutWindow", "", {8, 8, 368, 272});
        row("透明标签1", "分组框1", "版本号：", {8, 16, 48, 24});
        row("透明标签3", "分组框1", "V 2.43 版", {56, 16, 136, 24});
        row("图片框1", "分组框1", "", {8, 40, 352, 224});
        row("按钮6", "AboutWindow", "确   定", {394, 32, 104, 24});
        row("按钮7", "AboutWindow", "与我联系", {394, 72, 104, 24});
        row("按钮8", "AboutWindow", "使用介绍", {394, 112, 104, 24});
        row("按钮9", "AboutWindow", "打赏致谢", {396, 152, 104, 24});
    }

    void aboutWindowAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QWidget* widget = about()->control<QWidget>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(test::shownText(widget), text);
    }

    void aboutWindowIsOwnedAndSized() {
        test::verifyOwnedWindow(*about(), m_owner->window, QSize(519, 329));
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(versionLine(), u"V 2.43 版"_s);
        QCOMPARE(about()->requiredControl<PictureBox>(names::picture)->picture().size(), QSize(384, 216));
    }

    void aSecondUseBringsTheOpenWindowForward() {
        AboutWindow* first = about();
        m_owner->window.action(main_window_names::aboutCommand)->trigger();
        QCOMPARE(about(), first);
        QCOMPARE(m_owner->window.findChildren<AboutWindow*>().size(), 1);
    }

    void okButtonClosesTheWindow() {
        QTest::mouseClick(button(names::closeButton), Qt::LeftButton);
        QTRY_VERIFY(!about());
        QVERIFY(m_owner->window.isVisible());
        m_owner->window.action(main_window_names::aboutCommand)->trigger();
        QVERIFY(about() && about()->isVisible());
    }

    void contactButtonOpensTheLink_data() {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("link");
        QTest::newRow("empty by default")
            << QString() << QString() << u"tencent://Message/?Uin=&websiteName=&Menu=yes"_s;
        QTest::newRow("ours") << u"10001"_s << u"tavrin.example"_s
                              << u"tencent://Message/?Uin=10001&websiteName=tavrin.example&Menu=yes"_s;
        QTest::newRow("encoded") << u"1&2"_s << u"a b"_s
                                 << u"tencent://Message/?Uin=1%262&websiteName=a%20b&Menu=yes"_s;
    }

    void contactButtonOpensTheLink() {
        QFETCH(QString, account);
        QFETCH(QString, site);
        QFETCH(QString, link);
        about()->close();
        QTRY_VERIFY(!about());
        makeController({account, site});
        m_owner->window.action(main_window_names::aboutCommand)->trigger();
        QTest::mouseClick(button(names::contactButton), Qt::LeftButton);
        QCOMPARE(m_links->opened, std::vector<QString>{link});
        QVERIFY(m_owner->messages.shown.empty());
    }

    void sayingButtonShowsTheSaying() {
        QTest::mouseClick(button(names::sayingButton), Qt::LeftButton);
        QCOMPARE(m_owner->messages.shown, std::vector<Message>{sayingMessage()});
        QCOMPARE(sayingMessage().text,
                 u"以金相交，金耗则忘;以利相交，利尽则散;以势相交，势败则倾;以权相交，权失则弃;"
                 "以情相交，情断则伤;唯以心相交，方能成其久远！"_s);
        QCOMPARE(sayingMessage().caption, u"信息："_s);
        QCOMPARE(sayingMessage().icon, MessageIcon::None);
        QCOMPARE(sayingMessage().owner, MessageOwner::MainWindow);
    }

    void sayingBoxBlocksBothWindows() {
        MessageBoxSink boxes(m_owner->window);
        m_about = std::make_unique<AboutController>(m_owner->window, boxes, ContactSettings{},
                                                    std::make_unique<RecordedLinks>());
        m_owner->window.action(main_window_names::aboutCommand)->trigger();
        QMessageBox* seen = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    seen = box;
                    modality = box->windowModality();
                    QCOMPARE(box->text(), saying());
                    QCOMPARE(box->windowTitle(), u"信息："_s);
                    QCOMPARE(box->parentWidget(), &m_owner->window);
                    QCOMPARE(box->buttons().size(), 1);
                    QCOMPARE(QApplication::activeModalWidget(), box);
                    box->accept();
                }
        });
        poll.start(20);
        QTest::mouseClick(button(names::sayingButton), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(modality, Qt::ApplicationModal);
    }

    void thankYouWindowOwnedByTheMainWindow() {
        QTest::mouseClick(button(names::thankYouButton), Qt::LeftButton);
        ThankYouWindow* thanks = m_about->thankYouWindow();
        QVERIFY(thanks && thanks->isVisible());
        test::verifyOwnedWindow(*thanks, m_owner->window, QSize(385, 239));
        if (QTest::currentTestFailed())
            return;
        auto* picture = thanks->requiredControl<PictureBox>(thank_you_window_names::picture);
        QCOMPARE(picture->geometry(), QRect(8, 8, 368, 200));
        QCOMPARE(picture->picture().size(), QSize(371, 195));
        QTest::mouseClick(button(names::thankYouButton), Qt::LeftButton);
        QCOMPARE(m_about->thankYouWindow(), thanks);
        // Closing the about window leaves the thank-you window open.
        about()->close();
        QTRY_VERIFY(!about());
        QVERIFY(m_about->thankYouWindow());
    }

    void servicePanelShowsTheContactPicture() {
        Canvas* canvas = m_owner->window.canvas();
        QVERIFY(canvas);
        const QImage panel = canvas->grab().toImage();
        const QPoint middle = contactPictureRect(canvas->size()).center();
        QVERIFY(panel.pixel(middle) != servicePanelBackground);
        // The same on a later paint, from the picture decoded once.
        QCOMPARE(canvas->grab().toImage(), panel);
    }

    void picturesAsDesigned() {
        // PNG IHDR at 16: width, height, bit depth, colour type (6 RGBA, 2 RGB).
        QCOMPARE(pngHeader(aboutPicture).mid(16, 10), QByteArray::fromHex("00000180000000d80806"));
        QCOMPARE(pngHeader(thankYouPicture).mid(16, 10), QByteArray::fromHex("00000173000000c30802"));
        QImageReader contact(QString::fromUtf8(contactPicture));
        QCOMPARE(contact.format(), QByteArray("jpeg"));
        QCOMPARE(contact.size(), QSize(669, 1000));
    }

    void shellLinksOnlyWhereAHandlerIsRegistered() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        QSKIP("the shell itself decides there");
#else
        QTemporaryDir tools;
        const QString path = qEnvironmentVariable("PATH");
        qputenv("PATH", (tools.path() + u':' + path).toLocal8Bit());
        SchemeHandler handler;
        QDesktopServices::setUrlHandler(u"tencent"_s, &handler, "handle");
        const auto standInXdgMime = [&](const char* answer) {
            QFile script(tools.filePath(u"xdg-mime"_s));
            QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
            script.write(QByteArray("#!/bin/sh\ntouch \"$(dirname \"$0\")/asked\"\n") + answer);
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        };
        ShellLinkOpener opener;

        standInXdgMime("");
        opener.open(contactLink({}));
        QTRY_VERIFY(QFile::exists(tools.filePath(u"asked"_s)));
        QTest::qWait(200);
        QVERIFY(handler.handled.empty());

        standInXdgMime("echo qq.desktop\n");
        opener.open(contactLink({u"10001"_s, {}}));
        QTRY_COMPARE(handler.handled.size(), size_t(1));
        QCOMPARE(handler.handled.front().query(), u"Uin=10001&websiteName=&Menu=yes"_s);
        QCOMPARE(handler.handled.front().scheme(), u"tencent"_s);

        QDesktopServices::unsetUrlHandler(u"tencent"_s);
        qputenv("PATH", path.toLocal8Bit());
#endif
    }
};

QTEST_MAIN(AboutWindowsTest)
#include "test_about_windows.moc"

#include "app/widgets/qt_translations.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace tavrin;

// Standard buttons and context menus speak Chinese, as every text of the program does.
class QtTranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installChineseQtTranslations(*qApp)); }

    void messageBoxButtonIsChinese() {
        QMessageBox box(QMessageBox::Information, QStringLiteral("信息："), QStringLiteral("添加成功"),
                        QMessageBox::Ok);
        QCOMPARE(box.button(QMessageBox::Ok)->text().remove(u'&'), QStringLiteral("确定"));
    }

    void editBoxContextMenuIsChinese() {
        QLineEdit edit;
        edit.setText(QStringLiteral("600519"));
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator())
                texts << action->text();
        }
        QVERIFY(!texts.isEmpty());
        for (const QString& text : texts) {
            QVERIFY2(!text.contains(u"Undo") && !text.contains(u"Copy") && !text.contains(u"Select All"),
                     qPrintable(texts.join(u", ")));
        }
        QVERIFY2(texts.join(u' ').contains(u"复制"), qPrintable(texts.join(u", ")));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "test_qt_translations.moc"

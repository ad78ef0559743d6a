#include "tests/widgets/widget_test_main.h"

#include "platform/qt/qt_runtime.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real modal box shows a message's text as it is, never as markup.
class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void showsMarkupAsPlainText()
    {
        QString text;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->textFormat(), Qt::PlainText);
            text = box->text();
            box->accept();
        });
        int argc = 0;
        orvanel::platform::QtRuntime(argc, nullptr, "Orvix").showMessage(nullptr, "<b>5</b>");
        QCOMPARE(text, QString("<b>5</b>"));
    }
};

ORVANEL_WIDGET_TEST(MessageBoxTest)

#include "message_box_test.moc"

#include "widget_test_main.h"

#include "message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real modal box, looked at while it is open and closed with its OK button.
class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheTextWithOneOkButtonAndNoIcon()
    {
        QWidget owner;
        owner.show();
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        QStringList buttons;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            modal = box->isModal();
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove('&');
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });

        orvanel::platform::ModalMessageBox messages("Orvix");
        messages.showMessage(&owner, "Please Insert Character Level In Area Provided.");

        QCOMPARE(title, QString("Orvix"));
        QCOMPARE(text, QString("Please Insert Character Level In Area Provided."));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QStringList { "OK" });
        QVERIFY(modal);
        QVERIFY(!QApplication::activeModalWidget());
    }

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
        orvanel::platform::ModalMessageBox("Orvix").showMessage(nullptr, "<b>5</b>");
        QCOMPARE(text, QString("<b>5</b>"));
    }
};

ORVANEL_WIDGET_TEST(MessageBoxTest)

#include "message_box_test.moc"

#include "tests/widgets/widget_test_main.h"

#include "tests/widgets/test_program.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

// How the Qt windows draw what their descriptions hold: texts shown whole in
// their fonts, the red heading. What the windows do
// is checked for every runtime by the behaviour tests.
class LookTest : public QObject {
    Q_OBJECT

private slots:
    void mainWindowTextsAreShownWhole()
    {
        TestProgram p;
        QVERIFY(p.showActive());
        for (const char *name : { "Label1", "Label2", "Label3", "lblnote" }) {
            auto *label = p.window.control<QLabel>(name);
            const int width = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(width <= label->width(), name); // one line, not wrapped or cut
        }
        auto *button = p.window.control<QPushButton>("cmdcontinue");
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8);
        auto *frame = p.window.control<QGroupBox>("fmdisp");
        QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 16);
        // A three-digit result in bold fits the result box.
        auto *result = p.window.control<QLineEdit>("txtmax");
        QVERIFY(result->fontMetrics().horizontalAdvance("312") < result->width() - 8);
        QCOMPARE(p.window.height(), 201 + p.window.menuBar()->height());
        QVERIFY(!p.window.windowIcon().isNull());
    }

    void informationWindowTextsFitTheirLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shownBy");
        for (const orvanel::ProgramForm &form : orvanel::programForms()) {
            const QString name = QString::fromStdString(form.describe().name);
            if (form.make)
                QTest::newRow(qPrintable(name)) << name << QString::fromUtf8(form.shownBy);
        }
    }

    void informationWindowTextsFitTheirLabels()
    {
        QFETCH(QString, name);
        QFETCH(QString, shownBy);
        TestProgram p;
        p.window.menuEntry(shownBy.toStdString())->trigger();
        orvanel::platform::QtWindow *window = p.form(qPrintable(name));
        QVERIFY(!window->isModal());
        for (QLabel *label : window->centralWidget()->findChildren<QLabel *>()) {
            if (name == "frmabout" && label->objectName() == "Label4")
                continue; // the contact address, whose length the maintainer chooses
            // The whole text fits the label as the label wraps it at word
            // boundaries: every line down to the baseline of the last one is
            // inside it.
            QVERIFY2(label->wordWrap(), qPrintable(label->objectName()));
            QVERIFY2(label->heightForWidth(label->width())
                    <= label->height() + label->fontMetrics().descent(),
                qPrintable(label->objectName()));
        }
    }

    void headingsFitAndTheHelpHeadingIsRed()
    {
        TestProgram p;
        p.window.menuEntry("helpa")->trigger();
        auto *heading = p.form("frmhelp")->control<QLabel>("Label1");
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        // The ink of the letters fits; the trailing side bearing of "!" may not.
        QVERIFY(heading->fontMetrics().boundingRect(heading->text()).width() <= heading->width());
        p.window.menuEntry("bout")->trigger();
        auto *about = p.form("frmabout")->control<QLabel>("lblabout");
        QVERIFY(about->fontMetrics().horizontalAdvance(about->text()) <= about->width());
    }
};

ORVANEL_WIDGET_TEST(LookTest)

#include "look_test.moc"

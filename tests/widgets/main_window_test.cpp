#include "widget_test_main.h"

#include "max_block_dex.h"
#include "test_program.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace orvanel;

namespace {

const QString blockMissing = "Please Insert Sheild Block percentage into Area Provided.";
const QString levelMissing = "Please Insert Character Level In Area Provided.";
const QString levelTooHigh = "Invalid Character Level Must be Lower then 99";

QString failure(DexFailure f)
{
    const std::string_view text = failureText(f);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void continueShowsMessagesAndResults_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("levelAfter");
        QTest::addColumn<QString>("resultAfter");

        // The result box holds "7" before each Continue.
        QTest::newRow("both empty") << ""
                                    << "" << QStringList { blockMissing } << ""
                                    << "7";
        QTest::newRow("block empty") << ""
                                     << "80" << QStringList { blockMissing } << "80"
                                     << "7";
        QTest::newRow("level empty") << "50"
                                     << "" << QStringList { levelMissing } << ""
                                     << "7";
        QTest::newRow("75 at 99") << "75"
                                  << "99" << QStringList {} << "99"
                                  << "213";
        QTest::newRow("50 at 80") << "50"
                                  << "80" << QStringList {} << "80"
                                  << "255";
        QTest::newRow("4 at 1") << "4"
                                << "1" << QStringList {} << "1"
                                << "53";
        QTest::newRow("12 at 1") << "12"
                                 << "1" << QStringList {} << "1"
                                 << "27";
        QTest::newRow("negative block") << "-50"
                                        << "10" << QStringList {} << "10"
                                        << "-15";
        QTest::newRow("99.4 stays") << "75"
                                    << "99.4" << QStringList {} << "99.4"
                                    << "213";
        QTest::newRow("too high") << "50"
                                  << "120" << QStringList { levelTooHigh } << "99"
                                  << "312";
        QTest::newRow("99.5 too high") << "75"
                                       << "99.5" << QStringList { levelTooHigh } << "99"
                                       << "213";
        QTest::newRow("letters, level empty")
            << "abc"
            << "" << QStringList { failure(DexFailure::BlockNotANumber) } << ""
            << "7";
        QTest::newRow("blank block")
            << " "
            << "80" << QStringList { failure(DexFailure::BlockNotANumber) } << "80"
            << "7";
        QTest::newRow("level overflows")
            << "50"
            << "-219" << QStringList { failure(DexFailure::ProductOverflow) } << "-219"
            << "7";
        QTest::newRow("level out of range")
            << "50"
            << "40000" << QStringList { failure(DexFailure::LevelOutOfRange) } << "40000"
            << "7";
        QTest::newRow("block 0, too high")
            << "0"
            << "150" << QStringList { levelTooHigh, failure(DexFailure::BlockIsZero) } << "99"
            << "7";
    }

    void continueShowsMessagesAndResults()
    {
        QFETCH(QString, block);
        QFETCH(QString, level);
        QFETCH(QStringList, messages);
        QFETCH(QString, levelAfter);
        QFETCH(QString, resultAfter);

        TestProgram p;
        p.box("txtmax")->setText("7");
        p.type(block, level);
        p.pressContinue();

        QCOMPARE(p.messages.texts, messages);
        QCOMPARE(p.box("txtSB")->text(), block);
        QCOMPARE(p.box("txtcharlvl")->text(), levelAfter);
        QCOMPARE(p.box("txtmax")->text(), resultAfter);
    }

    void messageComesBeforeTheBoxesChange()
    {
        TestProgram p;
        p.box("txtmax")->setText("213");
        p.type("50", "120");
        QStringList seen;
        p.messages.whileShown
            = [&] { seen << p.box("txtcharlvl")->text() << p.box("txtmax")->text(); };
        p.pressContinue();
        QCOMPARE(seen, (QStringList { "120", "213" }));
        QCOMPARE(p.box("txtcharlvl")->text(), QString("99"));
        QCOMPARE(p.box("txtmax")->text(), QString("312"));
    }

    void secondContinueOverwritesTheResult()
    {
        TestProgram p;
        p.type("75", "99");
        p.pressContinue();
        QCOMPARE(p.box("txtmax")->text(), QString("213"));
        p.type("50", "80");
        p.pressContinue();
        QCOMPARE(p.box("txtmax")->text(), QString("255"));
        QVERIFY(p.messages.texts.isEmpty());
    }

    void clearEmptiesAllBoxesAndFocusesTheBlockBox_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("F2") << true;
        QTest::newRow("File > Clear") << false;
    }

    void clearEmptiesAllBoxesAndFocusesTheBlockBox()
    {
        QFETCH(bool, byKey);
        TestProgram p;
        QVERIFY(p.showActive());
        p.type("50", "80");
        p.pressContinue();
        p.box("txtcharlvl")->setFocus();
        if (byKey)
            QTest::keyClick(p.box("txtcharlvl"), Qt::Key_F2);
        else
            p.window.menuEntry("mnuclear")->trigger();
        for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
            QVERIFY2(p.box(name)->text().isEmpty(), name);
        QCOMPARE(QApplication::focusWidget(), p.box("txtSB"));
    }

    void tabVisitsTheBoxesAndButtonInOrder()
    {
        TestProgram p;
        QVERIFY(p.showActive());
        QCOMPARE(QApplication::focusWidget(), p.box("txtSB"));
        const QList<QWidget *> expected { p.box("txtcharlvl"),
            p.window.control<QPushButton>("cmdcontinue"), p.box("txtmax"), p.box("txtSB") };
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void enterInABoxComputesNothing()
    {
        TestProgram p;
        QVERIFY(p.showActive());
        p.type("75", "99");
        for (const char *name : { "txtSB", "txtcharlvl" }) {
            QTest::keyClick(p.box(name), Qt::Key_Return);
            QTest::keyClick(p.box(name), Qt::Key_Enter);
        }
        QVERIFY(p.box("txtmax")->text().isEmpty());
        QVERIFY(p.messages.texts.isEmpty());
    }

    void boxesTakeTextsOfAnyLength()
    {
        TestProgram p;
        const QString pasted(100000, QChar('9'));
        p.box("txtSB")->setText("50");
        p.box("txtcharlvl")->insert(pasted);
        QCOMPARE(p.box("txtcharlvl")->text().size(), pasted.size());
        p.pressContinue();
        QCOMPARE(p.messages.texts, QStringList { failure(DexFailure::LevelOutOfRange) });
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        struct Placed {
            const char *name;
            const char *parent;
            QRect twips;
        };
        const Placed table[] = {
            { "Label1", "clientArea", { 120, 120, 1455, 255 } },
            { "txtSB", "clientArea", { 480, 375, 495, 360 } },
            { "Label3", "clientArea", { 1080, 480, 375, 255 } },
            { "Label2", "clientArea", { 1800, 120, 1335, 255 } },
            { "txtcharlvl", "clientArea", { 1800, 360, 1095, 375 } },
            { "cmdcontinue", "clientArea", { 3120, 360, 1335, 375 } },
            { "fmdisp", "clientArea", { 120, 960, 4335, 1695 } },
            { "lblnote", "fmdisp", { 240, 720, 3255, 375 } },
            { "txtmax", "fmdisp", { 3480, 600, 615, 405 } },
            { "Label4", "clientArea", { 3600, 2760, 1455, 255 } },
        };
        TestProgram p;
        for (const Placed &c : table) {
            QWidget *widget = p.window.control(c.name);
            QVERIFY2(widget, c.name);
            QCOMPARE(widget->parentWidget()->objectName(), QString(c.parent));
            const QRect &t = c.twips;
            QCOMPARE(
                widget->geometry(), QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15));
        }
        QCOMPARE(p.window.centralWidget()->size(), QSize(302, 201));
    }

    void windowHasItsTitleFixedSizeAndPlace()
    {
        TestProgram p;
        QVERIFY(p.showActive());
        QCOMPARE(p.window.windowTitle(), QString("Orvanel"));
        QCOMPARE(p.window.objectName(), QString("frmorvix"));
        QVERIFY(!p.window.windowIcon().isNull());
        QCOMPARE(p.window.minimumSize(), p.window.maximumSize());
        QCOMPARE(p.window.height(), 201 + p.window.menuBar()->height());
        const QPoint screenCentre = p.window.screen()->availableGeometry().center();
        QVERIFY((p.window.frameGeometry().center() - screenCentre).manhattanLength() <= 2);
    }

    void fontsAndTextsAreShownWhole()
    {
        TestProgram p;
        QVERIFY(p.showActive());
        struct Text {
            const char *name;
            int pixelSize;
            bool bold;
        };
        const Text table[] = { { "Label1", 11, false }, { "Label2", 11, false },
            { "Label3", 13, false }, { "txtSB", 13, false }, { "txtcharlvl", 13, false },
            { "cmdcontinue", 11, false }, { "lblnote", 13, false }, { "txtmax", 13, true } };
        for (const Text &t : table) {
            QWidget *widget = p.window.control(t.name);
            QCOMPARE(widget->font().pixelSize(), t.pixelSize);
            QCOMPARE(widget->font().bold(), t.bold);
            if (auto *label = qobject_cast<QLabel *>(widget)) {
                const int width = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(width <= label->width(), t.name); // one line, not wrapped or cut
            }
        }
        auto *button = p.window.control<QPushButton>("cmdcontinue");
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width() - 8);
        auto *frame = p.window.control<QGroupBox>("fmdisp");
        QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) < frame->width() - 16);
        // A three-digit result in bold fits the result box.
        auto *result = p.box("txtmax");
        QVERIFY(result->fontMetrics().horizontalAdvance("312") < result->width() - 8);
    }

    void boxesHaveNamesForScreenReaders()
    {
        TestProgram p;
        QCOMPARE(p.box("txtSB")->accessibleName(), QString("Block percentage"));
        QCOMPARE(p.box("txtcharlvl")->accessibleName(), QString("Character Level"));
        QCOMPARE(p.box("txtmax")->accessibleName(), QString("Dex For Max Block"));
    }

    void menuBarHoldsTheCommands()
    {
        TestProgram p;
        QStringList titles;
        for (QAction *action : p.window.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList { "&File", "&Sheild List", "&Help" }));
        QCOMPARE(p.window.menuEntry("mnuclear")->text(), QString("&Clear"));
        QCOMPARE(p.window.menuEntry("mnuclear")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(p.window.menuEntry("mnuexit")->text(), QString("E&xit"));
        QCOMPARE(p.window.menuEntry("helpa")->text(), QString("Help"));
        QCOMPARE(p.window.menuEntry("bout")->text(), QString("About Orvanel"));
    }

    void exitEndsTheProgramWithAllWindows_data()
    {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("File > Exit") << false;
        QTest::newRow("close box") << true;
    }

    void exitEndsTheProgramWithAllWindows()
    {
        QFETCH(bool, byCloseBox);
        TestProgram p;
        QVERIFY(p.showActive());
        p.window.menuEntry("helpa")->trigger();
        p.window.menuEntry("bout")->trigger();
        p.about.instance()->close(); // hidden, still existing
        QVERIFY(p.help.instance()->isVisible());

        QTimer::singleShot(0, &p.window, [&] {
            if (byCloseBox)
                p.window.close();
            else
                p.window.menuEntry("mnuexit")->trigger();
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QApplication::exec(), 0);
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
};

ORVANEL_WIDGET_TEST(MainWindowTest)

#include "main_window_test.moc"

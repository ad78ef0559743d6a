#include "widget_test_main.h"

#include "test_program.h"
#include "wrapped_label.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace orvanel;

namespace {

int countWindowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += window->objectName() == name ? 1 : 0;
    return count;
}

} // namespace

class InfoWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void windowsExistOnlyOnceShown()
    {
        TestProgram p;
        QVERIFY(!p.help.instance());
        QVERIFY(!p.about.instance());
        QCOMPARE(countWindowsNamed("frmhelp") + countWindowsNamed("frmabout"), 0);
    }

    void choosingTwiceShowsOneWindow_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("name");
        QTest::newRow("Help") << "helpa"
                              << "help"
                              << "frmhelp";
        QTest::newRow("About") << "bout"
                               << "about"
                               << "frmabout";
    }

    void choosingTwiceShowsOneWindow()
    {
        QFETCH(QString, entry);
        QFETCH(QString, which);
        QFETCH(QString, name);
        TestProgram p;
        p.window.show();
        p.window.menuEntry(entry.toStdString())->trigger();
        QWidget *first = p.form(qPrintable(which));
        QVERIFY(first && first->isVisible());
        p.window.menuEntry(entry.toStdString())->trigger();
        QCOMPARE(p.form(qPrintable(which)), first);
        QCOMPARE(countWindowsNamed(name), 1);
    }

    void closeHidesAndTheSameWindowReturns_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("button");
        QTest::newRow("Help, Close button") << "helpa"
                                            << "help"
                                            << "cmdclose";
        QTest::newRow("Help, close box") << "helpa"
                                         << "help"
                                         << "";
        QTest::newRow("About, Close button") << "bout"
                                             << "about"
                                             << "Command1";
        QTest::newRow("About, close box") << "bout"
                                          << "about"
                                          << "";
    }

    void closeHidesAndTheSameWindowReturns()
    {
        QFETCH(QString, entry);
        QFETCH(QString, which);
        QFETCH(QString, button);
        TestProgram p;
        p.window.show();
        p.window.menuEntry(entry.toStdString())->trigger();
        platform::Form *window = p.form(qPrintable(which));
        if (button.isEmpty())
            window->close();
        else
            QTest::mouseClick(window->control<QPushButton>(button.toStdString()), Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QCOMPARE(p.form(qPrintable(which)), window);
        QVERIFY(p.window.isVisible());

        p.window.menuEntry(entry.toStdString())->trigger();
        QCOMPARE(p.form(qPrintable(which)), window);
        QVERIFY(window->isVisible());
    }

    void mainWindowStaysUsable()
    {
        TestProgram p;
        p.window.show();
        p.window.menuEntry("helpa")->trigger();
        p.window.menuEntry("bout")->trigger();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!p.help.instance()->isModal() && !p.about.instance()->isModal());
        p.window.control<QLineEdit>("txtSB")->setText("50");
        p.window.control<QLineEdit>("txtcharlvl")->setText("80");
        QTest::mouseClick(p.window.control<QPushButton>("cmdcontinue"), Qt::LeftButton);
        QCOMPARE(p.window.control<QLineEdit>("txtmax")->text(), QString("255"));
    }

    void altCPressesTheAboutCloseButton()
    {
        TestProgram p;
        p.window.show();
        p.window.menuEntry("bout")->trigger();
        QWidget *about = p.about.instance();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!about->isVisible()); // a shortcut clicks the button after a short delay
    }

    void windowsCarryTheirTitlesSizesAndTexts_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QStringList>("texts"); // name, text, name, text, ...
        QTest::addColumn<QString>("focusable");

        QTest::newRow("Help") << "help"
                              << "Help" << QSize(413, 288)
                              << QStringList { "Label1", "HELP!", "Label2",
                                     "How to use Orvanel:", "Label3",
                                     "To begin Find your Character's block percentage. To do "
                                     "this look at your character's Items/skills to find: A) a "
                                     "sheild block percentage (or use sheild list in main menu) "
                                     "B) Any Items that have +block on them C) for assasin's the "
                                     "skill weapon block %   Calculate all these and put that "
                                     "number into block percentage text box.",
                                     "Label4",
                                     "Second thing to do is to add the character level of your "
                                     "character that you wish to find out what dexterity is "
                                     "needed for max block.",
                                     "Label5",
                                     "Finally just click the continue button to find out the "
                                     "dexterity required for max block",
                                     "cmdclose", "Close" }
                              << "cmdclose";
        QTest::newRow("About") << "about"
                               << "Form1" << QSize(283, 246)
                               << QStringList { "lblabout", "About", "Label1", "Orvanel", "Label2",
                                      "Version 1.0.0", "Label3",
                                      "Just a basic program to help find the required dexterity "
                                      "for max block, with out wasting stat points on dex that "
                                      "are not needed.",
                                      "Label5",
                                      "Please Feel free to contact me, with suggestions or "
                                      "idea's. Any feedback is good feedback",
                                      "Label7", "Email:", "Command1", "&Close", "Label6",
                                      "Found a problem? Report it! Plz email me." }
                               << "Command1";
    }

    void windowsCarryTheirTitlesSizesAndTexts()
    {
        QFETCH(QString, which);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        QFETCH(QStringList, texts);
        QFETCH(QString, focusable);
        TestProgram p;
        p.window.menuEntry(which == "help" ? "helpa" : "bout")->trigger();
        platform::Form *window = p.form(qPrintable(which));
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->centralWidget()->size(), client);
        QCOMPARE(window->minimumSize(), window->maximumSize());

        for (qsizetype i = 0; i + 1 < texts.size(); i += 2) {
            QWidget *control = window->control(texts[i].toStdString());
            QVERIFY2(control, qPrintable(texts[i]));
            if (auto *label = qobject_cast<QLabel *>(control)) {
                QCOMPARE(label->text(), texts[i + 1]);
                // The whole text fits the label once wrapped at word boundaries.
                const QSizeF needed = platform::WrappedLabel::wrappedTextSize(
                    label->font(), label->text(), label->width());
                // Every line down to the baseline of the last one is inside the label.
                QVERIFY2(needed.height() <= label->height() + label->fontMetrics().descent(),
                    qPrintable(texts[i]));
            } else {
                QCOMPARE(qobject_cast<QPushButton *>(control)->text(), texts[i + 1]);
            }
        }

        QStringList takingFocus;
        for (QWidget *child : window->centralWidget()->findChildren<QWidget *>()) {
            if (child->focusPolicy() != Qt::NoFocus)
                takingFocus << child->objectName();
        }
        QCOMPARE(takingFocus, QStringList { focusable });
    }

    void helpHeadingIsRedBoldAndUnderlined()
    {
        TestProgram p;
        p.window.menuEntry("helpa")->trigger();
        auto *heading = p.form("help")->control<QLabel>("Label1");
        QCOMPARE(heading->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(heading->font().underline());
        QCOMPARE(heading->font().pixelSize(), 32);
        // The ink of the letters fits; the trailing side bearing of "!" may not.
        QVERIFY(heading->fontMetrics().boundingRect(heading->text()).width() <= heading->width());
        QCOMPARE(heading->geometry(), QRect(152, 8, 105, 41));
        QCOMPARE(p.form("help")->control("cmdclose")->geometry(), QRect(152, 248, 113, 33));
    }

    void aboutHeadingAndNameAreBold()
    {
        TestProgram p;
        p.window.menuEntry("bout")->trigger();
        auto *heading = p.form("about")->control<QLabel>("lblabout");
        QCOMPARE(heading->font().pixelSize(), 32);
        QVERIFY(heading->fontMetrics().horizontalAdvance(heading->text()) <= heading->width());
        QVERIFY(p.form("about")->control("Label1")->font().bold());
        QCOMPARE(p.form("about")->control("Command1")->geometry(), QRect(200, 216, 81, 17));
        QVERIFY(!p.form("about")->control<QLabel>("Label4")->text().isEmpty());
    }
};

ORVANEL_WIDGET_TEST(InfoWindowsTest)

#include "info_windows_test.moc"

#include "widget_test_main.h"

#include "test_program.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace orvanel;

// The shield reference menu, read back from the menus the window really holds.
class ShieldMenuTest : public QObject {
    Q_OBJECT

private slots:
    void listsEveryShieldWithItsValues()
    {
        const QList<QStringList> expected {
            { "Blackoak Shield", "Pally = 35", "as/am/b = 30", "d/s/n = 25" },
            { "Gerke's Sanctuary", "Pally = 84", "as/am/b=79", "d/s/n=74" },
            { "Head Hunter's Glory", "Pally = 50", "as/am/b =45", "d/s/n =40" },
            { "Herald of Zakarum", "Pally = 77" },
            { "Lance Guard", "Pally =38", "as/am/b =33", "d/s/n =27" },
            { "Lidless Wall", "Pally =50", "as/am/b =45", "d/s/n =40" },
            { "Medusa's Gaze", "Pally =54", "as/am/b =49", "d/s/n =40" },
            { "Moser's Blessed Circle", "Pally =60", "as/am/b =55", "d/s/n =50" },
            { "Radament's Sphere", "Pally =66", "as/am/b =61", "d/s/n =56" },
            { "Spike Thorn", "Pally =50", "as/am/b =45", "d/s/n =40" },
            { "Spirit Ward", "Pally = 74-84", "as/am/b =69-79", "d/s/n =64-74" },
            { "Stormchaser", "Pally =62", "as/am/b =57", "d/s/n =52" },
            { "Stormshield", "Pally = 77", "as/am/b = 72", "d/s/n =67" },
            { "Tiamat's Rebuke", "Pally =40", "as/am/b =35", "d/s/n =30" },
            { "Viscerataunt", "Pally =60", "as/am/b =55", "d/s/n =50" },
        };
        TestProgram p;
        QMenu *shields = p.window.menu("mnusl");
        QVERIFY(shields);
        QCOMPARE(shields->menuAction()->text(), QString("&Sheild List"));

        const QList<QAction *> entries = shields->actions();
        QCOMPARE(entries.size(), expected.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QAction *shield = entries[i];
            QCOMPARE(shield->text(), expected[i].first());
            QVERIFY(shield->isEnabled());
            QVERIFY2(shield->menu(), qPrintable(shield->text()));
            QStringList values;
            for (QAction *value : shield->menu()->actions()) {
                values << value->text();
                QVERIFY(!value->isEnabled());
                QVERIFY(!value->menu());
            }
            QCOMPARE(values, expected[i].mid(1));
        }
    }

    void choosingAValueChangesNothing()
    {
        TestProgram p;
        for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
            p.box(name)->setText("5");
        for (QAction *shield : p.window.menu("mnusl")->actions()) {
            for (QAction *value : shield->menu()->actions())
                value->trigger();
        }
        for (const char *name : { "txtSB", "txtcharlvl", "txtmax" })
            QCOMPARE(p.box(name)->text(), QString("5"));
        QVERIFY(p.messages.texts.isEmpty());
        QVERIFY(!p.help.instance() && !p.about.instance());
    }
};

ORVANEL_WIDGET_TEST(ShieldMenuTest)

#include "shield_menu_test.moc"

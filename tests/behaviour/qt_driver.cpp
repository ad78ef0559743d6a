// The behaviour tests' driver for the Qt runtime: Qt Test key and mouse events
// on the offscreen platform, and message boxes answered from an event filter.
// Controls are read through QAccessible, which the platform's bridge to
// assistive technology reads, and an accessibility update handler hears what
// the boxes announce; Qt delivers updates only where a bridge is active.

#include "tests/behaviour/driver.h"

#include "app/program.h"
#include "platform/qt/qt_runtime.h"
#include "platform/qt/qt_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cctype>

namespace behaviour {
namespace {

using orvanel::platform::QtWindow;

std::string utf8(const QString &text)
{
    return text.toStdString();
}

Driver::Role roleOf(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::StaticText:
        return Driver::Role::StaticText;
    case QAccessible::EditableText:
        return Driver::Role::EditableText;
    case QAccessible::PushButton:
        return Driver::Role::PushButton;
    case QAccessible::Grouping:
        return Driver::Role::Grouping;
    default:
        return Driver::Role::Other;
    }
}

class QtDriver;
QtDriver *listening = nullptr;

class QtDriver final : public Driver, public QObject {
public:
    QtDriver()
        : m_runtime(argc, argv, orvanel::applicationTitle)
        , program(m_runtime)
    {
        qApp->installEventFilter(this);
        listening = this;
        previousHandler = QAccessible::installUpdateHandler(heard);
    }
    ~QtDriver() override
    {
        QAccessible::installUpdateHandler(previousHandler);
        listening = nullptr;
        qApp->removeEventFilter(this);
    }

    bool exists(const std::string &form) const override { return window(form) != nullptr; }
    bool visible(const std::string &form) const override
    {
        QtWindow *w = window(form);
        return w && w->isVisible();
    }
    int count(const std::string &form) const override
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->objectName() == QString::fromStdString(form) ? 1 : 0;
        return n;
    }
    std::string title(const std::string &form) const override
    {
        return utf8(window(form)->windowTitle());
    }
    bool fixedSize(const std::string &form) const override
    {
        QtWindow *w = window(form);
        return w->minimumSize() == w->maximumSize();
    }
    bool centredOnScreen(const std::string &form) const override
    {
        QtWindow *w = window(form);
        const QPoint centre = w->screen()->availableGeometry().center();
        return (w->frameGeometry().center() - centre).manhattanLength() <= 2;
    }
    Rect clientArea(const std::string &form) const override
    {
        const QSize size = window(form)->centralWidget()->size();
        return { 0, 0, size.width(), size.height() };
    }
    Rect place(const std::string &form, const std::string &control) const override
    {
        QtWindow *w = window(form);
        QWidget *c = widget(form, control);
        const QPoint at = c->mapTo(w->centralWidget(), QPoint(0, 0));
        return { at.x(), at.y(), c->width(), c->height() };
    }
    Font font(const std::string &form, const std::string &control) const override
    {
        // The weight of the face drawn: a stand-in may be a bold design itself.
        const QFont f = widget(form, control)->font();
        const QFontInfo drawn(f);
        const bool bold = drawn.bold() || drawn.styleName().contains(QStringLiteral("Bold"));
        return { f.pixelSize(), bold, f.underline() };
    }
    std::string text(const std::string &form, const std::string &control) const override
    {
        QWidget *c = widget(form, control);
        if (auto *box = qobject_cast<QLineEdit *>(c))
            return utf8(box->text());
        if (auto *label = qobject_cast<QLabel *>(c))
            return utf8(label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(c))
            return utf8(button->text());
        if (auto *frame = qobject_cast<QGroupBox *>(c))
            return utf8(frame->title());
        return {};
    }
    std::vector<std::string> focusable(const std::string &form) const override
    {
        // In Tab order, from the control that has the window's focus.
        std::vector<std::string> names;
        QtWindow *w = window(form);
        QWidget *first = w->focusWidget();
        for (QWidget *c = first; c;) {
            names.push_back(utf8(c->objectName()));
            c = c->nextInFocusChain();
            while (c && c != first && (c->focusPolicy() == Qt::NoFocus || c->window() != w))
                c = c->nextInFocusChain();
            if (c == first)
                break;
        }
        return names;
    }
    std::vector<MenuItem> menuBar(const std::string &form) const override
    {
        std::vector<MenuItem> items;
        for (QAction *action : window(form)->menuBar()->actions())
            items.push_back(item(action));
        return items;
    }

    void showMain() override
    {
        program.main.window().show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    }
    void setText(const std::string &control, const std::string &text) override
    {
        main()->control<QLineEdit>(control)->setText(QString::fromStdString(text));
    }
    void type(const std::string &control, const std::string &text) override
    {
        auto *box = main()->control<QLineEdit>(control);
        box->setFocus();
        QTest::keyClicks(box, QString::fromStdString(text));
    }
    void press(Key key) override
    {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        ASSERT_TRUE(target);
        switch (key) {
        case Key::Tab:
            return QTest::keyClick(target, Qt::Key_Tab);
        case Key::ShiftTab:
            return QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
        case Key::Space:
            return QTest::keyClick(target, Qt::Key_Space);
        case Key::Return:
            return QTest::keyClick(target, Qt::Key_Return);
        case Key::Enter:
            return QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
        case Key::Escape:
            return QTest::keyClick(target, Qt::Key_Escape);
        case Key::F2:
            return QTest::keyClick(target, Qt::Key_F2);
        case Key::AltC:
            return QTest::keyClick(target, Qt::Key_C, Qt::AltModifier);
        }
    }
    void click(const std::string &form, const std::string &button) override
    {
        QTest::mouseClick(window(form)->control<QPushButton>(button), Qt::LeftButton);
    }
    void choose(const std::string &menuEntry) override
    {
        main()->menuEntry(menuEntry)->trigger();
        for (const orvanel::ProgramForm &form : orvanel::programForms()) {
            if (form.shownBy == menuEntry) {
                EXPECT_TRUE(QTest::qWaitForWindowActive(window(form.describe().name), 2000))
                    << menuEntry;
            }
        }
    }
    bool chooseThroughMenus(const std::string &form, const std::vector<int> &path) override
    {
        // Clicks on the menu bar, then on each menu it opens in turn.
        std::vector<std::pair<QWidget *, QAction *>> clicks;
        for (QWidget *menu = window(form)->menuBar(); int index : path) {
            QAction *action = menu ? menu->actions().value(index) : nullptr;
            if (!action) {
                ADD_FAILURE() << "no menu entry " << index;
                return false;
            }
            clicks.emplace_back(menu, action);
            menu = action->menu();
        }
        bool triggered = false;
        QObject::connect(
            clicks.back().second, &QAction::triggered, this, [&] { triggered = true; });
        for (const auto &[menu, action] : clicks) {
            if (!QTest::qWaitFor([menu] { return menu->isVisible(); })) {
                ADD_FAILURE() << "a menu did not open before " << utf8(action->text());
                break;
            }
            QTest::mouseClick(menu, Qt::LeftButton, {}, actionCentre(menu, action));
        }
        clicks.back().second->disconnect(this);
        // A chosen entry closes the menus; any other click leaves them open.
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        return triggered;
    }
    void closeBox(const std::string &form) override { window(form)->close(); }
    bool takesInput(const std::string &form) override
    {
        // A click on the window's client area, delivered as the windowing
        // system delivers it, through Qt's blocking of windows behind a
        // modal one; taken when the click reaches a widget of the window.
        QtWindow *w = window(form);
        const QPoint at = w->centralWidget()->mapTo(w, QPoint(1, 1));
        pressedIn = nullptr;
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
        return pressedIn == w;
    }
    std::string focus() const override
    {
        QWidget *f = QApplication::focusWidget();
        if (!f)
            return {};
        return utf8(f->window()->objectName()) + "." + utf8(f->objectName());
    }
    bool waitFor(const std::function<bool()> &condition, int milliseconds) override
    {
        return QTest::qWaitFor(condition, milliseconds);
    }
    int runUntilEnded(const std::function<void()> &action) override
    {
        QTimer::singleShot(0, action);
        QTimer::singleShot(5000, [] { QCoreApplication::exit(-1); });
        return m_runtime.run();
    }
    void showMessage(const std::string &text) override
    {
        m_runtime.showMessage(&program.main.window(), text);
    }
    orvanel::platform::Runtime &runtime() override { return m_runtime; }
    std::vector<Reading> readings(const std::string &form, const std::string &control) override
    {
        Reading reading { "QAccessible", {}, {} };
        QWidget *c = widget(form, control);
        if (QAccessibleInterface *object = c ? QAccessible::queryAccessibleInterface(c) : nullptr) {
            reading.name = utf8(object->text(QAccessible::Name));
            reading.role = roleOf(object->role());
        }
        return { reading };
    }
    void pressShiftTab() override
    {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = QApplication::activeWindow();
        ASSERT_TRUE(target);
        QTest::keyClick(target, Qt::Key_Tab, Qt::ShiftModifier);
    }
    bool chooseByAccessKeys(const std::string &form, const std::string &letters) override
    {
        // Alt with the menu's letter opens it from the menu bar; each letter
        // after it goes to the menu open then.
        QtWindow *w = window(form);
        bool triggered = false;
        const QList<QAction *> actions = w->findChildren<QAction *>();
        for (QAction *action : actions)
            QObject::connect(action, &QAction::triggered, this, [&] { triggered = true; });
        const auto key = [](char c) {
            return Qt::Key(Qt::Key_A + (std::toupper(static_cast<unsigned char>(c)) - 'A'));
        };
        QTest::keyClick(w, key(letters.at(0)), Qt::AltModifier);
        for (char c : letters.substr(1)) {
            if (!QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; })) {
                ADD_FAILURE() << "no menu open before " << c;
                break;
            }
            QTest::keyClick(QApplication::activePopupWidget(), key(c));
        }
        for (QAction *action : actions)
            action->disconnect(this);
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        return triggered;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType())
            pressedIn = static_cast<QWidget *>(watched)->window();
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show && !answering.contains(box)) {
            answering << box;
            QTimer::singleShot(0, box, [this, box] { answer(box); });
        }
        return false;
    }

private:
    // A value change of a control, with the value it tells.
    static void heard(QAccessibleEvent *event)
    {
        auto *control = qobject_cast<QWidget *>(event->object());
        if (!listening || !control || event->type() != QAccessible::ValueChanged)
            return;
        const auto *change = static_cast<QAccessibleValueChangeEvent *>(event);
        listening->announcements.push_back(
            { utf8(control->window()->objectName()) + "." + utf8(control->objectName()),
                utf8(change->value().toString()) });
    }

    void answer(QMessageBox *box)
    {
        Message m;
        m.title = utf8(box->windowTitle());
        m.text = utf8(box->text());
        for (QAbstractButton *b : box->buttons())
            m.buttons.push_back(utf8(b->text().remove('&')));
        m.icon = box->icon() != QMessageBox::NoIcon;
        m.ownerDisabled = box->isModal() && QApplication::activeModalWidget() == box;
        messages.push_back(m);
        if (whileMessageShown)
            whileMessageShown();
        answering.removeAll(box);
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    // Where an entry lies in the menu bar or menu that shows it.
    static QPoint actionCentre(QWidget *menu, QAction *action)
    {
        if (auto *bar = qobject_cast<QMenuBar *>(menu))
            return bar->actionGeometry(action).center();
        return static_cast<QMenu *>(menu)->actionGeometry(action).center();
    }

    static MenuItem item(QAction *action)
    {
        MenuItem m { utf8(action->text()), utf8(action->shortcut().toString()), action->isEnabled(),
            {} };
        if (QMenu *menu = action->menu()) {
            for (QAction *inner : menu->actions())
                m.submenu.push_back(item(inner));
        }
        return m;
    }

    QtWindow *main() const { return dynamic_cast<QtWindow *>(&program.main.window()); }
    QtWindow *window(const std::string &form) const
    {
        orvanel::platform::Form *f = program.form(form);
        return f ? dynamic_cast<QtWindow *>(&f->window()) : nullptr;
    }
    QWidget *widget(const std::string &form, const std::string &control) const
    {
        QWidget *c = window(form)->control(control);
        if (!c)
            ADD_FAILURE() << "no control " << control << " in " << form;
        return c;
    }

    int argc = 0;
    char **argv = nullptr;
    orvanel::platform::QtRuntime m_runtime;
    orvanel::Program program;
    QList<QMessageBox *> answering;
    QWidget *pressedIn = nullptr;
    QAccessible::UpdateHandler previousHandler = nullptr;
};

} // namespace

std::unique_ptr<Driver> startProgram()
{
    return std::make_unique<QtDriver>();
}

} // namespace behaviour

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    orvanel::platform::prepareApplication(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

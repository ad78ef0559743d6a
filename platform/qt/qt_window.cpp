#include "platform/qt/qt_window.h"

#include "platform/qt/fonts.h"
#include "platform/qt/qt_text.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace orvanel::platform {

namespace {

QWidget *makeControl(const ControlDescription &c, QWidget *parent)
{
    const QString text = toQString(c.text);
    switch (c.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(text, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setFocusPolicy(Qt::StrongFocus);
        return box;
    }
    case ControlKind::PushButton: {
        auto *button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        return button;
    }
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(text, parent);
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    }
    return nullptr;
}

} // namespace

QtWindow::QtWindow(const FormDescription &form, QWidget *parent)
    : QMainWindow(parent)
    , Window(form)
{
    const FormDescription &description = this->description();
    setObjectName(toQString(description.name));
    setWindowTitle(toQString(description.title));
    if (description.applicationIcon)
        setWindowIcon(QApplication::windowIcon());
    setFont(resolveFont(description.defaultFont));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(toPixels(description.clientWidthTwips, description.clientHeightTwips));
    setCentralWidget(client);

    buildControls();
    buildMenuBar();
    // The user cannot resize the window: it keeps the size of its client area
    // and menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString QtWindow::qName(std::string_view name)
{
    return toQString(name);
}

QAction *QtWindow::menuEntry(std::string_view name) const
{
    const auto actions = findChildren<QAction *>(qName(name));
    return actions.isEmpty() ? nullptr : actions.first();
}

QMenu *QtWindow::menu(std::string_view name) const
{
    return findChild<QMenu *>(qName(name));
}

std::string QtWindow::text(std::size_t control) const
{
    return static_cast<QLineEdit *>(widget(control))->text().toStdString();
}

void QtWindow::setText(std::size_t control, std::string_view text)
{
    auto *box = static_cast<QLineEdit *>(widget(control));
    box->setText(toQString(text));
    // Screen readers are told of the new value of a box that holds a result,
    // wherever the focus is; the focus stays where it is.
    if (description().controls[control].announced) {
        QAccessibleValueChangeEvent change(box, box->text());
        QAccessible::updateAccessibility(&change);
    }
}

void QtWindow::setFocus(std::size_t control)
{
    widget(control)->setFocus();
}

void QtWindow::onButtonClick(std::size_t control, std::function<void()> handler)
{
    connect(static_cast<QAbstractButton *>(widget(control)), &QAbstractButton::clicked, this,
        [handler = std::move(handler)] { handler(); });
}

void QtWindow::onMenuChoice(int entry, std::function<void()> handler)
{
    connect(m_menuEntries.at(static_cast<std::size_t>(entry)), &QAction::triggered, this,
        [handler = std::move(handler)] { handler(); });
}

void QtWindow::onCloseBox(std::function<void()> handler)
{
    m_closeBox = std::move(handler);
}

void QtWindow::show()
{
    QMainWindow::show();
    raise();
    activateWindow();
}

void QtWindow::hide()
{
    QMainWindow::hide();
}

bool QtWindow::isVisible() const
{
    return QMainWindow::isVisible();
}

void QtWindow::closeEvent(QCloseEvent *event)
{
    // Without a handler of its own the close box hides the window, which keeps
    // existing; closing is the same as hiding for a Qt window.
    event->accept();
    if (m_closeBox)
        m_closeBox();
}

void QtWindow::buildControls()
{
    const FormDescription &description = this->description();
    QWidget *client = centralWidget();
    m_controls.assign(description.controls.size(), nullptr);
    const QFont defaultFont = font();

    // Frames first, so that the controls they hold find their parent.
    std::vector<std::size_t> ordered;
    for (std::size_t i = 0; i < description.controls.size(); ++i)
        ordered.push_back(i);
    std::stable_partition(ordered.begin(), ordered.end(),
        [&](std::size_t i) { return description.controls[i].kind == ControlKind::Frame; });

    std::vector<std::pair<int, QWidget *>> focusable;
    for (std::size_t index : ordered) {
        const ControlDescription *c = &description.controls[index];
        // The description was checked: a container is a frame of this window.
        QWidget *parent = c->container.empty() ? client : widget(*controlIndex(c->container));
        QWidget *widget = makeControl(*c, parent);
        m_controls[index] = widget;
        widget->setObjectName(toQString(c->name));
        widget->setGeometry(toPixels(c->rect));
        widget->setFont(c->font ? resolveFont(*c->font) : defaultFont);
        if (c->textColour) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText,
                QColor(c->textColour->red, c->textColour->green, c->textColour->blue));
            widget->setPalette(palette);
        }
        if (!c->label.empty())
            widget->setAccessibleName(toQString(platform::accessibleName(description, *c)));
        if (widget->focusPolicy() != Qt::NoFocus)
            focusable.emplace_back(c->tabIndex, widget);
    }

    std::stable_sort(focusable.begin(), focusable.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    if (!focusable.empty())
        focusable.front().second->setFocus();
}

void QtWindow::buildMenuBar()
{
    const FormDescription &description = this->description();
    if (description.menuBar.empty())
        return;
    // Entries come depth first, so the menu an entry goes into is the last
    // one made a level up.
    std::vector<QMenu *> open;
    forEachMenuEntry(description, [&](const MenuEntryDescription &entry, int, int depth) {
        open.resize(static_cast<std::size_t>(depth));
        QAction *action = nullptr;
        if (!entry.submenu.empty()) {
            QMenu *menu = depth == 0 ? menuBar()->addMenu(toQString(entry.text))
                                     : open.back()->addMenu(toQString(entry.text));
            menu->setObjectName(toQString(entry.name));
            open.push_back(menu);
            action = menu->menuAction();
        } else {
            action = open.back()->addAction(toQString(entry.text));
            action->setObjectName(toQString(entry.name));
        }
        if (const auto key = functionKey(entry.shortcut))
            action->setShortcut(QKeySequence(Qt::Key_F1 + (*key - 1)));
        action->setEnabled(entry.enabled);
        m_menuEntries.push_back(action);
    });
}

void QtWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (description().placement == Placement::CentreOfScreen) {
            if (const QScreen *screen = this->screen()) {
                QRect frame = frameGeometry();
                frame.moveCenter(screen->availableGeometry().center());
                move(frame.topLeft());
            }
        }
    }
    QMainWindow::showEvent(event);
}

} // namespace orvanel::platform

#include "qt_window.h"

#include "fonts.h"
#include "qt_text.h"

#include <QAbstractButton>
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

void addMenuEntries(QMenu *menu, const std::vector<MenuEntryDescription> &entries);

QAction *addMenuEntry(QMenu *menu, const MenuEntryDescription &entry)
{
    QAction *action = nullptr;
    if (!entry.submenu.empty()) {
        QMenu *submenu = menu->addMenu(toQString(entry.text));
        submenu->setObjectName(toQString(entry.name));
        addMenuEntries(submenu, entry.submenu);
        action = submenu->menuAction();
    } else {
        action = menu->addAction(toQString(entry.text));
        action->setObjectName(toQString(entry.name));
    }
    if (!entry.shortcut.empty())
        action->setShortcut(QKeySequence(toQString(entry.shortcut)));
    action->setEnabled(entry.enabled);
    return action;
}

void addMenuEntries(QMenu *menu, const std::vector<MenuEntryDescription> &entries)
{
    for (const MenuEntryDescription &entry : entries)
        addMenuEntry(menu, entry);
}

} // namespace

QtWindow::QtWindow(const FormDescription &description, QWidget *parent)
    : QMainWindow(parent)
    , m_placement(description.placement)
{
    setObjectName(toQString(description.name));
    setWindowTitle(toQString(description.title));
    if (description.applicationIcon)
        setWindowIcon(QApplication::windowIcon());
    setFont(resolveFont(description.defaultFont));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(toPixels(description.clientWidthTwips, description.clientHeightTwips));
    setCentralWidget(client);

    buildControls(description);
    buildMenuBar(description);
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

std::string QtWindow::text(std::string_view name) const
{
    return control<QLineEdit>(name)->text().toStdString();
}

void QtWindow::setText(std::string_view name, std::string_view text)
{
    control<QLineEdit>(name)->setText(toQString(text));
}

void QtWindow::setFocus(std::string_view name)
{
    control(name)->setFocus();
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

void QtWindow::onClick(std::string_view name, std::function<void()> handler)
{
    if (auto *button = control<QAbstractButton>(name)) {
        connect(button, &QAbstractButton::clicked, this, [handler] { handler(); });
    } else if (QAction *action = menuEntry(name)) {
        connect(action, &QAction::triggered, this, [handler] { handler(); });
    } else {
        qFatal("no button or menu entry named %s", qPrintable(qName(name)));
    }
}

void QtWindow::buildControls(const FormDescription &description)
{
    QWidget *client = centralWidget();
    const QFont defaultFont = font();

    // Frames first, so that the controls they hold find their parent.
    std::vector<const ControlDescription *> ordered;
    for (const auto &c : description.controls)
        ordered.push_back(&c);
    std::stable_partition(ordered.begin(), ordered.end(),
        [](const ControlDescription *c) { return c->kind == ControlKind::Frame; });

    std::vector<std::pair<int, QWidget *>> focusable;
    for (const ControlDescription *c : ordered) {
        QWidget *parent = c->container.empty() ? client : control(c->container);
        Q_ASSERT(parent);
        QWidget *widget = makeControl(*c, parent);
        widget->setObjectName(toQString(c->name));
        widget->setGeometry(toPixels(c->rect));
        widget->setFont(c->font ? resolveFont(*c->font) : defaultFont);
        if (c->textColour) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText,
                QColor(c->textColour->red, c->textColour->green, c->textColour->blue));
            widget->setPalette(palette);
        }
        if (!c->accessibleName.empty())
            widget->setAccessibleName(toQString(c->accessibleName));
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

void QtWindow::buildMenuBar(const FormDescription &description)
{
    if (description.menuBar.empty())
        return;
    QMenuBar *bar = menuBar();
    for (const MenuEntryDescription &entry : description.menuBar) {
        QMenu *menu = bar->addMenu(toQString(entry.text));
        menu->setObjectName(toQString(entry.name));
        menu->menuAction()->setEnabled(entry.enabled);
        addMenuEntries(menu, entry.submenu);
    }
}

void QtWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        if (m_placement == Placement::CentreOfScreen) {
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

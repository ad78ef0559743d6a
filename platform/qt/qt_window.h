#pragma once

#include "platform/runtime.h"

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace orvanel::platform {

// A window built from its description with Qt Widgets: every control with its
// name as objectName, its text, twips rectangle, font and tab order, and the
// menu bar.
class QtWindow : public QMainWindow, public Window {
    Q_OBJECT

public:
    explicit QtWindow(const FormDescription &description, QWidget *parent = nullptr);

    template<class Widget = QWidget> Widget *control(std::string_view name) const
    {
        return findChild<Widget *>(qName(name));
    }
    QAction *menuEntry(std::string_view name) const;
    QMenu *menu(std::string_view name) const;

    void onCloseBox(std::function<void()> handler) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;

protected:
    std::string text(std::size_t control) const override;
    void setText(std::size_t control, std::string_view text) override;
    void setFocus(std::size_t control) override;
    void onButtonClick(std::size_t control, std::function<void()> handler) override;
    void onMenuChoice(int entry, std::function<void()> handler) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static QString qName(std::string_view name);
    void buildControls();
    void buildMenuBar();
    QWidget *widget(std::size_t control) const { return m_controls.at(control); }

    std::vector<QWidget *> m_controls; // as in the description
    std::vector<QAction *> m_menuEntries; // by number
    bool m_placed = false;
    std::function<void()> m_closeBox;
};

} // namespace orvanel::platform

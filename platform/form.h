#pragma once

#include "form_description.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QMenu;

namespace orvanel::platform {

// A window built from its description: every control with its name as
// objectName, its text, twips rectangle, font and tab order, and the menu bar.
class Form : public QMainWindow {
    Q_OBJECT

public:
    explicit Form(const FormDescription &description, QWidget *parent = nullptr);

    template<class Widget = QWidget> Widget *control(std::string_view name) const
    {
        return findChild<Widget *>(qName(name));
    }
    QAction *menuEntry(std::string_view name) const;
    QMenu *menu(std::string_view name) const;

    // Connects a handler to a push button's click or a menu entry's choice.
    void onClick(std::string_view name, std::function<void()> handler);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static QString qName(std::string_view name);
    void buildControls(const FormDescription &description);
    void buildMenuBar(const FormDescription &description);

    Placement m_placement;
    bool m_placed = false;
};

} // namespace orvanel::platform

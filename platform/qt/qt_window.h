#pragma once

#include "form_description.h"
#include "runtime.h"

#include <QMainWindow>

#include <functional>

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

    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void setFocus(std::string_view control) override;
    void onClick(std::string_view name, std::function<void()> handler) override;
    void onCloseBox(std::function<void()> handler) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static QString qName(std::string_view name);
    void buildControls(const FormDescription &description);
    void buildMenuBar(const FormDescription &description);

    Placement m_placement;
    bool m_placed = false;
    std::function<void()> m_closeBox;
};

} // namespace orvanel::platform

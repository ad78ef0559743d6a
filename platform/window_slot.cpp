#include "window_slot.h"

#include <utility>

namespace orvanel::platform {

WindowSlot::WindowSlot(Factory create)
    : m_create(std::move(create))
{
}

void WindowSlot::show()
{
    if (!m_window)
        m_window = m_create();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void WindowSlot::hide()
{
    if (m_window)
        m_window->hide();
}

} // namespace orvanel::platform

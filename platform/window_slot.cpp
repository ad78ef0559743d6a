#include "platform/window_slot.h"

#include <utility>

namespace orvanel::platform {

WindowSlot::WindowSlot(Factory create)
    : m_create(std::move(create))
{
}

void WindowSlot::show()
{
    if (!m_form)
        m_form = m_create();
    m_form->window().show();
}

void WindowSlot::hide()
{
    if (m_form)
        m_form->window().hide();
}

} // namespace orvanel::platform

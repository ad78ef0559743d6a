#include "message_box.h"

#include <QMessageBox>

#include <utility>

namespace orvanel::platform {

ModalMessageBox::ModalMessageBox(QString applicationTitle)
    : m_applicationTitle(std::move(applicationTitle))
{
}

void ModalMessageBox::showMessage(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, m_applicationTitle, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace orvanel::platform

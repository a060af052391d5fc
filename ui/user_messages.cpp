#include "ui/user_messages.h"

#include <QMessageBox>

void MessageBoxMessages::ShowMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

#pragma once
// What the user must know, in a modal message box with an OK button, the program's title and
// the warning icon: what it tells is what went wrong.

#include <QString>

class QWidget;

class UserMessages {
  public:
    virtual ~UserMessages() = default;
    virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;
};

class MessageBoxMessages final : public UserMessages {
  public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
};

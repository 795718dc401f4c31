#pragma once

#include <QString>

#include <exception>
#include <memory>

class QWidget;

// The program's message boxes, behind a seam: production shows QMessageBox, tests
// install a recorder that answers.
class MessageBoxes {
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~MessageBoxes() = default;
    // A box with an OK button.
    virtual void show(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
    // A box with Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
};

// The boxes in use; QMessageBox unless replaced.
MessageBoxes& messageBoxes();
// Replaces the boxes in use and returns the previous ones (null restores QMessageBox).
std::unique_ptr<MessageBoxes> setMessageBoxes(std::unique_ptr<MessageBoxes> boxes);

// Caption of the program's error reports.
QString applicationCaption();

// The report of an error that ends an event handler: a box with the error's text.
void reportError(QWidget* parent, const std::exception& error);
void reportError(QWidget* parent, const QString& text);

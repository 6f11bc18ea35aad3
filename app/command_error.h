#pragma once

#include <QString>

#include <stdexcept>

// A failure of a command (a file that cannot be read or written): the command stops,
// and the window shows the text in an error box and goes on.
class CommandError : public std::runtime_error {
public:
    explicit CommandError(const QString& text)
        : std::runtime_error(text.toStdString())
        , text_(text)
    {
    }
    const QString& Text() const { return text_; }

private:
    QString text_;
};

// An error's text as the error box shows it: with a full stop added when the last
// character comes after "." in the character table.
QString ErrorBoxText(const QString& text);

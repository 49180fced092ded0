#pragma once
// Failures travel as exceptions that carry the text the user is shown.
#include <QString>
#include <stdexcept>

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &Message() const { return m_message; }

private:
    QString m_message;
};

// A text that does not convert to a number.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A durable write whose new file is in place, but whose folder could not be synced: the file is
// there, and may yet be lost if the system goes down before it writes the folder back.
class EWrittenNotSynced : public Exception {
public:
    using Exception::Exception;
};

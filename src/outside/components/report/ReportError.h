#pragma once
// A failure of one report run: the Persian message the caller shows as the
// component's LastError. Everything the run refuses ends as one of these.

#include <QString>
#include <stdexcept>

class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

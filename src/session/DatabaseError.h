#pragma once
// The one error type for database and conversion failures: carries the
// database's own message and the statement that failed.

#include <QString>
#include <stdexcept>

class DatabaseError : public std::runtime_error
{
public:
    DatabaseError(const QString &message, const QString &statement = QString())
        : std::runtime_error((statement.isEmpty() ? message : message + QStringLiteral("\n") + statement).toStdString())
        , m_message(message)
        , m_statement(statement)
    {}
    const QString &message() const { return m_message; }
    const QString &statement() const { return m_statement; }

private:
    QString m_message;
    QString m_statement;
};

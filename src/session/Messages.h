#pragma once
// Messages and yes/no questions through the outside message component
// "comMessage.comMSG", created anew for every message.

#include <QString>
#include <QVariant>

// Titles used across the component.
inline const QString ErrorTitle = QStringLiteral("خطا");
inline const QString RowActionErrorTitle = QStringLiteral("اشكال");
inline const QString NotPermittedMessage = QStringLiteral("شما به انجام اين عمليات مجاز نيستيد.");

enum QuestionAnswer { AnswerNone = 0, AnswerYes = 6, AnswerNo = 7 };

// Shows a message; does nothing when the component cannot be created.
void ShowMessage(const QVariant &title, const QString &message);
// Returns AnswerYes, AnswerNo, or AnswerNone when the question was closed
// without an answer or the component cannot be created.
int AskQuestion(const QVariant &title, const QString &message);

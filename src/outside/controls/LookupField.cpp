#include "outside/controls/LookupField.h"

#include "outside/controls/LookupInputWatch.h"
#include "outside/controls/LookupTexts.h"
#include "session/DatabaseError.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
const QString ProblemStyle = QStringLiteral("color: #c00000;");
}

LookupField::LookupField(QWidget *parent)
    : QWidget(parent)
    , m_caption(new QLabel(this))
    , m_code(new QLineEdit(this))
    , m_name(new QLabel(this))
    , m_button(new QToolButton(this))
    , m_watch(new LookupInputWatch(this))
{
    setLayoutDirection(Qt::RightToLeft);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_code);

    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setBuddy(m_code);
    m_caption->hide(); // shown once a caption is given

    m_code->setObjectName(QStringLiteral("txtCode"));
    m_code->setMaximumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    m_code->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 6);

    m_name->setObjectName(QStringLiteral("lblName"));
    m_name->setMinimumWidth(60);
    m_name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_name->setFrameShape(QFrame::StyledPanel);
    m_name->setTextInteractionFlags(Qt::NoTextInteraction);

    m_button->setObjectName(QStringLiteral("cmdLookup"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(LookupText::OpenLookup);
    m_button->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_caption);
    layout->addWidget(m_code);
    layout->addWidget(m_name, 1);
    layout->addWidget(m_button);

    connect(m_code, &QLineEdit::editingFinished, this, &LookupField::commitTypedCode);
    connect(m_button, &QToolButton::clicked, this, &LookupField::openLookup);
    connect(m_watch, &LookupInputWatch::focusIn, this, &LookupField::FocusIn);
    connect(m_watch, &LookupInputWatch::focusOut, this, &LookupField::FocusOut);
    connect(m_watch, &LookupInputWatch::keyDown, this, &LookupField::KeyDown);
    m_watch->watchKeys(m_code);
}

LookupField::~LookupField()
{
    // Focus moves while the child widgets go must not reach the owner's
    // handlers, nor this control's own code check, through a half-destroyed
    // control (the code box loses its focus as it is destroyed).
    disconnect(m_code, nullptr, this, nullptr);
    delete m_watch;
}

void LookupField::setConnectionText(const QString &connectionString)
{
    if (connectionString == m_connection.connectionString())
        return;
    m_connection.setConnectionString(connectionString);
    dropRows();
}

QString LookupField::captionText() const
{
    return m_caption->text();
}

void LookupField::setCaptionText(const QString &caption)
{
    m_caption->setText(caption);
    m_caption->setVisible(!caption.isEmpty());
}

void LookupField::dropRows()
{
    m_table.reset();
}

const LookupTable &LookupField::table()
{
    if (!m_table) {
        const QString query = listQuery();
        m_table = query.isEmpty() || !m_connection.hasConnectionString() ? LookupTable()
                                                                         : m_connection.read(query);
    }
    return *m_table;
}

void LookupField::chooseId(qint32 id)
{
    setChoice(table().findId(id));
}

void LookupField::clearChoice()
{
    setChoice(nullptr);
}

void LookupField::commitTypedCode()
{
    const QString typed = m_code->text().trimmed();
    if (typed.isEmpty()) {
        setChoice(nullptr);
        return;
    }
    if (m_choice && typed == m_choice->code.trimmed() && m_code->toolTip().isEmpty())
        return; // the box still shows the chosen code: nothing was typed
    try {
        const LookupRow *row = table().findCode(typed);
        setChoice(row);
        if (!row) {
            m_code->setText(typed); // keep what was typed beside the message
            showProblem(unknownCodeText());
        }
    } catch (const DatabaseError &error) {
        showChoice();
        showProblem(LookupText::ReadFailed + error.message());
    }
}

void LookupField::openLookup()
{
    if (!isEnabled())
        return;
    try {
        const LookupTable &rows = table();
        LookupDialog dialog(lookupTitle(), rows, lookupShape(), chosenId(), this);
        dialog.setFont(font());
        if (dialog.exec() == QDialog::Accepted)
            setChoice(table().findId(dialog.chosenId()));
    } catch (const DatabaseError &error) {
        showProblem(LookupText::ReadFailed + error.message());
    }
    m_code->setFocus();
}

void LookupField::setChoice(const LookupRow *row)
{
    const bool changed = row ? (!m_choice || m_choice->id != row->id) : m_choice.has_value();
    if (row)
        m_choice = *row;
    else
        m_choice.reset();
    showChoice();
    if (changed)
        choiceChanged();
}

void LookupField::showChoice()
{
    m_code->setText(chosenCode());
    m_code->setToolTip(QString());
    m_name->setText(chosenName());
    m_name->setToolTip(chosenName());
    m_name->setStyleSheet(QString());
}

void LookupField::showProblem(const QString &text)
{
    m_name->setText(text);
    m_name->setToolTip(text);
    m_name->setStyleSheet(ProblemStyle);
    m_code->setToolTip(text);
}

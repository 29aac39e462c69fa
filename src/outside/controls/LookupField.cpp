#include "outside/controls/LookupField.h"

#include "outside/controls/ElidingLabel.h"
#include "outside/controls/LookupInputWatch.h"
#include "outside/controls/LookupTexts.h"
#include "session/DatabaseError.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace {
const QString ProblemStyle = QStringLiteral("color: #c00000;");
constexpr int CodeDigits = 11; // codes of ten digits, and room for the cursor after them
constexpr int Spacing = 3;
constexpr int CaptionGap = 6; // on both sides of the caption, so it touches neither neighbour
} // namespace

LookupField::LookupField(QWidget *parent)
    : QWidget(parent)
    , m_caption(new ElidingLabel(this))
    , m_code(new QLineEdit(this))
    , m_name(new ElidingLabel(this))
    , m_button(new QToolButton(this))
    , m_watch(new LookupInputWatch(this))
{
    setLayoutDirection(Qt::RightToLeft);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_code);

    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setBuddy(m_code);
    m_caption->setContentsMargins(CaptionGap, 0, CaptionGap, 0);
    m_caption->hide(); // shown once a caption is given

    m_code->setObjectName(QStringLiteral("txtCode"));
    m_code->setFixedWidth(codeBoxWidth());

    // The name takes what the caption, the code box and the button leave.
    m_name->setObjectName(QStringLiteral("lblName"));
    m_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_name->setFrameShape(QFrame::StyledPanel);
    m_name->setTextInteractionFlags(Qt::NoTextInteraction);
    m_name->setMinimumWidth(m_name->minimumSizeHint().width()); // an ignored size hint would let it vanish

    m_button->setObjectName(QStringLiteral("cmdLookup"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(LookupText::OpenLookup);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing);
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
    m_caption->setFullText(caption);
    m_caption->setVisible(!caption.isEmpty());
}

int LookupField::codeBoxWidth() const
{
    // As QLineEdit sizes itself, for digits instead of its usual letters.
    QStyleOptionFrame option;
    option.initFrom(m_code);
    option.lineWidth = m_code->hasFrame() ? m_code->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_code) : 0;
    const QMargins text = m_code->textMargins();
    const QMargins around = m_code->contentsMargins();
    const int contents = m_code->fontMetrics().horizontalAdvance(QString(CodeDigits, QLatin1Char('0')))
        + 2 * 2 // the line edit's own horizontal margin
        + text.left() + text.right() + around.left() + around.right();
    return m_code->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(contents, m_code->sizeHint().height()), m_code).width();
}

int LookupField::widthShowingWhole(const QString &caption, const QString &name) const
{
    int width = codeBoxWidth() + Spacing + m_name->widthShowing(name) + Spacing + m_button->sizeHint().width();
    if (!caption.isEmpty())
        width += m_caption->widthShowing(caption) + Spacing;
    return width;
}

void LookupField::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_code->setFixedWidth(codeBoxWidth());
        m_name->setMinimumWidth(m_name->minimumSizeHint().width());
    }
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
    m_name->setStyleSheet(QString());
    m_name->setFullText(chosenName());
}

void LookupField::showProblem(const QString &text)
{
    m_name->setStyleSheet(ProblemStyle);
    m_name->setFullText(text);
    m_code->setToolTip(text);
}

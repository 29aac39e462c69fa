#include "outside/components/comMsg.h"

#include "outside/components/ComponentRegistry.h"
#include "outside/controls/OleColor.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// The dialog's own texts.
const QString OkText = QStringLiteral("تاييد");
const QString YesText = QStringLiteral("بله");
const QString NoText = QStringLiteral("خير");

void paintBackground(QWidget *widget, int oleColor)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, OleColorToQColor(quint32(oleColor)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

[[maybe_unused]] const bool registered = [] {
    RegisterDefaultComponent(QStringLiteral("comMessage.comMSG"), [] { return std::make_unique<comMsg>(); });
    return true;
}();

} // namespace

comMsg::comMsg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_titleLabel(new QLabel(this))
    , m_icon(new QLabel(this))
    , m_messageLabel(new QLabel(this))
    , m_frame(new QFrame(this))
    , m_buttonBar(new QFrame(this))
    , m_yes(new QPushButton(this))
    , m_no(new QPushButton(NoText, this))
{
    setObjectName(QStringLiteral("comMsg"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowModality(Qt::ApplicationModal);
    QFont persian = font();
    persian.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans Arabic"),
                         QStringLiteral("Noto Naskh Arabic")});
    setFont(persian);

    m_titleLabel->setObjectName(QStringLiteral("lblTitle"));
    m_titleLabel->setTextFormat(Qt::PlainText);
    QFont bold = persian;
    bold.setBold(true);
    m_titleLabel->setFont(bold);

    // Messages often carry database texts; shown as they are, never as markup.
    m_messageLabel->setObjectName(QStringLiteral("lblMessage"));
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setMinimumWidth(300);
    m_messageLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_icon->setAlignment(Qt::AlignTop);

    m_frame->setObjectName(QStringLiteral("frmMessage"));
    m_frame->setFrameShape(QFrame::StyledPanel);
    auto *frameLayout = new QHBoxLayout(m_frame);
    frameLayout->setContentsMargins(12, 12, 12, 12);
    frameLayout->setSpacing(12);
    frameLayout->addWidget(m_icon);
    frameLayout->addWidget(m_messageLabel, 1);

    m_yes->setObjectName(QStringLiteral("cmdYes"));
    m_no->setObjectName(QStringLiteral("cmdNo"));
    for (QPushButton *button : {m_yes, m_no})
        button->setMinimumWidth(80);
    m_buttonBar->setObjectName(QStringLiteral("frmButtons"));
    auto *barLayout = new QHBoxLayout(m_buttonBar);
    barLayout->setContentsMargins(10, 6, 10, 6);
    barLayout->addStretch(1);
    barLayout->addWidget(m_yes);
    barLayout->addWidget(m_no);
    barLayout->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(8);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 0, 10, 0);
    body->setSpacing(8);
    body->addWidget(m_titleLabel);
    body->addWidget(m_frame, 1);
    layout->addLayout(body, 1);
    layout->addWidget(m_buttonBar);

    connect(m_yes, &QPushButton::clicked, this, [this] { answer(Yes); });
    connect(m_no, &QPushButton::clicked, this, [this] { answer(No); });
}

void comMsg::ClearShow()
{
    m_result = NoAnswer;
    applyProperties();
    exec(); // Escape and the close button reject without touching Resualt
}

void comMsg::answer(int result)
{
    m_result = result;
    accept();
}

void comMsg::applyProperties()
{
    const bool question = m_type == Question;
    setWindowTitle(m_title);
    m_titleLabel->setText(m_title);
    m_titleLabel->setVisible(!m_title.isEmpty());
    m_messageLabel->setText(m_message);
    const QStyle::StandardPixmap icon = question ? QStyle::SP_MessageBoxQuestion : QStyle::SP_MessageBoxInformation;
    m_icon->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(32, 32));

    m_yes->setText(question ? YesText : OkText);
    m_no->setVisible(question);
    // A stray Enter on a question answers "no": nothing is lost by it.
    m_yes->setDefault(!question);
    m_no->setDefault(question);
    (question ? m_no : m_yes)->setFocus();

    paintBackground(this, m_formBackColor);
    paintBackground(m_buttonBar, m_btmBackColor);
    paintBackground(m_frame, m_frameBackColor);
    adjustSize();
}

#pragma once
// What the selector and the account picker share: a caption, a code box, the
// chosen row's name beside it and a button opening the look-up list. Rows are
// read through the control's own connection the first time they are needed
// and kept until the list's source changes.
//
// The owner gives the control its geometry. Inside it the code box keeps room
// for a code of ten digits and the button its own size; the caption shows
// whole before the name gets more than a few letters, and whatever does not
// fit is cut at its end with its whole text in the tool tip.
//
// Programmatic choices (chooseId) let database errors through as
// DatabaseError, so the caller's error handling sees them; choices a person
// makes show the error in the control instead.

#include "outside/controls/ElidingLabel.h"
#include "outside/controls/LookupConnection.h"
#include "outside/controls/LookupDialog.h"

#include <QWidget>
#include <optional>

class LookupInputWatch;
class QLineEdit;
class QToolButton;

class LookupField : public QWidget
{
    Q_OBJECT
public:
    ~LookupField() override;

    // For tests and for driving the control without a person.
    QLineEdit *codeBox() const { return m_code; }
    ElidingLabel *captionLabel() const { return m_caption; }
    ElidingLabel *nameLabel() const { return m_name; }
    QToolButton *lookupButton() const { return m_button; }
    // Opens the look-up list (modal) as the button does.
    void openLookup();

    // The width at which this control, in its present font, shows the
    // caption, a code of ten digits and the name all whole ("" for no caption).
    int widthShowingWhole(const QString &caption, const QString &name) const;

signals:
    void FocusIn();
    void FocusOut();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    explicit LookupField(QWidget *parent);
    void changeEvent(QEvent *event) override;

    // The SELECT listing the rows (ID, Code, Name[, ParentID]); "" when the
    // control has no list yet. Throws DatabaseError for an unusable source.
    virtual QString listQuery() const = 0;
    virtual LookupDialog::Shape lookupShape() const = 0;
    virtual QString lookupTitle() const = 0;
    virtual QString unknownCodeText() const = 0;
    // Called after every change of the choice, by a person or by code.
    virtual void choiceChanged() = 0;

    const QString &connectionText() const { return m_connection.connectionString(); }
    void setConnectionText(const QString &connectionString);
    QString captionText() const;
    void setCaptionText(const QString &caption);
    // The list's rows are read again at the next use.
    void dropRows();

    bool hasChoice() const { return m_choice.has_value(); }
    qint32 chosenId() const { return m_choice ? m_choice->id : 0; }
    QString chosenCode() const { return m_choice ? m_choice->code : QString(); }
    QString chosenName() const { return m_choice ? m_choice->name : QString(); }
    // Chooses the row of that ID; an ID the list lacks leaves the control empty.
    void chooseId(qint32 id);
    void clearChoice();

private:
    const LookupTable &table();
    void commitTypedCode();
    void setChoice(const LookupRow *row);
    void showChoice();
    void showProblem(const QString &text);
    int codeBoxWidth() const;

    LookupConnection m_connection;
    std::optional<LookupTable> m_table;
    std::optional<LookupRow> m_choice;
    ElidingLabel *m_caption;
    QLineEdit *m_code;
    ElidingLabel *m_name;
    QToolButton *m_button;
    LookupInputWatch *m_watch;
};

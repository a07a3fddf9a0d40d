#pragma once

#include "guard/guard.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QTableWidget;

namespace app {

// What both rules dialogs (relation groups, categories) share: the rules in order with what
// each catches now, add/change/delete/move, a test box, undo, and saving. Edits stay in the
// dialog until they are saved. The kind of rule is the derived class's business.
class RulesDialog : public QDialog
{
    Q_OBJECT
public:
    QTableWidget* table() const { return m_table; }
    QLineEdit* testBox() const { return m_testText; }
    QLabel* testResult() const { return m_testResult; }

    virtual void addRule() = 0;
    virtual void changeRule() = 0;
    void deleteRule();
    void moveRule(int by);
    virtual void undo() = 0;
    virtual void saveAndApply() = 0;
    // Closing with unsaved changes asks first.
    void reject() override;

protected:
    struct Texts
    {
        QString title;
        QString precedence;
        QString columns;    // the titles, "|" between them
        QString saveButton; // the button that saves
        QStringList testFields;
        int patternColumn;
        int targetColumn;
        int stretchColumn;             // takes the room left
        QList<int> interactiveColumns; // start narrow, the user widens them
        QList<int> numberColumns;      // right-aligned
    };
    RulesDialog(const Texts& texts, guard::Guard guard, QWidget* parent);

    virtual int ruleCount() const = 0;
    virtual void eraseRule(int row) = 0;
    virtual void swapRules(int row, int other) = 0;
    virtual bool unsaved() const = 0;
    // The cells of every rule into the table (its row count is set).
    virtual void fillRows() = 0;
    // What the rules do with a text typed into the test box for field `field`.
    virtual QString testText(int field, const QString& text) const = 0;
    virtual bool askDiscard() = 0;

    // One row of the table: suspect rows stand out; a tooltip per cell (empty: none).
    void setRow(int row, const QStringList& cells, bool suspect, const QStringList& tooltips);
    int currentRule() const;
    // Shows the rules anew with `select` selected.
    void refresh(int select);
    void updateTest();

    guard::Guard m_guard;

private:
    QTableWidget* makeTable();
    QLayout* makeButtons();
    QLayout* makeTestRow();
    void fitTextColumns();

    Texts m_texts;
    QTableWidget* m_table;
    QLabel* m_unsaved;
    QComboBox* m_testField;
    QLineEdit* m_testText;
    QLabel* m_testResult;
};

} // namespace app

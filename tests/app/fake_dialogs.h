#pragma once

#include "app/dialogs.h"

#include <QStringList>
#include <deque>

// Answers the main window's boxes from a script and records what was asked and shown.
class FakeDialogs : public app::Dialogs
{
public:
    std::deque<bool> answers; // Yes/No answers in order; No once exhausted (the default button)
    QStringList questions;    // "caption|text" per question
    QStringList errors;
    int calculatorShown = 0;
    QString openFileName; // what the file-open dialog returns; empty: the user cancels
    QString openFilter;
    QString saveFileName; // what the file-save dialog returns; empty: the user cancels
    QString saveFilter;

    bool askYesNo(const QString& caption, const QString& text) override
    {
        questions << caption + u'|' + text;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showError(const QString& text) override { errors << text; }
    QString getOpenFileName(const QString&, const QString& filter) override
    {
        openFilter = filter;
        return openFileName;
    }
    QString getSaveFileName(const QString&, const QString& filter) override
    {
        saveFilter = filter;
        return saveFileName;
    }
    void showCalculator() override { ++calculatorShown; }
};

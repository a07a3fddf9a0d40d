#pragma once

#include "app/dialogs.h"

#include <QStringList>
#include <deque>

// Answers the program's boxes from a script and records what was asked and shown.
class FakeDialogs : public app::Dialogs
{
public:
    std::deque<bool> answers; // Yes/No answers in order; No once exhausted (the default button)
    QStringList questions;    // "caption|text" per question
    QStringList errors;
    int calculatorShown = 0;
    QString openFileName; // what the file-open dialog returns; empty: the user cancels
    QString openFilter;
    QString openSuffix;
    QString saveFileName; // what the file-save dialog returns; empty: the user cancels
    QString saveFilter;
    QString saveSuffix;
    std::optional<QColor> colour; // the colour dialog's answer; none: cancelled
    QColor colourShown;           // the colour it was opened with
    std::optional<help::FontChoice> font;
    std::optional<help::FontChoice> fontShown;

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
    void showMessage(const QString& caption, const QString& text) override
    {
        messages << caption + u'|' + text;
    }
    QStringList messages; // "caption|text" per message shown
    QString getOpenFileName(const QString&, const QString& filter,
                            const QString& defaultSuffix) override
    {
        openFilter = filter;
        openSuffix = defaultSuffix;
        return openFileName;
    }
    QString getSaveFileName(const QString&, const QString& filter) override
    {
        saveFilter = filter;
        return saveFileName;
    }
    QString getSaveDocumentName(const QString& filter, const QString& defaultSuffix) override
    {
        saveFilter = filter;
        saveSuffix = defaultSuffix;
        return saveFileName;
    }
    std::optional<QColor> getColour(const QColor& initial) override
    {
        colourShown = initial;
        return colour;
    }
    std::optional<help::FontChoice> getFont(const help::FontChoice& initial) override
    {
        fontShown = initial;
        return font;
    }
    void showCalculator() override { ++calculatorShown; }
    std::optional<int> chooseItem(const QString&, const QString& text,
                                  const QStringList& items) override
    {
        choiceText = text;
        choiceItems = items;
        return choice;
    }
    std::optional<QString> askText(const QString&, const QString& text,
                                   const QStringList& suggestions) override
    {
        textAsked = text;
        textSuggestions = suggestions;
        return typedText;
    }
    std::optional<int> choice;        // the list's answer; none: cancelled
    std::optional<QString> typedText; // the typed line; none: cancelled
    QString textAsked;
    QStringList textSuggestions;
    QString choiceText;
    QStringList choiceItems;
};

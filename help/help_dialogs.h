#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

namespace help {

// A font as the font dialog offers it: name, size, style, and the text colour.
struct FontChoice
{
    QFont font;
    QColor colour;
};

// The modal dialogs of the help window, so that tests answer them instead of a user. An empty
// name or no value means the user cancelled.
class HelpDialogs
{
public:
    virtual ~HelpDialogs() = default;
    // `defaultSuffix` is added to a name typed without extension.
    virtual QString getOpenFileName(const QString& caption, const QString& filter,
                                    const QString& defaultSuffix) = 0;
    // The save dialog of a document: an existing file is overwritten without asking.
    virtual QString getSaveDocumentName(const QString& filter, const QString& defaultSuffix) = 0;
    virtual std::optional<QColor> getColour(const QColor& initial) = 0;
    virtual std::optional<FontChoice> getFont(const FontChoice& initial) = 0;
};

} // namespace help

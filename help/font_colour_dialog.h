#pragma once

#include "help/help_dialogs.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QFontDialog;

namespace help {

// The font dialog of the help window: Qt's font chooser (name, style, size, underline,
// strike-through) with a text colour under it, as the classic font dialog offers.
class FontColourDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FontColourDialog(const FontChoice& initial, QWidget* parent = nullptr);
    FontChoice choice() const;

    static std::optional<FontChoice> ask(const FontChoice& initial, QWidget* parent);

private:
    QFontDialog* m_fonts;
    QComboBox* m_colours;
    QString m_initialFamily;
    QString m_shownFamily;
};

} // namespace help

#include "help/font_colour_dialog.h"

#include "help/help_texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace help {

namespace {

struct NamedColour
{
    const char16_t* name;
    QRgb rgb;
};

// The sixteen colours of the classic font dialog.
constexpr NamedColour kColours[] = {
    {u"Zwart", 0x000000},      {u"Kastanjebruin", 0x800000}, {u"Groen", 0x008000},
    {u"Olijfgroen", 0x808000}, {u"Marineblauw", 0x000080},   {u"Paars", 0x800080},
    {u"Groenblauw", 0x008080}, {u"Grijs", 0x808080},         {u"Zilver", 0xC0C0C0},
    {u"Rood", 0xFF0000},       {u"Limoengroen", 0x00FF00},   {u"Geel", 0xFFFF00},
    {u"Blauw", 0x0000FF},      {u"Fuchsia", 0xFF00FF},       {u"Aqua", 0x00FFFF},
    {u"Wit", 0xFFFFFF},
};

QIcon swatch(const QColor& colour)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(colour);
    QPainter p(&pixmap);
    p.setPen(Qt::gray);
    p.drawRect(0, 0, 23, 11);
    return QIcon(pixmap);
}

} // namespace

FontColourDialog::FontColourDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent), m_fonts(new QFontDialog(this)), m_colours(new QComboBox(this))
{
    setWindowTitle(m_fonts->windowTitle());
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setSizeGripEnabled(false);
    if (m_fonts->layout())
        m_fonts->layout()->setContentsMargins(0, 0, 0, 0);
    m_fonts->setCurrentFont(initial.font);
    m_initialFamily = initial.font.family();
    m_shownFamily = m_fonts->currentFont().family();

    const QColor start = initial.colour.isValid() ? initial.colour : QColor(Qt::black);
    int current = -1;
    for (const NamedColour& c : kColours) {
        m_colours->addItem(swatch(QColor(c.rgb)), QString::fromUtf16(c.name), QColor(c.rgb));
        if (QColor(c.rgb) == start.toRgb())
            current = m_colours->count() - 1;
    }
    if (current < 0) {
        // A colour of its own (from the colour dialog) stays offered as it is.
        m_colours->addItem(swatch(start), start.name(QColor::HexRgb).toUpper(), start);
        current = m_colours->count() - 1;
    }
    m_colours->setCurrentIndex(current);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(texts::kFontColour, this));
    colourRow->addWidget(m_colours);
    colourRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

FontChoice FontColourDialog::choice() const
{
    QFont font = m_fonts->currentFont();
    // The dialog lists the font that stands in for a missing one (Liberation Sans for Arial);
    // a name the user did not change stays the name the text had.
    if (font.family() == m_shownFamily)
        font.setFamily(m_initialFamily);
    return {font, m_colours->currentData().value<QColor>()};
}

std::optional<FontChoice> FontColourDialog::ask(const FontChoice& initial, QWidget* parent)
{
    FontColourDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace help

#pragma once

#include <QString>
#include <QStringView>

// The DOS code pages 437 (US) and 850 (Western Europe) that older dBase tables are written in.
namespace dbase::dos {

enum class Page
{
    Cp437,
    Cp850
};

QString decode(Page page, const char* bytes, qsizetype size);
// Characters the page cannot hold become '?'; `out` holds text.size() bytes.
void encodeInto(Page page, QStringView text, char* out);

} // namespace dbase::dos

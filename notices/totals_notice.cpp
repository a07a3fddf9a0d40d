#include "notices/totals_notice.h"

#include "store/dbase/table.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>

namespace notices {

namespace {

// The keys in the file, one a line, in the order the steps run.
const std::array<QString, 2> kStepKeys = {QStringLiteral("aanvullen-relaties"),
                                          QStringLiteral("vul-per-maand")};

const QString& keyOf(TotalsStep step)
{
    return kStepKeys[static_cast<std::size_t>(step)];
}

} // namespace

TotalsNotice::TotalsNotice(const QString& tablesFolder)
    : m_path(QDir(tablesFolder).filePath(kFileName))
{
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw NoticeError(QStringLiteral("Kan %1 niet lezen: %2")
                              .arg(QDir::toNativeSeparators(m_path), file.errorString()));
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const QString key = line.trimmed();
        if (!key.isEmpty() && !m_due.contains(key))
            m_due << key;
    }
}

bool TotalsNotice::due(TotalsStep step) const
{
    return m_due.contains(keyOf(step));
}

bool TotalsNotice::anyDue() const
{
    return std::any_of(kStepKeys.begin(), kStepKeys.end(),
                       [&](const QString& key) { return m_due.contains(key); });
}

void TotalsNotice::markDue(TotalsStep first)
{
    bool changed = false;
    for (std::size_t step = static_cast<std::size_t>(first); step < kStepKeys.size(); ++step)
        if (!m_due.contains(kStepKeys[step])) {
            m_due << kStepKeys[step];
            changed = true;
        }
    if (changed)
        save();
}

void TotalsNotice::stepRan(TotalsStep step)
{
    for (std::size_t earlier = 0; earlier < static_cast<std::size_t>(step); ++earlier)
        if (m_due.contains(kStepKeys[earlier]))
            return;
    if (m_due.removeAll(keyOf(step)) > 0)
        save();
}

void TotalsNotice::save()
{
    const QString where = QDir::toNativeSeparators(m_path);
    if (m_due.isEmpty()) {
        if (QFile::exists(m_path) && !QFile::remove(m_path))
            throw NoticeError(QStringLiteral("Kan %1 niet verwijderen").arg(where));
        return;
    }
    // QSaveFile writes beside the file and renames only after a complete write.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw NoticeError(
            QStringLiteral("Kan %1 niet schrijven: %2").arg(where, file.errorString()));
    file.write((m_due.join(u'\n') + u'\n').toUtf8());
    if (!file.commit())
        throw NoticeError(
            QStringLiteral("Kan %1 niet schrijven: %2").arg(where, file.errorString()));
}

bool passSeesEveryRow(const dbase::Table& mutaties, const dbase::Table& bedrijven)
{
    const auto filtered = [](const dbase::Table& t) {
        return t.filtered() && t.hasFilterPredicate();
    };
    return !filtered(mutaties) && !filtered(bedrijven);
}

} // namespace notices

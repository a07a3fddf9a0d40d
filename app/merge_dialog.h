#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;

namespace app {

// "Samenvoegen": shows the relation-year rows whose names and totals move, and lets the user pick
// or type the group they go to.
class MergeDialog : public QDialog
{
    Q_OBJECT
public:
    // `moving`: one line per selected row; `groups`: the names offered in the group box, the
    // first one proposed.
    MergeDialog(const QStringList& moving, const QStringList& groups, QWidget* parent = nullptr);
    QString group() const;
    QComboBox* groupBox() const { return m_group; }

private:
    QComboBox* m_group;
};

} // namespace app

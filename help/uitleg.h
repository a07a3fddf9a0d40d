#pragma once

#include <QString>
#include <QWidget>

namespace help {

// TForm4, the help window: fixed size, white, centred over the main window when shown. It
// takes the tables folder at creation, where its text file lives.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    TForm4(const QString& tablesFolder, QWidget* mainWindow);
    QString tablesFolder() const { return m_tablesFolder; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_tablesFolder;
    QWidget* m_mainWindow;
};

} // namespace help

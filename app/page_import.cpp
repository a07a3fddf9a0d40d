// The import page: instructions, the import button and its gauge, the tables-folder strip.
#include "app/kolvaro1.h"
#include "app/page_parts.h"
#include "viewlogic/texts.h"
#include "views/clickable_image.h"
#include "views/gradient_button.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

void TForm1::buildStatusStrip()
{
    m_statusStrip = new QFrame(TabSheet1);
    m_statusStrip->setObjectName(QStringLiteral("statusStrip"));
    m_statusStrip->setFixedHeight(22);
    m_statusStrip->setStyleSheet(QStringLiteral(
        "QFrame#statusStrip { background-color: #FFCE9D; border: 1px dotted #404040; }"));
    auto* strip = new QHBoxLayout(m_statusStrip);
    strip->setContentsMargins(6, 0, 6, 0);
    strip->addWidget(new QLabel(views::texts::kTablesFolder, m_statusStrip));
    Label3 = new QLabel(m_statusStrip);
    strip->addWidget(Label3, 1);
}

void TForm1::buildImportPage()
{
    TabSheet1 = new QWidget;
    PageControl1->addTab(TabSheet1, views::texts::kPageImport);

    QWidget* header = parts::pageHeader(TabSheet1, 40);
    Image1 = parts::calculatorImage(header);
    SRColorButton15 = parts::helpButton(header);
    connect(Image1, &views::ClickableImage::clicked, this, &TForm1::Image1Click);
    connect(SRColorButton15, &QPushButton::clicked, this, &TForm1::SRColorButton11Click);

    m_instruction = new QLabel(views::texts::kImportInstruction, TabSheet1);
    m_instruction->setAlignment(Qt::AlignCenter);

    SRColorButton16 =
        new views::GradientButton(views::texts::kImportButton, views::kGreenFace, TabSheet1);
    SRColorButton16->setFixedSize(161, 33);
    connect(SRColorButton16, &QPushButton::clicked, this, &TForm1::SRColorButton16Click);

    Gauge1 = new QProgressBar(TabSheet1);
    Gauge1->setFixedSize(400, 22);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid #808080; background: white; text-align: center; }"
        "QProgressBar::chunk { background-color: #00A000; }"));

    m_importCounts = new QLabel(TabSheet1);
    m_importCounts->setObjectName(QStringLiteral("importCounts"));
    m_importCounts->setAlignment(Qt::AlignCenter);

    m_reassurance = new QLabel(views::texts::kImportReassurance, TabSheet1);
    m_reassurance->setAlignment(Qt::AlignCenter);

    m_currentLayouts = new QCheckBox(views::texts::kCurrentLayoutsSwitch, TabSheet1);
    m_currentLayouts->setChecked(true);
    connect(m_currentLayouts, &QCheckBox::toggled, this, &TForm1::currentLayoutsToggled);

    buildStatusStrip();

    auto* page = new QVBoxLayout(TabSheet1);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    m_gapsNotice1 = parts::buttonNotice(TabSheet1, views::texts::kShowGaps);
    connect(m_gapsNotice1.button, &QPushButton::clicked, this, &TForm1::showGaps);
    page->addWidget(m_gapsNotice1.bar);
    page->addWidget(header);
    page->addStretch(2);
    page->addWidget(m_instruction);
    page->addSpacing(24);
    page->addWidget(SRColorButton16, 0, Qt::AlignHCenter);
    page->addSpacing(16);
    page->addWidget(Gauge1, 0, Qt::AlignHCenter);
    page->addSpacing(8);
    page->addWidget(m_importCounts);
    page->addSpacing(16);
    page->addWidget(m_reassurance);
    page->addSpacing(12);
    page->addWidget(m_currentLayouts, 0, Qt::AlignHCenter);
    page->addStretch(3);
    page->addWidget(m_statusStrip);
}

} // namespace app

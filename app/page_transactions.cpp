// The transactions page: filter frame, chart and empty buttons, count, navigator and grid.
#include "app/kolvaro1.h"
#include "app/page_parts.h"
#include "charts/series/chart_list.h"
#include "viewlogic/filter/page_rows.h"
#include "viewlogic/texts.h"
#include "views/clickable_image.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/table_model.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

void TForm1::buildTransactionsPage()
{
    TabSheet3 = new QWidget;
    PageControl1->addTab(TabSheet3, views::texts::kPageTransactions);

    QWidget* header = parts::pageHeader(TabSheet3, 0);
    m_transactionsCalculator = parts::calculatorImage(header);
    SRColorButton14 = parts::helpButton(header);
    connect(m_transactionsCalculator, &views::ClickableImage::clicked, this, &TForm1::Image1Click);
    connect(SRColorButton14, &QPushButton::clicked, this, &TForm1::SRColorButton11Click);

    DBFilterPanel1 = new views::FilterPanel(m_data.T1, views::filter::transactionRowFields());
    const parts::FilterFrame filter = parts::filterFrame(header, {110, 2}, DBFilterPanel1);
    m_filterFrame1 = filter.frame;
    Label5 = filter.title;
    SRColorButton4 = filter.clear;
    bindFilterPanel(DBFilterPanel1, &TForm1::DBFilterPanel1EditChange);
    connect(SRColorButton4, &QPushButton::clicked, this, &TForm1::SRColorButton4Click);

    SRColorButton12 = chartButton(header, charts::kTransactionsChart, QRect(684, 6, 75, 24));
    m_balanceChartButton = chartButton(header, charts::kBalanceChart, QRect(604, 6, 75, 24),
                                       views::texts::kBalanceChartButton);
    SRColorButton5 =
        parts::button(header, views::texts::kEmptyTable, views::kRedFace, QRect(770, 6, 85, 24));
    connect(SRColorButton5, &QPushButton::clicked, this, &TForm1::SRColorButton5Click);

    m_transactionCountTitle = parts::label(header, views::texts::kTransactionCount, {686, 39});
    Label38 = parts::label(header, QStringLiteral("0"), {780, 39}, true);
    Label38->setMinimumWidth(70);
    // The sums of the same rows under the count, right-aligned in one column.
    const auto sum = [&](const QString& title, int y, QLabel*& titleLabel, QLabel*& value) {
        titleLabel = parts::label(header, title, {686, y});
        value = parts::label(header, QStringLiteral("0,00"), {740, y}, true);
        value->setFixedWidth(160); // room for "-1.234.567.890,12"
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    sum(views::texts::kAmountIn, 57, m_amountInTitle, m_amountIn);
    sum(views::texts::kAmountOut, 73, m_amountOutTitle, m_amountOut);
    sum(views::texts::kAmountBalance, 89, m_amountBalanceTitle, m_amountBalance);
    header->setFixedHeight(
        std::max(m_filterFrame1->geometry().bottom(), m_amountBalance->geometry().bottom()) + 5);

    DBNavigator1 = new views::DbNavigator(m_data.T1, header);
    DBNavigator1->setGeometry(870, 6, 128, 24);
    DBNavigator1->setGuard(guard());

    m_transactionModel = new views::TableModel(m_data.T1, views::transactionGrid(), this);
    RxDBGrid1 = new views::DbGrid(m_transactionModel, TabSheet3);
    RxDBGrid1->setGuard(guard());
    addExportAction(RxDBGrid1);

    auto* page = new QVBoxLayout(TabSheet3);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(header);
    page->addWidget(RxDBGrid1, 1);
}

} // namespace app

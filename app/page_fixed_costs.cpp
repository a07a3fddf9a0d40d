// The page "Vaste lasten": the recurring costs and income found in the transactions.
#include "app/fixed_costs_page.h"
#include "app/fixed_costs_texts.h"
#include "app/kolvaro1.h"
#include "views/clickable_image.h"
#include "views/gradient_button.h"

#include <QTabWidget>

namespace app {

void TForm1::buildFixedCostsPage()
{
    m_fixedCostsPage = new FixedCostsPage(m_data, m_dialogs, guard());
    PageControl1->addTab(m_fixedCostsPage, fixedtexts::kPage);
    connect(m_fixedCostsPage->calculator(), &views::ClickableImage::clicked, this,
            &TForm1::Image2Click);
    connect(m_fixedCostsPage->helpButton(), &QPushButton::clicked, this,
            &TForm1::SRColorButton11Click);
}

} // namespace app

#include "HOperationInfoWidget.h"

#include "HPageTitle.h"
#include "HProject.h"
#include "TranslateString.h"

#include <QLabel>
#include <QVBoxLayout>

HOperationInfoWidget::HOperationInfoWidget(QWidget* parent)
    : QWidget(parent)
{
    m_title = new HPageTitle(this);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("labelSummary"));
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_summary, 1);
    setLanguage();
}

void HOperationInfoWidget::setLanguage()
{
    m_title->setText(TranslateString("Daily Schedule"));
    slot_update_project_data_to_window();
}

void HOperationInfoWidget::slot_update_window_data_to_project()
{
    // Nothing is edited on this page yet.
}

void HOperationInfoWidget::slot_update_project_data_to_window()
{
    HProject* p = HProject::getProject();
    QStringList hours;
    for (int h = 0; h < 24; ++h) {
        if (p->getOperationDailyIsOn(h))
            hours << QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0'));
    }
    m_summary->setText(hours.join(QStringLiteral(", ")));
}

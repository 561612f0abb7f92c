#include "window/main.h"

namespace pixmosa {

void TfrmMain::buildStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    m_statusText = new QLabel(StatusBar1);
    m_statusText->setObjectName("StatusPanel");
    m_statusText->setAccessibleName("Status");
    m_statusText->setMinimumWidth(100);
    m_statusText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_progress = new QProgressBar(StatusBar1);
    m_progress->setMaximumHeight(12);
    m_progress->setTextVisible(false);
    m_progress->hide();
    StatusBar1->addWidget(m_statusText);
    StatusBar1->addWidget(m_progress, 1);
}

}  // namespace pixmosa

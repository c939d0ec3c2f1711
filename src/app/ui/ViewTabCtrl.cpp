#include "app/ui/ViewTabCtrl.h"

#include <QResizeEvent>
#include <QTabBar>

CViewTabCtrl::CViewTabCtrl(QWidget* parent) : QWidget(parent), m_tabBar(new QTabBar(this))
{
    setObjectName(QStringLiteral("ViewTabCtrl"));
    m_tabBar->setExpanding(false);
    m_tabBar->setDrawBase(true);
    m_tabBar->setFocusPolicy(Qt::NoFocus);
    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index != m_current)
            SelectPage(index);
    });
}

bool CViewTabCtrl::AddPage(QWidget* window, const QString& title)
{
    if (m_pages.size() >= kMaxPages)
        return false;
    window->setParent(this);
    window->hide();
    m_pages.append({window, title});
    const QSignalBlocker block(m_tabBar);
    m_tabBar->addTab(title);
    return true;
}

QWidget* CViewTabCtrl::PageWindow(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages[index].window : nullptr;
}

void CViewTabCtrl::SelectPage(int index)
{
    if (index < 0 || index >= m_pages.size())
        return;
    if (QWidget* shown = PageWindow(m_current); shown != nullptr && m_current != index)
        shown->hide();
    m_current = index;
    {
        const QSignalBlocker block(m_tabBar);
        m_tabBar->setCurrentIndex(index);
    }
    LayOutPage();
    m_pages[index].window->show();
    Q_EMIT PageSelected(index);
}

void CViewTabCtrl::SetTabsVisible(bool visible)
{
    m_tabsVisible = visible;
    m_tabBar->setVisible(visible);
    LayOutPage();
}

QRect CViewTabCtrl::PageArea() const
{
    const int top = m_tabsVisible ? m_tabBar->sizeHint().height() : 0;
    return QRect(0, top, width(), std::max(0, height() - top));
}

void CViewTabCtrl::LayOutPage()
{
    m_tabBar->setGeometry(0, 0, width(), m_tabBar->sizeHint().height());
    if (QWidget* shown = PageWindow(m_current))
        shown->setGeometry(PageArea());
}

void CViewTabCtrl::resizeEvent(QResizeEvent*)
{
    LayOutPage();
}

#pragma once

#include <QList>
#include <QWidget>

class QTabBar;

// The tab control of the view host: up to 16 pages (a window and a title each) with the tabs
// along the top; the shown page's window fills the area below them.
class CViewTabCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxPages = 16;

    explicit CViewTabCtrl(QWidget* parent);

    // False (nothing added) when the control is full.
    bool AddPage(QWidget* window, const QString& title);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    QWidget* PageWindow(int index) const;
    int CurrentPage() const { return m_current; }
    // Hides the shown page, shows page `index` and lays it out.
    void SelectPage(int index);
    void SetTabsVisible(bool visible);
    bool TabsVisible() const { return m_tabsVisible; }
    // Where the shown page sits: below the tabs, or everything while they are hidden.
    QRect PageArea() const;

Q_SIGNALS:
    void PageSelected(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Page {
        QWidget* window;
        QString title;
    };

    void LayOutPage();

    QTabBar* m_tabBar;
    QList<Page> m_pages;
    int m_current = -1;
    bool m_tabsVisible = true;
};

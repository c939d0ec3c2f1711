#pragma once

#include <QDialog>

class QListWidget;

// "이 영역 변경": the sorted list of panel items, the current one preselected.
class CChangeFieldDlg : public QDialog {
    Q_OBJECT
public:
    CChangeFieldDlg(int currentKind, QWidget* parent);
    // The kind chosen (the current one when nothing else was picked).
    int Kind() const { return m_kind; }

    void accept() override;

private:
    QListWidget* m_list;
    int m_kind;
};

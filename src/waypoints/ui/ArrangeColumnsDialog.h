#pragma once

#include "waypoints/WaypointManagerColumns.h"

#include <QDialog>

class QListWidget;

// "Arrange Columns": the six column positions in order, each ticked when shown (the first is
// always shown), moved with "올리기" (up) and "내리기" (down).
class CArrangeColumnsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CArrangeColumnsDialog(const CWaypointManagerColumns& columns,
                                   QWidget* parent = nullptr);
    const CWaypointManagerColumns& Columns() const { return m_columns; }
    void accept() override;

private:
    void Move(int step);
    void Show(int currentRow);
    void TakeTicks();

    CWaypointManagerColumns m_columns;
    QListWidget* m_list;
};

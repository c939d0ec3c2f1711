#include "waypoints/ui/PropertySheetFrame.h"

#include "platform/StringTable.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

QTabWidget* MakePropertySheetFrame(QDialog& sheet, int captionStringId)
{
    sheet.setWindowTitle(LoadString(captionStringId));
    auto* tabs = new QTabWidget(&sheet);
    tabs->setObjectName(QStringLiteral("pages"));
    tabs->setUsesScrollButtons(false); // every page title in view, as on the handheld
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &sheet);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &sheet, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &sheet, &QDialog::reject);
    auto* layout = new QVBoxLayout(&sheet);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    return tabs;
}

#include "platform/ui/DialogRows.h"

#include "app/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

QVBoxLayout* AddDialogColumn(QDialog& dialog)
{
    auto* column = new QVBoxLayout(&dialog);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    return column;
}

QFormLayout* AddCompactForm(QVBoxLayout& column)
{
    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    column.addLayout(form);
    return form;
}

QComboBox* AddChoiceRow(QFormLayout& form, const QString& label, const QStringList& items,
                        int current, const QString& objectName)
{
    auto* combo = new QComboBox;
    combo->setObjectName(objectName);
    combo->addItems(items);
    combo->setCurrentIndex(current >= 0 && current < items.size() ? current : -1);
    form.addRow(label, combo);
    return combo;
}

QCheckBox* AddSwitch(QVBoxLayout& column, const QString& text, bool on, const QString& objectName)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(objectName);
    box->setChecked(on);
    column.addWidget(box);
    return box;
}

void StoreChoice(const QComboBox& list, const QString& section, const QString& key)
{
    if (list.currentIndex() >= 0)
        WriteIntSetting(section, key, list.currentIndex());
}

QDialogButtonBox* AddOkCancel(QDialog& dialog, QVBoxLayout& column)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column.addStretch(1);
    column.addWidget(buttons);
    return buttons;
}

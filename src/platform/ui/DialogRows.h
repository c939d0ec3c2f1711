#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QVBoxLayout;

// The pieces the small settings dialogs are made of, laid out so that they fit a 240 x 320
// phone screen and stay compact on a desktop.

// The dialog's layout: one column with narrow margins.
QVBoxLayout* AddDialogColumn(QDialog& dialog);
// A form in `column` whose labels go above their fields when the dialog is too narrow for both
// on one line.
QFormLayout* AddCompactForm(QVBoxLayout& column);

// A drop-down list of `items` with `current` selected (none when out of range), named
// `objectName`, added under `label`.
QComboBox* AddChoiceRow(QFormLayout& form, const QString& label, const QStringList& items,
                        int current, const QString& objectName);

// A check box showing `on`, named `objectName`, added to `column`.
QCheckBox* AddSwitch(QVBoxLayout& column, const QString& text, bool on, const QString& objectName);

// Stores the selected index of `list` under `section`/`key`; a list without a selection (its
// stored value was out of range) leaves the stored value as it is.
void StoreChoice(const QComboBox& list, const QString& section, const QString& key);

// OK and Cancel at the bottom of `column`, wired to accept() and reject().
QDialogButtonBox* AddOkCancel(QDialog& dialog, QVBoxLayout& column);

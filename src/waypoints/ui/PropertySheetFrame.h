#pragma once

class QDialog;
class QTabWidget;

// Lays `sheet` out as a property sheet: caption from the string table, a tab per page above
// OK and Cancel (objectNames "okButton", "cancelButton"). Returns the tab widget for the pages.
QTabWidget* MakePropertySheetFrame(QDialog& sheet, int captionStringId);

#pragma once
// File dialog filters: the "Name (*.Ext)|*.Ext|...||" pairs the core writes,
// as the name filters of QFileDialog.

#include <QStringList>

#include <string_view>

namespace ui {

// Each description|patterns pair becomes "Description (patterns)": the
// description loses a parenthesised tail of its own, patterns are separated by
// blanks instead of ';', and "*.*" becomes "*" (in Qt "*.*" needs a dot in the
// name). A description without patterns matches everything; empty input gives
// no filters.
QStringList FileNameFilters(std::string_view cp1251Filter);

}  // namespace ui

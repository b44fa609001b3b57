#pragma once
// A table of texts as an A4 PDF: a title and a line under it on the first page, then the rows
// under a header row that every page repeats. The columns take the widths of their longest texts;
// when they do not fit across a portrait page the page is turned to landscape, and when they do
// not fit that either the type is made smaller until they do. Texts are drawn in the program's
// one face (ProgramFamily), which the PDF embeds.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>

#include "platform/files.h"

namespace gradova::platform {

struct PdfTable {
  QString title;
  QString subtitle;  // under the title, for instance the date
  QStringList header;
  std::size_t rowCount = 0;
  // The text of a cell, row from 0 to rowCount - 1, column from 0 to header.size() - 1.
  std::function<QString(std::size_t row, std::size_t column)> cell;
};

// Writes the PDF's bytes to `write`, in order. False when a write failed; what was written before
// is the caller's to drop.
bool WritePdfTable(const PdfTable& table, const ByteSink& write);

}  // namespace gradova::platform

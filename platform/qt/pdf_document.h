#pragma once
// A document of texts as an A4 PDF: a title and lines under it on the first page, a table under a
// header row that every page repeats, then texts and drawings one under the other. The columns
// take the widths of their longest texts; when they do not fit across a portrait page the page is
// turned to landscape, and when they do not fit that either the type is made smaller until they
// do. Texts are drawn in the program's one face (ProgramFamily), which the PDF embeds, so that
// every text can be found and copied from it.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/files.h"

class QPainter;
class QRectF;

namespace gradova::platform {

enum class PdfRowStyle {
  Plain,
  Bold,
  Heading,  // the row's first cell across the whole table, in bold
};

// What follows the table: a text, wrapped to the page's width, or a drawing `height` points high
// across the page.
struct PdfBlock {
  QString text;
  std::function<void(QPainter& painter, const QRectF& box)> draw;
  double height = 0;
};

struct PdfDocument {
  QString title;
  QStringList opening;  // under the title, one line each: who, when, what was counted
  QStringList header;
  std::size_t rowCount = 0;
  // The text of a cell, row from 0 to rowCount - 1, column from 0 to header.size() - 1.
  std::function<QString(std::size_t row, std::size_t column)> cell;
  std::function<PdfRowStyle(std::size_t row)> style;  // unset: every row plain
  std::vector<PdfBlock> closing;
};

// Writes the PDF's bytes to `write`, in order. False when a write failed; what was written before
// is the caller's to drop.
bool WritePdfDocument(const PdfDocument& document, const ByteSink& write);

}  // namespace gradova::platform

#include "librarian/printing.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QPrintDialog>
#include <QPrinter>

#include "librarian/libraryrow.h"
#include "midi/userinterface.h"
#include "model/library.h"

namespace {
const QString kProbe = QStringLiteral("HHHHH");

// A printer chosen in the platform's print dialog.
class TPrinterOutput : public TPrintOutput {
 public:
  QPaintDevice& Device() override { return printer_; }
  bool NewPage() override { return printer_.newPage(); }
  bool Finish() override { return printer_.printerState() != QPrinter::Error; }
  QPrinter& Printer() { return printer_; }

 private:
  QPrinter printer_{QPrinter::HighResolution};
};

std::unique_ptr<TPrintOutput> AskPrinter() {
  auto output = std::make_unique<TPrinterOutput>();
  QPrintDialog dialog(&output->Printer());
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return output;
}

TPrintOutputFactory& Factory() {
  static TPrintOutputFactory factory;
  return factory;
}

std::unique_ptr<TPrintOutput> NewOutput() {
  return Factory() ? Factory()() : AskPrinter();
}

bool Report(bool ok) {
  if (!ok) UI().Show(TMsgKind::Error, QStringLiteral("Printer Error"));
  return ok;
}
}  // namespace

TPrintOutputFactory SetPrintOutputFactory(TPrintOutputFactory factory) {
  TPrintOutputFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}

TPrintJob::TPrintJob(TPrintOutput& output, bool dataCardInstalled)
    : output_(output), dataCard_(dataCardInstalled) {}

bool TPrintJob::BeginPrint() {
  page_ = 1;
  Y = 10;
  if (!painter_.begin(&output_.Device())) {
    failed_ = true;
    return false;
  }
  // Courier New where it exists, else the platform's fixed-pitch face.
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  painter_.setFont(font);
  painter_.setPen(QPen(Qt::black, 0));
  return true;
}

int TPrintJob::PageWidth() const {
  return output_.Device().width();
}

int TPrintJob::PageHeight() const {
  return output_.Device().height();
}

int TPrintJob::PrintLineHeight() const {
  return painter_.fontMetrics().height() * 4 / 3;
}

void TPrintJob::Text(int x, int y, const QString& text) {
  // Positions name the top of the text, as on the screen grid.
  painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
}

void TPrintJob::PrintCentered(int y, const QString& text) {
  Text((PageWidth() - 20 - painter_.fontMetrics().horizontalAdvance(text)) / 2, y, text);
}

void TPrintJob::PrintRule(int y) {
  painter_.drawLine(30, y, PageWidth() - 90, y);
}

void TPrintJob::PrintPageFooter() {
  PrintCentered(PageHeight() - PrintLineHeight() - 70,
                QStringLiteral("Page Nº ") + QString::number(page_));
  ++page_;
}

bool TPrintJob::EndPrint() {
  if (painter_.isActive()) {
    PrintPageFooter();
    painter_.end();
  }
  if (!output_.Finish()) failed_ = true;
  return !failed_;
}

void TPrintJob::PrintElemLine(int y, const TLibElem& element, bool detailed) {
  const int w = PageWidth() - 60;
  const int h = PrintLineHeight();
  const int c = detailed ? w / 5 : w / 4;
  const int s = detailed ? c / 3 : 0;
  const int textY = y + (h - painter_.fontMetrics().height()) / 2;
  for (int x : {30, 30 + c, 30 + 2 * c, 30 + 3 * c - s}) painter_.drawLine(x, y, x, y + h);
  if (detailed) painter_.drawLine(30 + 4 * c - s, y, 30 + 4 * c - s, y + h);
  painter_.drawLine(w - 30, y, w - 30, y + h);
  Text(40, textY, element.KindName());
  Text(c + 40, textY, element.GetName());
  Text(2 * c + 40, textY, element.LocationText());
  Text(3 * c + 40 - s, textY, ModifiedText(element));
  if (detailed) Text(4 * c + 40 - s, textY, QStringLiteral("Loc : ") + OwnerPath(element));
}

void TPrintJob::PrintListingTitle(const TLibrary& library, const QDateTime& now) {
  const int h = PrintLineHeight();
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(30, 0, PageWidth() - 60 - 30, 3 * h);
  PrintCentered(h, QStringLiteral("Library ") + library.GetName() +
                       QStringLiteral("                Printed ") + DateTimeText(now));
  Y = 4 * h + 10;
}

void TPrintJob::EnsureRoom(int height) {
  if (Y + height + 70 <= PageHeight()) return;
  PrintPageFooter();
  if (!output_.NewPage()) failed_ = true;
  Y = 10;
}

void TPrintJob::Title(const QString& text) {
  // A bank's title stands on its own line above its members.
  const int h = PrintLineHeight();
  EnsureRoom(3 * h);
  PrintCentered(Y, text);
  Y += 2 * h;
}

void TPrintJob::Row(const TLibElem& element, bool detailed) {
  if (failed_) return;
  const int h = PrintLineHeight();
  EnsureRoom(2 * h);
  PrintRule(Y - 1);
  PrintElemLine(Y, element, detailed);
  PrintRule(Y + h + 1);
  Y += h + 70;
}

bool PrintLibrary(TLibrary& library, bool dataCardInstalled) {
  std::unique_ptr<TPrintOutput> output = NewOutput();
  if (!output) return false;
  TPrintJob job(*output, dataCardInstalled);
  if (!job.BeginPrint()) return Report(false);
  job.PrintListingTitle(library, QDateTime::currentDateTime());
  for (auto& element : library.Elements) {
    if (job.Failed()) break;
    element->Print(job, false);
  }
  return Report(job.EndPrint());
}

bool PrintElements(const std::vector<TLibElem*>& elements, bool detailed, bool dataCardInstalled) {
  std::unique_ptr<TPrintOutput> output = NewOutput();
  if (!output) return false;
  TPrintJob job(*output, dataCardInstalled);
  if (!job.BeginPrint()) return Report(false);
  job.Y = 10;
  for (TLibElem* element : elements) {
    if (job.Failed()) break;
    element->Print(job, detailed);
  }
  return Report(job.EndPrint());
}

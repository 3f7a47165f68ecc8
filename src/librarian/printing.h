#pragma once
// Printed library listings. A print job draws on a page device in its pixels: a title box, one
// framed row per element, a page footer; the commands below print a whole library or a list of
// elements on the printer that the user picks in the platform's print dialog.
#include <functional>
#include <memory>
#include <vector>

#include <QPainter>
#include <QString>

#include "model/listingprinter.h"

class QDateTime;
class QPaintDevice;
class TLibElem;
class TLibrary;

// Where a job draws: the pages of a printer (a PDF file is one) or of a test device.
class TPrintOutput {
 public:
  virtual ~TPrintOutput() = default;
  virtual QPaintDevice& Device() = 0;
  // Ends the current page and starts the next; false when the printer failed.
  virtual bool NewPage() = 0;
  // The job is complete (the painter has ended); false when the printer failed.
  virtual bool Finish() { return true; }
};

// Gives the output of the next job, or none when the user cancelled the print dialog. The
// default shows the platform's print dialog; tests install their own.
using TPrintOutputFactory = std::function<std::unique_ptr<TPrintOutput>()>;
// Installs a factory and returns the previous one; an empty one restores the print dialog.
TPrintOutputFactory SetPrintOutputFactory(TPrintOutputFactory factory);

class TPrintJob : public TListingPrinter {
 public:
  explicit TPrintJob(TPrintOutput& output, bool dataCardInstalled = true);

  // Page counter 1, the painter on the device, "Courier New" 10 points. False on failure.
  bool BeginPrint();
  // The line height h: 4/3 of the height of "HHHHH".
  int PrintLineHeight() const;
  void PrintCentered(int y, const QString& text);
  void PrintRule(int y);
  // "Page Nº n" centred near the bottom; the counter increases.
  void PrintPageFooter();
  // The last footer and the end of the job. False when the printer failed at any point.
  bool EndPrint();
  // One framed row; detailed adds the "Loc : " column.
  void PrintElemLine(int y, const TLibElem& element, bool detailed);
  // The title box of a library listing; the rows start below it.
  void PrintListingTitle(const TLibrary& library, const QDateTime& now);

  // The element rows and bank titles, at Y, breaking pages as needed.
  void Title(const QString& text) override;
  void Row(const TLibElem& element, bool detailed) override;
  bool DataCardInstalled() const override { return dataCard_; }

  int PageWidth() const;
  int PageHeight() const;
  bool Failed() const { return failed_; }

  int Y = 10;

 private:
  // Room for one more row of the given height, else a footer and a new page.
  void EnsureRoom(int height);
  void Text(int x, int y, const QString& text);

  TPrintOutput& output_;
  QPainter painter_;
  bool dataCard_;
  bool failed_ = false;
  int page_ = 1;
};

// File, Print: every element of the library in list order, whatever the masks and selection.
// "Printer Error" is shown when the printer fails. False when cancelled or failed.
bool PrintLibrary(TLibrary& library, bool dataCardInstalled = true);
// Print Selected and the context menu's Print: the elements in order, with no title box.
bool PrintElements(const std::vector<TLibElem*>& elements, bool detailed,
                   bool dataCardInstalled = true);

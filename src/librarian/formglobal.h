#pragma once
// The global window: the banks and the system settings of one global dump, one row each. Without
// a data card the card banks are left out and the window shows four rows.
#include "librarian/formbankbase.h"

class TFormGlobal : public TFormBankBase {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 54;

  TFormGlobal(TBank* global, TLibrarianHost& host, QWidget* parent = nullptr);

  // The global's list entry shown on a row: every entry with a data card, the user banks and
  // the system (even entries) without one; -1 past the last row.
  int CalcInd(int row) const;
  // Rows for the data card setting now in force.
  static int Rows();
  // Rows, grid and window size again (after the data card setting changed).
  void SetRowCount();

  TLibElem* MemberAt(int row) const override;
  void DrawRow(QPainter& painter, int row, const QRect& rect) const override;
  QStringList RowTexts(int row) const override;
  int HelpContext() const override { return kHelpContext; }

 protected:
  bool AcceptFromLibrary(const TDragInfo& drag, int row) const override;
  bool AcceptFromWindow(const TFormBankBase& source, const TDragInfo& drag, int row) const override;
  void CopyInto(const TDragInfo& drag, int row) override;
  QSize InitialSize() const override;
  void LayOut() override;
  bool KeepsStoredHeight() const override { return false; }
};

// Every global window open in the host takes the data card setting now in force.
void RelayoutGlobalWindows(const TLibrarianHost& host);
